// Renders the Cast & World screen in the workspace offscreen and writes PNGs
// when SCREENSHOT_DIR is set: the characters and locations of every sample,
// an empty production, the New character menu, both detail panes (the
// character's at its top and bottom), long texts, and an assist running.

#include "design/style/Spring.h"
#include "design/DesignSystem.h"
#include "model/Lookup.h"
#include "services/SampleFactory.h"
#include "state/AppState.h"
#include "support/ScriptedModel.h"
#include "support/Screenshots.h"
#include "support/WorkspaceStage.h"
#include "views/phases/cast/AssistLink.h"
#include "views/phases/cast/CastView.h"
#include "views/phases/cast/CharacterCard.h"
#include "views/phases/cast/CharacterDetail.h"
#include "views/phases/cast/LocationDetail.h"
#include "views/phases/cast/NewCharacterMenu.h"
#include "views/shell/WorkspaceHeader.h"

#include <QAbstractAnimation>
#include <QApplication>
#include <QMenu>
#include <QScrollBar>
#include <QtTest>

#include <algorithm>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;

namespace {

// Whether nothing under the widget is moving: no spring on its way and no
// fade running.
bool isStill(const QWidget* root)
{
    const QList<Spring*> springs = root->findChildren<Spring*>();
    const QList<QAbstractAnimation*> fades = root->findChildren<QAbstractAnimation*>();
    return std::none_of(springs.cbegin(), springs.cend(), [](const Spring* s) { return s->isMoving(); })
        && std::none_of(fades.cbegin(), fades.cend(),
                        [](const QAbstractAnimation* a) { return a->state() == QAbstractAnimation::Running; });
}

// Layouts settle and chips and pills finish their fades.
void settle(const QWidget* root)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QTRY_VERIFY(isStill(root));
}

// The workspace on the window's backdrop at the window's least size.
struct Stage : WorkspaceStage<CastView> {
    Stage(AppState& app, ProjectSession& session, QSize size = QSize(1080, 700))
        : WorkspaceStage(app, session, size)
    {
        settle(&backdrop);
    }
    void shoot(const QString& name)
    {
        settle(&backdrop);
        writeScreenshot(&backdrop, name);
    }
};

// A detail pane's whole page at once, for a look at every part.
void shootPage(QScrollArea* pane, const QString& name)
{
    QWidget* page = pane->widget();
    // Editors that wrap grow once they know their width: settle twice.
    for (int i = 0; i < 2; ++i) {
        const int width = pane->viewport()->width();
        page->resize(width, page->hasHeightForWidth() ? page->heightForWidth(width) : page->sizeHint().height());
        settle(pane->window());
    }
    writeScreenshot(page, name);
}

Project inCast(Project p)
{
    p.activePhase = PhaseID::cast;
    return p;
}

} // namespace

class CastScreensTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { DesignSystem::install(*qApp); }
    void cleanup() { ScriptedModel::uninstall(); }

    void samples_data()
    {
        QTest::addColumn<int>("sample");
        for (int i = 0; i < SampleFactory::registry().size(); ++i)
            QTest::newRow(qPrintable(SampleFactory::registry().at(i).id)) << i;
    }

    void samples()
    {
        QFETCH(int, sample);
        const SampleFactory::Sample& entry = SampleFactory::registry().at(sample);
        AppState app;
        ProjectSession session(inCast(entry.make()));
        Stage stage(app, session);
        CastView* view = stage.screen();
        QVERIFY(view);
        QCOMPARE(view->characterCards().size(), session.project().cast.size());
        stage.shoot(u"cast-"_s + entry.id + u"-unselected"_s);
        view->selectCharacter(session.project().cast.value(0).id);
        stage.shoot(u"cast-"_s + entry.id + u"-characters"_s);
        view->setMode(CastView::locations);
        view->selectLocation(session.project().locations.value(0).id);
        stage.shoot(u"cast-"_s + entry.id + u"-locations"_s);
        if (sample != 0)
            return;
        writeScreenshot(view->locationDetail(), u"cast-location-detail"_s);
        view->setMode(CastView::characters);
        settle(&stage.backdrop);
        CharacterDetail* detail = view->characterDetail();
        writeScreenshot(detail, u"cast-character-detail-top"_s);
        detail->verticalScrollBar()->setValue(detail->verticalScrollBar()->maximum());
        writeScreenshot(detail, u"cast-character-detail-bottom"_s);
        shootPage(detail, u"cast-character-detail-page"_s);
    }

    void emptyProduction()
    {
        AppState app;
        Project p = inCast(Project{});
        p.episodes.clear();
        ProjectSession session(p);
        Stage stage(app, session);
        CastView* view = stage.screen();
        QVERIFY(view);
        QCOMPARE(view->paneContent(), view->placeholder());
        stage.shoot(u"cast-empty-characters"_s);
        view->setMode(CastView::locations);
        QCOMPARE(view->placeholderText(), u"Select a location"_s);
        stage.shoot(u"cast-empty-locations"_s);
    }

    void newCharacterMenu()
    {
        AppState app;
        ProjectSession session(inCast(SampleFactory::lighthouse()));
        Stage stage(app, session);
        NewCharacterMenu* button = stage.screen()->newCharacterButton();
        writeScreenshot(button, u"cast-new-character-pill"_s);
        button->openMenu();
        QMenu* menu = button->menu();
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        writeScreenshot(menu, u"cast-new-character-menu"_s);
        menu->close();
    }

    void longTexts()
    {
        AppState app;
        Project p = inCast(SampleFactory::cloudFarmer());
        CastMember& first = p.cast[0];
        first.name = u"Wilhelmina Aurelia Thistlewood-Carrington of the Upper Cloud Terraces"_s.repeated(3);
        first.want = u"To bring the last rain cloud home before the festival, whatever it costs her brother"_s;
        first.bio = u"She grew up on the terraces above the cloud line. "_s.repeated(30);
        first.look = u"Tall, sun-browned, a braid to the waist, one silver earring. "_s.repeated(6);
        for (int i = 0; i < 3; ++i)
            first.relationships << CastRelationship{.otherID = p.cast.value(1).id,
                                                    .label = u"the one who knew her before the drought"_s};
        first.relationships << CastRelationship{.otherID = std::nullopt, .label = QString()};
        Location& place = p.locations[0];
        place.name = u"The Very Long Name of a Market Hall Under the Floating Reservoir"_s.repeated(2);
        place.mood = u"Humid, crowded, electric, smelling of wet canvas and frying dough"_s;
        ProjectSession session(p);
        Stage stage(app, session);
        CastView* view = stage.screen();
        view->selectCharacter(first.id);
        stage.shoot(u"cast-long-texts-characters"_s);
        shootPage(view->characterDetail(), u"cast-long-texts-detail-page"_s);
        view->setMode(CastView::locations);
        view->selectLocation(place.id);
        stage.shoot(u"cast-long-texts-locations"_s);
    }

    void assistRunning()
    {
        ScriptedModel model;
        model.install();
        model.hold();
        AppState app;
        Project p = inCast(SampleFactory::counterCulture());
        p.cast[0].bio.clear(); // something to ask for
        ProjectSession session(p);
        Stage stage(app, session);
        CastView* view = stage.screen();
        view->selectCharacter(p.cast[0].id);
        QTest::mouseClick(view->characterDetail()->assistLink(), Qt::LeftButton);
        QVERIFY(session.aiBusy());
        QTRY_VERIFY(model.requestCount() > 0);
        stage.shoot(u"cast-assist-running"_s);
        model.release();
        QTRY_VERIFY(!session.aiBusy());
    }
};

QTEST_MAIN(CastScreensTest)
#include "CastScreensTest.moc"
