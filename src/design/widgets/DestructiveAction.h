#pragma once

// Menu entries that destroy something ("Delete scene", "Move to Trash") read
// in the danger colour. Qt menus know no such role, so the entry is a widget
// action whose item is drawn by the menu's own style, exactly like its
// neighbours, with the danger colour as its text colour. The menu keeps doing
// the rest: hover and keyboard selection, Return, clicks, triggered().

#include <QString>

class QAction;
class QMenu;

namespace studio {

// Appends an entry reading text (with '&' as a mnemonic marker, as in
// QMenu::addAction) and returns its action, owned by the menu.
QAction* addDestructiveAction(QMenu* menu, const QString& text);
// Whether the action was made by addDestructiveAction.
bool isDestructive(const QAction* action);

} // namespace studio
