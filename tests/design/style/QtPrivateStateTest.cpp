// The program reaches into Qt's private state only where the running Qt is
// the one it was built with; each way that does keeps to Qt's plain behaviour
// where it is not: a line edit still tells a reader where its characters are,
// a text made new for readers stays the object they know, and a tag field
// deleted with a draft commits nothing (the private check that it is not
// being destroyed with its screen is out of reach).

#include "design/access/AccessibleFocus.h"
#include "design/style/QtPrivateState.h"
#include "design/DesignSystem.h"
#include "design/widgets/TagField.h"
#include "support/Listening.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

using namespace studio;
using namespace Qt::StringLiterals;

class QtPrivateStateTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        test::listen();
        DesignSystem::install(*qApp);
        QVERIFY(QtPrivateState::runningQtIsBuildQt());
    }
    void cleanup() { QtPrivateState::assumeRunningQtIsBuildQt(true); }

    void onlyTheSameQtIsReached_data()
    {
        QTest::addColumn<QString>("running");
        QTest::addColumn<QString>("built");
        QTest::addColumn<bool>("same");
        QTest::newRow("the same") << u"6.4.2"_s << u"6.4.2"_s << true;
        QTest::newRow("another patch") << u"6.4.3"_s << u"6.4.2"_s << false;
        QTest::newRow("another minor") << u"6.5.2"_s << u"6.4.2"_s << false;
        QTest::newRow("a longer number") << u"6.4.2.1"_s << u"6.4.2"_s << false;
        QTest::newRow("a suffix") << u"6.4.2-rc1"_s << u"6.4.2"_s << false;
        QTest::newRow("no patch") << u"6.4"_s << u"6.4"_s << false;
        QTest::newRow("nothing") << QString() << u"6.4.2"_s << false;
    }
    void onlyTheSameQtIsReached()
    {
        QFETCH(QString, running);
        QFETCH(QString, built);
        QFETCH(bool, same);
        QCOMPARE(QtPrivateState::sameQt(running, built), same);
    }

    void aLineEditPlacesItsCharactersEitherWay()
    {
        QLineEdit edit(u"Working title"_s);
        edit.resize(300, 30);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        edit.setCursorPosition(4);
        QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(&edit)->textInterface();
        QList<QRect> laidOut;
        for (int i = 0; i < edit.text().size(); ++i)
            laidOut << text->characterRect(i);
        QtPrivateState::assumeRunningQtIsBuildQt(false);
        for (int i = 0; i < edit.text().size(); ++i) {
            const QRect measured = text->characterRect(i);
            QVERIFY2(std::abs(measured.x() - laidOut[i].x()) <= 1 && measured.y() == laidOut[i].y()
                         && measured.size() == laidOut[i].size(),
                     qPrintable(u"%1: %2 against %3"_s.arg(i).arg(measured.x()).arg(laidOut[i].x())));
        }
    }

    void aTextMadeNewStaysTheSameWithoutTheCache()
    {
        QWidget widget;
        const QAccessible::Id known = QAccessible::uniqueId(QAccessible::queryAccessibleInterface(&widget));
        QtPrivateState::assumeRunningQtIsBuildQt(false);
        AccessibleFocus::standsAnew(&widget);
        QCOMPARE(QAccessible::uniqueId(QAccessible::queryAccessibleInterface(&widget)), known);
        QtPrivateState::assumeRunningQtIsBuildQt(true);
        AccessibleFocus::standsAnew(&widget);
        QVERIFY(QAccessible::uniqueId(QAccessible::queryAccessibleInterface(&widget)) != known);
    }

    void aTagFieldDeletedCommitsOnlyWhereItCanTell_data()
    {
        QTest::addColumn<bool>("sameQt");
        QTest::newRow("the same Qt") << true;
        QTest::newRow("another Qt") << false;
    }
    void aTagFieldDeletedCommitsOnlyWhereItCanTell()
    {
        QFETCH(bool, sameQt);
        QtPrivateState::assumeRunningQtIsBuildQt(sameQt);
        QWidget page;
        auto* field = new TagField(u"Mood words"_s, &page);
        field->draftEdit()->setText(u"noir"_s);
        QSignalSpy edited(field, &TagField::tagsEdited);
        delete field;
        QCOMPARE(edited.size(), sameQt ? 1 : 0);
    }
};

QTEST_MAIN(QtPrivateStateTest)
#include "QtPrivateStateTest.moc"
