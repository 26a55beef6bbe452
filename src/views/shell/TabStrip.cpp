#include "views/shell/TabStrip.h"

#include "design/widgets/AccessibleSource.h"
#include "design/access/ButtonAccessible.h"
#include "design/focus/FocusHandOver.h"
#include "design/focus/FocusRing.h"
#include "design/style/Palette.h"
#include "design/style/Shapes.h"
#include "design/widgets/SymbolButton.h"
#include "design/widgets/SymbolLabel.h"
#include "design/focus/TabOrder.h"
#include "design/style/Symbols.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "services/UpdateService.h"
#include "state/AppState.h"
#include "state/StudioTab.h"
#include "views/shell/TabStripChip.h"
#include "views/shell/UpdatePill.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>
#include <QWindow>

#include <algorithm>
#include <cstdlib>

namespace studio {

namespace {

// The strip's two square buttons: a symbol on a faint rounded square, named
// by their tool tip (which a reader hears once, as the name).
class StripIconButton : public QAbstractButton, public AccessibleSource {
public:
    StripIconButton(const QString& symbol, int side, qreal radius, qreal symbolSize, QFont::Weight weight,
                    const QColor& color, const QString& help, QWidget* parent)
        : QAbstractButton(parent)
        , m_symbol(symbol)
        , m_radius(radius)
        , m_symbolSize(symbolSize)
        , m_weight(weight)
        , m_color(color)
    {
        setFixedSize(side, side);
        setFocusPolicy(Qt::TabFocus);
        setToolTip(help);
        setAccessibleName(help);
        setAttribute(Qt::WA_TranslucentBackground);
    }

protected:
    QAccessibleInterface* accessibleFor(QObject* object) override
    {
        return object == this ? new ButtonAccessible(this) : nullptr;
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r = rect();
        shapes::fillRounded(p, r, m_radius, Palette::white(isDown() ? 0.1 : 0.05));
        if (hasFocus())
            FocusRing::paintRounded(p, r, m_radius);
        Symbols::paint(p, r, m_symbol, m_color, m_symbolSize, m_weight);
    }

private:
    QString m_symbol;
    qreal m_radius;
    qreal m_symbolSize;
    QFont::Weight m_weight;
    QColor m_color;
};

// The chips' row scrolling sideways, with the new-tab button right after the
// chips in view: beside the last chip while they all fit, at the lane's end
// once they outgrow it, so it never scrolls out of reach.
class ChipLane : public QWidget {
public:
    ChipLane(QScrollArea* scroll, QWidget* trailing, int gap, QWidget* parent)
        : QWidget(parent)
        , m_scroll(scroll)
        , m_trailing(trailing)
        , m_gap(gap)
    {
        setAttribute(Qt::WA_TranslucentBackground);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        scroll->setParent(this);
        trailing->setParent(this);
        // The chips came or went, or one was renamed.
        scroll->widget()->installEventFilter(this);
    }

    QSize sizeHint() const override
    {
        return QSize(contentWidth() + m_gap + m_trailing->width(), laneHeight());
    }
    QSize minimumSizeHint() const override { return QSize(m_trailing->width(), laneHeight()); }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        place();
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_scroll->widget() && event->type() == QEvent::LayoutRequest) {
            updateGeometry();
            place();
        }
        return QWidget::eventFilter(watched, event);
    }

private:
    int contentWidth() const { return m_scroll->widget()->sizeHint().width(); }
    int laneHeight() const { return std::max(m_scroll->height(), m_trailing->height()); }

    void place()
    {
        const int room = std::max(0, width() - m_gap - m_trailing->width());
        const int shown = std::min(contentWidth(), room);
        m_scroll->setGeometry(0, (height() - m_scroll->height()) / 2, shown, m_scroll->height());
        m_trailing->move(shown + m_gap, (height() - m_trailing->height()) / 2);
    }

    QScrollArea* m_scroll;
    QWidget* m_trailing;
    int m_gap;
};

} // namespace

TabStrip::TabStrip(AppState& app, QWidget* parent)
    : QWidget(parent)
    , m_app(app)
    , m_scroll(new QScrollArea(this))
    , m_chipRow(new QHBoxLayout(new QWidget))
    , m_chips(m_chipRow, 0)
    , m_newTab(new StripIconButton(QStringLiteral("plus"), 24, 7, 10, QFont::DemiBold, Palette::textTertiary(),
                                   QStringLiteral("New studio tab (Ctrl+T)"), this))
    , m_pill(new UpdatePill(this))
    , m_gear(new StripIconButton(QStringLiteral("gearshape.fill"), 28, 8, 12, QFont::Medium,
                                 Palette::textSecondary(), QStringLiteral("Settings (Ctrl+,)"), this))
{
    setAttribute(Qt::WA_StyledBackground, false);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(12, 8, 12, 8);
    row->setSpacing(10);
    // An empty lead of 64 points before the brand, followed by the row's
    // spacing like every other child (a layout adds none after a spacer).
    row->addSpacing(64 + row->spacing());

    // The brand.
    auto* brand = new QWidget(this);
    auto* brandRow = new QHBoxLayout(brand);
    brandRow->setContentsMargins(0, 0, 4, 0);
    brandRow->setSpacing(5);
    brandRow->addWidget(new SymbolLabel(QStringLiteral("film.fill"), 10, Palette::gold(), QFont::Bold, brand), 0,
                        Qt::AlignVCenter);
    auto* wordmark = new TextLabel(QStringLiteral("PALISADEMOTION"), Theme::font(type::label, QFont::Bold, 1.8),
                                   Palette::textTertiary(), brand);
    wordmark->setMinimumWidth(wordmark->sizeHint().width());
    brandRow->addWidget(wordmark, 0, Qt::AlignVCenter);
    brand->setAttribute(Qt::WA_TransparentForMouseEvents);
    row->addWidget(brand, 0, Qt::AlignVCenter);

    // The chips scroll sideways when they outgrow the strip; the new-tab
    // button stays after them in view.
    QWidget* chipHost = m_chipRow->parentWidget();
    chipHost->setAttribute(Qt::WA_TranslucentBackground);
    m_chipRow->setContentsMargins(0, 0, 0, 0);
    m_chipRow->setSpacing(6);
    m_chipRow->addStretch(1);
    m_scroll->setWidget(chipHost);
    chipHost->setAutoFillBackground(false); // setWidget() turns it on
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The row is scrolled with the wheel; Tab goes to the chips in it.
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_scroll->viewport()->setAutoFillBackground(false);
    m_scroll->viewport()->installEventFilter(this);
    row->addWidget(new ChipLane(m_scroll, m_newTab, m_chipRow->spacing(), this), 1, Qt::AlignVCenter);

    row->addWidget(m_pill, 0, Qt::AlignVCenter);
    row->addWidget(m_gear, 0, Qt::AlignVCenter);

    connect(m_newTab, &QAbstractButton::clicked, this, [this] { m_app.newHomeTab(); });
    connect(m_gear, &QAbstractButton::clicked, this, [this] { m_app.setShowSettingsRequest(true); });
    connect(m_pill, &QAbstractButton::clicked, this, [this] { m_app.setShowSettingsRequest(true); });
    connect(&m_app, &AppState::tabsChanged, this, &TabStrip::syncChips);
    connect(&m_app, &AppState::selectedTabIDChanged, this, [this] {
        refreshChips();
        revealSelectedChipLater();
    });
    connect(&m_app.updates(), &UpdateService::phaseChanged, this, &TabStrip::refreshPill);

    syncChips();
    refreshPill();
}

TabStrip::~TabStrip() = default;

void TabStrip::syncChips()
{
    // A tab closed from the keyboard takes its chip with the keyboard in it:
    // the chip now in its place (or the one before, for the last) gets it,
    // rather than nothing in the window.
    const QList<TabStripChip*> before = m_chips.widgets();
    const auto stays = [this](const TabStripChip* chip) { return m_app.tab(chip->tabID()) != nullptr; };
    for (qsizetype i = 0; i < before.size(); ++i) {
        if (stays(before[i]) || !keyboardWithin(before[i]))
            continue;
        TabStripChip* next = nullptr;
        for (qsizetype j = i + 1; j < before.size() && !next; ++j)
            next = stays(before[j]) ? before[j] : nullptr;
        for (qsizetype j = i - 1; j >= 0 && !next; --j)
            next = stays(before[j]) ? before[j] : nullptr;
        if (next)
            handOverFocus(before[i], next);
    }
    bool added = false;
    m_chips.sync(
        m_app.tabs(), [](const StudioTab* tab) { return tab->id(); },
        [this, &added](StudioTab* tab) {
            added = true;
            auto* chip = new TabStripChip(*tab);
            connect(chip, &TabStripChip::clicked, this, [this](const QUuid& id) { m_app.setSelectedTabID(id); });
            // A failed save keeps the tab; the store's error shows in the window.
            connect(chip, &TabStripChip::closeClicked, this, [this](const QUuid& id) {
                // The tab on screen ends the edit under way in it before it is
                // saved, as leaving the field would: a tag typed but not yet
                // committed goes with the production.
                if (id == m_app.selectedTabID()) {
                    QWidget* typing = window()->focusWidget();
                    if (typing && typing->hasFocus() && !isAncestorOf(typing))
                        typing->clearFocus();
                }
                m_app.closeTab(id);
            });
            connect(chip, &TabStripChip::hoverEntered, this, &TabStrip::hoverEntered);
            connect(chip, &TabStripChip::hoverLeft, this, &TabStrip::hoverLeft);
            return chip;
        },
        [](TabStripChip*, const StudioTab*, int) {});
    if (!m_app.tab(m_hoveredID))
        m_hoveredID = QUuid();
    // Keep the height the chips ask for; the scroll area itself has none.
    const int h = m_scroll->widget()->sizeHint().height();
    m_scroll->setFixedHeight(h);
    orderFocus();
    refreshChips();
    if (added)
        revealSelectedChipLater();
}

void TabStrip::orderFocus()
{
    // Tab crosses the strip as the eye reads it: each chip, then its close
    // button, the new-tab button, the update pill, the gear. A chip made
    // later would otherwise come after the screen below, and the gear before
    // the chips.
    QList<QWidget*> stops;
    for (TabStripChip* chip : m_chips.widgets())
        stops << chip << chip->closeButton();
    stops << m_newTab << m_pill << m_gear;
    TabOrder::chain(nullptr, stops);
}

void TabStrip::refreshChips()
{
    const bool several = m_app.tabs().size() >= 2;
    for (TabStripChip* chip : m_chips.widgets()) {
        chip->setSelected(chip->tabID() == m_app.selectedTabID());
        chip->setHovered(chip->tabID() == m_hoveredID);
        chip->setClosable(!chip->isHome() || several);
    }
}

void TabStrip::revealSelectedChipLater()
{
    // Only a new selection or a new tab scrolls the row: a hover must leave
    // where the user scrolled to alone, or tabs out of view could never be
    // reached with the pointer. A chip just added has no place yet; it is
    // brought into view once the row has been laid out.
    QMetaObject::invokeMethod(this, &TabStrip::revealSelectedChip, Qt::QueuedConnection);
}

void TabStrip::revealSelectedChip()
{
    if (TabStripChip* selected = m_chips.widget(m_app.selectedTabID())) {
        m_scroll->widget()->layout()->activate();
        m_scroll->ensureWidgetVisible(selected, 0, 0);
    }
}

bool TabStrip::eventFilter(QObject* watched, QEvent* event)
{
    // The row has no scroll bar to grab: an ordinary wheel moves it sideways.
    if (watched == m_scroll->viewport() && event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        const QPoint delta = wheel->angleDelta();
        const int steps = std::abs(delta.x()) > std::abs(delta.y()) ? delta.x() : delta.y();
        QScrollBar* bar = m_scroll->horizontalScrollBar();
        bar->setValue(bar->value() - steps * bar->singleStep() * 3 / 120);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TabStrip::refreshPill()
{
    m_pill->setVisible(m_app.updates().phase().kind == UpdatePhase::Kind::available);
}

void TabStrip::hoverEntered(const QUuid& id)
{
    m_hoveredID = id;
    refreshChips();
}

void TabStrip::hoverLeft(const QUuid& id)
{
    // The pointer may already be on the next chip: its enter can arrive before
    // this leave, and must not be undone.
    if (m_hoveredID != id)
        return;
    m_hoveredID = QUuid();
    refreshChips();
}

void TabStrip::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Palette::black(level::shade));
}

void TabStrip::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        if (QWindow* handle = window()->windowHandle()) {
            if (handle->startSystemMove()) {
                event->accept();
                return;
            }
        }
    }
    QWidget::mousePressEvent(event);
}

} // namespace studio
