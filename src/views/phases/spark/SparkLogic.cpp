#include "views/phases/spark/SparkLogic.h"

#include "design/PlaceholderArt.h"
#include "model/CraftKits.h"
#include "model/Json.h"
#include "model/Lookup.h"
#include "model/Text.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace studio::spark {

void changeFormat(Project& project, ProjectFormat format)
{
    project.format = format;
    project.idea.targetRuntimeMinutes
        = std::clamp(project.idea.targetRuntimeMinutes, runtimeMin(format), runtimeMax(format));
}

QList<Genre> toggledGenre(QList<Genre> genres, Genre genre)
{
    const qsizetype at = genres.indexOf(genre);
    if (at >= 0)
        genres.removeAt(at);
    else
        genres.append(genre);
    return genres;
}

qint64 runtimeFromSlider(double value)
{
    return text::saturatingInt64(value);
}

QString runtimeCaption(ProjectFormat format)
{
    if (isEpisodic(format))
        return u"Runtime per "_s + episodeNoun(format).toLower();
    return u"Target runtime"_s;
}

QString runtimeText(qint64 minutes)
{
    return text::format("%lldm", static_cast<long long>(minutes));
}

QString loglineCounterText(const QString& logline)
{
    return text::format("%lld characters", static_cast<long long>(text::graphemeCount(logline)));
}

QString targetingText(const Project& project)
{
    return u"Targeting %1 total"_s.arg(project.runtimeLabel());
}

int interrogationIndex(const QUuid& projectID, qint64 step)
{
    const auto count = std::uint64_t(InterrogationDeck::questions().size());
    if (count == 0)
        return 0;
    const std::uint64_t base = PlaceholderArt::stableHash(uuidString(projectID)) % count;
    // The step only grows from 0; a negative one still lands inside the deck.
    const auto n = qint64(count);
    const qint64 offset = ((step % n) + n) % n;
    return int((qint64(base) + offset) % n);
}

QString interrogationCounter(int index, int count)
{
    return text::format("%lld", static_cast<long long>(index) + 1) + u'/'
        + text::format("%lld", static_cast<long long>(count));
}

QString answerCardText(const QString& question)
{
    return question + u"\n\u2192 "_s;
}

void appendIdeaCard(Project& project, IdeaCardKind kind, const QString& text)
{
    project.idea.cards.append(IdeaCard{.id = newId(), .kind = kind, .text = text});
}

void removeIdeaCard(Project& project, const QUuid& cardID)
{
    project.idea.cards.removeIf([&](const IdeaCard& card) { return card.id == cardID; });
}

void setIdeaCardText(Project& project, const QUuid& cardID, const QString& text)
{
    if (IdeaCard* card = findIdeaCard(project, cardID))
        card->text = text;
}

} // namespace studio::spark
