#include "design/focus/FocusOutline.h"

#include "design/focus/FocusRing.h"

#include <QEvent>
#include <QPainter>
#include <QScrollArea>
#include <QWidget>

#include <cmath>

namespace studio {

namespace {

constexpr qreal radius = 8;

class OutlineRing : public QWidget {
public:
    explicit OutlineRing(QWidget* parent)
        : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_TranslucentBackground);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        FocusRing::paintRounded(p, rect(), radius);
    }
};

// Where the ring is drawn: the page the input scrolls in (so the page's edge
// cuts it as it cuts the input), else the window. The containers between
// (cards, rows, flows) may hold the input flush with their edge and would
// cut the ring off there.
QWidget* hostOf(QWidget* input)
{
    QWidget* w = input->parentWidget();
    for (; w && !w->isWindow(); w = w->parentWidget()) {
        QWidget* viewport = w->parentWidget();
        auto* page = viewport ? qobject_cast<QScrollArea*>(viewport->parentWidget()) : nullptr;
        if (page && page->widget() == w)
            return w;
    }
    return w;
}

} // namespace

FocusOutline::FocusOutline(QWidget* input, QWidget* editor)
    : QObject(input)
    , m_input(input)
    , m_editor(editor)
{
    input->installEventFilter(this);
    if (editor != input)
        editor->installEventFilter(this);
}

FocusOutline::~FocusOutline()
{
    // The ring lives in a page or window that outlives the input.
    delete m_ring;
}

bool FocusOutline::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        if (watched == m_editor)
            follow();
        break;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::ParentChange:
        // The input, or a container between it and the ring's host, moved.
        if (watched == m_input || m_watched.contains(watched))
            follow();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void FocusOutline::watchContainers(QWidget* host)
{
    // Only while the ring shows: every event to a watched container passes
    // through here, and a page of inputs each focused once would otherwise
    // leave its cards watched many times over.
    QList<QPointer<QWidget>> containers;
    for (QWidget* w = host ? m_input->parentWidget() : nullptr; w && w != host; w = w->parentWidget())
        containers.append(w);
    if (containers == m_watched)
        return;
    for (const QPointer<QWidget>& w : std::as_const(m_watched))
        if (w)
            w->removeEventFilter(this);
    m_watched = containers;
    for (const QPointer<QWidget>& w : std::as_const(m_watched))
        w->installEventFilter(this);
}

void FocusOutline::follow()
{
    const bool shown = m_input->parentWidget() && m_input->isVisible() && m_editor->hasFocus();
    if (!shown) {
        if (m_ring)
            m_ring->hide();
        watchContainers(nullptr);
        return;
    }
    QWidget* host = hostOf(m_input);
    watchContainers(host);
    if (!m_ring || m_ring->parentWidget() != host) {
        delete m_ring;
        m_ring = new OutlineRing(host);
    }
    // Drawn in the page, round an input that may stand on light ground.
    if (FocusRing::onLightGround(m_input) && !FocusRing::onLightGround(m_ring))
        FocusRing::setLightGround(m_ring);
    const int out = int(std::ceil(outset));
    const QRect where(m_input->mapTo(host, QPoint(0, 0)), m_input->size());
    m_ring->setGeometry(where.adjusted(-out, -out, out, out));
    m_ring->show();
    m_ring->raise();
}

} // namespace studio
