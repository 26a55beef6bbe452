#pragma once

// The card background: a continuous-corner rounded rectangle of the given
// radius filled with a colour, with a 1-point hairline drawn inside its edge,
// so the card is exactly as large as its content. The hairline lies over the
// content (a picture or a filled header running to the card's edge keeps its
// outline). It adds no padding: give it a layout with the content margins the
// screen asks for.

#include <QColor>
#include <QWidget>

namespace studio {

class CardSurface : public QWidget {
    Q_OBJECT
public:
    CardSurface(qreal radius, const QColor& fill, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void childEvent(QChildEvent* event) override;

private:
    friend class CardOutline;
    void syncOutline();

    qreal m_radius;
    QColor m_fill;
    QColor m_border;
    qreal m_borderWidth = 1.0;
    QWidget* m_outline = nullptr;
};

} // namespace studio
