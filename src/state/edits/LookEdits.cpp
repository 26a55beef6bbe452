#include "state/edits/LookEdits.h"

#include "state/edits/Assign.h"
#include "model/LookCatalogs.h"
#include "state/rules/LookRules.h"

#include <utility>

namespace studio::edits {

bool chooseStyle(Project& p, const QString& styleID)
{
    return assign(p.look.styleID, std::optional<QString>(styleID));
}

bool toggleDirectorLens(Project& p, const QString& lensID)
{
    if (p.look.directorLensID == lensID) {
        p.look.directorLensID.reset();
        return true;
    }
    p.look.directorLensID = lensID;
    return true;
}

bool clearDirectorLens(Project& p)
{
    return assign(p.look.directorLensID, std::optional<QString>());
}

bool setAspect(Project& p, AspectRatio aspect)
{
    return assign(p.look.aspect, aspect);
}

bool setFrameRate(Project& p, FrameRate rate)
{
    return assign(p.look.frameRate, rate);
}

bool toggleLensFeel(Project& p, const QString& text)
{
    p.look.lensFeel = rules::toggledFirst(p.look.lensFeel, text);
    return true;
}

bool toggleLightingMood(Project& p, const QString& text)
{
    p.look.lightingMood = rules::toggledFirst(p.look.lightingMood, text);
    return true;
}

bool setMoodWords(Project& p, const QStringList& words)
{
    return assign(p.look.moodWords, words);
}

bool setAccent(Project& p, const QString& hex)
{
    return assign(p.look.accentHex, hex);
}

bool setGrain(Project& p, double value)
{
    return assign(p.look.grain, value);
}

bool setTemperature(Project& p, double value)
{
    return assign(p.look.temperature, value);
}

bool setContrast(Project& p, double value)
{
    return assign(p.look.contrast, value);
}

bool setLookNotes(Project& p, const QString& notes)
{
    return assign(p.look.notes, notes);
}

bool applyLookRecommendation(Project& p, const AIDirector::LookRecommendation& r)
{
    const LookSpec before = p.look;
    LookSpec& look = p.look;
    if (r.styleID && StylePreset::find(*r.styleID))
        look.styleID = *r.styleID;
    if (r.lensID && DirectorLens::find(*r.lensID))
        look.directorLensID = *r.lensID;
    if (r.aspectID) {
        if (const auto aspect = fromRaw<AspectRatio>(*r.aspectID))
            look.aspect = *aspect;
    }
    if (!r.lighting.isEmpty()) {
        const QStringList& offered = LookChoices::lightingMoods();
        QStringList moods;
        for (const QString& mood : r.lighting) {
            if (offered.contains(mood))
                moods << mood;
        }
        look.lightingMood = moods;
    }
    if (!r.moodWords.isEmpty())
        look.moodWords = r.moodWords;
    if (!r.notes.isEmpty() && look.notes.isEmpty())
        look.notes = r.notes;
    return look != before;
}

} // namespace studio::edits
