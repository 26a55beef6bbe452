#pragma once

// The window's backdrop: a 3 by 3 mesh of nine near-black colours whose inner
// points drift slowly with the wall-clock time, a faint moving glow behind
// every screen. It takes no input. The motion runs only while the user's
// "animated backdrop" switch is on (the application wires it through
// setAnimated) and the desktop does not ask for reduced motion; otherwise the
// mesh is shown frozen at time 0. Animated, it follows the clock at most ten
// times a second and repaints only when the picture has visibly moved.

#include "design/style/MeshGradient.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <functional>

class QTimer;

namespace studio {

class AuroraBackground : public QWidget {
    Q_OBJECT
public:
    explicit AuroraBackground(QWidget* parent = nullptr);

    // The user's switch (on when the setting is absent).
    void setAnimated(bool animated);
    bool isAnimated() const { return m_animated; }
    // Defaults to what the desktop asks for (ReduceMotion).
    void setReduceMotion(bool reduce);
    // Whether the mesh is moving (animated and motion not reduced).
    bool isRunning() const { return m_animated && !m_reduceMotion; }

    // Seconds since 1 January 2001 00:00:00 UTC, the time the mesh follows.
    static double referenceTime();
    // Replaces the clock (tests, benchmarks).
    void setClock(std::function<double()> clock);
    // The time of the picture on screen.
    double shownTime() const { return m_time; }

    static std::array<MeshPoint, 9> meshPoints(double t);
    static const std::array<QColor, 9>& meshColors();
    static MeshGradient mesh(double t);

    // The mesh at time t rendered into an image of the given size (the widget
    // renders at an eighth of its size and scales up).
    static QImage renderMesh(const QSize& size, double t);
    static constexpr int scaleDown = 8;
    static constexpr int intervalMs = 100;
    // Colour levels (of 255) a pixel may lag behind the mesh before the
    // picture on screen is replaced.
    static constexpr int changeThreshold = 2;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void syncTimer();
    void tick();
    void renderAt(double t, bool force);
    QSize smallSize() const;

    bool m_animated = true;
    bool m_reduceMotion;
    double m_time = 0;
    std::function<double()> m_clock;
    QTimer* m_timer;
    QImage m_small;
    QImage m_scaled;
};

} // namespace studio
