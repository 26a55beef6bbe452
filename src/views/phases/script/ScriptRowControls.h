#pragma once

// The controls the Script page shows on the row under the pointer: the kind
// menu and the remove mark. Neither takes the focus, so the text being
// written keeps it; the keyboard finds both in the element's own menu. They stand for one element at a time, by id: the menu's
// entries are made at each opening for the element it stands for then.

#include "model/Script.h"

#include <QUuid>
#include <QWidget>

namespace studio {

class MenuButton;
class SymbolButton;

class ScriptRowControls : public QWidget {
    Q_OBJECT
public:
    explicit ScriptRowControls(QWidget* parent = nullptr);

    // Stands for this element, showing its kind.
    void standFor(const QUuid& id, ScriptElementKind kind);
    // What the remove mark does, in words (its tool tip, and the entry of
    // the element's menu that does the same).
    static QString removeLabel();

    MenuButton* kindMenu() const { return m_kindMenu; }
    SymbolButton* removeButton() const { return m_remove; }

Q_SIGNALS:
    void kindPicked(const QUuid& id, ScriptElementKind kind);
    void removeRequested(const QUuid& id);

private:
    void fillKindMenu();

    MenuButton* m_kindMenu;
    SymbolButton* m_remove;
    QUuid m_id;
};

} // namespace studio
