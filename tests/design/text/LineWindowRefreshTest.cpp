// A refresh that gives a one-line field a long text: the line edit is given
// its window of it and never the whole text on the way, so a megabyte is
// neither shaped nor announced to a reader at once. What the line edit is
// given shows in the text events it sends, heard here with accessibility on.
// And a refresh of a field the user is writing in while the keyboard is
// elsewhere for a moment (a sheet in the window, another window) carries the
// caret through the change, in one-line fields and growing editors alike.

#include "design/text/LineWindow.h"
#include "design/text/PlainTextEditor.h"
#include "design/text/PlainTextField.h"
#include "design/text/SleekTextEditor.h"
#include "design/text/SleekTextField.h"
#include "design/DesignSystem.h"
#include "design/style/Theme.h"
#include "support/Listening.h"
#include "support/LongTexts.h"

#include <QApplication>
#include <QLineEdit>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QtTest>

#include <functional>

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

    // The premise the user writes in, an assist's sheet over it (a control
    // of the window holds the keyboard, or a window of its own is active),
    // the assist's answer lands, the keyboard comes back: the keys go after
    // the new text.
    void aRefreshWhileTheKeyboardIsElsewhereKeepsTheCaret_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("otherWindow");
        for (const QString& kind : {u"plain field"_s, u"captioned field"_s, u"plain editor"_s, u"captioned editor"_s}) {
            QTest::addRow("%s, a control of the window", qPrintable(kind)) << kind << false;
            QTest::addRow("%s, another window", qPrintable(kind)) << kind << true;
        }
    }
    void aRefreshWhileTheKeyboardIsElsewhereKeepsTheCaret()
    {
        QFETCH(QString, kind);
        QFETCH(bool, otherWindow);
        QWidget window;
        auto* column = new QVBoxLayout(&window);
        QWidget* input = nullptr;
        std::function<void(const QString&)> refresh;
        std::function<QString()> text;
        if (kind.endsWith(u"field")) {
            QLineEdit* edit = nullptr;
            if (kind.startsWith(u"plain")) {
                auto* field = new PlainTextField(QString(), Theme::font(13));
                refresh = [field](const QString& t) { field->setText(t); };
                text = [field] { return field->text(); };
                edit = field->lineEdit();
                column->addWidget(field);
            } else {
                auto* field = new SleekTextField(u"Premise"_s, QString());
                refresh = [field](const QString& t) { field->setText(t); };
                text = [field] { return field->text(); };
                edit = field->lineEdit();
                column->addWidget(field);
            }
            input = edit;
        } else {
            QTextEdit* edit = nullptr;
            if (kind.startsWith(u"plain")) {
                auto* editor = new PlainTextEditor(QString(), Theme::font(13));
                refresh = [editor](const QString& t) { editor->setText(t); };
                text = [editor] { return editor->text(); };
                edit = editor->textEdit();
                column->addWidget(editor);
            } else {
                auto* editor = new SleekTextEditor(u"Premise"_s, QString(), 60, 15);
                refresh = [editor](const QString& t) { editor->setText(t); };
                text = [editor] { return editor->text(); };
                edit = editor->textEdit();
                column->addWidget(editor);
            }
            input = edit;
        }
        auto* sheet = new QLineEdit(&window);
        column->addWidget(sheet);
        refresh(u"abc"_s);
        window.resize(500, 300);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        input->setFocus(Qt::MouseFocusReason);
        QTRY_VERIFY(input->hasFocus());
        QTest::keyClick(input, Qt::Key_End);

        QWidget other;
        if (otherWindow) {
            other.show();
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other));
        } else {
            sheet->setFocus(Qt::OtherFocusReason);
        }
        QTRY_VERIFY(!input->hasFocus());
        const QString drafted = u"A keeper counts the ships that never come."_s;
        refresh(drafted);
        if (otherWindow) {
            other.hide();
            window.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&window));
        }
        input->setFocus(Qt::OtherFocusReason);
        QTRY_VERIFY(input->hasFocus());
        QTest::keyClicks(input, u"KKK"_s);
        QCOMPARE(text(), drafted + u"KKK"_s);
    }
};

QTEST_MAIN(LineWindowRefreshTest)
#include "LineWindowRefreshTest.moc"
