#include "services/SampleFactory.h"

#include "services/SampleFactorySupport.h"

using namespace Qt::StringLiterals;

namespace studio::SampleFactory {

const QList<Sample>& registry()
{
    static const QList<Sample> samples = {
        {u"lighthouse"_s, u"The Last Lighthouse"_s, u"Sci-fi short · 35mm · silhouette-and-sodium craft"_s,
         &lighthouse},
        {u"cloudFarmer"_s, u"The Cloud Farmer"_s, u"Painterly anime short · Kishōtenketsu structure"_s,
         &cloudFarmer},
        {u"counterCulture"_s, u"Counter Culture"_s, u"Multi-cam sitcom · A/B-plot engine · 3 episodes"_s,
         &counterCulture},
    };
    return samples;
}

namespace detail {

void writeBeat(StoryStructure& structure, int act, int beat, const QString& summary, double charge)
{
    // The positions are written against the built-in templates; a template
    // that no longer has the beat leaves the sample without it rather than
    // writing out of bounds.
    if (act < 1 || act > structure.acts.size())
        return;
    Act& target = structure.acts[act - 1];
    if (beat < 1 || beat > target.beats.size())
        return;
    Beat& b = target.beats[beat - 1];
    b.summary = summary;
    b.charge = charge;
}

Episode templatedEpisode(qint64 number, const QString& title, const QString& synopsis, StructureKind kind)
{
    Episode e;
    e.number = number;
    e.title = title;
    e.synopsis = synopsis;
    e.structure = StoryStructure{kind, structureTemplate(kind)};
    return e;
}

Shot shot(ShotSize size, CameraMove move, double seconds, const QString& what, const QString& dialogue,
          const QString& frameSeed, const std::optional<QString>& recipeID)
{
    Shot s;
    s.size = size;
    s.move = move;
    s.seconds = seconds;
    s.what = what;
    s.dialogue = dialogue;
    s.frameSeed = frameSeed;
    s.recipeID = recipeID;
    return s;
}

SceneCard scene(SceneSetting setting, TimeOfDay time, const Location& location, const QList<QUuid>& castIDs,
                const QString& synopsis, QList<Shot> shots)
{
    SceneCard s;
    s.setting = setting;
    s.timeOfDay = time;
    s.locationID = location.id;
    s.castIDs = castIDs;
    s.synopsis = synopsis;
    s.shots = std::move(shots);
    return s;
}

void relate(CastMember& first, const QString& firstLabel, CastMember& second, const QString& secondLabel)
{
    first.relationships = {CastRelationship{.otherID = second.id, .label = firstLabel}};
    second.relationships = {CastRelationship{.otherID = first.id, .label = secondLabel}};
}

MusicCue cue(const QString& name, const QString& mood)
{
    MusicCue c;
    c.name = name;
    c.mood = mood;
    return c;
}

} // namespace detail
} // namespace studio::SampleFactory
