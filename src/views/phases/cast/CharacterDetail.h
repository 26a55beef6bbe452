#pragma once

// The detail pane of one character: portrait with "New look", name, role
// chips, archetype and age, the inner-life card with "Complete with AI", voice
// and tells, the look anchor, wardrobe, relationships, bio and "Remove
// character". It scrolls as one page.
//
// The pane holds no production: the screen shows a member in it with
// setMember() after every change, and every edit leaves as a request naming
// the member shown at that moment (and the relationship, field or value),
// which the screen turns into the operation on the member found by that id.
// Setting the member never writes anything and never moves the caret of a
// field whose text is unchanged.

#include "design/widgets/ScrollColumn.h"
#include "model/Cast.h"
#include "state/rules/CastRules.h"

#include <QList>
#include <QUuid>


namespace studio {

class AssistLink;
class Chip;
class GhostButton;
class LookAnchorCard;
class PaneArt;
class RelationshipsSection;
class SleekTextEditor;
class SleekTextField;

class CharacterDetail : public ScrollColumn {
    Q_OBJECT
public:
    explicit CharacterDetail(QWidget* parent = nullptr);

    // Shows the member; `cast` is the whole cast (the member included), for
    // the relationships' names and menus. Another member than before starts
    // at the top of the page.
    void setMember(const CastMember& member, const QList<CastMember>& cast);
    QUuid memberID() const { return m_memberID; }

    // For tests and the screen's own look-ups.
    SleekTextField* nameField() const { return field(&CastMember::name); }
    SleekTextField* field(QString CastMember::*field) const;
    SleekTextEditor* editor(QString CastMember::*field) const;
    Chip* roleChip(CastRole role) const;
    AssistLink* assistLink() const { return m_assist; }
    PaneArt* portrait() const { return m_portrait; }
    LookAnchorCard* lookAnchor() const { return m_look; }
    RelationshipsSection* relationships() const { return m_relationships; }
    GhostButton* removeButton() const { return m_remove; }

Q_SIGNALS:
    void textEdited(const QUuid& memberID, rules::CharacterText field, const QString& text);
    void roleChosen(const QUuid& memberID, CastRole role);
    void newLookRequested(const QUuid& memberID);
    void relationshipAddRequested(const QUuid& memberID, const QUuid& otherID);
    void relationshipRetargetRequested(const QUuid& memberID, const QUuid& relationshipID, const QUuid& otherID);
    void relationshipLabelEdited(const QUuid& memberID, const QUuid& relationshipID, const QString& label);
    void relationshipRemoveRequested(const QUuid& memberID, const QUuid& relationshipID);
    void assistRequested(const QUuid& memberID);
    void removeRequested(const QUuid& memberID);

private:
    // Emits the request for the member shown now (none: nothing).
    template <typename Signal, typename... Args>
    void request(Signal signal, const Args&... args);
    SleekTextField* textField(const QString& label, const QString& placeholder, rules::CharacterText field);
    SleekTextEditor* textEditor(const QString& label, const QString& placeholder, qreal minHeight,
                                rules::CharacterText field);

    QUuid m_memberID;
    PaneArt* m_portrait;
    QList<std::pair<CastRole, Chip*>> m_roles;
    AssistLink* m_assist;
    LookAnchorCard* m_look;
    RelationshipsSection* m_relationships;
    GhostButton* m_remove;
    QList<std::pair<rules::CharacterText, SleekTextField*>> m_fields;
    QList<std::pair<rules::CharacterText, SleekTextEditor*>> m_editors;
};

} // namespace studio
