#include "state/rules/NewProjectDraft.h"

#include "model/Text.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace studio::rules {

QString NewProjectDraft::blurb(ProjectFormat format)
{
    switch (format) {
    case ProjectFormat::shortFilm:
        return u"A complete story in one sitting. Festivals, proof-of-concepts, calling cards."_s;
    case ProjectFormat::feature:
        return u"The big one. Forty minutes to four hours of theatrical storytelling."_s;
    case ProjectFormat::series:
        return u"Seasons and episodes. Arcs that build, cliffhangers that pull."_s;
    case ProjectFormat::anthology:
        return u"Self-contained tales under one banner, often with a twist."_s;
    case ProjectFormat::sitcom:
        return u"A-plots, B-plots, cold opens and tags. Comedy with rhythm."_s;
    case ProjectFormat::custom:
        return u"Your rules. Any length, any structure, any shape."_s;
    }
    return QString();
}

double NewProjectDraft::runtimePreset(ProjectFormat format)
{
    switch (format) {
    case ProjectFormat::shortFilm:
        return 12;
    case ProjectFormat::feature:
        return 100;
    case ProjectFormat::series:
        return 42;
    case ProjectFormat::anthology:
        return 25;
    case ProjectFormat::sitcom:
        return 22;
    case ProjectFormat::custom:
        return 30;
    }
    return 12;
}

QString NewProjectDraft::runtimeHint(ProjectFormat format)
{
    return QString::number(runtimeMin(format)) + u'–' + QString::number(runtimeMax(format)) + u" min"_s
        + (isEpisodic(format) ? u" / ep"_s : QString());
}

void NewProjectDraft::pickFormat(ProjectFormat chosen)
{
    format = chosen;
    hasPickedFormat = true;
    runtime = runtimePreset(chosen);
    step = 1;
}

void NewProjectDraft::back()
{
    step = 0;
}

bool NewProjectDraft::hasGenre(Genre genre) const
{
    return genres.contains(genre);
}

void NewProjectDraft::toggleGenre(Genre genre)
{
    if (genres.removeAll(genre) > 0)
        return;
    // Kept in the catalog's order, so the production's genres do not depend
    // on the order of the taps.
    QList<Genre> next;
    for (Genre g : allCases<Genre>()) {
        if (g == genre || genres.contains(g))
            next.append(g);
    }
    genres = next;
}

void NewProjectDraft::setRuntime(double minutes)
{
    if (!std::isfinite(minutes))
        return;
    runtime = std::clamp(minutes, double(runtimeMin(format)), double(runtimeMax(format)));
}

void NewProjectDraft::setEpisodeCount(double count)
{
    if (!std::isfinite(count))
        return;
    episodeCount = std::clamp(std::round(count), minimumEpisodes, maximumEpisodes);
}

qint64 NewProjectDraft::runtimeMinutes() const
{
    return text::saturatingInt64(runtime);
}

qint64 NewProjectDraft::episodes() const
{
    return text::saturatingInt64(episodeCount);
}

QString NewProjectDraft::title() const
{
    return step == 0 ? u"What are we making?"_s : u"Name it. Shape it."_s;
}

QString NewProjectDraft::subtitle() const
{
    if (step == 0)
        return u"Pick a format — everything else adapts to it."_s;
    return label(format) + u" · you can change all of this later."_s;
}

QString NewProjectDraft::runtimeCaption() const
{
    if (!isEpisodic(format))
        return u"Target runtime"_s;
    return u"Target runtime per "_s + episodeNoun(format).toLower();
}

QString NewProjectDraft::runtimeText() const
{
    return QString::number(runtimeMinutes()) + u" min"_s;
}

QString NewProjectDraft::episodesCaption() const
{
    return episodeNoun(format) + u"s in season one"_s;
}

QString NewProjectDraft::episodesText() const
{
    return QString::number(episodes());
}

QString NewProjectDraft::seasonTotal() const
{
    return u"Season total ≈ "_s + QString::number(episodes() * runtimeMinutes()) + u" minutes"_s;
}

} // namespace studio::rules
