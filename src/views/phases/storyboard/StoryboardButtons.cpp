#include "views/phases/storyboard/StoryboardButtons.h"

#include "design/style/Palette.h"
#include "design/style/Shapes.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"


using namespace Qt::StringLiterals;

namespace studio {

OverlayButton::OverlayButton(const QString& symbol, const QString& text, QWidget* parent)
    : StyledButton(parent)
{
    setPressedLook(1.0, 0.7);
    setStyleFont(Theme::font(type::label, QFont::Medium));
    setPadding(9, 4);
    setSymbol(symbol);
    setText(text);
    setCursor(Qt::PointingHandCursor);
}

QColor OverlayButton::labelColor() const
{
    return Qt::white;
}

void OverlayButton::paintBackground(QPainter& painter, const QRectF& rect)
{
    shapes::fillCapsule(painter, rect, Palette::black(level::soft));
}

RecipeMenuButton::RecipeMenuButton(QWidget* parent)
    : MenuButton(QString(), parent)
{
    setShape(Shape::plain);
    setSymbol(u"wand.and.stars"_s, 10, Palette::gold());
    setLabelFont(Theme::font(type::body, QFont::Medium));
    setChevron(true, 7, Palette::textTertiary());
    setChevronAtEnd(true);
    setPadding(10, 8);
    setSpacing(6);
    setPressedOpacity(0.7);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize RecipeMenuButton::minimumSizeHint() const
{
    // The title elides; the well never pushes the pane wider.
    return QSize(0, sizeHint().height());
}

void RecipeMenuButton::paintBackground(QPainter& painter, const QRectF& rect)
{
    shapes::fillRounded(painter, rect, 10, Palette::black(level::shade));
    shapes::strokeRoundedInside(painter, rect, 10, Palette::hairline(), 1.0);
}

} // namespace studio
