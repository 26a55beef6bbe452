#include "state/rules/LookRules.h"

#include <cstdint>

using namespace Qt::StringLiterals;

namespace studio::rules {

namespace {

constexpr std::uint64_t fallbackColor = 0xD8C49A;

// The value of one ASCII hexadecimal digit, or -1.
int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// The whole text as an unsigned 64-bit hexadecimal number; nothing for an
// empty text, any other character (a "#", a space, an "0x" prefix) or a
// value past 64 bits.
std::optional<std::uint64_t> parseHex(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (const QChar c : text) {
        const int digit = hexDigit(c);
        if (digit < 0 || value > (UINT64_MAX >> 4))
            return std::nullopt;
        value = (value << 4) | std::uint64_t(digit);
    }
    return value;
}

} // namespace

QStringList toggledFirst(const QStringList& list, const QString& text)
{
    QStringList next = list;
    const qsizetype at = next.indexOf(text);
    if (at >= 0)
        next.removeAt(at);
    else
        next.append(text);
    return next;
}

QColor swatchColor(const QString& hex)
{
    const std::uint64_t n = parseHex(hex).value_or(fallbackColor);
    return QColor::fromRgb(int((n >> 16) & 0xFF), int((n >> 8) & 0xFF), int(n & 0xFF));
}

QSizeF aspectShapeSize(AspectRatio aspect)
{
    if (aspect == AspectRatio::vertical916)
        return {24, 40};
    return {54, 54 / ratio(aspect)};
}

std::optional<StyleCategory> categoryOfStyle(const std::optional<QString>& styleID)
{
    if (!styleID)
        return std::nullopt;
    if (const StylePreset* preset = StylePreset::find(*styleID))
        return preset->category;
    return std::nullopt;
}

QList<const StylePreset*> presetsIn(StyleCategory category)
{
    QList<const StylePreset*> shown;
    for (const StylePreset& preset : StylePreset::catalog()) {
        if (preset.category == category)
            shown.append(&preset);
    }
    return shown;
}

QString librarySubtitle()
{
    return QString::number(StylePreset::catalog().size()) + u" worlds, from claymation to large-format epic."_s;
}

} // namespace studio::rules
