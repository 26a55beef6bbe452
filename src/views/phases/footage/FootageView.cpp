#include "views/phases/footage/FootageView.h"

#include "design/EmptyStateView.h"
#include "design/HairlineDivider.h"
#include "design/ScrollColumn.h"
#include "model/Lookup.h"
#include "state/ProjectSession.h"
#include "views/phases/footage/EngineCard.h"
#include "views/phases/footage/FootageLogic.h"
#include "views/phases/footage/RenderQueuePanel.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace studio {

FootageView::FootageView(ProjectSession& session, QWidget* parent)
    : PhaseScreen(session, parent)
    , m_manifest(new ScrollColumn(this))
    , m_engine(new EngineCard(session, m_manifest->content()))
    , m_empty(new EmptyStateView(u"film.stack"_s, u"Nothing to shoot yet"_s,
                                 u"Build your storyboard first — every shot you plan there shows up here, ready to "
                                 u"render."_s,
                                 std::nullopt, {}, m_manifest->content()))
    , m_queue(new RenderQueuePanel(session, this))
    , m_sections(m_manifest->column(), 2)
{
    QVBoxLayout* column = m_manifest->column();
    column->setContentsMargins(20, 20, 20, 20);
    column->setSpacing(16);
    column->addWidget(m_engine);
    column->addWidget(m_empty);
    column->addStretch(1);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(m_manifest, 1);
    row->addWidget(new HairlineDivider(Qt::Vertical, this));
    row->addWidget(m_queue);

    connect(m_queue, &RenderQueuePanel::selectionQueued, this, [this] { setSelection({}); });
    // The profile is the session's, not the production's: clip counts, open
    // prompts and the engine card follow it too.
    connect(&session, &ProjectSession::profileChanged, this, &FootageView::refresh);

    requestRefresh();
}

ShotRow* FootageView::shotRow(const QUuid& shotID) const
{
    for (SceneSection* section : m_sections.widgets()) {
        if (ShotRow* row = section->row(shotID))
            return row;
    }
    return nullptr;
}

void FootageView::refresh()
{
    const Project& production = project();
    const Episode* episode = activeEpisode();
    const GenerationProfile& profile = session().profile();

    // A selected shot that is no longer in the episode shown (deleted, or
    // another episode made active) would count in the queue button and queue
    // nothing; it leaves the selection.
    if (!m_selectedShotIDs.isEmpty()) {
        QSet<QUuid> present;
        if (episode) {
            for (const SceneCard& scene : episode->scenes) {
                for (const Shot& shot : scene.shots) {
                    if (m_selectedShotIDs.contains(shot.id))
                        present.insert(shot.id);
                }
            }
        }
        if (present.size() != m_selectedShotIDs.size()) {
            m_selectedShotIDs = present;
            ++m_selectionVersion;
            m_queue->setSelection(m_selectedShotIDs);
        }
    }

    m_engine->show(profile, footage::engineStats(production, episode, profile));

    const QList<SceneCard> scenes = episode ? episode->scenes : QList<SceneCard>();
    m_empty->setVisible(scenes.isEmpty());
    const SceneSection::Context context{&production, &profile, &m_selectedShotIDs, m_selectionVersion,
                                        m_expandedShotID};
    m_sections.sync(
        scenes, [](const SceneCard& scene) { return scene.id; },
        [this](const SceneCard& scene) {
            auto* section = new SceneSection(scene.id, m_manifest->content());
            connect(section, &SceneSection::selectSceneClicked, this, &FootageView::selectScene);
            connect(section, &SceneSection::selectionToggled, this, &FootageView::toggleShot);
            connect(section, &SceneSection::disclosureToggled, this, &FootageView::toggleExpanded);
            return section;
        },
        [&](SceneSection* section, const SceneCard& scene, int) {
            section->sync(scene, &scene - scenes.constData() + 1, context);
        });
}

void FootageView::setSelection(const QSet<QUuid>& selection)
{
    if (selection == m_selectedShotIDs)
        return;
    m_selectedShotIDs = selection;
    ++m_selectionVersion;
    m_queue->setSelection(m_selectedShotIDs);
    requestRefresh();
}

void FootageView::toggleShot(const QUuid& shotID)
{
    QSet<QUuid> next = m_selectedShotIDs;
    if (!next.remove(shotID))
        next.insert(shotID);
    setSelection(next);
}

void FootageView::selectScene(const QUuid& sceneID)
{
    const Episode* episode = activeEpisode();
    const SceneCard* scene = episode ? findScene(*episode, sceneID) : nullptr;
    if (!scene)
        return;
    QList<QUuid> ids;
    for (const Shot& shot : scene->shots)
        ids.append(shot.id);
    setSelection(footage::toggledSceneSelection(m_selectedShotIDs, ids));
}

void FootageView::toggleExpanded(const QUuid& shotID)
{
    m_expandedShotID = m_expandedShotID == shotID ? QUuid() : shotID;
    requestRefresh();
}

} // namespace studio
