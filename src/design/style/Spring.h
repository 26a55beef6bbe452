#pragma once

// A damped spring that moves one number towards a target, described the way
// the design gives its animations: a response (the period of the undamped
// oscillation, in seconds) and a damping fraction (1 = critically damped,
// below 1 overshoots). Press, hover and selection animations run on it.
// Retargeting mid-flight keeps position and velocity, so motion never jumps.
// The spring only repaints; it never blocks input.

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

class QTimer;

namespace studio {

class Spring : public QObject {
    Q_OBJECT
public:
    Spring(qreal response, qreal dampingFraction, QObject* parent = nullptr);
    // Also writes each value into the qreal property `property` of target.
    Spring(QObject* target, QByteArray property, qreal response, qreal dampingFraction);

    qreal value() const { return m_value; }
    qreal target() const { return m_target; }
    bool isMoving() const;

    // Starts moving towards target (nothing happens when already there).
    void setTarget(qreal target);
    // Puts the spring at rest on value at once.
    void jumpTo(qreal value);

    // The closed-form motion: offset from the target and velocity after t
    // seconds, starting at offset x0 with velocity v0.
    struct State {
        qreal offset;
        qreal velocity;
    };
    static State evolve(qreal response, qreal dampingFraction, qreal x0, qreal v0, qreal t);

Q_SIGNALS:
    void valueChanged(qreal value);
    void settled();

private:
    void tick();
    void publish(qreal value);

    qreal m_response;
    qreal m_damping;
    qreal m_value = 0;
    qreal m_target = 0;
    // The current segment of motion, started at m_clock with offset/velocity.
    qreal m_startOffset = 0;
    qreal m_startVelocity = 0;
    qreal m_velocity = 0;
    QElapsedTimer m_clock;
    QTimer* m_timer;
    QPointer<QObject> m_propertyTarget;
    QByteArray m_property;
};

} // namespace studio
