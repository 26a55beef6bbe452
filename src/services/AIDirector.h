#pragma once

// The AI director: one action per assist. Each action builds a user prompt
// from the production, sends it with the system prompt and the production
// brief through a completion function (by default the shared chat-completions
// client, JSON mode), cuts the JSON object out of the reply, decodes it into a
// private reply record and maps that record to model values.
//
// Actions never change the production they are given. Everything they need of
// it is copied when the action is called, before any request is sent, so the
// caller's production may change or vanish while the request runs. Results
// name their targets by id (episode, scene, shot, beat, character, location):
// the caller looks each target up again when the result arrives and drops a
// result whose target is gone.
//
// Failures: whatever the completion throws passes through unchanged; a reply
// without a JSON object, or one that doesn't have the expected shape, throws
// AIError::parsing. Limits on the model's output (list caps, duration clamps,
// unknown enumeration names) are applied while mapping, never by rejecting.

#include "model/Json.h"
#include "model/Project.h"
#include "services/AIError.h"

#include <QByteArray>
#include <QCoro/QCoroTask>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <functional>
#include <optional>
#include <type_traits>
#include <utility>

namespace studio {

class AIDirector {
public:
    // Sends one request: the system text, the user prompt and the reply token
    // limit; returns the model's reply text.
    using Completion = std::function<QCoro::Task<QString>(QString system, QString user, int maxTokens)>;

    // AIService::shared().complete(system, user, true, maxTokens).
    static Completion serviceCompletion();

    explicit AIDirector(Completion completion = serviceCompletion());

    // ---- Results -----------------------------------------------------------

    // themesAndArgument: an empty list and an empty text for keys the reply left out.
    struct ThemesAndArgument {
        QStringList themes;
        QString argument;
        friend bool operator==(const ThemesAndArgument&, const ThemesAndArgument&) = default;
    };

    // fillBeats: one summary for a beat whose summary was empty when asked.
    // The caller writes it only where the beat (found by id) is still empty.
    struct BeatFill {
        QUuid actID;
        QUuid beatID;
        QString summary;
        friend bool operator==(const BeatFill&, const BeatFill&) = default;
    };
    struct BeatFills {
        QUuid episodeID;
        QList<BeatFill> fills; // reply order; a beat may appear more than once
    };

    // fleshOutCharacter: the reply's field dictionary as received, keys that
    // were not asked for included. The caller fills only fields still empty.
    struct CharacterFields {
        QUuid memberID;
        QMap<QString, QString> fields;
    };

    // locationDetails: a value for each of the four fields that was empty when
    // asked and that the reply named (an empty string included). A field the
    // user had filled is never offered back, so clearing it while the request
    // runs can't bring the old text back.
    struct LocationDetails {
        QUuid locationID;
        std::optional<QString> era;
        std::optional<QString> mood;
        std::optional<QString> look;
        std::optional<QString> sound;
        friend bool operator==(const LocationDetails&, const LocationDetails&) = default;
    };

    // draftScript / continueScript: new elements (fresh ids, at most 48) to
    // append to the episode's script.
    struct ScriptElements {
        QUuid episodeID;
        QList<ScriptElement> elements;
    };

    // recommendLook: the model's choices as received, unchecked against the
    // catalogs (the applying screen checks ids and lighting moods).
    struct LookRecommendation {
        std::optional<QString> styleID;
        std::optional<QString> lensID;
        std::optional<QString> aspectID;
        QStringList lighting;
        QStringList moodWords;
        QString notes;
        QString why;
        friend bool operator==(const LookRecommendation&, const LookRecommendation&) = default;
    };

    // shotList: new shots (fresh ids and frame seeds, at most 8) for the scene.
    struct SceneShots {
        QUuid episodeID;
        QUuid sceneID;
        QList<Shot> shots;
    };

    // describeShot: the "what we see" sentence for the shot, untrimmed.
    struct ShotDescription {
        QUuid sceneID;
        QUuid shotID;
        QString what;
    };

    // musicCues: new cues (fresh ids, at most 4) for the episode's cut.
    struct EpisodeCues {
        QUuid episodeID;
        QList<MusicCue> cues;
    };

    // ---- Frame -------------------------------------------------------------

    // The fixed system prompt; it ends in two line feeds.
    static QString systemPrompt();
    // The production brief appended to the system prompt; `episode` is the
    // episode the action works on, or null.
    static QString brief(const Project& project, const Episode* episode = nullptr);
    // The JSON object cut out of a reply, as UTF-8 bytes. Throws
    // AIError::parsing("No JSON object found.") when there is none.
    static QByteArray extractJSON(const QString& reply);

    // extractJSON followed by decoding a reply record (a type with
    // `static Record fromJson(const json::Reader&)`). Throws only AIError.
    template <class Record>
    static Record decode(const QString& reply);

    // ---- Idea --------------------------------------------------------------

    // At most three logline rewrites, in reply order, as received.
    QCoro::Task<QStringList> sharpenLogline(const Project& project) const;
    QCoro::Task<QString> draftPremise(const Project& project) const;
    QCoro::Task<ThemesAndArgument> themesAndArgument(const Project& project) const;
    // At most five new idea cards with fresh ids.
    QCoro::Task<QList<IdeaCard>> brainstormFragments(const Project& project) const;

    // ---- Story and cast ----------------------------------------------------

    // Summaries for the episode's empty beats; sends nothing and gives no
    // fills when no beat is empty.
    QCoro::Task<BeatFills> fillBeats(const Project& project, const Episode& episode) const;
    // A new character (fresh id and portrait seed) to append to the cast.
    QCoro::Task<CastMember> inventCharacter(const Project& project) const;
    // Sends nothing and gives no fields when the member has no empty field.
    QCoro::Task<CharacterFields> fleshOutCharacter(const Project& project, const CastMember& member) const;
    QCoro::Task<LocationDetails> locationDetails(const Project& project, const Location& location) const;

    // ---- Script ------------------------------------------------------------

    QCoro::Task<ScriptElements> draftScript(const Project& project, const Episode& episode) const;
    QCoro::Task<ScriptElements> continueScript(const Project& project, const Episode& episode) const;

    // ---- Look and shots ----------------------------------------------------

    QCoro::Task<LookRecommendation> recommendLook(const Project& project) const;
    QCoro::Task<SceneShots> shotList(const Project& project, const Episode& episode, const SceneCard& scene) const;
    QCoro::Task<ShotDescription> describeShot(const Project& project, const SceneCard& scene, const Shot& shot) const;

    // ---- Deliver -----------------------------------------------------------

    QCoro::Task<EpisodeCues> musicCues(const Project& project, const Episode& episode) const;
    // "SYNOPSIS\n<synopsis>", then "\n\nTAGLINES\n" and one "• <tagline>" line
    // per tagline when the reply has any.
    QCoro::Task<QString> pressKit(const Project& project) const;

private:
    // Everything one request sends, built before anything is awaited.
    struct Request {
        QString system;
        QString user;
        int maxTokens = 8192;
    };

    static Request request(const Project& project, const Episode* episode, QString user, int maxTokens = 8192);

    // Sends the request, decodes the reply as Record and maps it. Every
    // argument is held by value in the coroutine frame: nothing the caller
    // owns is read after the request goes out.
    template <class Record, class Map>
    static QCoro::Task<std::invoke_result_t<Map&, Record>> ask(Completion complete, Request request, Map map)
    {
        const QString reply = co_await complete(std::move(request.system), std::move(request.user), request.maxTokens);
        co_return map(decode<Record>(reply));
    }

    // A task that is already finished, for actions with nothing to ask.
    template <class T>
    static QCoro::Task<T> ready(T value)
    {
        co_return value;
    }

    Completion m_complete;
};

template <class Record>
Record AIDirector::decode(const QString& reply)
{
    const QByteArray bytes = extractJSON(reply);
    try {
        return json::decode<Record>(bytes);
    } catch (const AIError&) {
        throw;
    } catch (const DecodingError& e) {
        throw AIError::parsing(e.message());
    } catch (const std::exception& e) {
        throw AIError::parsing(QString::fromUtf8(e.what()));
    }
}

} // namespace studio
