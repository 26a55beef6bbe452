#pragma once

// What the Storyboard screen shows that needs no widgets: the selection it
// starts from and keeps through changes, the texts of its rows and menus, and
// the scenes a screenplay describes.

#include "model/Project.h"

#include <QList>
#include <QString>
#include <QUuid>
#include <optional>

namespace studio::rules {

// The Storyboard screen's view state: the selected scene and shot. An id that
// names nothing now is kept as it is; it simply matches nothing.
struct StoryboardSelection {
    std::optional<QUuid> sceneID;
    std::optional<QUuid> shotID;
    friend bool operator==(const StoryboardSelection&, const StoryboardSelection&) = default;
};

// The screen appears: without a selected scene, the episode's first scene.
StoryboardSelection shownSelection(const Episode* active, const StoryboardSelection& current);
// Another episode became active: its first scene, and no shot.
StoryboardSelection selectionForEpisode(const Episode* active);
// A scene went: when it was the selected one, the selection passes to the
// episode's first remaining scene (the shot selection stays, matching nothing).
StoryboardSelection selectionAfterSceneRemoved(const Episode* episode, const QUuid& sceneID,
                                               const StoryboardSelection& current);
// A shot went: when it was the selected one, no shot is selected.
StoryboardSelection selectionAfterShotRemoved(const QUuid& shotID, const StoryboardSelection& current);

// Whether the episode's script has a scene heading to build scenes from.
bool hasSceneHeading(const Episode& episode);

// A scene row's detail, "4 shots · 17s": the fraction of the seconds is dropped.
QString sceneDetailText(qsizetype shots, double totalSeconds);

// The recipe menu's title: "<name> · after <credit>", or the prompt to apply one.
QString recipeTitle(const std::optional<QString>& recipeID);

// The scenes the episode's script describes, in script order, each with a
// fresh id and no cast or shots: every scene heading starts a scene, its words
// give the setting, the time of day and the place, and the first non-empty
// action under it becomes the synopsis. A heading's place links the first
// location whose name matches it ignoring case; otherwise it stays free text.
// An empty place never links a location (not even one with an empty name).
QList<SceneCard> scenesFromScript(const Episode& episode, const QList<Location>& locations);

} // namespace studio::rules
