#include "design/widgets/SymbolTile.h"

#include "design/style/Palette.h"
#include "design/style/Shapes.h"
#include "design/style/Symbols.h"
#include "design/style/Tokens.h"

#include <QPainter>

namespace studio {

SymbolTile::SymbolTile(qreal glyphSize, QWidget* parent)
    : QWidget(parent)
    , m_glyphSize(glyphSize)
{
    setFixedSize(38, 38);
    setAttribute(Qt::WA_TranslucentBackground);
}

void SymbolTile::setSymbol(const QString& name)
{
    if (name == m_symbol)
        return;
    m_symbol = name;
    update();
}

void SymbolTile::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    shapes::fillRounded(p, QRectF(rect()), 10, Palette::white(level::fill));
    Symbols::paint(p, QRectF(rect()), m_symbol, Palette::gold(), m_glyphSize, QFont::Medium);
}

} // namespace studio
