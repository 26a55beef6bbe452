// Where a caret goes when a refresh rewrites the text it is in: what the old
// and the new text share at either end stays put, a caret inside what was
// replaced goes to the end of its replacement (a caret where text only came
// in goes past it), and no pair is ever split; every field and editor the
// user types in keeps its caret and selection so.

#include "design/DesignSystem.h"
#include "design/style/Theme.h"
#include "design/text/LineBoundaries.h"
#include "design/text/PlainTextEditor.h"
#include "design/text/PlainTextField.h"
#include "design/text/SleekTextEditor.h"
#include "design/text/SleekTextField.h"
#include "design/text/TextChange.h"

#include <QApplication>
#include <QLineEdit>
#include <QTextEdit>
#include <QtTest>

#include <functional>
#include <memory>

using namespace studio;
using namespace Qt::StringLiterals;

class TextChangeTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { DesignSystem::install(*static_cast<QApplication*>(QCoreApplication::instance())); }

    void mapsACaretThroughARewrite_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("expected");
        const QString draft = u"SP1-PREMISE drafted paragraph."_s;
        QTest::newRow("spaces written over by a draft") << u"   "_s << draft << 3 << int(draft.size());
        QTest::newRow("an empty text given a draft") << QString() << draft << 0 << int(draft.size());
        QTest::newRow("in the kept start") << u"The keeper counts"_s << u"The keeper still counts"_s << 4 << 4;
        QTest::newRow("at the kept start's end, text replaced after")
            << u"The keeper counts"_s << u"The warden counts"_s << 4 << 4;
        QTest::newRow("in the kept end") << u"The keeper counts"_s << u"At night the keeper counts"_s << 11 << 20;
        QTest::newRow("inside the replaced word") << u"the keeper counts"_s << u"the warden counts"_s << 6 << 10;
        QTest::newRow("where text came in") << u"keeper counts"_s << u"keeper still counts"_s << 7 << 13;
        QTest::newRow("past the old text's end") << u"abc"_s << u"abcd"_s << 9 << 4;
        QTest::newRow("before the start") << u"abc"_s << u"abX"_s << -2 << 0;
        // The shared ends stop short of a pair whose halves differ.
        QTest::newRow("a pair whose second half changed")
            << u"a\U0001F600b"_s << u"a\U0001F601b"_s << 3 << 3;
        QTest::newRow("a pair whose first half changed")
            << u"a\U0001F600b"_s << u"a\U0001D52Bb"_s << 1 << 1;
        QTest::newRow("inside the replaced pair")
            << u"x\U0001F600\U0001F600y"_s << u"x\U0001F600\U0001F601y"_s << 4 << 5;
    }
    void mapsACaretThroughARewrite()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(int, position);
        QFETCH(int, expected);
        const TextChange change(before, after);
        const qsizetype mapped = change.map(position);
        QCOMPARE(mapped, qsizetype(expected));
        QVERIFY(!LineBoundaries::splitsPair(after, mapped));
    }

    // An assist's reply lands in the field or editor the user is typing in
    // (a premise of spaces is written over): a caret inside what the reply
    // replaced goes to its end, so the keys that follow go after the reply,
    // never into it; a caret and a selection in the text kept at either end
    // stay with it.
    void typingGoesOnAfterARefreshUnderTheCaret_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("one-line field") << 0;
        QTest::newRow("captioned one-line field") << 1;
        QTest::newRow("editor") << 2;
        QTest::newRow("captioned editor") << 3;
    }
    void typingGoesOnAfterARefreshUnderTheCaret()
    {
        QFETCH(int, kind);
        std::unique_ptr<QWidget> owner;
        QWidget* keys = nullptr;
        std::function<void(const QString&)> setText;
        std::function<QString()> text;
        std::function<QString()> selected;
        const auto field = [&](auto* made, QLineEdit* edit) {
            owner.reset(made);
            keys = edit;
            setText = [made](const QString& t) { made->setText(t); };
            text = [made] { return made->text(); };
            selected = [edit] { return edit->selectedText(); };
        };
        const auto editor = [&](auto* made) {
            owner.reset(made);
            keys = made->textEdit();
            setText = [made](const QString& t) { made->setText(t); };
            text = [made] { return made->text(); };
            selected = [made] { return made->textEdit()->textCursor().selectedText(); };
        };
        switch (kind) {
        case 0: {
            auto* made = new PlainTextField(QString(), Theme::font(13));
            field(made, made->lineEdit());
            break;
        }
        case 1: {
            auto* made = new SleekTextField(u"Logline"_s, QString());
            field(made, made->lineEdit());
            break;
        }
        case 2: editor(new PlainTextEditor(QString(), Theme::font(13))); break;
        default: editor(new SleekTextEditor(u"Premise"_s, QString(), 80, 13)); break;
        }
        owner->resize(400, owner->sizeHint().height());
        owner->show();
        owner->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(owner.get()));
        keys->setFocus();
        QVERIFY(keys->hasFocus());

        QTest::keyClicks(keys, u"   "_s);
        const QString draft = u"SP1-PREMISE drafted paragraph: the keeper counts the ships."_s;
        setText(draft);
        QTest::keyClicks(keys, u"xyz"_s);
        QCOMPARE(text(), draft + u"xyz"_s);

        // Words come in before the caret, then the draft changes on both
        // sides of a selection.
        setText(u"Tonight: "_s + draft + u"xyz"_s);
        QTest::keyClicks(keys, u"!"_s);
        QCOMPARE(text(), u"Tonight: "_s + draft + u"xyz!"_s);
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(keys, Qt::Key_Left, Qt::ShiftModifier);
        setText(u"Tonight: "_s + draft.left(20) + u"xyz!"_s);
        QCOMPARE(selected(), u"xyz!"_s);
    }
};

QTEST_MAIN(TextChangeTest)
#include "TextChangeTest.moc"
