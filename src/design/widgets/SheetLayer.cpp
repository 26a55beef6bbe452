#include "design/widgets/SheetLayer.h"

#include "design/widgets/SheetDialog.h"

#include <QAction>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QShortcut>

namespace studio {

SheetLayer* SheetLayer::of(QWidget* window)
{
    if (SheetLayer* layer = existing(window))
        return layer;
    return new SheetLayer(window);
}

SheetLayer* SheetLayer::existing(const QWidget* window)
{
    return window ? window->findChild<SheetLayer*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

SheetLayer::SheetLayer(QWidget* window)
    : QWidget(window)
    , m_window(window)
{
    setObjectName(QStringLiteral("sheetLayer"));
    setFocusPolicy(Qt::NoFocus);
    hide();
    window->installEventFilter(this);
}

SheetLayer::~SheetLayer()
{
    // The sheets on it go with it (the window is going): they find no layer
    // to leave.
    qApp->removeEventFilter(this);
    for (SheetDialog* sheet : findChildren<SheetDialog*>(QString(), Qt::FindDirectChildrenOnly))
        sheet->m_layer = nullptr;
}

QList<SheetDialog*> SheetLayer::sheets() const
{
    QList<SheetDialog*> standing;
    for (const QPointer<SheetDialog>& sheet : m_sheets) {
        if (sheet)
            standing.append(sheet);
    }
    return standing;
}

SheetDialog* SheetLayer::top() const
{
    for (auto it = m_sheets.crbegin(); it != m_sheets.crend(); ++it) {
        if (*it)
            return *it;
    }
    return nullptr;
}

SheetDialog* SheetLayer::below(const SheetDialog* sheet) const
{
    const QList<SheetDialog*> standing = sheets();
    const qsizetype at = standing.indexOf(sheet);
    return at > 0 ? standing.at(at - 1) : nullptr;
}

void SheetLayer::add(SheetDialog* sheet)
{
    m_sheets.removeAll(sheet);
    m_sheets.append(sheet);
    // A menu up in the window would take clicks and keys beside the sheet.
    for (int i = 0; i < 16 && QApplication::activePopupWidget(); ++i)
        QApplication::activePopupWidget()->close();
    if (m_sheets.size() == 1)
        qApp->installEventFilter(this);
    show();
    fit();
    raise();
}

void SheetLayer::remove(SheetDialog* sheet)
{
    const bool wasStanding = !m_sheets.isEmpty();
    m_sheets.removeAll(sheet);
    m_sheets.removeAll(nullptr);
    if (wasStanding && m_sheets.isEmpty())
        qApp->removeEventFilter(this);
}

void SheetLayer::hideWhenEmpty()
{
    if (m_sheets.isEmpty())
        hide();
}

void SheetLayer::fit()
{
    if (!m_window)
        return;
    setGeometry(m_window->rect());
    for (SheetDialog* sheet : sheets())
        sheet->place();
}

bool SheetLayer::ofWindow(const QWidget* widget) const
{
    // A menu is a window of its own whose parent is the widget it opened
    // from.
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (w == m_window)
            return true;
    }
    return false;
}

bool SheetLayer::blocks(const QObject* receiver) const
{
    const SheetDialog* sheet = top();
    if (!sheet || !receiver || receiver == this)
        return false;
    const auto outside = [this, sheet](const QWidget* w) {
        return w && w != this && w != sheet && !sheet->isAncestorOf(w) && ofWindow(w);
    };
    if (receiver->isWidgetType())
        return outside(static_cast<const QWidget*>(receiver));
    // A shortcut belongs where its widget stands; an action where it was
    // added (a menu of the menu bar, a button).
    if (const auto* shortcut = qobject_cast<const QShortcut*>(receiver))
        return outside(qobject_cast<const QWidget*>(shortcut->parent()));
    if (const auto* action = qobject_cast<const QAction*>(receiver)) {
        bool anyOutside = false;
        for (const QObject* o : action->associatedObjects()) {
            const auto* w = qobject_cast<const QWidget*>(o);
            if (w && !outside(w) && ofWindow(w))
                return false;
            anyOutside = anyOutside || outside(w);
        }
        return anyOutside || outside(qobject_cast<const QWidget*>(action->parent()));
    }
    return false;
}

void SheetLayer::bringKeyboardBack(Qt::FocusReason reason)
{
    SheetDialog* sheet = top();
    if (!sheet || m_bringingBack)
        return;
    m_bringingBack = true;
    sheet->takeKeyboard(reason);
    m_bringingBack = false;
}

bool SheetLayer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window) {
        if (event->type() == QEvent::Resize && !m_sheets.isEmpty())
            fit();
        // The window's own events pass on below, as any of its widgets'.
    }
    if (m_sheets.isEmpty())
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::InputMethod:
    case QEvent::Shortcut:
    case QEvent::TabletPress:
    case QEvent::TouchBegin:
    case QEvent::Drop:
        // A press begun before the sheet came still ends where it began: its
        // release passes.
        return blocks(watched);
    case QEvent::FocusIn: {
        // Tab walked out past the sheet, the program gave a control outside
        // it the keyboard, or the menu bar took it for Alt: back into the
        // sheet, at the edge Tab was heading for.
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget == QApplication::focusWidget() && widget->window() == m_window && blocks(widget))
            bringKeyboardBack(static_cast<QFocusEvent*>(event)->reason());
        break;
    }
    default:
        break;
    }
    return false;
}

void SheetLayer::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

void SheetLayer::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
}

void SheetLayer::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
}

void SheetLayer::wheelEvent(QWheelEvent* event)
{
    event->accept();
}

void SheetLayer::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
}

void SheetLayer::keyPressEvent(QKeyEvent* event)
{
    // Keys the sheet left unhandled end here, short of the window.
    event->accept();
}

} // namespace studio
