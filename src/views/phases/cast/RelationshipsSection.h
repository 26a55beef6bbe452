#pragma once

// The relationships of the character in the detail pane: the "Relationships"
// caption with the add menu (only while the cast has someone else), a hint
// while there are none, else one row per relationship, kept by the
// relationship's id. A row names the other member in a menu, holds a free
// label and a remove mark.
//
// The menus are built when they open, from the cast as it was last shown
// (which the screen shows again after every change); each entry carries the
// id of its member. The section only reports what the user chose; the pane
// writes it into the member.

#include "model/Cast.h"

#include <QList>
#include <QUuid>
#include <QWidget>

#include <functional>
#include <memory>

class QMenu;
class QVBoxLayout;

namespace studio {

class MenuButton;
class RelationshipRow;
class TextLabel;
template <typename Key, typename W>
class KeyedList;

class RelationshipsSection : public QWidget {
    Q_OBJECT
public:
    explicit RelationshipsSection(QWidget* parent = nullptr);
    ~RelationshipsSection() override;

    void setMember(const CastMember& member, const QList<CastMember>& cast);

    MenuButton* addMenu() const { return m_add; }
    TextLabel* hint() const { return m_hint; }
    QList<RelationshipRow*> rows() const;
    RelationshipRow* row(const QUuid& relationshipID) const;

Q_SIGNALS:
    void addRequested(const QUuid& otherID);
    void retargetRequested(const QUuid& relationshipID, const QUuid& otherID);
    void labelEdited(const QUuid& relationshipID, const QString& label);
    void removeRequested(const QUuid& relationshipID);

private:
    // Fills a menu with one entry per other member, by name, each choosing
    // that member's id.
    void fillWithOthers(QMenu* menu, const std::function<void(const QUuid&)>& choose) const;

    struct Other {
        QUuid id;
        QString name;
    };
    QList<Other> m_others;
    MenuButton* m_add;
    TextLabel* m_hint;
    QVBoxLayout* m_column;
    std::unique_ptr<KeyedList<QUuid, RelationshipRow>> m_rows;
};

} // namespace studio
