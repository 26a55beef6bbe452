// What a screen reader hears of the design's controls, with accessibility on
// as a reader switches it on: names short whatever the text (the text stays
// whole where it is shown, and a label or capsule reads it whole through its
// text interface), no name said twice as its description, a field described
// by the hint it shows while empty, a
// slider's value as the value it stands for, only what holds the keyboard
// read as focused, and a menu opened from the keyboard saying its
// highlighted entry once it is up.

#include "design/access/AccessibleFocus.h"
#include "design/access/AccessibleRelay.h"
#include "design/text/PlainTextEditor.h"
#include "design/text/SleekTextEditor.h"
#include "design/text/SleekTextField.h"
#include "design/widgets/Chip.h"
#include "design/widgets/LabeledSlider.h"
#include "design/widgets/MenuButton.h"
#include "design/widgets/PillPicker.h"
#include "design/widgets/Slider.h"
#include "design/widgets/SpokenName.h"
#include "design/widgets/SymbolButton.h"
#include "design/widgets/TagField.h"
#include "design/widgets/TextCapsule.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/widgets/ToolbarIconButton.h"
#include "support/ListeningTest.h"
#include "support/LongTexts.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QtTest>

#include <functional>
#include <memory>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;

namespace {

QAccessibleInterface* interfaceOf(QWidget* widget)
{
    return QAccessible::queryAccessibleInterface(widget);
}

// A key as it reaches a control while a screen reader listens: the reader's
// bridge holds the user's key back and posts a copy, no longer spontaneous.
void readerKey(QWidget* control, Qt::Key key)
{
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
        QCoreApplication::postEvent(control, new QKeyEvent(type, key, Qt::NoModifier, 36, key, 0));
}

// A widget asked for while its base class was still being built: Qt keeps
// the interface made then, for the base's class, beside its own.
class AskedWhileBuilt : public QWidget {
public:
    AskedWhileBuilt() { early = QAccessible::uniqueId(QAccessible::queryAccessibleInterface(this)); }
    QAccessible::Id early = 0;
};

class Grown : public AskedWhileBuilt {
    Q_OBJECT
};

} // namespace

class HeardTest : public ListeningTest {
    Q_OBJECT

private Q_SLOTS:
    // The first watch in the chain hands events to the platform with every
    // handler stepped aside for the moment; the watches installed after it
    // must still stand afterwards, or the next event skips them.
    void aRelayedEventLeavesTheWatchesInPlace()
    {
        static int seen = 0;
        const QAccessible::UpdateHandler outer = [](QAccessibleEvent*) { ++seen; };
        const QAccessible::UpdateHandler before = QAccessible::installUpdateHandler(outer);
        QWidget widget;
        QAccessibleEvent event(&widget, QAccessible::NameChanged);
        relayAccessibleEvent(&event, nullptr);
        QAccessible::updateAccessibility(&event);
        QAccessible::installUpdateHandler(before);
        QCOMPARE(seen, 1);
    }

    void namesAreShortAndNotSaidTwice()
    {
        const QString whole = prose(1 << 20);
        const QString spoken = spokenName(whole);
        QVERIFY(spoken.size() <= 200 && spoken.endsWith(QChar(0x2026)));
        QWidget window;
        auto* row = new QHBoxLayout(&window);
        struct Case {
            const char* what;
            QWidget* control;
            QString name;
            QAccessible::Role role = QAccessible::NoRole;
            // What its text interface reads, for a text shown as it is.
            QString text;
        };
        auto* tags = new TagField(u"Mood words"_s);
        tags->setTags({whole});
        auto* picker = new PillPicker;
        picker->setOptions(QList<std::pair<int, QString>>{{0, whole}});
        auto* tip = new SymbolButton(u"xmark"_s, 7, Qt::white);
        tip->setToolTip(whole);
        auto* close = new SymbolButton(u"xmark"_s, 7, Qt::white);
        close->setToolTip(u"Close tab"_s);
        auto* label = new TextLabel;
        label->setText(whole);
        const QList<Case> cases{
            {"label made with its text", new TextLabel(u"Your studio."_s, QFont(), Qt::white),
             u"Your studio."_s, QAccessible::StaticText, u"Your studio."_s},
            {"long label made with its text", new TextLabel(whole, QFont(), Qt::white), spoken,
             QAccessible::StaticText, whole},
            {"long label given its text", label, spoken, QAccessible::StaticText, whole},
            {"capsule", new TextCapsule(whole), spoken, QAccessible::StaticText, whole},
            {"chip", new Chip(whole, false), spoken},
            {"pill", picker->pill(0), spoken},
            {"menu button", new MenuButton(whole), spoken},
            {"tag's remove button", tags->findChildren<SymbolButton*>().value(0),
             spokenName(u"Remove "_s + spoken)},
            {"named by its tool tip", tip, spoken},
            {"named by a short tool tip", close, u"Close tab"_s},
            {"toolbar button", new ToolbarIconButton(u"plus"_s, u"Add scene"_s), u"Add scene"_s},
        };
        for (const Case& c : cases) {
            QVERIFY2(c.control, c.what);
            if (!c.control->parentWidget())
                row->addWidget(c.control);
        }
        row->addWidget(tags);
        row->addWidget(picker);
        window.show();
        for (const Case& c : cases) {
            QAccessibleInterface* iface = interfaceOf(c.control);
            QCOMPARE(iface->text(QAccessible::Name), c.name);
            if (c.role != QAccessible::NoRole)
                QCOMPARE(iface->role(), c.role);
            QVERIFY2(iface->text(QAccessible::Description) != c.name, c.what);
            if (c.text.isNull())
                continue;
            QAccessibleTextInterface* text = iface->textInterface();
            QVERIFY2(text && !iface->editableTextInterface(), c.what);
            QCOMPARE(text->characterCount(), int(c.text.size()));
            QVERIFY2(text->text(0, text->characterCount()) == c.text, c.what);
        }
        // The whole text is still what the label shows.
        QCOMPARE(label->text(), whole);
        // A label told the text it shows tells no new name.
        heard().clear();
        label->setText(whole);
        label->setText(u"Dream"_s);
        QCOMPARE(heardOf(QAccessible::NameChanged).size(), 1);
        QCOMPARE(interfaceOf(label)->textInterface()->characterCount(), 5);
    }

    // A field says the hint it shows while empty, unless the hint is only its
    // name again; a description of its own comes first.
    void fieldsAreDescribedByTheirHint_data()
    {
        QTest::addColumn<bool>("multiLine");
        QTest::addColumn<QString>("placeholder");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QString>("description");
        const QString hint = u"https://api.example.com/v1"_s;
        QTest::newRow("line with a hint") << false << hint << QString() << hint;
        QTest::newRow("line named as its hint") << false << u"Act title"_s << QString() << QString();
        QTest::newRow("line with a tool tip") << false << hint << u"Where assists go"_s << u"Where assists go"_s;
        QTest::newRow("text with a hint") << true << hint << QString() << hint;
        QTest::newRow("text named as its hint") << true << u"Act title"_s << QString() << QString();
        QTest::newRow("text with its name as tool tip") << true << hint << u"Act title"_s << QString();
    }

    void fieldsAreDescribedByTheirHint()
    {
        QFETCH(bool, multiLine);
        QFETCH(QString, placeholder);
        QFETCH(QString, toolTip);
        QFETCH(QString, description);
        std::unique_ptr<QWidget> field;
        if (multiLine) {
            auto* edit = new QTextEdit;
            edit->setPlaceholderText(placeholder);
            field.reset(edit);
        } else {
            auto* edit = new QLineEdit;
            edit->setPlaceholderText(placeholder);
            field.reset(edit);
        }
        field->setAccessibleName(u"Act title"_s);
        field->setToolTip(toolTip);
        QCOMPARE(interfaceOf(field.get())->text(QAccessible::Description), description);
    }

    // A slider reads, sets and tells the value it stands for, never the
    // knob's place on its track.
    void slidersReadTheirValue()
    {
        QWidget window;
        auto* row = new QHBoxLayout(&window);
        auto* seconds = new Slider(1, 20);
        seconds->setStep(0.5);
        seconds->setValue(4);
        auto* tone = new Slider(0, 1);
        tone->setValue(0.5);
        row->addWidget(seconds);
        row->addWidget(tone);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QAccessibleValueInterface* value = interfaceOf(seconds)->valueInterface();
        QCOMPARE(value->currentValue().toDouble(), 4.0);
        QCOMPARE(value->minimumValue().toDouble(), 1.0);
        QCOMPARE(value->maximumValue().toDouble(), 20.0);
        QCOMPARE(value->minimumStepSize().toDouble(), 0.5);
        // A value set by a reader is the user's, on the slider's grid and
        // inside its range.
        QSignalSpy edited(seconds, &Slider::valueEdited);
        value->setCurrentValue(7.3);
        value->setCurrentValue(100);
        QCOMPARE(edited.count(), 2);
        QCOMPARE(edited.at(0).at(0).toDouble(), 7.5);
        QCOMPARE(value->currentValue().toDouble(), 20.0);

        tone->setFocus(Qt::TabFocusReason);
        heard().clear();
        QTest::keyClick(tone, Qt::Key_Right);
        QCOMPARE(interfaceOf(tone)->valueInterface()->currentValue().toDouble(), 0.51);
        QStringList told;
        for (const HeardEvent& e : heardOf(QAccessible::ValueChanged))
            told << e.text;
        QCOMPARE(told, QStringList{u"0.51"_s});
        // Shown again as it is, it is not told again; a step too small to
        // move the knob is told all the same.
        tone->setValue(0.51);
        tone->setValue(0.99996);
        heard().clear();
        QTest::keyClick(tone, Qt::Key_Right);
        told.clear();
        for (const HeardEvent& e : heardOf(QAccessible::ValueChanged))
            told << e.text;
        QCOMPARE(told, QStringList{u"1"_s});
    }

    // Only what holds the keyboard reads as focused: not the well round a
    // field, the widget wrapping it, its text edit's viewport nor a slider's
    // labelled row.
    void onlyWhatHoldsTheKeyboardReadsFocused()
    {
        QWidget window;
        auto* column = new QVBoxLayout(&window);
        const QList<QWidget*> fields{new SleekTextField(u"Title"_s, QString()),
                                     new SleekTextEditor(u"Premise"_s, QString(), 60, 15),
                                     new PlainTextEditor(u"Logline"_s, Theme::font(15)),
                                     new LabeledSlider(u"Humor"_s, u"Dry"_s, u"Silly"_s)};
        for (QWidget* field : fields)
            column->addWidget(field);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        for (QWidget* field : fields) {
            field->setFocus(Qt::TabFocusReason);
            QWidget* holder = QApplication::focusWidget();
            QVERIFY(holder && holder != field);
            QVERIFY(interfaceOf(holder)->state().focused);
            for (QWidget* w : window.findChildren<QWidget*>()) {
                if (QAccessibleInterface* iface = interfaceOf(w); iface && w != holder)
                    QVERIFY2(!iface->state().focused, qPrintable(QString::fromLatin1(w->metaObject()->className())));
            }
        }
    }

    // A widget made a new object for readers drops the one interface it was
    // read by; whatever else was made for it goes when it goes.
    void standingAnewLeavesNothingBehind()
    {
        auto* widget = new Grown;
        const QAccessible::Id early = widget->early;
        const QAccessible::Id own = QAccessible::uniqueId(interfaceOf(widget));
        QVERIFY(early && own && early != own);
        AccessibleFocus::standsAnew(widget);
        QVERIFY(!QAccessible::accessibleInterface(own));
        QVERIFY(QAccessible::accessibleInterface(early));
        const QAccessible::Id anew = QAccessible::uniqueId(interfaceOf(widget));
        QVERIFY(anew);
        delete widget;
        QVERIFY(!QAccessible::accessibleInterface(early));
        QVERIFY(!QAccessible::accessibleInterface(anew));
    }

    // A menu opened from the keyboard says its highlighted entry once it is
    // up, also when a reader's bridge hands the key on.
    void keyboardMenuSaysItsEntry_data()
    {
        QTest::addColumn<bool>("throughReader");
        QTest::newRow("keyboard") << false;
        QTest::newRow("keyboard through a reader") << true;
    }

    void keyboardMenuSaysItsEntry()
    {
        QFETCH(bool, throughReader);
        QWidget window;
        auto* row = new QHBoxLayout(&window);
        auto* picker = new MenuButton(u"Structure"_s);
        row->addWidget(picker);
        picker->menu()->addSection(u"Kinds"_s);
        QAction* first = picker->menu()->addAction(u"Three-Act"_s);
        picker->menu()->addAction(u"Hero's Journey"_s);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        picker->setFocus(Qt::TabFocusReason);
        heard().clear();
        if (throughReader)
            readerKey(picker, Qt::Key_Return);
        else
            QTest::keyClick(picker, Qt::Key_Return);
        QTRY_VERIFY(picker->menu()->isVisible());
        QCOMPARE(picker->menu()->activeAction(), first);
        // Said after the menu shows, so the reader says the entry, not the menu.
        const auto saidOnceUp = [menu = picker->menu()] {
            qsizetype shown = -1;
            qsizetype said = -1;
            for (qsizetype i = 0; i < heard().size(); ++i) {
                if (heard()[i].object == menu && heard()[i].type == QAccessible::ObjectShow)
                    shown = i;
                if (heard()[i].type == QAccessible::Focus)
                    said = i;
            }
            return shown >= 0 && said > shown;
        };
        QTRY_VERIFY(saidOnceUp());
        QCOMPARE(lastFocus().name, u"Three-Act"_s);
        QCOMPARE(lastFocus().object, picker->menu());
        picker->menu()->close();
    }

    // A field Tab moves into is heard focused before anything of its text
    // (its text all selected as it takes the keyboard is read by the focus),
    // and nothing is said of its selection going as the keyboard leaves it;
    // a selection made while it holds the keyboard is told.
    void aFieldIsHeardFocusedFirstAndNotAfterItIsLeft_data()
    {
        QTest::addColumn<bool>("windowed");
        QTest::newRow("one-line field") << true;
        QTest::newRow("line edit") << false;
    }

    void aFieldIsHeardFocusedFirstAndNotAfterItIsLeft()
    {
        QFETCH(bool, windowed);
        QWidget window;
        auto* column = new QVBoxLayout(&window);
        auto* before = new QPushButton(u"Before"_s);
        auto* sleek = windowed ? new SleekTextField(u"Title"_s, QString()) : nullptr;
        QLineEdit* edit = sleek ? sleek->lineEdit() : new QLineEdit;
        auto* after = new QPushButton(u"After"_s);
        column->addWidget(before);
        column->addWidget(sleek ? static_cast<QWidget*>(sleek) : edit);
        column->addWidget(after);
        if (sleek)
            sleek->setText(u"Night Ferry"_s);
        else
            edit->setText(u"Night Ferry"_s);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        before->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        heard().clear();
        const auto ofEdit = [edit](QAccessible::Event type) {
            QList<qsizetype> at;
            for (qsizetype i = 0; i < heard().size(); ++i) {
                if (heard()[i].object == edit && heard()[i].type == type)
                    at.append(i);
            }
            return at;
        };
        QTest::keyClick(before, Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), edit);
        QApplication::processEvents();
        QVERIFY(edit->hasSelectedText());
        QCOMPARE(ofEdit(QAccessible::Focus).size(), 1);
        const qsizetype focused = ofEdit(QAccessible::Focus).first();
        for (QAccessible::Event type : {QAccessible::TextSelectionChanged, QAccessible::TextCaretMoved}) {
            for (qsizetype i : ofEdit(type))
                QVERIFY2(i > focused, "a text event told before the focus");
        }
        heard().clear();
        QTest::keyClick(edit, Qt::Key_Left, Qt::ShiftModifier);
        QTRY_VERIFY(!ofEdit(QAccessible::TextSelectionChanged).isEmpty());
        heard().clear();
        QTest::keyClick(edit, Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), after);
        QApplication::processEvents();
        QVERIFY(!edit->hasSelectedText());
        QVERIFY(ofEdit(QAccessible::TextSelectionChanged).isEmpty());
        QCOMPARE(lastFocus().name, u"After"_s);
    }
};

QTEST_MAIN(HeardTest)
#include "HeardTest.moc"
