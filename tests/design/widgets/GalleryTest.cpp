// Renders every control of the design system in its states into PNGs (when
// SCREENSHOT_DIR is set) for a look at the whole vocabulary side by side.

#include "design/widgets/ArtThumb.h"
#include "design/style/AuroraBackground.h"
#include "design/widgets/CardSurface.h"
#include "design/widgets/Chip.h"
#include "design/widgets/EmptyStateView.h"
#include "design/widgets/FieldLabel.h"
#include "design/widgets/FlowLayout.h"
#include "design/widgets/GhostButton.h"
#include "design/widgets/HairlineDivider.h"
#include "design/widgets/LabeledSlider.h"
#include "design/style/Palette.h"
#include "design/widgets/PillPicker.h"
#include "design/widgets/PrimaryButton.h"
#include "design/widgets/ProgressRing.h"
#include "design/widgets/SectionHeader.h"
#include "design/text/SleekTextEditor.h"
#include "design/text/SleekTextField.h"
#include "design/style/Spring.h"
#include "design/widgets/StatTile.h"
#include "design/widgets/SymbolButton.h"
#include "design/widgets/SymbolLabel.h"
#include "design/style/Symbols.h"
#include "design/widgets/TagField.h"
#include "design/widgets/TextLabel.h"
#include "design/DesignSystem.h"
#include "design/style/Theme.h"
#include "design/widgets/ToolbarIconButton.h"
#include "support/Screenshots.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QtTest>

#include <algorithm>

using namespace studio;

namespace {
QWidget* row(QWidget* parent, const QList<QWidget*>& items, int spacing = 12)
{
    auto* w = new QWidget(parent);
    auto* l = new QHBoxLayout(w);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(spacing);
    for (QWidget* item : items)
        l->addWidget(item, 0, Qt::AlignVCenter);
    l->addStretch(1);
    return w;
}

TextLabel* caption(const QString& text)
{
    return new TextLabel(text, Theme::font(10), Palette::textTertiary());
}

QWidget* card(const QString& title, const std::optional<QString>& subtitle, QWidget* content)
{
    auto* surface = new CardSurface(14, Palette::surface());
    auto* l = new QVBoxLayout(surface);
    l->setContentsMargins(16, 14, 16, 16);
    l->setSpacing(12);
    l->addWidget(new SectionHeader(title, subtitle));
    l->addWidget(content);
    return surface;
}

template <typename B>
B* pressed(B* button)
{
    button->setDown(true);
    return button;
}

template <typename W>
W* disabled(W* widget)
{
    widget->setEnabled(false);
    return widget;
}
} // namespace

class GalleryTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { DesignSystem::install(*static_cast<QApplication*>(QCoreApplication::instance())); }

    void gallery()
    {
        QWidget window;
        window.resize(1100, 1380);
        auto* backdrop = new AuroraBackground(&window);
        backdrop->setAnimated(false);
        backdrop->setGeometry(window.rect());
        auto* content = new QWidget(&window);
        content->setGeometry(window.rect());
        auto* grid = new QGridLayout(content);
        grid->setContentsMargins(24, 24, 24, 24);
        grid->setHorizontalSpacing(18);
        grid->setVerticalSpacing(18);

        // Buttons.
        auto* buttons = new QWidget;
        auto* bl = new QVBoxLayout(buttons);
        bl->setContentsMargins(0, 0, 0, 0);
        bl->setSpacing(10);
        bl->addWidget(row(buttons, {new PrimaryButton(QStringLiteral("New Project")),
                                    pressed(new PrimaryButton(QStringLiteral("Pressed"))),
                                    disabled(new PrimaryButton(QStringLiteral("Disabled"))),
                                    new PrimaryButton(QStringLiteral("play.fill"), QStringLiteral("Render all queued"), true)}));
        bl->addWidget(row(buttons, {new GhostButton(QStringLiteral("Next question"), Palette::textPrimary()),
                                    pressed(new GhostButton(QStringLiteral("Pressed"), Palette::textPrimary())),
                                    new GhostButton(QStringLiteral("wand.and.stars"), QStringLiteral("Draft with AI"), Palette::gold()),
                                    new GhostButton(QStringLiteral("scissors"), QStringLiteral("Cut"), Palette::danger()),
                                    disabled(new GhostButton(QStringLiteral("Sound & Music"), Palette::textPrimary()))}));
        bl->addWidget(row(buttons, {new ToolbarIconButton(QStringLiteral("plus"), QStringLiteral("Add scene")),
                                    pressed(new ToolbarIconButton(QStringLiteral("xmark"), QStringLiteral("Close"))),
                                    disabled(new ToolbarIconButton(QStringLiteral("arrow.left"), QStringLiteral("Move earlier"))),
                                    new ToolbarIconButton(QStringLiteral("arrow.right"), QStringLiteral("Move later")),
                                    new SymbolButton(QStringLiteral("xmark"), 8, Palette::textTertiary(), QFont::Bold),
                                    new SymbolButton(QStringLiteral("chevron.down"), 9, Palette::textTertiary(), QFont::DemiBold),
                                    caption(QStringLiteral("toolbar: normal · pressed · disabled; plain symbol buttons"))}));
        grid->addWidget(card(QStringLiteral("Buttons"), QStringLiteral("Primary, ghost, toolbar icon"), buttons), 0, 0, 1, 2);

        // Chips, pills, flow.
        auto* chips = new QWidget;
        auto* cl = new QVBoxLayout(chips);
        cl->setContentsMargins(0, 0, 0, 0);
        cl->setSpacing(10);
        auto* nonInteractive = new Chip(QStringLiteral("Read-only on"), true);
        nonInteractive->setInteractive(false);
        cl->addWidget(row(chips, {new Chip(QStringLiteral("Drama"), true), new Chip(QStringLiteral("Comedy"), false),
                                  nonInteractive, disabled(new Chip(QStringLiteral("Disabled"), false))}, 6));
        auto* picker = new PillPicker;
        picker->setOptions<QString>({{"2.39", "2.39:1"}, {"1.85", "1.85:1"}, {"16:9", "16:9"}, {"9:16", "9:16"}});
        picker->setSelection(QStringLiteral("1.85"));
        auto* none = new PillPicker;
        none->setOptions<int>({{1, "Short"}, {2, "Feature"}, {3, "Series"}});
        none->setSelection(9);
        cl->addWidget(row(chips, {picker, none, caption(QStringLiteral("second: no option selected"))}));
        auto* flowBox = new QWidget;
        flowBox->setFixedWidth(420);
        auto* flow = new FlowLayout(6, flowBox);
        for (const char* g : {"Drama", "Thriller", "Science Fiction", "Romance", "Horror", "Documentary", "Animation",
                              "Musical", "Western", "Noir"})
            flow->addWidget(new Chip(QString::fromLatin1(g), QByteArray(g).size() % 3 == 0));
        cl->addWidget(flowBox);
        cl->addStretch(1);
        grid->addWidget(card(QStringLiteral("Chips & pickers"), std::nullopt, chips), 1, 0);

        // Values.
        auto* values = new QWidget;
        auto* vl = new QVBoxLayout(values);
        vl->setContentsMargins(0, 0, 0, 0);
        vl->setSpacing(12);
        auto* dials = new QWidget;
        auto* dl = new QHBoxLayout(dials);
        dl->setContentsMargins(0, 0, 0, 0);
        dl->setSpacing(16);
        auto* energy = new LabeledSlider(QStringLiteral("Energy"), QStringLiteral("Still"), QStringLiteral("Frantic"));
        energy->setValue(0.3);
        auto* humor = new LabeledSlider(QStringLiteral("Humor (stored 1.7)"), QStringLiteral("Grave"), QStringLiteral("Absurd"));
        humor->setValue(1.7);
        auto* off = disabled(new LabeledSlider(QStringLiteral("Disabled"), QStringLiteral("Low"), QStringLiteral("High")));
        off->setValue(0.6);
        dl->addWidget(energy);
        dl->addWidget(humor);
        dl->addWidget(off);
        vl->addWidget(dials);
        QList<QWidget*> rings;
        for (double v : {0.0, 0.25, 0.7, 1.4}) {
            auto* ring = new ProgressRing(34, 4);
            ring->setValue(v);
            rings.append(ring);
        }
        rings.append(caption(QStringLiteral("0 · 0.25 · 0.7 · 1.4")));
        vl->addWidget(row(values, rings));
        auto* tiles = new QWidget;
        auto* tl = new QHBoxLayout(tiles);
        tl->setContentsMargins(0, 0, 0, 0);
        tl->setSpacing(10);
        tl->addWidget(new StatTile(QStringLiteral("12"), QStringLiteral("shots planned"), QStringLiteral("viewfinder")));
        tl->addWidget(new StatTile(QStringLiteral("3m 20s"), QStringLiteral("footage total"), QStringLiteral("clock")));
        tl->addWidget(new StatTile(QStringLiteral("4"), QStringLiteral("no icon")));
        vl->addWidget(tiles);
        grid->addWidget(card(QStringLiteral("Value controls"), QStringLiteral("Sliders, rings, stat tiles"), values), 1, 1);

        // Inputs.
        auto* inputs = new QWidget;
        auto* il = new QVBoxLayout(inputs);
        il->setContentsMargins(0, 0, 0, 0);
        il->setSpacing(12);
        il->addWidget(new SleekTextField(QStringLiteral("Name"), QStringLiteral("Who are they?")));
        auto* filled = new SleekTextField(QStringLiteral("Logline"), QStringLiteral("One sentence"));
        filled->setText(QStringLiteral("A keeper & her light, the night the sea took the road."));
        il->addWidget(filled);
        il->addWidget(new SleekTextEditor(QStringLiteral("Premise"), QStringLiteral("What happens, in a paragraph."), 64, 13));
        auto* tags = new TagField(QStringLiteral("Add a mood word"));
        tags->setTags({"salt", "fog", "amber light", "low hum"});
        il->addWidget(new FieldLabel(QStringLiteral("Mood words")));
        il->addWidget(tags);
        il->addWidget(new HairlineDivider);
        il->addStretch(1);
        grid->addWidget(card(QStringLiteral("Text inputs"), std::nullopt, inputs), 2, 0);

        // Art, cards, empty state.
        auto* art = new QWidget;
        auto* al = new QVBoxLayout(art);
        al->setContentsMargins(0, 0, 0, 0);
        al->setSpacing(12);
        QList<QWidget*> thumbs;
        for (const char* seed : {"", "abc", "The Last Lighthouse", "style-noir", "E621E1F8-C36C-495A-93FC-0C247A3E6E5F"}) {
            auto* thumb = new ArtThumb(QString::fromLatin1(seed), 96, 128);
            thumb->setFixedSize(72, 96);
            thumb->setCornerRadius(8);
            thumbs.append(thumb);
        }
        auto* wide = new ArtThumb(QStringLiteral("style-noir"), 400, 220);
        wide->setFixedSize(130, 96);
        wide->setCornerRadius(8);
        thumbs.append(wide);
        al->addWidget(row(art, thumbs, 8));
        auto* square = new CardSurface(0, Palette::surfaceHigh());
        square->setFixedSize(120, 50);
        auto* rounded = new CardSurface(12, Palette::surfaceHigh());
        auto* roundedLayout = new QVBoxLayout(rounded);
        roundedLayout->setContentsMargins(0, 0, 0, 0);
        auto* inner = new QWidget;
        inner->setFixedSize(200, 100);
        roundedLayout->addWidget(inner);
        al->addWidget(row(art, {square, rounded, caption(QStringLiteral("radius 0 · 200×100 content"))}));
        auto* empty = new EmptyStateView(QStringLiteral("scissors"), QStringLiteral("Nothing on the timeline"),
                                         QStringLiteral("Assemble pulls every storyboard shot — in scene order — onto the "
                                                        "timeline as one rough cut. Then trim, reorder and pace it."),
                                         QStringLiteral("Assemble from Storyboard"), [] {});
        empty->setMinimumHeight(260);
        al->addWidget(empty);
        grid->addWidget(card(QStringLiteral("Art, cards, empty state"), std::nullopt, art), 2, 1);
        grid->setRowStretch(3, 1);

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // Let the press springs settle.
        const auto springsAtRest = [&window] {
            const QList<Spring*> springs = window.findChildren<Spring*>();
            return std::none_of(springs.begin(), springs.end(), [](const Spring* s) { return s->isMoving(); });
        };
        QTRY_VERIFY(springsAtRest());

        // A card never grows by its border.
        QCOMPARE(rounded->size(), QSize(200, 100));
        for (auto* b : window.findChildren<ToolbarIconButton*>())
            QCOMPARE(b->size(), QSize(28, 28));
        for (QWidget* w : content->findChildren<QWidget*>())
            if (w->isVisible())
                QVERIFY2(!w->size().isEmpty(), w->metaObject()->className());

        const QString file = test::writeScreenshot(&window, QStringLiteral("design-gallery"));
        if (!test::screenshotDir().isEmpty())
            QVERIFY(QFileInfo::exists(file));
    }

    void symbolSheet()
    {
        QWidget sheet;
        auto* grid = new QGridLayout(&sheet);
        grid->setContentsMargins(16, 16, 16, 16);
        grid->setSpacing(6);
        const QStringList names = Symbols::names();
        const int columns = 5;
        for (int i = 0; i < names.size(); ++i) {
            auto* cell = new QWidget;
            auto* l = new QHBoxLayout(cell);
            l->setContentsMargins(0, 0, 0, 0);
            l->setSpacing(6);
            l->addWidget(new SymbolLabel(names[i], 13, Palette::gold(), QFont::Medium));
            l->addWidget(new TextLabel(names[i], Theme::font(10), Palette::textSecondary()));
            l->addStretch(1);
            grid->addWidget(cell, i / columns, i % columns);
        }
        sheet.setAutoFillBackground(true);
        QPalette pal = sheet.palette();
        pal.setColor(QPalette::Window, Palette::surface());
        sheet.setPalette(pal);
        sheet.resize(1100, sheet.sizeHint().height());
        sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        const QString file = test::writeScreenshot(&sheet, QStringLiteral("design-symbols"));
        if (!test::screenshotDir().isEmpty())
            QVERIFY(QFileInfo::exists(file));
    }

    void nativeWidgetsOnDark()
    {
        // The native pieces the screens use for editing, scrolling and menus,
        // under the application palette and style sheet.
        QWidget page;
        page.setAutoFillBackground(true);
        page.resize(720, 300);
        auto* l = new QHBoxLayout(&page);
        l->setContentsMargins(20, 20, 20, 20);
        l->setSpacing(20);
        QMenu menuHolder;
        auto* menu = &menuHolder;
        menu->addAction(Symbols::icon(QStringLiteral("wand.and.stars"), 11, Palette::gold()),
                        Theme::escapeMnemonic(QStringLiteral("Sharpen my logline (3 options)")));
        menu->addAction(QStringLiteral("Draft the premise"));
        menu->addSeparator();
        menu->addAction(QStringLiteral("AI settings…"))->setEnabled(false);
        auto* left = new QVBoxLayout;
        auto* combo = new QComboBox;
        combo->addItems({QStringLiteral("Episode 1"), QStringLiteral("Episode 2")});
        left->addWidget(combo);
        auto* check = new QCheckBox(QStringLiteral("Animated backdrop"));
        check->setChecked(true);
        left->addWidget(check);
        auto* plain = new QLineEdit;
        plain->setPlaceholderText(QStringLiteral("Plain line edit placeholder"));
        left->addWidget(plain);
        auto* scroll = new QScrollArea;
        auto* tall = new QWidget;
        tall->setMinimumSize(200, 800);
        scroll->setWidget(tall);
        left->addWidget(scroll);
        l->addLayout(left);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QVERIFY(scroll->verticalScrollBar()->isVisible());
        test::writeScreenshot(&page, QStringLiteral("design-native"));
        menu->popup(QPoint(0, 0));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        test::writeScreenshot(menu, QStringLiteral("design-menu"));
        menu->hide();
    }

    void backdropFrames()
    {
        // The frozen frame and a moment of the animated one, at window size.
        const QImage frozen = AuroraBackground::renderMesh(QSize(135, 88), 0).scaled(
            1080, 700, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QImage moving = AuroraBackground::renderMesh(QSize(135, 88), 7.8e8 + 17).scaled(
            1080, 700, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QVERIFY(frozen != moving);
        test::writeImage(frozen, QStringLiteral("design-aurora-frozen"));
        test::writeImage(moving, QStringLiteral("design-aurora-moving"));
    }
};

QTEST_MAIN(GalleryTest)
#include "GalleryTest.moc"
