// A one-line field showing a small window of a long text edits exactly as a
// plain line edit holding the whole text: every key, word key, click, double
// and triple click, menu entry and undo step, wherever the window's edges
// fall, and every edit assistive technology makes through the field's text
// interfaces. The field and a plain line edit take the same steps; after each
// one their text, caret and selection agree, and the field shows what it
// holds.

#include "design/LineWindow.h"
#include "design/Theme.h"
#include "support/LongTexts.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QRandomGenerator>
#include <QStyleHints>
#include <QtTest>

#include <climits>
#include <memory>

using namespace studio;
using studio::test::endlessWord;
using studio::test::prose;
using namespace Qt::StringLiterals;

namespace {

// One thing the user does: a key (with its modifiers), typed text, a click
// (plain, with Shift, double or triple) or a drag at a point of the field, an
// entry of the context menu; text that reaches the line edit itself, from
// an input method (which may replace text around the caret) or from a
// program; or what assistive technology does through the text interfaces.
struct Step {
    enum Kind { Key, Type, Click, ShiftClick, MiddleClick, DoubleClick, TripleClick, Drag, Menu, Commit, Insert, Access } kind = Key;
    // What assistive technology does.
    enum Reader { InsertText, DeleteText, ReplaceText, SetText, Select, MoveCaret };
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers;
    QString text; // typed, or the menu entry
    int x = 0;    // of a click, in the field
    QPoint by;    // of a drag
    // An input method's replacement, around the caret.
    int replacementStart = 0;
    int replacementLength = 0;
    // Assistive technology's edit, from and to offsets of the whole text.
    Reader reader = InsertText;
    int from = 0;
    int to = 0;

    QString describe() const
    {
        switch (kind) {
        case Key: return QKeySequence(modifiers | key).toString();
        case Type: return u"type \"%1\""_s.arg(text);
        case Click: return u"click at %1"_s.arg(x);
        case ShiftClick: return u"shift-click at %1"_s.arg(x);
        case MiddleClick: return u"middle click at %1"_s.arg(x);
        case DoubleClick: return u"double click at %1"_s.arg(x);
        case TripleClick: return u"triple click at %1"_s.arg(x);
        case Drag: return u"drag from %1 by %2, %3"_s.arg(x).arg(by.x()).arg(by.y());
        case Menu: return u"menu %1"_s.arg(text);
        case Commit:
            return u"input method \"%1\" over %2 from %3"_s.arg(text).arg(replacementLength).arg(replacementStart);
        case Insert: return u"insert \"%1\""_s.arg(text);
        case Access: {
            static const QStringList names{u"insertText"_s, u"deleteText"_s, u"replaceText"_s,
                                           u"setText"_s,    u"setSelection"_s, u"setCursorPosition"_s};
            return u"reader's %1(%2, %3, \"%4\")"_s.arg(names.at(reader)).arg(from).arg(to).arg(text);
        }
        }
        return {};
    }
};

// Where a line edit draws its caret.
QPoint caretPoint(QLineEdit& edit)
{
    return edit.inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
}

Step key(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    Step step;
    step.key = key;
    step.modifiers = modifiers;
    return step;
}

// Typed text, or an entry of the context menu.
Step text(Step::Kind kind, const QString& text)
{
    Step step;
    step.kind = kind;
    step.text = text;
    return step;
}

// A click of some kind, or a drag, at a point of the field.
Step pointer(Step::Kind kind, int x, QPoint by = {})
{
    Step step;
    step.kind = kind;
    step.x = x;
    step.by = by;
    return step;
}

// The entries of a line edit's context menu, by the names it gives them.
const QStringList& menuEntries()
{
    static const QStringList entries{QLineEdit::tr("&Undo"), QLineEdit::tr("&Redo"), QLineEdit::tr("Cu&t"),
                                     QLineEdit::tr("&Copy"), QLineEdit::tr("&Paste"), QLineEdit::tr("Delete"),
                                     QLineEdit::tr("Select All")};
    return entries;
}

QAction* entry(QMenu* menu, const QString& name)
{
    for (QAction* action : menu->actions()) {
        if (action->text().section(u'\t', 0, 0) == name)
            return action;
    }
    return nullptr;
}

// The field (a line edit showing a window of the text) and a plain line edit
// holding all of it, taking the same steps.
class Twins {
public:
    Twins(const QString& text, qsizetype windowLength)
        : window(new LineWindow(&field, windowLength))
    {
        field.setMaxLength(INT_MAX);
        plain.setMaxLength(INT_MAX);
        // The plain line edit is never shown and never takes the focus, so
        // nothing happens to it but the steps.
        plain.setFocusPolicy(Qt::NoFocus);
        plain.resize(8000, 30);
        field.resize(400, 30);
        field.show();
        field.activateWindow();
        if (!QTest::qWaitForWindowActive(&field))
            qWarning("The field's window is not active");
        field.setFocus();
        window->setText(text);
        plain.setText(text);
        plain.setCursorPosition(0);
    }

    // Takes the step in both (and lets the events it left behind run); an
    // empty string, or what went wrong.
    QString take(const Step& step)
    {
        const QString before = window->text();
        undoing = (step.kind == Step::Key && (step.key == Qt::Key_Z || step.key == Qt::Key_Y)
                   && (step.modifiers & Qt::ControlModifier))
                  || (step.kind == Step::Menu && (step.text == QLineEdit::tr("&Undo") || step.text == QLineEdit::tr("&Redo")));
        edits.clear();
        const QString wrong = takeNow(step);
        QCoreApplication::processEvents();
        // An edit is reported, with the whole text.
        if (wrong.isEmpty() && window->text() != before
            && (edits.isEmpty() || edits.last().at(0).toString() != window->text()))
            return u"the edit is not reported"_s;
        return wrong;
    }

    // Whether the two agree, and the field shows what it holds.
    QString difference()
    {
        // A plain line edit can come out of a redo with a selection reaching
        // before its text, or the caret past its end, where the next key
        // reads or writes past the text; the field never keeps them: no
        // selection, the caret at the end, as the field has it.
        if (plain.selectionStart() < 0)
            plain.deselect();
        if (plain.cursorPosition() > plain.text().size())
            plain.setSelection(int(plain.text().size()), 0);
        // A plain line edit can come out of an undo or a redo with the caret
        // or a selection's edge between the halves of a pair, where the next
        // key leaves half a character; the field keeps them on whole
        // characters: the caret before the pair, the selection round it.
        if (undoing)
            keepOnCharacters(plain);
        const QString& text = window->text();
        QStringList wrong;
        if (text != plain.text())
            wrong << u"text \"%1\", a plain line edit has \"%2\""_s.arg(text, plain.text());
        if (window->cursorPosition() != plain.cursorPosition())
            wrong << u"caret at %1, a plain line edit's at %2"_s.arg(window->cursorPosition())
                         .arg(plain.cursorPosition());
        if (window->selectionStart() != plain.selectionStart() || window->selectionEnd() != plain.selectionEnd())
            wrong << u"selection %1..%2, a plain line edit's %3..%4"_s.arg(window->selectionStart())
                         .arg(window->selectionEnd())
                         .arg(plain.selectionStart())
                         .arg(plain.selectionEnd());
        const qsizetype start = window->windowStart();
        if (field.text() != QStringView(text).mid(start, field.text().size())
            || field.text().isEmpty() != text.isEmpty())
            wrong << u"the field shows \"%1\" from %2"_s.arg(field.text()).arg(start);
        if (start + field.cursorPosition() != window->cursorPosition())
            wrong << u"the field shows the caret at %1"_s.arg(start + field.cursorPosition());
        return wrong.join(u"; "_s);
    }

    QLineEdit field;
    LineWindow* window;
    QLineEdit plain;
    QSignalSpy edits{window, &LineWindow::textEdited};
    bool undoing = false;

private:
    static void keepOnCharacters(QLineEdit& edit)
    {
        const QString t = edit.text();
        const auto splits = [&t](int at) {
            return at > 0 && at < t.size() && t.at(at - 1).isHighSurrogate() && t.at(at).isLowSurrogate();
        };
        if (edit.hasSelectedText()) {
            int start = edit.selectionStart();
            int end = edit.selectionEnd();
            const bool caretAtStart = edit.cursorPosition() == start;
            if (!splits(start) && !splits(end))
                return;
            start -= splits(start) ? 1 : 0;
            end += splits(end) ? 1 : 0;
            if (caretAtStart)
                edit.setSelection(end, start - end);
            else
                edit.setSelection(start, end - start);
        } else if (splits(edit.cursorPosition())) {
            edit.setCursorPosition(edit.cursorPosition() - 1);
        }
    }

    // Through each one's text interfaces, as a reader does it.
    void access(QLineEdit& edit, const Step& step)
    {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&edit);
        QAccessibleTextInterface* text = iface->textInterface();
        QAccessibleEditableTextInterface* edits = iface->editableTextInterface();
        switch (step.reader) {
        case Step::InsertText: edits->insertText(step.from, step.text); break;
        case Step::DeleteText: edits->deleteText(step.from, step.to); break;
        case Step::ReplaceText: edits->replaceText(step.from, step.to, step.text); break;
        case Step::SetText: iface->setText(QAccessible::Value, step.text); break;
        case Step::Select: text->setSelection(0, step.from, step.to); break;
        case Step::MoveCaret: text->setCursorPosition(step.from); break;
        }
    }

    QString takeNow(const Step& step)
    {
        switch (step.kind) {
        case Step::Key:
            QTest::keyClick(&field, step.key, step.modifiers);
            QTest::keyClick(&plain, step.key, step.modifiers);
            break;
        case Step::Type:
            QTest::sendKeyEvent(QTest::Click, &field, Qt::Key_unknown, step.text, Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Click, &plain, Qt::Key_unknown, step.text, Qt::NoModifier);
            break;
        case Step::Menu:
            return pickFromMenu(step.text);
        case Step::Commit:
            for (QLineEdit* edit : {&field, &plain}) {
                QInputMethodEvent input;
                input.setCommitString(step.text, step.replacementStart, step.replacementLength);
                QCoreApplication::sendEvent(edit, &input);
            }
            break;
        case Step::Access:
            access(field, step);
            access(plain, step);
            break;
        case Step::Insert:
            field.insert(step.text);
            plain.insert(step.text);
            break;
        default:
            return click(step);
        }
        return {};
    }

    QString click(const Step& step)
    {
        const QPoint at(step.x, field.height() / 2);
        // (A line edit can find a point past its text's end, behind a joined
        // cluster; the field takes the end.)
        const qsizetype position =
            window->windowStart() + std::min<qsizetype>(field.cursorPositionAt(at), field.text().size());
        // The plain line edit is given what its own mouse handlers do with
        // that position: a press puts the caret there, a press with Shift
        // selects from the selection's other end (the caret without one) to
        // there, a double click (sent where it shows the position) selects the
        // word there and a third press selects all.
        if (step.kind == Step::ShiftClick) {
            const int caret = plain.cursorPosition();
            int anchor = caret;
            if (plain.hasSelectedText() && caret == plain.selectionStart())
                anchor = plain.selectionEnd();
            else if (plain.hasSelectedText() && caret == plain.selectionEnd())
                anchor = plain.selectionStart();
            if (position != caret) {
                plain.setCursorPosition(int(position));
                plain.setSelection(anchor, int(position) - anchor);
            }
            QTest::mouseClick(&field, Qt::LeftButton, Qt::ShiftModifier, at);
            return {};
        }
        plain.setCursorPosition(int(position));
        if (step.kind == Step::MiddleClick)
            return middleClick(at);
        if (step.kind == Step::Drag)
            return drag(at, step.by);
        bool twice = step.kind == Step::DoubleClick || step.kind == Step::TripleClick;
        if (twice) {
            const QPoint there = caretPoint(plain);
            twice = plain.cursorPositionAt(there) == position;
            if (twice) {
                QMouseEvent press(QEvent::MouseButtonDblClick, there, plain.mapToGlobal(there), Qt::LeftButton,
                                  Qt::LeftButton, Qt::NoModifier);
                QCoreApplication::sendEvent(&plain, &press);
                QMouseEvent release(QEvent::MouseButtonRelease, there, plain.mapToGlobal(there), Qt::LeftButton,
                                    Qt::NoButton, Qt::NoModifier);
                QCoreApplication::sendEvent(&plain, &release);
            }
        }
        QTest::mouseClick(&field, Qt::LeftButton, {}, at);
        if (!twice)
            return {};
        QTest::mousePress(&field, Qt::LeftButton, {}, at);
        QTest::mouseDClick(&field, Qt::LeftButton, {}, at);
        if (step.kind == Step::TripleClick) {
            QTest::mousePress(&field, Qt::LeftButton, {}, at);
            plain.selectAll();
        }
        QTest::mouseRelease(&field, Qt::LeftButton, {}, at);
        return {};
    }

    // Where the window system has a selection clipboard, a middle click
    // pastes it where the press put the caret, after deselecting (a plain
    // line edit pastes it as it pastes the clipboard).
    QString middleClick(const QPoint& at)
    {
        QClipboard* clipboard = QGuiApplication::clipboard();
        const QString selection = clipboard->text(QClipboard::Selection);
        QTest::mouseClick(&field, Qt::MiddleButton, {}, at);
        if (!clipboard->supportsSelection())
            return {};
        plain.deselect();
        const QString kept = clipboard->text();
        clipboard->setText(selection);
        plain.paste();
        clipboard->setText(kept);
        return {};
    }

    // A plain line edit selects from where the press put the caret to the
    // point the mouse is dragged to; dragged well below or above the line,
    // to the end or the start.
    QString drag(const QPoint& from, const QPoint& by)
    {
        const QPoint to = from + by;
        QTest::mousePress(&field, Qt::LeftButton, {}, from);
        const int threshold = QGuiApplication::styleHints()->mouseQuickSelectionThreshold();
        const int anchor = plain.cursorPosition();
        if (threshold > 0 && by.y() > threshold) {
            plain.end(true);
        } else if (threshold > 0 && by.y() < -threshold) {
            plain.home(true);
        } else {
            const int position =
                int(window->windowStart() + std::min<qsizetype>(field.cursorPositionAt(to), field.text().size()));
            if (position != anchor) {
                plain.setCursorPosition(position);
                plain.setSelection(anchor, position - anchor);
            }
        }
        QTest::mouseMove(&field, to);
        QTest::mouseRelease(&field, Qt::LeftButton, {}, to);
        return {};
    }

    QString pickFromMenu(const QString& name)
    {
        const QPoint at = caretPoint(field);
        QContextMenuEvent request(QContextMenuEvent::Keyboard, at, field.mapToGlobal(at));
        QCoreApplication::sendEvent(&field, &request);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return u"no context menu"_s;
        const std::unique_ptr<QMenu> plainMenu(plain.createStandardContextMenu());
        QAction* ours = entry(menu, name);
        QAction* theirs = entry(plainMenu.get(), name);
        QString wrong;
        if (!ours || !theirs)
            wrong = u"no menu entry %1"_s.arg(name);
        else if (ours->isEnabled() != theirs->isEnabled())
            wrong = u"%1 is %2"_s.arg(name, ours->isEnabled() ? u"enabled"_s : u"disabled"_s);
        else if (ours->isEnabled()) {
            ours->trigger();
            theirs->trigger();
        }
        menu->close();
        return wrong;
    }
};

// Prose with long unbroken words, punctuation runs, pairs, marks and a few
// words written right to left.
QString mixedText(QRandomGenerator& random, qsizetype length, bool rightToLeftFirst)
{
    static const QStringList pieces{u"the"_s, u"keeper"_s, u"counts"_s, u"ships,"_s, u"--"_s, u"?!"_s,
                                    u"e\u0301te\u0301"_s, u"\U0001F600"_s, u"\U0001D49C\u0301x"_s,
                                    u"(night)"_s, u"שלום"_s, u"עולם,"_s, u"a.b.c"_s, u"\t"_s};
    QString text = rightToLeftFirst ? u"שלום "_s : QString();
    while (text.size() < length) {
        if (random.bounded(6) == 0) {
            const int run = int(random.bounded(20, 120));
            for (int i = 0; i < run; ++i)
                text += QChar(char16_t(u'a' + random.bounded(26)));
        } else {
            text += pieces.at(int(random.bounded(pieces.size())));
        }
        text += random.bounded(5) == 0 ? u"  "_s : u" "_s;
    }
    return text;
}

// An input method's text, now and then over text around the caret (as far
// as the text goes: past its end a line edit leaves a selection beyond it).
Step inputMethod(QRandomGenerator& random, const Twins& twins, const QString& commit)
{
    Step step = text(Step::Commit, commit);
    if (random.bounded(2) == 0)
        return step;
    // Where the caret stands once the selection is gone, as the line edit
    // takes it out first.
    const QLineEdit& plain = twins.plain;
    int caret = plain.cursorPosition();
    int size = int(plain.text().size());
    if (plain.hasSelectedText()) {
        caret = plain.selectionStart();
        size -= plain.selectionEnd() - plain.selectionStart();
    }
    const int start = int(random.bounded(-std::min(caret, 40), std::min(size - caret, 40) + 1));
    step.replacementStart = start;
    step.replacementLength = int(random.bounded(0, std::min(size - caret - start, 40) + 1));
    return step;
}

// What assistive technology does: edits at any offsets of the whole text,
// between whole characters (as a reader finds them).
Step accessStep(QRandomGenerator& random, const Twins& twins, const QString& some)
{
    const QString& whole = twins.window->text();
    const auto offset = [&] {
        int at = int(random.bounded(int(whole.size()) + 1));
        if (at > 0 && at < whole.size() && whole.at(at).isLowSurrogate() && whole.at(at - 1).isHighSurrogate())
            --at;
        return at;
    };
    Step step;
    step.kind = Step::Access;
    step.reader = Step::Reader(random.bounded(6));
    step.from = offset();
    step.to = offset();
    if (step.reader != Step::Select && step.from > step.to)
        std::swap(step.from, step.to);
    step.text = step.reader == Step::SetText ? whole.left(step.from) + some : some;
    return step;
}

Step randomStep(QRandomGenerator& random, const Twins& twins)
{
    static const QStringList typed{u"x"_s, u"Q"_s, u" "_s, u"."_s, u"-"_s, u"\u0301"_s, u"ש"_s, u"\U0001F600"_s,
                                   u"\u200D"_s, u"é"_s, u"\U0001F1EB"_s, u"\U0001F1F7"_s};
    const int roll = int(random.bounded(106));
    if (roll < 22)
        return text(Step::Type, typed.at(int(random.bounded(typed.size()))));
    if (roll < 52) {
        static const Qt::Key moves[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End};
        Qt::KeyboardModifiers modifiers;
        if (random.bounded(2))
            modifiers |= Qt::ShiftModifier;
        if (random.bounded(2))
            modifiers |= Qt::ControlModifier;
        return key(moves[random.bounded(4)], modifiers);
    }
    if (roll < 64) {
        static const Qt::Key erasers[] = {Qt::Key_Backspace, Qt::Key_Delete};
        return key(erasers[random.bounded(2)], random.bounded(3) == 0 ? Qt::ControlModifier : Qt::NoModifier);
    }
    if (roll < 80) {
        const bool room = twins.window->text().size() < 1500;
        switch (random.bounded(9)) {
        case 8: {
            // Keys some keyboard schemes bind and others leave to the parent.
            static const std::pair<Qt::Key, Qt::KeyboardModifiers> others[] = {
                {Qt::Key_Delete, Qt::ShiftModifier}, {Qt::Key_Insert, Qt::ControlModifier},
                {Qt::Key_Insert, Qt::ShiftModifier}, {Qt::Key_K, Qt::ControlModifier},
                {Qt::Key_U, Qt::ControlModifier},   {Qt::Key_Up, Qt::ControlModifier},
                {Qt::Key_Escape, {}},               {Qt::Key_D, Qt::ControlModifier},
                {Qt::Key_E, Qt::ControlModifier},   {Qt::Key_Direction_R, {}},
                {Qt::Key_Direction_L, {}},          {Qt::Key_Up, {}}};
            const auto& [other, modifiers] = others[random.bounded(int(std::size(others)))];
            return key(other, modifiers);
        }
        case 0: return key(Qt::Key_A, Qt::ControlModifier);
        case 1: return key(Qt::Key_C, Qt::ControlModifier);
        case 2: return key(Qt::Key_X, Qt::ControlModifier);
        case 3: return key(room ? Qt::Key_V : Qt::Key_C, Qt::ControlModifier);
        case 4: return key(Qt::Key_Y, Qt::ControlModifier);
        case 5: return key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        default: return key(Qt::Key_Z, Qt::ControlModifier);
        }
    }
    const int x = int(random.bounded(twins.field.width()));
    if (roll < 86)
        return pointer(random.bounded(8) == 0 ? Step::MiddleClick : Step::Click, x);
    if (roll < 91)
        return pointer(Step::ShiftClick, x);
    if (roll < 95)
        return pointer(Step::DoubleClick, x);
    if (roll < 96)
        return pointer(Step::TripleClick, x);
    if (roll < 98) {
        // Now and then well above or below the line.
        const int down = random.bounded(4) == 0 ? 30 * (int(random.bounded(3)) - 1) : 0;
        const QPoint by(int(random.bounded(twins.field.width())) - x, down);
        return pointer(Step::Drag, x, by);
    }
    if (roll < 99) {
        const QString& name = menuEntries().at(int(random.bounded(menuEntries().size())));
        return text(Step::Menu, name);
    }
    const QString& some = typed.at(int(random.bounded(typed.size())));
    if (roll < 101)
        return random.bounded(3) == 0 ? text(Step::Insert, some) : inputMethod(random, twins, some);
    return accessStep(random, twins, some);
}

// A short script: keys as QKeySequence names ("Ctrl+Shift+Left"), a count
// after "*", typed text after "type:" (or "input-method:", or "insert:" for
// text a program puts in), an input method's text over a replacement
// ("replace:-3,2:text", from the caret), a reader's replacement of a range
// ("reader-replace:10-12:text"), a double click some points right of the
// caret ("double-click:20"), all separated by spaces.
QList<Step> script(const QString& steps, Twins& twins)
{
    QList<Step> out;
    for (const QString& word : steps.split(u' ', Qt::SkipEmptyParts)) {
        if (word.startsWith(u"type:")) {
            out << text(Step::Type, word.mid(5));
            continue;
        }
        if (word.startsWith(u"input-method:")) {
            out << text(Step::Commit, word.mid(13));
            continue;
        }
        if (word.startsWith(u"insert:")) {
            out << text(Step::Insert, word.mid(7));
            continue;
        }
        if (word.startsWith(u"reader-replace:")) {
            // reader-replace:from-to:text
            const QStringList parts = word.mid(15).split(u':');
            Step step;
            step.kind = Step::Access;
            step.reader = Step::ReplaceText;
            step.from = parts.at(0).section(u'-', 0, 0).toInt();
            step.to = parts.at(0).section(u'-', 1, 1).toInt();
            step.text = parts.at(1);
            out << step;
            continue;
        }
        if (word.startsWith(u"replace:")) {
            // replace:start,length:text, an input method's
            const QStringList parts = word.mid(8).split(u':');
            Step step = text(Step::Commit, parts.at(1));
            step.replacementStart = parts.at(0).section(u',', 0, 0).toInt();
            step.replacementLength = parts.at(0).section(u',', 1, 1).toInt();
            out << step;
            continue;
        }
        if (word.startsWith(u"double-click:")) {
            const int x = caretPoint(twins.field).x() + word.mid(13).toInt();
            out << pointer(Step::DoubleClick, x);
            continue;
        }
        const qsizetype star = word.indexOf(u'*');
        const int times = star < 0 ? 1 : word.mid(star + 1).toInt();
        const QKeyCombination combination = QKeySequence::fromString(word.left(star < 0 ? word.size() : star))[0];
        for (int i = 0; i < times; ++i)
            out << key(combination.key(), combination.keyboardModifiers());
    }
    return out;
}

} // namespace

class LineFieldTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Theme::install(*static_cast<QApplication*>(QCoreApplication::instance())); }

    // Thousands of random steps on texts a few times longer than the window.
    void editsAsAPlainLineEditHoldingTheWholeText_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("window");
        QTest::addColumn<bool>("rightToLeftFirst");
        QTest::newRow("window of 32") << 7u << 32 << false;
        QTest::newRow("window of 48") << 1913u << 48 << false;
        QTest::newRow("window of 64, right to left first") << 424242u << 64 << true;
        QTest::newRow("window of 40") << 99u << 40 << false;
    }
    void editsAsAPlainLineEditHoldingTheWholeText()
    {
        QFETCH(quint32, seed);
        QFETCH(int, window);
        QFETCH(bool, rightToLeftFirst);
        QRandomGenerator random(seed);
        Twins twins(mixedText(random, 6 * window, rightToLeftFirst), window);
        QApplication::clipboard()->setText(u"pasted 😀 words\nover a line"_s);
        QStringList taken;
        for (int i = 0; i < 1000; ++i) {
            const Step step = randomStep(random, twins);
            taken << step.describe();
            QString wrong = twins.take(step);
            if (wrong.isEmpty())
                wrong = twins.difference();
            QVERIFY2(wrong.isEmpty(), qPrintable(u"seed %1, step %2: %3\nafter %4"_s.arg(seed).arg(i).arg(
                                          wrong, taken.mid(std::max<qsizetype>(0, taken.size() - 30)).join(u", "_s))));
        }
    }

    // The cases a window's edges once broke, each as short as it goes.
    void editsAcrossTheWindowsEdges_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("steps");
        const QString tail = u" and the tail that must stay"_s;
        QTest::newRow("Delete held from the start") << prose(200) << u"Home Delete*200"_s;
        QTest::newRow("Delete held mid-text") << prose(300) << u"End Left*150 Delete*150"_s;
        QTest::newRow("Control+Backspace over an endless word") << u"Title: "_s + endlessWord(300)
                                                                << u"End Ctrl+Backspace"_s;
        QTest::newRow("word keys through an endless word")
            << endlessWord(300) + tail
            << u"Ctrl+Right Ctrl+Left Ctrl+Shift+Right Ctrl+Shift+Left End Ctrl+Left*3 Ctrl+Delete"_s;
        QTest::newRow("double click in an endless word")
            << u"A "_s + endlessWord(300) + u" Z"_s << u"End Ctrl+Left*2 double-click:20 type:Q"_s;
        QTest::newRow("undo after the window moved") << prose(300) << u"End type:Z1 Home type:A1 Ctrl+Z*2"_s;
        QTest::newRow("undo and redo every edit in order")
            << prose(300) << u"End type:Z1 Home type:A1 Right*100 Backspace*5 Ctrl+Z*3 Ctrl+Shift+Z*3"_s;
        QTest::newRow("redo of a replaced selection")
            << prose(300) << u"End Left*100 Shift+Left type:X Ctrl+Z Ctrl+Shift+Z type:Q"_s;
        QTest::newRow("redo of a deleted selection") << prose(300)
                                                      << u"End Shift+Left Delete Ctrl+Z Ctrl+Shift+Z Left type:Q"_s;
        QTest::newRow("a selection as wide as the window") << endlessWord(200) + tail
                                                           << u"Home Ctrl+Shift+Right type:x"_s;
        QTest::newRow("words selected back from the end")
            << (endlessWord(17) + u" "_s).repeated(16) << u"End Ctrl+Shift+Left*2 type:x"_s;
        QTest::newRow("an input method's text over a selection beyond the window")
            << prose(300)
            << u"Ctrl+Right*20 type:ab input-method:ñ Ctrl+Z Ctrl+Shift+Z Shift+End input-method:Z Ctrl+Z*2 Ctrl+Shift+Z"_s;
        QTest::newRow("text a program puts in, undone")
            << prose(300) << u"End Ctrl+Left*12 insert:abc type:d Left*40 insert:ef Ctrl+Z Ctrl+Z Ctrl+Shift+Z"_s;
        QTest::newRow("text a program puts in beside the same letter") << prose(300) << u"Home type:T insert:T Ctrl+Z"_s;
        QTest::newRow("text a program puts in over the same text")
            << prose(300) << u"Home Shift+Right*3 insert:The type:x Ctrl+Z"_s;
        QTest::newRow("text a program puts in over a selection beyond the window")
            << prose(300) << u"End Shift+Home insert:Q Ctrl+Z Ctrl+Shift+Z"_s;
        QTest::newRow("redo after undoing an edit before a pair")
            << u"\U0001F600  abc def"_s << u"End Space Home type:x Ctrl+Z Ctrl+Z Ctrl+Y type:Q"_s;
        QTest::newRow("a reader's edit over a selection reaching the window's end")
            << prose(300) << u"Home Ctrl+Right*3 Shift+End reader-replace:60-62:Q Ctrl+Z"_s;
        QTest::newRow("an input method's replacement reaching past the window")
            << prose(300) << u"Home Ctrl+Right*6 replace:-30,60:Q Ctrl+Z"_s;
        QTest::newRow("right to left text, prose at the end")
            << u"שלום "_s + prose(300) << u"End Left Left Ctrl+Left type:x Ctrl+Right Shift+Left Delete"_s;
    }
    void editsAcrossTheWindowsEdges()
    {
        QFETCH(QString, text);
        QFETCH(QString, steps);
        Twins twins(text, 32);
        QStringList taken;
        for (const Step& step : script(steps, twins)) {
            taken << step.describe();
            QString wrong = twins.take(step);
            if (wrong.isEmpty())
                wrong = twins.difference();
            QVERIFY2(wrong.isEmpty(), qPrintable(u"%1\nafter %2"_s.arg(wrong, taken.join(u", "_s))));
        }
    }
};

QTEST_MAIN(LineFieldTest)
#include "LineFieldTest.moc"
