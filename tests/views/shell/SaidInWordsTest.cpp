// What a screen reader says of the sample's screens, with accessibility on as
// a reader switches it on: a set of cards of which one is chosen reads as a
// named group of radio buttons, and a choice is told by value as well as by
// state (a reader speaks a radio button's change after Space alone); a beat's
// charge reads as a value in words; the rail says which phase is open and
// which are ready; every control says what it acts on; what is painted as
// letters or figures is said in words.

#include "services/SampleFactory.h"
#include "state/AppState.h"
#include "state/ProjectSession.h"
#include "state/edits/CutEdits.h"
#include "support/ListeningTest.h"
#include "support/WorkspaceStage.h"
#include "views/phases/storyboard/StoryboardView.h"

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

QAccessibleInterface* named(QWidget* root, const QString& name)
{
    for (QAccessibleInterface* iface : shown(root)) {
        if (iface->text(QAccessible::Name) == name)
            return iface;
    }
    return nullptr;
}

QStringList namesOn(QWidget* root)
{
    QStringList names;
    for (QAccessibleInterface* iface : shown(root))
        names << iface->text(QAccessible::Name);
    return names;
}

// The keyboard on it, as Tab puts it there.
bool focus(QAccessibleInterface* iface)
{
    auto* widget = qobject_cast<QWidget*>(iface->object());
    QApplication::setActiveWindow(widget->window());
    widget->setFocus(Qt::TabFocusReason);
    return QTest::qWaitFor([widget] { return widget->hasFocus(); });
}

// Pressed as Space or Return press it: the button's click.
void press(QAccessibleInterface* iface)
{
    if (auto* button = qobject_cast<QAbstractButton*>(iface->object()))
        button->click();
    else
        iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

// The sample open at `phase` (its timeline assembled), in a full-size window.
struct SampleAt {
    explicit SampleAt(PhaseID phase)
        : session([phase] {
            Project sample = SampleFactory::lighthouse();
            edits::assembleTimeline(sample, sample.episodes.first().id);
            sample.activePhase = phase;
            return sample;
        }())
    {
    }
    bool exposed() { return QTest::qWaitForWindowExposed(&stage.backdrop); }
    QWidget* root() const { return stage.workspace; }

    AppState app;
    ProjectSession session;
    WorkspaceStage<> stage{app, session, QSize(1440, 900)};
};

} // namespace

class SaidInWordsTest : public ListeningTest {
    Q_OBJECT

private Q_SLOTS:
    void cardSetsReadAsRadioGroups_data()
    {
        QTest::addColumn<PhaseID>("phase");
        QTest::addColumn<QString>("card");
        QTest::addColumn<QString>("group");
        QTest::newRow("style") << PhaseID::look << u"Digital Cinema"_s << u"Styles"_s;
        QTest::newRow("director's lens") << PhaseID::look << u"Available Heaven"_s << u"Director's lenses"_s;
        QTest::newRow("aspect") << PhaseID::look << u"16:9 HD"_s << u"Aspect ratio"_s;
        QTest::newRow("character") << PhaseID::cast << u"ORRO"_s << u"Characters"_s;
    }

    // Each card reads as a radio button of a group named for its set, the
    // chosen one checked; choosing one tells its new value (one a reader did
    // not hear last), then its new state.
    void cardSetsReadAsRadioGroups()
    {
        QFETCH(PhaseID, phase);
        QFETCH(QString, card);
        QFETCH(QString, group);
        SampleAt s(phase);
        QVERIFY(s.exposed());
        QAccessibleInterface* iface = named(s.root(), card);
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::RadioButton);
        QCOMPARE(iface->parent()->role(), QAccessible::Grouping);
        QCOMPARE(iface->parent()->text(QAccessible::Name), group);
        QVERIFY(!iface->state().checked);
        QVERIFY(iface->valueInterface());
        QCOMPARE(iface->valueInterface()->currentValue().toInt(), 0);

        QVERIFY(focus(iface));
        heard().clear();
        press(iface);
        QTRY_VERIFY(iface->state().checked);
        const int value = iface->valueInterface()->currentValue().toInt();
        QVERIFY(value < 0);
        QStringList told;
        for (const HeardEvent& e : std::as_const(heard())) {
            if (e.object != iface->object())
                continue;
            if (e.type == QAccessible::ValueChanged && e.text == QString::number(value))
                told << u"value"_s;
            if (e.type == QAccessible::StateChanged && e.changed.checked && e.state.checked)
                told << u"checked"_s;
        }
        QCOMPARE(told, (QStringList{u"value"_s, u"checked"_s}));

        // The next choice, in this set or any other, tells another value.
        QAccessibleInterface* set = iface->parent();
        QAccessibleInterface* other = nullptr;
        for (int i = 0; i < set->childCount() && !other; ++i) {
            QAccessibleInterface* card = set->child(i);
            if (card->role() == QAccessible::RadioButton && !card->state().checked)
                other = card;
        }
        QVERIFY(other);
        QVERIFY(focus(other));
        press(other);
        QTRY_VERIFY(other->state().checked);
        QCOMPARE(iface->valueInterface()->currentValue().toInt(), 0);
        const int next = other->valueInterface()->currentValue().toInt();
        QVERIFY(next < 0 && next != value);
    }

    // Story's charges read as a value in words, told once each time it
    // steps: Neutral, Lift, Drop and round again.
    void chargesReadAsTheirWord()
    {
        SampleAt s(PhaseID::story);
        QVERIFY(s.exposed());
        QList<QAccessibleInterface*> charges;
        for (QAccessibleInterface* iface : shown(s.root())) {
            if (iface->text(QAccessible::Name) == u"Emotional charge"_s)
                charges << iface;
        }
        QVERIFY(!charges.isEmpty());
        QSet<QString> said;
        for (QAccessibleInterface* charge : std::as_const(charges)) {
            QCOMPARE(charge->role(), QAccessible::SpinBox);
            said << charge->text(QAccessible::Value);
        }
        QCOMPARE(said, (QSet<QString>{u"Neutral"_s, u"Lift"_s, u"Drop"_s}));

        QAccessibleInterface* charge = charges.first();
        const QMap<QString, QString> next{{u"Neutral"_s, u"Lift"_s}, {u"Lift"_s, u"Drop"_s}, {u"Drop"_s, u"Neutral"_s}};
        for (int step = 0; step < 3; ++step) {
            const QString before = charge->text(QAccessible::Value);
            heard().clear();
            press(charge);
            QCOMPARE(charge->text(QAccessible::Value), next.value(before));
            QCOMPARE(heardOf(QAccessible::ValueChanged).size(), 1);
            QCOMPARE(heardOf(QAccessible::ValueChanged).first().object, charge->object());
        }
    }

    // The rail's rows say in words which phase is open and which are ready,
    // before what their progress line shows, and follow a change.
    void theRailSaysOpenAndReady()
    {
        SampleAt s(PhaseID::story);
        QVERIFY(s.exposed());
        const auto description = [&](const QString& row) {
            QAccessibleInterface* iface = named(s.root(), row);
            return iface && iface->role() == QAccessible::PageTab ? iface->text(QAccessible::Description) : QString();
        };
        QVERIFY2(description(u"Story"_s).startsWith(u"Open, ready. "_s), qPrintable(description(u"Story"_s)));
        QVERIFY2(description(u"Spark"_s).startsWith(u"Ready. "_s), qPrintable(description(u"Spark"_s)));
        const QString script = description(u"Script"_s);
        QVERIFY(!script.isEmpty() && !script.contains(u"Open"_s) && !script.contains(u"eady."_s));

        press(named(s.root(), u"Script"_s));
        QVERIFY2(description(u"Script"_s).startsWith(u"Open. "_s), qPrintable(description(u"Script"_s)));
        QVERIFY2(description(u"Story"_s).startsWith(u"Ready. "_s), qPrintable(description(u"Story"_s)));
    }

    void controlsSayWhatTheyActOn_data()
    {
        QTest::addColumn<PhaseID>("phase");
        QTest::addColumn<QString>("bare");
        QTest::addColumn<QString>("named");
        QTest::newRow("fragment ×") << PhaseID::spark << u"Delete"_s << u"Delete Theme fragment"_s;
        QTest::newRow("format") << PhaseID::spark << u"Change"_s << u"Change format"_s;
        QTest::newRow("beat menu") << PhaseID::story << u"Beat menu"_s << u"Beat menu Opening Image"_s;
        QTest::newRow("act menu") << PhaseID::story << u"Act menu"_s << u"Act menu Act I — Setup"_s;
        QTest::newRow("select scene") << PhaseID::footage << u"Select scene"_s
                                      << u"Select scene 2 — INT. POINT MERIDIAN LIGHT — NIGHT"_s;
        QTest::newRow("checklist") << PhaseID::premiere << u"Go"_s << u"Go to Footage"_s;
    }

    // No control is named by its words alone when several share them: the
    // name adds what it acts on.
    void controlsSayWhatTheyActOn()
    {
        QFETCH(PhaseID, phase);
        QFETCH(QString, bare);
        QFETCH(QString, named);
        SampleAt s(phase);
        QVERIFY(s.exposed());
        const QStringList names = namesOn(s.root());
        QVERIFY2(!names.contains(bare), qPrintable(bare));
        QVERIFY2(names.contains(named), qPrintable(names.filter(bare).join(u" | "_s)));
    }

    // The shot inspector's sizes, shown as letters, are said in words.
    void shotSizesAreSaidInWords()
    {
        SampleAt s(PhaseID::scenes);
        QVERIFY(s.exposed());
        auto* board = qobject_cast<StoryboardView*>(s.stage.workspace->phaseScreen());
        QVERIFY(board);
        const SceneCard& scene = s.session.project().episodes.first().scenes.first();
        board->select(rules::StoryboardSelection{scene.id, scene.shots.first().id});
        // (The inspector shows once its pane has come in.)
        const auto said = [&](const QString& size) {
            for (QAccessibleInterface* iface : shown(s.root())) {
                if (iface->role() == QAccessible::RadioButton && iface->text(QAccessible::Name) == size)
                    return iface->text(QAccessible::Description);
            }
            return QString();
        };
        QTRY_COMPARE(said(u"EWS"_s), u"Extreme wide shot"_s);
        QCOMPARE(said(u"OTS"_s), u"Over-the-shoulder shot"_s);
        QCOMPARE(said(u"2S"_s), u"Two-shot"_s);
    }

    // The checklist's items done have no control to say so: the group of its
    // rows says which they are as a reader moves into it.
    void theChecklistSaysWhatIsDone()
    {
        SampleAt s(PhaseID::premiere);
        QVERIFY(s.exposed());
        QAccessibleInterface* go = named(s.root(), u"Go to Footage"_s);
        QVERIFY(go);
        QAccessibleInterface* group = go->parent();
        while (group && group->role() != QAccessible::Grouping)
            group = group->parent();
        QVERIFY(group);
        QCOMPARE(group->text(QAccessible::Name),
                 u"Delivery Checklist, 6 of 7 ready. Done: Logline written, Cast anchored, Visual style locked, "
                 u"Script on the page, Storyboard planned, Cut assembled"_s);
    }

    void lettersAreSaidInWords_data()
    {
        QTest::addColumn<PhaseID>("phase");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        QTest::newRow("lead") << PhaseID::cast << u"Eda Vance"_s << u"Lead · "_s;
        QTest::newRow("shot size") << PhaseID::footage << u"Shot 2.2 · OTS · Locked"_s << u"Over-the-shoulder shot · "_s;
        QTest::newRow("two-shot") << PhaseID::footage << u"Shot 3.3 · 2S · Handheld"_s << u"Two-shot · "_s;
        QTest::newRow("clip") << PhaseID::cut << u"S1·1 EWS, 9s"_s << u"Scene 1, shot 1, extreme wide shot"_s;
        QTest::newRow("checklist") << PhaseID::premiere << u"Go to Footage"_s << u"Footage rendered, not done. "_s;
        QTest::newRow("lens") << PhaseID::look << u"Available Heaven"_s << u"after Terrence Malick"_s;
    }

    // What shows as letters, a badge or a mark is said in words, in the
    // description a reader reads after the name.
    void lettersAreSaidInWords()
    {
        QFETCH(PhaseID, phase);
        QFETCH(QString, name);
        QFETCH(QString, description);
        SampleAt s(phase);
        QVERIFY(s.exposed());
        QAccessibleInterface* iface = named(s.root(), name);
        QVERIFY2(iface, qPrintable(namesOn(s.root()).filter(name.left(4)).join(u" | "_s)));
        QVERIFY2(iface->text(QAccessible::Description).startsWith(description),
                 qPrintable(iface->text(QAccessible::Description)));
    }
};

QTEST_MAIN(SaidInWordsTest)
#include "SaidInWordsTest.moc"
