#include "state/rules/StoryRules.h"

#include "model/Text.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace studio::rules {

ChargeState chargeState(double charge)
{
    if (charge > 0.5)
        return ChargeState::lift;
    if (charge < -0.5)
        return ChargeState::drop;
    return ChargeState::flat;
}

double nextCharge(double charge)
{
    switch (chargeState(charge)) {
    case ChargeState::lift:
        return -1.0;
    case ChargeState::drop:
        return 0.0;
    case ChargeState::flat:
        break;
    }
    return 1.0;
}

QList<double> charges(const Episode& episode)
{
    QList<double> list;
    list.reserve(beatCount(episode));
    for (const Act& act : episode.structure.acts) {
        for (const Beat& beat : act.beats)
            list.append(beat.charge);
    }
    return list;
}

qsizetype beatCount(const Episode& episode)
{
    qsizetype count = 0;
    for (const Act& act : episode.structure.acts)
        count += act.beats.size();
    return count;
}

QList<PulsePoint> pulsePoints(const QList<double>& charges, const QSizeF& size)
{
    QList<PulsePoint> points;
    const qsizetype n = charges.size();
    if (n < 2)
        return points;
    const double step = size.width() / double(n - 1);
    const double mid = size.height() * 0.5;
    const double amp = mid - 3.0;
    points.reserve(n);
    for (qsizetype i = 0; i < n; ++i) {
        const double x = step * double(i);
        const double y = mid - amp * charges[i];
        if (!std::isfinite(x) || !std::isfinite(y))
            continue;
        points.append(PulsePoint{QPointF(x, y), chargeState(charges[i])});
    }
    return points;
}

QString countsText(const Episode& episode)
{
    return u"%1 acts · %2 beats"_s.arg(qlonglong(episode.structure.acts.size())).arg(qlonglong(beatCount(episode)));
}

QString structureMenuTitle(StructureKind kind)
{
    return label(kind) + u" — "_s + blurb(kind);
}

QString storyNoun(ProjectFormat format)
{
    return isEpisodic(format) ? episodeNoun(format).toLower() : u"story"_s;
}

QString structureAlertTitle()
{
    return u"Switch story engine?"_s;
}

QString structureAlertMessage(ProjectFormat format, StructureKind kind)
{
    return u"“"_s + label(kind) + u"” will replace the current acts and beats for this "_s + storyNoun(format) + u"."_s;
}

QString episodeTitlePlaceholder(ProjectFormat format)
{
    return episodeNoun(format) + u" title"_s;
}

QString synopsisPlaceholder(ProjectFormat format)
{
    return u"What's this "_s + episodeNoun(format).toLower() + u" about? One or two sentences."_s;
}

QString summaryPlaceholder(const Beat& beat)
{
    // The hint is painted word-wrapped: only its start is ever worth shaping.
    return beat.hint.isEmpty() ? u"What happens here?"_s : text::displayPrefix(beat.hint);
}

} // namespace studio::rules
