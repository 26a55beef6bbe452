#include "views/phases/storyboard/StoryboardView.h"

#include "design/focus/FocusHandOver.h"
#include "design/focus/FocusOnAdded.h"
#include "design/text/PlainTextField.h"
#include "design/widgets/EmptyStateView.h"
#include "design/widgets/GhostButton.h"
#include "design/widgets/HairlineDivider.h"
#include "design/style/Palette.h"
#include "design/widgets/ScrollColumn.h"
#include "design/widgets/SectionHeader.h"
#include "design/widgets/ToolbarIconButton.h"
#include "model/Lookup.h"
#include "design/style/Tokens.h"
#include "state/ProjectSession.h"
#include "state/assist/DirectorAssist.h"
#include "state/edits/StoryboardEdits.h"
#include "views/phases/storyboard/SceneEditor.h"
#include "views/phases/storyboard/SceneList.h"
#include "views/phases/storyboard/SceneRow.h"
#include "views/phases/storyboard/ShotGrid.h"
#include "views/phases/storyboard/ShotInspector.h"
#include "views/phases/storyboard/ShotInspectorPane.h"

#include <QHBoxLayout>
#include <QSet>
#include <QStackedLayout>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

constexpr int listWidth = 248;
constexpr int inspectorWidth = 300;

} // namespace

StoryboardView::StoryboardView(ScreenSession screenSession, QWidget* parent)
    : PhaseScreen(screenSession, parent)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(buildList());
    row->addWidget(new HairlineDivider(Qt::Vertical, this));

    auto* detail = new QWidget(this);
    m_detail = new QStackedLayout(detail);
    m_editor = new SceneEditor(detail);
    m_empty = new EmptyStateView(u"square.grid.2x2"_s, u"No scene selected"_s,
                                 u"Add a scene on the left — or write scene headings in the Script phase and build "
                                 u"the board from them in one click."_s,
                                 u"Add a scene"_s, [this] { addScene(); }, detail);
    m_detail->addWidget(m_editor);
    m_detail->addWidget(m_empty);
    row->addWidget(detail, 1);

    row->addWidget(new HairlineDivider(Qt::Vertical, this));
    m_pane = new ShotInspectorPane(this);
    m_pane->setFixedWidth(inspectorWidth);
    row->addWidget(m_pane);

    connect(&session(), &ProjectSession::aiBusyChanged, this, [this] { m_editor->setBusy(this->session().aiBusy()); });
    m_editor->setBusy(session().aiBusy());
    connectEditor();
    connectPane();
    requestRefresh();
}

StoryboardView::~StoryboardView() = default;

QWidget* StoryboardView::buildList()
{
    auto* list = new QWidget(this);
    list->setFixedWidth(listWidth);
    auto* column = new QVBoxLayout(list);
    column->setContentsMargins(16, 16, 16, 16);
    column->setSpacing(10);

    auto* headerRow = new QHBoxLayout;
    headerRow->setContentsMargins(0, 0, 0, 0);
    m_header = new SectionHeader(u"Scenes"_s, u"0 total"_s, list);
    m_addButton = new ToolbarIconButton(u"plus"_s, u"Add scene"_s, list);
    connect(m_addButton, &QAbstractButton::clicked, this, [this] { addScene(); });
    headerRow->addWidget(m_header, 1);
    headerRow->addWidget(m_addButton, 0, Qt::AlignVCenter);
    column->addLayout(headerRow);

    m_buildButton = new GhostButton(u"wand.and.stars"_s, u"Build from script"_s, Palette::gold(), list);
    connect(m_buildButton, &QAbstractButton::clicked, this, [this] { buildFromScript(); });
    column->addWidget(m_buildButton, 0, Qt::AlignLeft);

    m_scroll = new ScrollColumn(list);
    m_rows = new SceneList(m_scroll, [this](const QUuid& id) {
        auto* row = new SceneRow(id);
        connect(row, &SceneRow::clicked, this, [this](const QUuid& id) { select({id, m_selection.shotID}); });
        connect(row, &SceneRow::moveRequested, this, &StoryboardView::moveScene);
        connect(row, &SceneRow::deleteRequested, this, &StoryboardView::deleteScene);
        return row;
    }, m_scroll->content());
    m_rows->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    m_rows->setTabAnchor(m_buildButton);
    m_scroll->column()->addWidget(m_rows);
    m_scroll->column()->addStretch(1);
    column->addWidget(m_scroll, 1);
    return list;
}

QList<SceneRow*> StoryboardView::rows() const
{
    return m_rows->rows();
}

void StoryboardView::refresh()
{
    const Project& p = project();
    const Episode* episode = activeEpisode();
    const std::optional<QUuid> episodeID = episode ? std::optional<QUuid>(episode->id) : std::nullopt;
    if (!m_shown) {
        m_shown = true;
        m_selection = rules::shownSelection(episode, m_selection);
    } else if (episodeID != m_shownEpisode) {
        m_selection = rules::selectionForEpisode(episode);
    }
    m_shownEpisode = episodeID;

    const QList<SceneCard> scenes = episode ? episode->scenes : QList<SceneCard>();
    m_header->setSubtitle(QString::number(scenes.size()) + u" total"_s);
    m_buildButton->setVisible(episode && scenes.isEmpty() && rules::hasSceneHeading(*episode));

    QList<SceneList::Entry> entries;
    entries.reserve(scenes.size());
    QSet<QUuid> seen;
    for (const SceneCard& s : scenes) {
        // Ids are expected to be unique; a duplicate never gets a second row.
        if (seen.contains(s.id))
            continue;
        seen.insert(s.id);
        entries.append({s.id, s.slug(p.locations), rules::sceneDetailText(s.shots.size(), s.totalSeconds()),
                         m_selection.sceneID == s.id});
    }
    m_rows->setEntries(entries);

    const SceneCard* scene = episode && m_selection.sceneID ? findScene(*episode, *m_selection.sceneID) : nullptr;
    if (scene) {
        m_editor->showScene(p, *scene, m_selection.shotID);
        m_detail->setCurrentWidget(m_editor);
    } else {
        m_detail->setCurrentWidget(m_empty);
    }
    m_pane->showSelection(p, episode, m_selection);
}

void StoryboardView::select(const rules::StoryboardSelection& selection)
{
    if (selection == m_selection)
        return;
    m_selection = selection;
    requestRefresh();
}

void StoryboardView::addScene()
{
    QUuid added;
    editActiveEpisode([&](Project& p, const QUuid& episodeID) { added = edits::addScene(p, episodeID); });
    if (added.isNull())
        return;
    select({added, m_selection.shotID});
    // The editor shows the new scene: where it is set is what comes next.
    FocusOnAdded::give(m_editor);
}

void StoryboardView::moveScene(const QUuid& sceneID, int offset)
{
    editActiveEpisode([&](Project& p, const QUuid& episodeID) { edits::moveScene(p, episodeID, sceneID, offset); });
}

void StoryboardView::deleteScene(QUuid sceneID)
{
    QUuid episode;
    editActiveEpisode([&](Project& p, const QUuid& episodeID) {
        if (edits::deleteScene(p, episodeID, sceneID))
            episode = episodeID;
    });
    if (!episode.isNull())
        select(rules::selectionAfterSceneRemoved(findEpisode(project(), episode), sceneID, m_selection));
}

void StoryboardView::buildFromScript()
{
    QUuid first;
    editActiveEpisode(
        [&](Project& p, const QUuid& episodeID) { first = edits::buildScenesFromScript(p, episodeID); });
    if (first.isNull())
        return;
    select({first, m_selection.shotID});
    // The button goes with the empty list; the keyboard goes to the first
    // scene built, never to rest on the page. What the script wrote stays.
    FocusOnAdded::give(m_editor, FocusOnAdded::Typing::follows);
}

void StoryboardView::connectEditor()
{
    using E = SceneEditor;
    // A request that adds shots selects the first shot it added, once the
    // edit is made.
    const auto addShots = [this](const std::function<QUuid(Project&, const QUuid& episodeID)>& operation) {
        QUuid added;
        editActiveEpisode([&](Project& p, const QUuid& ep) { added = operation(p, ep); });
        if (added.isNull())
            return;
        select({m_selection.sceneID, added});
        // The inspector shows the (first) new shot: what it shows is what
        // the user types next, never another press of the tile. A pack's
        // shot comes described; the words go on from there.
        FocusOnAdded::give(m_pane->inspector(), FocusOnAdded::Typing::follows);
    };
    connect(m_editor, &E::settingRequested, this, [this](const QUuid& sceneID, SceneSetting setting) {
        editActiveEpisode([&](Project& p, const QUuid& ep) { edits::setSceneSetting(p, ep, sceneID, setting); });
    });
    connect(m_editor, &E::locationRequested, this, [this](const QUuid& sceneID, const QUuid& locationID) {
        const std::optional<QUuid> location = locationID.isNull() ? std::nullopt : std::optional(locationID);
        editActiveEpisode([&](Project& p, const QUuid& ep) { edits::setSceneLocation(p, ep, sceneID, location); });
        // "Custom…" is picked to name the place: what is typed next is the
        // name (on the menu's button, Space would open the menu again).
        if (!location)
            FocusOnAdded::give(m_editor->locationField(), FocusOnAdded::Typing::follows);
    });
    connect(m_editor, &E::locationTextRequested, this, [this](const QUuid& sceneID, const QString& text) {
        editActiveEpisode([&](Project& p, const QUuid& ep) { edits::setSceneLocationText(p, ep, sceneID, text); });
    });
    connect(m_editor, &E::timeRequested, this, [this](const QUuid& sceneID, TimeOfDay time) {
        editActiveEpisode([&](Project& p, const QUuid& ep) { edits::setSceneTime(p, ep, sceneID, time); });
    });
    connect(m_editor, &E::synopsisRequested, this, [this](const QUuid& sceneID, const QString& text) {
        editActiveEpisode([&](Project& p, const QUuid& ep) { edits::setSceneSynopsis(p, ep, sceneID, text); });
    });
    connect(m_editor, &E::castToggleRequested, this, [this](const QUuid& sceneID, const QUuid& memberID) {
        editActiveEpisode([&](Project& p, const QUuid& ep) { edits::toggleSceneCast(p, ep, sceneID, memberID); });
    });
    connect(m_editor, &E::shotPicked, this,
            [this](const QUuid& sceneID, const QUuid& shotID) { select({sceneID, shotID}); });
    connect(m_editor, &E::addShotRequested, this, [addShots](const QUuid& sceneID) {
        addShots([&](Project& p, const QUuid& ep) { return edits::addShot(p, ep, sceneID); });
    });
    connect(m_editor, &E::recipeShotRequested, this, [addShots](const QUuid& sceneID, const QString& id) {
        addShots([&](Project& p, const QUuid& ep) { return edits::addRecipeShot(p, ep, sceneID, id); });
    });
    // The whole pack is one change: one announcement, one autosave.
    connect(m_editor, &E::coverageRequested, this, [addShots](const QUuid& sceneID, const QString& id) {
        addShots([&](Project& p, const QUuid& ep) { return edits::applyCoverage(p, ep, sceneID, id); });
    });
    connect(m_editor, &E::shotMoveRequested, this, [this](const QUuid& sceneID, const QUuid& shotID, int offset) {
        editActiveEpisode([&](Project& p, const QUuid& ep) { edits::moveShot(p, ep, sceneID, shotID, offset); });
    });
    connect(m_editor, &E::shotDeleteRequested, this, &StoryboardView::deleteShot);
    connect(m_editor, &E::shotListRequested, this, &StoryboardView::askShotList);
}

void StoryboardView::connectPane()
{
    using P = ShotInspectorPane;
    // Each request edits the shot it names, in the active episode.
    const auto onShot = [this](auto signal, auto operation) {
        connect(m_pane, signal, this, [this, operation](const QUuid& sceneID, const QUuid& shotID, auto... value) {
            editActiveEpisode([&](Project& p, const QUuid& ep) { operation(p, ep, sceneID, shotID, value...); });
        });
    };
    onShot(&P::reframeRequested, &edits::reframeShot);
    onShot(&P::sizeRequested, &edits::setShotSize);
    onShot(&P::moveRequested, &edits::setShotMove);
    onShot(&P::recipeRequested, &edits::applyShotRecipe);
    onShot(&P::recipeClearRequested, &edits::clearShotRecipe);
    onShot(&P::secondsRequested, &edits::setShotSeconds);
    onShot(&P::whatRequested, &edits::setShotWhat);
    onShot(&P::dialogueRequested, &edits::setShotDialogue);
    onShot(&P::approvalRequested, &edits::toggleTakeApproval);
    connect(m_pane, &P::describeRequested, this, &StoryboardView::describeShot);
    connect(m_pane, &P::deleteRequested, this, &StoryboardView::deleteShot);
}

void StoryboardView::deleteShot(QUuid sceneID, QUuid shotID)
{
    // Deleted from the inspector, the shot hands the keyboard to the grid,
    // on the card now in its place, as when deleted from its card's menu.
    ShotGrid* grid = m_editor->grid();
    const bool fromPane = keyboardWithin(m_pane);
    const int place = grid->indexOfCard(shotID);
    bool deleted = false;
    editActiveEpisode([&](Project& p, const QUuid& ep) { deleted = edits::deleteShot(p, ep, sceneID, shotID); });
    if (!deleted)
        return;
    select(rules::selectionAfterShotRemoved(shotID, m_selection));
    if (fromPane && place >= 0 && grid->isVisible())
        grid->takeKeyboardAt(place);
}

void StoryboardView::describeShot(const QUuid& sceneID, const QUuid& shotID)
{
    if (!activeEpisode())
        return;
    // The reply lands on this shot of this episode, wherever it stands by then.
    const QUuid episodeID = activeEpisodeID();
    runAssist(DirectorAssist::request(
        [=](const Project& p) { return findShot(p, episodeID, sceneID, shotID); },
        [=](const AIDirector& d, const Project& p, const Shot& shot) {
            return d.describeShot(p, *findScene(p, episodeID, sceneID), shot);
        },
        [=](const Project&, const Shot&, const AIDirector::ShotDescription& reply) {
            return AssistResults::describeShot(episodeID, sceneID, shotID, reply);
        }));
}

void StoryboardView::askShotList(const QUuid& sceneID)
{
    if (!activeEpisode())
        return;
    // The reply lands in this scene of this episode, wherever it stands by then.
    const QUuid episodeID = activeEpisodeID();
    runAssist(DirectorAssist::request(
        [=](const Project& p) { return findScene(p, episodeID, sceneID); },
        [=](const AIDirector& d, const Project& p, const SceneCard& scene) {
            return d.shotList(p, *findEpisode(p, episodeID), scene);
        },
        [](const Project&, const SceneCard&, const AIDirector::SceneShots& shots) {
            return AssistResults::shotList(shots);
        }));
}

} // namespace studio
