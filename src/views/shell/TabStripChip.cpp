#include "views/shell/TabStripChip.h"

#include "design/focus/FocusRing.h"
#include "design/focus/KeyboardActivation.h"
#include "design/style/Palette.h"
#include "design/style/PointerHover.h"
#include "design/access/ChoiceAccessible.h"
#include "design/style/Shapes.h"
#include "design/widgets/SpokenName.h"
#include "design/widgets/SymbolButton.h"
#include "design/widgets/SymbolLabel.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "state/ProjectSession.h"
#include "state/StudioTab.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace studio {

namespace {

constexpr qreal radius = 9;

} // namespace

TabStripChip::TabStripChip(StudioTab& tab, QWidget* parent)
    : QWidget(parent)
    , m_tabID(tab.id())
    , m_session(tab.session())
    , m_icon(new SymbolLabel(tab.isHome() ? QStringLiteral("house.fill") : QStringLiteral("film"), 9,
                             Palette::textTertiary(), QFont::Medium, this))
    , m_name(new TextLabel(QString(), Theme::font(type::bodyLarge), Palette::textSecondary(), this))
    , m_close(new SymbolButton(QStringLiteral("xmark"), 7, Palette::textTertiary(), QFont::Bold, this))
{
    setAttribute(Qt::WA_Hover);
    // Reached with Tab; a click leaves the focus where it was.
    setFocusPolicy(Qt::TabFocus);
    // The chip keeps the width its name asks for, up to its maximum; when the
    // chips outgrow the strip, the strip scrolls instead of squeezing them.
    setMaximumWidth(maximumChipWidth);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setCursor(Qt::ArrowCursor);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(11, 6, 11, 6);
    row->setSpacing(6);
    row->addWidget(m_icon, 0, Qt::AlignVCenter);
    row->addWidget(m_name, 1, Qt::AlignVCenter);
    row->addWidget(m_close, 0, Qt::AlignVCenter);

    m_close->setToolTip(QStringLiteral("Close tab"));
    connect(m_close, &QAbstractButton::clicked, this, [this] { Q_EMIT closeClicked(m_tabID); });
    // The close button holds the keyboard only when the user put it there
    // (Tab from a control on screen): focus never falls to it from a control
    // hidden with the keyboard (FocusHandOver), so Space cannot close a
    // production by surprise. While it holds the keyboard it shows, on any
    // chip: a focused control the user cannot see is a lost keyboard.
    m_focusWatch = connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (now == m_close || old == m_close)
            refreshLook();
    });
    // The strip scrolls chips under a still pointer: the hover follows the
    // pointer, not only its enter and leave.
    connect(new PointerHover(this), &PointerHover::changed, this, [this](bool over) {
        if (over)
            Q_EMIT hoverEntered(m_tabID);
        else
            Q_EMIT hoverLeft(m_tabID);
    });

    if (m_session)
        connect(m_session, &ProjectSession::projectChanged, this, &TabStripChip::refreshName);
    refreshName();
    refreshLook();
}

TabStripChip::~TabStripChip()
{
    // The close button is destroyed after the chip's other parts; the focus
    // it may hold leaves it then, and the chip must not answer.
    disconnect(m_focusWatch);
}

QString TabStripChip::name() const
{
    return m_name->text();
}

void TabStripChip::refreshName()
{
    const QString name = m_session ? m_session->project().name : QStringLiteral("Home");
    m_name->setText(name);
    setSpokenName(this, name);
    // Which tab it closes, as the chip's name.
    setSpokenName(m_close, QStringLiteral("Close tab ") + name);
}

void TabStripChip::setSelected(bool selected)
{
    if (selected == m_selected)
        return;
    m_selected = selected;
    refreshLook();
    tellChoiceChanged(this);
}

void TabStripChip::setHovered(bool hovered)
{
    if (hovered == m_hovered)
        return;
    m_hovered = hovered;
    refreshLook();
}

void TabStripChip::setClosable(bool closable)
{
    if (closable == m_closable)
        return;
    m_closable = closable;
    refreshLook();
}

bool TabStripChip::isCloseButtonShown() const
{
    return m_closable && (m_selected || m_hovered || m_close->hasFocus());
}

void TabStripChip::refreshLook()
{
    m_icon->setColor(m_selected ? Palette::gold() : Palette::textTertiary());
    m_name->setFont(Theme::font(type::bodyLarge, m_selected ? QFont::DemiBold : QFont::Normal));
    m_name->setColor(m_selected ? Palette::textPrimary() : Palette::textSecondary());
    m_close->setVisible(m_closable);
    // A hidden close button keeps its place so the chip doesn't jump under
    // the pointer; it takes clicks only while it shows.
    const bool shown = isCloseButtonShown();
    m_close->setColor(shown ? Palette::textTertiary() : QColor(Qt::transparent));
    m_close->setAttribute(Qt::WA_TransparentForMouseEvents, !shown);
    update();
}

void TabStripChip::activate()
{
    Q_EMIT clicked(m_tabID);
}

void TabStripChip::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = rect();
    if (m_selected) {
        shapes::fillRounded(p, r, radius, Palette::surfaceHigh());
        shapes::strokeRoundedInside(p, r, radius, Palette::hairlineStrong(), 1.0);
    } else if (m_hovered) {
        shapes::fillRounded(p, r, radius, Palette::white(level::veil));
    }
    if (hasFocus())
        FocusRing::paintRounded(p, r, radius);
}

void TabStripChip::keyPressEvent(QKeyEvent* event)
{
    // Space or Return selects the tab, as a click does.
    if (KeyboardActivation::isActivationPress(*event)) {
        activate();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TabStripChip::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_pressed = true;
    event->accept();
}

void TabStripChip::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        Q_EMIT clicked(m_tabID);
}


// What assistive technology reads of a chip: a page tab named by its tab,
// selected while its tab is, pressed to select it.
QAccessibleInterface* TabStripChip::accessibleFor(QObject* object)
{
    if (object != this)
        return nullptr;
    auto* iface = new ChoiceAccessible(this, ChoiceAccessible::Kind::page, [this] { return isSelected(); });
    iface->setPress([this] { activate(); });
    return iface;
}

} // namespace studio
