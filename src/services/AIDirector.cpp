#include "services/AIDirector.h"

#include "model/LookCatalogs.h"
#include "model/Text.h"
#include "services/AIService.h"

using namespace Qt::StringLiterals;

namespace studio {

AIDirector::Completion AIDirector::serviceCompletion()
{
    return [](QString system, QString user, int maxTokens) {
        return AIService::shared().complete(std::move(system), std::move(user), true, maxTokens);
    };
}

AIDirector::AIDirector(Completion completion)
    : m_complete(std::move(completion))
{
}

QString AIDirector::systemPrompt()
{
    return u"You are the resident writing and directing collaborator inside Palisademotion, a filmmaking app. "
           u"You write with specificity and craft: concrete imagery, human contradiction, behavior over adjectives. "
           u"No clich\u00e9s, no purple filler, no generic AI phrasing. Match the project's tone, format and rating. "
           u"Respond ONLY with the exact JSON shape requested \u2014 no markdown fences, no commentary.\n\n"_s;
}

namespace {

const QString dash = u" \u2014 "_s;
const QString dot = u" \u00b7 "_s;

QString castLine(const CastMember& member)
{
    QString line = member.name + u" ("_s + label(member.role) + u")"_s;
    if (!member.want.isEmpty())
        line += u", wants: "_s + text::graphemePrefix(member.want, 90);
    if (!member.flaw.isEmpty())
        line += u", flaw: "_s + text::graphemePrefix(member.flaw, 70);
    return line;
}

QString worldLine(const Location& location)
{
    return location.mood.isEmpty() ? location.name : location.name + dash + location.mood;
}

} // namespace

QString AIDirector::brief(const Project& project, const Episode* episode)
{
    const ProjectIdea& idea = project.idea;
    QStringList lines;
    lines << u"PROJECT: "_s + project.name + dash + title(project.format) + u", target "_s
                 + project.runtimeLabel() + u"."_s;
    if (!idea.logline.isEmpty())
        lines << u"LOGLINE: "_s + text::graphemePrefix(idea.logline, 300);
    if (!idea.argument.isEmpty())
        lines << u"ARGUMENT: "_s + text::graphemePrefix(idea.argument, 160);
    if (!idea.premise.isEmpty())
        lines << u"PREMISE: "_s + text::graphemePrefix(idea.premise, 700);
    if (!idea.genres.isEmpty()) {
        QStringList genres;
        for (Genre g : idea.genres)
            genres << label(g);
        lines << u"GENRES: "_s + genres.join(u", "_s) + dot + u"RATING: "_s + label(idea.rating);
    }
    const QStringList tone = idea.tone.promptPhrases();
    if (!tone.isEmpty())
        lines << u"TONE: "_s + tone.join(u", "_s);
    if (!idea.themes.isEmpty())
        lines << u"THEMES: "_s + idea.themes.join(u", "_s);
    if (!project.cast.isEmpty()) {
        QStringList members;
        for (const CastMember& member : project.cast.first(std::min<qsizetype>(project.cast.size(), 6)))
            members << castLine(member);
        lines << u"CAST: "_s + members.join(u" | "_s);
    }
    if (!project.locations.isEmpty()) {
        QStringList places;
        for (const Location& location : project.locations.first(std::min<qsizetype>(project.locations.size(), 4)))
            places << worldLine(location);
        lines << u"WORLD: "_s + places.join(u" | "_s);
    }
    if (const StylePreset* style = project.look.styleID ? StylePreset::find(*project.look.styleID) : nullptr) {
        QString line = u"VISUAL STYLE: "_s + style->name + dot + label(project.look.aspect);
        if (const DirectorLens* lens = project.look.directorLensID ? DirectorLens::find(*project.look.directorLensID) : nullptr)
            line += dot + u"lens: "_s + lens->name + u" (after "_s + lens->inspiredBy + u")"_s;
        lines << line;
    }
    if (episode && isEpisodic(project.format)) {
        QString line = u"CURRENT "_s + text::upper(episodeNoun(project.format)) + u": #"_s
            + QString::number(episode->number) + u" "_s + episode->title;
        if (!episode->synopsis.isEmpty())
            line += dash + text::graphemePrefix(episode->synopsis, 220);
        lines << line;
    }
    return lines.join(u'\n');
}

QByteArray AIDirector::extractJSON(const QString& reply)
{
    QString text = text::trimmed(reply);
    // A fenced reply loses every fence; fences inside an unfenced reply stay.
    if (text.startsWith(u"```"_s)) {
        text.replace(u"```json"_s, QString());
        text.replace(u"```"_s, QString());
    }
    const qsizetype open = text.indexOf(u'{');
    const qsizetype close = text.lastIndexOf(u'}');
    if (open < 0 || close < 0 || close <= open)
        throw AIError::parsing(u"No JSON object found."_s);
    return text.mid(open, close - open + 1).toUtf8();
}

AIDirector::Request AIDirector::request(const Project& project, const Episode* episode, QString user, int maxTokens)
{
    return Request{systemPrompt() + brief(project, episode), std::move(user), maxTokens};
}

} // namespace studio
