#include "views/phases/cast/AssistLink.h"

#include "design/style/Palette.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"

using namespace Qt::StringLiterals;

namespace studio {

AssistLink::AssistLink(const QString& tooltip, QWidget* parent)
    : StyledButton(parent)
{
    setStyleFont(Theme::font(type::label, QFont::Medium));
    setPadding(0, 0);
    setPressedLook(1.0, 0.6);
    setCursor(Qt::PointingHandCursor);
    setSymbol(u"wand.and.stars"_s);
    setText(u"Complete with AI"_s);
    setToolTip(tooltip);
}

QColor AssistLink::labelColor() const
{
    return Palette::gold();
}

void AssistLink::paintBackground(QPainter&, const QRectF&)
{
}

} // namespace studio
