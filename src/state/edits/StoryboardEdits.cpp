#include "state/edits/StoryboardEdits.h"

#include "state/edits/Assign.h"
#include "model/CraftKits.h"
#include "model/Lookup.h"
#include "model/ShotRecipe.h"
#include "state/rules/StoryboardRules.h"

#include <utility>

namespace studio::edits {

namespace {

// Changes the scene found in its episode; false when it is gone.
template <typename F>
bool withScene(Project& p, const QUuid& episodeID, const QUuid& sceneID, F&& change)
{
    SceneCard* scene = findScene(p, episodeID, sceneID);
    return scene && change(*scene);
}

template <typename F>
bool withShot(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID, F&& change)
{
    Shot* shot = findShot(p, episodeID, sceneID, shotID);
    return shot && change(*shot);
}

void takeRecipe(Shot& shot, const ShotRecipe& recipe)
{
    shot.size = recipe.size;
    shot.move = recipe.move;
    shot.seconds = recipe.seconds;
    shot.recipeID = recipe.id;
}

} // namespace

QUuid addScene(Project& p, const QUuid& episodeID)
{
    Episode* episode = findEpisode(p, episodeID);
    if (!episode)
        return {};
    SceneCard scene;
    scene.setting = SceneSetting::interior;
    scene.timeOfDay = TimeOfDay::day;
    if (!p.locations.isEmpty())
        scene.locationID = p.locations.first().id;
    episode->scenes << scene;
    return scene.id;
}

bool moveScene(Project& p, const QUuid& episodeID, const QUuid& sceneID, int offset)
{
    Episode* episode = findEpisode(p, episodeID);
    return episode && moveByID(episode->scenes, sceneID, offset);
}

bool deleteScene(Project& p, const QUuid& episodeID, const QUuid& sceneID)
{
    Episode* episode = findEpisode(p, episodeID);
    return episode && removeByID(episode->scenes, sceneID);
}

QUuid buildScenesFromScript(Project& p, const QUuid& episodeID)
{
    Episode* episode = findEpisode(p, episodeID);
    if (!episode || !episode->scenes.isEmpty())
        return QUuid();
    episode->scenes = rules::scenesFromScript(*episode, p.locations);
    return episode->scenes.isEmpty() ? QUuid() : episode->scenes.first().id;
}

bool setSceneSetting(Project& p, const QUuid& episodeID, const QUuid& sceneID, SceneSetting setting)
{
    return withScene(p, episodeID, sceneID, [&](SceneCard& s) { return assign(s.setting, setting); });
}

bool setSceneLocation(Project& p, const QUuid& episodeID, const QUuid& sceneID,
                      const std::optional<QUuid>& locationID)
{
    return withScene(p, episodeID, sceneID, [&](SceneCard& s) { return assign(s.locationID, locationID); });
}

bool setSceneLocationText(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QString& text)
{
    return withScene(p, episodeID, sceneID, [&](SceneCard& s) { return assign(s.locationText, text); });
}

bool setSceneTime(Project& p, const QUuid& episodeID, const QUuid& sceneID, TimeOfDay time)
{
    return withScene(p, episodeID, sceneID, [&](SceneCard& s) { return assign(s.timeOfDay, time); });
}

bool setSceneSynopsis(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QString& text)
{
    return withScene(p, episodeID, sceneID, [&](SceneCard& s) { return assign(s.synopsis, text); });
}

bool toggleSceneCast(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QUuid& memberID)
{
    return withScene(p, episodeID, sceneID, [&](SceneCard& s) {
        if (s.castIDs.contains(memberID))
            s.castIDs.removeAll(memberID);
        else
            s.castIDs << memberID;
        return true;
    });
}

QUuid addShot(Project& p, const QUuid& episodeID, const QUuid& sceneID)
{
    SceneCard* scene = findScene(p, episodeID, sceneID);
    if (!scene)
        return {};
    const Shot shot; // the new-shot defaults, fresh id and frame seed
    scene->shots << shot;
    return shot.id;
}

QUuid addRecipeShot(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QString& recipeID)
{
    SceneCard* scene = findScene(p, episodeID, sceneID);
    const ShotRecipe* recipe = ShotRecipe::find(recipeID);
    if (!scene || !recipe)
        return {};
    Shot shot;
    takeRecipe(shot, *recipe);
    scene->shots << shot;
    return shot.id;
}

QUuid applyCoverage(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QString& packID)
{
    SceneCard* scene = findScene(p, episodeID, sceneID);
    const CoveragePack* pack = CoveragePack::find(packID);
    if (!scene || !pack || pack->shots.isEmpty())
        return {};
    QUuid first;
    for (const CoveragePack::PackShot& row : pack->shots) {
        const Shot shot = row.makeShot();
        if (first.isNull())
            first = shot.id;
        scene->shots << shot;
    }
    return first;
}

bool moveShot(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID, int offset)
{
    SceneCard* scene = findScene(p, episodeID, sceneID);
    return scene && moveByID(scene->shots, shotID, offset);
}

bool deleteShot(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID)
{
    SceneCard* scene = findScene(p, episodeID, sceneID);
    return scene && removeByID(scene->shots, shotID);
}

bool reframeShot(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID)
{
    return withShot(p, episodeID, sceneID, shotID, [](Shot& s) {
        s.frameSeed = newSeed();
        return true;
    });
}

bool setShotSize(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID, ShotSize size)
{
    return withShot(p, episodeID, sceneID, shotID, [&](Shot& s) { return assign(s.size, size); });
}

bool setShotMove(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID, CameraMove move)
{
    return withShot(p, episodeID, sceneID, shotID, [&](Shot& s) { return assign(s.move, move); });
}

bool applyShotRecipe(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID,
                     const QString& recipeID)
{
    const ShotRecipe* recipe = ShotRecipe::find(recipeID);
    return recipe && withShot(p, episodeID, sceneID, shotID, [&](Shot& s) {
        const Shot before = s;
        takeRecipe(s, *recipe);
        return s != before;
    });
}

bool clearShotRecipe(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID)
{
    return withShot(p, episodeID, sceneID, shotID,
                    [](Shot& s) { return assign(s.recipeID, std::optional<QString>()); });
}

bool setShotSeconds(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID, double seconds)
{
    return withShot(p, episodeID, sceneID, shotID, [&](Shot& s) { return assign(s.seconds, seconds); });
}

bool setShotWhat(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID, const QString& text)
{
    return withShot(p, episodeID, sceneID, shotID, [&](Shot& s) { return assign(s.what, text); });
}

bool setShotDialogue(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID,
                     const QString& text)
{
    return withShot(p, episodeID, sceneID, shotID, [&](Shot& s) { return assign(s.dialogue, text); });
}

bool toggleTakeApproval(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID,
                        const QUuid& takeID)
{
    return withShot(p, episodeID, sceneID, shotID, [&](Shot& s) {
        if (s.approvedTakeID == takeID)
            s.approvedTakeID.reset();
        else
            s.approvedTakeID = takeID;
        return true;
    });
}

bool landShotDescription(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID,
                         const QString& what)
{
    return withShot(p, episodeID, sceneID, shotID, [&](Shot& s) {
        if (!s.what.isEmpty())
            return false;
        s.what = what;
        return !what.isEmpty();
    });
}

bool landShotList(Project& p, const QUuid& episodeID, const QUuid& sceneID, const QList<Shot>& shots)
{
    SceneCard* scene = findScene(p, episodeID, sceneID);
    if (!scene || shots.isEmpty())
        return false;
    scene->shots << shots;
    return true;
}

} // namespace studio::edits
