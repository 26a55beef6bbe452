#include "design/access/ContainerAccessible.h"

#include "design/widgets/MenuButton.h"

#include <QAbstractScrollArea>
#include <QAccessibleWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextEdit>

#include <utility>

namespace studio {

namespace {

// A scroll area reads as Qt reads it: its viewport, then the container of
// each scroll bar that shows, then its corner widget.
class ScrollAreaAccessible : public QAccessibleWidget {
public:
    explicit ScrollAreaAccessible(QAbstractScrollArea* area)
        : QAccessibleWidget(area, QAccessible::Client)
    {
    }

    bool isValid() const override { return QAccessibleWidget::isValid() && area()->viewport(); }
    int childCount() const override { return int(parts().size()); }

    QAccessibleInterface* child(int index) const override
    {
        // (value() is null out of range, and so is the interface of null.)
        return QAccessible::queryAccessibleInterface(parts().value(index));
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        auto* w = child ? qobject_cast<QWidget*>(child->object()) : nullptr;
        return w ? int(parts().indexOf(w)) : -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override
    {
        if (!area()->isVisible())
            return nullptr;
        for (QWidget* part : parts()) {
            if (QRect(part->mapToGlobal(QPoint(0, 0)), part->size()).contains(x, y))
                return QAccessible::queryAccessibleInterface(part);
        }
        return nullptr;
    }

private:
    QAbstractScrollArea* area() const { return static_cast<QAbstractScrollArea*>(widget()); }

    QWidgetList parts() const
    {
        QWidgetList found;
        if (QWidget* viewport = area()->viewport())
            found << viewport;
        for (QScrollBar* bar : {area()->horizontalScrollBar(), area()->verticalScrollBar()}) {
            if (bar && bar->isVisible() && bar->parentWidget())
                found << bar->parentWidget();
        }
        if (QWidget* corner = area()->cornerWidget(); corner && corner->isVisible())
            found << corner;
        return found;
    }
};

// Qt's own interface of a widget, read through unchanged, except that a
// child that is not there is never asked of it.
class BoundedAccessible : public QAccessibleInterface {
public:
    explicit BoundedAccessible(QAccessibleInterface* qt)
        : m_qt(qt)
    {
    }

    bool isValid() const override { return m_qt->isValid(); }
    QObject* object() const override { return m_qt->object(); }
    QWindow* window() const override { return m_qt->window(); }
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(QAccessible::Relation match) const override
    {
        return m_qt->relations(match);
    }
    QAccessibleInterface* focusChild() const override { return m_qt->focusChild(); }
    QAccessibleInterface* childAt(int x, int y) const override { return m_qt->childAt(x, y); }
    QAccessibleInterface* parent() const override
    {
        if (QWidget* owner = MenuButton::owning(qobject_cast<const QMenu*>(m_qt->object())))
            return QAccessible::queryAccessibleInterface(owner);
        return m_qt->parent();
    }
    QAccessibleInterface* child(int index) const override
    {
        return index >= 0 && index < childCount() ? m_qt->child(index) : nullptr;
    }
    int childCount() const override { return m_qt->childCount(); }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child ? m_qt->indexOfChild(child) : -1;
    }
    QString text(QAccessible::Text t) const override { return m_qt->text(t); }
    void setText(QAccessible::Text t, const QString& text) override { m_qt->setText(t, text); }
    QRect rect() const override { return m_qt->rect(); }
    QAccessible::Role role() const override { return m_qt->role(); }
    QAccessible::State state() const override { return m_qt->state(); }
    QColor foregroundColor() const override { return m_qt->foregroundColor(); }
    QColor backgroundColor() const override { return m_qt->backgroundColor(); }
    void* interface_cast(QAccessible::InterfaceType type) override { return m_qt->interface_cast(type); }
    void virtual_hook(int id, void* data) override { m_qt->virtual_hook(id, data); }

private:
    // Kept by Qt's cache beside this one and dropped with it when the
    // widget goes.
    QAccessibleInterface* m_qt;
};

// Qt's own interface of the widget, bounded. Qt makes it when asked for the
// widget while this factory stands aside; its cache then keeps both, and
// hands out the later one, this, for the widget from then on.
QAccessibleInterface* boundedQtInterface(QWidget* widget)
{
    static QWidget* askingQtFor = nullptr;
    if (askingQtFor == widget)
        return nullptr;
    QWidget* const outer = std::exchange(askingQtFor, widget);
    QAccessibleInterface* qt = QAccessible::queryAccessibleInterface(widget);
    askingQtFor = outer;
    return qt ? new BoundedAccessible(qt) : nullptr;
}

} // namespace

QAccessibleInterface* makeContainerAccessible(QWidget* widget)
{
    // Text inputs scroll too, but read as text (TextAccessible, or Qt).
    if (auto* area = qobject_cast<QAbstractScrollArea*>(widget)) {
        if (qobject_cast<QTextEdit*>(widget) || qobject_cast<QPlainTextEdit*>(widget)
            || widget->inherits("QAbstractItemView") || widget->inherits("QGraphicsView")
            || widget->inherits("QMdiArea"))
            return nullptr;
        return new ScrollAreaAccessible(area);
    }
    // Qt reads a main window as a plain window reads.
    if (qobject_cast<QMainWindow*>(widget))
        return new QAccessibleWidget(widget, QAccessible::Window);
    // Menus hold items only Qt can make: they keep Qt's interface, bounded.
    if (qobject_cast<QMenu*>(widget) || qobject_cast<QMenuBar*>(widget))
        return boundedQtInterface(widget);
    return nullptr;
}

} // namespace studio
