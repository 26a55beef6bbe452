#include "state/rules/StoryboardRules.h"

#include "model/ShotRecipe.h"
#include "model/Text.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

using namespace Qt::StringLiterals;

namespace studio::rules {

namespace {

std::optional<QUuid> firstSceneID(const Episode* episode)
{
    if (!episode || episode->scenes.isEmpty())
        return std::nullopt;
    return episode->scenes.first().id;
}

// Dotted forms first, so "INT." loses its dot along with the word.
const std::array<QString, 4>& headingPrefixes()
{
    static const std::array<QString, 4> prefixes{u"INT."_s, u"EXT."_s, u"INT"_s, u"EXT"_s};
    return prefixes;
}

// Searched anywhere in the heading, in this order; the first found decides.
const std::array<std::pair<QString, TimeOfDay>, 5>& timeWords()
{
    static const std::array<std::pair<QString, TimeOfDay>, 5> words{{
        {u"NIGHT"_s, TimeOfDay::night},
        {u"DUSK"_s, TimeOfDay::dusk},
        {u"EVENING"_s, TimeOfDay::dusk},
        {u"DAWN"_s, TimeOfDay::dawn},
        {u"MORNING"_s, TimeOfDay::dawn},
    }};
    return words;
}

// The place named by a heading: the prefix dropped (counted on the text as
// written), cut before the first em dash or else the first " - ", trimmed and
// title-cased.
QString placeOf(const QString& heading, const QString& upper)
{
    QString rest = heading;
    for (const QString& prefix : headingPrefixes()) {
        if (upper.startsWith(prefix)) {
            rest = heading.mid(prefix.size());
            break;
        }
    }
    if (const qsizetype dash = rest.indexOf(u'\u2014'); dash >= 0)
        rest.truncate(dash);
    else if (const qsizetype hyphen = rest.indexOf(u" - "_s); hyphen >= 0)
        rest.truncate(hyphen);
    return text::capitalizedWords(text::trimmed(rest));
}

SceneCard sceneFromHeading(const QString& heading, const QList<Location>& locations)
{
    SceneCard scene;
    const QString upper = text::upper(heading);
    scene.setting = upper.contains(u"EXT"_s) ? SceneSetting::exterior : SceneSetting::interior;
    for (const auto& [word, time] : timeWords()) {
        if (upper.contains(word)) {
            scene.timeOfDay = time;
            break;
        }
    }
    const QString place = placeOf(heading, upper);
    if (!place.isEmpty()) {
        const QString wanted = place.toLower();
        for (const Location& location : locations) {
            if (location.name.toLower() == wanted) {
                scene.locationID = location.id;
                return scene;
            }
        }
    }
    scene.locationText = place;
    return scene;
}

} // namespace

StoryboardSelection shownSelection(const Episode* active, const StoryboardSelection& current)
{
    if (current.sceneID)
        return current;
    return {firstSceneID(active), current.shotID};
}

StoryboardSelection selectionForEpisode(const Episode* active)
{
    return {firstSceneID(active), std::nullopt};
}

StoryboardSelection selectionAfterSceneRemoved(const Episode* episode, const QUuid& sceneID,
                                               const StoryboardSelection& current)
{
    if (current.sceneID != sceneID)
        return current;
    return {firstSceneID(episode), current.shotID};
}

StoryboardSelection selectionAfterShotRemoved(const QUuid& shotID, const StoryboardSelection& current)
{
    if (current.shotID != shotID)
        return current;
    return {current.sceneID, std::nullopt};
}

bool hasSceneHeading(const Episode& episode)
{
    return std::any_of(episode.script.elements.cbegin(), episode.script.elements.cend(),
                       [](const ScriptElement& e) { return e.kind == ScriptElementKind::sceneHeading; });
}

QString sceneDetailText(qsizetype shots, double totalSeconds)
{
    return QString::number(shots) + u" shots · "_s + QString::number(text::saturatingInt64(totalSeconds)) + u's';
}

QString recipeTitle(const std::optional<QString>& recipeID)
{
    if (recipeID) {
        if (const ShotRecipe* recipe = ShotRecipe::find(*recipeID))
            return recipe->name + u" · after "_s + recipe->inspiredBy;
    }
    return u"Apply a signature shot…"_s;
}

QList<SceneCard> scenesFromScript(const Episode& episode, const QList<Location>& locations)
{
    QList<SceneCard> scenes;
    std::optional<SceneCard> current;
    for (const ScriptElement& element : episode.script.elements) {
        switch (element.kind) {
        case ScriptElementKind::sceneHeading:
            if (current)
                scenes << std::move(*current);
            current = sceneFromHeading(element.text, locations);
            break;
        case ScriptElementKind::action:
            if (current && current->synopsis.isEmpty())
                current->synopsis = element.text;
            break;
        case ScriptElementKind::character:
        case ScriptElementKind::parenthetical:
        case ScriptElementKind::dialogue:
        case ScriptElementKind::transition:
            break;
        }
    }
    if (current)
        scenes << std::move(*current);
    return scenes;
}

} // namespace studio::rules
