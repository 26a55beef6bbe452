// The one-line progress text of each phase in the phase rail, read from the
// production and its active episode.

#include "support/AssistFixtures.h"

#include "model/LookCatalogs.h"
#include "state/rules/PhaseRailStatus.h"

#include <QtTest>

#include <limits>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;

namespace {

TimelineClip clip(double seconds)
{
    TimelineClip c;
    c.seconds = seconds;
    return c;
}

QString status(const Project& project, PhaseID phase)
{
    ProjectSession session(project);
    return rules::PhaseRailStatus::text(project, session.activeEpisode(), phase);
}

} // namespace

class PhaseRailStatusTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aNewProductionReadsEmpty_data()
    {
        QTest::addColumn<PhaseID>("phase");
        QTest::addColumn<QString>("text");
        QTest::newRow("spark") << PhaseID::spark << u"Needs a logline"_s;
        QTest::newRow("story") << PhaseID::story << u"0/0 beats written"_s;
        QTest::newRow("cast") << PhaseID::cast << u"0 cast \u00B7 0 places"_s;
        QTest::newRow("script") << PhaseID::script << u"Blank page"_s;
        QTest::newRow("look") << PhaseID::look << u"No style chosen"_s;
        QTest::newRow("scenes") << PhaseID::scenes << u"No scenes yet"_s;
        QTest::newRow("footage") << PhaseID::footage << u"Nothing to render"_s;
        QTest::newRow("cut") << PhaseID::cut << u"Not assembled"_s;
        QTest::newRow("premiere") << PhaseID::premiere << u"0/9 phases ready"_s;
    }

    void aNewProductionReadsEmpty()
    {
        QFETCH(PhaseID, phase);
        QFETCH(QString, text);
        QCOMPARE(status(Project{}, phase), text);
        Project none;
        none.episodes.clear(); // an empty stand-in episode
        QCOMPARE(status(none, phase), text);
    }

    void progressTexts_data()
    {
        QTest::addColumn<Project>("project");
        QTest::addColumn<PhaseID>("phase");
        QTest::addColumn<QString>("text");

        Project p;
        p.idea.logline = u" \t "_s;
        QTest::newRow("logline of spaces") << p << PhaseID::spark << u"Needs a logline"_s;
        p.idea.logline = u"\n"_s;
        QTest::newRow("logline of a line break") << p << PhaseID::spark << u"Logline set"_s;
        p.idea.cards = {IdeaCard{}, IdeaCard{}};
        QTest::newRow("logline and fragments") << p << PhaseID::spark << u"Logline set \u00B7 2 fragments"_s;

        p = Project{};
        p.episodes = {episodeWithBeats({u"a"_s, QString()})};
        Act second;
        Beat spaces;
        spaces.summary = u"  "_s; // written, although only spaces
        second.beats << spaces;
        p.episodes[0].structure.acts << second;
        QTest::newRow("beats over acts") << p << PhaseID::story << u"2/3 beats written"_s;

        p = Project{};
        p.cast = {CastMember{}, CastMember{}, CastMember{}};
        p.locations = {Location{}};
        QTest::newRow("cast and places") << p << PhaseID::cast << u"3 cast \u00B7 1 places"_s;

        p = Project{};
        ScriptElement heading;
        heading.kind = ScriptElementKind::sceneHeading;
        p.episodes[0].script.elements = QList<ScriptElement>(66, heading); // 132 lines
        QTest::newRow("pages") << p << PhaseID::script << u"~2.4 pages"_s;
        p.episodes[0].script.elements = {heading, heading}; // 4 lines: 0.07 pages
        QTest::newRow("under a tenth of a page") << p << PhaseID::script << u"Blank page"_s;

        p = Project{};
        p.look.styleID = u"noSuchStyle"_s;
        QTest::newRow("unknown style") << p << PhaseID::look << u"No style chosen"_s;
        p.look.styleID = StylePreset::catalog().at(2).id;
        QTest::newRow("known style") << p << PhaseID::look << StylePreset::catalog().at(2).name;

        p = Project{};
        p.episodes[0].scenes = {sceneWithShots(3, 1), sceneWithShots(2)};
        QTest::newRow("scenes and shots") << p << PhaseID::scenes << u"2 scenes \u00B7 5 shots"_s;
        QTest::newRow("shots rendered") << p << PhaseID::footage << u"1/5 shots rendered"_s;
        p.episodes[0].scenes = {sceneWithShots(0)};
        QTest::newRow("a scene without shots") << p << PhaseID::footage << u"Nothing to render"_s;

        p = Project{};
        p.episodes[0].timeline = {clip(30), clip(29.9)};
        QTest::newRow("59.9 seconds") << p << PhaseID::cut << u"59s assembled"_s;
        p.episodes[0].timeline = {clip(60)};
        QTest::newRow("one minute") << p << PhaseID::cut << u"1m 0s assembled"_s;
        p.episodes[0].timeline = {clip(3725)};
        QTest::newRow("over an hour") << p << PhaseID::cut << u"62m 5s assembled"_s;
        p.episodes[0].timeline = {clip(std::numeric_limits<double>::quiet_NaN())};
        QTest::newRow("corrupt duration") << p << PhaseID::cut << u"0s assembled"_s;

        p = Project{};
        for (PhaseID phase : allCases<PhaseID>())
            p.completedPhases.insert(phase);
        QTest::newRow("all ready") << p << PhaseID::premiere << u"9/9 phases ready"_s;
    }

    void progressTexts()
    {
        QFETCH(Project, project);
        QFETCH(PhaseID, phase);
        QFETCH(QString, text);
        QCOMPARE(status(project, phase), text);
    }
};

QTEST_GUILESS_MAIN(PhaseRailStatusTest)
#include "PhaseRailStatusTest.moc"
