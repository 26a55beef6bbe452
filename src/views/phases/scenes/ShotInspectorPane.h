#pragma once

// The Storyboard screen's right-hand pane: the inspector of the selected shot
// of the selected scene of the active episode, or a placeholder when the
// selection finds no shot. It runs the inspector's edits on the shot it
// shows, by ids, and its two actions: delete the selected shot, and ask the
// director to describe it (the reply lands on that shot, found by the ids
// captured at the click, and only while its text is still empty).

#include "views/phases/scenes/StoryboardEdits.h"

#include <QUuid>
#include <QWidget>
#include <optional>

class QStackedLayout;

namespace studio {

class ScenesView;
class ShotInspector;

class ShotInspectorPane : public QWidget {
    Q_OBJECT
public:
    ShotInspectorPane(ScenesView& screen, QWidget* parent = nullptr);

    void showSelection(const Project& project, const Episode* episode, const StoryboardSelection& selection);

    ShotInspector* inspector() const { return m_inspector; }
    QWidget* placeholder() const { return m_placeholder; }
    // Whether a shot is on show (else the placeholder).
    bool isShowingShot() const { return m_shown.has_value(); }

    // The inspector's two actions.
    void describe();
    void deleteShot();

private:
    struct Shown {
        QUuid sceneID;
        QUuid shotID;
    };
    // One edit of the shot on show, found by its ids when it runs.
    void editShown(const std::function<void(Shot&)>& change);

    ScenesView& m_screen;
    QStackedLayout* m_stack;
    QWidget* m_placeholder;
    ShotInspector* m_inspector;
    std::optional<Shown> m_shown;
};

} // namespace studio
