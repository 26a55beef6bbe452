#include "design/widgets/TextCapsule.h"

#include "design/style/Palette.h"
#include "design/style/Shapes.h"
#include "design/widgets/SpokenName.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Text.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace studio {

TextCapsule::TextCapsule(const QString& text, QWidget* parent)
    : QWidget(parent)
    , m_text(text)
    , m_shown(text::displayPrefix(text))
{
    setAttribute(Qt::WA_TranslucentBackground);
    setFont(Theme::font(type::footnote));
    const QFontMetricsF metrics(font());
    setFixedSize(int(std::ceil(metrics.horizontalAdvance(m_shown) + 14)), int(std::ceil(metrics.height() + 6)));
    setSpokenName(this, m_text);
}

void TextCapsule::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    shapes::fillCapsule(p, QRectF(rect()), Palette::white(level::wash));
    p.setPen(Palette::textTertiary());
    p.drawText(QRectF(rect()), Qt::AlignCenter, m_shown);
}

} // namespace studio
