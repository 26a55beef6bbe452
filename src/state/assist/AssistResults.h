#pragma once

// What the result of one assist does to the production it lands in, decided
// against the live production at the moment the reply arrives: new items are
// appended, empty fields filled, and text that would replace the user's own
// words is offered as a choice instead. Every function here is pure: it
// returns the change to write (through the session's edit door) and/or the
// choice to offer, and touches nothing itself.
//
// Targets are named by id in the results (episode, act, beat, scene). A change
// whose target is gone by the time it is applied changes nothing.

#include "model/Project.h"
#include "services/AIDirector.h"
#include "state/AIChoicePrompt.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace studio {

class ProjectSession;

// A change to write, a choice to offer, both (themes are merged and the
// argument offered), or neither.
struct AssistOutcome {
    std::function<void(Project&)> change;
    std::optional<AIChoicePrompt> choice;
};

class AssistResults {
public:
    // ---- Spark, Story, Cast & World ----------------------------------------

    // Always a choice, one option per logline (none when the reply had none).
    static AssistOutcome sharpenLogline(const QStringList& loglines);
    // Written into a blank premise; offered over one that has text.
    static AssistOutcome draftPremise(const Project& live, const QString& draft);
    // New themes appended (exact repeats skipped); the argument written into
    // an empty one, offered over one that has text, ignored when empty.
    static AssistOutcome themesAndArgument(const Project& live, const AIDirector::ThemesAndArgument& result);
    static AssistOutcome brainstormFragments(const QList<IdeaCard>& cards);
    // Each summary goes into its beat only while that beat still holds the
    // blank text it held in `asked`, the copy of the episode the model was
    // asked about.
    static AssistOutcome fillBeats(const Episode& asked, const AIDirector::BeatFills& fills);
    static AssistOutcome inventCharacter(const CastMember& member);
    // The character's and the location's completion: only fields that were
    // empty when asked and are still empty when the reply lands.
    static AssistOutcome completeCharacter(const CastMember& asked, const AIDirector::CharacterFields& reply);
    static AssistOutcome completeLocation(const Location& asked, const AIDirector::LocationDetails& details);

    // ---- Script, The Look, Storyboard, The Cut, Premiere -------------------

    // Draft or continuation: appended to the episode's script.
    static AssistOutcome appendScript(const AIDirector::ScriptElements& result);
    // Always a choice with one option that applies the recommendation.
    static AssistOutcome recommendLook(const AIDirector::LookRecommendation& recommendation);
    // Appended to the scene's shots.
    static AssistOutcome shotList(const AIDirector::SceneShots& result);
    // Written into the shot the description was asked for, only while its
    // text is still empty.
    static AssistOutcome describeShot(const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID,
                                      const AIDirector::ShotDescription& result);
    // Appended to the episode's music cues.
    static AssistOutcome musicCues(const AIDirector::EpisodeCues& result);
    // Written into a blank press kit; offered over one that has text.
    static AssistOutcome pressKit(const Project& live, const QString& text);

    // Writes the change through the session's edit door, then offers the choice.
    static void apply(ProjectSession& session, const AssistOutcome& outcome);
};

} // namespace studio
