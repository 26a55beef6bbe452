#include "design/widgets/SpokenName.h"

#include "model/Text.h"

#include <QWidget>

namespace studio {

QString spokenName(const QString& text)
{
    constexpr qsizetype longest = 200;
    if (text.size() <= longest)
        return text;
    // Counted in characters as a reader speaks them, so the cut never
    // splits one.
    const QString head = text::graphemePrefix(text::displayPrefix(text), longest - 1);
    return head.size() == text.size() ? text : head + QChar(0x2026);
}

void setSpokenName(QWidget* widget, const QString& text)
{
    const QString name = spokenName(text);
    if (widget->accessibleName() != name)
        widget->setAccessibleName(name);
}

} // namespace studio
