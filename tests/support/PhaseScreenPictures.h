#pragma once

// The pictures a phase screen's test takes of its screen in the workspace:
// each production at the window's least size and wide, and the screen while
// an assist waits for its reply (written when SCREENSHOT_DIR is set).

#include "design/widgets/ScrollColumn.h"
#include "services/SampleFactory.h"
#include "support/AssistFixtures.h"
#include "support/Screenshots.h"
#include "support/WorkspaceStage.h"

#include <QScrollBar>
#include <QSize>
#include <QTest>

#include <functional>

namespace studio::test {

inline const QSize leastWindowSize(1080, 700);
inline const QSize wideWindowSize(1600, 1000);

// Pictures the production open at `phase`, as "<prefix>-<name>" at the least
// size and "<prefix>-<name>-wide"; a production named "long" also scrolled
// to its end at the least size ("<prefix>-long-bottom"). `prepare` readies
// (and checks) the screen before each picture.
template <class Screen>
void pictureAtBothSizes(Project project, PhaseID phase, const QString& prefix, const QString& name,
                        const std::function<void(Screen*)>& prepare = {})
{
    project.activePhase = phase;
    AppState app;
    ProjectSession& session = openSession(app, project);
    for (const QSize& size : {leastWindowSize, wideWindowSize}) {
        WorkspaceStage<Screen> stage(app, session, size);
        QVERIFY(QTest::qWaitForWindowExposed(&stage.backdrop));
        Screen* screen = stage.screen();
        QVERIFY(screen);
        if (prepare) {
            prepare(screen);
            if (QTest::currentTestFailed())
                return;
        }
        const QString picture = prefix + u'-' + name;
        if (size != leastWindowSize) {
            writeScreenshot(&stage.backdrop, picture + QStringLiteral("-wide"));
            continue;
        }
        writeScreenshot(&stage.backdrop, picture);
        if (name == QStringLiteral("long")) {
            QScrollBar* bar = screen->page()->verticalScrollBar();
            bar->setValue(bar->maximum());
            writeScreenshot(&stage.backdrop, prefix + QStringLiteral("-long-bottom"));
        }
    }
}

// Pictures a sample production's screen at `phase` while the Assist menu's
// entry with that title waits for its reply, as "<prefix>-assist-running".
template <class Screen>
void pictureAssistRunning(PhaseID phase, const QString& prefix, const QString& entry,
                          const std::function<void(Screen*)>& prepare = {})
{
    ScriptedModel model;
    model.install();
    model.hold();
    AppState app;
    Project project = SampleFactory::lighthouse();
    project.activePhase = phase;
    ProjectSession& session = openSession(app, project);
    WorkspaceStage<Screen> stage(app, session, leastWindowSize);
    QVERIFY(QTest::qWaitForWindowExposed(&stage.backdrop));
    QVERIFY(stage.screen());
    if (prepare)
        prepare(stage.screen());
    QVERIFY(runEntry(session, entry));
    QTRY_VERIFY(model.requestCount() > 0);
    writeScreenshot(&stage.backdrop, prefix + QStringLiteral("-assist-running"));
    model.release();
    QTRY_VERIFY(!session.aiBusy());
}

} // namespace studio::test
