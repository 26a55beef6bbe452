#pragma once

// The footage screen: every shot of the active episode's storyboard as a
// manifest, scene by scene, under the generation engine card, beside the
// render queue. The screen changes nothing of the production; its own state
// is the selection the queue takes and the one row whose composed prompt is
// open, both gone when the screen is built anew.

#include "design/KeyedList.h"
#include "views/phases/PhaseScreen.h"
#include "views/phases/footage/SceneSection.h"

#include <QSet>
#include <QUuid>

namespace studio {

class EmptyStateView;
class EngineCard;
class RenderQueuePanel;
class ScrollColumn;

class FootageView : public PhaseScreen {
    Q_OBJECT
public:
    explicit FootageView(ProjectSession& session, QWidget* parent = nullptr);

    const QSet<QUuid>& selectedShotIDs() const { return m_selectedShotIDs; }
    QUuid expandedShotID() const { return m_expandedShotID; }

    EngineCard* engineCard() const { return m_engine; }
    RenderQueuePanel* queuePanel() const { return m_queue; }
    ScrollColumn* manifest() const { return m_manifest; }
    EmptyStateView* emptyState() const { return m_empty; }
    QList<SceneSection*> sceneSections() const { return m_sections.widgets(); }
    SceneSection* sceneSection(const QUuid& sceneID) const { return m_sections.widget(sceneID); }
    ShotRow* shotRow(const QUuid& shotID) const;

protected:
    void refresh() override;

private:
    void toggleShot(const QUuid& shotID);
    void selectScene(const QUuid& sceneID);
    void toggleExpanded(const QUuid& shotID);
    void setSelection(const QSet<QUuid>& selection);

    QSet<QUuid> m_selectedShotIDs;
    quint64 m_selectionVersion = 0;
    QUuid m_expandedShotID;
    ScrollColumn* m_manifest;
    EngineCard* m_engine;
    EmptyStateView* m_empty;
    RenderQueuePanel* m_queue;
    KeyedList<QUuid, SceneSection> m_sections;
};

} // namespace studio
