#include "views/phases/footage/FootageView.h"

#include "design/widgets/EmptyStateView.h"
#include "design/widgets/HairlineDivider.h"
#include "design/widgets/ScrollColumn.h"
#include "model/Lookup.h"
#include "state/ProjectSession.h"
#include "state/rules/FootageRules.h"
#include "views/phases/footage/EngineCard.h"
#include "views/phases/footage/ManifestList.h"
#include "views/phases/footage/RenderQueuePanel.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace studio {

FootageView::FootageView(ScreenSession screenSession, QWidget* parent)
    : PhaseScreen(screenSession, parent)
    , m_manifest(new ScrollColumn(this))
    , m_engine(new EngineCard(m_manifest->content()))
    , m_empty(new EmptyStateView(u"film.stack"_s, u"Nothing to shoot yet"_s,
                                 u"Build your storyboard first — every shot you plan there shows up here, ready to "
                                 u"render."_s,
                                 std::nullopt, {}, m_manifest->content()))
    , m_queue(new RenderQueuePanel(this))
    , m_list(new ManifestList(
          m_manifest,
          [this](const QUuid& sceneID, QWidget* host) {
              auto* section = new SceneSection(sceneID, host);
              connect(section, &SceneSection::selectSceneClicked, this, &FootageView::selectScene);
              connect(section, &SceneSection::selectionToggled, this, &FootageView::toggleShot);
              connect(section, &SceneSection::disclosureToggled, this, &FootageView::toggleExpanded);
              return section;
          },
          [this](SceneSection* section, qsizetype index) { syncSection(section, index); }, m_manifest->content()))
{
    QVBoxLayout* column = m_manifest->column();
    column->setContentsMargins(20, 20, 20, 20);
    column->setSpacing(16);
    column->addWidget(m_engine);
    column->addWidget(m_empty);
    column->addWidget(m_list);
    column->addStretch(1);
    // The manifest's rows come after the engine card's controls.
    m_list->setFocusAnchor([this] { return m_engine->lastFocusStop(); });

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(m_manifest, 1);
    row->addWidget(new HairlineDivider(Qt::Vertical, this));
    row->addWidget(m_queue);

    connect(m_engine, &EngineCard::maxClipSecondsEdited, this,
            [this](double seconds) { updateProfile([seconds](GenerationProfile& p) { p.maxClipSeconds = seconds; }); });
    connect(m_engine, &EngineCard::chainsLastFrameEdited, this,
            [this](bool on) { updateProfile([on](GenerationProfile& p) { p.chainsLastFrame = on; }); });
    connect(m_engine, &EngineCard::usesCharacterRefsEdited, this,
            [this](bool on) { updateProfile([on](GenerationProfile& p) { p.usesCharacterRefs = on; }); });
    connect(m_engine, &EngineCard::variantsPerShotEdited, this,
            [this](qint64 takes) { updateProfile([takes](GenerationProfile& p) { p.variantsPerShot = takes; }); });
    connect(m_engine, &EngineCard::resolutionPicked, this, [this](const QString& resolution) {
        updateProfile([&resolution](GenerationProfile& p) { p.resolution = resolution; });
    });

    connect(m_queue, &RenderQueuePanel::queueSelectionRequested, this, &FootageView::queueSelection);
    connect(m_queue, &RenderQueuePanel::queueAllPlannedRequested, this, &FootageView::queueAllPlanned);
    connect(m_queue, &RenderQueuePanel::renderAllRequested, this, [this] { renderAll(); });
    connect(m_queue, &RenderQueuePanel::clearDoneRequested, this, [this] { clearFinishedJobs(); });

    // The profile is the session's, not the production's: clip counts, open
    // prompts and the engine card follow it too. The queue runs on in the
    // session whether or not the screen is there; a step changes only the
    // panel.
    connect(&session(), &ProjectSession::profileChanged, this, &FootageView::requestRefresh);
    connect(&session(), &ProjectSession::jobsChanged, this, &FootageView::showQueue);
    connect(&session(), &ProjectSession::isRenderingChanged, this, &FootageView::showQueue);

    requestRefresh();
}

QList<SceneSection*> FootageView::sceneSections() const
{
    return m_list->sections();
}

SceneSection* FootageView::sceneSection(const QUuid& sceneID) const
{
    return m_list->section(sceneID);
}

ShotRow* FootageView::shotRow(const QUuid& shotID) const
{
    for (SceneSection* section : m_list->sections()) {
        if (ShotRow* row = section->row(shotID))
            return row;
    }
    return nullptr;
}

void FootageView::refresh()
{
    const Episode* episode = activeEpisode();
    const GenerationProfile& profile = session().profile();

    // The selection is the screen's own: shots no longer in the episode shown
    // leave it here, without touching the production.
    const QSet<QUuid> present = rules::selectionInEpisode(m_selectedShotIDs, episode);
    if (present.size() != m_selectedShotIDs.size()) {
        m_selectedShotIDs = present;
        ++m_selectionVersion;
    }
    m_queue->setSelectionCount(m_selectedShotIDs.size());
    m_engine->setValues(profile, rules::engineStats(project(), episode, profile));

    QList<ManifestList::Entry> entries;
    if (episode) {
        entries.reserve(episode->scenes.size());
        for (const SceneCard& scene : episode->scenes)
            entries.append({scene.id, scene.shots.size(),
                            !m_expandedShotID.isNull() && findShot(scene, m_expandedShotID) != nullptr});
    }
    m_empty->setVisible(entries.isEmpty());
    m_list->setVisible(!entries.isEmpty());
    m_list->setEntries(entries);
    showQueue();
}

void FootageView::syncSection(SceneSection* section, qsizetype index)
{
    // Called on refresh and whenever scrolling builds a section: the scene is
    // read from the production as it is now.
    const Episode* episode = activeEpisode();
    if (!episode || index >= episode->scenes.size())
        return;
    const SceneSection::Context context{&project(), &session().profile(), &m_selectedShotIDs, m_selectionVersion,
                                        m_expandedShotID};
    section->sync(episode->scenes.at(index), index + 1, context);
}

void FootageView::showQueue()
{
    m_queue->setJobs(session().jobs(), session().isRendering());
}

void FootageView::updateProfile(const std::function<void(GenerationProfile&)>& change)
{
    // The current profile, not the one last shown: another field may have
    // changed since.
    GenerationProfile profile = session().profile();
    change(profile);
    setProfile(profile);
}

void FootageView::setSelection(const QSet<QUuid>& selection)
{
    if (selection == m_selectedShotIDs)
        return;
    m_selectedShotIDs = selection;
    ++m_selectionVersion;
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
    setSelection(rules::toggledSceneSelection(m_selectedShotIDs, episode ? findScene(*episode, sceneID) : nullptr));
}

void FootageView::toggleExpanded(const QUuid& shotID)
{
    m_expandedShotID = m_expandedShotID == shotID ? QUuid() : shotID;
    requestRefresh();
}

void FootageView::queueSelection()
{
    if (m_selectedShotIDs.isEmpty())
        return;
    // The session queues in storyboard order whatever the order here.
    enqueue(QList<QUuid>(m_selectedShotIDs.cbegin(), m_selectedShotIDs.cend()));
    setSelection({});
}

void FootageView::queueAllPlanned()
{
    enqueue(rules::plannedShotIDs(activeEpisode()));
}

} // namespace studio
