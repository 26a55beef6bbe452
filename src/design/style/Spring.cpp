#include "design/style/Spring.h"

#include <QTimer>
#include <QVariant>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace studio {

namespace {
constexpr int frameMs = 16;
// Rest thresholds, relative to the distance travelled (values are mostly 0..1).
constexpr qreal restOffset = 0.0005;
constexpr qreal restVelocity = 0.005;
} // namespace

Spring::Spring(qreal response, qreal dampingFraction, QObject* parent)
    : QObject(parent)
    , m_response(std::max<qreal>(0.01, response))
    , m_damping(std::max<qreal>(0.0, dampingFraction))
    , m_timer(new QTimer(this))
{
    m_timer->setInterval(frameMs);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &Spring::tick);
}

Spring::Spring(QObject* target, QByteArray property, qreal response, qreal dampingFraction)
    : Spring(response, dampingFraction, target)
{
    m_propertyTarget = target;
    m_property = std::move(property);
    if (m_propertyTarget)
        m_value = m_target = m_propertyTarget->property(m_property.constData()).toReal();
}

bool Spring::isMoving() const
{
    return m_timer->isActive();
}

Spring::State Spring::evolve(qreal response, qreal zeta, qreal x0, qreal v0, qreal t)
{
    const qreal w0 = 2.0 * std::numbers::pi / std::max<qreal>(0.01, response);
    if (zeta < 1.0) {
        const qreal wd = w0 * std::sqrt(1.0 - zeta * zeta);
        const qreal decay = std::exp(-zeta * w0 * t);
        const qreal a = x0;
        const qreal b = (v0 + zeta * w0 * x0) / wd;
        const qreal c = std::cos(wd * t), s = std::sin(wd * t);
        const qreal x = decay * (a * c + b * s);
        const qreal v = decay * ((b * wd - zeta * w0 * a) * c - (a * wd + zeta * w0 * b) * s);
        return {x, v};
    }
    if (zeta == 1.0) {
        const qreal decay = std::exp(-w0 * t);
        const qreal b = v0 + w0 * x0;
        const qreal x = decay * (x0 + b * t);
        const qreal v = decay * (b - w0 * (x0 + b * t));
        return {x, v};
    }
    const qreal root = std::sqrt(zeta * zeta - 1.0);
    const qreal r1 = -w0 * (zeta - root);
    const qreal r2 = -w0 * (zeta + root);
    const qreal c2 = (v0 - r1 * x0) / (r2 - r1);
    const qreal c1 = x0 - c2;
    const qreal e1 = std::exp(r1 * t), e2 = std::exp(r2 * t);
    return {c1 * e1 + c2 * e2, c1 * r1 * e1 + c2 * r2 * e2};
}

void Spring::setTarget(qreal target)
{
    if (!std::isfinite(target))
        return;
    if (target == m_target && !isMoving() && m_value == target)
        return;
    if (isMoving()) {
        // Continue from where the current motion is now.
        const qreal t = m_clock.nsecsElapsed() / 1e9;
        const State s = evolve(m_response, m_damping, m_startOffset, m_startVelocity, t);
        m_value = m_target + s.offset;
        m_velocity = s.velocity;
    }
    m_target = target;
    m_startOffset = m_value - m_target;
    m_startVelocity = m_velocity;
    m_clock.start();
    if (!m_timer->isActive())
        m_timer->start();
}

void Spring::jumpTo(qreal value)
{
    if (!std::isfinite(value))
        return;
    m_timer->stop();
    m_target = value;
    m_velocity = 0;
    m_startOffset = 0;
    m_startVelocity = 0;
    publish(value);
}

void Spring::tick()
{
    const qreal t = m_clock.nsecsElapsed() / 1e9;
    const State s = evolve(m_response, m_damping, m_startOffset, m_startVelocity, t);
    const qreal span = std::max<qreal>(1.0, std::abs(m_startOffset));
    if (std::abs(s.offset) < restOffset * span && std::abs(s.velocity) < restVelocity * span) {
        m_timer->stop();
        m_velocity = 0;
        publish(m_target);
        Q_EMIT settled();
        return;
    }
    m_velocity = s.velocity;
    publish(m_target + s.offset);
}

void Spring::publish(qreal value)
{
    if (value == m_value && !m_propertyTarget)
        return;
    m_value = value;
    if (m_propertyTarget)
        m_propertyTarget->setProperty(m_property.constData(), value);
    Q_EMIT valueChanged(value);
}

} // namespace studio
