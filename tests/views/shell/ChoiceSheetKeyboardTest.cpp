// The choice sheet comes with an assist's reply, whenever that arrives: the
// keys the user goes on typing after it opens choose nothing, and what was
// typed before it stays in the production until an option is picked on
// purpose.

#include "support/AssistFixtures.h"
#include "support/FocusPictures.h"
#include "support/Listening.h"

#include "design/style/Theme.h"
#include "design/text/GrowingTextEdit.h"
#include "design/text/PlainTextEditor.h"
#include "design/text/PlainTextField.h"
#include "design/text/SleekTextEditor.h"
#include "design/widgets/ToolbarIconButton.h"
#include "state/AppState.h"
#include "views/phases/spark/SparkView.h"
#include "views/shell/AIChoiceSheet.h"
#include "views/shell/ProjectWorkspaceView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QtTest>

#include <string>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;

namespace {

enum class Field { logline, premise, argument };

QString fieldOf(const Project& p, Field field)
{
    switch (field) {
    case Field::logline:
        return p.idea.logline;
    case Field::premise:
        return p.idea.premise;
    case Field::argument:
        return p.idea.argument;
    }
    return {};
}

} // namespace

class ChoiceSheetKeyboardTest : public QObject {
    Q_OBJECT

private:
    ScriptedModel model;

private Q_SLOTS:
    void initTestCase()
    {
        listen();
        Theme::install(*qApp);
    }

    void init()
    {
        model = ScriptedModel();
        model.install();
    }

    void cleanup() { ScriptedModel::uninstall(); }

    void aReplyLandingMidTypingTakesNoKey_data()
    {
        QTest::addColumn<Field>("field");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QString>("picked");
        QTest::newRow("premise") << Field::premise << u"Draft the premise"_s << u"{\"premise\":\"Drafted\"}"_s
                                 << u"Drafted"_s;
        QTest::newRow("logline") << Field::logline << u"Sharpen my logline (3 options)"_s
                                 << u"{\"options\":[\"A\",\"B\",\"C\"]}"_s << u"A"_s;
        QTest::newRow("argument") << Field::argument << u"Suggest themes & argument"_s
                                  << u"{\"themes\":[\"Tides\"],\"argument\":\"Drafted\"}"_s << u"Drafted"_s;
    }

    void aReplyLandingMidTypingTakesNoKey()
    {
        QFETCH(Field, field);
        QFETCH(QString, entry);
        QFETCH(QString, reply);
        QFETCH(QString, picked);
        AppState app;
        Project project;
        project.activePhase = PhaseID::spark;
        ProjectSession& session = openSession(app, project);
        ProjectWorkspaceView workspace(app, session);
        workspace.resize(1080, 700);
        workspace.show();
        QVERIFY(QTest::qWaitForWindowActive(&workspace));
        auto* spark = qobject_cast<SparkView*>(workspace.phaseScreen());
        QVERIFY(spark);
        QWidget* input = field == Field::logline   ? static_cast<QWidget*>(spark->loglineEditor()->textEdit())
                         : field == Field::premise ? static_cast<QWidget*>(spark->findChild<SleekTextEditor*>()->textEdit())
                                                   : spark->argumentField()->lineEdit();
        const auto shown = [&] {
            if (auto* edit = qobject_cast<QLineEdit*>(input))
                return edit->text();
            return static_cast<GrowingTextEdit*>(input)->toPlainText();
        };
        input->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), input);

        model.hold();
        model.reply(reply);
        QVERIFY(runEntry(session, entry));
        QTest::keyClicks(input, u"I typed"_s);
        model.release();
        QTRY_VERIFY(workspace.choiceSheet());
        QPointer<AIChoiceSheet> sheet = workspace.choiceSheet();
        QTRY_VERIFY(sheet->isActiveWindow());
        // Typing on, Space and Return included, wherever the keyboard is now.
        for (const char key : std::string(" on and on\r ")) {
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
            if (!target)
                break; // nothing left to take the keys
            QTest::keyClick(target, key);
        }

        QCOMPARE(shown(), u"I typed"_s);
        QCOMPARE(fieldOf(session.project(), field), u"I typed"_s);
        QVERIFY(sheet && sheet->isVisible());
        QVERIFY(session.choicePrompt());

        // The keyboard rests on the sheet, heard by its title and with the
        // title ringed; Tab goes on to the options, and only an option picked
        // on purpose replaces the text.
        QCOMPARE(QApplication::focusWidget(), sheet.data());
        QCOMPARE(lastFocus().object, sheet.data());
        QCOMPARE(lastFocus().name, session.choicePrompt()->title);
        auto* title = sheet->findChild<QWidget*>(u"choiceTitle"_s);
        const QImage resting = pictureInWindow(title);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), sheet->closeButton());
        QVERIFY(showsRing(pictureInWindow(title), resting));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), sheet->optionCards().first());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(fieldOf(session.project(), field), picked);
        QTRY_VERIFY(!sheet);
    }
};

QTEST_MAIN(ChoiceSheetKeyboardTest)
#include "ChoiceSheetKeyboardTest.moc"
