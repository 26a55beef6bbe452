// The keyboard focus on the design's controls: each control that takes it
// shows a ring a user can see, on the dark ground and on its own fill alike,
// text inputs included; and each is read out by a name.

#include "design/widgets/Chip.h"
#include "design/widgets/GhostButton.h"
#include "design/widgets/LabeledSlider.h"
#include "design/widgets/MenuButton.h"
#include "design/style/Palette.h"
#include "design/widgets/PillPicker.h"
#include "design/widgets/PlainButton.h"
#include "design/text/PlainTextEditor.h"
#include "design/text/PlainTextField.h"
#include "design/widgets/PrimaryButton.h"
#include "design/focus/FocusRing.h"
#include "design/widgets/ScrollColumn.h"
#include "design/text/SleekTextEditor.h"
#include "design/text/SleekTextField.h"
#include "design/widgets/Slider.h"
#include "design/widgets/SwitchToggle.h"
#include "design/widgets/SymbolButton.h"
#include "design/widgets/TagField.h"
#include "design/widgets/TextLabel.h"
#include "design/DesignSystem.h"
#include "design/style/Theme.h"
#include "design/widgets/ToolbarIconButton.h"
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
    if (kind == u"link") {
        // A menu that reads as an underlined line of words.
        auto* link = new MenuButton(u"Add a sample film"_s);
        QFont font = Theme::font(11);
        font.setUnderline(true);
        link->setLabelFont(font);
        link->setShape(MenuButton::Shape::plain);
        link->setPadding(0, 0);
        return link;
    }
    if (kind == u"label button")
        return new PlainButton(QString(), u"Select scene"_s, Theme::font(11, QFont::Medium), Palette::textTertiary());
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

// `content` alone in `window`, which paints its ground (the pictures read
// the ring against it), `margin` clear of its edges; shown and active.
bool showAlone(QWidget& window, QWidget* content, int margin)
{
    window.setAutoFillBackground(true);
    auto* row = new QHBoxLayout(&window);
    row->setContentsMargins(margin, margin, margin, margin);
    row->addWidget(content);
    window.show();
    return QTest::qWaitForWindowActive(&window);
}

} // namespace

class FocusTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { DesignSystem::install(*qApp); }

    void focusShowsAsARing_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"primary button", "large primary button", "ghost button", "switch on", "switch off",
                                 "chip on", "chip off", "menu button", "menu button plain", "label button", "symbol button",
                                 "toolbar button", "slider", "page", "title field", "summary editor",
                                 "captioned field", "captioned editor", "tag field"})
            QTest::newRow(kind) << QString::fromLatin1(kind);
        QTest::newRow("picked pill") << u"pill"_s;
    }
    void focusShowsAsARing()
    {
        QFETCH(QString, kind);
        QWidget window;
        QWidget* focusable = nullptr;
        QWidget* shown = nullptr;
        if (kind == u"pill") {
            auto* picker = new PillPicker;
            picker->setOptions<int>({{0, u"Day"_s}, {1, u"Night"_s}});
            picker->setSelection(1);
            shown = picker;
            focusable = picker->pill(1);
        } else {
            focusable = control(kind);
            // Inputs flush with the edge of what holds them, as on a card.
            shown = new QWidget;
            auto* flush = new QHBoxLayout(shown);
            flush->setContentsMargins(0, 0, 0, 0);
            flush->addWidget(focusable);
            if (auto* tags = qobject_cast<TagField*>(focusable))
                focusable = tags->findChild<QLineEdit*>();
        }
        QVERIFY(showAlone(window, shown, 16));

        const test::FocusPictures pictures = test::focusPictures(focusable);
        QVERIFY(focusable->hasFocus());
        test::writeImage(pictures.focused, u"focus-"_s + kind.replace(u' ', u'-'));
        QVERIFY(test::showsRing(pictures.unfocused, pictures.focused));
    }

    // A control that is only its words keeps every letter clear of its
    // ring; a click elsewhere, the keyboard no longer in use, hides it.
    void theRingLeavesTheWordsClear_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("label button") << u"label button"_s;
        QTest::newRow("plain menu button") << u"menu button plain"_s;
        QTest::newRow("link") << u"link"_s;
    }
    void theRingLeavesTheWordsClear()
    {
        QFETCH(QString, kind);
        QWidget window;
        QWidget* button = control(kind);
        QVERIFY(showAlone(window, button, 24));
        const test::FocusPictures pictures = test::focusPictures(button);
        QVERIFY(test::showsRing(pictures.unfocused, pictures.focused));
        // Every letter as it was, none touched by the ring: a pixel of air
        // at least between them.
        const QRgb ground = pictures.unfocused.pixel(0, 0);
        QList<QPoint> letters, ring;
        for (int y = 0; y < pictures.unfocused.height(); ++y) {
            for (int x = 0; x < pictures.unfocused.width(); ++x) {
                const QRgb before = pictures.unfocused.pixel(x, y);
                if (before != pictures.focused.pixel(x, y))
                    ring << QPoint(x, y);
                if (test::contrastRatio(before, ground) >= 1.5)
                    letters << QPoint(x, y);
            }
        }
        QVERIFY(letters.size() > 20);
        for (const QPoint& l : std::as_const(letters)) {
            for (const QPoint& r : std::as_const(ring))
                QVERIFY2(std::max(std::abs(l.x() - r.x()), std::abs(l.y() - r.y())) > 1,
                         qPrintable(u"ring at %1,%2 against a letter"_s.arg(r.x()).arg(r.y())));
        }

        QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(button->hasFocus());
        QVERIFY(!test::showsRing(pictures.unfocused, test::pictureInWindow(button)));
    }

    // On light ground (the script's paper) the ring reads as boldly as on
    // the dark: its wide line is the dark one there.
    void theRingReadsOnPaper()
    {
        QWidget window;
        QPalette paper;
        paper.setColor(QPalette::Window, Palette::paper());
        window.setPalette(paper);
        FocusRing::setLightGround(&window);
        auto* field = new PlainTextField(u"Rain hammers the pier."_s, Theme::font(13));
        QVERIFY(showAlone(window, field, 24));
        field->lineEdit()->setFocus(Qt::TabFocusReason);
        const QImage picture = window.grab().toImage();
        // Across the ring, left of the field at its middle.
        const QPoint middle = field->mapTo(&window, QPoint(0, field->height() / 2));
        int seen = 0;
        for (int x = middle.x() - 12; x < middle.x(); ++x)
            seen += test::contrastRatio(picture.pixel(x, middle.y()), Palette::paper().rgb()) >= 3 ? 1 : 0;
        QVERIFY2(seen >= 2, qPrintable(u"%1 px of ring"_s.arg(seen)));
    }

    // The ring marks where the keyboard acts: a click shows none until a
    // key is pressed, but on a text input, where the keyboard types.
    void aClickShowsTheRingOnlyOnATextInput_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("ringOnClick");
        QTest::newRow("slider") << u"slider"_s << false;
        QTest::newRow("page") << u"page"_s << false;
        QTest::newRow("title field") << u"title field"_s << true;
    }
    void aClickShowsTheRingOnlyOnATextInput()
    {
        QFETCH(QString, kind);
        QFETCH(bool, ringOnClick);
        QWidget window;
        QWidget* clicked = control(kind);
        clicked->setFocusPolicy(Qt::StrongFocus);
        QVERIFY(showAlone(window, clicked, 16));

        QTest::mouseClick(clicked, Qt::LeftButton, {}, clicked->rect().center());
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus == clicked || clicked->isAncestorOf(focus));
        const QImage afterClick = test::pictureInWindow(clicked);
        focus->clearFocus();
        const QImage unfocused = test::pictureInWindow(clicked);
        focus->setFocus(Qt::MouseFocusReason);
        QCOMPARE(test::showsRing(unfocused, test::pictureInWindow(clicked)), ringOnClick);
        QCOMPARE(test::showsRing(unfocused, afterClick), ringOnClick);

        // A modifier held for the next click uses no keyboard; a key does.
        QTest::keyClick(focus, Qt::Key_Shift);
        QCOMPARE(test::showsRing(unfocused, test::pictureInWindow(clicked)), ringOnClick);
        QTest::keyClick(focus, Qt::Key_F13);
        QVERIFY(test::showsRing(unfocused, test::pictureInWindow(clicked)));
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
