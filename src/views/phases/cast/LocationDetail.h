#pragma once

// The detail pane of one location: art with "New look", the name with
// "Complete with AI", the type chips, era and mood, the look anchor, what is
// heard there, and "Remove location". It scrolls as one page.
//
// Like the character pane it holds no production: the screen shows a
// location with setLocation() after every change, and every edit leaves as a
// request naming the location shown at that moment.

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
class SleekTextEditor;
class SleekTextField;

class LocationDetail : public ScrollColumn {
    Q_OBJECT
public:
    explicit LocationDetail(QWidget* parent = nullptr);

    // Another location than before starts at the top of the page.
    void setLocation(const Location& location);
    QUuid locationID() const { return m_locationID; }

    SleekTextField* field(QString Location::*field) const;
    SleekTextEditor* soundEditor() const { return m_sound; }
    Chip* kindChip(LocationKind kind) const;
    AssistLink* assistLink() const { return m_assist; }
    GhostButton* removeButton() const { return m_remove; }

Q_SIGNALS:
    void textEdited(const QUuid& locationID, rules::LocationText field, const QString& text);
    void kindChosen(const QUuid& locationID, LocationKind kind);
    void newLookRequested(const QUuid& locationID);
    void assistRequested(const QUuid& locationID);
    void removeRequested(const QUuid& locationID);

private:
    // Emits the request for the location shown now (none: nothing).
    template <typename Signal, typename... Args>
    void request(Signal signal, const Args&... args);
    SleekTextField* textField(const QString& label, const QString& placeholder, rules::LocationText field);

    QUuid m_locationID;
    PaneArt* m_art;
    QList<std::pair<rules::LocationText, SleekTextField*>> m_fields;
    QList<std::pair<LocationKind, Chip*>> m_kinds;
    AssistLink* m_assist;
    LookAnchorCard* m_look;
    SleekTextEditor* m_sound;
    GhostButton* m_remove;
};

} // namespace studio
