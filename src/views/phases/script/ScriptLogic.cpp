#include "views/phases/script/ScriptLogic.h"

#include "model/Text.h"

#include <QStringList>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace studio::script {

QString statisticsText(const ScriptDocument& script)
{
    const double pages = script.estimatedPages();
    // Truncated, never rounded: a share just under a whole percent stays under it.
    const long long percent = text::saturatingInt64(script.dialogueShare() * 100.0);
    return u"~"_s + text::format("%.1f", pages) + u" pg \u00B7 ~"_s + text::format("%.0f", pages)
        + u" min \u00B7 "_s + text::format("%lld", percent) + u"% dialogue"_s;
}

QUuid appendElement(ScriptDocument& script, ScriptElementKind kind)
{
    ScriptElement element;
    element.kind = kind;
    if (kind == ScriptElementKind::transition)
        element.text = u"CUT TO:"_s;
    script.elements.append(element);
    return element.id;
}

ScriptElementKind nextKind(ScriptElementKind kind)
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

std::optional<QUuid> insertAfter(ScriptDocument& script, const QUuid& afterID, ScriptElementKind kind)
{
    const auto found = std::find_if(script.elements.cbegin(), script.elements.cend(),
                                    [&](const ScriptElement& e) { return e.id == afterID; });
    if (found == script.elements.cend())
        return std::nullopt;
    ScriptElement element;
    element.kind = kind;
    script.elements.insert(std::distance(script.elements.cbegin(), found) + 1, element);
    return element.id;
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

bool draftFromStory(Episode& episode, const QList<Location>& locations)
{
    if (!episode.script.elements.isEmpty())
        return false;
    episode.script.elements = storyDraft(episode, locations);
    return true;
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

} // namespace studio::script
