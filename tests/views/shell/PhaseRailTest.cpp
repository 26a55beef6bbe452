// The phase rail: its progress texts follow the active episode; the ready
// marks, the active row, and the footer card.

#include "support/AssistFixtures.h"

#include "views/shell/PhaseRail.h"
#include "views/shell/PhaseRailFooter.h"
#include "views/shell/PhaseRailRow.h"

#include <QtTest>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;

class PhaseRailTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void episodeTextsFollowTheActiveEpisode()
    {
        Project project;
        project.format = ProjectFormat::series;
        project.episodes = {Episode{}, Episode{}};
        project.episodes[1].scenes = {sceneWithShots(1)};
        ProjectSession session(project);
        PhaseRail rail(session);
        QCOMPARE(rail.row(PhaseID::scenes)->status(), u"No scenes yet"_s);

        session.setActiveEpisodeID(project.episodes[1].id);
        rail.refresh();
        QCOMPARE(rail.row(PhaseID::scenes)->status(), u"1 scenes \u00B7 1 shots"_s);

        session.setActiveEpisodeID(newId()); // names none: the first episode
        rail.refresh();
        QCOMPARE(rail.row(PhaseID::scenes)->status(), u"No scenes yet"_s);
    }

    void rowsShowActiveAndReady()
    {
        Project project;
        project.activePhase = PhaseID::look;
        project.completedPhases = {PhaseID::look, PhaseID::spark};
        ProjectSession session(project);
        PhaseRail rail(session);
        for (PhaseID phase : allCases<PhaseID>()) {
            QCOMPARE(rail.row(phase)->isActive(), phase == PhaseID::look);
            QCOMPARE(rail.row(phase)->isDone(), phase == PhaseID::look || phase == PhaseID::spark);
        }

        QSignalSpy chosen(&rail, &PhaseRail::phaseChosen);
        rail.row(PhaseID::cut)->click();
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.first().first().value<PhaseID>(), PhaseID::cut);
        QCOMPARE(session.project().activePhase, PhaseID::look); // the rail itself writes nothing
    }

    void footerShowsTheProduction()
    {
        Project project;
        project.name = u"Counter Culture"_s;
        project.format = ProjectFormat::sitcom;
        project.idea.targetRuntimeMinutes = 22;
        project.episodes = {Episode{}, Episode{}, Episode{}};
        project.completedPhases = {PhaseID::spark, PhaseID::story, PhaseID::cast};
        ProjectSession session(project);
        PhaseRail rail(session);
        QCOMPARE(rail.footer()->nameText(), u"Counter Culture"_s);
        QCOMPARE(rail.footer()->detailText(), u"Sitcom \u00B7 1h 6m"_s);
        QCOMPARE(rail.footer()->ringValue(), 3.0 / 9.0);
    }
};

QTEST_MAIN(PhaseRailTest)
#include "PhaseRailTest.moc"
