// A control that adds or makes a record hands the keyboard to what it made:
// pressed by Return, by Space or by a click (its menu's entry picked by keys
// or by the pointer), the words typed next land in the new record's first
// field, shown on screen, and nothing more is made. Also the controls whose
// records have no field: the clips "Assemble" makes, a library card's copy.
// And a click on a footage row's body gives the row the keyboard.

#include "support/AssistFixtures.h"
#include "support/WorkspaceStage.h"

#include "design/DesignSystem.h"
#include "design/widgets/EmptyStateView.h"
#include "design/widgets/GhostButton.h"
#include "design/widgets/MenuButton.h"
#include "design/widgets/PrimaryButton.h"
#include "design/widgets/Slider.h"
#include "design/widgets/ToolbarIconButton.h"
#include "model/CraftKits.h"
#include "model/ShotRecipe.h"
#include "model/Lookup.h"
#include "services/ProjectStore.h"
#include "state/edits/ScriptEdits.h"
#include "views/home/HomeView.h"
#include "views/home/ProjectPosterCard.h"
#include "views/phases/cast/CastView.h"
#include "views/phases/cast/NewCharacterMenu.h"
#include "views/phases/cut/CutView.h"
#include "views/phases/cut/MusicCuesSection.h"
#include "views/phases/cut/TimelineLanes.h"
#include "views/phases/footage/EngineCard.h"
#include "views/phases/footage/FootageView.h"
#include "views/phases/footage/ShotRow.h"
#include "views/phases/script/ScriptView.h"
#include "views/phases/spark/IdeaBoard.h"
#include "views/phases/spark/InterrogationCard.h"
#include "views/phases/spark/SparkView.h"
#include "views/phases/story/ActColumn.h"
#include "views/phases/story/DashedAddButton.h"
#include "views/phases/story/StoryView.h"
#include "views/phases/storyboard/SceneEditor.h"
#include "views/phases/storyboard/ShotGrid.h"
#include "views/phases/storyboard/ShotTiles.h"
#include "views/phases/storyboard/StoryboardView.h"
#include "views/shell/EpisodePicker.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QMenu>
#include <QtTest>

#include <functional>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;

namespace {

enum class Control {
    fragment,
    answer,
    beat,
    beatFromMenu,
    act,
    character,
    starter,
    location,
    scene,
    sceneFromEmptyState,
    shot,
    recipeShot,
    coveragePack,
    buildFromScript,
    cue,
    draftFromStory,
    episode,
};
enum class Press { returnKey, space, click };

// A record and the text of its first field.
struct Record {
    QUuid id;
    QString text;
};
using Records = std::function<QList<Record>(const Project&)>;

// What a case presses and where its records are.
struct Case {
    PhaseID phase;
    std::function<QWidget*(PhaseScreen*)> control;
    // The entry of the menu the control opens that makes the record (empty:
    // the control makes it itself).
    QString entry;
    Records records;
    int made = 1;
    // Whether the words typed replace the text the record was made with
    // (a made-up name) or go on from it.
    bool replaces = true;
};

Project production(Control control)
{
    Project p = threeAndTwo();
    Episode& episode = p.episodes.first();
    episode = episodeWithBeats({u"The lamp fails"_s, u"A boat is lost"_s});
    if (control == Control::buildFromScript) {
        episode.script.elements = {{.kind = ScriptElementKind::sceneHeading, .text = u"EXT. CLIFF ROAD - DAY"_s},
                                   {.kind = ScriptElementKind::action, .text = u"Wind."_s},
                                   {.kind = ScriptElementKind::sceneHeading, .text = u"INT. LIGHTHOUSE - NIGHT"_s}};
    } else if (control != Control::sceneFromEmptyState && control != Control::draftFromStory) {
        episode.scenes = {sceneWithShots(2)};
    }
    if (control == Control::episode)
        p.format = ProjectFormat::series;
    for (int i = 0; i < 2; ++i)
        episode.timeline << TimelineClip{.label = u"Clip %1"_s.arg(i + 1)};
    // Fragments enough that the board stands below the fold and the strip
    // builds the card added at its end only once it is brought into view.
    for (int i = 0; i < 40; ++i)
        p.idea.cards << IdeaCard{.kind = IdeaCardKind::image, .text = u"Salt on the glass"_s};
    return p;
}

// The records of a list, each with the text of its first field.
template <typename List, typename Text>
QList<Record> each(const List& list, Text text)
{
    QList<Record> out;
    for (const auto& item : list)
        out << Record{item.id, text(item)};
    return out;
}

QList<Record> beats(const Project& p)
{
    QList<Record> out;
    for (const Act& act : p.episodes.first().structure.acts)
        out << each(act.beats, [](const Beat& b) { return b.title; });
    return out;
}

QList<Record> scenes(const Project& p)
{
    // A scene set at a location of the production reads its synopsis first.
    return each(p.episodes.first().scenes,
                [](const SceneCard& s) { return s.locationID ? s.synopsis : s.locationText; });
}

QList<Record> shots(const Project& p)
{
    QList<Record> out;
    for (const SceneCard& scene : p.episodes.first().scenes)
        out << each(scene.shots, [](const Shot& shot) { return shot.what; });
    return out;
}

// The control a screen of that kind shows.
template <class Screen, typename Get>
std::function<QWidget*(PhaseScreen*)> on(Get get)
{
    return [get](PhaseScreen* s) -> QWidget* { return get(qobject_cast<Screen*>(s)); };
}

Case caseOf(Control control)
{
    const Records fragments = [](const Project& p) {
        return each(p.idea.cards, [](const IdeaCard& c) { return c.text; });
    };
    const Records acts = [](const Project& p) {
        return each(p.episodes.first().structure.acts, [](const Act& a) { return a.title; });
    };
    switch (control) {
    case Control::fragment:
        return {PhaseID::spark, on<SparkView>([](SparkView* s) { return s->ideaBoard()->addMenu(); }), u"Concept"_s,
                fragments};
    case Control::answer:
        return {PhaseID::spark, on<SparkView>([](SparkView* s) { return s->interrogationCard()->answerButton(); }),
                QString(), fragments, 1, false};
    case Control::beat:
        return {PhaseID::story,
                on<StoryView>([](StoryView* s) { return s->actColumns().first()->addBeatButton(); }), QString(),
                beats};
    case Control::beatFromMenu:
        return {PhaseID::story, on<StoryView>([](StoryView* s) { return s->actColumns().first()->menuButton(); }),
                u"Add beat"_s, beats};
    case Control::act:
        return {PhaseID::story, on<StoryView>([](StoryView* s) { return s->addActTile(); }), QString(), acts};
    case Control::character:
    case Control::starter:
        return {PhaseID::cast, on<CastView>([](CastView* s) { return s->newCharacterButton(); }),
                control == Control::character ? u"Blank character"_s : CharacterStarter::catalog().first().label,
                [](const Project& p) { return each(p.cast, [](const CastMember& m) { return m.name; }); }};
    case Control::location:
        return {PhaseID::cast, on<CastView>([](CastView* s) {
                    s->setMode(CastView::locations);
                    return s->newLocationButton();
                }),
                QString(),
                [](const Project& p) { return each(p.locations, [](const Location& l) { return l.name; }); }};
    case Control::scene:
        return {PhaseID::scenes, on<StoryboardView>([](StoryboardView* s) { return s->addButton(); }), QString(),
                scenes};
    case Control::sceneFromEmptyState:
        return {PhaseID::scenes,
                on<StoryboardView>([](StoryboardView* s) { return s->emptyState()->actionButton(); }), QString(),
                scenes};
    case Control::shot:
    case Control::recipeShot:
    case Control::coveragePack: {
        const ShotRecipe& recipe = ShotRecipe::catalog().first();
        const CoveragePack& pack = CoveragePack::catalog().first();
        const QList<std::pair<ShotTile::Kind, QString>> tiles = {
            {ShotTile::Kind::add, QString()},
            {ShotTile::Kind::recipe, recipe.name + u" — after "_s + recipe.inspiredBy},
            {ShotTile::Kind::coverage, pack.name},
        };
        const ShotTile::Kind kind = tiles[int(control) - int(Control::shot)].first;
        const QString entry = tiles[int(control) - int(Control::shot)].second;
        return {PhaseID::scenes, on<StoryboardView>([kind](StoryboardView* s) {
                    s->select({s->project().episodes.first().scenes.first().id, std::nullopt});
                    return s->editor()->grid()->tiles()->tile(kind);
                }),
                entry, shots, control == Control::coveragePack ? int(pack.shots.size()) : 1, false};
    }
    case Control::buildFromScript:
        return {PhaseID::scenes, on<StoryboardView>([](StoryboardView* s) { return s->buildButton(); }), QString(),
                scenes, 2, false};
    case Control::cue:
        return {PhaseID::cut, on<CutView>([](CutView* s) { return s->musicSection()->addButton(); }), QString(),
                [](const Project& p) {
                    return each(p.episodes.first().musicCues, [](const MusicCue& c) { return c.name; });
                }};
    case Control::draftFromStory: {
        Project drafted = production(control);
        edits::draftScriptFromStory(drafted, drafted.episodes.first().id);
        return {PhaseID::script, on<ScriptView>([](ScriptView* s) { return s->storyDraftButton(); }), QString(),
                [](const Project& p) {
                    return each(p.episodes.first().script.elements, [](const ScriptElement& e) { return e.text; });
                },
                int(drafted.episodes.first().script.elements.size()), false};
    }
    case Control::episode:
        return {PhaseID::story,
                on<StoryView>([](StoryView* s) { return s->window()->findChild<EpisodePicker*>(); }),
                u"Add Episode"_s,
                [](const Project& p) { return each(p.episodes, [](const Episode& e) { return e.title; }); }};
    }
    return {};
}

QList<Record> added(const QList<Record>& before, const QList<Record>& after)
{
    QList<Record> out;
    for (const Record& record : after) {
        if (std::none_of(before.cbegin(), before.cend(), [&](const Record& r) { return r.id == record.id; }))
            out << record;
    }
    return out;
}

// Whether every page around `w` shows it (whole, when it fits).
bool shown(QWidget* w)
{
    for (QWidget* p = w->parentWidget(); p; p = p->parentWidget()) {
        auto* page = qobject_cast<QAbstractScrollArea*>(p);
        if (!page || !page->viewport()->isAncestorOf(w))
            continue;
        const QRect view = page->viewport()->rect();
        const QRect at(w->mapTo(page->viewport(), QPoint(0, 0)), w->size());
        if (at.width() <= view.width() && at.height() <= view.height() ? !view.contains(at) : !view.intersects(at))
            return false;
    }
    return true;
}

QAction* entryNamed(QMenu* menu, const QString& name)
{
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator() && action->text().startsWith(name))
            return action;
    }
    return nullptr;
}

// Presses `control` as `press` says; with `entry`, picks it from the menu the
// control opens, by keys after a key, by the pointer after a click.
void pressControl(QWidget* control, Press press, const QString& entry)
{
    if (press == Press::click) {
        QTest::mouseClick(control, Qt::LeftButton);
    } else {
        control->setFocus(Qt::TabFocusReason);
        QTest::keyClick(control, press == Press::space ? Qt::Key_Space : Qt::Key_Return);
    }
    if (entry.isEmpty())
        return;
    QMenu* menu = nullptr;
    QTRY_VERIFY((menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())));
    QAction* wanted = entryNamed(menu, entry);
    QVERIFY(wanted);
    if (press == Press::click) {
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(wanted).center());
    } else {
        for (int i = 0; i < menu->actions().size() && menu->activeAction() != wanted; ++i)
            QTest::keyClick(menu, Qt::Key_Down);
        QCOMPARE(menu->activeAction(), wanted);
        QTest::keyClick(menu, Qt::Key_Return);
    }
    QTRY_VERIFY(!QApplication::activePopupWidget());
}

// Types as a user does: into whatever holds the keyboard.
void type(const QString& words)
{
    for (const QChar c : words) {
        QWidget* focus = QApplication::focusWidget();
        QVERIFY2(focus, "nothing holds the keyboard");
        QTest::keyClick(focus, c.toLatin1());
    }
}

} // namespace

class AddedRecordKeyboardTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { DesignSystem::install(*qApp); }

    void theWordsTypedNextNameWhatWasMade_data()
    {
        QTest::addColumn<Control>("control");
        QTest::addColumn<Press>("press");
        const QList<std::pair<Control, const char*>> controls = {
            {Control::fragment, "Spark: Add fragment, Concept"},
            {Control::answer, "Spark: Answer on the board"},
            {Control::beat, "Story: Add beat"},
            {Control::beatFromMenu, "Story: act menu, Add beat"},
            {Control::act, "Story: Add Act"},
            {Control::character, "Cast: New character, Blank character"},
            {Control::starter, "Cast: New character, a starter"},
            {Control::location, "Cast: New location"},
            {Control::scene, "Storyboard: Add scene"},
            {Control::sceneFromEmptyState, "Storyboard: Add a scene, from the empty state"},
            {Control::shot, "Storyboard: Add shot"},
            {Control::recipeShot, "Storyboard: Recipe shot"},
            {Control::coveragePack, "Storyboard: Coverage pack"},
            {Control::buildFromScript, "Storyboard: Build from script"},
            {Control::cue, "The Cut: Add cue"},
            {Control::draftFromStory, "Script: Draft from Story beats"},
            {Control::episode, "Story: the episode picker, Add Episode"},
        };
        for (const auto& [control, name] : controls) {
            for (const auto& [press, how] : {std::pair(Press::returnKey, "Return"), std::pair(Press::space, "Space"),
                                             std::pair(Press::click, "click")})
                QTest::addRow("%s by %s", name, how) << control << press;
        }
    }

    void theWordsTypedNextNameWhatWasMade()
    {
        QFETCH(Control, control);
        QFETCH(Press, press);
        const Case c = caseOf(control);
        AppState app;
        Project project = production(control);
        project.activePhase = c.phase;
        ProjectSession& session = openSession(app, project);
        WorkspaceStage<> stage(app, session);
        QVERIFY(QTest::qWaitForWindowActive(&stage.backdrop));
        QWidget* button = c.control(stage.screen());
        QVERIFY(button && button->isVisible());

        const QList<Record> before = c.records(session.project());
        pressControl(button, press, c.entry);
        const QList<Record> made = added(before, c.records(session.project()));
        QCOMPARE(made.size(), c.made);

        const QString words = u"wide shot of room"_s;
        type(words);
        const QList<Record> typed = added(before, c.records(session.project()));
        QCOMPARE(typed.size(), c.made);
        QCOMPARE(typed.first().id, made.first().id);
        QCOMPARE(typed.first().text, c.replaces ? words : made.first().text + words);
        QTRY_VERIFY(shown(QApplication::focusWidget()));
    }

    void assembledClipsTakeTheKeyboard_data()
    {
        QTest::addColumn<Press>("press");
        QTest::newRow("Return") << Press::returnKey;
        QTest::newRow("click") << Press::click;
    }

    void assembledClipsTakeTheKeyboard()
    {
        // "Assemble from Storyboard" in the toolbar: the keyboard goes to the
        // clips it made, where Space asks nothing more.
        QFETCH(Press, press);
        AppState app;
        Project project = production(Control::shot);
        project.episodes.first().timeline.clear();
        project.activePhase = PhaseID::cut;
        ProjectSession& session = openSession(app, project);
        WorkspaceStage<CutView> stage(app, session);
        QVERIFY(QTest::qWaitForWindowActive(&stage.backdrop));
        pressControl(stage.screen()->assembleButton(), press, QString());
        QCOMPARE(session.project().episodes.first().timeline.size(), 2);
        QCOMPARE(QApplication::focusWidget(), stage.screen()->lanes());
        const Project assembled = session.project();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(!stage.screen()->isConfirmingReassemble());
        QCOMPARE(session.project(), assembled);
    }

    void aClickOnAFootageRowGivesItTheKeyboard()
    {
        // The engine's slider clicked, then a row's body (neither its
        // checkbox nor its chevron): Left moves no slider.
        AppState app;
        Project project = production(Control::shot);
        project.activePhase = PhaseID::footage;
        ProjectSession& session = openSession(app, project);
        WorkspaceStage<FootageView> stage(app, session);
        QVERIFY(QTest::qWaitForWindowActive(&stage.backdrop));
        Slider* slider = stage.screen()->engineCard()->clipLengthSlider();
        QTest::mouseClick(slider, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), slider);

        ShotRow* row = stage.screen()->shotRow(project.episodes.first().scenes.first().shots[1].id);
        QVERIFY(row);
        const QPoint body(row->width() / 2, ShotRow::lineHeight() / 2);
        QVERIFY(!row->checkboxRect().contains(body) && !row->disclosureRect().contains(body));
        const Project clicked = session.project();
        const GenerationProfile profile = session.profile();
        QTest::mouseClick(row, Qt::LeftButton, {}, body);
        QVERIFY(row->isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QCOMPARE(session.profile(), profile);
        QCOMPARE(session.project(), clicked);
    }

    void aDuplicateTakesTheKeyboardToTheCopy()
    {
        // "Duplicate" from a card's menu, opened by Shift+F10: the copy's
        // card has the keyboard, not the original's.
        AppState app;
        Project original = threeAndTwo();
        original.name = u"Lamp"_s;
        app.store().save(original);
        HomeView home(app);
        home.resize(1080, 700);
        home.show();
        QVERIFY(QTest::qWaitForWindowActive(&home));
        ProjectPosterCard* card = home.posterCards().first();
        card->setFocus(Qt::TabFocusReason);
        QTest::keyClick(card, Qt::Key_F10, Qt::ShiftModifier);
        QMenu* menu = nullptr;
        QTRY_VERIFY((menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())));
        QAction* duplicate = entryNamed(menu, u"Duplicate"_s);
        QVERIFY(duplicate);
        while (menu->activeAction() != duplicate)
            QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QCOMPARE(app.store().projects().size(), 2);
        auto* copy = qobject_cast<ProjectPosterCard*>(QApplication::focusWidget());
        QVERIFY(copy);
        QVERIFY(copy->projectID() != original.id);
    }
};

QTEST_MAIN(AddedRecordKeyboardTest)
#include "AddedRecordKeyboardTest.moc"
