#include "design/SpokenName.h"

#include "model/Text.h"

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

} // namespace studio
