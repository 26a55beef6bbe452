// Renders the Story screen in its workspace for every sample production, new
// productions, long texts, set charges, the engine alert and a running
// assist, at the window's least size and wide (PNGs when SCREENSHOT_DIR is
// set), checking on the way that each shows the active episode's acts.

#include "support/AssistFixtures.h"

#include "design/widgets/Alert.h"
#include "design/widgets/MenuButton.h"
#include "design/DesignSystem.h"
#include "model/Lookup.h"
#include "services/ProjectStore.h"
#include "services/SampleFactory.h"
#include "support/Screenshots.h"
#include "support/WorkspaceStage.h"
#include "views/phases/story/StoryView.h"

#include <QApplication>
#include <QMenu>
#include <QtTest>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;

namespace {

using Stage = WorkspaceStage<StoryView>;

Project onStory(Project p, std::optional<StructureKind> kind = std::nullopt)
{
    p.activePhase = PhaseID::story;
    if (kind)
        p.episodes[0].structure = StoryStructure{*kind, structureTemplate(*kind)};
    return p;
}

void shoot(const Project& project, const QString& name)
{
    for (const auto& [label, size] : {std::pair(u"min"_s, QSize(1080, 700)), std::pair(u"wide"_s, QSize(1600, 1000))}) {
        AppState app;
        ProjectSession session(project);
        Stage stage(app, session, size);
        QVERIFY(QTest::qWaitForWindowExposed(&stage.backdrop));
        QVERIFY(stage.screen());
        if (const Episode* e = findActiveEpisode(project, session.activeEpisodeID()))
            QCOMPARE(stage.screen()->actColumns().size(), e->structure.acts.size());
        writeScreenshot(&stage.backdrop, u"story-"_s + name + u"-"_s + label);
    }
}

} // namespace

class StoryScreensTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { DesignSystem::install(*qApp); }
    void cleanup() { ScriptedModel::uninstall(); }

    void productions()
    {
        for (const SampleFactory::Sample& sample : SampleFactory::registry())
            shoot(onStory(sample.make()), sample.id);
        shoot(onStory(Project::make()), u"new-made"_s);
        AppState app;
        shoot(onStory(app.store().create(u"Night Ferry"_s, ProjectFormat::anthology, 3, {Genre::mystery}, 30)),
              u"new-store-anthology"_s);
    }

    void longTextsAndCharges()
    {
        Project p = onStory(Project::make());
        p.format = ProjectFormat::series;
        Episode& e = p.episodes[0];
        e.title = u"The Extraordinarily Long Title of an Episode That Refuses to End Where Titles Usually Do"_s;
        e.synopsis = QString(u"A synopsis that keeps going past the edge of any reasonable field, "_s).repeated(6);
        Act act{.title = u"An Act Whose Title Is Much Too Long for Its Column by Any Measure"_s};
        for (int i = 0; i < 30; ++i) {
            act.beats << Beat{.title = i ? u"Beat %1"_s.arg(i + 1) : u"A beat title far longer than the card can show"_s,
                              .summary = i % 3 ? QString() : u"She crosses the flooded square. "_s.repeated(8),
                              .hint = i % 3 == 1 ? u"What does the hero risk here that they could lose?"_s : QString(),
                              .charge = double(i % 3) - 1.0};
        }
        e.structure.acts.prepend(act);
        shoot(p, u"long-texts"_s);

        Project charged = onStory(Project::make(), StructureKind::beatSheet);
        const QList<double> charges = {0, 1, -1, 0.5, 0.51, -0.5, -0.51, 2, -1};
        int i = 0;
        for (Act& a : charged.episodes[0].structure.acts) {
            for (Beat& beat : a.beats)
                beat.charge = charges[i++ % charges.size()];
        }
        shoot(charged, u"charges"_s);
    }

    void menuAndAlert()
    {
        AppState app;
        ProjectSession session(onStory(SampleFactory::lighthouse(), StructureKind::threeAct));
        Stage stage(app, session);
        QVERIFY(QTest::qWaitForWindowExposed(&stage.backdrop));
        MenuButton* structure = stage.screen()->structureMenu();
        structure->openMenu();
        QVERIFY(QTest::qWaitForWindowExposed(structure->menu()));
        writeScreenshot(structure->menu(), u"story-structure-menu"_s);
        structure->menu()->close();

        stage.screen()->chooseStructure(StructureKind::storyCircle);
        auto* alert = stage.backdrop.findChild<Alert*>();
        QVERIFY(alert);
        QVERIFY(QTest::qWaitForWindowExposed(alert));
        writeScreenshot(alert, u"story-engine-alert"_s);
        QTest::keyClick(alert, Qt::Key_Escape);
        QTRY_VERIFY(!stage.screen()->pendingStructure());
    }

    void assistRunning()
    {
        ScriptedModel model;
        model.install();
        model.hold();
        model.reply(u"{\"beats\":[{\"index\":0,\"summary\":\"The keeper wakes to silence.\"}]}"_s);
        AppState app;
        ProjectSession session(onStory(Project::make(), StructureKind::threeAct));
        Stage stage(app, session);
        QVERIFY(QTest::qWaitForWindowExposed(&stage.backdrop));
        QVERIFY(runEntry(session, u"Write the empty beats"_s));
        QTRY_COMPARE(model.requestCount(), 1);
        writeScreenshot(&stage.backdrop, u"story-assist-running"_s);
        model.release();
        QTRY_VERIFY(!session.aiBusy());
        QCOMPARE(session.project().episodes[0].structure.acts[0].beats[0].summary, u"The keeper wakes to silence."_s);
    }
};

QTEST_MAIN(StoryScreensTest)
#include "StoryScreensTest.moc"
