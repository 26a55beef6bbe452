// How each assist result lands in the live production: appended, written into
// what is empty, or offered as a choice, decided at the moment it arrives.

#include "model/LookCatalogs.h"
#include "state/ProjectSession.h"
#include "state/assist/AssistResults.h"

#include <QtTest>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

Project applied(const Project& live, const AssistOutcome& outcome)
{
    Project p = live;
    if (outcome.change)
        outcome.change(p);
    return p;
}

Project picked(const Project& live, const AIChoicePrompt& prompt, int option)
{
    Project p = live;
    prompt.options.at(option).apply(p);
    return p;
}

AIDirector::LookRecommendation fullRecommendation()
{
    AIDirector::LookRecommendation r;
    r.styleID = StylePreset::catalog().first().id;
    r.lensID = DirectorLens::catalog().first().id;
    r.aspectID = u"flat185"_s;
    r.lighting = {LookChoices::lightingMoods().at(0), u"Disco inferno"_s, LookChoices::lightingMoods().at(4)};
    r.moodWords = {u"hushed"_s, u"salt"_s};
    r.notes = u"Keep the horizon low."_s;
    r.why = u"The sea is the antagonist."_s;
    return r;
}

} // namespace

class AssistResultsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void loglinesAreAlwaysOffered_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QStringList>("loglines");
        QTest::newRow("blank logline") << u"   "_s << QStringList{u"One"_s, u"Two"_s, u"Three"_s};
        QTest::newRow("written logline") << u"Mine"_s << QStringList{u"One"_s};
        QTest::newRow("no options came back") << u"Mine"_s << QStringList{};
    }

    void loglinesAreAlwaysOffered()
    {
        QFETCH(QString, current);
        QFETCH(QStringList, loglines);
        Project live;
        live.idea.logline = current;
        const AssistOutcome outcome = AssistResults::sharpenLogline(loglines);
        QCOMPARE(applied(live, outcome), live); // nothing written before a pick
        QVERIFY(outcome.choice);
        QCOMPARE(outcome.choice->title, u"Three sharper loglines"_s);
        QCOMPARE(outcome.choice->subtitle, u"Pick one to replace yours, or close to keep what you have."_s);
        QCOMPARE(outcome.choice->options.size(), loglines.size());
        for (int i = 0; i < loglines.size(); ++i) {
            QCOMPARE(outcome.choice->options[i].label, loglines[i]);
            QCOMPARE(outcome.choice->options[i].detail, std::nullopt);
            QCOMPARE(picked(live, *outcome.choice, i).idea.logline, loglines[i]);
        }
    }

    void premiseFillsBlankOrIsOffered_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<bool>("offered");
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("spaces and tabs") << u" \t "_s << false;
        QTest::newRow("a line break") << u"\n"_s << true;
        QTest::newRow("text") << u"A keeper alone."_s << true;
    }

    void premiseFillsBlankOrIsOffered()
    {
        QFETCH(QString, current);
        QFETCH(bool, offered);
        Project live;
        live.idea.premise = current;
        const QString draft = u"The sea keeps what it takes."_s;
        const AssistOutcome outcome = AssistResults::draftPremise(live, draft);
        QCOMPARE(outcome.choice.has_value(), offered);
        if (!offered) {
            QCOMPARE(applied(live, outcome).idea.premise, draft);
            return;
        }
        QCOMPARE(applied(live, outcome), live);
        QCOMPARE(outcome.choice->title, u"A drafted premise"_s);
        QCOMPARE(outcome.choice->subtitle, u"Replace your current premise with this?"_s);
        QCOMPARE(outcome.choice->options.size(), 1);
        QCOMPARE(outcome.choice->options[0].label, u"Use this draft"_s);
        QCOMPARE(outcome.choice->options[0].detail, draft);
        QCOMPARE(picked(live, *outcome.choice, 0).idea.premise, draft);
    }

    void themesMergeAndArgumentFillsOrIsOffered_data()
    {
        QTest::addColumn<QStringList>("themes");
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QStringList>("newThemes");
        QTest::addColumn<QString>("newArgument");
        QTest::addColumn<QStringList>("expectedThemes");
        QTest::addColumn<QString>("expectedArgument");
        QTest::addColumn<bool>("offered");
        QTest::newRow("empty argument is written")
            << QStringList{} << QString() << QStringList{u"Grief"_s} << u"Vigilance isn't living"_s
            << QStringList{u"Grief"_s} << u"Vigilance isn't living"_s << false;
        QTest::newRow("empty argument takes an empty reply")
            << QStringList{} << QString() << QStringList{} << QString() << QStringList{} << QString() << false;
        QTest::newRow("a space is an argument") << QStringList{} << u" "_s << QStringList{} << u"New"_s
                                                << QStringList{} << u" "_s << true;
        QTest::newRow("existing argument, empty reply: themes only")
            << QStringList{u"Grief"_s} << u"Mine"_s << QStringList{u"Hope"_s} << QString()
            << QStringList{u"Grief"_s, u"Hope"_s} << u"Mine"_s << false;
        QTest::newRow("case-sensitive merge, repeats once")
            << QStringList{u"Grief"_s} << u"Mine"_s
            << QStringList{u"grief"_s, u"Grief"_s, u"Hope"_s, u"Hope"_s} << u"Other"_s
            << QStringList{u"Grief"_s, u"grief"_s, u"Hope"_s} << u"Mine"_s << true;
        QTest::newRow("offered although every theme was known")
            << QStringList{u"Grief"_s} << u"Mine"_s << QStringList{u"Grief"_s} << u"Other"_s
            << QStringList{u"Grief"_s} << u"Mine"_s << true;
    }

    void themesMergeAndArgumentFillsOrIsOffered()
    {
        QFETCH(QStringList, themes);
        QFETCH(QString, argument);
        QFETCH(QStringList, newThemes);
        QFETCH(QString, newArgument);
        QFETCH(QStringList, expectedThemes);
        QFETCH(QString, expectedArgument);
        QFETCH(bool, offered);
        Project live;
        live.idea.themes = themes;
        live.idea.argument = argument;
        const AssistOutcome outcome = AssistResults::themesAndArgument(live, {newThemes, newArgument});
        const Project after = applied(live, outcome);
        QCOMPARE(after.idea.themes, expectedThemes);
        QCOMPARE(after.idea.argument, expectedArgument);
        QCOMPARE(outcome.choice.has_value(), offered);
        if (offered) {
            QCOMPARE(outcome.choice->title, u"A sharper argument?"_s);
            QCOMPARE(outcome.choice->subtitle, u"Themes were added. Replace your argument too?"_s);
            QCOMPARE(outcome.choice->options.size(), 1);
            QCOMPARE(outcome.choice->options[0].label, newArgument);
            QCOMPARE(outcome.choice->options[0].detail, std::nullopt);
            QCOMPARE(picked(after, *outcome.choice, 0).idea.argument, newArgument);
        }
    }

    void appendedItemsFollowWhatIsThere()
    {
        Project live;
        IdeaCard old;
        old.text = u"old"_s;
        live.idea.cards << old;
        IdeaCard a, b;
        a.text = u"a"_s;
        b.text = u"b"_s;
        Project after = applied(live, AssistResults::brainstormFragments({a, b}));
        after = applied(after, AssistResults::brainstormFragments({b}));
        QCOMPARE(after.idea.cards, (QList<IdeaCard>{old, a, b, b}));

        CastMember member;
        member.name = u"Mara"_s;
        live.cast << CastMember{};
        after = applied(live, AssistResults::inventCharacter(member));
        QCOMPARE(after.cast.size(), 2);
        QCOMPARE(after.cast.last(), member);
    }

    void beatSummariesFillOnlyBeatsStillAsAsked()
    {
        Project live;
        Episode& episode = live.episodes.first();
        Act act;
        act.beats = {Beat{}, Beat{}, Beat{}, Beat{}, Beat{}};
        act.beats[3].summary = u" \t "_s; // blank: asked about like an empty one
        act.beats[4].summary = u"Written"_s;
        episode.structure.acts = {Act{}, act};
        const Episode asked = episode;
        const Act& target = asked.structure.acts[1];
        AIDirector::BeatFills fills{asked.id,
                                    {{target.id, target.beats[0].id, u"First"_s},
                                     {target.id, target.beats[1].id, u"Second"_s},
                                     {target.id, target.beats[0].id, u"Repeat"_s},
                                     {target.id, target.beats[3].id, u"Blank"_s},
                                     {target.id, target.beats[4].id, u"Never asked"_s},
                                     {target.id, newId(), u"Gone beat"_s},
                                     {newId(), target.beats[2].id, u"Gone act"_s}}};
        // The user wrote the second beat while the request ran.
        live.episodes[0].structure.acts[1].beats[1].summary = u"Mine"_s;

        const AssistOutcome outcome = AssistResults::fillBeats(asked, fills);
        const Project after = applied(live, outcome);
        const QList<Beat>& beats = after.episodes[0].structure.acts[1].beats;
        QCOMPARE(beats[0].summary, u"First"_s);
        QCOMPARE(beats[1].summary, u"Mine"_s);
        QCOMPARE(beats[2].summary, QString());
        QCOMPARE(beats[3].summary, u"Blank"_s);
        QCOMPARE(beats[4].summary, u"Written"_s);

        // The blank beat changed to other blanks meanwhile: still the user's.
        live.episodes[0].structure.acts[1].beats[3].summary = u"  "_s;
        QCOMPARE(applied(live, outcome).episodes[0].structure.acts[1].beats[3].summary, u"  "_s);

        // The episode was removed meanwhile, and an act of that name moved to another.
        Project moved = live;
        moved.episodes = {Episode{}};
        moved.episodes[0].structure.acts = {target};
        QCOMPARE(applied(moved, outcome), moved);
    }

    void scriptShotsAndCuesLandInTheirTargetByID()
    {
        Project live;
        live.episodes << Episode{};
        Episode& second = live.episodes[1];
        ScriptElement existing;
        existing.text = u"EXT. LIGHTHOUSE"_s;
        second.script.elements << existing;
        SceneCard scene;
        second.scenes = {SceneCard{}, scene};
        MusicCue oldCue;
        second.musicCues << oldCue;

        ScriptElement a, b;
        a.text = u"a"_s;
        b.text = u"b"_s;
        Project after = applied(live, AssistResults::appendScript({second.id, {a, b}}));
        QCOMPARE(after.episodes[1].script.elements, (QList<ScriptElement>{existing, a, b}));
        QCOMPARE(after.episodes[0], live.episodes[0]);

        Shot s1, s2;
        after = applied(live, AssistResults::shotList({second.id, scene.id, {s1, s2}}));
        QCOMPARE(after.episodes[1].scenes[1].shots, (QList<Shot>{s1, s2}));
        QVERIFY(after.episodes[1].scenes[0].shots.isEmpty());

        MusicCue cue;
        cue.name = u"Foghorn"_s;
        after = applied(live, AssistResults::musicCues({second.id, {cue}}));
        QCOMPARE(after.episodes[1].musicCues, (QList<MusicCue>{oldCue, cue}));

        // Targets that are gone take nothing.
        QCOMPARE(applied(live, AssistResults::appendScript({newId(), {a}})), live);
        QCOMPARE(applied(live, AssistResults::shotList({second.id, newId(), {s1}})), live);
        QCOMPARE(applied(live, AssistResults::shotList({newId(), scene.id, {s1}})), live);
        QCOMPARE(applied(live, AssistResults::musicCues({newId(), {cue}})), live);
    }

    void lookIsOfferedWithResolvedNames()
    {
        const AIDirector::LookRecommendation r = fullRecommendation();
        const AssistOutcome outcome = AssistResults::recommendLook(r);
        Project live;
        QCOMPARE(applied(live, outcome), live);
        QVERIFY(outcome.choice);
        const QString style = StylePreset::catalog().first().name;
        const QString lens = DirectorLens::catalog().first().name;
        QCOMPARE(outcome.choice->title, u"Recommended look: "_s + style);
        QCOMPARE(outcome.choice->subtitle, r.why);
        QCOMPARE(outcome.choice->options.size(), 1);
        QCOMPARE(outcome.choice->options[0].label,
                 u"Apply "_s + style + u" \u00B7 "_s + lens + u" \u00B7 1.85 Flat"_s);
        QCOMPARE(outcome.choice->options[0].detail, r.notes);

        const Project after = picked(live, *outcome.choice, 0);
        LookSpec expected = live.look;
        expected.styleID = r.styleID;
        expected.directorLensID = r.lensID;
        expected.aspect = AspectRatio::flat185;
        expected.lightingMood = {LookChoices::lightingMoods().at(0), LookChoices::lightingMoods().at(4)};
        expected.moodWords = r.moodWords;
        expected.notes = r.notes;
        QCOMPARE(after.look, expected);
    }

    void unresolvedLookPartsReadAsDashAndAreLeft()
    {
        AIDirector::LookRecommendation r;
        r.styleID = u"noSuchStyle"_s;
        r.aspectID = u"Scope239"_s; // case names only
        r.lighting = {u"Disco inferno"_s};
        const AssistOutcome outcome = AssistResults::recommendLook(r);
        QCOMPARE(outcome.choice->title, u"Recommended look: \u2014"_s);
        QCOMPARE(outcome.choice->subtitle, std::nullopt);
        QCOMPARE(outcome.choice->options[0].label, u"Apply \u2014 \u00B7 \u2014 \u00B7 \u2014"_s);
        QCOMPARE(outcome.choice->options[0].detail, std::nullopt);

        Project live;
        live.look.styleID = u"mine"_s;
        live.look.directorLensID = u"alsoMine"_s;
        live.look.aspect = AspectRatio::hd169;
        live.look.lightingMood = {u"Candlelit"_s};
        live.look.moodWords = {u"keep"_s};
        live.look.notes = u"My notes"_s;
        const Project after = picked(live, *outcome.choice, 0);
        LookSpec expected = live.look;
        expected.lightingMood = {}; // none of the offered moods matched
        QCOMPARE(after.look, expected);
    }

    void lookNotesNeverReplaceNotes()
    {
        AIDirector::LookRecommendation r = fullRecommendation();
        r.lighting = {};
        r.moodWords = {};
        Project live;
        live.look.notes = u"Mine"_s;
        live.look.lightingMood = {u"Candlelit"_s};
        live.look.moodWords = {u"keep"_s};
        const AssistOutcome outcome = AssistResults::recommendLook(r);
        QCOMPARE(outcome.choice->options[0].detail, r.notes); // shown, not written
        const Project after = picked(live, *outcome.choice, 0);
        QCOMPARE(after.look.notes, u"Mine"_s);
        QCOMPARE(after.look.lightingMood, QStringList{u"Candlelit"_s});
        QCOMPARE(after.look.moodWords, QStringList{u"keep"_s});
        QCOMPARE(after.look.frameRate, live.look.frameRate);
        QCOMPARE(after.look.grain, live.look.grain);
    }

    void pressKitFillsBlankOrIsOffered_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<bool>("offered");
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("only spaces") << u"    "_s << false;
        QTest::newRow("real text") << u"SYNOPSIS\nOld"_s << true;
    }

    void pressKitFillsBlankOrIsOffered()
    {
        QFETCH(QString, current);
        QFETCH(bool, offered);
        Project live;
        live.idea.pressKit = current;
        const QString text = u"SYNOPSIS\nNew\n\nTAGLINES\n\u2022 Light"_s;
        const AssistOutcome outcome = AssistResults::pressKit(live, text);
        QCOMPARE(outcome.choice.has_value(), offered);
        if (!offered) {
            QCOMPARE(applied(live, outcome).idea.pressKit, text);
            return;
        }
        QCOMPARE(applied(live, outcome), live);
        QCOMPARE(outcome.choice->title, u"A fresh press kit"_s);
        QCOMPARE(outcome.choice->subtitle, u"Replace the current synopsis & taglines?"_s);
        QCOMPARE(outcome.choice->options[0].label, u"Use this version"_s);
        QCOMPARE(outcome.choice->options[0].detail, text);
        QCOMPARE(picked(live, *outcome.choice, 0).idea.pressKit, text);
    }

    void sessionPickAppliesOnceKeepChangesNothing()
    {
        Project project;
        project.idea.premise = u"Mine"_s;
        ProjectSession session(project);
        QSignalSpy changes(&session, &ProjectSession::projectChanged);
        AssistResults::apply(session, AssistResults::draftPremise(session.project(), u"Draft"_s));
        QCOMPARE(changes.count(), 0);
        QVERIFY(session.choicePrompt());

        session.dismissChoice(); // "Keep what I have"
        QCOMPARE(session.project(), project);
        QVERIFY(!session.choicePrompt());

        AssistResults::apply(session, AssistResults::draftPremise(session.project(), u"Draft"_s));
        QVERIFY(session.applyChoice(session.choicePrompt()->options[0].id));
        QCOMPARE(session.project().idea.premise, u"Draft"_s);
        QCOMPARE(changes.count(), 1);
        QVERIFY(!session.choicePrompt());
    }

    void sessionWritesChangeThenOffersChoice()
    {
        Project project;
        project.idea.argument = u"Mine"_s;
        ProjectSession session(project);
        QSignalSpy changes(&session, &ProjectSession::projectChanged);
        AssistResults::apply(session, AssistResults::themesAndArgument(session.project(), {{u"Tides"_s}, u"New"_s}));
        QCOMPARE(changes.count(), 1);
        QCOMPARE(session.project().idea.themes, QStringList{u"Tides"_s});
        QVERIFY(session.choicePrompt());
        QCOMPARE(session.project().idea.argument, u"Mine"_s);
    }
};

QTEST_MAIN(AssistResultsTest)
#include "AssistResultsTest.moc"
