// The phase rail: its progress texts follow the active episode; the ready
// marks, the active row, and the footer card.

#include "support/AssistFixtures.h"

#include "model/Lookup.h"
#include "state/rules/PhaseRailStatus.h"
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

    // The page count follows every kind of edit, and the episode on screen,
    // as a count made afresh would.
    void pagesFollowTheScript()
    {
        Project project;
        project.format = ProjectFormat::series;
        project.episodes = {Episode{}, Episode{}};
        const ScriptElement heading{.kind = ScriptElementKind::sceneHeading, .text = u"EXT. PIER — NIGHT"_s};
        const ScriptElement action{.kind = ScriptElementKind::action, .text = QString(58 * 40, u'a')}; // 41 lines
        project.episodes[1].script.elements = {heading, action};
        ProjectSession session(project);
        PhaseRail rail(session);
        const auto shown = [&] {
            rail.refresh();
            return rail.row(PhaseID::script)->status();
        };
        const auto afresh = [&] {
            return rules::PhaseRailStatus::text(session.project(), session.activeEpisode(), PhaseID::script);
        };
        QCOMPARE(shown(), u"Blank page"_s);
        session.setActiveEpisodeID(project.episodes[1].id);
        QCOMPARE(shown(), u"~0.8 pages"_s);
        const QUuid episode = project.episodes[1].id;
        const auto edit = [&](const std::function<void(QList<ScriptElement>&)>& change) {
            session.edit([&](Project& p) { change(findEpisode(p, episode)->script.elements); });
            QCOMPARE(shown(), afresh());
        };
        edit([](QList<ScriptElement>& e) { e[1].text += QString(58 * 30, u'b'); });
        QCOMPARE(shown(), u"~1.3 pages"_s);
        edit([&](QList<ScriptElement>& e) { e.insert(1, heading); });
        edit([](QList<ScriptElement>& e) { e[0].kind = ScriptElementKind::dialogue; });
        edit([](QList<ScriptElement>& e) { e.move(0, 2); });
        edit([](QList<ScriptElement>& e) { e.removeAt(2); });
        edit([](QList<ScriptElement>& e) { e = {e.last(), e.last(), e.last()}; });
        session.setActiveEpisodeID(project.episodes[0].id);
        QCOMPARE(shown(), u"Blank page"_s);
        session.setActiveEpisodeID(episode);
        QCOMPARE(shown(), afresh());
        edit([](QList<ScriptElement>& e) { e.clear(); });
        QCOMPARE(shown(), u"Blank page"_s);
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
