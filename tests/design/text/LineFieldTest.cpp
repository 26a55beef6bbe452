// A one-line field showing a small window of a long text edits exactly as a
// plain line edit holding the whole text: every key, word key, click, double
// and triple click, menu entry and undo step, wherever the window's edges
// fall, every edit assistive technology makes through the field's text
// interfaces, and an input method's events as it sends them. The field and a
// plain line edit take the same steps; after each one their text, caret and
// selection agree, and the field shows what it holds. Where a plain line edit
// leaves half a character or takes out text no event brought anything for,
// the field keeps whole characters and its text; where a plain line edit
// keeps the line breaks and tabs of a paste, the field takes it on one line.

#include "LineFieldTwins.h"

#include "design/DesignSystem.h"
#include "design/style/Theme.h"
#include "design/text/LineBoundaries.h"
#include "design/text/PlainTextField.h"
#include "support/LongTexts.h"

#include <QRandomGenerator>

using namespace studio;
using studio::test::endlessWord;
using studio::test::prose;
using namespace Qt::StringLiterals;

namespace {

using namespace studio::test;

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

// An input method's text, now and then shown as a composition first, now and
// then over whole characters around the caret (as far as the text goes: past
// its end a line edit pads its text, where the field stops at the end).
Step inputMethod(QRandomGenerator& random, const Twins& twins, const QString& commit)
{
    Step step = text(Step::Commit, commit);
    if (random.bounded(2) == 0) {
        step.kind = Step::Compose;
        step.preedit = random.bounded(2) == 0 ? u"\U0001F600"_s : u"ko"_s;
        step.late = random.bounded(2) == 0;
    }
    if (random.bounded(2) == 0)
        return step;
    // Where the caret stands once the selection is gone, as the line edit
    // takes it out first.
    const QLineEdit& plain = twins.plain;
    QString left = plain.text();
    int caret = plain.cursorPosition();
    if (plain.hasSelectedText()) {
        caret = plain.selectionStart();
        left.remove(plain.selectionStart(), plain.selectionEnd() - plain.selectionStart());
    }
    const int size = int(left.size());
    int from = caret + int(random.bounded(-std::min(caret, 40), std::min(size - caret, 40) + 1));
    int to = from + int(random.bounded(0, std::min(size - from, 40) + 1));
    from = int(LineBoundaries::pairStart(left, from));
    if (to > from)
        to = int(LineBoundaries::pairEnd(left, to));
    step.replacementStart = from - caret;
    step.replacementLength = std::max(to - from, 0);
    return step;
}

// What assistive technology does: edits at any offsets of the whole text,
// between the halves of a pair too (the field and the plain line edit take
// them on whole characters alike).
Step accessStep(QRandomGenerator& random, const Twins& twins, const QString& some)
{
    const QString& whole = twins.window->text();
    const auto offset = [&] { return int(random.bounded(int(whole.size()) + 1)); };
    const auto reader = Step::Reader(random.bounded(6));
    int from = offset();
    int to = offset();
    if (reader != Step::Select && from > to)
        std::swap(from, to);
    return Step{.kind = Step::Access, .text = reader == Step::SetText ? whole.left(from) + some : some,
                .reader = reader, .from = from, .to = to};
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

// A step over the range "from,to".
Step ranged(Step::Kind kind, const QString& range)
{
    return Step{.kind = kind, .from = range.section(u',', 0, 0).toInt(), .to = range.section(u',', 1, 1).toInt()};
}

// A short script: keys as QKeySequence names ("Ctrl+Shift+Left"), a count
// after "*", typed text after "type:" (or "input-method:", or "insert:" for
// text a program puts in), an input method's text over a replacement
// ("replace:-3,2:text", from the caret), or shown as a composition first
// ("compose:-3,2:composition:text", "compose-late:..." where the replacement
// comes with the commit), a composition left open ("preedit:ko", cancelled
// by an empty one: "preedit:"), a selection an input method sets
// ("input-select:start,length", from the start of what the line edit holds),
// a reader's replacement of a range ("reader-replace:10-12:text"), a click,
// a click with Shift or a double click some points right of where the caret
// starts ("click:20", "shift-click:20", "double-click:20"), the focus taken
// away and given back by Tab ("refocus"), an entry of the context menu
// ("menu:Select_All"), the line edit's selection set by a program
// ("place:280,10", in the whole text), all separated by spaces.
QList<Step> script(const QString& steps, Twins& twins)
{
    QList<Step> out;
    static const std::pair<QString, Step::Kind> texts[] = {
        {u"type:"_s, Step::Type}, {u"input-method:"_s, Step::Commit}, {u"insert:"_s, Step::Insert}};
    for (const QString& word : steps.split(u' ', Qt::SkipEmptyParts)) {
        const auto typed = std::find_if(std::begin(texts), std::end(texts),
                                        [&word](const auto& prefix) { return word.startsWith(prefix.first); });
        if (typed != std::end(texts)) {
            out << text(typed->second, word.mid(typed->first.size()));
            continue;
        }
        if (word.startsWith(u"reader-replace:")) {
            // reader-replace:from-to:text
            const QStringList parts = word.mid(15).split(u':');
            out << Step{.kind = Step::Access, .text = parts.at(1), .reader = Step::ReplaceText,
                        .from = parts.at(0).section(u'-', 0, 0).toInt(), .to = parts.at(0).section(u'-', 1, 1).toInt()};
            continue;
        }
        if (word.startsWith(u"compose:") || word.startsWith(u"compose-late:")) {
            // compose[-late]:start,length:composition:text, an input method's
            const QStringList parts = word.section(u':', 1).split(u':');
            Step step = text(Step::Compose, parts.at(2));
            step.preedit = parts.at(1);
            step.late = word.startsWith(u"compose-late:");
            step.replacementStart = parts.at(0).section(u',', 0, 0).toInt();
            step.replacementLength = parts.at(0).section(u',', 1, 1).toInt();
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
        if (word.startsWith(u"preedit:")) {
            Step step{.kind = Step::Preedit};
            step.preedit = word.mid(8);
            out << step;
            continue;
        }
        if (word.startsWith(u"input-select:")) {
            out << ranged(Step::InputSelection, word.mid(13));
            continue;
        }
        if (word.startsWith(u"menu:")) {
            const QString name = word.mid(5).replace(u'_', u' ');
            for (const QString& entry : menuEntries()) {
                if (QString(entry).remove(u'&') == name)
                    out << text(Step::Menu, entry);
            }
            continue;
        }
        if (word.startsWith(u"place:")) {
            out << ranged(Step::Place, word.mid(6));
            continue;
        }
        if (word == u"refocus") {
            out << Step{.kind = Step::Refocus};
            continue;
        }
        static const std::pair<QString, Step::Kind> clicks[] = {
            {u"click:"_s, Step::Click}, {u"shift-click:"_s, Step::ShiftClick}, {u"double-click:"_s, Step::DoubleClick}};
        const auto click = std::find_if(std::begin(clicks), std::end(clicks),
                                        [&word](const auto& prefix) { return word.startsWith(prefix.first); });
        if (click != std::end(clicks)) {
            out << pointer(click->second, caretPoint(twins.field).x() + word.mid(click->first.size()).toInt());
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

// Takes `count` steps in both, `next` giving each, until the two disagree: an
// empty string, or what went wrong at which step, after the last steps taken.
template <typename Next>
QString takeSteps(Twins& twins, qsizetype count, Next next)
{
    QStringList taken;
    for (qsizetype i = 0; i < count; ++i) {
        const Step step = next(i);
        taken << step.describe();
        QString wrong = twins.take(step);
        if (wrong.isEmpty())
            wrong = twins.difference();
        if (!wrong.isEmpty()) {
            return u"step %1: %2\nafter %3"_s.arg(i).arg(
                wrong, taken.mid(std::max<qsizetype>(0, taken.size() - 30)).join(u", "_s));
        }
    }
    return {};
}

} // namespace

class LineFieldTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { DesignSystem::install(*static_cast<QApplication*>(QCoreApplication::instance())); }

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
        const QString wrong = takeSteps(twins, 1000, [&](qsizetype) { return randomStep(random, twins); });
        QVERIFY2(wrong.isEmpty(), qPrintable(u"seed %1, %2"_s.arg(seed).arg(wrong)));
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
        QTest::newRow("a composition's replacement reaching before the window")
            << prose(300) << u"End Left*40 compose:-30,10:ko:Q Ctrl+Z"_s;
        QTest::newRow("a composition's replacement reaching past the window")
            << prose(300) << u"Home Ctrl+Right*6 compose:20,15:ko:Q compose-late:-25,12:\U0001F600:R Ctrl+Z"_s;
        QTest::newRow("right to left text, prose at the end")
            << u"שלום "_s + prose(300) << u"End Left Left Ctrl+Left type:x Ctrl+Right Shift+Left Delete"_s;
    }
    void editsAcrossTheWindowsEdges()
    {
        QFETCH(QString, text);
        QFETCH(QString, steps);
        Twins twins(text, 32);
        const QList<Step> scripted = script(steps, twins);
        const QString wrong = takeSteps(twins, scripted.size(), [&](qsizetype i) { return scripted.at(i); });
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    }

    // Where a plain line edit pads its text with spaces (a replacement past
    // the end), takes characters from the start (one before it) or splits a
    // pair, the field stops at the text's ends and takes whole characters,
    // whether the input method composes first or not.
    void anInputMethodKeepsToTheText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("preedit");
        QTest::addColumn<bool>("late");
        QTest::addColumn<int>("replacementStart");
        QTest::addColumn<int>("replacementLength");
        QTest::addColumn<QString>("expected");
        const QString long_ = prose(300);
        const QString pair = u"a\U0001F600b"_s;
        QTest::newRow("composing, past the end") << long_ << u"ko"_s << false << 50 << 3 << long_ + u"Q"_s;
        QTest::newRow("committing a composition, past the end") << long_ << u"ko"_s << true << 50 << 3 << long_ + u"Q"_s;
        QTest::newRow("composing over half a pair") << pair << u"ko"_s << false << -2 << 1 << u"aQb"_s;
        QTest::newRow("committing over half a pair") << pair << QString() << false << -3 << 1 << u"aQb"_s;
        QTest::newRow("composing, before the start") << long_ << u"ko"_s << false << -310 << 5 << u"Q"_s + long_;
        QTest::newRow("committing, before the start") << long_ << QString() << false << -320 << 15 << u"Q"_s + long_;
    }
    void anInputMethodKeepsToTheText()
    {
        QFETCH(QString, text);
        QFETCH(QString, preedit);
        QFETCH(bool, late);
        QFETCH(int, replacementStart);
        QFETCH(int, replacementLength);
        QFETCH(QString, expected);
        Twins twins(text, 32);
        QTest::keyClick(&twins.field, Qt::Key_End);
        QInputMethodEvent composing(preedit, {});
        if (!late)
            composing.setCommitString(u"Q"_s, replacementStart, replacementLength);
        QCoreApplication::sendEvent(&twins.field, &composing);
        QInputMethodEvent done;
        if (late)
            done.setCommitString(u"Q"_s, replacementStart, replacementLength);
        QCoreApplication::sendEvent(&twins.field, &done);
        QCOMPARE(twins.window->text(), expected);
        QCOMPARE(twins.window->cursorPosition(), expected.indexOf(u'Q') + 1);
    }

    // An input method's events as it sends them, around what ends a line
    // edit's composition: a key the field takes, a click, a double click, the
    // focus leaving and coming back, a menu entry, a program setting the line
    // edit's selection. The field's composition ends with the line edit's, so an
    // event that brings no text (a cancel, a selection) deletes nothing, the
    // same composition again takes the selection's place in both, and the
    // field and a plain line edit agree all along.
    void aCompositionEndsWithTheLineEdits_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("kept");
        const QString long_ = prose(300);
        const QString pairs = u"\U0001F600\U0001D52B"_s.repeated(100);
        const std::pair<const char*, QString> thens[] = {
            {"a cancel", u"preedit:"_s},
            {"a selection", u"input-select:2,4"_s},
            {"the same composition", u"preedit:k"_s}};
        for (const auto& [thenName, steps] : thens) {
            const bool kept = steps != u"preedit:k";
            const QLatin1StringView then(thenName);
            const auto row = [then](const char* name) -> QTestData& {
                return QTest::newRow(qPrintable(u"%1, then %2"_s.arg(QLatin1StringView(name), then)));
            };
            row("Control+A") << long_ << u"End preedit:k Ctrl+A "_s + steps << kept;
            row("Control+A in pairs") << pairs << u"End preedit:\U0001F600 Ctrl+A "_s + steps << kept;
            row("Shift+Right") << long_ << u"Home preedit:k Shift+Right "_s + steps << kept;
            row("a click, Shift+Home") << long_ << u"End preedit:k click:40 Shift+Home "_s + steps << kept;
            row("a click with Shift") << long_ << u"End preedit:k shift-click:40 "_s + steps << kept;
            row("a double click") << long_ << u"End preedit:k double-click:40 "_s + steps << kept;
            row("Tab away and back") << long_ << u"End preedit:k refocus "_s + steps << kept;
            row("the menu's Select All") << long_ << u"End preedit:k menu:Select_All "_s + steps << kept;
            row("a program's selection") << long_ << u"End preedit:k place:280,10 "_s + steps << kept;
        }
    }
    void aCompositionEndsWithTheLineEdits()
    {
        QFETCH(QString, text);
        QFETCH(QString, steps);
        QFETCH(bool, kept);
        Twins twins(text, 32);
        const QSignalSpy edits(twins.window, &LineWindow::textEdited);
        const QList<Step> scripted = script(steps, twins);
        const QString wrong = takeSteps(twins, scripted.size(), [&](qsizetype i) { return scripted.at(i); });
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        if (kept) {
            QCOMPARE(twins.window->text(), text);
            QCOMPARE(edits.size(), 0);
        }
    }

    // An input method that selects while it composes, then cancels: the
    // line edit shows the composition until the cancel, and where a line
    // edit takes the selection out then, the field keeps its text.
    void aCancelledCompositionKeepsTheSelection()
    {
        const QString text = prose(60);
        Twins twins(text, 32);
        QInputMethodEvent composing(u"k"_s, {});
        QCoreApplication::sendEvent(&twins.field, &composing);
        QInputMethodEvent selecting(u"k"_s, {{QInputMethodEvent::Selection, 2, 4, QVariant()}});
        QCoreApplication::sendEvent(&twins.field, &selecting);
        // The caret shown after the composition, then where it was.
        const int composed = twins.field.inputMethodQuery(Qt::ImCursorRectangle).toRect().x();
        QInputMethodEvent cancel;
        QCoreApplication::sendEvent(&twins.field, &cancel);
        QVERIFY(twins.field.inputMethodQuery(Qt::ImCursorRectangle).toRect().x() < composed);
        QCOMPARE(twins.window->text(), text);
        QCOMPARE(twins.field.text(), text);
        QCOMPARE(twins.window->selectionStart(), 2);
        QCOMPARE(twins.window->selectionEnd(), 6);
        QCOMPARE(twins.field.selectedText(), text.mid(2, 4));
    }

    // Qt's own lookup of a point can put the caret between the halves of a
    // pair (where it cuts a long run of one script into parts: at 4,096
    // characters). A click, a drag, a double click, or a middle click in a
    // composition (which pastes where the selection clipboard is kept)
    // anywhere across a text of pairs lands between whole characters, and
    // what is typed there leaves no half of one.
    void pointingLandsBetweenWholeCharacters_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("click") << int(Step::Click);
        QTest::newRow("drag") << int(Step::Drag);
        QTest::newRow("double click") << int(Step::DoubleClick);
        QTest::newRow("middle click in a composition") << int(Step::MiddleClick);
    }
    void pointingLandsBetweenWholeCharacters()
    {
        QFETCH(int, kind);
        // A letter, then pairs: Qt's cut at 4,096 falls inside one.
        const QString text = u"x"_s + u"\U0001D52B"_s.repeated(20'000);
        PlainTextField field(QString(), Theme::font(13));
        field.resize(400, 30);
        field.show();
        field.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&field));
        field.setFocus();
        field.setText(text);
        QLineEdit* edit = field.lineEdit();
        LineWindow* window = LineWindow::of(edit);
        if (QApplication::clipboard()->supportsSelection())
            QApplication::clipboard()->setText(u"\U0001F600"_s, QClipboard::Selection);
        // The caret just past the cut, which the line edit then shows: every
        // point Qt finds inside a pair, and points across the whole field.
        const auto place = [&] {
            field.setText(text);
            window->setCursorPosition(4101);
            // Where the line edit scrolls to, as it paints.
            edit->repaint();
        };
        place();
        const int y = edit->height() / 2;
        const int caretX = caretPoint(*edit).x();
        QList<int> xs;
        for (int x = 0; x < edit->width(); ++x) {
            if (x % 25 == 0 || LineBoundaries::splitsPair(text, edit->cursorPositionAt(QPoint(x, y))))
                xs << x;
        }
        for (int x : xs) {
            place();
            const QPoint at(x, y);
            switch (Step::Kind(kind)) {
            case Step::Drag:
                QTest::mousePress(edit, Qt::LeftButton, {}, QPoint(caretX, y));
                QTest::mouseMove(edit, at);
                QTest::mouseRelease(edit, Qt::LeftButton, {}, at);
                break;
            case Step::DoubleClick:
                QTest::mouseDClick(edit, Qt::LeftButton, {}, at);
                break;
            case Step::MiddleClick: {
                QInputMethodEvent composing(u"k"_s, {});
                QCoreApplication::sendEvent(edit, &composing);
                QTest::mouseClick(edit, Qt::MiddleButton, {}, at);
                break;
            }
            default:
                QTest::mouseClick(edit, Qt::LeftButton, {}, at);
            }
            const QString where = u"at x %1: caret %2, selection %3..%4"_s.arg(x)
                                      .arg(window->cursorPosition())
                                      .arg(window->selectionStart())
                                      .arg(window->selectionEnd());
            for (qsizetype edge : {window->cursorPosition(), window->selectionStart(), window->selectionEnd()})
                QVERIFY2(!LineBoundaries::splitsPair(window->text(), edge), qPrintable(where));
            QTest::keyClick(edit, Qt::Key_Z, Qt::ShiftModifier);
            QVERIFY2(LineBoundaries::wholeCharacters(window->text()) == window->text(), qPrintable(where));
        }
    }

    // A selection an input method sets with an edge inside a pair takes the
    // pair whole.
    void anInputMethodsSelectionTakesWholeCharacters()
    {
        Twins twins(u"a\U0001F600b\U0001F600"_s, 32);
        const QList<QInputMethodEvent::Attribute> selection{{QInputMethodEvent::Selection, 2, 3, QVariant()}};
        QInputMethodEvent select(QString(), selection);
        QCoreApplication::sendEvent(&twins.field, &select);
        QCOMPARE(twins.window->selectionStart(), qsizetype(1));
        QCOMPARE(twins.window->selectionEnd(), qsizetype(6));
        QCOMPARE(twins.window->cursorPosition(), qsizetype(6));
        QCOMPARE(twins.field.selectedText(), u"\U0001F600b\U0001F600"_s);
    }
};

QTEST_MAIN(LineFieldTest)
#include "LineFieldTest.moc"
