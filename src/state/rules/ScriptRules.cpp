#include "state/rules/ScriptRules.h"

#include "model/Text.h"

#include <QSet>
#include <algorithm>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace studio::rules {

ScriptTally& ScriptTally::operator+=(const ScriptTally& other)
{
    lines += other.lines;
    dialogue += other.dialogue;
    action += other.action;
    return *this;
}

ScriptTally& ScriptTally::operator-=(const ScriptTally& other)
{
    lines -= other.lines;
    dialogue -= other.dialogue;
    action -= other.action;
    return *this;
}

ScriptTally scriptTally(const ScriptElement& element)
{
    ScriptTally tally{.lines = ScriptDocument::estimatedLines(element)};
    if (element.kind == ScriptElementKind::dialogue)
        tally.dialogue = text::graphemeCount(element.text);
    else if (element.kind == ScriptElementKind::action)
        tally.action = text::graphemeCount(element.text);
    return tally;
}

ScriptTally scriptTally(const QList<ScriptElement>& elements)
{
    ScriptTally sum;
    for (const ScriptElement& e : elements)
        sum += scriptTally(e);
    return sum;
}

bool sameScriptElement(const ScriptElement& a, const ScriptElement& b)
{
    // A copy of a script shares the text of every element it didn't change.
    return a.id == b.id && a.kind == b.kind
        && ((a.text.constData() == b.text.constData() && a.text.size() == b.text.size()) || a.text == b.text);
}

ScriptChange scriptChange(const QList<ScriptElement>& before, const QList<ScriptElement>& now)
{
    if (before.isSharedWith(now))
        return {before.size(), 0};
    const qsizetype shorter = std::min(before.size(), now.size());
    ScriptChange change;
    while (change.head < shorter && sameScriptElement(before[change.head], now[change.head]))
        ++change.head;
    while (change.tail < shorter - change.head
           && sameScriptElement(before[before.size() - 1 - change.tail], now[now.size() - 1 - change.tail]))
        ++change.tail;
    return change;
}

ScriptTally scriptTally(const ScriptTally& sum, const QList<ScriptElement>& before, const QList<ScriptElement>& now)
{
    return scriptTally(sum, before, now, scriptChange(before, now));
}

ScriptTally scriptTally(const ScriptTally& sum, const QList<ScriptElement>& before, const QList<ScriptElement>& now,
                        const ScriptChange& change)
{
    // Lines are whole numbers, so taking some away and adding others gives
    // exactly the sum counted afresh.
    const qsizetype head = change.head;
    const qsizetype tail = change.tail;
    ScriptTally next = sum;
    for (qsizetype i = head; i < before.size() - tail; ++i)
        next -= scriptTally(before[i]);
    for (qsizetype i = head; i < now.size() - tail; ++i)
        next += scriptTally(now[i]);
    return next;
}

QString scriptStatistics(const ScriptDocument& script)
{
    return scriptStatistics(scriptTally(script.elements));
}

QString scriptStatistics(const ScriptTally& tally)
{
    const double pages = tally.lines / ScriptDocument::linesPerPage;
    const qint64 total = tally.dialogue + tally.action;
    const double share = total == 0 ? 0.0 : double(tally.dialogue) / double(total);
    // Truncated, never rounded: a share just under a whole percent stays under it.
    const long long percent = text::saturatingInt64(share * 100.0);
    return u"~"_s + text::format("%.1f", pages) + u" pg \u00B7 ~"_s + text::format("%.0f", pages)
        + u" min \u00B7 "_s + text::format("%lld", percent) + u"% dialogue"_s;
}

ScriptElementKind nextScriptKind(ScriptElementKind kind)
{
    switch (kind) {
    case ScriptElementKind::sceneHeading:
    case ScriptElementKind::action:
        return ScriptElementKind::action;
    case ScriptElementKind::character:
    case ScriptElementKind::parenthetical:
        return ScriptElementKind::dialogue;
    case ScriptElementKind::dialogue:
        return ScriptElementKind::character;
    case ScriptElementKind::transition:
        return ScriptElementKind::sceneHeading;
    }
    return ScriptElementKind::action;
}

bool hasBeats(const Episode& episode)
{
    for (const Act& act : episode.structure.acts) {
        for (const Beat& beat : act.beats) {
            if (!beat.summary.isEmpty())
                return true;
        }
    }
    return false;
}

QList<ScriptElement> storyDraft(const Episode& episode, const QList<Location>& locations)
{
    const QString place = locations.isEmpty() ? u"LOCATION TBD"_s : locations.first().name;
    const QString heading = u"INT. "_s + text::upper(place) + u" \u2014 DAY"_s;
    QList<ScriptElement> draft;
    for (const Act& act : episode.structure.acts) {
        for (qsizetype i = 0; i < act.beats.size(); ++i) {
            const Beat& beat = act.beats[i];
            if (i == 0)
                draft.append(ScriptElement{.kind = ScriptElementKind::sceneHeading, .text = heading});
            draft.append(ScriptElement{.kind = ScriptElementKind::action,
                                       .text = beat.summary.isEmpty() ? beat.title : beat.summary});
        }
    }
    return draft;
}

namespace {

void addDistinct(QList<ScriptChip>& chips, QSet<QString>& seen, ScriptChip::Part part, const QString& label)
{
    if (seen.contains(label))
        return;
    seen.insert(label);
    chips.append({part, label});
}

} // namespace

QList<ScriptChip> scriptChips(const Project& project, const ScriptElement& element)
{
    using Part = ScriptChip::Part;
    QList<ScriptChip> chips;
    QSet<QString> seen;
    if (element.kind == ScriptElementKind::character) {
        for (const CastMember& member : project.cast)
            addDistinct(chips, seen, Part::castName, member.name);
    } else if (element.kind == ScriptElementKind::sceneHeading) {
        for (const QString& prefix : {u"INT."_s, u"EXT."_s})
            chips.append({Part::prefix, prefix});
        for (const Location& location : project.locations)
            addDistinct(chips, seen, Part::location, location.name);
        for (const QString& time : {u"DAY"_s, u"NIGHT"_s, u"DUSK"_s, u"DAWN"_s})
            chips.append({Part::time, time});
    }
    return chips;
}

QString textAfterChip(const QString& text, const ScriptChip& chip, const QList<Location>& locations)
{
    switch (chip.part) {
    case ScriptChip::Part::castName:
        return text::upper(chip.label);
    case ScriptChip::Part::prefix:
        return setHeading(text, chip.label, std::nullopt, std::nullopt, locations);
    case ScriptChip::Part::location:
        return setHeading(text, std::nullopt, chip.label, std::nullopt, locations);
    case ScriptChip::Part::time:
        return setHeading(text, std::nullopt, std::nullopt, chip.label, locations);
    }
    return text;
}

namespace {

// Spaces and tabs only: a heading's line breaks are kept as part of it.
QString trimSpacesAndTabs(const QString& s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    const auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    while (begin < end && blank(s[begin]))
        ++begin;
    while (end > begin && blank(s[end - 1]))
        --end;
    return s.mid(begin, end - begin);
}

QString headingPrefix(const QString& upper)
{
    return upper.startsWith(u"EXT"_s) ? u"EXT."_s : u"INT."_s;
}

QString headingTime(const QString& upper)
{
    for (const QString& time : {u"NIGHT"_s, u"DUSK"_s, u"DAWN"_s, u"DAY"_s}) {
        if (upper.contains(time))
            return time;
    }
    return u"DAY"_s;
}

QString headingLocation(const QString& upper, const QList<Location>& locations)
{
    QString rest = upper;
    for (const QString& prefix : {u"INT."_s, u"EXT."_s, u"INT"_s, u"EXT"_s}) {
        if (rest.startsWith(prefix)) {
            rest = rest.mid(prefix.size());
            break;
        }
    }
    const qsizetype dash = rest.indexOf(u'\u2014');
    if (dash >= 0) {
        rest.truncate(dash);
    } else {
        const qsizetype hyphen = rest.indexOf(u" - "_s);
        if (hyphen >= 0)
            rest.truncate(hyphen);
    }
    rest = trimSpacesAndTabs(rest);
    if (!rest.isEmpty())
        return rest;
    return locations.isEmpty() ? u"LOCATION"_s : text::upper(locations.first().name);
}

} // namespace

QString setHeading(const QString& text, const std::optional<QString>& prefix, const std::optional<QString>& location,
                   const std::optional<QString>& time, const QList<Location>& locations)
{
    const QString upper = text::upper(text);
    const QString newPrefix = prefix ? *prefix : headingPrefix(upper);
    const QString newLocation = location ? text::upper(*location) : headingLocation(upper, locations);
    const QString newTime = time ? *time : headingTime(upper);
    return newPrefix + u' ' + newLocation + u" \u2014 "_s + newTime;
}

} // namespace studio::rules
