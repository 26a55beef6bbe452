#include "state/assist/AssistActions.h"

#include "model/Lookup.h"
#include "services/AIError.h"
#include "state/ProjectSession.h"
#include "state/assist/AssistResults.h"
#include "state/assist/DirectorAssist.h"

#include <QPointer>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

using Session = QPointer<ProjectSession>;
using Work = std::function<QCoro::Task<void>()>;

// The target of an episode entry: the episode the table was built for, by id.
auto episodeByID(QUuid episodeID)
{
    return [episodeID](const Project& p) { return findEpisode(p, episodeID); };
}

// The active episode at the moment the table is built, by id; a production
// without any episode gets a null id, which names nothing.
QUuid tableEpisodeID(const ProjectSession& session)
{
    const Episode* active = findActiveEpisode(session.project(), session.activeEpisodeID());
    return active ? active->id : QUuid();
}

// One request per scene, one after the other; the session stays busy for the
// whole run. Each reply lands in its scene, found again by id; a scene removed
// meanwhile loses its turn, and an episode removed (or a tab closed) ends the
// run, since nothing further could land.
QCoro::Task<void> shotLists(Session session, QUuid episodeID)
{
    if (!session)
        co_return;
    const Episode* episode = findEpisode(session->project(), episodeID);
    if (!episode)
        co_return;
    QList<QUuid> empty;
    for (const SceneCard& scene : episode->scenes) {
        if (scene.shots.isEmpty())
            empty << scene.id;
        if (empty.size() == AssistActions::shotListScenesPerRun)
            break;
    }
    if (empty.isEmpty())
        throw AIError::parsing(AssistActions::everySceneHasShots());

    for (const QUuid& sceneID : std::as_const(empty)) {
        if (!session || !findEpisode(session->project(), episodeID))
            co_return;
        co_await DirectorAssist::run(
            session, [episodeID, sceneID](const Project& p) { return findScene(p, episodeID, sceneID); },
            [episodeID](const AIDirector& d, const Project& p, const SceneCard& scene) {
                return d.shotList(p, *findEpisode(p, episodeID), scene);
            },
            [](const Project&, const SceneCard&, const AIDirector::SceneShots& shots) {
                return AssistResults::shotList(shots);
            });
    }
}

AssistAction entry(QString title, QString icon, Work work)
{
    return {newId(), std::move(title), std::move(icon), std::move(work)};
}

QList<AssistAction> sparkEntries(ProjectSession& s)
{
    return {entry(u"Sharpen my logline (3 options)"_s, u"scope"_s,
                  DirectorAssist::work(
                      s, [](const AIDirector& d, const Project& p) { return d.sharpenLogline(p); },
                      [](const Project&, const QStringList& loglines) {
                          return AssistResults::sharpenLogline(loglines);
                      })),
            entry(u"Draft the premise"_s, u"text.alignleft"_s,
                  DirectorAssist::work(
                      s, [](const AIDirector& d, const Project& p) { return d.draftPremise(p); },
                      [](const Project& live, const QString& draft) {
                          return AssistResults::draftPremise(live, draft);
                      })),
            entry(u"Suggest themes & argument"_s, u"heart.text.square"_s,
                  DirectorAssist::work(
                      s, [](const AIDirector& d, const Project& p) { return d.themesAndArgument(p); },
                      [](const Project& live, const AIDirector::ThemesAndArgument& result) {
                          return AssistResults::themesAndArgument(live, result);
                      })),
            entry(u"Brainstorm idea fragments"_s, u"sparkles"_s,
                  DirectorAssist::work(
                      s, [](const AIDirector& d, const Project& p) { return d.brainstormFragments(p); },
                      [](const Project&, const QList<IdeaCard>& cards) {
                          return AssistResults::brainstormFragments(cards);
                      }))};
}

QList<AssistAction> scriptEntries(ProjectSession& s)
{
    const QUuid episodeID = tableEpisodeID(s);
    const auto land = [](const Project&, const Episode&, const AIDirector::ScriptElements& result) {
        return AssistResults::appendScript(result);
    };
    return {entry(u"Draft the opening from beats"_s, u"doc.text"_s,
                  DirectorAssist::work(
                      s, episodeByID(episodeID),
                      [](const AIDirector& d, const Project& p, const Episode& e) { return d.draftScript(p, e); },
                      land)),
            entry(u"Continue the scene"_s, u"text.append"_s,
                  DirectorAssist::work(
                      s, episodeByID(episodeID),
                      [](const AIDirector& d, const Project& p, const Episode& e) {
                          // Refused before any request is sent.
                          if (e.script.elements.isEmpty())
                              throw AIError::parsing(AssistActions::nothingToContinue());
                          return d.continueScript(p, e);
                      },
                      land))};
}

} // namespace

QList<AssistAction> AssistActions::forSession(ProjectSession& s)
{
    switch (s.project().activePhase) {
    case PhaseID::spark:
        return sparkEntries(s);
    case PhaseID::story:
        return {entry(u"Write the empty beats"_s, u"map"_s,
                      DirectorAssist::work(
                          s, episodeByID(tableEpisodeID(s)),
                          [](const AIDirector& d, const Project& p, const Episode& e) { return d.fillBeats(p, e); },
                          [](const Project&, const Episode& asked, const AIDirector::BeatFills& fills) {
                              return AssistResults::fillBeats(asked, fills);
                          }))};
    case PhaseID::cast:
        return {entry(u"Invent a new character"_s, u"person.badge.plus"_s,
                      DirectorAssist::work(
                          s, [](const AIDirector& d, const Project& p) { return d.inventCharacter(p); },
                          [](const Project&, const CastMember& member) {
                              return AssistResults::inventCharacter(member);
                          }))};
    case PhaseID::script:
        return scriptEntries(s);
    case PhaseID::look:
        return {entry(u"Recommend a look"_s, u"camera.filters"_s,
                      DirectorAssist::work(
                          s, [](const AIDirector& d, const Project& p) { return d.recommendLook(p); },
                          [](const Project&, const AIDirector::LookRecommendation& recommendation) {
                              return AssistResults::recommendLook(recommendation);
                          }))};
    case PhaseID::scenes: {
        const Session session(&s);
        const QUuid episodeID = tableEpisodeID(s);
        return {entry(u"Shot lists for empty scenes"_s, u"square.grid.2x2"_s,
                      [session, episodeID] { return shotLists(session, episodeID); })};
    }
    case PhaseID::footage:
        return {};
    case PhaseID::cut:
        return {entry(u"Suggest music cues"_s, u"music.note"_s,
                      DirectorAssist::work(
                          s, episodeByID(tableEpisodeID(s)),
                          [](const AIDirector& d, const Project& p, const Episode& e) { return d.musicCues(p, e); },
                          [](const Project&, const Episode&, const AIDirector::EpisodeCues& cues) {
                              return AssistResults::musicCues(cues);
                          }))};
    case PhaseID::premiere:
        return {entry(u"Write the press kit"_s, u"newspaper"_s,
                      DirectorAssist::work(
                          s, [](const AIDirector& d, const Project& p) { return d.pressKit(p); },
                          [](const Project& live, const QString& text) {
                              return AssistResults::pressKit(live, text);
                          }))};
    }
    return {};
}

QString AssistActions::nothingToContinue()
{
    return u"Nothing to continue \u2014 draft an opening first."_s;
}

QString AssistActions::everySceneHasShots()
{
    return u"Every scene already has shots. Select a scene and use its AI shot list card to add more."_s;
}

} // namespace studio
