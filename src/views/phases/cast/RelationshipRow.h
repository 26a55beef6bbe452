#pragma once

// One relationship of the character in the detail pane, on a small card: a
// menu naming the other member (its entries are filled by the section when it
// opens), a free label, and a remove mark. The row stands for the
// relationship with its id and reports what the user did with that id.

#include "design/widgets/CardSurface.h"

#include <QList>
#include <QUuid>

namespace studio {

class MenuButton;
class PlainTextField;
class SymbolButton;

class RelationshipRow : public CardSurface {
    Q_OBJECT
public:
    explicit RelationshipRow(const QUuid& relationshipID, QWidget* parent = nullptr);

    // The other member's name as the menu shows it, and the label.
    void setRelationship(const QString& otherName, const QString& label);

    MenuButton* nameMenu() const { return m_name; }
    PlainTextField* labelField() const { return m_label; }
    SymbolButton* removeButton() const { return m_remove; }
    // The row's stops in the order Tab takes them.
    QList<QWidget*> tabStops() const;

Q_SIGNALS:
    void labelEdited(const QUuid& relationshipID, const QString& label);
    void removeRequested(const QUuid& relationshipID);

private:
    QUuid m_id;
    MenuButton* m_name;
    PlainTextField* m_label;
    SymbolButton* m_remove;
};

} // namespace studio
