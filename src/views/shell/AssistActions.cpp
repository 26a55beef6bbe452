#include "views/shell/AssistActions.h"

#include "services/AIError.h"
#include "state/ProjectSession.h"
#include "views/shell/AssistResults.h"

#include <QPointer>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

using Session = QPointer<ProjectSession>;

std::optional<AIDirector>& directorOverride()
{
    static std::optional<AIDirector> director;
    return director;
}

const Episode* findEpisode(const Project& p, const QUuid& id)
{
    for (const Episode& episode : p.episodes) {
        if (episode.id == id)
            return &episode;
    }
    return nullptr;
}

// Every work below takes its arguments by value: they live in the coroutine
// frame for the whole run, whatever happens to the menu that started it.

QCoro::Task<void> sharpenLogline(Session session, AIDirector director)
{
    const QStringList loglines = co_await director.sharpenLogline(session->project());
    if (session)
        AssistResults::apply(*session, AssistResults::sharpenLogline(loglines));
}

QCoro::Task<void> draftPremise(Session session, AIDirector director)
{
    const QString draft = co_await director.draftPremise(session->project());
    if (session)
        AssistResults::apply(*session, AssistResults::draftPremise(session->project(), draft));
}

QCoro::Task<void> themesAndArgument(Session session, AIDirector director)
{
    const AIDirector::ThemesAndArgument result = co_await director.themesAndArgument(session->project());
    if (session)
        AssistResults::apply(*session, AssistResults::themesAndArgument(session->project(), result));
}

QCoro::Task<void> brainstormFragments(Session session, AIDirector director)
{
    const QList<IdeaCard> cards = co_await director.brainstormFragments(session->project());
    if (session)
        AssistResults::apply(*session, AssistResults::brainstormFragments(cards));
}

QCoro::Task<void> inventCharacter(Session session, AIDirector director)
{
    const CastMember member = co_await director.inventCharacter(session->project());
    if (session)
        AssistResults::apply(*session, AssistResults::inventCharacter(member));
}

QCoro::Task<void> fillBeats(Session session, AIDirector director, QUuid episodeID)
{
    const Project project = session->project();
    const Episode* episode = findEpisode(project, episodeID);
    if (!episode)
        co_return;
    const AIDirector::BeatFills fills = co_await director.fillBeats(project, *episode);
    if (session)
        AssistResults::apply(*session, AssistResults::fillBeats(fills));
}

QCoro::Task<void> draftScript(Session session, AIDirector director, QUuid episodeID)
{
    const Project project = session->project();
    const Episode* episode = findEpisode(project, episodeID);
    if (!episode)
        co_return;
    const AIDirector::ScriptElements result = co_await director.draftScript(project, *episode);
    if (session)
        AssistResults::apply(*session, AssistResults::appendScript(result));
}

QCoro::Task<void> continueScript(Session session, AIDirector director, QUuid episodeID)
{
    const Project project = session->project();
    const Episode* episode = findEpisode(project, episodeID);
    if (!episode)
        co_return;
    if (episode->script.elements.isEmpty())
        throw AIError::parsing(AssistActions::nothingToContinue());
    const AIDirector::ScriptElements result = co_await director.continueScript(project, *episode);
    if (session)
        AssistResults::apply(*session, AssistResults::appendScript(result));
}

QCoro::Task<void> recommendLook(Session session, AIDirector director)
{
    const AIDirector::LookRecommendation recommendation = co_await director.recommendLook(session->project());
    if (session)
        AssistResults::apply(*session, AssistResults::recommendLook(recommendation));
}

// One request per scene, one after the other; the session stays busy for the
// whole run. Each reply lands in its scene, found again by id; a scene removed
// meanwhile loses its reply, and an episode removed (or a tab closed) ends the
// run, since nothing further could land.
QCoro::Task<void> shotLists(Session session, AIDirector director, QUuid episodeID)
{
    const Episode* live = findEpisode(session->project(), episodeID);
    if (!live)
        co_return;
    const Episode episode = *live;
    QList<SceneCard> empty;
    for (const SceneCard& scene : episode.scenes) {
        if (scene.shots.isEmpty())
            empty << scene;
        if (empty.size() == AssistActions::shotListScenesPerRun)
            break;
    }
    if (empty.isEmpty())
        throw AIError::parsing(AssistActions::everySceneHasShots());

    for (const SceneCard& scene : std::as_const(empty)) {
        const Episode* current = findEpisode(session->project(), episodeID);
        if (!current)
            co_return;
        const bool sceneRemains = std::any_of(current->scenes.cbegin(), current->scenes.cend(),
                                              [&](const SceneCard& s) { return s.id == scene.id; });
        if (!sceneRemains)
            continue;
        const AIDirector::SceneShots shots = co_await director.shotList(session->project(), episode, scene);
        if (!session)
            co_return;
        AssistResults::apply(*session, AssistResults::shotList(shots));
        if (!session)
            co_return;
    }
}

QCoro::Task<void> musicCues(Session session, AIDirector director, QUuid episodeID)
{
    const Project project = session->project();
    const Episode* episode = findEpisode(project, episodeID);
    if (!episode)
        co_return;
    const AIDirector::EpisodeCues cues = co_await director.musicCues(project, *episode);
    if (session)
        AssistResults::apply(*session, AssistResults::musicCues(cues));
}

QCoro::Task<void> pressKit(Session session, AIDirector director)
{
    const QString text = co_await director.pressKit(session->project());
    if (session)
        AssistResults::apply(*session, AssistResults::pressKit(session->project(), text));
}

using ProjectWork = QCoro::Task<void> (*)(Session, AIDirector);
using EpisodeWork = QCoro::Task<void> (*)(Session, AIDirector, QUuid);

QCoro::Task<void> nothing()
{
    co_return;
}

// The work closures hold only the session pointer and ids; the director is
// taken when the runner starts the work.
AssistAction entry(ProjectSession& s, QString title, QString icon, ProjectWork work)
{
    Session session(&s);
    return {newId(), std::move(title), std::move(icon), [session, work]() -> QCoro::Task<void> {
                if (!session)
                    return nothing();
                return work(session, AssistActions::director());
            }};
}

AssistAction episodeEntry(ProjectSession& s, QString title, QString icon, EpisodeWork work)
{
    Session session(&s);
    // The active episode at the moment the table is built, by id; a production
    // without any episode gets a null id, which names nothing.
    const QUuid episodeID = s.project().episodes.isEmpty() ? QUuid() : s.activeEpisode().id;
    return {newId(), std::move(title), std::move(icon), [session, work, episodeID]() -> QCoro::Task<void> {
                if (!session)
                    return nothing();
                return work(session, AssistActions::director(), episodeID);
            }};
}

} // namespace

QList<AssistAction> AssistActions::forSession(ProjectSession& session)
{
    switch (session.project().activePhase) {
    case PhaseID::spark:
        return {entry(session, u"Sharpen my logline (3 options)"_s, u"scope"_s, sharpenLogline),
                entry(session, u"Draft the premise"_s, u"text.alignleft"_s, draftPremise),
                entry(session, u"Suggest themes & argument"_s, u"heart.text.square"_s, themesAndArgument),
                entry(session, u"Brainstorm idea fragments"_s, u"sparkles"_s, brainstormFragments)};
    case PhaseID::story:
        return {episodeEntry(session, u"Write the empty beats"_s, u"map"_s, fillBeats)};
    case PhaseID::cast:
        return {entry(session, u"Invent a new character"_s, u"person.badge.plus"_s, inventCharacter)};
    case PhaseID::script:
        return {episodeEntry(session, u"Draft the opening from beats"_s, u"doc.text"_s, draftScript),
                episodeEntry(session, u"Continue the scene"_s, u"text.append"_s, continueScript)};
    case PhaseID::look:
        return {entry(session, u"Recommend a look"_s, u"camera.filters"_s, recommendLook)};
    case PhaseID::scenes:
        return {episodeEntry(session, u"Shot lists for empty scenes"_s, u"square.grid.2x2"_s, shotLists)};
    case PhaseID::footage:
        return {};
    case PhaseID::cut:
        return {episodeEntry(session, u"Suggest music cues"_s, u"music.note"_s, musicCues)};
    case PhaseID::premiere:
        return {entry(session, u"Write the press kit"_s, u"newspaper"_s, pressKit)};
    }
    return {};
}

AIDirector AssistActions::director()
{
    if (const std::optional<AIDirector>& set = directorOverride())
        return *set;
    return AIDirector();
}

void AssistActions::setDirector(std::optional<AIDirector> director)
{
    directorOverride() = std::move(director);
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
