// The Storyboard scene's heading on screens at 100 %, 150 % and 200 %: at the
// window's least size the time of day shows whole beside or under the
// location, the location menu its whole name; in a wide window it all stands
// on one line.

#include "design/widgets/HorizontalStrip.h"
#include "design/widgets/MenuButton.h"
#include "design/widgets/PillPicker.h"
#include "design/DesignSystem.h"
#include "services/SampleFactory.h"
#include "state/AppState.h"
#include "state/ProjectSession.h"
#include "support/WorkspaceStage.h"
#include "views/phases/storyboard/SceneEditor.h"
#include "views/phases/storyboard/StoryboardView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QScreen>
#include <QTemporaryFile>
#include <QtTest>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

// Whether every pill of the picker is on screen whole, clipped by nothing.
bool wholeOnScreen(const PillPicker* picker)
{
    for (int i = 0; i < picker->count(); ++i) {
        const QAbstractButton* pill = picker->pill(i);
        if (!pill->isVisible() || pill->visibleRegion() != QRegion(pill->rect()))
            return false;
    }
    return true;
}

} // namespace

class StoryboardScalesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { DesignSystem::install(*qApp); }

    void headingShowsTheTimeOfDayAndTheLocationWhole_data()
    {
        QTest::addColumn<int>("screen");
        QTest::addColumn<QString>("custom"); // a location name of the scene's own, or none
        const QString longName = u"The abandoned desalination plant beyond the northern salt flats"_s;
        for (int i = 0; i < QGuiApplication::screens().size(); ++i) {
            const QString name = QGuiApplication::screens().at(i)->name();
            QTest::addRow("%s, sample location", qPrintable(name)) << i << QString();
            QTest::addRow("%s, long own name", qPrintable(name)) << i << longName;
        }
    }

    void headingShowsTheTimeOfDayAndTheLocationWhole()
    {
        QFETCH(int, screen);
        QFETCH(QString, custom);
        Project p = SampleFactory::lighthouse();
        p.activePhase = PhaseID::scenes;
        if (!custom.isEmpty()) {
            SceneCard& scene = p.episodes.first().scenes.first();
            scene.locationID.reset();
            scene.locationText = custom;
        }
        QScreen* on = QGuiApplication::screens().at(screen);
        for (const QSize size : {QSize(1080, 700), QSize(1600, 1000)}) {
            AppState app;
            ProjectSession session(p);
            test::WorkspaceStage<StoryboardView> stage(app, session, size, false);
            stage.backdrop.setScreen(on);
            stage.backdrop.move(on->geometry().topLeft() + QPoint(20, 20));
            stage.backdrop.show();
            QVERIFY(QTest::qWaitForWindowExposed(&stage.backdrop));
            QCOMPARE(stage.backdrop.devicePixelRatioF(), on->devicePixelRatio());
            SceneEditor* editor = stage.screen()->editor();

            QTRY_VERIFY(wholeOnScreen(editor->timePicker()));
            QVERIFY(editor->locationMenu()->width() >= editor->locationMenu()->sizeHint().width());
            QCOMPARE(editor->locationMenu()->label(), custom.isEmpty() ? p.locations.first().name : custom);
            if (size.width() > 1080 && custom.isEmpty()) {
                // One line, the time of day level with interior and exterior.
                const auto middle = [editor](QWidget* w) { return w->mapTo(editor, w->rect().center()).y(); };
                QTRY_VERIFY(qAbs(middle(editor->timePicker()) - middle(editor->settingPicker())) <= 1);
                QVERIFY(qAbs(middle(editor->locationMenu()) - middle(editor->settingPicker())) <= 1);
            }
        }
    }
};

int main(int argc, char** argv)
{
    // Three screens, at 100 %, 150 % and 200 % (a logical 96 dpi is 100 %),
    // each holding the widest window at its scale.
    QTemporaryFile config;
    if (!config.open())
        return 1;
    config.write(R"({"screens": [
        {"name": "100%", "x": 0, "y": 0, "width": 3600, "height": 2400, "logicalDpi": 96, "logicalBaseDpi": 96},
        {"name": "150%", "x": 3600, "y": 0, "width": 3600, "height": 2400, "logicalDpi": 144, "logicalBaseDpi": 96},
        {"name": "200%", "x": 7200, "y": 0, "width": 3600, "height": 2400, "logicalDpi": 192, "logicalBaseDpi": 96}]})");
    config.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config.fileName()));
    QApplication app(argc, argv);
    StoryboardScalesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "StoryboardScalesTest.moc"
