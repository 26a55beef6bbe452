#include "state/edits/SparkEdits.h"

#include "state/edits/Assign.h"
#include "model/Lookup.h"
#include "model/Text.h"
#include "state/rules/SparkRules.h"

#include <algorithm>

namespace studio::edits {

namespace {

double ToneProfile::*toneField(ToneAxis axis)
{
    switch (axis) {
    case ToneAxis::realism:
        return &ToneProfile::realism;
    case ToneAxis::energy:
        return &ToneProfile::energy;
    case ToneAxis::humor:
        return &ToneProfile::humor;
    case ToneAxis::brightness:
        break;
    }
    return &ToneProfile::brightness;
}

} // namespace

bool changeFormat(Project& project, ProjectFormat format)
{
    const bool changed = assign(project.format, format);
    const qint64 kept
        = std::clamp(project.idea.targetRuntimeMinutes, runtimeMin(format), runtimeMax(format));
    return assign(project.idea.targetRuntimeMinutes, kept) || changed;
}

bool toggleGenre(Project& project, Genre genre)
{
    project.idea.genres = rules::toggledGenre(project.idea.genres, genre);
    return true;
}

bool setRating(Project& project, Rating rating)
{
    return assign(project.idea.rating, rating);
}

bool setTargetRuntime(Project& project, qint64 minutes)
{
    return assign(project.idea.targetRuntimeMinutes, minutes);
}

bool setTone(Project& project, ToneAxis axis, double value)
{
    return assign(project.idea.tone.*toneField(axis), value);
}

bool setWorkingTitle(Project& project, const QString& name)
{
    return assign(project.name, name);
}

bool setLogline(Project& project, const QString& logline)
{
    return assign(project.idea.logline, logline);
}

bool setPremise(Project& project, const QString& premise)
{
    return assign(project.idea.premise, premise);
}

bool setArgument(Project& project, const QString& argument)
{
    return assign(project.idea.argument, argument);
}

bool setThemes(Project& project, const QStringList& themes)
{
    return assign(project.idea.themes, themes);
}

bool fillBlankPremise(Project& project, const QString& draft)
{
    return text::isBlank(project.idea.premise) && assign(project.idea.premise, draft);
}

bool addThemes(Project& project, const QStringList& themes)
{
    bool added = false;
    for (const QString& theme : themes) {
        if (!project.idea.themes.contains(theme)) {
            project.idea.themes << theme;
            added = true;
        }
    }
    return added;
}

bool fillEmptyArgument(Project& project, const QString& argument)
{
    return project.idea.argument.isEmpty() && assign(project.idea.argument, argument);
}

QUuid appendIdeaCard(Project& project, IdeaCardKind kind, const QString& text)
{
    project.idea.cards.append(IdeaCard{.id = newId(), .kind = kind, .text = text});
    return project.idea.cards.last().id;
}

bool appendIdeaCards(Project& project, const QList<IdeaCard>& cards)
{
    project.idea.cards << cards;
    return !cards.isEmpty();
}

bool removeIdeaCard(Project& project, const QUuid& cardID)
{
    return removeByID(project.idea.cards, cardID);
}

bool setIdeaCardText(Project& project, const QUuid& cardID, const QString& text)
{
    IdeaCard* card = findIdeaCard(project, cardID);
    return card && assign(card->text, text);
}

} // namespace studio::edits
