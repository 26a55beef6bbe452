#include "design/widgets/DestructiveAction.h"

#include "design/style/Palette.h"

#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionMenuItem>
#include <QWidgetAction>

namespace studio {

namespace {

constexpr const char* destructiveProperty = "studioDestructive";

// The entry's face: the menu's style draws it from the same option the menu
// builds for its plain entries, so padding, icon column and selection match
// theirs; only the text colour differs.
class DestructiveMenuItem : public QWidget {
public:
    DestructiveMenuItem(QAction* action, QMenu* menu)
        : m_action(action)
        , m_menu(menu)
    {
        setAttribute(Qt::WA_TranslucentBackground);
        setFocusPolicy(Qt::NoFocus);
        // Pointer moves pass through to the menu, which selects the entry.
        setMouseTracking(true);
        // The menu tracks the pointer and the keys; the face only follows.
        connect(menu, &QMenu::hovered, this, [this] { update(); });
        connect(menu, &QMenu::aboutToShow, this, [this] { update(); });
        connect(action, &QAction::changed, this, [this] {
            updateGeometry();
            update();
        });
    }

    QSize sizeHint() const override
    {
        const QStyleOptionMenuItem opt = option();
        const QFontMetrics fm(opt.font);
        const QFontMetrics menuFm(m_menu->font());
        QString text = m_action->text();
        if (const qsizetype tab = text.indexOf(u'\t'); tab >= 0)
            text.truncate(tab);
        QSize size(fm.boundingRect(QRect(), Qt::TextSingleLine | Qt::TextShowMnemonic, text).width(),
                   std::max(fm.height(), menuFm.height()));
        if (!m_action->icon().isNull()) {
            const int icon = m_menu->style()->pixelMetric(QStyle::PM_SmallIconSize, &opt, m_menu);
            size.setHeight(std::max(size.height(), icon));
        }
        return m_menu->style()->sizeFromContents(QStyle::CT_MenuItem, &opt, size, m_menu);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        QStyleOptionMenuItem opt = option();
        opt.rect = rect();
        m_menu->style()->drawControl(QStyle::CE_MenuItem, &opt, &p, m_menu);
    }

private:
    QStyleOptionMenuItem option() const
    {
        QStyleOptionMenuItem opt;
        opt.initFrom(m_menu);
        opt.palette = m_menu->palette();
        opt.state = QStyle::State_None;
        if (m_menu->isActiveWindow())
            opt.state |= QStyle::State_Active;
        if (m_menu->isEnabled() && m_action->isEnabled()) {
            opt.state |= QStyle::State_Enabled;
            for (const auto group : {QPalette::Active, QPalette::Inactive})
                opt.palette.setColor(group, QPalette::ButtonText, Palette::danger());
        } else {
            opt.palette.setCurrentColorGroup(QPalette::Disabled);
        }
        if (m_menu->activeAction() == m_action)
            opt.state |= QStyle::State_Selected;
        opt.font = m_action->font().resolve(m_menu->font());
        opt.fontMetrics = QFontMetrics(opt.font);
        opt.menuItemType = QStyleOptionMenuItem::Normal;
        opt.checkType = QStyleOptionMenuItem::NotCheckable;
        if (m_action->isIconVisibleInMenu())
            opt.icon = m_action->icon();
        opt.text = m_action->text();
        if (!opt.text.contains(u'\t') && !m_action->shortcut().isEmpty())
            opt.text += u'\t' + m_action->shortcut().toString(QKeySequence::NativeText);
        // The columns the menu reserves for its plain entries' icons, check
        // marks and shortcuts.
        const int icon = m_menu->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, m_menu);
        const QFontMetrics menuFm(m_menu->font());
        opt.menuHasCheckableItems = false;
        opt.maxIconWidth = 0;
        opt.reservedShortcutWidth = 0;
        for (const QAction* other : m_menu->actions()) {
            if (other->isSeparator() || !other->isVisible() || qobject_cast<const QWidgetAction*>(other))
                continue;
            opt.menuHasCheckableItems |= other->isCheckable();
            if (!other->icon().isNull())
                opt.maxIconWidth = std::max(opt.maxIconWidth, icon + 4);
            const QString text = other->text();
            if (const qsizetype tab = text.indexOf(u'\t'); tab >= 0)
                opt.reservedShortcutWidth = std::max(opt.reservedShortcutWidth, menuFm.horizontalAdvance(text.mid(tab + 1)));
            else if (!other->shortcut().isEmpty())
                opt.reservedShortcutWidth = std::max(
                    opt.reservedShortcutWidth,
                    menuFm.horizontalAdvance(other->shortcut().toString(QKeySequence::NativeText)));
        }
        opt.menuRect = m_menu->rect();
        return opt;
    }

    QAction* m_action;
    QMenu* m_menu;
};

} // namespace

QAction* addDestructiveAction(QMenu* menu, const QString& text)
{
    auto* action = new QWidgetAction(menu);
    action->setText(text);
    action->setProperty(destructiveProperty, true);
    action->setDefaultWidget(new DestructiveMenuItem(action, menu));
    menu->addAction(action);
    return action;
}

bool isDestructive(const QAction* action)
{
    return action && action->property(destructiveProperty).toBool();
}

} // namespace studio
