// The storyboard's rules and edits: scenes built from a screenplay, the
// selection the screen keeps, and the edits of scenes and shots by id.

#include "model/CraftKits.h"
#include "model/Lookup.h"
#include "model/ShotRecipe.h"
#include "state/edits/StoryboardEdits.h"
#include "state/rules/StoryboardRules.h"

#include <QtTest>

using namespace studio;
using rules::StoryboardSelection;
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

        const QList<SceneCard> scenes = rules::scenesFromScript(episode, places);
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
        const QList<SceneCard> scenes = rules::scenesFromScript(episode, {});
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
        QVERIFY(rules::hasSceneHeading(p.episodes.first()));
        const QUuid first = edits::buildScenesFromScript(p, ep);
        QCOMPARE(p.episodes.first().scenes.size(), 2);
        QCOMPARE(first, p.episodes.first().scenes.first().id);

        // Scenes planned by now are never replaced.
        p.episodes.first().scenes.first().synopsis = u"mine"_s;
        const Project planned = p;
        QVERIFY(edits::buildScenesFromScript(p, ep).isNull());
        QVERIFY(edits::buildScenesFromScript(p, newId()).isNull());
        QCOMPARE(p, planned);
    }

    void selectionTable()
    {
        Episode episode;
        QCOMPARE(rules::shownSelection(&episode, {}), StoryboardSelection{});
        QCOMPARE(rules::shownSelection(nullptr, {}), StoryboardSelection{});
        episode.scenes = {SceneCard{}, SceneCard{}};
        const QUuid shot = newId();
        QCOMPARE(rules::shownSelection(&episode, {std::nullopt, shot}),
                 (StoryboardSelection{episode.scenes.first().id, shot}));
        // A stale scene id is kept: it highlights nothing.
        const StoryboardSelection stale{newId(), shot};
        QCOMPARE(rules::shownSelection(&episode, stale), stale);

        QCOMPARE(rules::selectionForEpisode(&episode), (StoryboardSelection{episode.scenes.first().id, {}}));
        QCOMPARE(rules::selectionForEpisode(nullptr), StoryboardSelection{});

        // A removed scene or shot passes the selection on only when it was selected.
        const StoryboardSelection selected{newId(), shot};
        QCOMPARE(rules::selectionAfterSceneRemoved(&episode, newId(), selected), selected);
        QCOMPARE(rules::selectionAfterSceneRemoved(&episode, *selected.sceneID, selected),
                 (StoryboardSelection{episode.scenes.first().id, shot}));
        QCOMPARE(rules::selectionAfterSceneRemoved(nullptr, *selected.sceneID, selected),
                 (StoryboardSelection{std::nullopt, shot}));
        QCOMPARE(rules::selectionAfterShotRemoved(newId(), selected), selected);
        QCOMPARE(rules::selectionAfterShotRemoved(shot, selected), (StoryboardSelection{selected.sceneID, {}}));
    }

    void sceneEdits()
    {
        Board b;
        const QList<QUuid> ids = b.sceneIDs();

        // Moves swap with the neighbour and do nothing at the ends.
        QVERIFY(!edits::moveScene(b.project, b.episodeID, ids[0], -1));
        QVERIFY(!edits::moveScene(b.project, b.episodeID, ids[2], 1));
        QVERIFY(!edits::moveScene(b.project, b.episodeID, newId(), 1));
        QCOMPARE(b.sceneIDs(), ids);
        QVERIFY(edits::moveScene(b.project, b.episodeID, ids[0], 1));
        QCOMPARE(b.sceneIDs(), (QList<QUuid>{ids[1], ids[0], ids[2]}));

        QVERIFY(edits::deleteScene(b.project, b.episodeID, ids[2]));
        QVERIFY(!edits::deleteScene(b.project, b.episodeID, ids[2]));
        QCOMPARE(b.sceneIDs(), (QList<QUuid>{ids[1], ids[0]}));

        // A new scene sits at the first location.
        b.project.locations = {location(u"Harbor"_s), location(u"Hill"_s)};
        const QUuid added = edits::addScene(b.project, b.episodeID);
        QCOMPARE(b.project.episodes.first().scenes.last().id, added);
        QCOMPARE(b.project.episodes.first().scenes.last().slug(b.project.locations), u"INT. HARBOR — DAY"_s);

        // The header's edits; "Custom…" keeps the free text for later.
        QVERIFY(edits::setSceneLocationText(b.project, b.episodeID, added, u"Pier"_s));
        QVERIFY(edits::setSceneLocation(b.project, b.episodeID, added, std::nullopt));
        QVERIFY(edits::setSceneTime(b.project, b.episodeID, added, TimeOfDay::night));
        QVERIFY(edits::setSceneSetting(b.project, b.episodeID, added, SceneSetting::exterior));
        QCOMPARE(b.project.episodes.first().scenes.last().slug(b.project.locations), u"EXT. PIER — NIGHT"_s);

        // An episode or a scene that is gone takes nothing.
        const Project before = b.project;
        QVERIFY(edits::addScene(b.project, newId()).isNull());
        QVERIFY(!edits::setSceneSynopsis(b.project, b.episodeID, newId(), u"x"_s));
        QVERIFY(!edits::setSceneSynopsis(b.project, newId(), added, u"x"_s));
        QCOMPARE(b.project, before);
    }

    void castChips()
    {
        Board b;
        const QUuid a = newId(), c = newId();
        edits::toggleSceneCast(b.project, b.episodeID, b.sceneID, a);
        edits::toggleSceneCast(b.project, b.episodeID, b.sceneID, c);
        edits::toggleSceneCast(b.project, b.episodeID, b.sceneID, a);
        QCOMPARE(b.scene().castIDs, QList<QUuid>{c});
        // A damaged file may hold a member twice: one click takes both away.
        findScene(b.project, b.episodeID, b.sceneID)->castIDs = {a, c, a};
        edits::toggleSceneCast(b.project, b.episodeID, b.sceneID, a);
        QCOMPARE(b.scene().castIDs, QList<QUuid>{c});
    }

    void addingShots()
    {
        Board b(3);

        const QUuid plainID = edits::addShot(b.project, b.episodeID, b.sceneID);
        const Shot plain = b.scene().shots.last();
        QCOMPARE(plain.id, plainID);
        QCOMPARE(plain.status(), ShotStatus::planned);
        QVERIFY(!plain.recipeID);

        const ShotRecipe& recipe = ShotRecipe::catalog().first();
        const QUuid recipeShot = edits::addRecipeShot(b.project, b.episodeID, b.sceneID, recipe.id);
        const Shot fromRecipe = b.scene().shots.last();
        QCOMPARE(fromRecipe.id, recipeShot);
        QCOMPARE(fromRecipe.recipeID, std::optional<QString>(recipe.id));
        QCOMPARE(fromRecipe.what, QString()); // the phrase is not copied

        // A pack appends its rows in order and returns the first; twice gives two sets.
        const CoveragePack& pack = CoveragePack::catalog().first();
        const qsizetype before = b.scene().shots.size();
        const QUuid first = edits::applyCoverage(b.project, b.episodeID, b.sceneID, pack.id);
        edits::applyCoverage(b.project, b.episodeID, b.sceneID, pack.id);
        QCOMPARE(b.scene().shots.size(), before + 2 * pack.shots.size());
        QCOMPARE(first, b.scene().shots[before].id);
        for (qsizetype i = 0; i < pack.shots.size(); ++i) {
            QCOMPARE(b.scene().shots[before + i].what, pack.shots[i].what);
            QCOMPARE(b.scene().shots[before + i].what, b.scene().shots[before + pack.shots.size() + i].what);
            QVERIFY(b.scene().shots[before + i].id != b.scene().shots[before + pack.shots.size() + i].id);
        }

        // An unknown pack or recipe and a gone scene or episode change nothing.
        const Project unchanged = b.project;
        QVERIFY(edits::applyCoverage(b.project, b.episodeID, b.sceneID, u"noSuchPack"_s).isNull());
        QVERIFY(edits::addRecipeShot(b.project, b.episodeID, b.sceneID, u"noSuchRecipe"_s).isNull());
        QVERIFY(edits::addShot(b.project, b.episodeID, newId()).isNull());
        QVERIFY(edits::addShot(b.project, newId(), b.sceneID).isNull());
        QCOMPARE(b.project, unchanged);
    }

    void movingAndDeletingShots()
    {
        Board b(3);
        const QList<QUuid> ids = b.shotIDs();
        QVERIFY(!edits::moveShot(b.project, b.episodeID, b.sceneID, ids[0], -1));
        QVERIFY(!edits::moveShot(b.project, b.episodeID, b.sceneID, ids[2], 1));
        QCOMPARE(b.shotIDs(), ids);
        QVERIFY(edits::moveShot(b.project, b.episodeID, b.sceneID, ids[2], -1));
        QCOMPARE(b.shotIDs(), (QList<QUuid>{ids[0], ids[2], ids[1]}));

        QVERIFY(edits::deleteShot(b.project, b.episodeID, b.sceneID, ids[0]));
        QVERIFY(edits::deleteShot(b.project, b.episodeID, b.sceneID, ids[1]));
        QVERIFY(!edits::deleteShot(b.project, b.episodeID, b.sceneID, ids[1]));
        QCOMPARE(b.shotIDs(), QList<QUuid>{ids[2]});
    }

    void recipeAndApproval()
    {
        Board b(1);
        const QUuid id = b.shotIDs().first();
        Shot& shot = *findShot(b.project, b.episodeID, b.sceneID, id);
        shot.seconds = 12.5;
        shot.what = u"A hand on the door."_s;
        shot.takes = {Take{}, Take{}};
        const Shot original = shot;
        const ShotRecipe* walk = nullptr;
        for (const ShotRecipe& r : ShotRecipe::catalog())
            walk = r.name == u"The Long Walk"_s ? &r : walk;
        QVERIFY(walk);

        QVERIFY(edits::applyShotRecipe(b.project, b.episodeID, b.sceneID, id, walk->id));
        const Shot applied = b.scene().shots.first();
        QCOMPARE(applied.size, walk->size);
        QCOMPARE(applied.move, walk->move);
        QCOMPARE(applied.seconds, walk->seconds);
        QCOMPARE(applied.recipeID, std::optional<QString>(walk->id));
        QCOMPARE(applied.what, original.what);
        QCOMPARE(applied.frameSeed, original.frameSeed);
        QCOMPARE(applied.takes, original.takes);
        QVERIFY(!edits::applyShotRecipe(b.project, b.episodeID, b.sceneID, id, u"noSuchRecipe"_s));

        QVERIFY(edits::clearShotRecipe(b.project, b.episodeID, b.sceneID, id));
        QVERIFY(!b.scene().shots.first().recipeID);
        QCOMPARE(b.scene().shots.first().seconds, walk->seconds);

        const QUuid first = original.takes[0].id, second = original.takes[1].id;
        edits::toggleTakeApproval(b.project, b.episodeID, b.sceneID, id, first);
        QCOMPARE(b.scene().shots.first().approvedTakeID, std::optional<QUuid>(first));
        edits::toggleTakeApproval(b.project, b.episodeID, b.sceneID, id, second);
        QCOMPARE(b.scene().shots.first().approvedTakeID, std::optional<QUuid>(second));
        QCOMPARE(b.scene().shots.first().bestSeed(), original.takes[1].seed);
        edits::toggleTakeApproval(b.project, b.episodeID, b.sceneID, id, second);
        QVERIFY(!b.scene().shots.first().approvedTakeID);
        QCOMPARE(b.scene().shots.first().status(), ShotStatus::rendered);

        QVERIFY(edits::reframeShot(b.project, b.episodeID, b.sceneID, id));
        QVERIFY(b.scene().shots.first().frameSeed != original.frameSeed);
        QCOMPARE(b.scene().shots.first().takes, original.takes);
        QVERIFY(!edits::reframeShot(b.project, b.episodeID, b.sceneID, newId()));
    }

    void texts()
    {
        QCOMPARE(rules::sceneDetailText(4, 17.9), u"4 shots · 17s"_s);
        QCOMPARE(rules::recipeTitle(u"noSuchRecipe"_s), u"Apply a signature shot…"_s);
        const ShotRecipe& recipe = ShotRecipe::catalog().first();
        QCOMPARE(rules::recipeTitle(recipe.id), recipe.name + u" · after "_s + recipe.inspiredBy);
    }

    void assistResultsLandOnlyWhereAsked()
    {
        Board b(2);
        const QList<QUuid> ids = b.shotIDs();
        edits::setShotWhat(b.project, b.episodeID, b.sceneID, ids[1], u" "_s);

        QVERIFY(edits::landShotDescription(b.project, b.episodeID, b.sceneID, ids[0], u"Waves break."_s));
        QVERIFY(!edits::landShotDescription(b.project, b.episodeID, b.sceneID, ids[1], u"Gulls."_s));
        QCOMPARE(b.scene().shots[0].what, u"Waves break."_s);
        QCOMPARE(b.scene().shots[1].what, u" "_s); // typed while waiting: kept

        QVERIFY(edits::landShotList(b.project, b.episodeID, b.sceneID, {Shot{}, Shot{}}));
        QCOMPARE(b.scene().shots.size(), 4);

        const Project before = b.project;
        edits::landShotDescription(b.project, b.episodeID, b.sceneID, newId(), u"Gone."_s);
        edits::landShotDescription(b.project, newId(), b.sceneID, ids[0], u"Other episode."_s);
        edits::landShotList(b.project, newId(), b.sceneID, {Shot{}});
        edits::landShotList(b.project, b.episodeID, newId(), {Shot{}});
        QCOMPARE(b.project, before);
    }
};

QTEST_GUILESS_MAIN(StoryboardEditsTest)
#include "StoryboardEditsTest.moc"
