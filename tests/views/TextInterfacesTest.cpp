// Every text the program shows to assistive technology answers every
// question a reader asks of it — any offset, any boundary, any range, in the
// text or far outside it — at once, with nothing where there is nothing, and
// with the right piece where there is one: a line edit, a text edit, a
// one-line field holding a long text, a Script element and the element being
// written (read through the live editor standing in it). No piece, range, caret, selection or edit falls between the halves
// of a pair. A password field reads as it is shown and gives nothing of its text,
// not even in the events its typing sends, and a one-line field tells its
// edits in the whole text, not in the stretch its line edit holds. (A hang
// fails by the suite's time limit.)

#include "support/Listening.h"
#include "support/LongTexts.h"

#include "design/text/PlainTextEditor.h"
#include "design/text/PlainTextField.h"
#include "design/DesignSystem.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "views/phases/script/ScriptPage.h"
#include "views/settings/SettingsTextField.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QTextEdit>
#include <QtTest>

#include <climits>
#include <functional>
#include <memory>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

// Two paragraphs, two sentences in the first; it ends inside a word.
const QString sample = u"Working title. Act two\nBegins here"_s;
// The same with characters of two halves (a pair) at its ends and inside a word.
const QString paired = u"\U0001F3AC Working title. Act t\U0001F600wo\nBegins here\U0001F600"_s;

// Whether `at` falls between the halves of a pair of `text`.
bool splitsPair(const QString& text, int at)
{
    return at > 0 && at < text.size() && text.at(at - 1).isHighSurrogate() && text.at(at).isLowSurrogate();
}

// The text inserted, removed or updated in `object`, as a reader hears it.
QList<test::HeardEvent> textEventsOf(QObject* object)
{
    QList<test::HeardEvent> found;
    for (const test::HeardEvent& p : std::as_const(test::heard())) {
        if (p.object == object
            && (p.type == QAccessible::TextInserted || p.type == QAccessible::TextRemoved
                || p.type == QAccessible::TextUpdated))
            found << p;
    }
    return found;
}

// One kind of text shown to a reader: the widgets that show it and the
// interface that reads it.
struct Shown {
    std::unique_ptr<QWidget> top;
    std::function<QAccessibleInterface*()> find;
    QWidget* keys = nullptr; // what takes the keys typed
};

Shown lineEdit(const QString& text)
{
    auto* edit = new QLineEdit(text);
    edit->setMaxLength(INT_MAX);
    return {std::unique_ptr<QWidget>(edit), [edit] { return QAccessible::queryAccessibleInterface(edit); }, edit};
}

Shown field(const QString& text)
{
    auto* field = new PlainTextField(QString(), Theme::font(type::body));
    field->setText(text);
    return {std::unique_ptr<QWidget>(field),
            [field] { return QAccessible::queryAccessibleInterface(field->lineEdit()); }, field->lineEdit()};
}

Shown textEdit(const QString& text)
{
    auto* editor = new PlainTextEditor(QString(), Theme::font(type::body));
    editor->setText(text);
    return {std::unique_ptr<QWidget>(editor),
            [editor] { return QAccessible::queryAccessibleInterface(editor->textEdit()); }, editor->textEdit()};
}

Shown password(const QString& text)
{
    auto* secret = new SettingsTextField(QString());
    secret->setSecret(true);
    secret->setText(text);
    return {std::unique_ptr<QWidget>(secret),
            [secret] { return QAccessible::queryAccessibleInterface(secret->lineEdit()); }, secret->lineEdit()};
}

ScriptPage* scriptPage(const QString& text, Shown& shown)
{
    auto* page = new ScriptPage;
    const QList<ScriptElement> elements{ScriptElement{.kind = ScriptElementKind::action, .text = text},
                                        ScriptElement{.kind = ScriptElementKind::action, .text = u"After."_s}};
    page->resize(1400, 800);
    page->showElements(elements, rules::scriptChange({}, elements));
    page->setVisibleArea(page->rect());
    shown.top.reset(page);
    return page;
}

Shown scriptElement(const QString& text)
{
    Shown shown;
    ScriptPage* page = scriptPage(text, shown);
    shown.find = [page] { return QAccessible::queryAccessibleInterface(page)->child(0); };
    return shown;
}

Shown liveEditor(const QString& text)
{
    Shown shown;
    ScriptPage* page = scriptPage(text, shown);
    page->show();
    page->focusElement(page->rows().row(0).id());
    shown.find = [page] { return QAccessible::queryAccessibleInterface(page)->child(0); };
    shown.keys = page->editor()->textEdit();
    return shown;
}

// The kinds of text that read whole, by the name make() builds them by.
const QStringList kinds{u"line edit"_s, u"one-line field"_s, u"text edit"_s, u"script element"_s, u"live editor"_s};

// Each kind by name, for the data of the tests.
Shown make(const QString& kind, const QString& text)
{
    if (kind == u"line edit")
        return lineEdit(text);
    if (kind == u"one-line field")
        return field(text);
    if (kind == u"text edit")
        return textEdit(text);
    if (kind == u"script element")
        return scriptElement(text);
    if (kind == u"live editor")
        return liveEditor(text);
    return password(text);
}

const QList<QAccessible::TextBoundaryType> boundaries{QAccessible::CharBoundary,     QAccessible::WordBoundary,
                                                      QAccessible::SentenceBoundary, QAccessible::ParagraphBoundary,
                                                      QAccessible::LineBoundary,     QAccessible::NoBoundary};

enum class Side { Before, At, After };

QString piece(QAccessibleTextInterface* t, Side side, int offset, QAccessible::TextBoundaryType b, int* s, int* e)
{
    *s = *e = -99;
    switch (side) {
    case Side::Before: return t->textBeforeOffset(offset, b, s, e);
    case Side::At: return t->textAtOffset(offset, b, s, e);
    case Side::After: return t->textAfterOffset(offset, b, s, e);
    }
    return {};
}

} // namespace

class TextInterfacesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        test::listen();
        DesignSystem::install(*qApp);
    }

    void init() { test::heard().clear(); }

    void everyQuestionEndsAndOutsideGetsNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        for (const QString& kind : kinds + QStringList{u"password field"_s}) {
            QTest::newRow(qPrintable(kind)) << kind << sample;
            QTest::newRow(qPrintable(kind + u", pairs"_s)) << kind << paired;
        }
    }
    void everyQuestionEndsAndOutsideGetsNothing()
    {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        const bool concealed = kind == u"password field"_s;
        const bool editable = kind != u"script element"_s;
        Shown shown = make(kind, text);
        QAccessibleInterface* iface = shown.find();
        QVERIFY(iface);
        QAccessibleTextInterface* t = iface->textInterface();
        QVERIFY(t);
        const int size = int(text.size());
        // A password reads as it is shown: as many mask characters, nothing of its own.
        const QString read = concealed ? static_cast<QLineEdit*>(shown.keys)->displayText() : text;
        QCOMPARE(t->characterCount(), size);
        QCOMPARE(t->text(0, size), read);
        // Every range reads whole: one that cuts a pair holds all of it.
        for (int s = 0; s <= size; ++s) {
            for (int e = s + 1; e <= size; ++e) {
                const int from = !concealed && splitsPair(text, s) ? s - 1 : s;
                const int to = !concealed && splitsPair(text, e) ? e + 1 : e;
                QVERIFY2(t->text(s, e) == read.mid(from, to - from), qPrintable(u"%1..%2"_s.arg(s).arg(e)));
            }
        }
        if (concealed) {
            QCOMPARE(iface->text(QAccessible::Value), read);
            for (const QChar c : read)
                QVERIFY(!text.contains(c));
        }

        const QList<int> outside{INT_MIN, -2, -1, size + 1, 1'000'000'000, INT_MAX};
        QList<int> inside;
        for (int offset = 0; offset <= size; ++offset)
            inside << offset;
        for (const QAccessible::TextBoundaryType b : boundaries) {
            for (const Side side : {Side::Before, Side::At, Side::After}) {
                for (const int offset : outside + inside) {
                    int s = 0;
                    int e = 0;
                    const QString got = piece(t, side, offset, b, &s, &e);
                    const QString where = u"boundary %1, side %2, offset %3: \"%4\" %5..%6"_s.arg(int(b))
                                              .arg(int(side))
                                              .arg(offset)
                                              .arg(got)
                                              .arg(s)
                                              .arg(e);
                    if (outside.contains(offset)) {
                        QVERIFY2(got.isEmpty() && s == -1 && e == -1, qPrintable(where));
                        continue;
                    }
                    if (s == -1) {
                        QVERIFY2(got.isEmpty() && e == -1, qPrintable(where));
                        continue;
                    }
                    QVERIFY2(0 <= s && s <= e && e <= size && got == read.mid(s, e - s), qPrintable(where));
                    QVERIFY2(concealed || (!splitsPair(text, s) && !splitsPair(text, e)), qPrintable(where));
                    if (side == Side::At)
                        QVERIFY2(s <= offset && offset <= e, qPrintable(where));
                    else if (side == Side::Before)
                        QVERIFY2(e <= offset, qPrintable(where));
                    else
                        QVERIFY2(s >= offset, qPrintable(where));
                }
            }
        }
        for (const int offset : outside) {
            QCOMPARE(t->text(offset, size), QString());
            QCOMPARE(t->characterRect(offset), QRect());
            int s = 0;
            int e = 0;
            QCOMPARE(t->attributes(offset, &s, &e), QString());
            QCOMPARE(s, -1);
            t->scrollToSubstring(offset, size);
            t->setSelection(0, 0, offset);
            t->setCursorPosition(offset);
            QCOMPARE(t->selectionCount(), 0);
        }
        QCOMPARE(t->characterRect(size), QRect());
        QCOMPARE(t->text(3, 2), QString());
        QCOMPARE(t->text(0, INT_MAX), read);
        for (const QPoint far : {QPoint(-100000, -100000), QPoint(INT_MIN, INT_MIN), QPoint(INT_MAX, INT_MAX)})
            QCOMPARE(t->offsetAtPoint(far), -1);
        int s = 0;
        int e = 0;
        t->selection(1, &s, &e);
        QCOMPARE(s, -1);

        if (!editable) {
            QVERIFY(!iface->editableTextInterface() || iface->state().readOnly);
            return;
        }
        // A selection set by a reader is the field's; edits outside change nothing.
        t->setSelection(0, 8, 13);
        t->selection(0, &s, &e);
        QCOMPARE(std::pair(s, e), std::pair(8, 13));
        QAccessibleEditableTextInterface* edits = iface->editableTextInterface();
        QVERIFY(edits);
        edits->insertText(size + 1, u"x"_s);
        edits->deleteText(-1, 3);
        edits->replaceText(5, INT_MAX, u"x"_s);
        QCOMPARE(t->characterCount(), size);
    }

    // No caret, selection edge or edit of a reader's falls between the halves
    // of a pair, and no half of one goes in: the text never holds half a
    // character, whatever the reader asks or the user types next.
    void aReaderKeepsCharactersWhole_data()
    {
        QTest::addColumn<QString>("kind");
        for (const QString& kind : kinds) {
            if (kind != u"script element"_s)
                QTest::newRow(qPrintable(kind)) << kind;
        }
    }
    void aReaderKeepsCharactersWhole()
    {
        QFETCH(QString, kind);
        const QString face = u"\U0001F600"_s;
        const QString start = face + u"b"_s;
        Shown shown = make(kind, start);
        QAccessibleInterface* iface = shown.find();
        QAccessibleTextInterface* t = iface->textInterface();
        QAccessibleEditableTextInterface* edits = iface->editableTextInterface();
        QVERIFY(t && edits);
        const auto whole = [t] { return t->text(0, t->characterCount()); };

        t->setCursorPosition(1);
        QTest::keyClick(shown.keys, Qt::Key_X);
        QVERIFY2(whole() == u"x"_s + start || whole() == face + u"xb"_s, qPrintable(whole()));

        struct Case {
            std::function<void()> act;
            QString text;
            std::pair<int, int> selection{-1, -1};
        };
        const QList<Case> cases{
            {[t] { t->setSelection(0, 1, 3); }, start, {0, 3}},
            {[t] { t->addSelection(3, 1); }, start, {0, 3}},
            {[edits] { edits->deleteText(1, 2); }, u"b"_s},
            {[edits] { edits->insertText(1, u"\u00E9"_s + QChar(0xD83C)); }, u"\u00E9"_s + start},
            {[edits] { edits->replaceText(1, 3, QString(QChar(0xDE00)) + u"y"_s); }, u"y"_s},
        };
        for (const Case& c : cases) {
            iface->setText(QAccessible::Value, start);
            c.act();
            QCOMPARE(whole(), c.text);
            int s = 0;
            int e = 0;
            t->selection(0, &s, &e);
            QCOMPARE(std::pair(s, e), c.selection);
        }
    }

    // The pieces a reader asks for at the caret: the word at a text's end
    // (where Qt's own answer never comes back), sentences, paragraphs.
    void piecesAreTheRightOnes_data()
    {
        QTest::addColumn<QString>("kind");
        for (const QString& kind : kinds)
            QTest::newRow(qPrintable(kind)) << kind;
    }
    void piecesAreTheRightOnes()
    {
        QFETCH(QString, kind);
        Shown shown = make(kind, sample);
        shown.top->resize(1400, 400);
        QAccessibleTextInterface* t = shown.find()->textInterface();
        const int end = int(sample.size());
        struct Expected {
            Side side;
            int offset;
            QAccessible::TextBoundaryType boundary;
            QString text;
            int start;
        };
        const QList<Expected> expected{
            {Side::At, end, QAccessible::WordBoundary, u"here"_s, 30},
            {Side::At, 0, QAccessible::WordBoundary, u"Working"_s, 0},
            {Side::After, 0, QAccessible::WordBoundary, u" "_s, 7},
            {Side::Before, 8, QAccessible::WordBoundary, u" "_s, 7},
            {Side::At, end, QAccessible::SentenceBoundary, u"Begins here"_s, 23},
            {Side::At, 3, QAccessible::SentenceBoundary, u"Working title. "_s, 0},
            {Side::After, 3, QAccessible::SentenceBoundary, u"Act two\n"_s, 15},
            {Side::At, 5, QAccessible::LineBoundary, u"Working title. Act two\n"_s, 0},
            {Side::After, 5, QAccessible::LineBoundary, u"Begins here"_s, 23},
            {Side::Before, end, QAccessible::ParagraphBoundary, u"Working title. Act two\n"_s, 0},
            {Side::At, 33, QAccessible::CharBoundary, u"e"_s, 33},
            {Side::Before, end, QAccessible::CharBoundary, u"e"_s, 33},
            {Side::At, 9, QAccessible::NoBoundary, sample, 0},
        };
        for (const Expected& x : expected) {
            int s = 0;
            int e = 0;
            const QString got = piece(t, x.side, x.offset, x.boundary, &s, &e);
            QVERIFY2(got == x.text && s == x.start && e == x.start + x.text.size(),
                     qPrintable(u"boundary %1 at %2: \"%3\" %4..%5"_s.arg(int(x.boundary)).arg(x.offset).arg(got).arg(s).arg(e)));
        }
    }

    // A megabyte: every question still comes back, with a piece of what is
    // around the offset rather than the whole text; the element's name is
    // short, its text whole.
    void aMegabyteIsAnsweredNearTheOffset_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("field, one word") << u"one-line field"_s << test::endlessWord(1'000'000);
        QTest::newRow("text edit, prose") << u"text edit"_s << test::prose(1'000'000);
        QTest::newRow("script element, one word") << u"script element"_s << test::endlessWord(1'000'000);
    }
    void aMegabyteIsAnsweredNearTheOffset()
    {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        Shown shown = make(kind, text);
        QAccessibleInterface* iface = shown.find();
        QAccessibleTextInterface* t = iface->textInterface();
        QCOMPARE(t->characterCount(), text.size());
        QVERIFY(iface->text(QAccessible::Name).size() <= 200);
        const int size = int(text.size());
        for (const QAccessible::TextBoundaryType b : boundaries) {
            if (b == QAccessible::NoBoundary)
                continue;
            for (const int offset : {0, size / 2, size - 1, size}) {
                int s = 0;
                int e = 0;
                const QString got = t->textAtOffset(offset, b, &s, &e);
                QVERIFY2(got.size() < 20'000, qPrintable(u"boundary %1 at %2: %3 characters"_s.arg(int(b)).arg(offset).arg(got.size())));
                t->textBeforeOffset(offset, b, &s, &e);
                t->textAfterOffset(offset, b, &s, &e);
            }
        }
    }

    // What a password field sends as the key is typed, and what it reads.
    void aPasswordSendsNoText()
    {
        SettingsTextField secret{QString()};
        secret.setSecret(true);
        secret.show();
        QLineEdit* edit = secret.lineEdit();
        edit->setFocus();
        QTest::keyClicks(edit, u"sk-secret"_s);
        QTest::keyClick(edit, Qt::Key_Backspace);
        edit->setText(u"sk-other"_s);
        const QList<test::HeardEvent> events = textEventsOf(edit);
        QVERIFY(!events.isEmpty());
        for (const test::HeardEvent& p : events) {
            for (const QString& sent : {p.text, p.removed}) {
                for (const QChar c : sent)
                    QVERIFY2(!u"sk-ecrtoh"_s.contains(c), qPrintable(u"sent \"%1\""_s.arg(sent)));
            }
        }
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(edit);
        QVERIFY(iface->state().passwordEdit);
        QVERIFY(!iface->textInterface()->text(0, 100).contains(u"other"_s));
        QVERIFY(!iface->text(QAccessible::Value).contains(u"other"_s));
    }

    // A field holding a long text in part tells its edits where they are in
    // the whole text, and says nothing of its window moving.
    void aFieldTellsItsEditsInTheWholeText()
    {
        PlainTextField f(QString(), Theme::font(type::body));
        const QString text = test::prose(100'000);
        f.setText(text);
        f.show();
        QLineEdit* edit = f.lineEdit();
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_End);
        test::heard().clear();
        QTest::keyClicks(edit, u"xy"_s);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Home);
        QTest::keyClick(edit, Qt::Key_Z);
        const QList<test::HeardEvent> events = textEventsOf(edit);
        QCOMPARE(events.size(), 4);
        QCOMPARE(events[0].position, int(text.size()));
        QCOMPARE(events[0].text, u"x"_s);
        QCOMPARE(events[1].position, int(text.size()) + 1);
        QCOMPARE(events[2].type, QAccessible::TextRemoved);
        QCOMPARE(events[2].removed, u"y"_s);
        QCOMPARE(events[3].position, 0);
        QCOMPARE(events[3].text, u"z"_s);
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(edit);
        QCOMPARE(iface->textInterface()->cursorPosition(), 1);
        QCOMPARE(iface->textInterface()->characterCount(), int(text.size()) + 2);
    }
};

QTEST_MAIN(TextInterfacesTest)
#include "TextInterfacesTest.moc"
