#include "model/Project.h"

#include <limits>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

// One phrase for a dial outside the middle band; both thresholds are strict.
void addTonePhrase(QStringList& out, double value, const QString& high, const QString& low)
{
    if (value > 0.7)
        out.append(high);
    else if (value < 0.3 && !low.isEmpty())
        out.append(low);
}

qint64 saturatingProduct(qint64 a, qint64 b)
{
    qint64 product = 0;
    if (!__builtin_mul_overflow(a, b, &product))
        return product;
    return (a < 0) == (b < 0) ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
}

} // namespace

QStringList ToneProfile::promptPhrases() const
{
    QStringList out;
    addTonePhrase(out, brightness, u"dark, shadow-forward tone"_s, u"bright, airy tone"_s);
    addTonePhrase(out, realism, u"heightened fantastical reality"_s, u"grounded naturalistic reality"_s);
    addTonePhrase(out, energy, u"kinetic restless energy"_s, u"still, contemplative pacing"_s);
    addTonePhrase(out, humor, u"comedic timing and warmth"_s, QString());
    return out;
}

ToneProfile ToneProfile::fromJson(const json::Reader& r)
{
    return ToneProfile{
        .brightness = r.required<double>("brightness"_L1),
        .realism = r.required<double>("realism"_L1),
        .energy = r.required<double>("energy"_L1),
        .humor = r.required<double>("humor"_L1),
    };
}

void ToneProfile::toJson(json::Writer& w) const
{
    w.set("brightness"_L1, brightness);
    w.set("realism"_L1, realism);
    w.set("energy"_L1, energy);
    w.set("humor"_L1, humor);
}

IdeaCard IdeaCard::fromJson(const json::Reader& r)
{
    return IdeaCard{
        .id = r.required<QUuid>("id"_L1),
        .kind = r.required<IdeaCardKind>("kind"_L1),
        .text = r.required<QString>("text"_L1),
    };
}

void IdeaCard::toJson(json::Writer& w) const
{
    w.set("id"_L1, id);
    w.set("kind"_L1, kind);
    w.set("text"_L1, text);
}

ProjectIdea ProjectIdea::fromJson(const json::Reader& r)
{
    return ProjectIdea{
        .logline = r.lenient<QString>("logline"_L1, QString()),
        .premise = r.lenient<QString>("premise"_L1, QString()),
        .argument = r.lenient<QString>("argument"_L1, QString()),
        .genres = r.lenient<QList<Genre>>("genres"_L1, {}),
        .tone = r.lenient<ToneProfile>("tone"_L1, ToneProfile{}),
        .themes = r.lenient<QStringList>("themes"_L1, {}),
        .rating = r.lenient<Rating>("rating"_L1, Rating::unrated),
        .targetRuntimeMinutes = r.lenient<qint64>("targetRuntimeMinutes"_L1, 10),
        .cards = r.lenient<QList<IdeaCard>>("cards"_L1, {}),
        .pressKit = r.lenient<QString>("pressKit"_L1, QString()),
    };
}

void ProjectIdea::toJson(json::Writer& w) const
{
    w.set("logline"_L1, logline);
    w.set("premise"_L1, premise);
    w.set("argument"_L1, argument);
    w.set("genres"_L1, genres);
    w.set("tone"_L1, tone);
    w.set("themes"_L1, themes);
    w.set("rating"_L1, rating);
    w.set("targetRuntimeMinutes"_L1, targetRuntimeMinutes);
    w.set("cards"_L1, cards);
    w.set("pressKit"_L1, pressKit);
}

Episode Episode::fromJson(const json::Reader& r)
{
    return Episode{
        .id = r.required<QUuid>("id"_L1),
        .number = r.required<qint64>("number"_L1),
        .title = r.required<QString>("title"_L1),
        .synopsis = r.required<QString>("synopsis"_L1),
        .structure = r.required<StoryStructure>("structure"_L1),
        .script = r.required<ScriptDocument>("script"_L1),
        .scenes = r.required<QList<SceneCard>>("scenes"_L1),
        .timeline = r.required<QList<TimelineClip>>("timeline"_L1),
        .musicCues = r.required<QList<MusicCue>>("musicCues"_L1),
    };
}

void Episode::toJson(json::Writer& w) const
{
    w.set("id"_L1, id);
    w.set("number"_L1, number);
    w.set("title"_L1, title);
    w.set("synopsis"_L1, synopsis);
    w.set("structure"_L1, structure);
    w.set("script"_L1, script);
    w.set("scenes"_L1, scenes);
    w.set("timeline"_L1, timeline);
    w.set("musicCues"_L1, musicCues);
}

QString Project::runtimeLabel() const
{
    qint64 minutes = idea.targetRuntimeMinutes;
    if (isEpisodic(format))
        minutes = saturatingProduct(minutes, qMax<qint64>(episodes.size(), 1));
    if (minutes >= 60) {
        const qint64 hours = minutes / 60;
        const qint64 rest = minutes % 60;
        if (rest == 0)
            return QString::number(hours) + u'h';
        return QString::number(hours) + u"h "_s + QString::number(rest) + u'm';
    }
    return QString::number(minutes) + u" min"_s;
}

Project Project::fromJson(const json::Reader& r)
{
    return Project{
        .id = r.required<QUuid>("id"_L1),
        .name = r.required<QString>("name"_L1),
        .format = r.required<ProjectFormat>("format"_L1),
        .createdAt = r.required<Date>("createdAt"_L1),
        .modifiedAt = r.required<Date>("modifiedAt"_L1),
        .idea = r.required<ProjectIdea>("idea"_L1),
        .cast = r.required<QList<CastMember>>("cast"_L1),
        .locations = r.required<QList<Location>>("locations"_L1),
        .look = r.required<LookSpec>("look"_L1),
        .episodes = r.required<QList<Episode>>("episodes"_L1),
        .completedPhases = r.required<QSet<PhaseID>>("completedPhases"_L1),
        .activePhase = r.required<PhaseID>("activePhase"_L1),
        .posterSeed = r.required<QString>("posterSeed"_L1),
    };
}

void Project::toJson(json::Writer& w) const
{
    w.set("id"_L1, id);
    w.set("name"_L1, name);
    w.set("format"_L1, format);
    w.set("createdAt"_L1, createdAt);
    w.set("modifiedAt"_L1, modifiedAt);
    w.set("idea"_L1, idea);
    w.set("cast"_L1, cast);
    w.set("locations"_L1, locations);
    w.set("look"_L1, look);
    w.set("episodes"_L1, episodes);
    w.set("completedPhases"_L1, completedPhases);
    w.set("activePhase"_L1, activePhase);
    w.set("posterSeed"_L1, posterSeed);
}

} // namespace studio
