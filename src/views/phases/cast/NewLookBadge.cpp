#include "views/phases/cast/NewLookBadge.h"

#include "design/style/Palette.h"
#include "design/style/Shapes.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"

using namespace Qt::StringLiterals;

namespace studio {

NewLookBadge::NewLookBadge(QWidget* parent)
    : StyledButton(parent)
{
    setStyleFont(Theme::font(type::small, QFont::Medium));
    setPadding(10, 5);
    setPressedLook(1.0, 0.6);
    setSymbol(u"arrow.triangle.2.circlepath"_s);
    setText(u"New look"_s);
}

QColor NewLookBadge::labelColor() const
{
    return Palette::white(level::full);
}

void NewLookBadge::paintBackground(QPainter& p, const QRectF& r)
{
    shapes::fillCapsule(p, r, Palette::black(level::soft));
}

} // namespace studio
