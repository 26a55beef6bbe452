// A refresh that gives a one-line field a long text: the line edit is given
// its window of it and never the whole text on the way, so a megabyte is
// neither shaped nor announced to a reader at once. What the line edit is
// given shows in the text events it sends, heard here with accessibility on.

#include "design/text/LineWindow.h"
#include "design/text/PlainTextField.h"
#include "design/DesignSystem.h"
#include "design/style/Theme.h"
#include "support/Listening.h"
#include "support/LongTexts.h"

#include <QApplication>
#include <QLineEdit>
#include <QtTest>

using namespace studio;
using namespace Qt::StringLiterals;

class LineWindowRefreshTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        test::listen();
        DesignSystem::install(*static_cast<QApplication*>(QCoreApplication::instance()));
    }

    void aLongTextReachesTheLineEditAsItsWindowOnly_data()
    {
        QTest::addColumn<bool>("focused");
        QTest::newRow("a field nobody is in") << false;
        QTest::newRow("the field the user is in") << true;
    }
    void aLongTextReachesTheLineEditAsItsWindowOnly()
    {
        QFETCH(bool, focused);
        PlainTextField field(QString(), Theme::font(13));
        field.setText(u"Point Meridian Light"_s);
        field.resize(400, field.sizeHint().height());
        field.show();
        QVERIFY(QTest::qWaitForWindowExposed(&field));
        if (focused) {
            field.activateWindow();
            field.lineEdit()->setFocus();
            QTRY_VERIFY(field.lineEdit()->hasFocus());
        }

        test::heard().clear();
        const QString text = test::prose(1'000'000);
        field.setText(text);
        QCOMPARE(field.text(), text);
        const qsizetype most = 2 * LineWindow::defaultWindowLength;
        QVERIFY(field.lineEdit()->text().size() <= most);
        QVERIFY(text.startsWith(field.lineEdit()->text()));
        for (const test::HeardEvent& e : std::as_const(test::heard())) {
            QVERIFY2(e.text.size() <= most && e.removed.size() <= most,
                     qPrintable(u"%1 characters in, %2 out"_s.arg(e.text.size()).arg(e.removed.size())));
        }
    }
};

QTEST_MAIN(LineWindowRefreshTest)
#include "LineWindowRefreshTest.moc"
