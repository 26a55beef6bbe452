// What a screen reader hears of the screens, with accessibility on as a
// reader switches it on: what each screen of the sample shows as chosen reads
// as checked or selected, and a change of choice is told for the items that
// changed and no others; static texts read; sliders read in the units their
// labels show and step by one of them; names are told only when they change.

#include "design/widgets/Slider.h"
#include "design/widgets/SymbolButton.h"
#include "services/SampleFactory.h"
#include "state/AppState.h"
#include "state/ProjectSession.h"
#include "state/StudioTab.h"
#include "state/rules/NewProjectDraft.h"
#include "support/ListeningTest.h"
#include "support/WorkspaceStage.h"
#include "views/home/FormatCard.h"
#include "views/home/HomeView.h"
#include "views/home/NewProjectDetailsForm.h"
#include "views/home/NewProjectSheet.h"
#include "views/shell/TabStripChip.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QtTest>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;

namespace {

void collect(QAccessibleInterface* iface, QList<QAccessibleInterface*>& into)
{
    if (!iface || !iface->isValid() || iface->state().invisible)
        return;
    into << iface;
    for (int i = 0; i < iface->childCount(); ++i)
        collect(iface->child(i), into);
}

// Everything on show under the widget, in reading order.
QList<QAccessibleInterface*> shown(QWidget* root)
{
    QList<QAccessibleInterface*> all;
    collect(QAccessible::queryAccessibleInterface(root), all);
    return all;
}

bool isChosen(const QAccessible::State& s)
{
    return s.checked || s.selected;
}

QStringList chosenOn(QWidget* root)
{
    QStringList names;
    for (QAccessibleInterface* iface : shown(root)) {
        if (isChosen(iface->state()))
            names << iface->text(QAccessible::Name);
    }
    return names;
}

QStringList staticTextsOn(QWidget* root)
{
    QStringList names;
    for (QAccessibleInterface* iface : shown(root)) {
        if (iface->role() == QAccessible::StaticText)
            names << iface->text(QAccessible::Name);
    }
    return names;
}

QAccessibleInterface* named(QWidget* root, const QString& name, QAccessible::Role role = QAccessible::NoRole)
{
    for (QAccessibleInterface* iface : shown(root)) {
        if (iface->text(QAccessible::Name) == name && (role == QAccessible::NoRole || iface->role() == role))
            return iface;
    }
    return nullptr;
}

// Pressed as a reader presses it, by its action: the item a reader can press.
bool press(QWidget* root, const QString& name)
{
    for (QAccessibleInterface* iface : shown(root)) {
        if (iface->text(QAccessible::Name) != name || !iface->actionInterface())
            continue;
        const QStringList actions = iface->actionInterface()->actionNames();
        if (!actions.contains(QAccessibleActionInterface::pressAction())
            && !actions.contains(QAccessibleActionInterface::toggleAction()))
            continue;
        // Qt's own buttons press a moment later, as a click shows; the same
        // click at once.
        if (auto* button = qobject_cast<QAbstractButton*>(iface->object()))
            button->click();
        else
            iface->actionInterface()->doAction(actions.first());
        return true;
    }
    return false;
}

// The items a state event said were chosen or unchosen, once each.
QStringList toldChanged()
{
    QStringList names;
    for (const HeardEvent& e : heardOf(QAccessible::StateChanged)) {
        if ((e.changed.checked || e.changed.selected) && !names.contains(e.name))
            names << e.name;
    }
    names.sort();
    return names;
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

QStringList namesHeard(QAccessible::Event type, QObject* of)
{
    QStringList names;
    for (const HeardEvent& e : heardOf(type)) {
        if (e.object == of)
            names << e.name;
    }
    return names;
}

QString valueOf(QAccessibleInterface* slider)
{
    return slider->valueInterface()->currentValue().toString();
}

// The sample open at `phase`, its workspace in a full-size window.
struct SampleAt {
    explicit SampleAt(PhaseID phase)
        : session([phase] {
            Project sample = SampleFactory::lighthouse();
            sample.activePhase = phase;
            return sample;
        }())
    {
    }
    bool exposed() { return QTest::qWaitForWindowExposed(&stage.backdrop); }

    AppState app;
    ProjectSession session;
    WorkspaceStage<> stage{app, session, QSize(1440, 900)};
};

} // namespace

class HeardTest : public ListeningTest {
    Q_OBJECT

private Q_SLOTS:
    void choicesReadAndTellTheirChanges_data()
    {
        QTest::addColumn<PhaseID>("phase");
        QTest::addColumn<QStringList>("chosen");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("presses");
        QTest::addColumn<QStringList>("changed");

        QTest::newRow("spark rating") << PhaseID::spark
                                      << QStringList{u"Spark"_s, u"Drama"_s, u"Sci-Fi"_s, u"PG-13"_s, u"Phase ready"_s}
                                      << QStringList{u"Spark"_s, u"GENRES"_s} << QStringList{u"R"_s}
                                      << QStringList{u"PG-13"_s, u"R"_s};
        QTest::newRow("spark genre") << PhaseID::spark << QStringList{u"Drama"_s} << QStringList{}
                                     << QStringList{u"Comedy"_s} << QStringList{u"Comedy"_s};
        QTest::newRow("cast card") << PhaseID::cast << QStringList{u"Cast & World"_s, u"Characters · 2"_s}
                                   << QStringList{} << QStringList{u"Eda Vance"_s} << QStringList{u"Eda Vance"_s};
        QTest::newRow("cast role") << PhaseID::cast << QStringList{} << QStringList{}
                                   << QStringList{u"Eda Vance"_s, u"Supporting"_s}
                                   << QStringList{u"Lead"_s, u"Supporting"_s};
        QTest::newRow("cast segment") << PhaseID::cast << QStringList{} << QStringList{}
                                      << QStringList{u"Locations · 1"_s}
                                      << QStringList{u"Characters · 2"_s, u"Locations · 1"_s};
        QTest::newRow("look aspect")
            << PhaseID::look
            << QStringList{u"The Look"_s,         u"Live Action"_s,   u"35mm Cinema"_s,
                           u"Sodium & Silhouette"_s, u"2.39 Scope"_s, u"24 — Cinema"_s,
                           u"Anamorphic flares"_s, u"Soft halation"_s, u"Golden hour"_s,
                           u"Moonlit blue"_s,     u"Practical lamps"_s, u"Warm gold"_s}
            << QStringList{u"Style Library"_s, u"Director's Lens"_s, u"Cinematography"_s}
            << QStringList{u"16:9 HD"_s} << QStringList{u"16:9 HD"_s, u"2.39 Scope"_s};
        QTest::newRow("look style") << PhaseID::look << QStringList{} << QStringList{}
                                    << QStringList{u"Digital Cinema"_s}
                                    << QStringList{u"35mm Cinema"_s, u"Digital Cinema"_s};
        QTest::newRow("look lens") << PhaseID::look << QStringList{} << QStringList{}
                                   << QStringList{u"Available Heaven"_s}
                                   << QStringList{u"Available Heaven"_s, u"Sodium & Silhouette"_s};
        QTest::newRow("look accent") << PhaseID::look << QStringList{} << QStringList{} << QStringList{u"Steel blue"_s}
                                     << QStringList{u"Steel blue"_s, u"Warm gold"_s};
        QTest::newRow("storyboard time") << PhaseID::scenes
                                         << QStringList{u"Storyboard"_s, u"EXT"_s, u"Night"_s, u"Eda Vance"_s}
                                         << QStringList{u"Scenes"_s} << QStringList{u"Dusk"_s}
                                         << QStringList{u"Dusk"_s, u"Night"_s};
        QTest::newRow("storyboard cast") << PhaseID::scenes << QStringList{} << QStringList{}
                                         << QStringList{u"ORRO"_s} << QStringList{u"ORRO"_s};
        QTest::newRow("footage") << PhaseID::footage << QStringList{u"Footage"_s, u"1080p"_s}
                                 << QStringList{u"Generation Engine"_s, u"Render Queue"_s} << QStringList{u"4K"_s}
                                 << QStringList{u"1080p"_s, u"4K"_s};
        QTest::newRow("premiere")
            << PhaseID::premiere
            << QStringList{u"Premiere"_s, u"Logline written"_s, u"Storyboard planned"_s, u"Streaming Master"_s}
            << QStringList{u"Delivery Checklist"_s} << QStringList{u"Theatrical Master"_s}
            << QStringList{u"Streaming Master"_s, u"Theatrical Master"_s};
        // Story is ready and Script is not: the header's done mark follows.
        QTest::newRow("rail") << PhaseID::story << QStringList{u"Story"_s} << QStringList{} << QStringList{u"Script"_s}
                              << QStringList{u"Mark ready"_s, u"Script"_s, u"Story"_s};
        QTest::newRow("cut") << PhaseID::cut << QStringList{u"The Cut"_s} << QStringList{u"Cut 50s · Target 12 min"_s}
                             << QStringList{u"Assemble from Storyboard"_s} << QStringList{};
        // The header's done mark, and the rail's with it.
        QTest::newRow("done mark") << PhaseID::cut << QStringList{} << QStringList{} << QStringList{u"Mark ready"_s}
                                   << QStringList{u"Phase ready"_s, u"The Cut"_s};
        QTest::newRow("done mark taken away") << PhaseID::spark << QStringList{} << QStringList{}
                                              << QStringList{u"Phase ready"_s}
                                              << QStringList{u"Mark ready"_s, u"Spark"_s};
    }

    void choicesReadAndTellTheirChanges()
    {
        QFETCH(PhaseID, phase);
        QFETCH(QStringList, chosen);
        QFETCH(QStringList, texts);
        QFETCH(QStringList, presses);
        QFETCH(QStringList, changed);
        SampleAt s(phase);
        QVERIFY(s.exposed());

        const QStringList reads = chosenOn(s.stage.workspace);
        for (const QString& name : chosen)
            QVERIFY2(reads.contains(name), qPrintable(name + u" reads unchosen"_s));

        for (const QString& name : presses) {
            heard().clear();
            QVERIFY2(press(s.stage.workspace, name), qPrintable(name));
        }
        QCOMPARE(toldChanged(), sorted(changed));
        // Every item told reads as it now is.
        for (const HeardEvent& e : heardOf(QAccessible::StateChanged)) {
            if (e.changed.checked || e.changed.selected)
                QCOMPARE(isChosen(e.state), chosenOn(s.stage.workspace).contains(e.name));
        }
        const QStringList said = staticTextsOn(s.stage.workspace);
        for (const QString& text : texts)
            QVERIFY2(said.contains(text), qPrintable(text + u" is not read"_s));
    }

    // Sliders read the value beside them, in words with its unit (a dial
    // that shows no number, as a share of the way to its right end's word),
    // and a key moves it by one of its units each press.
    void slidersReadTheUnitsShown_data()
    {
        QTest::addColumn<PhaseID>("phase");
        QTest::addColumn<QString>("slider");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QStringList>("words");

        QTest::newRow("runtime") << PhaseID::spark << u"Target runtime"_s
                                 << QStringList{u"12"_s, u"13"_s, u"14"_s, u"15"_s, u"16"_s}
                                 << QStringList{u"12 minutes"_s, u"13 minutes"_s, u"14 minutes"_s, u"15 minutes"_s,
                                                u"16 minutes"_s};
        QTest::newRow("takes") << PhaseID::footage << u"Takes per render"_s << QStringList{u"1"_s, u"2"_s, u"3"_s}
                               << QStringList{u"1 take"_s, u"2 takes"_s, u"3 takes"_s};
        QTest::newRow("clip length") << PhaseID::footage << u"Max clip length"_s
                                     << QStringList{u"8"_s, u"9"_s, u"10"_s}
                                     << QStringList{u"8 seconds"_s, u"9 seconds"_s, u"10 seconds"_s};
        QTest::newRow("tone dial") << PhaseID::spark << u"Brightness"_s << QStringList{u"0.68"_s}
                                   << QStringList{u"68% dark"_s};
    }

    void slidersReadTheUnitsShown()
    {
        QFETCH(PhaseID, phase);
        QFETCH(QString, slider);
        QFETCH(QStringList, values);
        QFETCH(QStringList, words);
        SampleAt s(phase);
        QVERIFY(s.exposed());
        QAccessibleInterface* iface = named(s.stage.workspace, slider, QAccessible::Slider);
        QVERIFY(iface);
        auto* widget = qobject_cast<Slider*>(iface->object());
        QCOMPARE(valueOf(iface), values.first());
        QCOMPARE(iface->text(QAccessible::Value), words.first());
        widget->setFocus(Qt::TabFocusReason);
        heard().clear();
        QStringList told;
        for (qsizetype i = 1; i < values.size(); ++i) {
            QTest::keyClick(widget, Qt::Key_Right);
            QCOMPARE(valueOf(iface), values[i]);
            QCOMPARE(iface->text(QAccessible::Value), words[i]);
        }
        for (const HeardEvent& e : heardOf(QAccessible::ValueChanged))
            told << e.text;
        QCOMPARE(told, values.mid(1));
    }

    // A name is told only when it changes: the tab chip as the production
    // changes without its name, Footage's shot rows as their clip counts
    // follow the longest clip.
    void namesAreToldOnlyWhenTheyChange()
    {
        AppState app;
        const Project sample = SampleFactory::lighthouse();
        app.openProject(sample);
        StudioTab* tab = app.tabForProject(sample.id);
        QVERIFY(tab);
        TabStripChip chip(*tab);
        chip.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chip));
        QCOMPARE(QAccessible::queryAccessibleInterface(&chip)->text(QAccessible::Name), u"The Last Lighthouse"_s);
        // Its × says which tab it closes.
        QCOMPARE(QAccessible::queryAccessibleInterface(chip.closeButton())->text(QAccessible::Name),
                 u"Close tab The Last Lighthouse"_s);
        heard().clear();
        for (const QString& logline : {u"A"_s, u"AB"_s, u"ABC"_s})
            tab->session()->edit([&](Project& p) { p.idea.logline = logline; });
        QCOMPARE(namesHeard(QAccessible::NameChanged, &chip), QStringList{});
        tab->session()->edit([](Project& p) { p.name = u"The First Lighthouse"_s; });
        QCOMPARE(namesHeard(QAccessible::NameChanged, &chip), QStringList{u"The First Lighthouse"_s});
        QCOMPARE(namesHeard(QAccessible::NameChanged, chip.closeButton()), QStringList{u"Close tab The First Lighthouse"_s});

        SampleAt s(PhaseID::footage);
        QVERIFY(s.exposed());
        QHash<QObject*, QString> before;
        for (QAccessibleInterface* iface : shown(s.stage.workspace))
            before.insert(iface->object(), iface->text(QAccessible::Name));
        QAccessibleInterface* clip = named(s.stage.workspace, u"Max clip length"_s, QAccessible::Slider);
        QVERIFY(clip);
        qobject_cast<QWidget*>(clip->object())->setFocus(Qt::TabFocusReason);
        heard().clear();
        QTest::keyClick(qobject_cast<QWidget*>(clip->object()), Qt::Key_Left);
        QStringList toldUnchanged;
        for (const HeardEvent& e : heardOf(QAccessible::NameChanged)) {
            if (e.object && before.contains(e.object) && before.value(e.object) == e.name)
                toldUnchanged << e.name;
        }
        QCOMPARE(toldUnchanged, QStringList{});
    }

    // The new-production sheet's format cards read as radio buttons, the
    // chosen one checked; its sliders tell no new name as the runtime moves.
    void newProductionSheetReadsItsChoices()
    {
        AppState app;
        QWidget window;
        window.resize(900, 700);
        window.show();
        app.setShowingNewProject(true);
        auto* sheet = new NewProjectSheet(app, &window);
        sheet->present();
        QVERIFY(QTest::qWaitForWindowExposed(sheet));
        QAccessibleInterface* film = QAccessible::queryAccessibleInterface(sheet->formatCard(ProjectFormat::shortFilm));
        QCOMPARE(film->role(), QAccessible::RadioButton);
        QVERIFY(!film->state().checked);
        // Its running time and blurb, said in words after its name.
        const QString said = film->text(QAccessible::Description);
        QVERIFY2(said.endsWith(rules::NewProjectDraft::blurb(ProjectFormat::shortFilm)) && said.contains(u" minutes. "_s)
                     && !said.contains(u" min "_s),
                 qPrintable(said));
        heard().clear();
        sheet->formatCard(ProjectFormat::shortFilm)->click();
        QVERIFY(film->state().checked);
        QCOMPARE(toldChanged(), QStringList{film->text(QAccessible::Name)});

        QTRY_VERIFY(sheet->details()->isVisible());
        Slider* runtime = sheet->details()->runtimeSlider();
        Slider* episodes = sheet->details()->episodeSlider();
        QVERIFY(!episodes->isVisible());
        runtime->setFocus(Qt::TabFocusReason);
        heard().clear();
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(runtime, Qt::Key_Right);
        QCOMPARE(namesHeard(QAccessible::NameChanged, episodes), QStringList{});
        QCOMPARE(namesHeard(QAccessible::NameChanged, runtime), QStringList{});
        QCOMPARE(sheet->draft().runtime, 15.0);
        sheet->deleteLater();
    }

    // Home's words read from the first.
    void homeReadsItsWords()
    {
        AppState app;
        HomeView home(app);
        home.resize(1100, 800);
        home.show();
        QVERIFY(QTest::qWaitForWindowExposed(&home));
        const QStringList said = staticTextsOn(&home);
        for (const QString& text : {u"Your studio."_s, u"From spark to premiere."_s, u"Dream"_s})
            QVERIFY2(said.contains(text), qPrintable(text));
    }
};

QTEST_MAIN(HeardTest)
#include "HeardTest.moc"
