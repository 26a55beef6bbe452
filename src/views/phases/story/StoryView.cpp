#include "views/phases/story/StoryView.h"

#include "design/widgets/Alert.h"
#include "design/widgets/EmptyStateView.h"
#include "design/focus/FocusOnAdded.h"
#include "design/widgets/HairlineDivider.h"
#include "design/widgets/HorizontalStrip.h"
#include "design/widgets/KeyedList.h"
#include "design/widgets/MenuButton.h"
#include "design/style/Palette.h"
#include "design/text/PlainTextField.h"
#include "design/widgets/ScrollColumn.h"
#include "design/focus/TabOrder.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Lookup.h"
#include "state/ProjectSession.h"
#include "state/edits/StoryEdits.h"
#include "state/rules/StoryRules.h"
#include "views/phases/story/ActColumn.h"
#include "views/phases/story/BeatCard.h"
#include "views/phases/story/DashedAddButton.h"
#include "views/phases/story/PulseLine.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QScrollBar>
#include <QWheelEvent>
#include <QMenu>
#include <QVBoxLayout>

#include <cstdlib>

using namespace Qt::StringLiterals;

namespace studio {

StoryView::StoryView(ScreenSession screenSession, QWidget* parent)
    : PhaseScreen(screenSession, parent)
    , m_content(new QWidget)
    , m_structure(new MenuButton)
    , m_title(new PlainTextField(QString(), Theme::font(type::subheadline, QFont::Medium)))
    , m_pulse(new PulseLine)
    , m_counts(new TextLabel(QString(), Theme::font(type::callout), Palette::textTertiary()))
    , m_synopsisRow(new QWidget)
    , m_synopsis(new PlainTextField(QString(), Theme::font(type::bodyLarge)))
    , m_page(new ScrollColumn)
    , m_board(new HorizontalStrip(16))
    , m_addAct(new DashedAddButton(DashedAddButton::Shape::tile, u"Add Act"_s))
    , m_empty(new EmptyStateView(u"map"_s, u"No episode"_s,
                                 u"This production holds no episode, so there are no acts or beats to show."_s))
{
    setObjectName(u"storyView"_s);

    // Toolbar: structure, episode title, pulse, counts.
    m_structure->setObjectName(u"structureMenu"_s);
    m_structure->setSymbol(u"map.fill"_s, 10, Palette::gold());
    m_structure->setLabelFont(Theme::font(type::control, QFont::DemiBold));
    m_structure->setLabelColor(Palette::textPrimary());
    m_structure->setChevron(true, 8, Palette::textTertiary());
    m_structure->setPadding(12, 7);
    m_structure->setSpacing(6);
    m_structure->setFill(Palette::white(level::wash), Palette::white(level::fillHover));
    m_structure->setBorder(Palette::hairline(), 1);
    for (StructureKind kind : allCases<StructureKind>()) {
        QAction* entry = m_structure->menu()->addAction(Theme::escapeMnemonic(rules::structureMenuTitle(kind)));
        connect(entry, &QAction::triggered, this, [this, kind] { chooseStructure(kind); });
    }

    m_title->setObjectName(u"episodeTitle"_s);
    m_title->setTextColor(Palette::textPrimary());
    m_title->setMaximumWidth(220);
    m_title->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // Read by the name its tool tip opens with; the tool tip describes it.
    m_pulse->setAccessibleName(u"Story pulse"_s);
    m_pulse->setToolTip(u"Story pulse — the emotional charge of every beat in order. A flat line is a flat film; "
                        u"great stories alternate. Click the circle on each beat to set lift (▲) or drop (▼)."_s);

    auto* toolbar = new QHBoxLayout;
    toolbar->setContentsMargins(22, 12, 22, 12);
    toolbar->setSpacing(14);
    toolbar->addWidget(m_structure, 0, Qt::AlignVCenter);
    // The title takes up to its widest before the spacer gets the rest.
    toolbar->addWidget(m_title, 1000, Qt::AlignVCenter);
    toolbar->addStretch(1);
    toolbar->addWidget(m_pulse, 0, Qt::AlignVCenter);
    toolbar->addWidget(m_counts, 0, Qt::AlignVCenter);

    m_synopsis->setObjectName(u"synopsis"_s);
    m_synopsis->setTextColor(Palette::textSecondary());
    m_synopsis->lineEdit()->setAccessibleName(u"Synopsis"_s);
    auto* synopsisLayout = new QHBoxLayout(m_synopsisRow);
    synopsisLayout->setContentsMargins(22, 0, 22, 10);
    synopsisLayout->addWidget(m_synopsis);

    // The act board: columns side by side, scrolling sideways, inside a page
    // that scrolls down when an act holds more beats than fit. The board
    // takes the whole height the page leaves, so its scroll bar sits at the
    // foot of the screen and the empty space under the columns is the
    // board's own.
    m_board->setIndicatorShown(true);
    // Where the keyboard rests when the last act is deleted.
    m_board->widget()->setAccessibleName(u"Acts"_s);
    m_board->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::MinimumExpanding);
    m_board->row()->setContentsMargins(22, 22, 22, 22);
    m_board->row()->insertWidget(0, m_addAct, 0, Qt::AlignTop);
    m_page->column()->addWidget(m_board, 1);
    m_board->viewport()->installEventFilter(this);
    m_columns = std::make_unique<KeyedList<QUuid, ActColumn>>(m_board->row(), 0);

    auto* content = new QVBoxLayout(m_content);
    content->setContentsMargins(0, 0, 0, 0);
    content->setSpacing(0);
    content->addLayout(toolbar);
    content->addWidget(m_synopsisRow);
    content->addWidget(new HairlineDivider);
    content->addWidget(m_page, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_content);
    layout->addWidget(m_empty);
    m_empty->hide();

    connect(m_title, &PlainTextField::textEdited, this, [this](const QString& t) {
        editActiveEpisode([&t](Project& p, const QUuid& e) { edits::setEpisodeTitle(p, e, t); });
    });
    connect(m_synopsis, &PlainTextField::textEdited, this, [this](const QString& t) {
        editActiveEpisode([&t](Project& p, const QUuid& e) { edits::setEpisodeSynopsis(p, e, t); });
    });
    connect(m_addAct, &QAbstractButton::clicked, this, [this] {
        QUuid added;
        editActiveEpisode([&added](Project& p, const QUuid& e) { added = edits::addAct(p, e); });
        FocusOnAdded::give(m_columns->widget(added));
    });

    requestRefresh();
}

StoryView::~StoryView() = default;

bool StoryView::eventFilter(QObject* watched, QEvent* event)
{
    // A plain wheel turn over the board scrolls the page down when there is
    // more page to see; with nothing to scroll down, it scrolls the acts
    // sideways.
    if (watched == m_board->viewport() && event->type() == QEvent::Wheel
        && m_page->verticalScrollBar()->maximum() == 0) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        const QPoint angle = wheel->angleDelta();
        const QPoint pixels = wheel->pixelDelta();
        if (std::abs(angle.y()) > std::abs(angle.x()) || std::abs(pixels.y()) > std::abs(pixels.x())) {
            const int delta = !pixels.isNull() ? pixels.y() : angle.y() / 2;
            QScrollBar* bar = m_board->horizontalScrollBar();
            bar->setValue(bar->value() - delta);
            return true;
        }
    }
    return PhaseScreen::eventFilter(watched, event);
}

void StoryView::refresh()
{
    const Project& project = this->project();
    const Episode* episode = activeEpisode();
    m_content->setVisible(episode != nullptr);
    m_empty->setVisible(episode == nullptr);
    if (!episode) {
        m_columns->sync(QList<Act>(), [](const Act& a) { return a.id; }, [this](const Act& a) { return makeColumn(a); },
                        [](ActColumn*, const Act&, int) {});
        return;
    }

    m_structure->setLabel(label(episode->structure.kind));
    const bool episodic = isEpisodic(project.format);
    m_title->setVisible(episodic);
    m_synopsisRow->setVisible(episodic);
    // The field has no label: it is read out by what its placeholder says,
    // hidden too (a reader walks the hidden parts of a window as well).
    const QString titleName = rules::episodeTitlePlaceholder(project.format);
    if (m_title->lineEdit()->accessibleName() != titleName)
        m_title->lineEdit()->setAccessibleName(titleName);
    if (episodic) {
        m_title->setPlaceholder(titleName);
        m_title->setText(episode->title);
        m_synopsis->setPlaceholder(rules::synopsisPlaceholder(project.format));
        m_synopsis->setText(episode->synopsis);
    }

    const QList<double> charges = rules::charges(*episode);
    m_pulse->setVisible(charges.size() >= 2);
    m_pulse->setCharges(charges);
    m_counts->setText(rules::countsText(*episode));

    // Columns are as tall as their beats and stand at the top of the row.
    QHBoxLayout* row = m_board->row();
    m_columns->sync(
        episode->structure.acts, [](const Act& act) { return act.id; },
        [this](const Act& act) { return makeColumn(act); },
        [row](ActColumn* column, const Act& act, int index) {
            if (QLayoutItem* item = row->itemAt(index); item && item->alignment() != Qt::AlignTop)
                row->setAlignment(column, Qt::AlignTop);
            column->setAct(act);
        });
    orderTabStops();
}

void StoryView::orderTabStops()
{
    // Columns and cards built after the screen would otherwise come last in
    // the window's Tab order, after "Add Act".
    QList<QWidget*> stops;
    for (ActColumn* column : m_columns->widgets())
        stops.append(column->tabStops());
    stops.append(m_addAct);
    TabOrder::chain(m_synopsis->lineEdit(), stops);
}

ActColumn* StoryView::makeColumn(const Act& act)
{
    auto* column = new ActColumn(act.id);
    connect(column, &ActColumn::titleEdited, this, [this](const QUuid& actID, const QString& t) {
        editActiveEpisode([&](Project& p, const QUuid& e) { edits::setActTitle(p, e, actID, t); });
    });
    connect(column, &ActColumn::addBeatRequested, this, [this](const QUuid& actID) {
        QUuid added;
        editActiveEpisode([&](Project& p, const QUuid& e) { added = edits::addBeat(p, e, actID); });
        if (ActColumn* act = m_columns->widget(actID))
            FocusOnAdded::give(act->beatCard(added));
    });
    connect(column, &ActColumn::deleteRequested, this, [this](const QUuid& actID) {
        editActiveEpisode([&](Project& p, const QUuid& e) { edits::deleteAct(p, e, actID); });
    });
    connect(column, &ActColumn::beatTitleEdited, this,
            [this](const QUuid& actID, const QUuid& beatID, const QString& t) {
                editActiveEpisode([&](Project& p, const QUuid& e) { edits::setBeatTitle(p, e, actID, beatID, t); });
            });
    connect(column, &ActColumn::beatSummaryEdited, this,
            [this](const QUuid& actID, const QUuid& beatID, const QString& t) {
                editActiveEpisode([&](Project& p, const QUuid& e) { edits::setBeatSummary(p, e, actID, beatID, t); });
            });
    connect(column, &ActColumn::beatChargeClicked, this, [this](const QUuid& actID, const QUuid& beatID) {
        editActiveEpisode([&](Project& p, const QUuid& e) { edits::cycleBeatCharge(p, e, actID, beatID); });
    });
    connect(column, &ActColumn::beatMoveRequested, this, [this](const QUuid& actID, const QUuid& beatID, int offset) {
        editActiveEpisode([&](Project& p, const QUuid& e) { edits::moveBeat(p, e, actID, beatID, offset); });
    });
    connect(column, &ActColumn::beatDeleteRequested, this, [this](const QUuid& actID, const QUuid& beatID) {
        editActiveEpisode([&](Project& p, const QUuid& e) { edits::deleteBeat(p, e, actID, beatID); });
    });
    return column;
}

void StoryView::chooseStructure(StructureKind kind)
{
    const Episode* episode = activeEpisode();
    if (!episode || m_pending || episode->structure.kind == kind)
        return;
    m_pending = kind;

    // The alert belongs to the screen: it goes when the screen does.
    Alert* alert = Alert::confirmation(this, rules::structureAlertTitle(),
                                       rules::structureAlertMessage(project().format, kind), u"Switch & replace beats"_s);
    connect(alert, &Alert::answered, this, [this, kind](bool confirmed) {
        m_pending.reset();
        // The template is built now, for the episode active now.
        if (confirmed)
            editActiveEpisode([kind](Project& p, const QUuid& e) { edits::switchStructure(p, e, kind); });
    });
    alert->open();
}

QWidget* StoryView::episodeField() const
{
    return m_title;
}

QList<ActColumn*> StoryView::actColumns() const
{
    return m_columns->widgets();
}

ActColumn* StoryView::actColumn(const QUuid& actID) const
{
    return m_columns->widget(actID);
}

} // namespace studio
