// The header's episode picker (labels, choosing, adding, removing) and the
// "Mark ready" toggle.

#include "support/AssistFixtures.h"
#include "support/LongTexts.h"

#include "model/Text.h"

#include "services/ProjectStore.h"
#include "state/AppState.h"
#include "views/shell/EpisodePicker.h"
#include "views/shell/PhaseRail.h"
#include "views/shell/PhaseRailRow.h"
#include "views/shell/ProjectWorkspaceView.h"
#include "views/shell/WorkspaceHeader.h"

#include <QMenu>
#include <QtTest>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;

namespace {

Project series(ProjectFormat format, const QList<qint64>& numbers)
{
    Project p;
    p.format = format;
    p.episodes.clear();
    for (qint64 n : numbers) {
        Episode e;
        e.number = n;
        p.episodes << e;
    }
    return p;
}

QStringList itemTexts(EpisodePicker* picker)
{
    picker->rebuildMenu();
    QStringList texts;
    for (QAction* action : picker->menu()->actions())
        texts << (action->isSeparator() ? u"--"_s : action->text());
    return texts;
}

QAction* item(EpisodePicker* picker, const QString& text)
{
    picker->rebuildMenu();
    for (QAction* action : picker->menu()->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

QStringList actTitles(const QList<Act>& acts)
{
    QStringList titles;
    for (const Act& act : acts)
        titles << act.title;
    return titles;
}

} // namespace

class EpisodePickerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void labels_data()
    {
        QTest::addColumn<ProjectFormat>("format");
        QTest::addColumn<qint64>("number");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("label");
        QTest::newRow("untitled") << ProjectFormat::series << qint64(3) << QString() << u"Ep 3"_s;
        QTest::newRow("titled") << ProjectFormat::series << qint64(3) << u"Pilot"_s << u"Ep 3 \u2014 Pilot"_s;
        QTest::newRow("segment") << ProjectFormat::anthology << qint64(2) << QString() << u"Seg 2"_s;
        QTest::newRow("sitcom") << ProjectFormat::sitcom << qint64(12) << u"The Rush"_s
                                << u"Ep 12 \u2014 The Rush"_s;
    }

    void labels()
    {
        QFETCH(ProjectFormat, format);
        QFETCH(qint64, number);
        QFETCH(QString, title);
        QFETCH(QString, label);
        Episode e;
        e.number = number;
        e.title = title;
        QCOMPARE(EpisodePicker::episodeLabel(format, e), label);
    }

    void aLongTitleIsCutBeforeItIsJoined()
    {
        Episode e;
        e.number = 3;
        e.title = test::prose(1'000'000);
        const QString label = EpisodePicker::episodeLabel(ProjectFormat::series, e);
        const QString whole = u"Ep 3 \u2014 "_s + e.title;
        QCOMPARE(text::displayPrefix(label), text::displayPrefix(whole)); // shows the same
        QVERIFY(label.size() <= text::displayPrefix(whole).size() + 16); // holds no megabyte
    }

    void pickerShowsOnlyForEpisodicFormats_data()
    {
        QTest::addColumn<ProjectFormat>("format");
        QTest::addColumn<bool>("shown");
        for (ProjectFormat f : allCases<ProjectFormat>())
            QTest::newRow(qPrintable(rawValue(f))) << f << isEpisodic(f);
    }

    void pickerShowsOnlyForEpisodicFormats()
    {
        QFETCH(ProjectFormat, format);
        QFETCH(bool, shown);
        AppState app;
        ProjectSession session(series(format, {1, 2, 3}));
        ProjectWorkspaceView workspace(app, session);
        QCOMPARE(!workspace.header()->episodePicker()->isHidden(), shown);
    }

    void itemsNameTheNoun_data()
    {
        QTest::addColumn<ProjectFormat>("format");
        QTest::addColumn<int>("episodes");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("series") << ProjectFormat::series << 2
                                << QStringList{u"Ep 1"_s, u"Ep 2"_s, u"--"_s, u"Add Episode"_s,
                                               u"Remove current episode"_s};
        QTest::newRow("anthology") << ProjectFormat::anthology << 2
                                   << QStringList{u"Seg 1"_s, u"Seg 2"_s, u"--"_s, u"Add Segment"_s,
                                                  u"Remove current segment"_s};
        QTest::newRow("single episode: no remove")
            << ProjectFormat::sitcom << 1 << QStringList{u"Ep 1"_s, u"--"_s, u"Add Episode"_s};
    }

    void itemsNameTheNoun()
    {
        QFETCH(ProjectFormat, format);
        QFETCH(int, episodes);
        QFETCH(QStringList, items);
        QList<qint64> numbers;
        for (int i = 1; i <= episodes; ++i)
            numbers << i;
        ProjectSession session(series(format, numbers));
        EpisodePicker picker(session);
        QCOMPARE(itemTexts(&picker), items);
        // Only the active episode carries the check mark.
        QVERIFY(!picker.menu()->actions().at(0)->icon().isNull());
        if (episodes > 1)
            QVERIFY(picker.menu()->actions().at(1)->icon().isNull());
    }

    void choosingChangesOnlyTheActiveEpisode()
    {
        AppState app;
        const Project project = series(ProjectFormat::series, {1, 2});
        ProjectSession& session = openSession(app, project);
        ProjectWorkspaceView workspace(app, session);
        EpisodePicker* picker = workspace.header()->episodePicker();
        QSignalSpy changes(&session, &ProjectSession::projectChanged);
        item(picker, u"Ep 2"_s)->trigger();
        QCOMPARE(session.activeEpisodeID(), project.episodes[1].id);
        QCOMPARE(picker->labelText(), u"Ep 2"_s);
        QCOMPARE(changes.count(), 0);
        QCOMPARE(session.project(), project);
        QVERIFY(!app.store().hasPendingAutosave(project.id));
    }

    void numbersAreNeverReused()
    {
        ProjectSession session(series(ProjectFormat::series, {1, 2, 5}));
        EpisodePicker picker(session);
        item(&picker, u"Add Episode"_s)->trigger();
        const Episode added = session.project().episodes.last();
        QCOMPARE(added.number, qint64(6));
        QCOMPARE(added.title, u"Episode 6"_s);
        QCOMPARE(session.activeEpisodeID(), added.id);
        picker.refresh(); // the workspace refreshes it on every change
        QCOMPARE(picker.labelText(), u"Ep 6 \u2014 Episode 6"_s);

        item(&picker, u"Ep 2"_s)->trigger();
        item(&picker, u"Remove current episode"_s)->trigger();
        item(&picker, u"Add Episode"_s)->trigger();
        QList<qint64> numbers;
        for (const Episode& e : session.project().episodes)
            numbers << e.number;
        QCOMPARE(numbers, (QList<qint64>{1, 5, 6, 7}));
    }

    void aNewEpisodeTakesTheFormatsStructure_data()
    {
        QTest::addColumn<ProjectFormat>("format");
        QTest::addColumn<StructureKind>("kind");
        QTest::newRow("sitcom") << ProjectFormat::sitcom << StructureKind::sitcom;
        QTest::newRow("anthology") << ProjectFormat::anthology << StructureKind::anthologyTale;
        QTest::newRow("series") << ProjectFormat::series << StructureKind::fiveAct;
    }

    void aNewEpisodeTakesTheFormatsStructure()
    {
        QFETCH(ProjectFormat, format);
        QFETCH(StructureKind, kind);
        Project project = series(format, {1});
        project.episodes[0].structure.kind = StructureKind::kishotenketsu;
        ProjectSession session(project);
        EpisodePicker::addEpisode(session);
        const Episode& added = session.project().episodes.last();
        QCOMPARE(added.structure.kind, kind);
        QCOMPARE(actTitles(added.structure.acts), actTitles(structureTemplate(kind)));
        QVERIFY(added.script.elements.isEmpty());
        QVERIFY(added.scenes.isEmpty());
        QCOMPARE(added.synopsis, QString());
        QCOMPARE(added.title, episodeNoun(format) + u" 2"_s);
    }

    void removingPicksTheFirstRemaining_data()
    {
        QTest::addColumn<int>("active");   // index, -1: an id naming none
        QTest::addColumn<int>("remaining");
        QTest::addColumn<int>("nowActive"); // index into the original list
        QTest::newRow("first in the list") << 0 << 2 << 1;
        QTest::newRow("last in the list") << 2 << 2 << 0;
        QTest::newRow("middle") << 1 << 2 << 0;
        QTest::newRow("active names none") << -1 << 3 << 0;
    }

    void removingPicksTheFirstRemaining()
    {
        QFETCH(int, active);
        QFETCH(int, remaining);
        QFETCH(int, nowActive);
        const Project project = series(ProjectFormat::series, {1, 2, 3});
        ProjectSession session(project);
        session.setActiveEpisodeID(active < 0 ? newId() : project.episodes[active].id);
        EpisodePicker picker(session);
        QCOMPARE(picker.labelText(), EpisodePicker::episodeLabel(ProjectFormat::series,
                                                                 project.episodes[active < 0 ? 0 : active]));
        if (active < 0) { // no item carries the check mark
            picker.rebuildMenu();
            for (int i = 0; i < 3; ++i)
                QVERIFY(picker.menu()->actions().at(i)->icon().isNull());
        }
        item(&picker, u"Remove current episode"_s)->trigger();
        QCOMPARE(session.project().episodes.size(), remaining);
        QCOMPARE(session.activeEpisodeID(), project.episodes[nowActive].id);
    }

    void removingTheLastEpisodeLeavesAFreshID()
    {
        ProjectSession session(series(ProjectFormat::series, {1}));
        const QUuid only = session.activeEpisodeID();
        EpisodePicker::removeCurrentEpisode(session);
        QVERIFY(session.project().episodes.isEmpty());
        QVERIFY(!session.activeEpisodeID().isNull());
        QVERIFY(session.activeEpisodeID() != only);
        EpisodePicker picker(session);
        QCOMPARE(picker.labelText(), u"Ep 1"_s);
    }

    void markReadyTogglesTheActivePhaseOnly()
    {
        AppState app;
        Project project;
        project.activePhase = PhaseID::scenes;
        ProjectSession session(project);
        ProjectWorkspaceView workspace(app, session);
        MarkReadyButton* ready = workspace.header()->markReadyButton();
        QCOMPARE(ready->labelText(), u"Mark ready"_s);
        QCOMPARE(ready->toolTip(), u"Phases marked ready fill the project's progress ring."_s);

        ready->click();
        QCOMPARE(session.project().completedPhases, QSet<PhaseID>{PhaseID::scenes});
        QCOMPARE(ready->labelText(), u"Phase ready"_s);
        QVERIFY(workspace.rail()->row(PhaseID::scenes)->isDone());
        QCOMPARE(session.project().activePhase, PhaseID::scenes);

        ready->click();
        QVERIFY(session.project().completedPhases.isEmpty());
        QCOMPARE(ready->labelText(), u"Mark ready"_s);
        QVERIFY(!workspace.rail()->row(PhaseID::scenes)->isDone());

        ready->click();
        workspace.rail()->row(PhaseID::cut)->click();
        QCOMPARE(ready->labelText(), u"Mark ready"_s);
        ready->click();
        QCOMPARE(session.project().completedPhases, (QSet<PhaseID>{PhaseID::scenes, PhaseID::cut}));
        QCOMPARE(ready->labelText(), u"Phase ready"_s);
    }
};

QTEST_MAIN(EpisodePickerTest)
#include "EpisodePickerTest.moc"
