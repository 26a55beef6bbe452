#include "views/phases/scenes/ScenesView.h"

#include "design/EmptyStateView.h"
#include "design/GhostButton.h"
#include "design/HairlineDivider.h"
#include "design/KeyedList.h"
#include "design/Palette.h"
#include "design/ScrollColumn.h"
#include "design/SectionHeader.h"
#include "design/ToolbarIconButton.h"
#include "model/Lookup.h"
#include "state/ProjectSession.h"
#include "views/phases/scenes/SceneEditor.h"
#include "views/phases/scenes/SceneRow.h"
#include "views/phases/scenes/ShotInspectorPane.h"

#include <QHBoxLayout>
#include <QStackedLayout>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

constexpr int listWidth = 248;
constexpr int inspectorWidth = 300;

bool hasSceneHeading(const Episode& episode)
{
    return std::any_of(episode.script.elements.cbegin(), episode.script.elements.cend(),
                       [](const ScriptElement& e) { return e.kind == ScriptElementKind::sceneHeading; });
}

} // namespace

ScenesView::ScenesView(ProjectSession& session, QWidget* parent)
    : PhaseScreen(session, parent)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(buildList());
    row->addWidget(new HairlineDivider(Qt::Vertical, this));

    auto* detail = new QWidget(this);
    m_detail = new QStackedLayout(detail);
    m_editor = new SceneEditor(*this, detail);
    m_empty = new EmptyStateView(u"square.grid.2x2"_s, u"No scene selected"_s,
                                 u"Add a scene on the left — or write scene headings in the Script phase and build "
                                 u"the board from them in one click."_s,
                                 u"Add a scene"_s, [this] { addScene(); }, detail);
    m_detail->addWidget(m_editor);
    m_detail->addWidget(m_empty);
    row->addWidget(detail, 1);

    row->addWidget(new HairlineDivider(Qt::Vertical, this));
    m_pane = new ShotInspectorPane(*this, this);
    m_pane->setFixedWidth(inspectorWidth);
    row->addWidget(m_pane);

    connect(&session, &ProjectSession::aiBusyChanged, this, [this] { m_editor->setBusy(this->session().aiBusy()); });
    m_editor->setBusy(session.aiBusy());
    requestRefresh();
}

ScenesView::~ScenesView() = default;

QWidget* ScenesView::buildList()
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
    m_rowsLayout = m_scroll->column();
    m_rowsLayout->setContentsMargins(0, 2, 0, 2);
    m_rowsLayout->setSpacing(6);
    m_rowsLayout->addStretch(1);
    column->addWidget(m_scroll, 1);
    m_rows = std::make_unique<KeyedList<QUuid, SceneRow>>(m_rowsLayout);
    return list;
}

QList<SceneRow*> ScenesView::rows() const
{
    return m_rows->widgets();
}

void ScenesView::refresh()
{
    const Project& p = project();
    const Episode* episode = activeEpisode();
    const std::optional<QUuid> episodeID = episode ? std::optional<QUuid>(episode->id) : std::nullopt;
    if (!m_shown) {
        m_shown = true;
        m_selection = StoryboardEdits::shown(episode, m_selection);
    } else if (episodeID != m_shownEpisode) {
        m_selection = StoryboardEdits::episodeChanged(episode);
    }
    m_shownEpisode = episodeID;

    const QList<SceneCard> scenes = episode ? episode->scenes : QList<SceneCard>();
    m_header->setSubtitle(QString::number(scenes.size()) + u" total"_s);
    m_buildButton->setVisible(episode && scenes.isEmpty() && hasSceneHeading(*episode));

    m_rows->sync(
        scenes, [](const SceneCard& s) { return s.id; },
        [this](const SceneCard& s) {
            auto* row = new SceneRow(s.id);
            connect(row, &SceneRow::clicked, this,
                    [this](const QUuid& id) { select({id, m_selection.shotID}); });
            connect(row, &SceneRow::moveRequested, this, &ScenesView::moveScene);
            connect(row, &SceneRow::deleteRequested, this, &ScenesView::deleteScene);
            return row;
        },
        [&](SceneRow* row, const SceneCard& s, int index) {
            row->setContent(index + 1, s.slug(p.locations), SceneRow::detailText(s.shots.size(), s.totalSeconds()),
                      m_selection.sceneID == s.id);
        });

    const SceneCard* scene = episode && m_selection.sceneID ? findScene(*episode, *m_selection.sceneID) : nullptr;
    if (scene) {
        m_editor->showScene(p, *scene, m_selection.shotID);
        m_detail->setCurrentWidget(m_editor);
    } else {
        m_detail->setCurrentWidget(m_empty);
    }
    m_pane->showSelection(p, episode, m_selection);
}

void ScenesView::select(const StoryboardSelection& selection)
{
    if (selection == m_selection)
        return;
    m_selection = selection;
    requestRefresh();
}

void ScenesView::editBoard(const BoardChange& change)
{
    const Episode* episode = activeEpisode();
    if (!episode)
        return;
    const QUuid episodeID = episode->id;
    const StoryboardSelection before = m_selection;
    // The selection is taken inside the change, so the refresh the edit
    // announces already shows it.
    const bool changed = edit([&](Project& p) { m_selection = change(p, episodeID, before); });
    if (!changed && m_selection != before)
        requestRefresh();
}

void ScenesView::addScene()
{
    editBoard([](Project& p, const QUuid& episodeID, const StoryboardSelection& current) {
        return StoryboardEdits::addScene(p, episodeID, current);
    });
}

void ScenesView::moveScene(const QUuid& sceneID, int offset)
{
    editBoard([sceneID, offset](Project& p, const QUuid& episodeID, const StoryboardSelection& current) {
        StoryboardEdits::moveScene(p, episodeID, sceneID, offset);
        return current;
    });
}

void ScenesView::deleteScene(const QUuid& sceneID)
{
    editBoard([sceneID](Project& p, const QUuid& episodeID, const StoryboardSelection& current) {
        return StoryboardEdits::deleteScene(p, episodeID, sceneID, current);
    });
}

void ScenesView::buildFromScript()
{
    editBoard([](Project& p, const QUuid& episodeID, const StoryboardSelection& current) {
        return StoryboardEdits::buildFromScript(p, episodeID, current);
    });
}

} // namespace studio
