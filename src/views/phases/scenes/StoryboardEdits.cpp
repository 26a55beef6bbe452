#include "views/phases/scenes/StoryboardEdits.h"

#include "model/CraftKits.h"
#include "model/Lookup.h"
#include "model/ShotRecipe.h"
#include "views/phases/scenes/ScenesFromScript.h"

#include <algorithm>

namespace studio {

namespace {

std::optional<QUuid> firstSceneID(const Episode* episode)
{
    if (!episode || episode->scenes.isEmpty())
        return std::nullopt;
    return episode->scenes.first().id;
}

template <class T>
qsizetype indexOfID(const QList<T>& list, const QUuid& id)
{
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list[i].id == id)
            return i;
    }
    return -1;
}

// Swaps the first record with that id and its neighbour `offset` places
// away; a record that is missing, or a neighbour past either end, changes
// nothing.
template <class T>
void swapWithNeighbour(QList<T>& list, const QUuid& id, int offset)
{
    const qsizetype i = indexOfID(list, id);
    if (i < 0)
        return;
    const qsizetype j = i + offset;
    if (j < 0 || j >= list.size())
        return;
    list.swapItemsAt(i, j);
}

StoryboardSelection withShot(StoryboardSelection selection, const QUuid& shotID)
{
    selection.shotID = shotID;
    return selection;
}

} // namespace

StoryboardSelection StoryboardEdits::shown(const Episode* active, const StoryboardSelection& current)
{
    if (current.sceneID)
        return current;
    return {firstSceneID(active), current.shotID};
}

StoryboardSelection StoryboardEdits::episodeChanged(const Episode* active)
{
    return {firstSceneID(active), std::nullopt};
}

StoryboardSelection StoryboardEdits::addScene(Project& p, const QUuid& episodeID, const StoryboardSelection& current)
{
    Episode* episode = findEpisode(p, episodeID);
    if (!episode)
        return current;
    SceneCard scene;
    scene.setting = SceneSetting::interior;
    scene.timeOfDay = TimeOfDay::day;
    if (!p.locations.isEmpty())
        scene.locationID = p.locations.first().id;
    episode->scenes << scene;
    return {scene.id, current.shotID};
}

void StoryboardEdits::moveScene(Project& p, const QUuid& episodeID, const QUuid& sceneID, int offset)
{
    if (Episode* episode = findEpisode(p, episodeID))
        swapWithNeighbour(episode->scenes, sceneID, offset);
}

StoryboardSelection StoryboardEdits::deleteScene(Project& p, const QUuid& episodeID, const QUuid& sceneID,
                                                 const StoryboardSelection& current)
{
    Episode* episode = findEpisode(p, episodeID);
    if (!episode)
        return current;
    episode->scenes.removeIf([&](const SceneCard& scene) { return scene.id == sceneID; });
    if (current.sceneID != sceneID)
        return current;
    return {firstSceneID(episode), current.shotID};
}

StoryboardSelection StoryboardEdits::buildFromScript(Project& p, const QUuid& episodeID,
                                                     const StoryboardSelection& current)
{
    Episode* episode = findEpisode(p, episodeID);
    // Never over scenes the user already planned: they would be lost with their shots.
    if (!episode || !episode->scenes.isEmpty())
        return current;
    episode->scenes = scenesFromScript(*episode, p.locations);
    return {firstSceneID(episode), current.shotID};
}

void StoryboardEdits::editScene(Project& p, const QUuid& episodeID, const QUuid& sceneID,
                                const std::function<void(SceneCard&)>& change)
{
    if (SceneCard* scene = findScene(p, episodeID, sceneID))
        change(*scene);
}

void StoryboardEdits::toggleCast(SceneCard& scene, const QUuid& memberID)
{
    if (scene.castIDs.contains(memberID))
        scene.castIDs.removeAll(memberID);
    else
        scene.castIDs << memberID;
}

StoryboardSelection StoryboardEdits::addShot(Project& p, const QUuid& episodeID, const QUuid& sceneID,
                                             const StoryboardSelection& current)
{
    SceneCard* scene = findScene(p, episodeID, sceneID);
    if (!scene)
        return current;
    const Shot shot; // the new-shot defaults, fresh id and frame seed
    scene->shots << shot;
    return withShot(current, shot.id);
}

StoryboardSelection StoryboardEdits::addRecipeShot(Project& p, const QUuid& episodeID, const QUuid& sceneID,
                                                   const ShotRecipe& recipe, const StoryboardSelection& current)
{
    SceneCard* scene = findScene(p, episodeID, sceneID);
    if (!scene)
        return current;
    Shot shot;
    applyRecipe(shot, recipe);
    scene->shots << shot;
    return withShot(current, shot.id);
}

StoryboardSelection StoryboardEdits::applyCoverage(Project& p, const QUuid& episodeID, const QUuid& sceneID,
                                                   const CoveragePack& pack, const StoryboardSelection& current)
{
    SceneCard* scene = findScene(p, episodeID, sceneID);
    if (!scene || pack.shots.isEmpty())
        return current;
    std::optional<QUuid> first;
    for (const CoveragePack::PackShot& row : pack.shots) {
        const Shot shot = row.makeShot();
        if (!first)
            first = shot.id;
        scene->shots << shot;
    }
    return withShot(current, *first);
}

void StoryboardEdits::moveShot(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID,
                               int offset)
{
    if (SceneCard* scene = findScene(p, episodeID, sceneID))
        swapWithNeighbour(scene->shots, shotID, offset);
}

StoryboardSelection StoryboardEdits::deleteShot(Project& p, const QUuid& episodeID, const QUuid& sceneID,
                                                const QUuid& shotID, const StoryboardSelection& current)
{
    SceneCard* scene = findScene(p, episodeID, sceneID);
    if (!scene)
        return current;
    scene->shots.removeIf([&](const Shot& shot) { return shot.id == shotID; });
    if (current.shotID != shotID)
        return current;
    return {current.sceneID, std::nullopt};
}

void StoryboardEdits::editShot(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID,
                               const std::function<void(Shot&)>& change)
{
    if (Shot* shot = findShot(p, episodeID, sceneID, shotID))
        change(*shot);
}

void StoryboardEdits::reframe(Shot& shot)
{
    shot.frameSeed = newSeed();
}

void StoryboardEdits::applyRecipe(Shot& shot, const ShotRecipe& recipe)
{
    shot.size = recipe.size;
    shot.move = recipe.move;
    shot.seconds = recipe.seconds;
    shot.recipeID = recipe.id;
}

void StoryboardEdits::clearRecipe(Shot& shot)
{
    shot.recipeID.reset();
}

void StoryboardEdits::toggleApproval(Shot& shot, const QUuid& takeID)
{
    if (shot.approvedTakeID == takeID)
        shot.approvedTakeID.reset();
    else
        shot.approvedTakeID = takeID;
}

void StoryboardEdits::landDescription(Project& p, const QUuid& episodeID, const QUuid& sceneID,
                                      const QUuid& shotID, const QString& what)
{
    Shot* shot = findShot(p, episodeID, sceneID, shotID);
    if (shot && shot->what.isEmpty())
        shot->what = what;
}

} // namespace studio
