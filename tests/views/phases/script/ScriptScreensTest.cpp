// Renders the Script screen in the workspace (when SCREENSHOT_DIR is set):
// an empty script, every sample production, long elements, a focused heading
// and a focused cue with their chips, and an assist running, at the window's
// least size and wide. The checks pin what each picture relies on.

#include "support/AssistFixtures.h"

#include "design/style/AuroraBackground.h"
#include "design/text/PlainTextEditor.h"
#include "design/widgets/ScrollColumn.h"
#include "design/widgets/GhostButton.h"
#include "design/widgets/SymbolButton.h"
#include "design/widgets/TextLabel.h"
#include "design/DesignSystem.h"
#include "model/Lookup.h"
#include "services/SampleFactory.h"
#include "support/Screenshots.h"
#include "support/WorkspaceStage.h"
#include "views/phases/script/ScriptCapsule.h"
#include "views/phases/script/ScriptPage.h"
#include "views/phases/script/ScriptView.h"
#include "views/shell/ProjectWorkspaceView.h"

#include <QScrollBar>
#include <QVBoxLayout>
#include <QtTest>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;

namespace {

using K = ScriptElementKind;

// The workspace on the window's backdrop, its content at the given size.
struct Stage : test::WorkspaceStage<ScriptView> {
    Stage(AppState& app, ProjectSession& session, QSize size)
        : WorkspaceStage(app, session, size)
    {
    }
};

const QList<std::pair<QString, QSize>>& sizes()
{
    static const QList<std::pair<QString, QSize>> list{{u"1080x700"_s, QSize(1080, 700)},
                                                       {u"wide"_s, QSize(1600, 1000)}};
    return list;
}

Project scriptProduction(const QList<ScriptElement>& elements)
{
    Project p;
    p.name = u"Harbor Lights"_s;
    p.activePhase = PhaseID::script;
    p.episodes.first().script.elements = elements;
    for (const QString& name : {u"Mara Voss"_s, u"Theo"_s, u"Old Keeper"_s}) {
        CastMember m;
        m.name = name;
        p.cast << m;
    }
    for (const QString& name : {u"Harbor"_s, u"Lighthouse Stairs"_s, u"Fish Market"_s}) {
        Location l;
        l.name = name;
        p.locations << l;
    }
    return p;
}

} // namespace

class ScriptScreensTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { DesignSystem::install(*qApp); }
    void cleanup() { ScriptedModel::uninstall(); }

    void emptyAndSamples_data()
    {
        QTest::addColumn<int>("sample"); // -1: a new production
        QTest::newRow("empty") << -1;
        for (int i = 0; i < SampleFactory::registry().size(); ++i)
            QTest::newRow(qPrintable(SampleFactory::registry().at(i).id)) << i;
    }

    void emptyAndSamples()
    {
        QFETCH(int, sample);
        Project p = sample < 0 ? scriptProduction({}) : SampleFactory::registry().at(sample).make();
        p.activePhase = PhaseID::script;
        const QString name = sample < 0 ? u"empty"_s : SampleFactory::registry().at(sample).id;
        for (const auto& [sizeName, size] : sizes()) {
            AppState app;
            ProjectSession session(p);
            Stage stage(app, session, size);
            QVERIFY(QTest::qWaitForWindowExposed(&stage.backdrop));
            ScriptView* screen = stage.screen();
            QVERIFY(screen);
            const Episode* episode = findActiveEpisode(session.project(), session.activeEpisodeID());
            QCOMPARE(screen->page()->rowCount(), episode->script.elements.size());
            QCOMPARE(screen->page()->emptyState()->isHidden(), !episode->script.elements.isEmpty());
            // The page stays within its greatest width, centred.
            QVERIFY(screen->page()->width() <= 740);
            const QRect page = screen->page()->geometry();
            QVERIFY(qAbs(page.left() - (screen->scrollArea()->viewport()->width() - page.right() - 1)) <= 1);
            writeScreenshot(&stage.backdrop, u"script-"_s + name + u'-' + sizeName);
        }
    }

    void longElementsAndChips()
    {
        const QString longAction = u"The harbor wakes under a low sky: nets hang like laundry between the masts, gulls "
                                   u"argue over the night's catch, and somewhere under the pier a radio plays a song "
                                   u"nobody has asked for since the cannery closed."_s;
        const QString longLine = u"You keep saying the light matters, but nobody has steered by it in twenty years, "
                                 u"and you know it. So tell me what you're really guarding up there."_s;
        Project p = scriptProduction({{.kind = K::sceneHeading, .text = u"EXT. HARBOR \u2014 DAWN"_s},
                                      {.kind = K::action, .text = longAction},
                                      {.kind = K::character, .text = u"MARA VOSS"_s},
                                      {.kind = K::parenthetical, .text = u"(not looking up, still mending the net "
                                                                         u"with quick hands)"_s},
                                      {.kind = K::dialogue, .text = longLine},
                                      {.kind = K::character, .text = QString()},
                                      {.kind = K::transition, .text = u"SMASH CUT TO:"_s},
                                      {.kind = K::sceneHeading, .text = QString()},
                                      {.kind = K::action, .text = QString()}});
        for (const auto& [sizeName, size] : sizes()) {
            AppState app;
            ProjectSession session(p);
            Stage stage(app, session, size);
            QVERIFY(QTest::qWaitForWindowExposed(&stage.backdrop));
            ScriptView* screen = stage.screen();
            QVERIFY(screen);
            const QList<ScriptElement>& elements = session.project().episodes.first().script.elements;

            // Wrapped text grows its row; a cue and a parenthetical wrap within 240 points.
            test::SettledPicture settled(&stage.backdrop);
            QTRY_VERIFY(settled());
            const QRect paren = screen->page()->textRect(elements[3].id);
            QVERIFY(paren.width() <= 240);
            QVERIFY(paren.height() > screen->page()->textRect(elements[2].id).height());
            writeScreenshot(&stage.backdrop, u"script-long-"_s + sizeName);

            // A focused empty cue shows the cast; a focused heading its parts.
            screen->page()->focusElement(elements[5].id);
            QCOMPARE(screen->page()->chipLabels(), (QStringList{u"Mara Voss"_s, u"Theo"_s, u"Old Keeper"_s}));
            QTRY_VERIFY(settled());
            writeScreenshot(&stage.backdrop, u"script-cue-chips-"_s + sizeName);
            screen->page()->focusElement(elements[7].id);
            QCOMPARE(screen->page()->chipLabels().size(), 2 + 3 + 4);
            QTRY_VERIFY(settled());
            screen->scrollArea()->verticalScrollBar()->setValue(screen->scrollArea()->verticalScrollBar()->maximum());
            QTRY_VERIFY(settled());
            writeScreenshot(&stage.backdrop, u"script-heading-chips-"_s + sizeName);
        }
    }

    void theStatisticsShowWhole()
    {
        // The window at its least with the story draft offered: every item
        // of the toolbar shows whole, the statistics line too.
        Project p = scriptProduction({});
        p.episodes.first() = episodeWithBeats({u"The lamp fails."_s});
        p.episodes.first().script.elements.clear();
        for (const auto& [sizeName, size] : sizes()) {
            AppState app;
            ProjectSession session(p);
            Stage stage(app, session, size);
            QVERIFY(QTest::qWaitForWindowExposed(&stage.backdrop));
            ScriptView* screen = stage.screen();
            QVERIFY(screen);
            QVERIFY(screen->storyDraftButton()->isVisible());
            TextLabel* statistics = nullptr;
            for (TextLabel* label : screen->findChildren<TextLabel*>()) {
                if (label->text().startsWith(u'~'))
                    statistics = label;
            }
            QVERIFY(statistics && statistics->isVisible());
            QTRY_VERIFY(!statistics->isElided());
            QList<QWidget*> items{screen->storyDraftButton(), statistics};
            for (ScriptCapsule* capsule : screen->kindButtons())
                items << capsule;
            for (QWidget* a : items) {
                for (QWidget* b : items)
                    QVERIFY(a == b || !a->geometry().intersects(b->geometry()));
            }
            writeScreenshot(&stage.backdrop, u"script-story-draft-"_s + sizeName);
        }
    }

    void hoveredRow()
    {
        Project p = scriptProduction({{.kind = K::sceneHeading, .text = u"INT. LIGHTHOUSE STAIRS \u2014 NIGHT"_s},
                                      {.kind = K::action, .text = u"Theo climbs, counting the steps under his breath."_s},
                                      {.kind = K::character, .text = u"THEO"_s},
                                      {.kind = K::dialogue, .text = u"Two hundred and twelve."_s}});
        AppState app;
        ProjectSession session(p);
        Stage stage(app, session, sizes().first().second);
        QVERIFY(QTest::qWaitForWindowExposed(&stage.backdrop));
        ScriptPage* page = stage.screen()->page();
        QTest::mouseMove(page, page->textRect(p.episodes.first().script.elements[1].id).center());
        QTRY_VERIFY(page->removeButton()->isVisible());
        writeScreenshot(&stage.backdrop, u"script-hover"_s);
    }

    void assistRunning()
    {
        ScriptedModel model;
        model.install();
        model.hold();
        AppState app;
        ProjectSession session(scriptProduction({}));
        Stage stage(app, session, sizes().first().second);
        QVERIFY(QTest::qWaitForWindowExposed(&stage.backdrop));
        stage.screen()->draftWithAI();
        QVERIFY(session.aiBusy());
        QCoreApplication::processEvents();
        writeScreenshot(&stage.backdrop, u"script-assist-running"_s);
        model.release();
        QTRY_VERIFY(!session.aiBusy());
    }
};

QTEST_MAIN(ScriptScreensTest)
#include "ScriptScreensTest.moc"
