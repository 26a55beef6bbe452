#include "design/style/PointerHover.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QList>
#include <QPointer>
#include <QWidget>

namespace studio {

// Every hover of the program, and the one application-wide watch that decides
// when they must be checked again. It lives as long as the application.
class PointerHoverRegistry : public QObject {
public:
    static PointerHoverRegistry* instance()
    {
        static QPointer<PointerHoverRegistry> registry;
        QCoreApplication* app = QCoreApplication::instance();
        if (!registry && app) {
            registry = new PointerHoverRegistry(app);
            app->installEventFilter(registry);
        }
        return registry;
    }

    void add(PointerHover* hover) { m_hovers.append(hover); }
    void remove(PointerHover* hover) { m_hovers.removeOne(hover); }

    void recheck()
    {
        m_pending = false;
        if (m_hovers.isEmpty())
            return;
        // While a popup menu is open it has the pointer to itself; what it was
        // opened over keeps its look until it closes (its hiding brings the
        // next check).
        if (QApplication::activePopupWidget())
            return;
        QWidget* under = QApplication::widgetAt(QCursor::pos());
        // A tooltip under the pointer hides what it covers, not the pointer.
        if (under && under->window()->windowType() == Qt::ToolTip)
            return;
        // A modal sheet or alert takes the pointer: the windows it blocks get
        // no hover, as they get no click.
        if (QWidget* modal = QApplication::activeModalWidget(); under && modal && under->window() != modal)
            under = nullptr;

        // Leaves before enters: a strip that keeps one hovered id must see
        // the new one last.
        QList<QPointer<PointerHover>> leaving, entering;
        for (PointerHover* hover : std::as_const(m_hovers)) {
            QWidget* w = hover->widget();
            const bool over = under && (under == w || w->isAncestorOf(under));
            if (over != hover->isHovered())
                (over ? entering : leaving).append(hover);
        }
        for (const QPointer<PointerHover>& hover : std::as_const(leaving)) {
            if (hover)
                hover->set(false);
        }
        for (const QPointer<PointerHover>& hover : std::as_const(entering)) {
            if (hover)
                hover->set(true);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        // A widget that slides, grows, shows or hides may come under a still
        // pointer or leave it.
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
        // Qt tells enter and leave to the widget it last saw under the
        // pointer. After a slide under a still pointer that is not the one a
        // check found hovered, which would keep its hover when the pointer
        // moves on or leaves the window: every crossing checks.
        case QEvent::Enter:
        case QEvent::Leave:
            if (watched->isWidgetType())
                schedule();
            break;
        default:
            break;
        }
        return false;
    }

private:
    explicit PointerHoverRegistry(QObject* parent)
        : QObject(parent)
    {
    }

    void schedule()
    {
        if (m_pending || m_hovers.isEmpty())
            return;
        m_pending = true;
        QMetaObject::invokeMethod(this, &PointerHoverRegistry::recheck, Qt::QueuedConnection);
    }

    QList<PointerHover*> m_hovers;
    bool m_pending = false;
};

PointerHover::PointerHover(QWidget* widget)
    : QObject(widget)
    , m_widget(widget)
{
    widget->installEventFilter(this);
    if (PointerHoverRegistry* registry = PointerHoverRegistry::instance())
        registry->add(this);
}

PointerHover::~PointerHover()
{
    if (PointerHoverRegistry* registry = PointerHoverRegistry::instance())
        registry->remove(this);
}

bool PointerHover::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_widget) {
        if (event->type() == QEvent::Enter)
            set(true);
        else if (event->type() == QEvent::Leave)
            set(false);
    }
    return QObject::eventFilter(watched, event);
}

void PointerHover::set(bool hovered)
{
    if (hovered == m_hovered)
        return;
    m_hovered = hovered;
    Q_EMIT changed(hovered);
}

} // namespace studio
