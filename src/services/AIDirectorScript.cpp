// Script assists: the opening of a screenplay drawn from the beats, and its
// continuation after the last elements.

#include "services/AIDirector.h"

#include "model/Text.h"

using namespace Qt::StringLiterals;

namespace studio {

namespace {

struct ElementsDTO {
    struct El {
        std::optional<QString> kind;
        QString text;

        static El fromJson(const json::Reader& r)
        {
            return {r.optional<QString>("kind"_L1), r.required<QString>("text"_L1)};
        }
    };
    QList<El> elements;

    static ElementsDTO fromJson(const json::Reader& r)
    {
        return {r.required<QList<El>>("elements"_L1)};
    }
};

// New elements with fresh ids, at most 48; an unknown or missing kind is action.
QList<ScriptElement> mapElements(const ElementsDTO& dto)
{
    QList<ScriptElement> elements;
    for (const ElementsDTO::El& el : dto.elements.mid(0, 48)) {
        ScriptElement element;
        element.kind = el.kind ? fromRaw<ScriptElementKind>(*el.kind).value_or(ScriptElementKind::action)
                               : ScriptElementKind::action;
        element.text = el.text;
        elements << element;
    }
    return elements;
}

} // namespace

QCoro::Task<AIDirector::ScriptElements> AIDirector::draftScript(const Project& project, const Episode& episode) const
{
    QStringList lines;
    for (const Act& act : episode.structure.acts) {
        for (const Beat& beat : act.beats)
            lines << beat.title + u": "_s
                    + (beat.summary.isEmpty() ? u"(unwritten)"_s : text::graphemePrefix(beat.summary, 180));
    }
    QString user = u"Write the OPENING of this screenplay \u2014 the first 2\u20133 scenes, 24\u201336 elements total. "
                   u"Element kinds: sceneHeading, action, character, parenthetical, dialogue, transition. Scene "
                   u"headings formatted \"INT. PLACE \u2014 TIME\". Character cues are UPPERCASE names from CAST. "
                   u"Action lines lean and filmable (what the camera sees, present tense). Dialogue carries subtext; "
                   u"nobody says what they mean directly. Honor the characters' voices and tells.\nBEATS:\n"_s
        + text::graphemePrefix(lines.join(u'\n'), 1800)
        + u"\nReturn JSON {\"elements\":[{\"kind\":\"sceneHeading\",\"text\":\"...\"}]}"_s;
    return ask<ElementsDTO>(m_complete, request(project, &episode, std::move(user), 16000),
                            [episodeID = episode.id](ElementsDTO dto) {
                                return ScriptElements{episodeID, mapElements(dto)};
                            });
}

QCoro::Task<AIDirector::ScriptElements> AIDirector::continueScript(const Project& project,
                                                                    const Episode& episode) const
{
    const QList<ScriptElement>& all = episode.script.elements;
    QStringList lines;
    for (const ScriptElement& element : all.mid(std::max<qsizetype>(0, all.size() - 14)))
        lines << u"["_s + rawValue(element.kind) + u"] "_s + text::graphemePrefix(element.text, 160);
    QString user = u"Continue this screenplay with the next 8\u201314 elements, same voice, advancing the current "
                   u"scene or cutting to the next one if it has resolved. Same element rules as standard screenplay "
                   u"format.\nLAST ELEMENTS:\n"_s
        + lines.join(u'\n') + u"\nReturn JSON {\"elements\":[{\"kind\":\"action\",\"text\":\"...\"}]}"_s;
    return ask<ElementsDTO>(m_complete, request(project, &episode, std::move(user), 12000),
                            [episodeID = episode.id](ElementsDTO dto) {
                                return ScriptElements{episodeID, mapElements(dto)};
                            });
}

} // namespace studio
