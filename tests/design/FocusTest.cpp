// The keyboard focus on the design's controls: each control that takes it
// shows a ring a user can see, on the dark ground and on its own fill alike,
// text inputs included; and each is read out by a name.

#include "design/Chip.h"
#include "design/GhostButton.h"
#include "design/LabeledSlider.h"
#include "design/MenuButton.h"
#include "design/Palette.h"
#include "design/PillPicker.h"
#include "design/PlainTextEditor.h"
#include "design/PlainTextField.h"
#include "design/PrimaryButton.h"
#include "design/ScrollColumn.h"
#include "design/SleekTextEditor.h"
#include "design/SleekTextField.h"
#include "design/Slider.h"
#include "design/SwitchToggle.h"
#include "design/SymbolButton.h"
#include "design/TagField.h"
#include "design/TextLabel.h"
#include "design/Theme.h"
#include "design/ToolbarIconButton.h"
#include "support/FocusPictures.h"
#include "support/Screenshots.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QtTest>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

QWidget* control(const QString& kind)
{
    if (kind == u"primary button")
        return new PrimaryButton(u"Create Production"_s);
    if (kind == u"large primary button")
        return new PrimaryButton(u"play.fill"_s, u"Render all queued"_s, true);
    if (kind == u"ghost button")
        return new GhostButton(u"Next question"_s, Palette::textPrimary());
    if (kind.startsWith(u"switch")) {
        auto* toggle = new SwitchToggle(u"Animated aurora backdrop"_s);
        toggle->setChecked(kind.endsWith(u"on"));
        return toggle;
    }
    if (kind.startsWith(u"chip"))
        return new Chip(u"Drama"_s, kind.endsWith(u"on"));
    if (kind.startsWith(u"menu button")) {
        auto* menu = new MenuButton(u"Three-Act"_s);
        menu->setChevron(true);
        if (kind.endsWith(u"plain"))
            menu->setShape(MenuButton::Shape::plain);
        return menu;
    }
    if (kind == u"symbol button")
        return new SymbolButton(u"xmark"_s, 8, Palette::textTertiary(), QFont::Bold);
    if (kind == u"toolbar button")
        return new ToolbarIconButton(u"plus"_s, u"Add scene"_s);
    if (kind == u"page") {
        // A page a screen makes a Tab stop, its rows taking no focus.
        auto* page = new ScrollColumn;
        page->setFocusPolicy(Qt::TabFocus);
        page->column()->addWidget(
            new TextLabel(u"INT. LIGHTHOUSE — NIGHT"_s, Theme::font(12), Palette::textPrimary()));
        page->setFixedSize(240, 120);
        return page;
    }
    if (kind == u"title field")
        return new PlainTextField(u"Untitled"_s, Theme::font(20));
    if (kind == u"summary editor")
        return new PlainTextEditor(u"What happens here?"_s, Theme::font(13));
    if (kind == u"captioned field")
        return new SleekTextField(u"Name"_s, u"Character name"_s);
    if (kind == u"captioned editor")
        return new SleekTextEditor(u"Synopsis"_s, u"What the film is about"_s, 80, 13);
    if (kind == u"tag field")
        return new TagField(u"Add a theme"_s);
    if (kind == u"slider") {
        auto* slider = new Slider(0, 10);
        slider->setFixedWidth(160);
        return slider;
    }
    return nullptr;
}

} // namespace

class FocusTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { Theme::install(*qApp); }

    void focusShowsAsARing_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"primary button", "large primary button", "ghost button", "switch on", "switch off",
                                 "chip on", "chip off", "menu button", "menu button plain", "symbol button",
                                 "toolbar button", "slider", "page", "title field", "summary editor",
                                 "captioned field", "captioned editor", "tag field"})
            QTest::newRow(kind) << QString::fromLatin1(kind);
        QTest::newRow("picked pill") << u"pill"_s;
    }
    void focusShowsAsARing()
    {
        QFETCH(QString, kind);
        QWidget window;
        window.setAutoFillBackground(true);
        auto* row = new QHBoxLayout(&window);
        row->setContentsMargins(16, 16, 16, 16);
        QWidget* focusable = nullptr;
        if (kind == u"pill") {
            auto* picker = new PillPicker;
            picker->setOptions<int>({{0, u"Day"_s}, {1, u"Night"_s}});
            picker->setSelection(1);
            row->addWidget(picker);
            focusable = picker->pill(1);
        } else {
            focusable = control(kind);
            // Inputs flush with the edge of what holds them, as on a card.
            auto* card = new QWidget;
            auto* flush = new QHBoxLayout(card);
            flush->setContentsMargins(0, 0, 0, 0);
            flush->addWidget(focusable);
            row->addWidget(card);
            if (auto* tags = qobject_cast<TagField*>(focusable))
                focusable = tags->findChild<QLineEdit*>();
        }
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        const test::FocusPictures pictures = test::focusPictures(focusable);
        QVERIFY(focusable->hasFocus());
        test::writeImage(pictures.focused, u"focus-"_s + kind.replace(u' ', u'-'));
        QVERIFY(test::showsRing(pictures.unfocused, pictures.focused));
    }

    // Return presses the focused button as Space does; Shift+F10 asks the
    // focused control for its menu as the Menu key does, a text input at its
    // caret.
    void keysActOnTheFocusedControl()
    {
        QWidget window;
        auto* row = new QHBoxLayout(&window);
        auto* button = new PrimaryButton(u"Create Production"_s);
        auto* toggle = new SwitchToggle(u"Animated aurora backdrop"_s);
        auto* field = new QLineEdit(u"A title"_s);
        row->addWidget(button);
        row->addWidget(toggle);
        row->addWidget(field);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QSignalSpy clicked(button, &QAbstractButton::clicked);
        button->setFocus(Qt::TabFocusReason);
        QTest::keyClick(button, Qt::Key_Return);
        QCOMPARE(clicked.count(), 1);
        QTest::keyClick(button, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(clicked.count(), 2);
        toggle->setFocus(Qt::TabFocusReason);
        QTest::keyClick(toggle, Qt::Key_Return);
        QVERIFY(toggle->isChecked());

        // A menu opened from the keyboard takes Return at once; one opened
        // by the pointer waits for it to point.
        auto* picker = new MenuButton(u"Three-Act"_s);
        row->addWidget(picker);
        picker->show();
        QAction* first = picker->menu()->addAction(u"Three-Act"_s);
        picker->menu()->addAction(u"Hero's Journey"_s);
        QSignalSpy chosen(first, &QAction::triggered);
        picker->setFocus(Qt::TabFocusReason);
        QTest::keyClick(picker, Qt::Key_Return);
        QTRY_VERIFY(picker->menu()->isVisible());
        QCOMPARE(picker->menu()->activeAction(), first);
        QTest::keyClick(picker->menu(), Qt::Key_Return);
        QCOMPARE(chosen.count(), 1);
        QTRY_VERIFY(!picker->menu()->isVisible());
        QTest::mouseClick(picker, Qt::LeftButton);
        QTRY_VERIFY(picker->menu()->isVisible());
        QVERIFY(!picker->menu()->activeAction());
        picker->menu()->close();

        struct MenuAsked : QObject {
            QPoint at;
            QContextMenuEvent::Reason reason = QContextMenuEvent::Mouse;
            bool eventFilter(QObject*, QEvent* e) override
            {
                if (e->type() == QEvent::ContextMenu) {
                    auto* menu = static_cast<QContextMenuEvent*>(e);
                    at = menu->pos();
                    reason = menu->reason();
                    return true;
                }
                return false;
            }
        } asked;
        field->installEventFilter(&asked);
        field->setFocus(Qt::TabFocusReason);
        field->setCursorPosition(1);
        QTest::keyClick(field, Qt::Key_F10, Qt::ShiftModifier);
        QCOMPARE(asked.reason, QContextMenuEvent::Keyboard);
        QCOMPARE(asked.at, field->inputMethodQuery(Qt::ImCursorRectangle).toRect().center());
        QCOMPARE(field->text(), u"A title"_s);
    }

    // Assistive technology reads a control by its words: an icon button by
    // its tool tip (a later tool tip too, but never over a name the program
    // gave), a slider and a captioned input by their caption.
    void controlsAreReadByTheirWords()
    {
        const auto nameOf = [](QWidget* w) {
            return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
        };
        ToolbarIconButton toolbar(u"plus"_s, u"Add scene"_s);
        QCOMPARE(nameOf(&toolbar), u"Add scene"_s);
        SymbolButton cross(u"xmark"_s, 8, Palette::textTertiary(), QFont::Bold);
        cross.setToolTip(u"Delete idea"_s);
        QCOMPARE(nameOf(&cross), u"Delete idea"_s);
        cross.setToolTip(u"Delete fragment"_s);
        QCOMPARE(nameOf(&cross), u"Delete fragment"_s);
        cross.setAccessibleName(u"Remove"_s);
        cross.setToolTip(u"Delete"_s);
        QCOMPARE(nameOf(&cross), u"Remove"_s);

        LabeledSlider dial(u"Tone"_s, u"Light"_s, u"Dark"_s);
        QCOMPARE(nameOf(dial.slider()), u"Tone"_s);
        SleekTextField field(u"Name"_s, u"Character name"_s);
        QCOMPARE(nameOf(field.lineEdit()), u"Name"_s);
        SleekTextEditor editor(u"Synopsis"_s, QString(), 80, 13);
        QCOMPARE(nameOf(editor.textEdit()), u"Synopsis"_s);
    }
};

QTEST_MAIN(FocusTest)
#include "FocusTest.moc"
