#include "views/settings/SettingsWindow.h"

#include "design/widgets/AccessibleSource.h"
#include "design/focus/FocusRing.h"
#include "design/widgets/HairlineDivider.h"
#include "design/widgets/ScrollColumn.h"
#include "design/style/Palette.h"
#include "design/access/ChoiceAccessible.h"
#include "design/style/Shapes.h"
#include "design/style/Symbols.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "design/widgets/ToolbarIconButton.h"
#include "state/AppState.h"
#include "views/settings/AISettingsPage.h"
#include "views/settings/GeneralSettingsPage.h"
#include "views/settings/UpdateSettingsPage.h"

#include <QAbstractButton>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QPainter>
#include <QShortcut>
#include <QShowEvent>
#include <QHideEvent>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace studio {

namespace {

QPointer<SettingsWindow> s_window;

// One item of the tab bar: the symbol over its label; the shown tab sits on
// a faint rounded square.
class SettingsTabButton : public QAbstractButton, public AccessibleSource {
public:
    SettingsTabButton(const QString& symbol, const QString& label, QWidget* parent)
        : QAbstractButton(parent)
        , m_symbol(symbol)
        , m_font(Theme::font(type::callout, QFont::Medium))
    {
        setText(label);
        // Checked only as the window shows its section. Not auto-exclusive:
        // Qt would then leave every section but the shown one out of the Tab
        // order. Each is reached with Tab; Space or Return shows its section.
        setCheckable(true);
        setFocusPolicy(Qt::TabFocus);
        setAccessibleName(label);
        // The section shown is the tab selected, and heard so.
        connect(this, &QAbstractButton::toggled, this, [this] { tellChoiceChanged(this); });
        const qreal w = std::max<qreal>(64, QFontMetricsF(m_font).horizontalAdvance(label) + 20);
        setFixedSize(int(std::ceil(w)), 48);
    }

protected:
    // A page tab, the shown one selected, pressed to show its section
    // (rather than a check box that happens to be checked).
    QAccessibleInterface* accessibleFor(QObject* object) override
    {
        if (object != this)
            return nullptr;
        return new ChoiceAccessible(this, ChoiceAccessible::Kind::page, [this] { return isChecked(); });
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r = rect();
        if (isChecked())
            shapes::fillRounded(p, r, 7, Palette::white(level::fill));
        const QColor color = isChecked() ? Palette::gold() : Palette::textSecondary();
        Symbols::paint(p, QRectF(0, 5, width(), 22), m_symbol, color, 16);
        p.setFont(m_font);
        p.setPen(isChecked() ? Palette::textPrimary() : Palette::textSecondary());
        p.drawText(QRectF(0, 28, width(), 16), Qt::AlignHCenter | Qt::AlignVCenter, text());
        if (hasFocus())
            FocusRing::paintRounded(p, r, 7);
    }

private:
    QString m_symbol;
    QFont m_font;
};

} // namespace

SettingsWindow* SettingsWindow::present(AppState& app, QWidget* presenter)
{
    if (s_window && &s_window->app() != &app)
        delete s_window;
    if (!s_window) {
        auto* window = new SettingsWindow(app, presenter);
        // The sheet outlives any one view but not the state it edits.
        connect(&app, &QObject::destroyed, window, [window] { delete window; });
        s_window = window;
    } else {
        s_window->setPresenter(presenter);
    }
    s_window->open();
    return s_window;
}

SettingsWindow* SettingsWindow::current()
{
    return s_window;
}

SettingsWindow::SettingsWindow(AppState& app, QWidget* presenter)
    : SheetDialog(presenter, QSize())
    , m_app(app)
    , m_pages(new QStackedWidget(this))
    , m_general(new GeneralSettingsPage(app))
    , m_ai(new AISettingsPage)
    , m_updates(new UpdateSettingsPage(app))
{
    setObjectName(QStringLiteral("settings"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    // Its title follows the section shown, which the tab bar tells; a reader
    // hears the sheet by what opened it.
    setAccessibleName(QStringLiteral("Settings"));

    QVBoxLayout* column = contentLayout();

    auto* bar = new QWidget(this);
    auto* barRow = new QHBoxLayout(bar);
    barRow->setContentsMargins(10, 8, 10, 8);
    barRow->setSpacing(4);
    // The tabs stay centred: room as wide as the close button on the other side.
    auto* balance = new QWidget(bar);
    barRow->addWidget(balance);
    barRow->addStretch(1);
    const struct {
        Tab tab;
        const char* symbol;
    } items[] = {{Tab::general, "gearshape"}, {Tab::ai, "wand.and.stars"}, {Tab::updates, "arrow.down.circle"}};
    for (const auto& item : items) {
        auto* button = new SettingsTabButton(QString::fromLatin1(item.symbol), tabLabel(item.tab), bar);
        const Tab tab = item.tab;
        connect(button, &QAbstractButton::clicked, this, [this, tab] { setCurrentTab(tab); });
        barRow->addWidget(button);
        m_tabButtons.append(button);
    }
    barRow->addStretch(1);
    m_close = new ToolbarIconButton(QStringLiteral("xmark"), QStringLiteral("Close"), bar);
    m_close->setObjectName(QStringLiteral("settingsClose"));
    barRow->addWidget(m_close, 0, Qt::AlignVCenter);
    balance->setFixedSize(m_close->sizeHint());
    connect(m_close, &QAbstractButton::clicked, this, &SheetDialog::reject);
    column->addWidget(bar);
    auto* divider = new HairlineDivider(Qt::Horizontal, this);
    column->addWidget(divider);

    m_pages->addWidget(m_general);
    m_pages->addWidget(m_ai);
    m_pages->addWidget(m_updates);
    m_pages->setFixedHeight(pageSize.height());
    // The page scrolls in a window too low for the sheet (a small screen at
    // a large scale); the tab bar stays.
    auto* scroll = new ScrollColumn(this);
    scroll->setObjectName(QStringLiteral("settingsPage"));
    scroll->column()->addWidget(m_pages);
    column->addWidget(scroll, 1);
    // Read out after the tab bar, as it shows (it was made first).
    scroll->raise();

    setFixedWidth(pageSize.width());
    resize(pageSize.width(), bar->sizeHint().height() + divider->sizeHint().height() + pageSize.height());

    auto* close = new QShortcut(QKeySequence::Close, this);
    connect(close, &QShortcut::activated, this, &QWidget::close);

    setCurrentTab(Tab::general);
    // The sheet itself holds the keyboard at every opening: no control opens
    // ringed, Tab goes to the first section button, and a reader hears the
    // sheet by its name (it names no sheet around a section button).
    setFocus(Qt::OtherFocusReason);
    startOnItselfEachTime();
}

SettingsWindow::~SettingsWindow() = default;

QString SettingsWindow::tabLabel(Tab tab)
{
    switch (tab) {
    case Tab::general: return QStringLiteral("General");
    case Tab::ai: return QStringLiteral("AI");
    case Tab::updates: return QStringLiteral("Updates");
    }
    return QString();
}

SettingsWindow::Tab SettingsWindow::currentTab() const
{
    return Tab(m_pages->currentIndex());
}

void SettingsWindow::setCurrentTab(Tab tab)
{
    m_pages->setCurrentIndex(int(tab));
    setWindowTitle(tabLabel(tab));
    refreshTabBar();
}

void SettingsWindow::refreshTabBar()
{
    const int shown = m_pages->currentIndex();
    for (int i = 0; i < m_tabButtons.size(); ++i)
        static_cast<QAbstractButton*>(m_tabButtons[i])->setChecked(i == shown);
}

void SettingsWindow::showEvent(QShowEvent* event)
{
    SheetDialog::showEvent(event);
    // A window coming back from the task bar shows what it showed.
    if (event->spontaneous())
        return;
    m_general->load();
    m_ai->load();
    m_updates->load();
}

void SettingsWindow::hideEvent(QHideEvent* event)
{
    SheetDialog::hideEvent(event);
    if (event->spontaneous())
        return;
    // Closing ends what the tab showed; an answer still on its way is dropped.
    m_ai->reset();
}

} // namespace studio
