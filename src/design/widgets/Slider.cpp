#include "design/widgets/Slider.h"

#include "design/focus/FocusRing.h"
#include "design/style/Palette.h"
#include "design/style/Shapes.h"
#include "design/style/Tokens.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <utility>

namespace studio {

namespace {
constexpr qreal knobDiameter = 14;
constexpr qreal trackHeight = 3;
} // namespace

// The slider as a reader reads and sets it: by the value it stands for.
class SliderAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit SliderAccessible(Slider* slider)
        : QAccessibleWidget(slider, QAccessible::Slider)
    {
        slider->m_heard = slider->spokenValue();
    }

    Slider* slider() const { return static_cast<Slider*>(widget()); }

    // Qt's value event tells the knob's position; while it goes out, the
    // slider is no one a reader can hear.
    bool isValid() const override { return QAccessibleWidget::isValid() && !slider()->m_knobOnly; }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return slider()->valueText();
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return slider()->spokenValue(); }
    void setCurrentValue(const QVariant& value) override
    {
        bool ok = false;
        const double v = value.toDouble(&ok);
        if (ok && slider()->isEnabled())
            slider()->editTo(v);
    }
    QVariant maximumValue() const override { return slider()->maximumValue(); }
    QVariant minimumValue() const override { return slider()->minimumValue(); }
    QVariant minimumStepSize() const override
    {
        const Slider* s = slider();
        return s->m_step > 0 ? s->m_step : (s->m_max - s->m_min) * s->singleStep() / Slider::steps;
    }
};

// Marks a move of the knob alone, until Qt's value event for it has gone.
class Slider::KnobOnly {
public:
    explicit KnobOnly(Slider* slider)
        : m_slider(slider)
        , m_was(slider->m_knobOnly)
    {
        slider->m_knobOnly = true;
    }
    ~KnobOnly() { m_slider->m_knobOnly = m_was; }
    KnobOnly(const KnobOnly&) = delete;
    KnobOnly& operator=(const KnobOnly&) = delete;

private:
    Slider* m_slider;
    bool m_was;
};

Slider::Slider(double minimum, double maximum, QWidget* parent)
    : QSlider(Qt::Horizontal, parent)
    , m_min(minimum)
    , m_max(maximum > minimum ? maximum : minimum + 1)
    , m_tint(Palette::accentDeep())
{
    QSlider::setRange(0, steps);
    syncKeySteps();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_TranslucentBackground);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(this, &QSlider::valueChanged, this, [this](int v) {
        if (!m_setting)
            userMoved(v);
    });
    connect(this, &QAbstractSlider::actionTriggered, this, &Slider::stepFromValue);
    connect(this, &QSlider::sliderReleased, this, [this] {
        if (m_pending) {
            const double v = *m_pending;
            m_pending.reset();
            display(v);
        }
    });
}

void Slider::setRange(double minimum, double maximum)
{
    const double value = m_current.value_or(position());
    m_min = minimum;
    m_max = maximum > minimum ? maximum : minimum + 1;
    syncKeySteps();
    display(value);
}

void Slider::setStep(double step)
{
    m_step = std::isfinite(step) && step > 0 ? step : 0;
    syncKeySteps();
}

void Slider::syncKeySteps()
{
    // Keys and the wheel move by one grid step, so that a key press is never
    // snapped back to where it started.
    if (m_step > 0) {
        const double units = std::ceil(m_step / (m_max - m_min) * steps - 1e-9);
        const int single = int(std::clamp(units, 1.0, double(steps)));
        setSingleStep(single);
        setPageStep(std::min(steps, single * std::max(1, steps / 10 / single)));
    } else {
        setSingleStep(steps / 100);
        setPageStep(steps / 10);
    }
}

double Slider::snapped(double value) const
{
    if (!(m_step > 0) || !std::isfinite(value))
        return value;
    const double last = std::floor((m_max - m_min) / m_step + 1e-9);
    const double k = std::clamp(std::round((value - m_min) / m_step), 0.0, last);
    return m_min + k * m_step;
}

void Slider::userMoved(int position)
{
    // A continuous slider moved by the pointer or a key writes the exact
    // value, not the nearest of the knob's steps.
    double value = m_exact && !(m_step > 0) ? *m_exact : fromSteps(position);
    m_exact.reset();
    if (m_step > 0) {
        value = snapped(value);
        // The knob sits on the grid value it stands for.
        const int on = toSteps(value);
        if (on != QSlider::value()) {
            KnobOnly knob(this);
            m_setting = true;
            QSlider::setValue(on);
            m_setting = false;
        }
        // A move inside the same grid cell changes nothing.
        if (m_current && *m_current == value)
            return;
    }
    m_current = value;
    tellValue();
    Q_EMIT valueEdited(value);
}

void Slider::stepFromValue(int action)
{
    // Qt has moved the knob by whole steps of its own; a continuous slider
    // moves from the value it stands for instead (0.5906… less a step is
    // 0.5806…, not 0.5806), starting from the end of the track for a stored
    // value beyond it.
    if (m_step > 0)
        return;
    const double from = m_current && std::isfinite(*m_current) ? std::clamp(*m_current, m_min, m_max) : position();
    const double unit = (m_max - m_min) / steps;
    double to = from;
    switch (action) {
    case SliderSingleStepAdd: to = from + unit * singleStep(); break;
    case SliderSingleStepSub: to = from - unit * singleStep(); break;
    case SliderPageStepAdd: to = from + unit * pageStep(); break;
    case SliderPageStepSub: to = from - unit * pageStep(); break;
    case SliderToMinimum: to = m_min; break;
    case SliderToMaximum: to = m_max; break;
    default: return;
    }
    to = std::clamp(to, m_min, m_max);
    const int knob = toSteps(to);
    setSliderPosition(knob);
    if (knob != QSlider::value()) {
        // The knob moves: userMoved() announces the value.
        m_exact = to;
        return;
    }
    if (to != from) {
        m_current = to;
        tellValue();
        Q_EMIT valueEdited(to);
    }
}

int Slider::toSteps(double value) const
{
    if (!std::isfinite(value))
        return 0;
    const double t = std::clamp((value - m_min) / (m_max - m_min), 0.0, 1.0);
    return int(std::lround(t * steps));
}

double Slider::fromSteps(int s) const
{
    return std::clamp(m_min + (m_max - m_min) * double(s) / steps, m_min, m_max);
}

double Slider::position() const
{
    return fromSteps(QSlider::value());
}

void Slider::setValue(double value)
{
    if (isSliderDown()) {
        m_pending = value;
        return;
    }
    display(value);
}

void Slider::display(double value)
{
    m_current = value;
    const int s = toSteps(value);
    if (s != QSlider::value()) {
        KnobOnly knob(this);
        m_setting = true;
        QSlider::setValue(s);
        m_setting = false;
    }
    tellValue();
}

void Slider::setValueText(std::function<QString(double)> words)
{
    m_words = std::move(words);
}

QString Slider::valueText() const
{
    const double value = spokenValue();
    return m_words ? m_words(value) : QString::number(value);
}

QString Slider::amount(double value, int decimals, const QString& one, const QString& many)
{
    const QString number = QString::number(std::isfinite(value) ? value : 0.0, 'f', std::max(0, decimals));
    return number + u' ' + (number == u"1" ? one : many);
}

double Slider::spokenValue() const
{
    return m_current && std::isfinite(*m_current) ? *m_current : position();
}

void Slider::editTo(double value)
{
    if (!std::isfinite(value))
        return;
    const double to = snapped(std::clamp(value, m_min, m_max));
    if (isSliderDown() || (m_current && *m_current == to))
        return;
    display(to);
    Q_EMIT valueEdited(to);
}

void Slider::tellValue()
{
    // Only a value a reader has read can change for them.
    if (!m_heard || !QAccessible::isActive())
        return;
    const double value = spokenValue();
    if (*m_heard == value)
        return;
    m_heard = value;
    if (!isVisible())
        return;
    // A key can move the value without moving the knob, while Qt's own
    // event is still awaited: this one goes out all the same.
    const bool knobOnly = std::exchange(m_knobOnly, false);
    QAccessibleValueChangeEvent event(this, value);
    QAccessible::updateAccessibility(&event);
    m_knobOnly = knobOnly;
}

QAccessibleInterface* Slider::accessibleFor(QObject* object)
{
    return object == this ? new SliderAccessible(this) : nullptr;
}

void Slider::sliderChange(SliderChange change)
{
    // Qt has sent its value event by now.
    if (change == SliderValueChange)
        m_knobOnly = false;
    QSlider::sliderChange(change);
}

void Slider::keyPressEvent(QKeyEvent* event)
{
    KnobOnly knob(this);
    QSlider::keyPressEvent(event);
}

void Slider::setTint(const QColor& color)
{
    m_tint = color;
    update();
}

QSize Slider::sizeHint() const
{
    return QSize(160, int(knobDiameter) + 4);
}

QSize Slider::minimumSizeHint() const
{
    return QSize(int(knobDiameter) * 3, int(knobDiameter) + 4);
}

int Slider::stepsAt(qreal x) const
{
    const qreal usable = width() - knobDiameter;
    const qreal t = usable > 0 ? (x - knobDiameter / 2.0) / usable : 0.0;
    return int(std::lround(std::clamp(t, 0.0, 1.0) * steps));
}

void Slider::moveToPointer(qreal x)
{
    const qreal usable = width() - knobDiameter;
    const qreal t = std::clamp(usable > 0 ? (x - knobDiameter / 2.0) / usable : 0.0, 0.0, 1.0);
    m_exact = m_min + (m_max - m_min) * t;
    {
        KnobOnly knob(this);
        QSlider::setValue(stepsAt(x));
    }
    m_exact.reset();
}

void Slider::mousePressEvent(QMouseEvent* event)
{
    // The knob jumps to the pointer and follows it (the desktop slider the
    // design comes from); the painted geometry is ours, not the style's.
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        event->ignore();
        return;
    }
    event->accept();
    const qreal usable = width() - knobDiameter;
    const qreal knobX = knobDiameter / 2.0 + usable * QSlider::value() / steps;
    m_grabOffset = std::abs(event->position().x() - knobX) <= knobDiameter / 2.0
        ? event->position().x() - knobX
        : 0.0;
    setSliderDown(true);
    moveToPointer(event->position().x() - m_grabOffset);
}

void Slider::mouseMoveEvent(QMouseEvent* event)
{
    if (!isSliderDown()) {
        event->ignore();
        return;
    }
    event->accept();
    moveToPointer(event->position().x() - m_grabOffset);
}

void Slider::mouseReleaseEvent(QMouseEvent* event)
{
    if (!isSliderDown() || event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    event->accept();
    {
        KnobOnly knob(this);
        setSliderDown(false);
    }
    update();
}

void Slider::wheelEvent(QWheelEvent* event)
{
    if (!hasFocus() || !isEnabled() || isSliderDown()) {
        m_wheelRemainder = 0;
        event->ignore();
        return;
    }
    event->accept();
    // One notch moves one step, the same step as an arrow key; a fine
    // wheel or a touchpad adds up its travel to whole notches.
    const QPoint angle = event->angleDelta();
    int delta = std::abs(angle.y()) >= std::abs(angle.x()) ? angle.y() : -angle.x();
    if (event->inverted())
        delta = -delta;
    m_wheelRemainder += delta;
    constexpr int notch = QWheelEvent::DefaultDeltasPerStep;
    while (m_wheelRemainder >= notch) {
        m_wheelRemainder -= notch;
        KnobOnly knob(this);
        triggerAction(SliderSingleStepAdd);
    }
    while (m_wheelRemainder <= -notch) {
        m_wheelRemainder += notch;
        KnobOnly knob(this);
        triggerAction(SliderSingleStepSub);
    }
}

void Slider::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    if (!isEnabled())
        p.setOpacity(0.45);
    const QRectF r = rect();
    const qreal usable = r.width() - knobDiameter;
    const qreal t = double(QSlider::value()) / steps;
    const qreal cx = knobDiameter / 2.0 + usable * t;
    const qreal cy = r.center().y();
    const QRectF track(knobDiameter / 2.0 - trackHeight / 2.0, cy - trackHeight / 2.0,
                       usable + trackHeight, trackHeight);
    shapes::fillCapsule(p, track, Palette::white(level::track));
    QRectF filled = track;
    filled.setRight(cx);
    if (filled.width() > 0)
        shapes::fillCapsule(p, filled, m_tint);
    const QRectF knob(cx - knobDiameter / 2.0, cy - knobDiameter / 2.0, knobDiameter, knobDiameter);
    p.setPen(Qt::NoPen);
    p.setBrush(Palette::black(level::muted));
    p.drawEllipse(knob.translated(0, 0.75));
    p.setBrush(isSliderDown() ? QColor(0xE4, 0xE2, 0xDD) : QColor(0xF4, 0xF3, 0xF0));
    p.drawEllipse(knob);
    p.setPen(QPen(Palette::black(level::trackStrong), 0.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(knob.adjusted(0.25, 0.25, -0.25, -0.25));
    // On the knob itself: at either end of the track a ring around it would
    // be cut by the slider's edge.
    if (hasFocus())
        FocusRing::paintCircle(p, knob);
}

} // namespace studio
