#include "views/common/ReturnKey.h"

#include <QKeyEvent>

namespace studio {

bool isReturnPress(const QKeyEvent& event)
{
    const bool enter = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
    return enter && (event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && !event.isAutoRepeat();
}

} // namespace studio
