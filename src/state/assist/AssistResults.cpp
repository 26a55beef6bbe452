#include "state/assist/AssistResults.h"

#include "model/LookCatalogs.h"
#include "model/Lookup.h"
#include "model/Text.h"
#include "state/ProjectSession.h"
#include "state/edits/CastEdits.h"
#include "state/edits/CutEdits.h"
#include "state/edits/LookEdits.h"
#include "state/edits/ScriptEdits.h"
#include "state/edits/SparkEdits.h"
#include "state/edits/StoryEdits.h"
#include "state/edits/StoryboardEdits.h"
#include "state/rules/CastRules.h"

using namespace Qt::StringLiterals;

namespace studio {

namespace {

AIChoicePrompt prompt(QString title, std::optional<QString> subtitle)
{
    AIChoicePrompt prompt;
    prompt.title = std::move(title);
    prompt.subtitle = std::move(subtitle);
    return prompt;
}

AIChoiceOption option(QString label, std::optional<QString> detail, std::function<void(Project&)> apply)
{
    AIChoiceOption option;
    option.label = std::move(label);
    option.detail = std::move(detail);
    option.apply = std::move(apply);
    return option;
}

std::optional<QString> unlessEmpty(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    return text;
}

} // namespace

AssistOutcome AssistResults::sharpenLogline(const QStringList& loglines)
{
    AIChoicePrompt choice = prompt(u"Three sharper loglines"_s,
                                   u"Pick one to replace yours, or close to keep what you have."_s);
    for (const QString& logline : loglines)
        choice.options << option(logline, std::nullopt, [logline](Project& p) { edits::setLogline(p, logline); });
    return {{}, std::move(choice)};
}

AssistOutcome AssistResults::draftPremise(const Project& live, const QString& draft)
{
    if (text::isBlank(live.idea.premise))
        return {[draft](Project& p) { edits::fillBlankPremise(p, draft); }, std::nullopt};
    AIChoicePrompt choice = prompt(u"A drafted premise"_s, u"Replace your current premise with this?"_s);
    choice.options << option(u"Use this draft"_s, draft, [draft](Project& p) { edits::setPremise(p, draft); });
    return {{}, std::move(choice)};
}

AssistOutcome AssistResults::themesAndArgument(const Project& live, const AIDirector::ThemesAndArgument& result)
{
    const QStringList themes = result.themes;
    const QString argument = result.argument;
    const bool writeArgument = live.idea.argument.isEmpty();

    AssistOutcome outcome;
    outcome.change = [themes, argument, writeArgument](Project& p) {
        edits::addThemes(p, themes);
        if (writeArgument)
            edits::fillEmptyArgument(p, argument);
    };
    if (!writeArgument && !argument.isEmpty()) {
        AIChoicePrompt choice = prompt(u"A sharper argument?"_s, u"Themes were added. Replace your argument too?"_s);
        choice.options << option(argument, std::nullopt, [argument](Project& p) { edits::setArgument(p, argument); });
        outcome.choice = std::move(choice);
    }
    return outcome;
}

AssistOutcome AssistResults::brainstormFragments(const QList<IdeaCard>& cards)
{
    return {[cards](Project& p) { edits::appendIdeaCards(p, cards); }, std::nullopt};
}

AssistOutcome AssistResults::fillBeats(const Episode& asked, const AIDirector::BeatFills& fills)
{
    // What each beat held when it was asked about: the model was asked about
    // blank beats, spaces and tabs included, and the reply may fill a beat
    // only while it still holds exactly that text. A beat the user wrote in
    // meanwhile keeps the user's words.
    QList<edits::BeatSummaryFill> writable;
    if (asked.id == fills.episodeID) {
        for (const AIDirector::BeatFill& fill : fills.fills) {
            const Act* act = findAct(asked, fill.actID);
            const Beat* beat = act ? findBeat(*act, fill.beatID) : nullptr;
            if (beat && text::isBlank(beat->summary))
                writable << edits::BeatSummaryFill{fill.actID, fill.beatID, beat->summary, fill.summary};
        }
    }
    if (writable.isEmpty())
        return {};
    return {[episodeID = fills.episodeID, writable](Project& p) { edits::fillBeatSummaries(p, episodeID, writable); },
            std::nullopt};
}

AssistOutcome AssistResults::inventCharacter(const CastMember& member)
{
    return {[member](Project& p) { edits::addCharacter(p, member); }, std::nullopt};
}

AssistOutcome AssistResults::completeCharacter(const CastMember& asked, const AIDirector::CharacterFields& reply)
{
    return {[id = asked.id, askedFor = rules::emptyCharacterFields(asked), fields = reply.fields](Project& p) {
                edits::completeCharacter(p, id, fields, askedFor);
            },
            std::nullopt};
}

AssistOutcome AssistResults::completeLocation(const Location& asked, const AIDirector::LocationDetails& details)
{
    return {[id = asked.id, details](Project& p) { edits::completeLocation(p, id, details); }, std::nullopt};
}

AssistOutcome AssistResults::appendScript(const AIDirector::ScriptElements& result)
{
    return {[result](Project& p) { edits::landScriptDraft(p, result.episodeID, result.elements); },
            std::nullopt};
}

AssistOutcome AssistResults::recommendLook(const AIDirector::LookRecommendation& r)
{
    const QString none = u"\u2014"_s;
    QString styleName = none;
    if (r.styleID) {
        if (const StylePreset* preset = StylePreset::find(*r.styleID))
            styleName = preset->name;
    }
    QString lensName = none;
    if (r.lensID) {
        if (const DirectorLens* lens = DirectorLens::find(*r.lensID))
            lensName = lens->name;
    }
    QString aspectLabel = none;
    if (r.aspectID) {
        if (const auto aspect = fromRaw<AspectRatio>(*r.aspectID))
            aspectLabel = label(*aspect);
    }

    AIChoicePrompt choice = prompt(u"Recommended look: "_s + styleName, unlessEmpty(r.why));
    choice.options << option(u"Apply "_s + styleName + u" \u00B7 "_s + lensName + u" \u00B7 "_s + aspectLabel,
                             unlessEmpty(r.notes), [r](Project& p) { edits::applyLookRecommendation(p, r); });
    return {{}, std::move(choice)};
}

AssistOutcome AssistResults::shotList(const AIDirector::SceneShots& result)
{
    return {[result](Project& p) { edits::landShotList(p, result.episodeID, result.sceneID, result.shots); },
            std::nullopt};
}

AssistOutcome AssistResults::describeShot(const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID,
                                          const AIDirector::ShotDescription& result)
{
    return {[=](Project& p) { edits::landShotDescription(p, episodeID, sceneID, shotID, result.what); },
            std::nullopt};
}

AssistOutcome AssistResults::musicCues(const AIDirector::EpisodeCues& result)
{
    return {[result](Project& p) { edits::appendMusicCues(p, result.episodeID, result.cues); }, std::nullopt};
}

AssistOutcome AssistResults::pressKit(const Project& live, const QString& text)
{
    if (text::isBlank(live.idea.pressKit)) {
        return {[text](Project& p) {
                    if (text::isBlank(p.idea.pressKit))
                        p.idea.pressKit = text;
                },
                std::nullopt};
    }
    AIChoicePrompt choice = prompt(u"A fresh press kit"_s, u"Replace the current synopsis & taglines?"_s);
    choice.options << option(u"Use this version"_s, text, [text](Project& p) { p.idea.pressKit = text; });
    return {{}, std::move(choice)};
}

void AssistResults::apply(ProjectSession& session, const AssistOutcome& outcome)
{
    if (outcome.change)
        session.edit(outcome.change);
    if (outcome.choice)
        session.setChoicePrompt(outcome.choice);
}

} // namespace studio
