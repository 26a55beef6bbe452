#pragma once

// The small indeterminate progress indicator: a short arc running round a
// faint ring once a second while the widget is visible. When the desktop asks
// for less motion the arc stands still.

#include <QColor>
#include <QWidget>

class QTimer;

namespace studio {

class BusyIndicator : public QWidget {
    Q_OBJECT
public:
    explicit BusyIndicator(qreal size = 14, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    qreal m_size;
    qreal m_angle = 0;
    bool m_reduceMotion;
    QTimer* m_timer;
};

} // namespace studio
