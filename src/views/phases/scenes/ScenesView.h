#pragma once

// The Storyboard screen: the active episode's scenes in a list, the selected
// scene's editor with its shot grid, and the selected shot's inspector. The
// screen keeps only its two selections (never saved); every edit goes through
// the session's edit door, addressed by ids resolved when it runs.

#include "views/phases/PhaseScreen.h"
#include "views/phases/scenes/StoryboardEdits.h"

#include <QUuid>
#include <functional>
#include <memory>
#include <optional>

class QVBoxLayout;
class QStackedLayout;

namespace studio {

class EmptyStateView;
class GhostButton;
class SceneEditor;
class SceneRow;
class ScrollColumn;
class SectionHeader;
class ShotInspectorPane;
class ToolbarIconButton;
template <typename Key, typename W>
class KeyedList;

class ScenesView : public PhaseScreen {
    Q_OBJECT
public:
    explicit ScenesView(ProjectSession& session, QWidget* parent = nullptr);
    ~ScenesView() override;

    const StoryboardSelection& selection() const { return m_selection; }
    // A new selection from the screen's parts (a row, a card): shown at once.
    void select(const StoryboardSelection& selection);

    // One change of the active episode, resolved now, through the edit door;
    // the change returns what the selection becomes. Without an episode
    // nothing happens.
    using BoardChange =
        std::function<StoryboardSelection(Project&, const QUuid& episodeID, const StoryboardSelection&)>;
    void editBoard(const BoardChange& change);

    // The scene list's operations.
    void addScene();
    void moveScene(const QUuid& sceneID, int offset);
    void deleteScene(const QUuid& sceneID);
    void buildFromScript();

    // The parts, for tests.
    SectionHeader* listHeader() const { return m_header; }
    ToolbarIconButton* addButton() const { return m_addButton; }
    GhostButton* buildButton() const { return m_buildButton; }
    QList<SceneRow*> rows() const;
    SceneEditor* editor() const { return m_editor; }
    EmptyStateView* emptyState() const { return m_empty; }
    ShotInspectorPane* inspectorPane() const { return m_pane; }
    ScrollColumn* sceneScroll() const { return m_scroll; }

protected:
    void refresh() override;

private:
    QWidget* buildList();

    StoryboardSelection m_selection;
    // The episode the last refresh showed; a different one resets the selection.
    std::optional<QUuid> m_shownEpisode;
    bool m_shown = false;

    SectionHeader* m_header;
    ToolbarIconButton* m_addButton;
    GhostButton* m_buildButton;
    ScrollColumn* m_scroll;
    QVBoxLayout* m_rowsLayout;
    std::unique_ptr<KeyedList<QUuid, SceneRow>> m_rows;
    QStackedLayout* m_detail;
    SceneEditor* m_editor;
    EmptyStateView* m_empty;
    ShotInspectorPane* m_pane;
};

} // namespace studio
