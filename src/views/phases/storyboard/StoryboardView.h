#pragma once

// The Storyboard screen: the active episode's scenes in a list, the selected
// scene's editor with its shot grid, and the selected shot's inspector. The
// screen keeps only its two selections (never saved). Its parts report what
// the user does as requests carrying ids; the screen turns each into one
// named edit of the active episode, through the session's edit door. An edit
// that moves the selection (a shot added, a scene deleted) returns what it
// made or tells what it removed, and the screen selects once the edit is
// made.

#include "views/phases/PhaseScreen.h"
#include "state/rules/StoryboardRules.h"

#include <QUuid>
#include <functional>
#include <memory>
#include <optional>

class QStackedLayout;

namespace studio {

class EmptyStateView;
class GhostButton;
class SceneEditor;
class SceneList;
class SceneRow;
class ScrollColumn;
class SectionHeader;
class ShotInspectorPane;
class ToolbarIconButton;

class StoryboardView : public PhaseScreen {
    Q_OBJECT
public:
    explicit StoryboardView(ScreenSession screenSession, QWidget* parent = nullptr);
    ~StoryboardView() override;

    const rules::StoryboardSelection& selection() const { return m_selection; }
    // A new selection from the screen's parts (a row, a card): shown at once.
    void select(const rules::StoryboardSelection& selection);

    // The scene list's operations.
    void addScene();
    void moveScene(const QUuid& sceneID, int offset);
    // Ids by value: a caller may name them from the production the edit
    // changes, and the selection is repaired after it.
    void deleteScene(QUuid sceneID);
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

private:
    void refresh() override;
    QWidget* buildList();
    void connectEditor();
    void connectPane();
    void deleteShot(QUuid sceneID, QUuid shotID);
    void describeShot(const QUuid& sceneID, const QUuid& shotID);
    void askShotList(const QUuid& sceneID);

    rules::StoryboardSelection m_selection;
    // The episode the last refresh showed; a different one resets the selection.
    std::optional<QUuid> m_shownEpisode;
    bool m_shown = false;

    SectionHeader* m_header;
    ToolbarIconButton* m_addButton;
    GhostButton* m_buildButton;
    ScrollColumn* m_scroll;
    SceneList* m_rows;
    QStackedLayout* m_detail;
    SceneEditor* m_editor;
    EmptyStateView* m_empty;
    ShotInspectorPane* m_pane;
};

} // namespace studio
