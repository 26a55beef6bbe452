#include "views/phases/storyboard/StoryboardButtons.h"

#include "design/Palette.h"
#include "design/Shapes.h"
#include "design/Theme.h"


using namespace Qt::StringLiterals;

namespace studio {

PlainButton::PlainButton(const QString& symbol, const QString& text, const QFont& font, const QColor& color,
                         QWidget* parent)
    : StyledButton(parent)
    , m_color(color)
{
    setPressedLook(1.0, 0.6);
    setStyleFont(font);
    setPadding(0, 2);
    setSymbol(symbol);
    setText(text);
    setCursor(Qt::PointingHandCursor);
}

void PlainButton::paintBackground(QPainter&, const QRectF&)
{
}

OverlayButton::OverlayButton(const QString& symbol, const QString& text, QWidget* parent)
    : StyledButton(parent)
{
    setPressedLook(1.0, 0.7);
    setStyleFont(Theme::font(9.5, QFont::Medium));
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
    shapes::fillCapsule(painter, rect, Palette::black(0.55));
}

RecipeMenuButton::RecipeMenuButton(QWidget* parent)
    : MenuButton(QString(), parent)
{
    setShape(Shape::plain);
    setSymbol(u"wand.and.stars"_s, 10, Palette::gold());
    setLabelFont(Theme::font(11, QFont::Medium));
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
    shapes::fillRounded(painter, rect, 10, Palette::black(0.25));
    shapes::strokeRoundedInside(painter, rect, 10, hasFocus() ? Palette::accentDeep() : Palette::hairline(), 1.0);
}

} // namespace studio
