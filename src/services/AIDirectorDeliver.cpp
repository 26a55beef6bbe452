// Deliver assists: music cues for the cut and the press kit text.

#include "services/AIDirector.h"

using namespace Qt::StringLiterals;

namespace studio {

namespace {

struct CuesDTO {
    struct Cue {
        QString name;
        std::optional<QString> mood;

        static Cue fromJson(const json::Reader& r)
        {
            return {r.required<QString>("name"_L1), r.optional<QString>("mood"_L1)};
        }
    };
    QList<Cue> cues;

    static CuesDTO fromJson(const json::Reader& r)
    {
        return {r.required<QList<Cue>>("cues"_L1)};
    }
};

struct PressDTO {
    QString synopsis;
    std::optional<QStringList> taglines;

    static PressDTO fromJson(const json::Reader& r)
    {
        return {r.required<QString>("synopsis"_L1), r.optional<QList<QString>>("taglines"_L1)};
    }
};

} // namespace

QCoro::Task<AIDirector::EpisodeCues> AIDirector::musicCues(const Project& project, const Episode& episode) const
{
    // At most three beat titles per act, nine in all.
    QStringList titles;
    for (const Act& act : episode.structure.acts) {
        for (const Beat& beat : act.beats.mid(0, 3))
            titles << beat.title;
    }
    QString user = u"Suggest 2\u20134 music cues for this cut. Each: a short evocative name and a mood line with "
                   u"instrumentation and emotional intent (e.g. \"Sparse piano over wind, distant metal groans\"). "
                   u"Anchor them to the story's shape: "_s
        + titles.mid(0, 9).join(u", "_s) + u"\nReturn JSON {\"cues\":[{\"name\":\"...\",\"mood\":\"...\"}]}"_s;
    return ask<CuesDTO>(m_complete, request(project, &episode, std::move(user)),
                        [episodeID = episode.id](CuesDTO dto) {
                            EpisodeCues result{episodeID, {}};
                            for (const CuesDTO::Cue& cue : dto.cues.mid(0, 4)) {
                                MusicCue music; // fresh id
                                music.name = cue.name;
                                music.mood = cue.mood.value_or(QString());
                                result.cues << music;
                            }
                            return result;
                        });
}

QCoro::Task<QString> AIDirector::pressKit(const Project& project) const
{
    QString user = u"Write the press kit: a festival-ready synopsis (80\u2013120 words, present tense, no spoilers "
                   u"past the midpoint) and 3 taglines (each under 8 words, no puns unless the project is a comedy).\n"
                   u"Return JSON {\"synopsis\":\"...\",\"taglines\":[\"...\",\"...\",\"...\"]}"_s;
    return ask<PressDTO>(m_complete, request(project, nullptr, std::move(user)), [](PressDTO dto) {
        QString kit = u"SYNOPSIS\n"_s + dto.synopsis;
        if (dto.taglines && !dto.taglines->isEmpty()) {
            QStringList bullets;
            for (const QString& tagline : *dto.taglines)
                bullets << u"\u2022 "_s + tagline;
            kit += u"\n\nTAGLINES\n"_s + bullets.join(u'\n');
        }
        return kit;
    });
}

} // namespace studio
