#include "AIDirectorFixtures.h"

#include <QTest>

using namespace studio;
using namespace fixtures;

namespace {

const QString shotListClosing = QStringLiteral(
    "\nsizes: extremeWide|wide|full|medium|mediumClose|closeUp|extremeClose|overShoulder|pov|insert|twoShot"
    "\nmoves: locked|pan|tilt|pushIn|pullOut|track|crane|handheld|orbit|zoom|whipPan|dollyZoom|aerial"
    "\nReturn JSON {\"shots\":[{\"size\":\"wide\",\"move\":\"locked\",\"seconds\":6,\"what\":\"...\",\"dialogue\":\"\"}]}");

QString expectedShotListPrompt(const QString& sceneLine, const QString& castLine)
{
    return QStringLiteral("Plan 4\u20138 shots that cover this scene with intention: vary sizes, establish before you "
                          "isolate, save the closest size for the scene's turn. Durations 2\u201312 seconds. Shot "
                          "descriptions are filmable single sentences (subject + action + composition).\nSCENE: ")
        + sceneLine + QStringLiteral("\nIN SCENE: ") + castLine + shotListClosing;
}

} // namespace

// The look recommendation, a scene's shot list and one shot's description.
class AIDirectorLookShotTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void recommendLookPrompt()
    {
        ScriptedModel model;
        const Project p = sampleSeries();
        QVERIFY(valueOf(model.director().recommendLook(p)));
        const QString user = model.last().user;
        QVERIFY(user.startsWith(QStringLiteral(
            "Recommend the visual identity for this project. Choose exactly one styleID, one lensID, one aspectID, "
            "2\u20133 lighting moods from [Golden hour, Soft overcast, Hard noon sun, Candlelit, Moonlit blue, Neon "
            "night, Practical lamps, Firelight, Fluorescent flicker, Storm light], 2\u20134 mood words, plus short "
            "director's notes (rules of the look, max 60 words) and why (one sentence selling the choice).\nSTYLES:\n"
            "dimensional3D \u2014 Dimensional 3D (Animation)\n")));
        QVERIFY(user.endsWith(QStringLiteral(
            "\nASPECTS: ultra276 \u2014 2.76 Ultra, scope239 \u2014 2.39 Scope, flat185 \u2014 1.85 Flat, euro166 "
            "\u2014 1.66 Euro, hd169 \u2014 16:9 HD, classic43 \u2014 4:3 Classic, imax143 \u2014 1.43 IMAX, "
            "vertical916 \u2014 9:16 Vertical\nReturn JSON {\"styleID\":\"...\",\"lensID\":\"...\",\"aspectID\":"
            "\"...\",\"lighting\":[\"...\"],\"moodWords\":[\"...\"],\"notes\":\"...\",\"why\":\"...\"}")));
        for (const char* line : {"\nmodernAnime \u2014 Modern Anime (Anime)\n", "\ncinema35 \u2014 35mm Cinema (Live Action)\n",
                                 "\nneonNeoNoir \u2014 Neon Neo-Noir (Stylized)\nLENSES:\nsodiumSilhouette \u2014 Sodium & "
                                 "Silhouette (after Roger Deakins)\n",
                                 "\nmythicSweep \u2014 Mythic Sweep (after Peter Jackson)\nASPECTS: "})
            QVERIFY2(user.contains(QString::fromUtf8(line)), line);
        const qsizetype stylesAt = user.indexOf(QStringLiteral("\nSTYLES:\n"));
        const qsizetype lensesAt = user.indexOf(QStringLiteral("\nLENSES:\n"));
        const qsizetype aspectsAt = user.indexOf(QStringLiteral("\nASPECTS: "));
        QCOMPARE(user.mid(stylesAt, lensesAt - stylesAt).count(u'\n'), 22 + 1);
        QCOMPARE(user.mid(lensesAt, aspectsAt - lensesAt).count(u'\n'), 14 + 1);
        QCOMPARE(model.last().maxTokens, 8192);
        QCOMPARE(model.last().system, AIDirector::systemPrompt() + AIDirector::brief(p));
    }

    void recommendLookMapping_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<AIDirector::LookRecommendation>("expected");
        QTest::newRow("empty object") << QStringLiteral("{}") << AIDirector::LookRecommendation{};
        QTest::newRow("unchecked ids kept as sent")
            << QStringLiteral("{\"styleID\":\"Noir\",\"lensID\":\"\",\"aspectID\":\" scope239\",\"lighting\":[\"Purple haze\","
                              "\"Golden hour\"],\"moodWords\":[\"salt\"],\"notes\":\"n\",\"why\":\" w \"}")
            << AIDirector::LookRecommendation{QStringLiteral("Noir"), QString(), QStringLiteral(" scope239"),
                                              {"Purple haze", "Golden hour"}, {"salt"}, "n", " w "};
    }

    void recommendLookMapping()
    {
        QFETCH(QString, reply);
        QFETCH(AIDirector::LookRecommendation, expected);
        ScriptedModel model;
        model.replyAlways(reply);
        const auto result = valueOf(model.director().recommendLook(Project{}));
        QVERIFY(result);
        QVERIFY(*result == expected);
    }

    void shotListPrompt_data()
    {
        QTest::addColumn<Project>("project");
        QTest::addColumn<QString>("expected");

        Project sample = sampleSeries();
        QTest::newRow("sample scene")
            << sample
            << expectedShotListPrompt(QStringLiteral("INT. LIGHTHOUSE \u2014 NIGHT \u2014 Eda hears her name in the static."),
                              QStringLiteral("Eda"));

        Project order = sampleSeries();
        SceneCard& scene = order.episodes.first().scenes.first();
        scene.castIDs = {order.cast[2].id, QUuid::createUuid(), order.cast[0].id};
        scene.synopsis = QStringLiteral("   ");
        QTest::newRow("cast in production order, blank synopsis kept")
            << order
            << expectedShotListPrompt(QStringLiteral("INT. LIGHTHOUSE \u2014 NIGHT \u2014    "), QStringLiteral("Eda, Wren"));

        Project nobody = sampleSeries();
        nobody.episodes.first().scenes.first().castIDs = {QUuid::createUuid()};
        nobody.episodes.first().scenes.first().synopsis.clear();
        QTest::newRow("unknown cast, empty synopsis")
            << nobody
            << expectedShotListPrompt(QStringLiteral("INT. LIGHTHOUSE \u2014 NIGHT \u2014 (no synopsis)"),
                              QStringLiteral("no cast assigned"));

        Project nameless = sampleSeries();
        nameless.cast[0].name.clear();
        QTest::newRow("one nameless member")
            << nameless
            << expectedShotListPrompt(QStringLiteral("INT. LIGHTHOUSE \u2014 NIGHT \u2014 Eda hears her name in the static."),
                              QStringLiteral("no cast assigned"));
    }

    void shotListPrompt()
    {
        QFETCH(Project, project);
        QFETCH(QString, expected);
        ScriptedModel model;
        model.replyAlways(QStringLiteral("{\"shots\":[]}"));
        const Episode& episode = project.episodes.first();
        const auto result = valueOf(model.director().shotList(project, episode, episode.scenes.first()));
        QVERIFY(result);
        QCOMPARE(result->episodeID, episode.id);
        QCOMPARE(result->sceneID, episode.scenes.first().id);
        QCOMPARE(model.last().user, expected);
        QCOMPARE(model.last().maxTokens, 10000);
        QCOMPARE(model.last().system, AIDirector::systemPrompt() + AIDirector::brief(project, &episode));
    }

    void shotListMapping()
    {
        ScriptedModel model;
        model.replyAlways(QStringLiteral(
            "{\"shots\":["
            "{\"size\":\"wide\",\"move\":\"crane\",\"seconds\":6,\"what\":\"w1\",\"dialogue\":\"Who?\"},"
            "{\"size\":\"Wide\",\"move\":\"dolly\",\"seconds\":0.5,\"what\":\"w2\"},"
            "{\"seconds\":45,\"what\":\"w3\"},"
            "{\"size\":\"closeUp\",\"what\":\" w4 \"},"
            "{\"size\":\"twoShot\",\"move\":\"whipPan\",\"seconds\":-3,\"what\":\"w5\"},"
            "{\"seconds\":2.5,\"what\":\"w6\"},{\"seconds\":1e300,\"what\":\"w7\"},{\"what\":\"w8\"},"
            "{\"what\":\"w9\"},{\"what\":\"w10\"},{\"what\":\"w11\"}]}"));
        const Project p = sampleSeries();
        const Episode& e = p.episodes.first();
        const auto result = valueOf(model.director().shotList(p, e, e.scenes.first()));
        QVERIFY(result);
        const QList<Shot>& shots = result->shots;
        QCOMPARE(shots.size(), 8);
        const QList<ShotSize> sizes = {ShotSize::wide, ShotSize::medium, ShotSize::medium, ShotSize::closeUp,
                                       ShotSize::twoShot, ShotSize::medium, ShotSize::medium, ShotSize::medium};
        const QList<CameraMove> moves = {CameraMove::crane, CameraMove::locked, CameraMove::locked, CameraMove::locked,
                                         CameraMove::whipPan, CameraMove::locked, CameraMove::locked, CameraMove::locked};
        const QList<double> seconds = {6, 1, 20, 5, 1, 2.5, 20, 5};
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(shots[i].size, sizes[i]);
            QCOMPARE(shots[i].move, moves[i]);
            QCOMPARE(shots[i].seconds, seconds[i]);
            QVERIFY(shots[i].takes.isEmpty());
            QVERIFY(!shots[i].approvedTakeID && !shots[i].recipeID);
            QVERIFY(parseUuid(shots[i].frameSeed));
        }
        QCOMPARE(shots[0].dialogue, QStringLiteral("Who?"));
        QCOMPARE(shots[1].dialogue, QString());
        QCOMPARE(shots[3].what, QStringLiteral(" w4 "));
        QVERIFY(shots[0].id != shots[1].id && shots[0].frameSeed != shots[1].frameSeed);
    }

    void shotListBadPlanFailsWholeReply_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::newRow("shots missing") << QStringLiteral("{\"plans\":[]}");
        QTest::newRow("plan without what") << QStringLiteral("{\"shots\":[{\"what\":\"a\"},{\"size\":\"wide\"}]}");
        QTest::newRow("seconds as text") << QStringLiteral("{\"shots\":[{\"what\":\"a\",\"seconds\":\"6\"}]}");
        QTest::newRow("size as number") << QStringLiteral("{\"shots\":[{\"what\":\"a\",\"size\":3}]}");
        QTest::newRow("shots an object") << QStringLiteral("{\"shots\":{\"what\":\"a\"}}");
    }

    void shotListBadPlanFailsWholeReply()
    {
        QFETCH(QString, reply);
        ScriptedModel model;
        model.replyAlways(reply);
        const auto error = aiErrorOf(model.director().shotList(Project{}, Episode{}, SceneCard{}));
        QVERIFY(error);
        QCOMPARE(error->kind(), AIError::Kind::parsing);
    }

    void describeShotPrompt_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("synopsis");
        QTest::addColumn<QString>("dialogue");
        QTest::addColumn<QString>("expectedMiddle");
        QTest::newRow("wide locked six seconds, no dialogue")
            << 6.0 << QStringLiteral("Eda climbs.") << QString()
            << QStringLiteral("Wide (Locked, 6s) in this scene: EXT. PIER \u2014 DUSK \u2014 Eda climbs.. ");
        QTest::newRow("truncated seconds, cut synopsis and dialogue")
            << 4.9 << repeated(QStringLiteral("s"), 300) << repeated(QStringLiteral("d"), 150)
            << QStringLiteral("Wide (Locked, 4s) in this scene: EXT. PIER \u2014 DUSK \u2014 ") + repeated(QStringLiteral("s"), 200)
                   + QStringLiteral(". Dialogue in shot: ") + repeated(QStringLiteral("d"), 120) + QStringLiteral(".");
        QTest::newRow("empty synopsis, short dialogue")
            << 12.0 << QString() << QStringLiteral("Who?")
            << QStringLiteral("Wide (Locked, 12s) in this scene: EXT. PIER \u2014 DUSK \u2014 . Dialogue in shot: Who?.");
        QTest::newRow("duration no integer holds") << 1e300 << QString() << QString()
                                                   << QStringLiteral("Wide (Locked, 9223372036854775807s) in this scene: EXT. PIER \u2014 DUSK \u2014 . ");
        QTest::newRow("duration not a number") << qQNaN() << QString() << QString()
                                               << QStringLiteral("Wide (Locked, 0s) in this scene: EXT. PIER \u2014 DUSK \u2014 . ");
    }

    void describeShotPrompt()
    {
        QFETCH(double, seconds);
        QFETCH(QString, synopsis);
        QFETCH(QString, dialogue);
        QFETCH(QString, expectedMiddle);
        Project p;
        p.locations = {place(QStringLiteral("Pier"))};
        SceneCard scene;
        scene.setting = SceneSetting::exterior;
        scene.timeOfDay = TimeOfDay::dusk;
        scene.locationID = p.locations.first().id;
        scene.synopsis = synopsis;
        Shot shot;
        shot.size = ShotSize::wide;
        shot.move = CameraMove::locked;
        shot.seconds = seconds;
        shot.dialogue = dialogue;
        scene.shots = {shot};
        ScriptedModel model;
        model.replyAlways(QStringLiteral("{\"what\":\" Eda climbs the stair. \"}"));
        const auto result = valueOf(model.director().describeShot(p, scene, shot));
        QVERIFY(result);
        QCOMPARE(result->what, QStringLiteral(" Eda climbs the stair. "));
        QCOMPARE(result->sceneID, scene.id);
        QCOMPARE(result->shotID, shot.id);
        QCOMPARE(model.last().user,
                 QStringLiteral("Write the shot description (\"what we see\") for a ") + expectedMiddle
                     + QStringLiteral(" One filmable sentence, subject + action + composition detail. No camera jargon "
                                      "beyond what's given.\nReturn JSON {\"what\":\"...\"}"));
        QCOMPARE(model.last().maxTokens, 8192);
        QCOMPARE(model.last().system, AIDirector::systemPrompt() + AIDirector::brief(p));
    }

    void describeShotNeedsWhat()
    {
        ScriptedModel model;
        model.replyAlways(QStringLiteral("{\"description\":\"x\"}"));
        const auto error = aiErrorOf(model.director().describeShot(Project{}, SceneCard{}, Shot{}));
        QVERIFY(error && error->kind() == AIError::Kind::parsing);
    }
};

QTEST_GUILESS_MAIN(AIDirectorLookShotTest)
#include "AIDirectorLookShotTest.moc"
