// Every object of every window, read as a screen reader reads it: none says
// its name again as its description (a reader speaks both, one after the
// other), and none a reader can land on, or that describes itself, is
// without a name (a reader announces an object by its name, and says
// nothing of one without). Walked over each sample's nine screens, Home with
// the new-production sheet at both of its steps, and every Settings section,
// hidden parts too: a reader walks the whole tree.

#include "app/MainWindow.h"
#include "views/shell/RootView.h"
#include "design/DesignSystem.h"
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

// Roles of what holds other objects: a reader names the control it lands
// on inside, not these.
bool isContainer(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::Client:
    case QAccessible::Pane:
    case QAccessible::Grouping:
    case QAccessible::Window:
    case QAccessible::Dialog:
    case QAccessible::Document:
    case QAccessible::ScrollBar:
    case QAccessible::List:
    case QAccessible::PageTabList:
    case QAccessible::MenuBar:
    case QAccessible::PopupMenu:
        return true;
    default:
        return false;
    }
}

void collect(QAccessibleInterface* iface, QSet<QAccessibleInterface*>& seen, QStringList& misheard)
{
    if (!iface || !iface->isValid() || seen.contains(iface))
        return;
    seen.insert(iface);
    const QString name = iface->text(QAccessible::Name);
    const QString description = iface->text(QAccessible::Description);
    const QString kind = QString::fromLatin1(iface->object() ? iface->object()->metaObject()->className()
                                                             : "painted item");
    if (!name.isEmpty() && description == name)
        misheard << u"said twice: "_s + kind + u": "_s + name;
    if (name.isEmpty() && !description.isEmpty())
        misheard << u"described without a name: "_s + kind + u": "_s + description.left(60);
    else if (name.isEmpty() && iface->state().focusable && !isContainer(iface->role()))
        misheard << u"focusable without a name: "_s + kind;
    for (int i = 0; i < iface->childCount(); ++i)
        collect(iface->child(i), seen, misheard);
}

// What a reader would hear wrong in every window open now (shown or not).
QStringList misheard()
{
    QSet<QAccessibleInterface*> seen;
    QStringList misheard;
    for (QWidget* window : QApplication::topLevelWidgets())
        collect(QAccessible::queryAccessibleInterface(window), seen, misheard);
    return misheard;
}

} // namespace

class HeardOnceTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        test::listen();
        DesignSystem::install(*qApp);
    }

    void everyObjectIsHeardByOneName_data()
    {
        QTest::addColumn<qsizetype>("sample");
        for (qsizetype i = 0; i < SampleFactory::registry().size(); ++i)
            QTest::newRow(qPrintable(SampleFactory::registry()[i].id)) << i;
    }

    void everyObjectIsHeardByOneName()
    {
        QFETCH(qsizetype, sample);
        AppState app;
        MainWindow window(app);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        app.openProject(SampleFactory::registry()[sample].make());
        for (QAction* phase : window.phaseActions()) {
            phase->trigger();
            QVERIFY2(misheard().isEmpty(), qPrintable(phase->text() + u": "_s + misheard().join(u", "_s)));
        }

        window.newProjectAction()->trigger();
        QTRY_VERIFY(NewProjectSheet::openFor(app));
        NewProjectSheet* sheet = NewProjectSheet::openFor(app);
        QCOMPARE(misheard(), QStringList());
        sheet->pickFormat(ProjectFormat::shortFilm);
        QCOMPARE(misheard(), QStringList());
        sheet->closeButton()->click();

        SettingsWindow* settings = SettingsWindow::present(app, window.rootView()->content());
        for (const auto tab : {SettingsWindow::Tab::general, SettingsWindow::Tab::ai, SettingsWindow::Tab::updates}) {
            settings->setCurrentTab(tab);
            QCOMPARE(misheard(), QStringList());
        }
        settings->close();
    }
};

QTEST_MAIN(HeardOnceTest)
#include "HeardOnceTest.moc"
