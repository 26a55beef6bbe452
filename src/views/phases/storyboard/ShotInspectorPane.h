#pragma once

// The Storyboard screen's right-hand pane: the inspector of the selected shot
// of the selected scene of the active episode, or a placeholder when the
// selection finds no shot. It reports what the user does to the shot on show
// as requests carrying the scene's and the shot's ids, captured when the
// control was used; the screen turns them into edits.

#include "model/Board.h"
#include "state/rules/StoryboardRules.h"

#include <QUuid>
#include <QWidget>
#include <optional>

class QStackedLayout;

namespace studio {

class ShotInspector;

class ShotInspectorPane : public QWidget {
    Q_OBJECT
public:
    explicit ShotInspectorPane(QWidget* parent = nullptr);

    void showSelection(const Project& project, const Episode* episode, const rules::StoryboardSelection& selection);

    ShotInspector* inspector() const { return m_inspector; }
    // Whether a shot is on show (else the placeholder).
    bool isShowingShot() const { return m_shown.has_value(); }

Q_SIGNALS:
    void reframeRequested(const QUuid& sceneID, const QUuid& shotID);
    void sizeRequested(const QUuid& sceneID, const QUuid& shotID, ShotSize size);
    void moveRequested(const QUuid& sceneID, const QUuid& shotID, CameraMove move);
    void recipeRequested(const QUuid& sceneID, const QUuid& shotID, const QString& recipeID);
    void recipeClearRequested(const QUuid& sceneID, const QUuid& shotID);
    void secondsRequested(const QUuid& sceneID, const QUuid& shotID, double seconds);
    void whatRequested(const QUuid& sceneID, const QUuid& shotID, const QString& text);
    void dialogueRequested(const QUuid& sceneID, const QUuid& shotID, const QString& text);
    void approvalRequested(const QUuid& sceneID, const QUuid& shotID, const QUuid& takeID);
    void describeRequested(const QUuid& sceneID, const QUuid& shotID);
    void deleteRequested(const QUuid& sceneID, const QUuid& shotID);

private:
    struct Shown {
        QUuid sceneID;
        QUuid shotID;
    };
    // Emits the request for the shot on show, if any.
    template <typename Signal, typename... Args>
    void request(Signal signal, Args&&... args);

    QStackedLayout* m_stack;
    QWidget* m_placeholder;
    ShotInspector* m_inspector;
    std::optional<Shown> m_shown;
};

} // namespace studio
