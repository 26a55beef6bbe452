// The storyboard's pure rules: scenes built from a screenplay, the selection
// the screen keeps, and the edits of scenes and shots addressed by id.

#include "model/CraftKits.h"
#include "model/Lookup.h"
#include "model/ShotRecipe.h"
#include "views/phases/scenes/ScenesFromScript.h"
#include "views/phases/scenes/ShotCard.h"
#include "views/phases/scenes/StoryboardEdits.h"

#include <QtTest>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

ScriptElement element(ScriptElementKind kind, const QString& text)
{
    ScriptElement e;
    e.kind = kind;
    e.text = text;
    return e;
}

Location location(const QString& name)
{
    Location l;
    l.name = name;
    return l;
}

// A production whose first episode has the given shots in one scene.
struct Board {
    Project project;
    QUuid episodeID;
    QUuid sceneID;

    explicit Board(int shots = 3)
    {
        SceneCard scene;
        for (int i = 0; i < shots; ++i)
            scene.shots << Shot{};
        project.episodes.first().scenes = {SceneCard{}, scene, SceneCard{}};
        episodeID = project.episodes.first().id;
        sceneID = scene.id;
    }
    const SceneCard& scene() const { return *findScene(project, episodeID, sceneID); }
    QList<QUuid> shotIDs() const
    {
        QList<QUuid> ids;
        for (const Shot& shot : scene().shots)
            ids << shot.id;
        return ids;
    }
    QList<QUuid> sceneIDs() const
    {
        QList<QUuid> ids;
        for (const SceneCard& s : project.episodes.first().scenes)
            ids << s.id;
        return ids;
    }
};

} // namespace

class StoryboardEditsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void headings_data()
    {
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QStringList>("locations");
        QTest::addColumn<bool>("exterior");
        QTest::addColumn<TimeOfDay>("time");
        QTest::addColumn<QString>("locationText");
        QTest::addColumn<int>("linked"); // index into locations, or -1

        const QStringList none;
        QTest::newRow("em dash, linked ignoring case")
            << u"INT. KITCHEN — NIGHT"_s << QStringList{u"Hall"_s, u"kitchen"_s} << false << TimeOfDay::night
            << QString() << 1;
        QTest::newRow("spaced hyphen, free text") << u"EXT. OLD HARBOR - DAWN"_s << none << true << TimeOfDay::dawn
                                                  << u"Old Harbor"_s << -1;
        QTest::newRow("no dash keeps the time word")
            << u"EXT. BEACH NIGHT"_s << none << true << TimeOfDay::night << u"Beach Night"_s << -1;
        QTest::newRow("only the dotted prefix drops")
            << u"INT./EXT. CAR — DAY"_s << none << true << TimeOfDay::day << u"/Ext. Car"_s << -1;
        QTest::newRow("no prefix") << u"ROOFTOP — DUSK"_s << none << false << TimeOfDay::dusk << u"Rooftop"_s << -1;
        QTest::newRow("prefix without dot") << u"EXTERIOR FIELD - MORNING"_s << none << true << TimeOfDay::dawn
                                            << u"Erior Field"_s << -1;
        QTest::newRow("leading spaces match no prefix")
            << u"  int. attic — evening"_s << none << false << TimeOfDay::dusk << u"Int. Attic"_s << -1;
        QTest::newRow("lone prefix names no place, even an unnamed one")
            << u"INT."_s << QStringList{QString()} << false << TimeOfDay::day << QString() << -1;
        QTest::newRow("night is tried before dawn, anywhere")
            << u"EXT. DAWN CAFE — NIGHT"_s << none << true << TimeOfDay::night << u"Dawn Cafe"_s << -1;
        QTest::newRow("a padded location name does not match")
            << u"INT. LOFT — DAY"_s << QStringList{u" Loft "_s} << false << TimeOfDay::day << u"Loft"_s << -1;
        QTest::newRow("first of two equal names")
            << u"int. loft"_s << QStringList{u"LOFT"_s, u"Loft"_s} << false << TimeOfDay::day << QString() << 0;
    }

    void headings()
    {
        QFETCH(QString, heading);
        QFETCH(QStringList, locations);
        QList<Location> places;
        for (const QString& name : locations)
            places << location(name);
        Episode episode;
        episode.script.elements = {element(ScriptElementKind::sceneHeading, heading)};

        const QList<SceneCard> scenes = scenesFromScript(episode, places);
        QCOMPARE(scenes.size(), 1);
        const SceneCard& scene = scenes.first();
        QTEST(scene.setting == SceneSetting::exterior, "exterior");
        QTEST(scene.timeOfDay, "time");
        QTEST(scene.locationText, "locationText");
        QFETCH(int, linked);
        QCOMPARE(scene.locationID, linked < 0 ? std::optional<QUuid>() : std::optional<QUuid>(places[linked].id));
        QVERIFY(scene.castIDs.isEmpty() && scene.shots.isEmpty());
    }

    void synopsesAndIgnoredElements()
    {
        using K = ScriptElementKind;
        Episode episode;
        episode.script.elements = {
            element(K::action, u"Before any heading."_s),
            element(K::sceneHeading, u"INT. A"_s),
            element(K::character, u"MARA"_s),
            element(K::dialogue, u"Hello."_s),
            element(K::action, QString()),
            element(K::action, u"  The kettle screams. "_s),
            element(K::action, u"Later action."_s),
            element(K::transition, u"CUT TO:"_s),
            element(K::sceneHeading, u"EXT. B"_s),
            element(K::sceneHeading, u"EXT. C"_s),
            element(K::parenthetical, u"(quietly)"_s),
            element(K::action, u"Rain."_s),
        };
        const QList<SceneCard> scenes = scenesFromScript(episode, {});
        QCOMPARE(scenes.size(), 3);
        QCOMPARE(scenes[0].synopsis, u"  The kettle screams. "_s); // the first non-empty action, untrimmed
        QCOMPARE(scenes[1].synopsis, QString());
        QCOMPARE(scenes[2].synopsis, u"Rain."_s);
        QVERIFY(scenes[0].id != scenes[1].id && scenes[1].id != scenes[2].id);
    }

    void buildFromScriptOnlyIntoAnEmptyBoard()
    {
        Project p;
        const QUuid ep = p.episodes.first().id;
        p.episodes.first().script.elements = {element(ScriptElementKind::sceneHeading, u"INT. A"_s),
                                              element(ScriptElementKind::sceneHeading, u"INT. B"_s)};
        const QUuid keptShot = newId();
        const StoryboardSelection before{std::nullopt, keptShot};

        const StoryboardSelection built = StoryboardEdits::buildFromScript(p, ep, before);
        QCOMPARE(p.episodes.first().scenes.size(), 2);
        QCOMPARE(built, (StoryboardSelection{p.episodes.first().scenes.first().id, keptShot}));

        // Scenes planned by now are never replaced.
        p.episodes.first().scenes.first().synopsis = u"mine"_s;
        const Project planned = p;
        QCOMPARE(StoryboardEdits::buildFromScript(p, ep, built), built);
        QCOMPARE(p, planned);
    }

    void selectionTable()
    {
        Episode episode;
        QCOMPARE(StoryboardEdits::shown(&episode, {}), StoryboardSelection{});
        QCOMPARE(StoryboardEdits::shown(nullptr, {}), StoryboardSelection{});
        episode.scenes = {SceneCard{}, SceneCard{}};
        const QUuid shot = newId();
        QCOMPARE(StoryboardEdits::shown(&episode, {std::nullopt, shot}),
                 (StoryboardSelection{episode.scenes.first().id, shot}));
        // A stale scene id is kept: it highlights nothing.
        const StoryboardSelection stale{newId(), shot};
        QCOMPARE(StoryboardEdits::shown(&episode, stale), stale);

        QCOMPARE(StoryboardEdits::episodeChanged(&episode), (StoryboardSelection{episode.scenes.first().id, {}}));
        QCOMPARE(StoryboardEdits::episodeChanged(nullptr), StoryboardSelection{});
    }

    void sceneEdits()
    {
        Board b;
        const QList<QUuid> ids = b.sceneIDs();
        const StoryboardSelection selected{ids[0], newId()};

        // Moves swap with the neighbour and do nothing at the ends.
        StoryboardEdits::moveScene(b.project, b.episodeID, ids[0], -1);
        StoryboardEdits::moveScene(b.project, b.episodeID, ids[2], 1);
        StoryboardEdits::moveScene(b.project, b.episodeID, newId(), 1);
        QCOMPARE(b.sceneIDs(), ids);
        StoryboardEdits::moveScene(b.project, b.episodeID, ids[0], 1);
        QCOMPARE(b.sceneIDs(), (QList<QUuid>{ids[1], ids[0], ids[2]}));

        // Deleting another scene keeps the selection; the selected one passes
        // it to the first remaining scene, the last one to none.
        QCOMPARE(StoryboardEdits::deleteScene(b.project, b.episodeID, ids[2], selected), selected);
        StoryboardSelection next = StoryboardEdits::deleteScene(b.project, b.episodeID, ids[0], selected);
        QCOMPARE(next, (StoryboardSelection{ids[1], selected.shotID}));
        next = StoryboardEdits::deleteScene(b.project, b.episodeID, ids[1], next);
        QCOMPARE(next, (StoryboardSelection{std::nullopt, selected.shotID}));
        QVERIFY(b.project.episodes.first().scenes.isEmpty());

        // A new scene sits at the first location and becomes the selection.
        b.project.locations = {location(u"Harbor"_s), location(u"Hill"_s)};
        next = StoryboardEdits::addScene(b.project, b.episodeID, next);
        const SceneCard& added = b.project.episodes.first().scenes.last();
        QCOMPARE(next.sceneID, std::optional<QUuid>(added.id));
        QCOMPARE(added.slug(b.project.locations), u"INT. HARBOR — DAY"_s);

        // An episode that is gone takes nothing.
        const Project before = b.project;
        QCOMPARE(StoryboardEdits::addScene(b.project, newId(), next), next);
        QCOMPARE(b.project, before);
    }

    void castChips()
    {
        SceneCard scene;
        const QUuid a = newId(), b = newId();
        scene.castIDs = {a, b, a};
        StoryboardEdits::toggleCast(scene, a);
        QCOMPARE(scene.castIDs, QList<QUuid>{b});
        StoryboardEdits::toggleCast(scene, a);
        QCOMPARE(scene.castIDs, (QList<QUuid>{b, a}));
    }

    void addingShots()
    {
        Board b(3);
        const StoryboardSelection start{b.sceneID, std::nullopt};

        StoryboardSelection next = StoryboardEdits::addShot(b.project, b.episodeID, b.sceneID, start);
        const Shot plain = b.scene().shots.last();
        QCOMPARE(next.shotID, std::optional<QUuid>(plain.id));
        QCOMPARE(plain.status(), ShotStatus::planned);
        QVERIFY(!plain.recipeID);

        const ShotRecipe& recipe = ShotRecipe::catalog().first();
        next = StoryboardEdits::addRecipeShot(b.project, b.episodeID, b.sceneID, recipe, next);
        const Shot fromRecipe = b.scene().shots.last();
        QCOMPARE(next.shotID, std::optional<QUuid>(fromRecipe.id));
        QCOMPARE(fromRecipe.recipeID, std::optional<QString>(recipe.id));
        QCOMPARE(fromRecipe.what, QString()); // the phrase is not copied

        // A pack appends its rows in order and selects the first; twice gives two sets.
        const CoveragePack& pack = CoveragePack::catalog().first();
        const qsizetype before = b.scene().shots.size();
        next = StoryboardEdits::applyCoverage(b.project, b.episodeID, b.sceneID, pack, next);
        StoryboardEdits::applyCoverage(b.project, b.episodeID, b.sceneID, pack, next);
        QCOMPARE(b.scene().shots.size(), before + 2 * pack.shots.size());
        QCOMPARE(next.shotID, std::optional<QUuid>(b.scene().shots[before].id));
        for (qsizetype i = 0; i < pack.shots.size(); ++i) {
            QCOMPARE(b.scene().shots[before + i].what, pack.shots[i].what);
            QCOMPARE(b.scene().shots[before + i].what, b.scene().shots[before + pack.shots.size() + i].what);
            QVERIFY(b.scene().shots[before + i].id != b.scene().shots[before + pack.shots.size() + i].id);
        }

        // An empty pack and a gone scene change nothing, not even the selection.
        const Project unchanged = b.project;
        QCOMPARE(StoryboardEdits::applyCoverage(b.project, b.episodeID, b.sceneID, CoveragePack{}, start), start);
        QCOMPARE(StoryboardEdits::addShot(b.project, b.episodeID, newId(), start), start);
        QCOMPARE(StoryboardEdits::addShot(b.project, newId(), b.sceneID, start), start);
        QCOMPARE(b.project, unchanged);
    }

    void movingAndDeletingShots()
    {
        Board b(3);
        const QList<QUuid> ids = b.shotIDs();
        StoryboardEdits::moveShot(b.project, b.episodeID, b.sceneID, ids[0], -1);
        StoryboardEdits::moveShot(b.project, b.episodeID, b.sceneID, ids[2], 1);
        QCOMPARE(b.shotIDs(), ids);
        StoryboardEdits::moveShot(b.project, b.episodeID, b.sceneID, ids[2], -1);
        QCOMPARE(b.shotIDs(), (QList<QUuid>{ids[0], ids[2], ids[1]}));

        const StoryboardSelection selected{b.sceneID, ids[1]};
        QCOMPARE(StoryboardEdits::deleteShot(b.project, b.episodeID, b.sceneID, ids[0], selected), selected);
        QCOMPARE(StoryboardEdits::deleteShot(b.project, b.episodeID, b.sceneID, ids[1], selected),
                 (StoryboardSelection{b.sceneID, std::nullopt}));
        QCOMPARE(b.shotIDs(), QList<QUuid>{ids[2]});
    }

    void recipeAndApproval()
    {
        Shot shot;
        shot.seconds = 12.5;
        shot.what = u"A hand on the door."_s;
        shot.takes = {Take{}, Take{}};
        const ShotRecipe* walk = nullptr;
        for (const ShotRecipe& r : ShotRecipe::catalog())
            walk = r.name == u"The Long Walk"_s ? &r : walk;
        QVERIFY(walk);

        Shot applied = shot;
        StoryboardEdits::applyRecipe(applied, *walk);
        QCOMPARE(applied.size, walk->size);
        QCOMPARE(applied.move, walk->move);
        QCOMPARE(applied.seconds, walk->seconds);
        QCOMPARE(applied.recipeID, std::optional<QString>(walk->id));
        QCOMPARE(applied.what, shot.what);
        QCOMPARE(applied.frameSeed, shot.frameSeed);
        QCOMPARE(applied.takes, shot.takes);

        Shot cleared = applied;
        StoryboardEdits::clearRecipe(cleared);
        QVERIFY(!cleared.recipeID);
        QCOMPARE(cleared.seconds, walk->seconds);

        const QUuid first = shot.takes[0].id, second = shot.takes[1].id;
        StoryboardEdits::toggleApproval(shot, first);
        QCOMPARE(shot.approvedTakeID, std::optional<QUuid>(first));
        StoryboardEdits::toggleApproval(shot, second);
        QCOMPARE(shot.approvedTakeID, std::optional<QUuid>(second));
        QCOMPARE(shot.bestSeed(), shot.takes[1].seed);
        StoryboardEdits::toggleApproval(shot, second);
        QVERIFY(!shot.approvedTakeID);
        QCOMPARE(shot.status(), ShotStatus::rendered);

        const QString seed = shot.frameSeed;
        StoryboardEdits::reframe(shot);
        QVERIFY(shot.frameSeed != seed);
    }

    void cardTexts_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("shown");
        QTest::newRow("half rounds to even, up") << 7.5 << u"8s"_s;
        QTest::newRow("half rounds to even, down") << 6.5 << u"6s"_s;
        QTest::newRow("below half") << 0.4 << u"0s"_s;
    }

    void cardTexts()
    {
        QFETCH(double, seconds);
        Shot shot;
        shot.seconds = seconds;
        shot.approvedTakeID = newId(); // approved even without the take
        shot.recipeID = u"noSuchRecipe"_s;
        const ShotCard card = ShotCard::of(shot, 4);
        QTEST(card.seconds, "shown");
        QCOMPARE(card.status, ShotStatus::approved);
        QVERIFY(card.hasRecipe);
        QCOMPARE(card.recipeHelp, QString()); // the mark stays, its help is empty

        shot.recipeID = ShotRecipe::catalog().first().id;
        QCOMPARE(ShotCard::of(shot, 4).recipeHelp,
                 ShotRecipe::catalog().first().name + u" — after "_s + ShotRecipe::catalog().first().inspiredBy);
    }

    void describedTextLandsOnlyInAnEmptyShot()
    {
        Board b(2);
        const QList<QUuid> ids = b.shotIDs();
        StoryboardEdits::editShot(b.project, b.episodeID, b.sceneID, ids[1],
                                  [](Shot& s) { s.what = u" "_s; });

        StoryboardEdits::landDescription(b.project, b.episodeID, b.sceneID, ids[0], u"Waves break."_s);
        StoryboardEdits::landDescription(b.project, b.episodeID, b.sceneID, ids[1], u"Gulls."_s);
        QCOMPARE(b.scene().shots[0].what, u"Waves break."_s);
        QCOMPARE(b.scene().shots[1].what, u" "_s); // typed while waiting: kept

        const Project before = b.project;
        StoryboardEdits::landDescription(b.project, b.episodeID, b.sceneID, newId(), u"Gone."_s);
        StoryboardEdits::landDescription(b.project, newId(), b.sceneID, ids[0], u"Other episode."_s);
        QCOMPARE(b.project, before);
    }
};

QTEST_GUILESS_MAIN(StoryboardEditsTest)
#include "StoryboardEditsTest.moc"
