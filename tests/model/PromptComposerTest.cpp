#include "model/PromptComposer.h"

#include <QTest>
#include <limits>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

// The lighthouse production: one listed character, one location with a look.
struct Lighthouse {
    Project project;
    SceneCard scene;
    Shot shot;

    Lighthouse()
    {
        CastMember eda;
        eda.name = u"Eda"_s;
        eda.look = u"Wiry, rain-soaked coat"_s;
        eda.tells = u"Counts under her breath"_s;
        Location light;
        light.name = u"Lighthouse"_s;
        light.look = u"Salt-streaked brass and a turning lamp"_s;
        project.cast = {eda};
        project.locations = {light};
        project.look.lightingMood = {u"Moonlit blue"_s};
        project.look.moodWords = {u"Lonely"_s, u"Taut"_s};
        scene.setting = SceneSetting::interior;
        scene.timeOfDay = TimeOfDay::night;
        scene.locationID = light.id;
        scene.castIDs = {eda.id};
        shot.what = u"eda climbs the winding stair"_s;
        shot.size = ShotSize::extremeWide;
        shot.move = CameraMove::locked;
    }

    CastMember& addCast(const QString& name, bool listed)
    {
        CastMember m;
        m.name = name;
        m.look = name + u" look"_s;
        project.cast.append(m);
        if (listed)
            scene.castIDs.prepend(m.id);
        return project.cast.last();
    }
};

const QString workedExample =
    u"Eda climbs the winding stair. Eda: Wiry, rain-soaked coat. Behavior: counts under her breath. "
    u"Int. Lighthouse — Night — salt-streaked brass and a turning lamp. Extreme wide establishing shot, "
    u"static locked-off camera, 2.39 Scope frame. Lit by moonlit blue; mood lonely, taut. "
    u"grade: recurring warm gold color accent."_s;

} // namespace

class PromptComposerTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void workedExample()
    {
        const Lighthouse l;
        QCOMPARE(PromptComposer::prompt(l.shot, l.scene, l.project), ::workedExample);
    }

    void promptVariants_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<QString>("prompt");
        QTest::newRow("bare: setting and camera only")
            << 0 << u"Int. Location Tbd — Day. Medium shot, static locked-off camera, 2.39 Scope frame."_s;
        QTest::newRow("blank what leaves an empty part")
            << 1 << u" Int. Location Tbd — Day. Medium shot, static locked-off camera, 2.39 Scope frame."_s;
        QTest::newRow("ending punctuation kept")
            << 2 << u"Run! Int. Location Tbd — Day. Medium shot, static locked-off camera, 2.39 Scope frame."_s;
        QTest::newRow("ellipsis kept")
            << 3 << u"And then... Int. Location Tbd — Day. Medium shot, static locked-off camera, 2.39 Scope frame."_s;
        QTest::newRow("recipe, style, lens, tone")
            << 4
            << u"Int. Location Tbd — Day. Medium close-up, dolly zoom vertigo effect, background warping while subject "
               u"holds — dolly zoom — the world stretches behind a steady, sinking face, 9:16 Vertical frame. "
               u"Kinetic restless energy. Rendered in Noir Monochrome style: film noir, black and white, hard shadows, "
               u"venetian blind light, smoke and rain; composition doctrine: camera rigged to body, rhythmic extreme "
               u"close-up inserts, repetition ritual montage, claustrophobic follow shot behind head; grade: heavy "
               u"organic film grain."_s;
        QTest::newRow("unknown ids drop out")
            << 5 << u"Int. Location Tbd — Day. Medium shot, static locked-off camera, 2.39 Scope frame."_s;
        QTest::newRow("heading words after punctuation are capitalised")
            << 7 << u"Ext. \"The Anchor\" (Back Room) — Night. Medium shot, static locked-off camera, 2.39 Scope frame."_s;
        QTest::newRow("trailing blanks and tabs trimmed, line breaks kept")
            << 6 << u"Door slams\n. Int. Location Tbd — Day. Medium shot, static locked-off camera, 2.39 Scope frame."_s;
    }
    void promptVariants()
    {
        QFETCH(int, variant);
        QFETCH(QString, prompt);
        Project project;
        project.look.accentHex = u"123456"_s;
        SceneCard scene;
        Shot shot;
        switch (variant) {
        case 1: shot.what = u" \t "_s; break;
        case 2: shot.what = u"run!"_s; break;
        case 3: shot.what = u"And then..."_s; break;
        case 4:
            shot.size = ShotSize::mediumClose;
            shot.move = CameraMove::dollyZoom;
            shot.recipeID = u"vertigoPull"_s;
            project.look.aspect = AspectRatio::vertical916;
            project.look.styleID = u"noirMono"_s;
            project.look.directorLensID = u"lockedObsession"_s;
            project.look.grain = 0.9;
            project.idea.tone.energy = 0.71;
            break;
        case 5:
            shot.recipeID = u"VertigoPull"_s;
            project.look.styleID = u"retired"_s;
            project.look.directorLensID = QString();
            scene.locationID = newId();
            scene.castIDs = {newId()};
            break;
        case 6: shot.what = u"door slams\n \t"_s; break;
        case 7:
            scene.setting = SceneSetting::exterior;
            scene.timeOfDay = TimeOfDay::night;
            scene.locationText = u"\"the anchor\" (back room)"_s;
            break;
        }
        QCOMPARE(PromptComposer::prompt(shot, scene, project), prompt);
    }

    void castFollowsProductionOrder()
    {
        Lighthouse l;
        l.addCast(u"Mara"_s, true);   // listed first in the scene, last in the production
        l.addCast(u"Ghost"_s, false); // not in the scene
        l.project.cast.append(CastMember{}); // listed nowhere, no look
        l.scene.castIDs.append(newId());     // someone deleted from the production
        const QString p = PromptComposer::prompt(l.shot, l.scene, l.project);
        QVERIFY(p.indexOf(u"Eda: "_s) < p.indexOf(u"Mara: Mara look."_s));
        QVERIFY(!p.contains(u"Ghost"_s));
        l.project.cast.first().look.clear();
        QVERIFY(!PromptComposer::prompt(l.shot, l.scene, l.project).contains(u"Eda:"_s));
    }

    void references_data()
    {
        QTest::addColumn<bool>("usesRefs");
        QTest::addColumn<qint64>("maxRefs");
        QTest::addColumn<bool>("location");
        QTest::addColumn<QStringList>("refs");
        const QString anchor = u"Style anchor frame"_s;
        QTest::newRow("off") << false << qint64(3) << true << QStringList{anchor};
        QTest::newRow("three") << true << qint64(3) << true
                               << QStringList{anchor, u"Eda — portrait ref"_s, u"Mara — portrait ref"_s, u"Lighthouse — set ref"_s};
        QTest::newRow("two") << true << qint64(2) << false << QStringList{anchor, u"Eda — portrait ref"_s};
        QTest::newRow("one") << true << qint64(1) << true << QStringList{anchor, u"Lighthouse — set ref"_s};
        QTest::newRow("zero") << true << qint64(0) << false << QStringList{anchor};
        QTest::newRow("negative") << true << qint64(-4) << false << QStringList{anchor};
        QTest::newRow("huge") << true << std::numeric_limits<qint64>::min() << false << QStringList{anchor};
    }
    void references()
    {
        QFETCH(bool, usesRefs);
        QFETCH(qint64, maxRefs);
        QFETCH(bool, location);
        QFETCH(QStringList, refs);
        Lighthouse l;
        l.addCast(u"Mara"_s, true);
        l.addCast(u"Ghost"_s, false);
        l.addCast(u"Ivo"_s, true);
        if (!location)
            l.scene.locationID.reset();
        GenerationProfile profile;
        profile.usesCharacterRefs = usesRefs;
        profile.maxRefImages = maxRefs;
        QCOMPARE(PromptComposer::references(l.shot, l.scene, l.project, profile), refs);
    }

    void clipPlans_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<double>("maxClip");
        QTest::addColumn<bool>("chains");
        QTest::addColumn<QList<double>>("lengths");
        QTest::newRow("twenty in eights") << 20.0 << 8.0 << true << QList<double>{8, 8, 4};
        QTest::newRow("exactly one") << 8.0 << 8.0 << true << QList<double>{8};
        QTest::newRow("a little longer") << 8.5 << 8.0 << false << QList<double>{8, 0.5};
        QTest::newRow("zero length") << 0.0 << 8.0 << true << QList<double>{0};
        QTest::newRow("negative length") << -3.0 << 8.0 << true << QList<double>{0};
        QTest::newRow("negative length, no clip length") << -3.0 << 0.0 << true << QList<double>{0};
        QTest::newRow("not a number") << qQNaN() << 8.0 << true << QList<double>{0};
        QTest::newRow("endless") << qInf() << 8.0 << true << QList<double>{0};
        QTest::newRow("no clip length") << 20.0 << 0.0 << true << QList<double>{20};
        QTest::newRow("negative clip length") << 20.0 << -1.0 << true << QList<double>{20};
        QTest::newRow("non-finite clip length") << 20.0 << qQNaN() << true << QList<double>{20};
    }
    void clipPlans()
    {
        QFETCH(double, seconds);
        QFETCH(double, maxClip);
        QFETCH(bool, chains);
        QFETCH(QList<double>, lengths);
        Lighthouse l;
        l.shot.seconds = seconds;
        GenerationProfile profile;
        profile.maxClipSeconds = maxClip;
        profile.chainsLastFrame = chains;
        const QList<ClipPlan> plans = PromptComposer::clips(l.shot, l.scene, l.project, profile);
        const QString prompt = PromptComposer::prompt(l.shot, l.scene, l.project);
        const QStringList refs = PromptComposer::references(l.shot, l.scene, l.project, profile);
        QCOMPARE(plans.size(), lengths.size());
        const int total = int(plans.size());
        for (int i = 0; i < total; ++i) {
            const ClipPlan& c = plans[i];
            QCOMPARE(c.index, i + 1);
            QCOMPARE(c.total, total);
            QCOMPARE(c.seconds, lengths[i]);
            QCOMPARE(c.chained, chains && i > 0);
            QCOMPARE(c.refs, refs);
            QString expected = prompt;
            if (total > 1)
                expected += u" — clip %1 of %2"_s.arg(i + 1).arg(total);
            if (c.chained)
                expected += u", continuing motion seamlessly from the previous clip's final frame"_s;
            QCOMPARE(c.prompt, expected);
            if (i > 0)
                QVERIFY(c.id != plans[i - 1].id);
        }
    }

    void corruptDurationsAreCapped()
    {
        Lighthouse l;
        GenerationProfile profile;
        l.shot.seconds = 1e12;
        QList<ClipPlan> plans = PromptComposer::clips(l.shot, l.scene, l.project, profile);
        QCOMPARE(plans.size(), PromptComposer::maxClipsPerShot);
        QCOMPARE(plans.last().total, PromptComposer::maxClipsPerShot);
        // Non-finite durations convert to no count at all: one clip.
        for (double corrupt : {std::numeric_limits<double>::infinity(), qQNaN()}) {
            l.shot.seconds = corrupt;
            QCOMPARE(PromptComposer::clips(l.shot, l.scene, l.project, profile).size(), 1);
        }
    }
};

QTEST_GUILESS_MAIN(PromptComposerTest)
#include "PromptComposerTest.moc"
