#pragma once

// Shows the placeholder picture of a seed, composed at a given size in
// points and scaled to fill the widget while keeping its proportions (the
// overflow is cut at the widget's edge, with rounded corners when a radius is
// set). Its size hint is the composition size.

#include <QSizeF>
#include <QString>
#include <QWidget>

class QPainter;

namespace studio {

class ArtThumb : public QWidget {
    Q_OBJECT
public:
    ArtThumb(const QString& seed, qreal width, qreal height, QWidget* parent = nullptr);

    QString seed() const { return m_seed; }
    void setSeed(const QString& seed);
    void setArtSize(qreal width, qreal height);
    void setCornerRadius(qreal radius);

    QSize sizeHint() const override;

    // The same picture painted by a custom-drawn card: fills target keeping
    // the proportions, clipped to target (rounded by radius).
    // Framed pictures are shared by every card and thumbnail, so a screen
    // opened again copies them instead of scaling the picture anew.
    static void paint(QPainter& painter, const QRectF& target, const QString& seed, qreal width, qreal height,
                      qreal radius = 0);
    static void clearCache();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_seed;
    QSizeF m_size;
    qreal m_radius = 0;
};

} // namespace studio
