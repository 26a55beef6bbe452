// Every object of every window, read as a screen reader reads it: none says
// its name again as its description (a reader speaks both, one after the
// other). Walked over each sample's nine screens, Home with the
// new-production sheet at both of its steps, and every Settings section.

#include "app/MainWindow.h"
#include "design/Theme.h"
#include "services/SampleFactory.h"
#include "state/AppState.h"
#include "support/Listening.h"
#include "views/home/NewProjectSheet.h"
#include "views/settings/SettingsWindow.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QSet>
#include <QTest>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

void collect(QAccessibleInterface* iface, QSet<QAccessibleInterface*>& seen, QStringList& said)
{
    if (!iface || !iface->isValid() || seen.contains(iface))
        return;
    seen.insert(iface);
    const QString name = iface->text(QAccessible::Name);
    if (!name.isEmpty() && iface->text(QAccessible::Description) == name) {
        const char* kind = iface->object() ? iface->object()->metaObject()->className() : "painted item";
        said << QString::fromLatin1(kind) + u": "_s + name;
    }
    for (int i = 0; i < iface->childCount(); ++i)
        collect(iface->child(i), seen, said);
}

// What says its name twice, in every window open now (shown or not).
QStringList saidTwice()
{
    QSet<QAccessibleInterface*> seen;
    QStringList said;
    for (QWidget* window : QApplication::topLevelWidgets())
        collect(QAccessible::queryAccessibleInterface(window), seen, said);
    return said;
}

} // namespace

class HeardOnceTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        test::listen();
        Theme::install(*qApp);
    }

    void noNameIsSaidAsItsDescription_data()
    {
        QTest::addColumn<qsizetype>("sample");
        for (qsizetype i = 0; i < SampleFactory::registry().size(); ++i)
            QTest::newRow(qPrintable(SampleFactory::registry()[i].id)) << i;
    }

    void noNameIsSaidAsItsDescription()
    {
        QFETCH(qsizetype, sample);
        AppState app;
        MainWindow window(app);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        app.openProject(SampleFactory::registry()[sample].make());
        for (QAction* phase : window.phaseActions()) {
            phase->trigger();
            QVERIFY2(saidTwice().isEmpty(), qPrintable(phase->text() + u": "_s + saidTwice().join(u", "_s)));
        }

        window.newProjectAction()->trigger();
        QTRY_VERIFY(NewProjectSheet::openFor(app));
        NewProjectSheet* sheet = NewProjectSheet::openFor(app);
        QCOMPARE(saidTwice(), QStringList());
        sheet->pickFormat(ProjectFormat::shortFilm);
        QCOMPARE(saidTwice(), QStringList());
        sheet->closeButton()->click();

        SettingsWindow* settings = SettingsWindow::present(app);
        for (const auto tab : {SettingsWindow::Tab::general, SettingsWindow::Tab::ai, SettingsWindow::Tab::updates}) {
            settings->setCurrentTab(tab);
            QCOMPARE(saidTwice(), QStringList());
        }
        settings->close();
    }
};

QTEST_MAIN(HeardOnceTest)
#include "HeardOnceTest.moc"
