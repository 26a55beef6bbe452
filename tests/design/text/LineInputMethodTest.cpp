// An input method that commits one word in the same step as it begins the
// next (a Japanese engine converting as the next key comes): the one-line
// field asks nothing of the input method while it handles the input method's
// own events, as a plain line edit asks nothing, so the engine keeps what it
// began; and the field comes out holding what a plain line edit holds. The
// input method here only counts what it is asked.

#include "design/DesignSystem.h"
#include "design/text/LineWindow.h"
#include "support/CountingInputMethod.h"
#include "support/LongTexts.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QtTest>

#include <climits>

using namespace studio;
using studio::test::CountingInputMethod;
using namespace Qt::StringLiterals;

namespace {

// Made with the application.
const bool s_counting = (CountingInputMethod::use(), true);

// What the engine sends for each key: text it commits, and the composition
// it shows after (none once it commits the last).
struct Sent {
    QString commit;
    QString preedit;
    // A selection it sets as it composes, from the caret over this many
    // characters (back where negative), if any.
    int selects = 0;
};
using Engine = QList<Sent>;

// Keys typed into the Hiragana engine, a space converting what is composed;
// the next key commits the conversion as it begins a composition of its own.
Engine nihonKana()
{
    return {{{}, u"n"_s},      {{}, u"に"_s},    {{}, u"にh"_s},       {{}, u"にほ"_s}, {{}, u"にほn"_s},
            {{}, u"日本"_s},   {u"日本"_s, u"k"_s}, {{}, u"か"_s},     {{}, u"かn"_s},  {{}, u"かな"_s},
            {u"かな"_s, {}}};
}

Engine nihonKanjiDesu()
{
    return {{{}, u"に"_s},     {{}, u"にほn"_s},   {{}, u"日本"_s},    {u"日本"_s, u"k"_s}, {{}, u"かn"_s},
            {{}, u"かんj"_s},  {{}, u"かんじ"_s},  {{}, u"漢字"_s},    {u"漢字"_s, u"d"_s}, {{}, u"で"_s},
            {{}, u"でs"_s},    {{}, u"です"_s},    {u"です"_s, {}}};
}

Engine watashiHa()
{
    return {{{}, u"わ"_s},   {{}, u"わた"_s}, {{}, u"わたし"_s}, {{}, u"私"_s},
            {u"私"_s, u"h"_s}, {{}, u"は"_s},   {{}, u"は"_s},     {u"は"_s, {}}};
}

// An engine that selects part of the text as it composes (far back, where
// the field's window moves after the caret), composes on and commits.
Engine selectingAsItComposes()
{
    return {{{}, u"k"_s}, {{}, u"k"_s, -5000}, {{}, u"k"_s}, {{}, u"ka"_s}, {u"か"_s, {}}};
}

// The same keys from a platform that sends what it commits and the next
// composition as two events.
Engine inTwoEvents(const Engine& engine)
{
    Engine two;
    for (const Sent& sent : engine) {
        if (!sent.commit.isEmpty() && !sent.preedit.isEmpty())
            two << Sent{sent.commit, {}} << Sent{{}, sent.preedit, sent.selects};
        else
            two << sent;
    }
    return two;
}

struct Outcome {
    QString text;
    int caret = 0;
    test::InputMethodRequests asked;
};

// A line edit given `text` with the caret at `caret`, in the keyboard, then
// sent the engine's events.
class Typing {
public:
    explicit Typing(bool field)
    {
        edit.setMaxLength(INT_MAX);
        if (field)
            window = new LineWindow(&edit);
        edit.resize(400, 30);
        edit.show();
        edit.activateWindow();
        if (!QTest::qWaitForWindowActive(&edit))
            qWarning("The line edit's window is not active");
        edit.setFocus();
    }

    void place(const QString& text, qsizetype caret)
    {
        if (window) {
            window->setText(text);
            window->setCursorPosition(caret);
        } else {
            edit.setText(text);
            edit.setCursorPosition(int(caret));
        }
    }

    Outcome type(const Engine& engine)
    {
        CountingInputMethod::clear();
        for (const Sent& sent : engine) {
            // From the start of what the line edit holds, as the input
            // method knows it.
            QList<QInputMethodEvent::Attribute> selection;
            if (sent.selects != 0) {
                const int caret = window ? int(window->cursorPosition() - window->windowStart()) : edit.cursorPosition();
                selection << QInputMethodEvent::Attribute(QInputMethodEvent::Selection, caret, sent.selects);
            }
            QInputMethodEvent event(sent.preedit, selection);
            if (!sent.commit.isEmpty())
                event.setCommitString(sent.commit);
            QCoreApplication::sendEvent(&edit, &event);
        }
        if (window)
            return {window->text(), int(window->cursorPosition()), CountingInputMethod::requests()};
        return {edit.text(), edit.cursorPosition(), CountingInputMethod::requests()};
    }

    QLineEdit edit;
    LineWindow* window = nullptr;
};

} // namespace

Q_DECLARE_METATYPE(Sent)

class LineInputMethodTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        DesignSystem::install(*qApp);
        QVERIFY(s_counting && CountingInputMethod::installed());
    }

    void anEngineCommittingAsItComposesKeepsBoth_data()
    {
        QTest::addColumn<Engine>("engine");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        const std::pair<const char*, Engine> engines[] = {
            {"nihon kana", nihonKana()}, {"nihon kanji desu", nihonKanjiDesu()}, {"watashi ha", watashiHa()},
            {"selecting as it composes", selectingAsItComposes()}};
        const QString long_ = test::prose(40'000);
        const std::tuple<const char*, QString, int> fields[] = {
            {"an empty field", QString(), 0},
            {"after a title", u"Working title: "_s, 15},
            {"40,000 characters, at the end", long_, int(long_.size())},
            {"40,000 characters, in the middle", long_, 20'001}};
        for (const auto& [engineName, engine] : engines) {
            for (const auto& [fieldName, text, caret] : fields) {
                QTest::addRow("%s, one event, %s", engineName, fieldName) << engine << text << caret;
                QTest::addRow("%s, two events, %s", engineName, fieldName) << inTwoEvents(engine) << text << caret;
            }
        }
    }
    void anEngineCommittingAsItComposesKeepsBoth()
    {
        QFETCH(Engine, engine);
        QFETCH(QString, text);
        QFETCH(int, caret);
        Outcome plain;
        {
            Typing typing(false);
            typing.place(text, caret);
            plain = typing.type(engine);
        }
        QCOMPARE(plain.asked.total(), 0);
        Typing typing(true);
        typing.place(text, caret);
        const Outcome field = typing.type(engine);
        QCOMPARE(field.asked.commits, 0);
        QCOMPARE(field.asked.resets, 0);
        QCOMPARE(field.text, plain.text);
        QCOMPARE(field.caret, plain.caret);
        QCOMPARE(typing.edit.text(), typing.window->text().mid(typing.window->windowStart(), typing.edit.text().size()));
    }

    // A refresh that rewrites the text as an engine's word lands (a change
    // the edit brought about) asks nothing of the input method either: the
    // next word's composition goes on after the new text.
    void aRefreshInsideTheInputMethodsEventAsksNothing()
    {
        Typing typing(true);
        connect(typing.window, &LineWindow::textEdited, typing.window, [&typing](const QString& text) {
            if (!text.startsWith(u'«'))
                typing.window->setText(u'«' + text);
        });
        const Outcome field = typing.type(nihonKana());
        QCOMPARE(field.asked.total(), 0);
        QCOMPARE(field.text, u"«日本かな"_s);
        QCOMPARE(field.caret, field.text.size());
    }
};

QTEST_MAIN(LineInputMethodTest)
#include "LineInputMethodTest.moc"
