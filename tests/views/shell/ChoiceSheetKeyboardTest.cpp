// The choice sheet comes with an assist's reply, whenever that arrives: it
// waits while the user types on, so every key lands in the field it was typed
// in, and then opens with the keyboard on itself, where no key chooses
// anything; what was typed stays in the production until an option is picked
// on purpose. A tag half typed when it opens is no tag yet: it waits in its
// field, where the keyboard goes back when the sheet closes.

#include "support/AssistFixtures.h"
#include "support/FocusPictures.h"
#include "support/Listening.h"

#include "design/DesignSystem.h"
#include "design/text/GrowingTextEdit.h"
#include "design/text/PlainTextEditor.h"
#include "design/text/PlainTextField.h"
#include "design/text/SleekTextEditor.h"
#include "design/widgets/TagField.h"
#include "design/widgets/ToolbarIconButton.h"
#include "state/AppState.h"
#include "views/phases/look/LookView.h"
#include "views/phases/look/MoodCard.h"
#include "views/phases/spark/SparkView.h"
#include "views/shell/AIChoiceSheet.h"
#include "views/shell/ProjectWorkspaceView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QtTest>


using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;

namespace {

enum class Field { logline, premise, argument };
enum class Close { esc, xmark, option };

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
        DesignSystem::install(*qApp);
    }

    void init()
    {
        model = ScriptedModel();
        model.install();
    }

    void cleanup() { ScriptedModel::uninstall(); }

    // Typing on at a steady rhythm while the reply lands: the sheet waits
    // until the keyboard rests, every key stays in the field, in order, and
    // none chooses an option. Then it opens with the keyboard on itself,
    // heard by its title: Space and Return there choose nothing, Tab goes on
    // to the options, and only an option picked on purpose replaces the text.
    void typingOnAcrossAnArrivingSheetLosesNothing_data()
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

    void typingOnAcrossAnArrivingSheetLosesNothing()
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
        // A key every tenth of a second, Space among them; the reply lands
        // after the third.
        const QString typed = u"I typed on and on"_s;
        for (qsizetype i = 0; i < typed.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), typed.at(i).toLatin1());
            if (i == 2)
                model.release();
            QTest::qWait(100);
            QVERIFY(!workspace.choiceSheet() || !workspace.choiceSheet()->isVisible());
        }
        QTRY_VERIFY(workspace.choiceSheet() && workspace.choiceSheet()->isVisible());
        QPointer<AIChoiceSheet> sheet = workspace.choiceSheet();
        QCOMPARE(shown(), typed);
        QCOMPARE(fieldOf(session.project(), field), typed);

        QCOMPARE(QApplication::focusWidget(), sheet.data());
        QCOMPARE(lastFocus().object, sheet.data());
        QCOMPARE(lastFocus().name, session.choicePrompt()->title);
        for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_A})
            QTest::keyClick(QApplication::focusWidget(), key);
        QCOMPARE(shown(), typed);
        QVERIFY(sheet && sheet->isVisible());
        QVERIFY(session.choicePrompt());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), sheet->closeButton());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), sheet->optionCards().first());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(fieldOf(session.project(), field), picked);
        QTRY_VERIFY(!sheet);
        QCOMPARE(QApplication::focusWidget(), input);
    }

    // The sheet's title is ringed for the keyboard only: opened after the
    // pointer was used last, it shows none until a key is pressed.
    void theTitleIsRingedOnlyForTheKeyboard()
    {
        AppState app;
        Project project;
        project.activePhase = PhaseID::spark;
        project.idea.logline = u"A keeper of a lighthouse"_s;
        ProjectSession& session = openSession(app, project);
        ProjectWorkspaceView workspace(app, session);
        workspace.resize(1080, 700);
        workspace.show();
        QVERIFY(QTest::qWaitForWindowActive(&workspace));
        auto* spark = qobject_cast<SparkView*>(workspace.phaseScreen());
        QTest::mouseClick(spark->argumentField()->lineEdit(), Qt::LeftButton);
        model.reply(u"{\"options\":[\"A\",\"B\",\"C\"]}"_s);
        QVERIFY(runEntry(session, u"Sharpen my logline (3 options)"_s));
        QTRY_VERIFY(workspace.choiceSheet() && workspace.choiceSheet()->isVisible());
        AIChoiceSheet* sheet = workspace.choiceSheet();
        QCOMPARE(QApplication::focusWidget(), sheet);
        auto* title = sheet->findChild<QWidget*>(u"choiceTitle"_s);
        const QImage afterThePointer = pictureInWindow(title);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
        QVERIFY(showsRing(afterThePointer, pictureInWindow(title)));
        sheet->reject();
    }

    void aSheetOpeningMidTagKeepsTheDraft_data()
    {
        QTest::addColumn<PhaseID>("phase");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("reply");
        QTest::addColumn<Close>("close");
        QTest::newRow("mood words, Esc") << PhaseID::look << u"Recommend a look"_s
                                         << u"{\"moodWords\":[\"Elegiac\"],\"why\":\"Because\"}"_s << Close::esc;
        QTest::newRow("themes, xmark") << PhaseID::spark << u"Sharpen my logline (3 options)"_s
                                       << u"{\"options\":[\"A\",\"B\",\"C\"]}"_s << Close::xmark;
        QTest::newRow("themes, an option") << PhaseID::spark << u"Sharpen my logline (3 options)"_s
                                           << u"{\"options\":[\"A\",\"B\",\"C\"]}"_s << Close::option;
    }

    void aSheetOpeningMidTagKeepsTheDraft()
    {
        // The draft of a tag is the user's until they leave it; a sheet that
        // opens by itself is no leaving: the draft waits, and the keyboard
        // comes back to it, where it was, when the sheet closes.
        QFETCH(PhaseID, phase);
        QFETCH(QString, entry);
        QFETCH(QString, reply);
        QFETCH(Close, close);
        AppState app;
        Project project;
        project.activePhase = phase;
        project.idea.logline = u"A keeper of a lighthouse"_s;
        project.idea.themes = {u"Tides"_s};
        project.look.moodWords = {u"Tender"_s};
        ProjectSession& session = openSession(app, project);
        ProjectWorkspaceView workspace(app, session);
        workspace.resize(1080, 700);
        workspace.show();
        QVERIFY(QTest::qWaitForWindowActive(&workspace));
        TagField* field = phase == PhaseID::look
            ? qobject_cast<LookView*>(workspace.phaseScreen())->moodCard()->moodWords()
            : qobject_cast<SparkView*>(workspace.phaseScreen())->themesField();
        const QStringList before = field->tags();
        QLineEdit* draft = field->draftEdit();
        draft->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), draft);

        model.hold();
        model.reply(reply);
        QVERIFY(runEntry(session, entry));
        QTest::keyClicks(draft, u"lword"_s);
        QTest::keyClick(draft, Qt::Key_Home);
        QTest::keyClick(draft, Qt::Key_Right);
        model.release();
        QTRY_VERIFY(workspace.choiceSheet() && workspace.choiceSheet()->isVisible());
        QPointer<AIChoiceSheet> sheet = workspace.choiceSheet();
        QCOMPARE(field->tags(), before);
        QCOMPARE(draft->text(), u"lword"_s);

        if (close == Close::esc)
            QTest::keyClick(sheet, Qt::Key_Escape);
        else if (close == Close::xmark)
            QTest::mouseClick(sheet->closeButton(), Qt::LeftButton);
        else
            QTest::mouseClick(sheet->optionCards().first(), Qt::LeftButton);
        QTRY_VERIFY(!sheet);
        QTRY_COMPARE(QApplication::focusWidget(), draft);
        QCOMPARE(draft->cursorPosition(), 1);
        QTest::keyClicks(draft, u"ong"_s);
        QTest::keyClick(draft, Qt::Key_Return);
        QCOMPARE(field->tags(), before + QStringList{u"longword"_s});
        QCOMPARE(phase == PhaseID::look ? session.project().look.moodWords : session.project().idea.themes,
                 field->tags());
    }
};

QTEST_MAIN(ChoiceSheetKeyboardTest)
#include "ChoiceSheetKeyboardTest.moc"
