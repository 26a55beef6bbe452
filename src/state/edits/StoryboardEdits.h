#pragma once

// The changes the Storyboard screen, the Assist menu and the director's
// storyboard assists make to a production. Each addresses its episode, scene,
// shot and take by id at the moment it runs: a target that is gone changes
// nothing (false, or a null id where a new record's id is returned).

#include "model/Project.h"

#include <QList>
#include <QString>
#include <QUuid>
#include <optional>

namespace studio::edits {

// ---- Scenes -----------------------------------------------------------------

// Appends a new interior day scene at the production's first location (or
// none). Returns the new scene's id.
QUuid addScene(Project& p, const QUuid& episodeID);
// Moves the scene `offset` places (-1 up, +1 down); nothing at the ends.
bool moveScene(Project& p, const QUuid& episodeID, const QUuid& sceneID, int offset);
bool deleteScene(Project& p, const QUuid& episodeID, const QUuid& sceneID);
// Builds the scenes from the episode's script, only while it has none: scenes
// the user planned would be lost with their shots. Returns the first scene
// built (null when it built none).
QUuid buildScenesFromScript(Project& p, const QUuid& episodeID);

bool setSceneSetting(Project& p, const QUuid& episodeID, const QUuid& sceneID, SceneSetting setting);
// A production location, or none ("Custom…"); the free text is kept either way.
bool setSceneLocation(Project& p, const QUuid& episodeID, const QUuid& sceneID,
                      const std::optional<QUuid>& locationID);
bool setSceneLocationText(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QString& text);
bool setSceneTime(Project& p, const QUuid& episodeID, const QUuid& sceneID, TimeOfDay time);
bool setSceneSynopsis(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QString& text);
// A cast chip: every occurrence removed when present, else appended once.
bool toggleSceneCast(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QUuid& memberID);

// ---- Shots ------------------------------------------------------------------

// Each appends at the end of the scene and returns the first shot it added.
QUuid addShot(Project& p, const QUuid& episodeID, const QUuid& sceneID);
// Size, move and duration from the catalog's recipe, marked with its id; an
// unknown recipe adds nothing.
QUuid addRecipeShot(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QString& recipeID);
// The whole coverage pack in one change; an unknown or empty pack adds nothing.
QUuid applyCoverage(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QString& packID);
// Moves the shot `offset` places (-1 earlier, +1 later); nothing at the ends.
bool moveShot(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID, int offset);
bool deleteShot(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID);

// A fresh frame seed; the takes keep theirs.
bool reframeShot(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID);
bool setShotSize(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID, ShotSize size);
bool setShotMove(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID, CameraMove move);
// Size, move and duration from the recipe, marked with its id; the texts,
// seed and takes stay. An unknown recipe changes nothing.
bool applyShotRecipe(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID,
                     const QString& recipeID);
// Only the mark goes: size, move and duration keep the recipe's values.
bool clearShotRecipe(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID);
bool setShotSeconds(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID, double seconds);
bool setShotWhat(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID, const QString& text);
bool setShotDialogue(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID,
                     const QString& text);
// Approves the take, or takes the approval back when it is the approved one.
bool toggleTakeApproval(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID,
                        const QUuid& takeID);

// ---- What the director's assists bring back ------------------------------------

// A description lands only in a shot whose text is still empty: words typed
// while it was asked for are kept.
bool landShotDescription(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID,
                         const QString& what);
// A shot list is appended to the scene's shots.
bool landShotList(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QList<Shot>& shots);

} // namespace studio::edits
