#include "state/rules/SparkRules.h"

#include "model/CraftKits.h"
#include "model/Json.h"
#include "model/Text.h"

#include <cstdint>

using namespace Qt::StringLiterals;

namespace studio::rules {

namespace {

// FNV-1a over the UTF-8 bytes: the same deck position for a production on
// every run and every machine (qHash is seeded per process).
std::uint64_t stableHash(const QString& s)
{
    std::uint64_t h = 0xcbf29ce484222325ULL;
    const QByteArray bytes = s.toUtf8();
    for (const char c : bytes) {
        h ^= std::uint64_t(std::uint8_t(c));
        h *= 0x100000001b3ULL;
    }
    return h;
}

} // namespace

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
    const std::uint64_t base = stableHash(uuidString(projectID)) % count;
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

} // namespace studio::rules
