// The frameless text field and the growing text editors: only the user's
// edits are reported, a refresh keeps the caret with the text around it,
// Return can submit, a one-line field keeps a stored text of any length whole
// and lays it out in its own direction, and a text is laid out once per width
// it is shown at, however long. (How a one-line field edits a long text is
// LineFieldTest's.)

#include "design/text/GrowingTextEdit.h"
#include "design/text/LineWindow.h"
#include "design/style/Palette.h"
#include "design/text/PlainTextEditor.h"
#include "design/text/PlainTextField.h"
#include "design/widgets/ScrollColumn.h"
#include "design/text/SleekTextEditor.h"
#include "design/text/SleekTextField.h"
#include "design/widgets/TagField.h"
#include "design/DesignSystem.h"
#include "design/style/Theme.h"
#include "support/LongTexts.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextEdit>
#include <QtTest>

#include <functional>
#include <memory>

using namespace studio;
using studio::test::endlessWord;
using studio::test::prose;
using namespace Qt::StringLiterals;

namespace {
void placeCaret(QTextEdit* edit, int anchor, int position)
{
    QTextCursor c = edit->textCursor();
    c.setPosition(anchor);
    c.setPosition(position, QTextCursor::KeepAnchor);
    edit->setTextCursor(c);
}

// A page that scrolls holding the widget a few layouts deep, beside a column
// of its own, the way the screens hold their editors.
void putInPage(ScrollColumn& page, QWidget* widget)
{
    auto* card = new QWidget;
    auto* stack = new QVBoxLayout(card);
    stack->addWidget(widget);
    auto* side = new QWidget;
    side->setFixedSize(200, 300);
    auto* row = new QHBoxLayout;
    row->addWidget(card, 1);
    row->addWidget(side, 0, Qt::AlignTop);
    page.column()->setContentsMargins(24, 24, 24, 24);
    page.column()->addLayout(row);
    page.column()->addStretch(1);
}

// Whether the editor's text is laid out at the width it is shown at.
bool wrapsAtItsWidth(const QTextEdit* edit)
{
    return edit->document()->textWidth() == qreal(edit->viewport()->width());
}
} // namespace

class PlainTextTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { DesignSystem::install(*static_cast<QApplication*>(QCoreApplication::instance())); }

    void fieldReportsOnlyTheUsersEdits()
    {
        PlainTextField field(u"Working title"_s, Theme::font(13));
        QSignalSpy edited(&field, &PlainTextField::textEdited);
        field.setText(u"Night Ferry"_s);
        QCOMPARE(edited.size(), 0);
        // A field nobody is editing shows the start of its text.
        QCOMPARE(field.lineEdit()->cursorPosition(), 0);
        field.show();
        QVERIFY(QTest::qWaitForWindowExposed(&field));
        field.setFocus();
        QVERIFY(field.hasFocus());
        field.lineEdit()->setCursorPosition(5);
        QTest::keyClicks(field.lineEdit(), u"s"_s);
        QCOMPARE(edited.size(), 1);
        QCOMPARE(edited.last().at(0).toString(), u"Nights Ferry"_s);

        // A refresh with the same text does nothing; another text keeps the
        // caret's offset, and a selection stays selected.
        field.setText(u"Nights Ferry"_s);
        QCOMPARE(field.lineEdit()->cursorPosition(), 6);
        field.setText(u"Nights Ferry II"_s);
        QCOMPARE(field.lineEdit()->cursorPosition(), 6);
        field.lineEdit()->setSelection(7, 5);
        field.setText(u"Nights Ferry III"_s);
        QCOMPARE(field.lineEdit()->selectedText(), u"Ferry"_s);
        QCOMPARE(edited.size(), 1);
        QVERIFY(field.hasFocus());
    }

    // Qt's line edit holds 32,767 characters unless told otherwise: a longer
    // stored text was cut when shown, and the first keystroke saved the cut.
    // A long text is held by the line edit only around the caret, so every
    // edit must land in the whole text where the caret is.
    void lineFieldKeepsALongTextWhole_data()
    {
        QTest::addColumn<bool>("captioned");
        QTest::addColumn<QString>("text");
        QTest::newRow("plain, 40,000 characters") << false << prose(40'000);
        QTest::newRow("captioned, 40,000 characters in one word") << true << endlessWord(40'000);
        QTest::newRow("plain, a megabyte in one word") << false << endlessWord(1'000'000);
        QTest::newRow("captioned, a megabyte of prose") << true << prose(1'000'000);
    }
    void lineFieldKeepsALongTextWhole()
    {
        QFETCH(bool, captioned);
        QFETCH(QString, text);
        std::unique_ptr<QWidget> field;
        QLineEdit* edit = nullptr;
        std::function<QString()> whole;
        if (captioned) {
            auto* sleek = new SleekTextField(u"Synopsis"_s, QString());
            sleek->setText(text);
            edit = sleek->lineEdit();
            whole = [sleek] { return sleek->text(); };
            field.reset(sleek);
        } else {
            auto* plain = new PlainTextField(QString(), Theme::font(13));
            plain->setText(text);
            edit = plain->lineEdit();
            whole = [plain] { return plain->text(); };
            field.reset(plain);
        }
        QCOMPARE(whole(), text);
        QSignalSpy edited(field.get(), SIGNAL(textEdited(QString)));
        const auto reported = [&edited] { return edited.last().at(0).toString(); };
        field->resize(400, field->sizeHint().height());
        field->show();
        QVERIFY(QTest::qWaitForWindowExposed(field.get()));
        field->setFocus();

        QTest::keyClick(edit, Qt::Key_End);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edited.size(), 1);
        QCOMPARE(reported(), text.chopped(1));
        QTest::keyClicks(edit, u"!?"_s);
        QString expected = text.chopped(1) + u"!?"_s;
        QCOMPARE(reported(), expected);
        QTest::keyClick(edit, Qt::Key_Home);
        QTest::keyClicks(edit, u"«"_s);
        expected.prepend(u'«');
        QCOMPARE(reported(), expected);
        QCOMPARE(whole(), expected);

        // The caret taken near either end of what the line edit holds: the
        // keys typed there land there, and nothing else moves.
        edit->setCursorPosition(edit->text().size() - 2);
        QTest::keyClicks(edit, u"<"_s);
        edit->setCursorPosition(2);
        QTest::keyClicks(edit, u">"_s);
        const QString marked = reported();
        QVERIFY(marked.indexOf(u'<') >= 0 && marked.indexOf(u'>') >= 0);
        QCOMPARE(QString(marked).remove(u'<').remove(u'>'), expected);

        // Select all takes in the whole text, by its keys, by the Tab that
        // brings the focus in and by a triple click; typing then replaces all
        // of it.
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), marked);
        QTest::keyClick(edit, Qt::Key_End);
        edit->clearFocus();
        edit->setFocus(Qt::TabFocusReason);
        QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(reported(), QString());
        QCOMPARE(QApplication::clipboard()->text(), marked);
        QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(reported(), marked);
        QTest::keyClick(edit, Qt::Key_Left);
        const QPoint at = edit->rect().center();
        QTest::mouseClick(edit, Qt::LeftButton, {}, at);
        QTest::mousePress(edit, Qt::LeftButton, {}, at);
        QTest::mouseDClick(edit, Qt::LeftButton, {}, at);
        QTest::mousePress(edit, Qt::LeftButton, {}, at);
        QTest::mouseRelease(edit, Qt::LeftButton, {}, at);
        QTest::keyClicks(edit, u"x"_s);
        QCOMPARE(reported(), u"x"_s);
    }

    // The window is laid out in the whole text's direction: prose at the end
    // of a text that begins in Hebrew stands at the right, as in a line edit
    // holding all of it.
    void laysTheWindowOutInTheWholeTextsDirection_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("fromTheRight");
        QTest::newRow("right to left") << u"שלום "_s + prose(300) << true;
        QTest::newRow("left to right") << prose(300) << false;
    }
    void laysTheWindowOutInTheWholeTextsDirection()
    {
        QFETCH(QString, text);
        QFETCH(bool, fromTheRight);
        QLineEdit edit;
        edit.setFrame(false);
        auto* window = new LineWindow(&edit, 32);
        edit.resize(400, 30);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        window->setText(text);
        QTest::keyClick(&edit, Qt::Key_End);
        QVERIFY(window->windowStart() > 5);
        const QImage shot = edit.grab().toImage();
        const int ground = edit.palette().color(QPalette::Base).lightness();
        int firstInk = shot.width();
        for (int x = 0; x < shot.width() && firstInk == shot.width(); ++x) {
            for (int y = 0; y < shot.height(); ++y) {
                if (std::abs(QColor(shot.pixel(x, y)).lightness() - ground) > 96) {
                    firstInk = x;
                    break;
                }
            }
        }
        QCOMPARE(firstInk > edit.width() / 4, fromTheRight);
    }

    // A refresh of a field the user is in (an assist's answer, another tab's
    // edit) keeps the caret and the selection with the text around them, in
    // both kinds of one-line field; a field nobody is in shows its start
    // (LineWindowRefreshTest: the caret comes back with the keyboard).
    void refreshKeepsTheCaretWithItsText_data()
    {
        QTest::addColumn<bool>("captioned");
        QTest::newRow("plain") << false;
        QTest::newRow("captioned") << true;
    }
    void refreshKeepsTheCaretWithItsText()
    {
        QFETCH(bool, captioned);
        std::unique_ptr<QWidget> field;
        QLineEdit* edit = nullptr;
        std::function<void(const QString&)> setText;
        if (captioned) {
            auto* sleek = new SleekTextField(u"Logline"_s, QString());
            edit = sleek->lineEdit();
            setText = [sleek](const QString& text) { sleek->setText(text); };
            field.reset(sleek);
        } else {
            auto* plain = new PlainTextField(QString(), Theme::font(13));
            edit = plain->lineEdit();
            setText = [plain](const QString& text) { plain->setText(text); };
            field.reset(plain);
        }
        setText(u"The keeper counts the ships"_s);
        QCOMPARE(edit->cursorPosition(), 0);
        field->show();
        field->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(field.get()));
        field->setFocus();
        QVERIFY(edit->hasFocus());

        // The caret before "counts": words come in before it, and after it.
        edit->setCursorPosition(11);
        setText(u"At night the keeper counts the ships"_s);
        QCOMPARE(edit->cursorPosition(), 20);
        setText(u"At night the keeper counts all the ships"_s);
        QCOMPARE(edit->cursorPosition(), 20);
        QTest::keyClicks(edit, u"still "_s);
        QCOMPARE(edit->text(), u"At night the keeper still counts all the ships"_s);

        // A selection stays on its words.
        edit->setSelection(13, 6);
        QCOMPARE(edit->selectedText(), u"keeper"_s);
        setText(u"Tonight the keeper still counts all the ships"_s);
        QCOMPARE(edit->selectedText(), u"keeper"_s);
        // A word that changes under the caret leaves it after the new one.
        edit->setCursorPosition(14);
        setText(u"Tonight the warden still counts all the ships"_s);
        QCOMPARE(edit->cursorPosition(), 18);

        field->clearFocus();
        setText(u"A new text"_s);
        QCOMPARE(edit->cursorPosition(), 0);
    }

    void tagDraftKeepsAPasteWhole()
    {
        TagField field(u"Add a word"_s);
        field.show();
        QVERIFY(QTest::qWaitForWindowExposed(&field));
        const QString pasted = endlessWord(40'000);
        QApplication::clipboard()->setText(pasted);
        field.draftEdit()->setFocus();
        field.draftEdit()->paste();
        QTest::keyClick(field.draftEdit(), Qt::Key_Return);
        QCOMPARE(field.tags(), QStringList{pasted});
    }

    void editorReportsOnlyTheUsersEdits()
    {
        PlainTextEditor editor(u"Action"_s, Theme::font(12));
        QSignalSpy edited(&editor, &PlainTextEditor::textEdited);
        QVERIFY(editor.isPlaceholderShown());
        editor.setText(u"She waits.\nThe ferry horn."_s);
        QVERIFY(!editor.isPlaceholderShown());
        // Changes of the look are no edits.
        editor.setTextFont(Theme::font(14));
        editor.setTextColor(Palette::paperInk());
        editor.setTextMargin(3);
        QCOMPARE(edited.size(), 0);

        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        editor.setFocus();
        placeCaret(editor.textEdit(), 3, 3);
        QTest::keyClicks(editor.textEdit(), u"!"_s);
        QCOMPARE(edited.size(), 1);
        QCOMPARE(edited.last().at(0).toString(), u"She! waits.\nThe ferry horn."_s);

        placeCaret(editor.textEdit(), 5, 10);
        editor.setText(u"She! waits.\nThe ferry horn, twice."_s);
        QCOMPARE(editor.textEdit()->textCursor().anchor(), 5);
        QCOMPARE(editor.textEdit()->textCursor().position(), 10);
        QCOMPARE(edited.size(), 1);
        QVERIFY(editor.hasFocus());
    }

    void returnSubmitsWithoutALineBreak_data()
    {
        QTest::addColumn<bool>("submits");
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::newRow("return") << true << int(Qt::Key_Return) << Qt::KeyboardModifiers() << u"Wait for me"_s;
        QTest::newRow("enter") << true << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier)
                               << u"Wait for me"_s;
        QTest::newRow("shift+return") << true << int(Qt::Key_Return) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                      << u"Wait for me"_s;
        QTest::newRow("not submitting") << false << int(Qt::Key_Return) << Qt::KeyboardModifiers()
                                        << u"Wait\n for me"_s;
    }
    void returnSubmitsWithoutALineBreak()
    {
        QFETCH(bool, submits);
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        PlainTextEditor editor(u"Dialogue"_s, Theme::font(12));
        editor.setSubmitsOnReturn(submits);
        editor.setText(u"Wait for me"_s);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        editor.setFocus();
        placeCaret(editor.textEdit(), 4, 4);
        QSignalSpy submitted(&editor, &PlainTextEditor::submitted);
        QTest::keyClick(editor.textEdit(), Qt::Key(key), modifiers);
        QCOMPARE(submitted.size(), submits ? 1 : 0);
        QTEST(editor.text(), "text");

        // Pasted lines stay as they are.
        QSignalSpy edited(&editor, &PlainTextEditor::textEdited);
        QApplication::clipboard()->setText(u"one\ntwo"_s);
        editor.textEdit()->paste();
        QVERIFY(editor.text().contains(u"one\ntwo"_s));
        QCOMPARE(edited.size(), 1);
        QCOMPARE(submitted.size(), submits ? 1 : 0);
    }

    // What an input method or a paste puts in an editor keeps every
    // character whole: a replacement or a selection with an edge inside a
    // pair takes the pair, half a pair never goes in; a replacement stops at
    // the text's start.
    void editorKeepsCharactersWhole_data()
    {
        QTest::addColumn<QString>("preedit");
        QTest::addColumn<int>("selectionStart");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<int>("replacementStart");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("selected");
        QTest::newRow("input method over half a pair")
            << QString() << -1 << QString() << -4 << u"aQb\U0001F600"_s << QString();
        QTest::newRow("composition over half a pair")
            << u"ko"_s << -1 << QString() << -4 << u"ab\U0001F600Q"_s << QString();
        QTest::newRow("input method before the start")
            << QString() << -1 << QString() << -8 << u"Qa\U0001F600b\U0001F600"_s << QString();
        QTest::newRow("selection from inside a pair") << QString() << 2 << QString() << 0 << u"a\U0001F600b\U0001F600"_s
                                                      << u"\U0001F600b"_s;
        QTest::newRow("paste with half a pair")
            << QString() << -1 << u"x"_s + QChar(0xD83D) << 0 << u"a\U0001F600b\U0001F600x"_s << QString();
    }
    void editorKeepsCharactersWhole()
    {
        QFETCH(QString, preedit);
        QFETCH(int, selectionStart);
        QFETCH(QString, pasted);
        QFETCH(int, replacementStart);
        QFETCH(QString, expected);
        QFETCH(QString, selected);
        PlainTextEditor editor(QString(), Theme::font(13));
        editor.setText(u"a\U0001F600b\U0001F600"_s);
        QTextEdit* edit = editor.textEdit();
        edit->moveCursor(QTextCursor::End);
        if (!pasted.isEmpty()) {
            QApplication::clipboard()->setText(pasted);
            edit->paste();
        } else if (selectionStart >= 0) {
            QInputMethodEvent select(QString(), {{QInputMethodEvent::Selection, selectionStart, 2, QVariant()}});
            QCoreApplication::sendEvent(edit, &select);
        } else {
            // One character from the caret at the end (-4: the second half of
            // the first pair).
            QInputMethodEvent composing(preedit, {});
            composing.setCommitString(preedit.isEmpty() ? u"Q"_s : QString(), replacementStart, 1);
            QCoreApplication::sendEvent(edit, &composing);
            if (!preedit.isEmpty()) {
                QInputMethodEvent done;
                done.setCommitString(u"Q"_s);
                QCoreApplication::sendEvent(edit, &done);
            }
        }
        QCOMPARE(edit->toPlainText(), expected);
        QCOMPARE(edit->textCursor().selectedText(), selected);
    }

    // A paste into a one-line field takes no half of a pair either, and goes
    // in on one line; a reader's text goes in as the paste does.
    void fieldPasteKeepsCharactersWholeOnOneLine_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("expected");
        QTest::newRow("halves of pairs") << u"x"_s + QChar(0xD83D) + u"y"_s + QChar(0xDE00) << u"a\U0001F600xy"_s;
        QTest::newRow("lines and tabs") << u"x\ny\r\nz\tw"_s << u"a\U0001F600x y z w"_s;
    }
    void fieldPasteKeepsCharactersWholeOnOneLine()
    {
        QFETCH(QString, pasted);
        QFETCH(QString, expected);
        PlainTextField field(QString(), Theme::font(13));
        field.setText(u"a\U0001F600"_s);
        QApplication::clipboard()->setText(pasted);
        field.lineEdit()->end(false);
        QTest::keyClick(field.lineEdit(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(field.text(), expected);

        field.setText(u"a\U0001F600"_s);
        QAccessible::queryAccessibleInterface(field.lineEdit())->editableTextInterface()->insertText(3, pasted);
        QCOMPARE(field.text(), expected);
    }

    void editorGrowsWithItsText()
    {
        PlainTextEditor editor(u"Action"_s, Theme::font(12));
        editor.resize(200, 10);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        const int oneLine = editor.height();
        QVERIFY(oneLine > 0);
        editor.setText(u"one\ntwo\nthree"_s);
        QTRY_VERIFY(editor.height() >= 2 * oneLine);
        QVERIFY(editor.textEdit()->verticalScrollBar()->maximum() == 0);
        editor.setText(QString());
        QTRY_COMPARE(editor.height(), oneLine);
        editor.setMinimumTextHeight(3 * oneLine);
        QCOMPARE(editor.height(), 3 * oneLine);
    }

    void growingEditorsLayALongTextOutOncePerWidth_data()
    {
        QTest::addColumn<bool>("captioned");
        QTest::newRow("plain") << false;
        QTest::newRow("captioned") << true;
    }
    void growingEditorsLayALongTextOutOncePerWidth()
    {
        QFETCH(bool, captioned);
        // A long text, taller than the page: the page finds it needs a scroll
        // bar, which narrows everything in it, while the editor is being shown.
        const QString text = u"The keeper counts the ships that never come. "_s.repeated(400);
        ScrollColumn page;
        QWidget* editor = nullptr;
        QTextEdit* edit = nullptr;
        if (captioned) {
            auto* sleek = new SleekTextEditor(u"Premise"_s, QString(), 120, 13);
            sleek->setText(text);
            editor = sleek;
            edit = sleek->textEdit();
        } else {
            auto* plain = new PlainTextEditor(QString(), Theme::font(12));
            plain->setText(text);
            editor = plain;
            edit = plain->textEdit();
        }
        putInPage(page, editor);
        int layouts = 0;
        connect(edit->document()->documentLayout(), &QAbstractTextDocumentLayout::update, this, [&] { ++layouts; });

        page.resize(700, 500);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QTRY_VERIFY(wrapsAtItsWidth(edit));
        QCoreApplication::processEvents();
        QCOMPARE(layouts, 1);
        QVERIFY(page.verticalScrollBar()->isVisible());
        const int narrowHeight = editor->height();
        QVERIFY(narrowHeight >= edit->document()->size().height());

        // A taller window changes no width: nothing is laid out again.
        page.resize(700, 800);
        QTRY_COMPARE(page.viewport()->height(), 800);
        QCoreApplication::processEvents();
        QCOMPARE(layouts, 1);

        // A wider one: once more, and the editor follows the shorter text.
        const int narrowWidth = edit->viewport()->width();
        page.resize(1000, 800);
        QTRY_VERIFY(edit->viewport()->width() > narrowWidth && wrapsAtItsWidth(edit));
        QCoreApplication::processEvents();
        QCOMPARE(layouts, 2);
        QVERIFY(editor->height() < narrowHeight);
        QVERIFY(editor->height() >= edit->document()->size().height());
    }

    // Below the page's fold, a long text (shown first, or in place of a
    // short one) is not laid out: it claims the height estimated at the
    // width it is shown at, and is laid out once it comes into view.
    void aLongTextOutOfViewWaitsToBeSeen_data()
    {
        QTest::addColumn<bool>("replacing");
        QTest::newRow("shown first") << false;
        QTest::newRow("in place of a short text") << true;
    }
    void aLongTextOutOfViewWaitsToBeSeen()
    {
        QFETCH(bool, replacing);
        const QString text = u"The keeper counts the ships that never come. "_s.repeated(400);
        ScrollColumn page;
        // Above it, what the user is in (an editor with the focus is laid
        // out at once, for its caret).
        auto* above = new QLineEdit;
        above->setFixedHeight(1500);
        page.column()->addWidget(above);
        auto* editor = new PlainTextEditor(QString(), Theme::font(12));
        page.column()->addWidget(editor);
        page.column()->addStretch(1);
        QTextEdit* edit = editor->textEdit();
        editor->setText(replacing ? u"A short text"_s : text);
        int layouts = 0;
        connect(edit->document()->documentLayout(), &QAbstractTextDocumentLayout::update, this, [&] { ++layouts; });
        page.resize(700, 500);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        above->setFocus();
        if (replacing) {
            QTRY_VERIFY(wrapsAtItsWidth(edit));
            layouts = 0;
            editor->setText(text);
        }
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
        QCOMPARE(layouts, 0);
        const int estimated = editor->height();

        page.verticalScrollBar()->setValue(1500);
        QTRY_VERIFY(wrapsAtItsWidth(edit));
        const qreal laidOut = edit->document()->size().height();
        QVERIFY2(estimated > laidOut / 2 && estimated < laidOut * 2,
                 qPrintable(u"%1 estimated, %2 laid out"_s.arg(estimated).arg(laidOut)));
        QTRY_VERIFY(editor->height() >= laidOut);
    }

    void anEndlessWordWrapsAtTheEditorsWidth()
    {
        // Qt lays a word out in time growing with the square of its length
        // unless it may break anywhere (the time is LongTextBench's): the
        // editor breaks it anywhere, at its width, and keeps it whole; a text
        // of words goes back to breaking between them.
        const QString word = endlessWord(100'000);
        ScrollColumn page;
        auto* editor = new PlainTextEditor(QString(), Theme::font(13));
        putInPage(page, editor);
        editor->setText(word);
        page.resize(700, 500);
        page.show();
        page.grab();
        QTRY_VERIFY(wrapsAtItsWidth(editor->textEdit()));
        QCOMPARE(editor->textEdit()->wordWrapMode(), QTextOption::WrapAnywhere);
        QCOMPARE(editor->text(), word);
        editor->setText(u"The keeper counts the ships that never come."_s);
        QCOMPARE(editor->textEdit()->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    }

    void inkOnPaper()
    {
        // The script page: dark ink on a light page.
        PlainTextEditor editor(u"CHARACTER"_s, Theme::font(13, QFont::Bold));
        editor.setText(u"MARA"_s);
        editor.resize(200, 40);
        const auto inked = [&editor](const QColor& ink) {
            editor.setTextColor(ink);
            QImage image(editor.size(), QImage::Format_ARGB32);
            image.fill(Palette::paper());
            editor.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
            int dark = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    dark += image.pixelColor(x, y).lightness() < 120;
            return dark;
        };
        QVERIFY(inked(Palette::paperInk()) > 20);
        QCOMPARE(inked(Palette::paper()), 0);
    }
};

QTEST_MAIN(PlainTextTest)
#include "PlainTextTest.moc"
