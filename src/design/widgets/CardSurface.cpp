#include "design/widgets/CardSurface.h"

#include "design/style/Palette.h"
#include "design/style/Shapes.h"

#include <QChildEvent>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>

namespace studio {

// The card's hairline, a child kept above every other child so the outline
// is drawn over the content. It is masked to the band along the edge and the
// corners, so repaints of the content elsewhere never involve it.
class CardOutline : public QWidget {
public:
    explicit CardOutline(CardSurface* card)
        : QWidget(card)
        , m_card(card)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_TranslucentBackground);
        setFocusPolicy(Qt::NoFocus);
    }

    void fit()
    {
        const QRect r = m_card->rect();
        setGeometry(r);
        // Continuous corners leave the straight edge about 1.53 radii from the
        // corner (see shapes::roundedRect).
        const int band = int(std::ceil(m_card->m_borderWidth)) + 1;
        const int corner
            = int(std::ceil(std::min(std::max<qreal>(0, m_card->m_radius) * 1.53, std::min(r.width(), r.height()) / 2.0)))
            + band;
        QRegion inner(r.adjusted(band, corner, -band, -corner));
        inner += QRegion(r.adjusted(corner, band, -corner, -band));
        setMask(QRegion(r) - inner);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        shapes::strokeRoundedInside(p, QRectF(rect()), m_card->m_radius, m_card->m_border, m_card->m_borderWidth);
    }

private:
    CardSurface* m_card;
};

CardSurface::CardSurface(qreal radius, const QColor& fill, QWidget* parent)
    : QWidget(parent)
    , m_radius(radius)
    , m_fill(fill)
    , m_border(Palette::hairline())
{
    m_outline = new CardOutline(this);
}

void CardSurface::syncOutline()
{
    static_cast<CardOutline*>(m_outline)->fit();
}

void CardSurface::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    shapes::fillRounded(p, QRectF(rect()), m_radius, m_fill);
}

void CardSurface::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    syncOutline();
}

void CardSurface::childEvent(QChildEvent* event)
{
    QWidget::childEvent(event);
    // A child added later would stack above the outline.
    if (m_outline && event->child() != m_outline && event->child()->isWidgetType()
        && (event->added() || event->polished()))
        m_outline->raise();
}

} // namespace studio
