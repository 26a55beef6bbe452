#include "support/Listening.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

using namespace studio::test;

// The accessibility tests stand on hearing what Qt would send a reader.
class ListeningTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void hearsFocusStateAndText()
    {
        listen();
        QVERIFY(QAccessible::isActive());
        QWidget window;
        auto* column = new QVBoxLayout(&window);
        auto* field = new QLineEdit(&window);
        field->setAccessibleName(QStringLiteral("Title"));
        auto* box = new QCheckBox(QStringLiteral("Loud"), &window);
        column->addWidget(field);
        column->addWidget(box);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        heard().clear();

        box->setFocus();
        field->setFocus();
        QTest::keyClicks(field, QStringLiteral("ab"));
        box->click();

        QCOMPARE(lastFocus().name, QStringLiteral("Title"));
        QCOMPARE(lastFocus().object, field);
        QStringList typed;
        for (const HeardEvent& e : heardOf(QAccessible::TextInserted))
            typed << e.text;
        QCOMPARE(typed, (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
        const QList<HeardEvent> states = heardOf(QAccessible::StateChanged);
        QVERIFY(std::any_of(states.cbegin(), states.cend(),
                            [box](const HeardEvent& e) { return e.object == box && e.changed.checked && e.state.checked; }));
    }
};

QTEST_MAIN(ListeningTest)
#include "ListeningTest.moc"
