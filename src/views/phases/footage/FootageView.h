#pragma once

// The footage screen: every shot of the active episode's storyboard as a
// manifest, scene by scene, under the generation engine card, beside the
// render queue. The screen changes nothing of the production; its own state
// is the selection the queue takes and the one row whose composed prompt is
// open, both gone when the screen is built anew. The profile, the queue and
// the renderer belong to the session: the screen shows them as they are and
// passes its parts' requests on.

#include "views/phases/PhaseScreen.h"
#include "views/phases/footage/SceneSection.h"

#include <QSet>
#include <QUuid>

#include <functional>

namespace studio {

class EmptyStateView;
class EngineCard;
class ManifestList;
class RenderQueuePanel;
class ScrollColumn;

class FootageView : public PhaseScreen {
    Q_OBJECT
public:
    explicit FootageView(ScreenSession screenSession, QWidget* parent = nullptr);

    const QSet<QUuid>& selectedShotIDs() const { return m_selectedShotIDs; }
    QUuid expandedShotID() const { return m_expandedShotID; }

    EngineCard* engineCard() const { return m_engine; }
    RenderQueuePanel* queuePanel() const { return m_queue; }
    ScrollColumn* manifest() const { return m_manifest; }
    EmptyStateView* emptyState() const { return m_empty; }
    // The sections and rows built for what is in view (and near it).
    QList<SceneSection*> sceneSections() const;
    SceneSection* sceneSection(const QUuid& sceneID) const;
    ShotRow* shotRow(const QUuid& shotID) const;

private:
    void refresh() override;
    void syncSection(SceneSection* section, qsizetype index);
    void showQueue();
    void updateProfile(const std::function<void(GenerationProfile&)>& change);

    void toggleShot(const QUuid& shotID);
    void selectScene(const QUuid& sceneID);
    void toggleExpanded(const QUuid& shotID);
    void setSelection(const QSet<QUuid>& selection);
    void queueSelection();
    void queueAllPlanned();

    QSet<QUuid> m_selectedShotIDs;
    quint64 m_selectionVersion = 0;
    QUuid m_expandedShotID;
    ScrollColumn* m_manifest;
    EngineCard* m_engine;
    EmptyStateView* m_empty;
    RenderQueuePanel* m_queue;
    ManifestList* m_list;
};

} // namespace studio
