#include "views/home/HomeView.h"

#include "design/widgets/Alert.h"
#include "design/widgets/DestructiveAction.h"
#include "design/focus/FocusAfterRemoval.h"
#include "design/focus/FocusHandOver.h"
#include "design/focus/FocusOnAdded.h"
#include "design/widgets/PrimaryButton.h"
#include "design/style/Palette.h"
#include "design/widgets/ScrollColumn.h"
#include "design/focus/TabOrder.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Lookup.h"
#include "model/Text.h"
#include "services/FileReveal.h"
#include "services/ProjectStore.h"
#include "services/SampleFactory.h"
#include "services/UpdateService.h"
#include "state/AppState.h"
#include "views/home/FirstRunPanel.h"
#include "views/home/LibraryGrid.h"
#include "views/home/NewProjectCard.h"
#include "views/home/NewProjectSheet.h"
#include "views/home/ProjectPosterCard.h"
#include "views/home/SampleMenuButton.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

constexpr int columnMaximum = 1240;
constexpr int columnPadding = 30;
constexpr int stackSpacing = 26;
// The grid's cells carry the cards' margin on every side; the column gives
// everything else that margin instead, so the cards line up with the header.
constexpr int cellMargin = ProjectPosterCard::cellMargin;

// The scrolling content: the library's column, at most 1240 points wide and
// centred in the full width. It lies on whatever the window draws behind the
// library and paints the poster cards' shadows under the grid.
class HomeCanvas : public QWidget {
public:
    explicit HomeCanvas(QWidget* parent)
        : QWidget(parent)
    {
        setAttribute(Qt::WA_TranslucentBackground);
        QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
        policy.setHeightForWidth(true);
        setSizePolicy(policy);
    }

    void setContent(QWidget* column, LibraryGrid* grid)
    {
        m_column = column;
        m_grid = grid;
        column->installEventFilter(this);
    }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override
    {
        return m_column ? m_column->heightForWidth(std::min(width, columnMaximum)) : 0;
    }
    QSize sizeHint() const override
    {
        const int width = columnMaximum;
        return QSize(width, heightForWidth(width));
    }
    QSize minimumSizeHint() const override
    {
        return m_column ? QSize(m_column->minimumSizeHint().width(), 0) : QSize();
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        place();
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The column's content changed its height (cards added, the first-run
        // panel swapped for the grid): the scroll area must learn the new height.
        if (watched == m_column && event->type() == QEvent::LayoutRequest) {
            updateGeometry();
            place();
        }
        return QWidget::eventFilter(watched, event);
    }
    void paintEvent(QPaintEvent* event) override
    {
        if (!m_grid)
            return;
        QPainter p(this);
        m_grid->paintShadows(p, this, event->rect());
    }

private:
    void place()
    {
        if (!m_column)
            return;
        const int width = std::min(this->width(), columnMaximum);
        m_column->setGeometry((this->width() - width) / 2, 0, width, std::max(height(), m_column->heightForWidth(width)));
    }

    QWidget* m_column = nullptr;
    LibraryGrid* m_grid = nullptr;
};

QWidget* header()
{
    auto* box = new QWidget;
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(cellMargin, 14, cellMargin, 0);
    column->setSpacing(6);
    column->addWidget(new TextLabel(u"Your studio."_s, Theme::font(type::hero, QFont::Bold), Palette::textPrimary()));
    auto* line = new TextLabel(u"Every film starts as a spark. Pick up where you left off, or strike a new one."_s,
                               Theme::font(type::headline), Palette::textSecondary());
    line->setWordWrap(true);
    column->addWidget(line);
    return box;
}

// The poster art of the productions a screen shows before any scrolling is
// composed on worker threads while the window is still being built, instead
// of one after another inside the first paint.
void composeFirstPostersAhead(const QList<Project>& projects)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || projects.isEmpty())
        return;
    const QSize area = screen->availableSize();
    const qsizetype columns = std::max(1, (std::min(area.width(), columnMaximum) + LibraryGrid::spacing)
                                              / (LibraryGrid::minimumColumn + LibraryGrid::spacing));
    const qsizetype rows = area.height() / int(ProjectPosterCard::posterHeight) + 1;
    QStringList seeds;
    for (qsizetype i = 0; i < std::min(projects.size(), columns * rows); ++i)
        seeds.append(projects[i].posterSeed);
    ProjectPosterCard::composeArtAhead(seeds, screen->devicePixelRatio());
}

} // namespace

HomeView::HomeView(AppState& app, QWidget* parent)
    : QWidget(parent)
    , m_app(app)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAccessibleName(u"Home"_s);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new ScrollColumn(this);
    m_scroll = scroll;
    outer->addWidget(m_scroll);

    auto* canvas = new HomeCanvas(m_scroll);
    m_canvas = canvas;
    auto* columnBox = new QWidget(canvas);
    columnBox->setAttribute(Qt::WA_TranslucentBackground);

    auto* column = new QVBoxLayout(columnBox);
    column->setContentsMargins(columnPadding - cellMargin, columnPadding, columnPadding - cellMargin, columnPadding);
    column->setSpacing(0);
    column->addWidget(header());
    m_aboveContent = new QSpacerItem(0, stackSpacing, QSizePolicy::Minimum, QSizePolicy::Fixed);
    column->addItem(m_aboveContent);

    auto* firstRunBox = new QWidget(columnBox);
    auto* firstRunRow = new QHBoxLayout(firstRunBox);
    firstRunRow->setContentsMargins(cellMargin, 0, cellMargin, 0);
    m_firstRun = new FirstRunPanel(firstRunBox);
    firstRunRow->addWidget(m_firstRun);
    column->addWidget(firstRunBox);
    m_grid = new LibraryGrid(columnBox);
    column->addWidget(m_grid);
    m_belowContent = new QSpacerItem(0, stackSpacing, QSizePolicy::Minimum, QSizePolicy::Fixed);
    column->addItem(m_belowContent);

    auto* footer = new QWidget(columnBox);
    auto* footerRow = new QHBoxLayout(footer);
    footerRow->setContentsMargins(cellMargin, 8, cellMargin, 0);
    footerRow->setSpacing(10);
    m_version = new TextLabel(QString(), Theme::font(type::small), Palette::textTertiary(), footer);
    footerRow->addWidget(m_version, 0, Qt::AlignVCenter);
    m_footerSamples = new SampleMenuButton(SampleMenuButton::Look::link, footer);
    footerRow->addWidget(m_footerSamples, 0, Qt::AlignVCenter);
    footerRow->addStretch(1);
    column->addWidget(footer);
    column->addStretch(1);
    canvas->setContent(columnBox, m_grid);
    scroll->setContent(canvas);

    // Opening a production or a sample selects another tab, which may take
    // this library off screen or away entirely; those requests run from the
    // event loop, never from inside the card or menu that asked.
    connect(m_grid, &LibraryGrid::openRequested, this, &HomeView::openProject, Qt::QueuedConnection);
    connect(m_grid, &LibraryGrid::newProductionRequested, this, &HomeView::requestNewProject);
    connect(m_grid, &LibraryGrid::contextMenuRequested, this, &HomeView::showContextMenu);
    connect(m_grid, &LibraryGrid::shadowsChanged, this, [this](const QRect& area) {
        m_canvas->update(area.translated(m_grid->mapTo(m_canvas, QPoint(0, 0))));
    });
    connect(m_firstRun, &FirstRunPanel::newProductionRequested, this, &HomeView::requestNewProject);
    connect(m_firstRun, &FirstRunPanel::sampleChosen, this, &HomeView::addSample, Qt::QueuedConnection);
    connect(m_footerSamples, &SampleMenuButton::sampleChosen, this, &HomeView::addSample, Qt::QueuedConnection);

    ProjectStore& store = m_app.store();
    connect(&store, &ProjectStore::projectsChanged, this, &HomeView::refresh);
    connect(&m_app, &AppState::showingNewProjectChanged, this, &HomeView::syncSheet);
    const auto showVersion = [this] {
        m_version->setText(u"Palisademotion "_s + m_app.updates().currentVersion());
    };
    connect(&m_app.updates(), &UpdateService::currentVersionChanged, this, showVersion);
    showVersion();
    composeFirstPostersAhead(store.projects());
    refresh();
}

HomeView::~HomeView()
{
    // The confirmation belongs to the window; without its library it has
    // nothing to act on.
    if (m_confirmation) {
        m_confirmation->disconnect(this);
        m_confirmation->close();
    }
}

Project HomeView::duplicated(const Project& source, const Date& now)
{
    Project copy = source;
    copy.id = newId();
    copy.name = source.name + u" Copy"_s;
    copy.createdAt = now;
    copy.posterSeed = newSeed();
    return copy;
}

QString HomeView::trashMessage(const QString& name)
{
    return u"“"_s + text::isolated(text::displayPrefix(name)) + u"” and its files will move to the Trash."_s;
}

Date HomeView::now() const
{
    return m_clock ? m_clock() : Date::now();
}

void HomeView::setClock(Clock clock)
{
    m_clock = std::move(clock);
    m_grid->setClock(m_clock);
}

void HomeView::setRevealer(Revealer revealer)
{
    m_revealer = std::move(revealer);
}

void HomeView::refresh()
{
    const QList<Project>& projects = m_app.store().projects();
    const bool empty = projects.isEmpty();
    QWidget* firstRunBox = m_firstRun->parentWidget();
    // What comes shows before what goes hides. The new-production card takes
    // the keyboard from the first-run panel once a sample is added; the last
    // card gone to the Trash leaves it resting on the page, where Return and
    // Space do nothing (never on "Start a new production").
    (empty ? firstRunBox : static_cast<QWidget*>(m_grid))->setVisible(true);
    if (!empty)
        handOverFocus(firstRunBox, m_grid->newProjectCard());
    (empty ? static_cast<QWidget*>(m_grid) : firstRunBox)->setVisible(false);
    const int gap = empty ? stackSpacing : stackSpacing - cellMargin;
    if (m_aboveContent->sizeHint().height() != gap) {
        m_aboveContent->changeSize(0, gap, QSizePolicy::Minimum, QSizePolicy::Fixed);
        m_belowContent->changeSize(0, gap, QSizePolicy::Minimum, QSizePolicy::Fixed);
        m_aboveContent->invalidate();
        m_belowContent->invalidate();
        if (QLayout* column = m_grid->parentWidget()->layout())
            column->invalidate();
    }
    m_footerSamples->setVisible(!empty);
    // A card holding the keyboard whose production went (to the Trash)
    // hands it to the card that comes into its place, or the one before it
    // when it was the last; not to whatever follows in the window. The
    // window's focus widget counts also while an alert over the window
    // holds the keyboard (the Trash confirmation): the window gets it back.
    const qsizetype focusedCard = m_grid->cards().indexOf(window()->focusWidget());
    if (!empty && focusedCard >= 0) {
        ProjectPosterCard* going = m_grid->cards().at(focusedCard);
        if (!findProject(projects, going->projectID())) {
            const QUuid next = projects.at(std::min(focusedCard, projects.size() - 1)).id;
            FocusAfterRemoval::moveTo(going, m_grid->card(next), going);
        }
    }
    m_grid->sync(projects);
    // The footer's pull-down follows the last card, as it reads.
    TabOrder::chain(m_grid->lastStop(), {m_footerSamples});
    // Cards may have moved; their shadows move with them.
    m_canvas->update();
}

bool HomeView::showsFirstRun() const
{
    return !m_firstRun->parentWidget()->isHidden();
}

NewProjectCard* HomeView::newProjectCard() const
{
    return m_grid->newProjectCard();
}

QList<ProjectPosterCard*> HomeView::posterCards() const
{
    return m_grid->cards();
}

NewProjectSheet* HomeView::newProjectSheet() const
{
    return m_sheet;
}

QString HomeView::footerText() const
{
    return m_version->text();
}

void HomeView::openProject(const QUuid& id)
{
    if (const Project* stored = findProject(m_app.store().projects(), id))
        m_app.openProject(*stored);
}

std::optional<QUuid> HomeView::duplicateProject(const QUuid& id)
{
    const Project* stored = findProject(m_app.store().projects(), id);
    if (!stored)
        return std::nullopt;
    const Project copy = duplicated(*stored, now());
    if (!m_app.store().save(copy))
        return std::nullopt;
    return copy.id;
}

void HomeView::revealProject(const QUuid& id)
{
    if (!findProject(m_app.store().projects(), id))
        return;
    const QString folder = m_app.store().folderOf(id);
    if (m_revealer)
        m_revealer(folder);
    else
        revealInFileManager(folder);
}

void HomeView::addSample(const QString& sampleID)
{
    for (const SampleFactory::Sample& sample : SampleFactory::registry()) {
        if (sample.id != sampleID)
            continue;
        const Project production = sample.make();
        // Opened first: its workspace takes the keyboard from the library
        // at once, before the library shows the new card (and, on the first
        // run, hides the panel that held the keyboard). A failed save is
        // reported by the store; the production stays open all the same and
        // its tab's autosave tries again.
        m_app.openProject(production);
        m_app.store().save(production);
        return;
    }
}

void HomeView::requestNewProject()
{
    m_app.setShowingNewProject(true);
}

QMenu* HomeView::contextMenu(const QUuid& id)
{
    auto* menu = new QMenu;
    const QPointer<HomeView> self(this);
    connect(menu->addAction(u"Open"_s), &QAction::triggered, menu, [self, id] {
        if (self)
            QMetaObject::invokeMethod(self, [self, id] { if (self) self->openProject(id); }, Qt::QueuedConnection);
    });
    connect(menu->addAction(u"Duplicate"_s), &QAction::triggered, menu, [self, id] {
        // The keyboard goes on to the copy's card, as after any control that
        // makes something: the copy is what the user acts on next.
        if (const auto copy = self ? self->duplicateProject(id) : std::nullopt)
            FocusOnAdded::give(self->m_grid->card(*copy));
    });
    connect(menu->addAction(u"Reveal in Finder"_s), &QAction::triggered, menu, [self, id] {
        if (self)
            self->revealProject(id);
    });
    menu->addSeparator();
    connect(addDestructiveAction(menu, u"Move to Trash"_s), &QAction::triggered, menu, [self, id] {
        if (self)
            self->requestTrash(id);
    });
    return menu;
}

void HomeView::showContextMenu(const QUuid& id, const QPoint& globalPos)
{
    QMenu* menu = contextMenu(id);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPos);
}

void HomeView::requestTrash(const QUuid& id)
{
    const Project* stored = findProject(m_app.store().projects(), id);
    if (!stored || m_confirmation)
        return;
    m_pendingDelete = id;

    Alert* box = Alert::confirmation(window(), u"Move to Trash?"_s, trashMessage(stored->name), u"Move to Trash"_s);
    connect(box, &Alert::answered, this, [this, id](bool confirmed) { finishTrash(id, confirmed); });
    m_confirmation = box;
    box->open();
}

void HomeView::finishTrash(const QUuid& id, bool confirmed)
{
    m_pendingDelete.reset();
    m_confirmation = nullptr;
    if (!confirmed || !findProject(m_app.store().projects(), id))
        return;
    // Its open tab closes first, saved, so nothing writes it back. A failed
    // save or move keeps the production in the library; the store reports it.
    m_app.trashProject(id);
}

QAccessibleInterface* HomeView::accessibleFor(QObject* object)
{
    return object == this ? new QAccessibleWidget(this, QAccessible::Pane) : nullptr;
}

void HomeView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // A request raised while another tab was on screen is answered now, once
    // the window has finished showing this library.
    QMetaObject::invokeMethod(this, &HomeView::syncSheet, Qt::QueuedConnection);
}

void HomeView::syncSheet()
{
    // A sheet that has closed is gone even before it is deleted.
    if (m_sheet && m_sheet->isFinished())
        m_sheet = nullptr;
    if (!m_app.showingNewProject()) {
        if (m_sheet)
            m_sheet->reject();
        return;
    }
    // Only the library on screen presents the sheet, and only once.
    if (m_sheet || !isVisible() || NewProjectSheet::openFor(m_app))
        return;
    m_sheet = new NewProjectSheet(m_app, this);
    m_sheet->present();
}

} // namespace studio
