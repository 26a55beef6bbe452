// The keyboard focus on the design's controls: each control that takes it
// shows a ring a user can see, on the dark ground and on its own fill alike.

#include "design/Chip.h"
#include "design/GhostButton.h"
#include "design/MenuButton.h"
#include "design/Palette.h"
#include "design/PillPicker.h"
#include "design/PrimaryButton.h"
#include "design/ScrollColumn.h"
#include "design/Slider.h"
#include "design/SwitchToggle.h"
#include "design/SymbolButton.h"
#include "design/TextLabel.h"
#include "design/Theme.h"
#include "design/ToolbarIconButton.h"
#include "support/FocusPictures.h"
#include "support/Screenshots.h"

#include <QApplication>
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
                                 "toolbar button", "slider", "page"})
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
            row->addWidget(focusable);
        }
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        const test::FocusPictures pictures = test::focusPictures(focusable);
        QVERIFY(focusable->hasFocus());
        test::writeImage(pictures.focused, u"focus-"_s + kind.replace(u' ', u'-'));
        QVERIFY(test::showsRing(pictures.unfocused, pictures.focused));
    }
};

QTEST_MAIN(FocusTest)
#include "FocusTest.moc"
