// Look and shot assists: a whole visual identity from the catalogs, the shot
// list of a scene, and the "what we see" sentence of one shot.

#include "services/AIDirector.h"

#include "model/LookCatalogs.h"
#include "model/Text.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

struct LookRecDTO {
    std::optional<QString> styleID;
    std::optional<QString> lensID;
    std::optional<QString> aspectID;
    std::optional<QStringList> lighting;
    std::optional<QStringList> moodWords;
    std::optional<QString> notes;
    std::optional<QString> why;

    static LookRecDTO fromJson(const json::Reader& r)
    {
        return {r.optional<QString>("styleID"_L1),          r.optional<QString>("lensID"_L1),
                r.optional<QString>("aspectID"_L1),         r.optional<QList<QString>>("lighting"_L1),
                r.optional<QList<QString>>("moodWords"_L1), r.optional<QString>("notes"_L1),
                r.optional<QString>("why"_L1)};
    }
};

struct ShotsDTO {
    struct ShotPlan {
        std::optional<QString> size;
        std::optional<QString> move;
        std::optional<double> seconds;
        QString what;
        std::optional<QString> dialogue;

        static ShotPlan fromJson(const json::Reader& r)
        {
            return {r.optional<QString>("size"_L1), r.optional<QString>("move"_L1), r.optional<double>("seconds"_L1),
                    r.required<QString>("what"_L1), r.optional<QString>("dialogue"_L1)};
        }
    };
    QList<ShotPlan> shots;

    static ShotsDTO fromJson(const json::Reader& r)
    {
        return {r.required<QList<ShotPlan>>("shots"_L1)};
    }
};

struct WhatDTO {
    QString what;

    static WhatDTO fromJson(const json::Reader& r)
    {
        return {r.required<QString>("what"_L1)};
    }
};

template <TabledEnum E>
QString rawValuesJoined()
{
    QStringList raws;
    for (E e : allCases<E>())
        raws << rawValue(e);
    return raws.join(u'|');
}

// 5 s when the plan gives none; otherwise within 1 to 20 s (a NaN counts as 1).
double plannedSeconds(std::optional<double> seconds)
{
    if (!seconds)
        return 5.0;
    if (std::isnan(*seconds))
        return 1.0;
    return std::min(std::max(*seconds, 1.0), 20.0);
}

} // namespace

QCoro::Task<AIDirector::LookRecommendation> AIDirector::recommendLook(const Project& project) const
{
    QStringList styles;
    for (const StylePreset& style : StylePreset::catalog())
        styles << style.id + u" \u2014 "_s + style.name + u" ("_s + label(style.category) + u")"_s;
    QStringList lenses;
    for (const DirectorLens& lens : DirectorLens::catalog())
        lenses << lens.id + u" \u2014 "_s + lens.name + u" (after "_s + lens.inspiredBy + u")"_s;
    QStringList aspects;
    for (AspectRatio aspect : allCases<AspectRatio>())
        aspects << rawValue(aspect) + u" \u2014 "_s + label(aspect);

    QString user = u"Recommend the visual identity for this project. Choose exactly one styleID, one lensID, one "
                   u"aspectID, 2\u20133 lighting moods from ["_s
        + LookChoices::lightingMoods().join(u", "_s)
        + u"], 2\u20134 mood words, plus short director's notes (rules of the look, max 60 words) and why (one "
          u"sentence selling the choice).\nSTYLES:\n"_s
        + styles.join(u'\n') + u"\nLENSES:\n"_s + lenses.join(u'\n') + u"\nASPECTS: "_s + aspects.join(u", "_s)
        + u"\nReturn JSON {\"styleID\":\"...\",\"lensID\":\"...\",\"aspectID\":\"...\",\"lighting\":[\"...\"],"
          u"\"moodWords\":[\"...\"],\"notes\":\"...\",\"why\":\"...\"}"_s;
    return ask<LookRecDTO>(m_complete, request(project, nullptr, std::move(user)), [](LookRecDTO dto) {
        return LookRecommendation{dto.styleID,
                                  dto.lensID,
                                  dto.aspectID,
                                  dto.lighting.value_or(QStringList()),
                                  dto.moodWords.value_or(QStringList()),
                                  dto.notes.value_or(QString()),
                                  dto.why.value_or(QString())};
    });
}

QCoro::Task<AIDirector::SceneShots> AIDirector::shotList(const Project& project, const Episode& episode,
                                                         const SceneCard& scene) const
{
    QStringList names;
    for (const CastMember& member : project.cast) {
        if (scene.castIDs.contains(member.id))
            names << member.name;
    }
    QString cast = names.join(u", "_s);
    if (cast.isEmpty())
        cast = u"no cast assigned"_s;

    QString user = u"Plan 4\u20138 shots that cover this scene with intention: vary sizes, establish before you "
                   u"isolate, save the closest size for the scene's turn. Durations 2\u201312 seconds. Shot "
                   u"descriptions are filmable single sentences (subject + action + composition).\nSCENE: "_s
        + scene.slug(project.locations) + u" \u2014 "_s
        + (scene.synopsis.isEmpty() ? u"(no synopsis)"_s : scene.synopsis) + u"\nIN SCENE: "_s + cast
        + u"\nsizes: "_s + rawValuesJoined<ShotSize>() + u"\nmoves: "_s + rawValuesJoined<CameraMove>()
        + u"\nReturn JSON {\"shots\":[{\"size\":\"wide\",\"move\":\"locked\",\"seconds\":6,\"what\":\"...\","
          u"\"dialogue\":\"\"}]}"_s;
    return ask<ShotsDTO>(m_complete, request(project, &episode, std::move(user), 10000),
                         [episodeID = episode.id, sceneID = scene.id](ShotsDTO dto) {
                             SceneShots result{episodeID, sceneID, {}};
                             for (const ShotsDTO::ShotPlan& plan : dto.shots.mid(0, 8)) {
                                 Shot shot; // fresh id and frame seed, no takes, no recipe
                                 shot.size = fromRaw<ShotSize>(plan.size.value_or(QString())).value_or(ShotSize::medium);
                                 shot.move =
                                     fromRaw<CameraMove>(plan.move.value_or(QString())).value_or(CameraMove::locked);
                                 shot.seconds = plannedSeconds(plan.seconds);
                                 shot.what = plan.what;
                                 shot.dialogue = plan.dialogue.value_or(QString());
                                 result.shots << shot;
                             }
                             return result;
                         });
}

QCoro::Task<AIDirector::ShotDescription> AIDirector::describeShot(const Project& project, const SceneCard& scene,
                                                                  const Shot& shot) const
{
    // Whole seconds, truncated; a duration no integer can hold saturates (NaN gives 0).
    const QString seconds = QString::number(text::saturatingInt64(shot.seconds));
    const QString dialogue = shot.dialogue.isEmpty()
        ? QString()
        : u"Dialogue in shot: "_s + text::graphemePrefix(shot.dialogue, 120) + u"."_s;
    QString user = u"Write the shot description (\"what we see\") for a "_s + label(shot.size) + u" ("_s
        + label(shot.move) + u", "_s + seconds + u"s) in this scene: "_s + scene.slug(project.locations)
        + u" \u2014 "_s + text::graphemePrefix(scene.synopsis, 200) + u". "_s + dialogue
        + u" One filmable sentence, subject + action + composition detail. No camera jargon beyond what's given.\n"
          u"Return JSON {\"what\":\"...\"}"_s;
    return ask<WhatDTO>(m_complete, request(project, nullptr, std::move(user)),
                        [sceneID = scene.id, shotID = shot.id](WhatDTO dto) {
                            return ShotDescription{sceneID, shotID, dto.what};
                        });
}

} // namespace studio
