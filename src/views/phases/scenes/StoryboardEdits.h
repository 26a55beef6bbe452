#pragma once

// The Storyboard screen's edits, as pure functions on a production. Each one
// addresses its episode, scene and shot by id at the moment it runs (a target
// that is gone changes nothing), and those that can move the screen's
// selection return what the selection becomes. The screen runs each inside
// one edit of its session, so one user action is one change.

#include "model/Project.h"

#include <QUuid>
#include <functional>
#include <optional>

namespace studio {

struct CoveragePack;
struct ShotRecipe;

// The Storyboard screen's view state: the selected scene and shot. An id that
// names nothing now is kept as it is; it simply matches nothing.
struct StoryboardSelection {
    std::optional<QUuid> sceneID;
    std::optional<QUuid> shotID;
    friend bool operator==(const StoryboardSelection&, const StoryboardSelection&) = default;
};

class StoryboardEdits {
public:
    // ---- Selection ---------------------------------------------------------

    // The screen appears: without a selected scene, the episode's first scene.
    static StoryboardSelection shown(const Episode* active, const StoryboardSelection& current);
    // Another episode became active: its first scene, and no shot.
    static StoryboardSelection episodeChanged(const Episode* active);

    // ---- Scenes ------------------------------------------------------------

    // Appends a new interior day scene at the production's first location (or
    // none) and selects it.
    static StoryboardSelection addScene(Project& p, const QUuid& episodeID, const StoryboardSelection& current);
    // Swaps the scene with its neighbour `offset` places away; nothing at the ends.
    static void moveScene(Project& p, const QUuid& episodeID, const QUuid& sceneID, int offset);
    // Removes every scene with that id; a deleted selected scene passes the
    // selection to the first remaining one.
    static StoryboardSelection deleteScene(Project& p, const QUuid& episodeID, const QUuid& sceneID,
                                           const StoryboardSelection& current);
    // Builds the scenes from the episode's script, only while it has none,
    // and selects the first one built.
    static StoryboardSelection buildFromScript(Project& p, const QUuid& episodeID,
                                               const StoryboardSelection& current);

    // The scene, found in its episode, changed in place.
    static void editScene(Project& p, const QUuid& episodeID, const QUuid& sceneID,
                          const std::function<void(SceneCard&)>& change);
    // A cast chip: every occurrence removed when present, else appended once.
    static void toggleCast(SceneCard& scene, const QUuid& memberID);

    // ---- Shots -------------------------------------------------------------

    // Each appends at the end of the scene and selects the first shot it added.
    static StoryboardSelection addShot(Project& p, const QUuid& episodeID, const QUuid& sceneID,
                                       const StoryboardSelection& current);
    static StoryboardSelection addRecipeShot(Project& p, const QUuid& episodeID, const QUuid& sceneID,
                                             const ShotRecipe& recipe, const StoryboardSelection& current);
    // A pack without shots changes nothing, the selection included.
    static StoryboardSelection applyCoverage(Project& p, const QUuid& episodeID, const QUuid& sceneID,
                                             const CoveragePack& pack, const StoryboardSelection& current);
    // Swaps the shot with its neighbour `offset` places away; nothing at the ends.
    static void moveShot(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID, int offset);
    // Removes every shot with that id; a deleted selected shot clears the
    // shot selection.
    static StoryboardSelection deleteShot(Project& p, const QUuid& episodeID, const QUuid& sceneID,
                                          const QUuid& shotID, const StoryboardSelection& current);

    // The shot, found in its scene, changed in place.
    static void editShot(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID,
                         const std::function<void(Shot&)>& change);
    // A fresh frame seed; the takes keep theirs.
    static void reframe(Shot& shot);
    // Size, move and duration from the recipe, marked with its id; the texts,
    // seed and takes stay.
    static void applyRecipe(Shot& shot, const ShotRecipe& recipe);
    // Only the mark goes: size, move and duration keep the recipe's values.
    static void clearRecipe(Shot& shot);
    // Approves the take, or takes the approval back when it is the approved one.
    static void toggleApproval(Shot& shot, const QUuid& takeID);
    // A description from the director lands only in a shot whose text is
    // still empty: words typed while it was asked for are kept.
    static void landDescription(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID,
                                const QString& what);
};

} // namespace studio
