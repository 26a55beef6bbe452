#include "model/PromptComposer.h"

#include "model/LookCatalogs.h"
#include "model/ShotRecipe.h"
#include "model/Text.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace studio::PromptComposer {

namespace {

// Blanks and tabs trimmed; a full stop added unless the text is empty or
// already ends a sentence.
QString terminated(const QString& s)
{
    const QString t = text::trimmedWhitespace(s);
    if (t.isEmpty() || t.endsWith(u'.') || t.endsWith(u'!') || t.endsWith(u'?'))
        return t;
    return t + u'.';
}

QString firstLetterUp(const QString& s)
{
    const QString first = text::graphemePrefix(s, 1);
    return first.toUpper() + s.mid(first.size());
}

QString firstLetterDown(const QString& s)
{
    const QString first = text::graphemePrefix(s, 1);
    return first.toLower() + s.mid(first.size());
}

// The production's cast members listed in the scene, in production cast order.
QList<const CastMember*> sceneCast(const SceneCard& scene, const Project& project)
{
    QList<const CastMember*> members;
    for (const CastMember& member : project.cast) {
        if (scene.castIDs.contains(member.id))
            members.append(&member);
    }
    return members;
}

const Location* sceneLocation(const SceneCard& scene, const Project& project)
{
    if (!scene.locationID)
        return nullptr;
    for (const Location& location : project.locations) {
        if (location.id == *scene.locationID)
            return &location;
    }
    return nullptr;
}

QString cameraSentence(const Shot& shot, const LookSpec& look)
{
    QString s = firstLetterUp(promptPhrase(shot.size)) + u", "_s + promptPhrase(shot.move);
    if (shot.recipeID) {
        if (const ShotRecipe* recipe = ShotRecipe::find(*shot.recipeID))
            s += u" — "_s + recipe->phrase;
    }
    return s + u", "_s + label(look.aspect) + u" frame"_s;
}

QString atmosphereSentence(const Project& project)
{
    const LookSpec& look = project.look;
    QStringList parts;
    if (!look.lightingMood.isEmpty())
        parts.append(u"lit by "_s + look.lightingMood.join(u", "_s).toLower());
    if (!look.moodWords.isEmpty())
        parts.append(u"mood "_s + look.moodWords.join(u", "_s).toLower());
    parts.append(project.idea.tone.promptPhrases());
    return parts.isEmpty() ? QString() : firstLetterUp(parts.join(u"; "_s));
}

QString lookSentence(const LookSpec& look)
{
    QStringList parts;
    if (look.styleID) {
        if (const StylePreset* style = StylePreset::find(*look.styleID))
            parts.append(u"Rendered in "_s + style->name + u" style: "_s + style->keywords.join(u", "_s));
    }
    if (look.directorLensID) {
        if (const DirectorLens* lens = DirectorLens::find(*look.directorLensID))
            parts.append(u"composition doctrine: "_s + lens->keywords.join(u", "_s));
    }
    const QStringList grade = look.characterPhrases();
    if (!grade.isEmpty())
        parts.append(u"grade: "_s + grade.join(u", "_s));
    return parts.join(u"; "_s);
}

} // namespace

QString prompt(const Shot& shot, const SceneCard& scene, const Project& project)
{
    QStringList parts;
    const auto add = [&parts](const QString& part) { parts.append(terminated(part)); };

    if (!shot.what.isEmpty())
        add(firstLetterUp(shot.what));

    for (const CastMember* member : sceneCast(scene, project)) {
        if (member->look.isEmpty())
            continue;
        QString part = member->name + u": "_s + member->look;
        if (!member->tells.isEmpty())
            part += u". Behavior: "_s + firstLetterDown(member->tells);
        add(part);
    }

    QString setting = text::capitalizedWords(scene.slug(project.locations));
    if (const Location* location = sceneLocation(scene, project); location && !location->look.isEmpty())
        setting += u" — "_s + firstLetterDown(location->look);
    add(setting);

    add(cameraSentence(shot, project.look));

    if (const QString atmosphere = atmosphereSentence(project); !atmosphere.isEmpty())
        add(atmosphere);
    if (const QString look = lookSentence(project.look); !look.isEmpty())
        add(look);

    return parts.join(u' ');
}

QStringList references(const Shot&, const SceneCard& scene, const Project& project, const GenerationProfile& profile)
{
    QStringList refs = {u"Style anchor frame"_s};
    if (!profile.usesCharacterRefs)
        return refs;
    // maxRefImages comes from the user; at or below one there is room for no portrait.
    const qint64 portraits = profile.maxRefImages > 1 ? profile.maxRefImages - 1 : 0;
    const QList<const CastMember*> cast = sceneCast(scene, project);
    for (qsizetype i = 0; i < cast.size() && i < portraits; ++i)
        refs.append(cast[i]->name + u" — portrait ref"_s);
    if (const Location* location = sceneLocation(scene, project))
        refs.append(location->name + u" — set ref"_s);
    return refs;
}

QList<ClipPlan> clips(const Shot& shot, const SceneCard& scene, const Project& project, const GenerationProfile& profile)
{
    // A clip length that isn't a positive number can't split anything: the
    // whole shot becomes one clip instead of an endless run of empty ones.
    const bool splits = std::isfinite(profile.maxClipSeconds) && profile.maxClipSeconds > 0;
    // A duration read from a damaged file may be negative or not a number at
    // all: such a shot has nothing to render and plans one clip of no length.
    const double duration = std::isfinite(shot.seconds) && shot.seconds > 0 ? shot.seconds : 0.0;
    const double maxSeconds = splits ? profile.maxClipSeconds : duration;
    int count = 1;
    if (splits) {
        const int n = text::saturatingInt(std::ceil(duration / maxSeconds));
        count = std::clamp(n, 1, maxClipsPerShot);
    }

    const QString shotPrompt = prompt(shot, scene, project);
    const QStringList refs = references(shot, scene, project, profile);

    QList<ClipPlan> plans;
    plans.reserve(count);
    double remaining = duration;
    for (int i = 1; i <= count; ++i) {
        ClipPlan plan;
        plan.index = i;
        plan.total = count;
        plan.seconds = splits ? std::min(remaining, maxSeconds) : duration;
        remaining -= plan.seconds;
        plan.chained = profile.chainsLastFrame && i > 1;
        plan.prompt = shotPrompt;
        if (count > 1) {
            plan.prompt += u" — clip "_s + QString::number(i) + u" of "_s + QString::number(count);
            if (plan.chained)
                plan.prompt += u", continuing motion seamlessly from the previous clip's final frame"_s;
        }
        plan.refs = refs;
        plans.append(plan);
    }
    return plans;
}

} // namespace studio::PromptComposer
