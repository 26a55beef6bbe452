#pragma once

// The context menu of a one-line field whose line edit shows a window of a
// longer text (LineWindow): the line edit's own menu, its entries acting on
// the whole text instead of what the line edit holds, and enabled by it.

#include <functional>

class QLineEdit;
class QMenu;
class QObject;

namespace studio {

class LineBuffer;

class LineMenu {
public:
    // Makes the entries of `edit`'s standard menu act on `buffer` (as long
    // as `context` lives), calling `before` before each and `done` after.
    static void takeOver(QMenu* menu, QLineEdit* edit, LineBuffer& buffer, QObject* context,
                         const std::function<void()>& before, const std::function<void()>& done);
};

} // namespace studio
