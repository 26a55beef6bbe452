// The studio tab strip: one chip per tab with its close rule, selection and
// closing through the chips, the hover hand-over between chips, the update
// pill and the settings gear.

#include "design/widgets/SymbolButton.h"
#include "design/DesignSystem.h"
#include "services/ProjectStore.h"
#include "services/UpdateService.h"
#include "state/AppState.h"
#include "state/ProjectSession.h"
#include "state/StudioTab.h"
#include "views/shell/TabStrip.h"
#include "views/shell/TabStripChip.h"
#include "views/shell/UpdatePill.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QTest>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

Project production(const QString& name)
{
    Project p;
    p.name = name;
    return p;
}

QStringList chipNames(const TabStrip& strip)
{
    QStringList names;
    for (const TabStripChip* chip : strip.chips())
        names.append(chip->name());
    return names;
}

// More tabs than a 600-point strip holds, the last one selected and in view.
struct Crowded {
    AppState app;
    TabStrip strip{app};
    QScrollArea* scroll = nullptr;
    Crowded()
    {
        // Within the test screen, where the pointer can be found.
        strip.setGeometry(0, 0, 600, strip.sizeHint().height());
        strip.show();
        for (int i = 0; i < 12; ++i)
            app.newHomeTab();
        QCoreApplication::processEvents();
        scroll = strip.findChild<QScrollArea*>();
    }
    QScrollBar* bar() const { return scroll->horizontalScrollBar(); }
    // One wheel notch over the row, the pointer wherever it is.
    void wheel(int notches) const
    {
        const QPointF at(10, 10);
        QWheelEvent event(at, scroll->viewport()->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(scroll->viewport(), &event);
    }
    TabStripChip* chipUnderPointer() const
    {
        for (TabStripChip* chip : strip.chips()) {
            if (chip->rect().contains(chip->mapFromGlobal(QCursor::pos())))
                return chip;
        }
        return nullptr;
    }
};

struct Shown {
    AppState app;
    TabStrip strip{app};
    Shown()
    {
        strip.resize(1200, strip.sizeHint().height());
        strip.show();
    }
};

} // namespace

class TabStripTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        DesignSystem::install(*qApp);
    }

    void init()
    {
        QDir(ProjectStore::rootPath()).removeRecursively();
    }

    void aLoneHomeTabHasNoCloseButton()
    {
        Shown s;
        QVERIFY(QTest::qWaitForWindowExposed(&s.strip));
        QCOMPARE(chipNames(s.strip), QStringList{u"Home"_s});
        TabStripChip* only = s.strip.chips().first();
        QVERIFY(only->isSelected());
        QVERIFY(!only->isClosable());
        QVERIFY(!only->closeButton()->isVisible());

        QTest::mouseClick(s.strip.newTabButton(), Qt::LeftButton);
        QCOMPARE(chipNames(s.strip), (QStringList{u"Home"_s, u"Home"_s}));
        TabStripChip* first = s.strip.chips().at(0);
        TabStripChip* second = s.strip.chips().at(1);
        QVERIFY(second->isSelected());
        QVERIFY(first->isClosable() && second->isClosable());
        // The close button shows on the selected or hovered chip only, and
        // keeps its place on the others.
        QVERIFY(second->isCloseButtonShown());
        QVERIFY(!first->isCloseButtonShown());
        QVERIFY(first->closeButton()->isVisible());
        QVERIFY(first->closeButton()->testAttribute(Qt::WA_TransparentForMouseEvents));
        QTest::mouseMove(first);
        QTRY_VERIFY(first->isCloseButtonShown());
    }

    void aProductionTabCanAlwaysClose()
    {
        Shown s;
        s.app.openProject(production(u"Solo"_s));
        QVERIFY(s.app.closeTab(s.app.tabs().first()->id()));
        QCOMPARE(chipNames(s.strip), QStringList{u"Solo"_s});
        TabStripChip* solo = s.strip.chips().first();
        QVERIFY(solo->isClosable());

        QTest::mouseClick(solo->closeButton(), Qt::LeftButton);
        QCOMPARE(chipNames(s.strip), QStringList{u"Home"_s});
        QVERIFY(!s.strip.chips().first()->isClosable());
    }

    void chipsSelectAndClose()
    {
        Shown s;
        s.app.openProject(production(u"A"_s));
        s.app.openProject(production(u"B"_s));
        QVERIFY(QTest::qWaitForWindowExposed(&s.strip));
        QCOMPARE(chipNames(s.strip), (QStringList{u"Home"_s, u"A"_s, u"B"_s}));

        TabStripChip* home = s.strip.chips().at(0);
        QTest::mouseClick(home, Qt::LeftButton, {}, QPoint(4, home->height() / 2));
        QCOMPARE(s.app.selectedTabID(), home->tabID());
        QVERIFY(home->isSelected());
        QVERIFY(!s.strip.chips().at(2)->isSelected());

        TabStripChip* a = s.strip.chips().at(1);
        QTest::mouseMove(a);
        QTRY_VERIFY(a->isCloseButtonShown());
        QTest::mouseClick(a->closeButton(), Qt::LeftButton);
        QCOMPARE(chipNames(s.strip), (QStringList{u"Home"_s, u"B"_s}));
        QCOMPARE(s.app.selectedTabID(), home->tabID());
    }

    void aFailedSaveKeepsTheChip()
    {
        Shown s;
        const Project p = production(u"Stuck"_s);
        s.app.openProject(p);
        QDir().mkpath(ProjectStore::rootPath());
        QFile blocker(ProjectStore::folderPath(p.id));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();

        QTest::mouseClick(s.strip.chips().at(1)->closeButton(), Qt::LeftButton);
        QCOMPARE(chipNames(s.strip), (QStringList{u"Home"_s, u"Stuck"_s}));
        QVERIFY(s.strip.chips().at(1)->isSelected());
    }

    void chipNameFollowsTheProduction()
    {
        Shown s;
        s.app.openProject(production(u"Working title"_s));
        s.app.selectedTab()->session()->edit([](Project& p) { p.name = u"Final title"_s; });
        QCOMPARE(chipNames(s.strip), (QStringList{u"Home"_s, u"Final title"_s}));
    }

    void hoverHandsOverBetweenChips()
    {
        Shown s;
        s.app.newHomeTab();
        TabStripChip* a = s.strip.chips().at(0);
        TabStripChip* b = s.strip.chips().at(1);
        // B's enter arrives before A's leave: B stays hovered.
        Q_EMIT a->hoverEntered(a->tabID());
        Q_EMIT b->hoverEntered(b->tabID());
        Q_EMIT a->hoverLeft(a->tabID());
        QCOMPARE(s.strip.hoveredID(), b->tabID());
        QVERIFY(b->isHovered());
        QVERIFY(!a->isHovered());
        Q_EMIT b->hoverLeft(b->tabID());
        QVERIFY(s.strip.hoveredID().isNull());
        QVERIFY(!b->isHovered());
    }

    void aLongNameStaysOnOneNarrowChip()
    {
        Shown s;
        s.app.openProject(production(u"An Extraordinarily Long Working Title For A Film About Lighthouses"_s));
        QVERIFY(QTest::qWaitForWindowExposed(&s.strip));
        TabStripChip* chip = s.strip.chips().at(1);
        // Laid out beside the home chip.
        QTRY_VERIFY(chip->x() > s.strip.chips().at(0)->geometry().right());
        QVERIFY(chip->width() <= TabStripChip::maximumChipWidth);
        QCOMPARE(chip->height(), s.strip.chips().at(0)->height());
    }

    // More chips than the strip holds keep their width; the row scrolls to
    // the selected chip, and a wheel moves it sideways.
    void manyTabsScrollInsteadOfShrinking()
    {
        AppState app;
        TabStrip strip(app);
        strip.resize(600, strip.sizeHint().height());
        strip.show();
        QVERIFY(QTest::qWaitForWindowExposed(&strip));
        for (int i = 0; i < 12; ++i)
            app.newHomeTab();
        QCoreApplication::processEvents();

        const QList<TabStripChip*> chips = strip.chips();
        for (TabStripChip* chip : chips)
            QCOMPARE(chip->width(), chip->sizeHint().width());
        auto* scroll = strip.findChild<QScrollArea*>();
        QVERIFY(scroll);
        QScrollBar* bar = scroll->horizontalScrollBar();
        QVERIFY(bar->maximum() > 0);
        const auto inView = [&](QWidget* w) {
            const QRect r(w->mapTo(scroll->viewport(), QPoint(0, 0)), w->size());
            return scroll->viewport()->rect().contains(r);
        };
        QVERIFY(chips.last()->isSelected());
        QVERIFY(inView(chips.last()));
        QVERIFY(!inView(chips.first()));

        const int before = bar->value();
        QWheelEvent up(QPointF(10, 10), scroll->viewport()->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, 120),
                       Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(scroll->viewport(), &up);
        QVERIFY(bar->value() < before);

        app.setSelectedTabID(chips.first()->tabID());
        QCoreApplication::processEvents();
        QVERIFY(inView(chips.first()));
    }

    // Tabs scrolled into view with the wheel can be reached with the pointer:
    // hovering a chip does not bring the selected one back.
    void hoverAfterAWheelScrollKeepsTheRowWhereItIs()
    {
        Crowded c;
        QVERIFY(QTest::qWaitForWindowExposed(&c.strip));
        QVERIFY(c.bar()->value() > 0);
        c.wheel(40);
        QCOMPARE(c.bar()->value(), 0);

        TabStripChip* first = c.strip.chips().first();
        QTest::mouseMove(first);
        QTRY_VERIFY(first->isHovered());
        // A reveal of the selected chip would come from the event loop.
        QCoreApplication::processEvents();
        QCOMPARE(c.bar()->value(), 0);

        // A new selection is still brought into view.
        const QList<TabStripChip*> chips = c.strip.chips();
        c.app.setSelectedTabID(chips.at(chips.size() - 2)->tabID());
        QTRY_VERIFY(c.bar()->value() > 0);
    }

    // The row scrolls under a still pointer: the hover moves to the chip now
    // under it, and the chip that left keeps neither hover fill nor close mark.
    void hoverFollowsTheChipsWhenTheRowScrolls()
    {
        Crowded c;
        QVERIFY(QTest::qWaitForWindowExposed(&c.strip));
        c.wheel(40);
        TabStripChip* before = c.strip.chips().at(1);
        QTest::mouseMove(before, QPoint(4, before->height() / 2));
        QTRY_VERIFY(before->isCloseButtonShown());

        c.wheel(-2);
        QVERIFY(c.bar()->value() > 0);
        TabStripChip* now = c.chipUnderPointer();
        QVERIFY(now && now != before);
        QTRY_VERIFY(now->isHovered());
        QCOMPARE(c.strip.hoveredID(), now->tabID());
        QVERIFY(!before->isHovered());
        QVERIFY(!before->isCloseButtonShown());
    }

    void updatePillShowsOnlyWhileAVersionIsOffered_data()
    {
        QTest::addColumn<UpdatePhase>("phase");
        QTest::addColumn<bool>("shown");
        const UpdateInfo info{u"2.0"_s, u"n"_s, u"https://example.com/a.zip"_s, std::nullopt};
        QTest::newRow("idle") << UpdatePhase::idle() << false;
        QTest::newRow("checking") << UpdatePhase::checking() << false;
        QTest::newRow("available") << UpdatePhase::available(info) << true;
        QTest::newRow("downloading") << UpdatePhase::downloading(0) << false;
        QTest::newRow("failed") << UpdatePhase::failed(u"x"_s) << false;
    }

    void updatePillShowsOnlyWhileAVersionIsOffered()
    {
        QFETCH(UpdatePhase, phase);
        QFETCH(bool, shown);
        Shown s;
        s.app.updates().setPhase(UpdatePhase::available(UpdateInfo{u"1.5"_s, {}, {}, std::nullopt}));
        QVERIFY(s.strip.updatePill()->isVisible());
        s.app.updates().setPhase(phase);
        QCOMPARE(s.strip.updatePill()->isVisible(), shown);
    }

    void gearAndPillAskForTheSettings()
    {
        Shown s;
        QTest::mouseClick(s.strip.settingsButton(), Qt::LeftButton);
        QVERIFY(s.app.showSettingsRequest());
        s.app.setShowSettingsRequest(false);
        s.app.updates().setPhase(UpdatePhase::available(UpdateInfo{u"1.5"_s, {}, {}, std::nullopt}));
        QTest::mouseClick(s.strip.updatePill(), Qt::LeftButton);
        QVERIFY(s.app.showSettingsRequest());
        QCOMPARE(s.strip.settingsButton()->toolTip(), u"Settings (Ctrl+,)"_s);
        QCOMPARE(s.strip.newTabButton()->toolTip(), u"New studio tab (Ctrl+T)"_s);
    }

    // Tab crosses the strip as it reads, whenever each chip was made: each
    // chip, then its close button (which shows while the keyboard is on it,
    // though only the selected or hovered chip shows it otherwise), the
    // new-tab button, the pill, the gear. Space or Return on a chip selects
    // its tab.
    void theKeyboardCrossesTheStripAsItReads()
    {
        Shown s;
        s.app.openProject(production(u"A"_s));
        s.app.openProject(production(u"B"_s));
        s.app.setSelectedTabID(s.app.tabs().first()->id());
        s.app.updates().setPhase(UpdatePhase::available(UpdateInfo{u"1.5"_s, {}, {}, std::nullopt}));
        QVERIFY(QTest::qWaitForWindowActive(&s.strip));
        QList<QWidget*> expected;
        for (TabStripChip* chip : s.strip.chips())
            expected << chip << chip->closeButton();
        expected << s.strip.newTabButton() << s.strip.updatePill() << s.strip.settingsButton();

        QList<QWidget*> reached;
        expected.first()->setFocus(Qt::TabFocusReason);
        for (QWidget* focus = QApplication::focusWidget(); focus && !reached.contains(focus);
             focus = QApplication::focusWidget()) {
            reached << focus;
            if (focus->parentWidget() && qobject_cast<TabStripChip*>(focus->parentWidget()))
                QVERIFY(static_cast<TabStripChip*>(focus->parentWidget())->isCloseButtonShown());
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        QCOMPARE(reached, expected);

        TabStripChip* a = s.strip.chips().at(1);
        TabStripChip* b = s.strip.chips().at(2);
        a->setFocus(Qt::TabFocusReason);
        QTest::keyClick(a, Qt::Key_Space);
        QCOMPARE(s.app.selectedTabID(), a->tabID());
        b->setFocus(Qt::TabFocusReason);
        QTest::keyClick(b, Qt::Key_Return);
        QCOMPARE(s.app.selectedTabID(), b->tabID());
        QVERIFY(b->hasFocus());
        // Read out as a page tab by its production's name, selected.
        QAccessibleInterface* readable = QAccessible::queryAccessibleInterface(b);
        QCOMPARE(readable->role(), QAccessible::PageTab);
        QCOMPARE(readable->text(QAccessible::Name), u"B"_s);
        QVERIFY(readable->state().selected);
    }

    // On the first run the Home tab is the strip's first stop, the new-tab
    // button beside it the next.
    void aLoneHomeTabComesFirst()
    {
        Shown s;
        QVERIFY(QTest::qWaitForWindowActive(&s.strip));
        s.strip.setFocus(Qt::OtherFocusReason);
        const QList<QWidget*> expected = {s.strip.chips().first(), s.strip.newTabButton(), s.strip.settingsButton()};
        for (QWidget* stop : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), stop);
        }
    }

    // Tabbed to, a tab's close button holds the keyboard; the focus that
    // falls to the strip because the control holding it went away never
    // lands on a close button, where Space would close a production.
    void closeButtonTakesTheKeyboardOnlyFromTheUser()
    {
        AppState app;
        QWidget window;
        auto* column = new QVBoxLayout(&window);
        // The strip comes right after the field in the focus chain, the
        // home tab's chip first.
        auto* field = new QLineEdit(&window);
        auto* strip = new TabStrip(app, &window);
        column->addWidget(strip);
        column->addWidget(field);
        app.openProject(production(u"A"_s));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        SymbolButton* close = strip->chips().first()->closeButton();

        field->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(field, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), strip->chips().first());
        QTest::keyClick(strip->chips().first(), Qt::Key_Tab);
        QVERIFY(close->hasFocus());

        field->setFocus(Qt::MouseFocusReason);
        field->hide();
        QVERIFY(!qobject_cast<SymbolButton*>(QApplication::focusWidget()));
    }

    // A tab closed from the keyboard (its close button, Space) leaves the
    // keyboard on the chip now in its place, or the one before the last: on
    // a control a reader names, not on nothing.
    void closingFromTheKeyboardKeepsItInTheStrip()
    {
        AppState app;
        app.openProject(production(u"A"_s));
        app.openProject(production(u"B"_s));
        QWidget window;
        auto* column = new QVBoxLayout(&window);
        auto* strip = new TabStrip(app, &window);
        column->addWidget(strip);
        column->addWidget(new QLineEdit(&window));
        window.resize(1200, 200);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(chipNames(*strip), (QStringList{u"Home"_s, u"A"_s, u"B"_s}));

        strip->chips().at(1)->closeButton()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QTRY_COMPARE(chipNames(*strip), (QStringList{u"Home"_s, u"B"_s}));
        QCOMPARE(QApplication::focusWidget(), strip->chips().at(1));

        strip->chips().at(1)->closeButton()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QTRY_COMPARE(chipNames(*strip), QStringList{u"Home"_s});
        QCOMPARE(QApplication::focusWidget(), strip->chips().at(0));
    }

    // The strip goes from a window that stays while a close button holds
    // the keyboard: the focus leaves the button only as the button itself is
    // destroyed, after the rest of its chip, and the chip must not answer.
    void goesWithTheKeyboardOnACloseButton()
    {
        AppState app;
        app.openProject(production(u"A"_s));
        QWidget window;
        auto* column = new QVBoxLayout(&window);
        auto* strip = new TabStrip(app, &window);
        column->addWidget(strip);
        column->addWidget(new QLineEdit(&window));
        window.resize(1200, 200);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        SymbolButton* close = strip->chips().last()->closeButton();
        close->setFocus(Qt::TabFocusReason);
        QVERIFY(close->hasFocus());
        QSignalSpy focusLeft(qApp, &QApplication::focusChanged);
        delete strip;
        QCOMPARE(focusLeft.size(), 1);
    }

    // However many tabs there are, the new-tab button stays whole in view,
    // right after the chips, and the chips still scroll.
    void newTabButtonStaysInReach()
    {
        AppState app;
        TabStrip strip(app);
        strip.resize(1080, strip.sizeHint().height());
        strip.show();
        QVERIFY(QTest::qWaitForWindowExposed(&strip));
        QAbstractButton* plus = strip.newTabButton();
        const auto whollyShown = [&] {
            return plus->isVisible() && plus->visibleRegion() == QRegion(plus->rect())
                && strip.rect().contains(QRect(plus->mapTo(&strip, QPoint(0, 0)), plus->size()));
        };
        QTRY_VERIFY(whollyShown());
        QTRY_VERIFY(plus->x() > strip.chips().last()->mapTo(plus->parentWidget(), QPoint(0, 0)).x());

        for (int i = 0; i < 8; ++i)
            app.openProject(production(u"A production with a working title"_s));
        app.setSelectedTabID(app.tabs().first()->id());
        QCoreApplication::processEvents();
        auto* scroll = strip.findChild<QScrollArea*>();
        QTRY_VERIFY(scroll->horizontalScrollBar()->maximum() > 0);
        QTRY_VERIFY(whollyShown());
        app.setSelectedTabID(app.tabs().last()->id());
        QTRY_VERIFY(scroll->horizontalScrollBar()->value() > 0);
        QVERIFY(whollyShown());
    }
};

QTEST_MAIN(TabStripTest)
#include "TabStripTest.moc"
