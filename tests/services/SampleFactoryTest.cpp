// The built-in samples: complete documents that survive the disk, fresh and
// self-contained at every call, with the facts the first-run list promises.

#include "services/SampleFactory.h"

#include "model/Text.h"

#include <QTest>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

// Every record id of a production.
QList<QUuid> allIds(const Project& p)
{
    QList<QUuid> ids{p.id};
    for (const IdeaCard& c : p.idea.cards)
        ids.append(c.id);
    for (const CastMember& m : p.cast) {
        ids.append(m.id);
        for (const CastRelationship& r : m.relationships)
            ids.append(r.id);
    }
    for (const Location& l : p.locations)
        ids.append(l.id);
    for (const Episode& e : p.episodes) {
        ids.append(e.id);
        for (const Act& a : e.structure.acts) {
            ids.append(a.id);
            for (const Beat& b : a.beats)
                ids.append(b.id);
        }
        for (const ScriptElement& el : e.script.elements)
            ids.append(el.id);
        for (const SceneCard& s : e.scenes) {
            ids.append(s.id);
            for (const Shot& shot : s.shots)
                ids.append(shot.id);
        }
        for (const MusicCue& c : e.musicCues)
            ids.append(c.id);
    }
    return ids;
}

int writtenBeats(const Episode& e)
{
    int count = 0;
    for (const Act& a : e.structure.acts) {
        for (const Beat& b : a.beats)
            count += b.summary.isEmpty() ? 0 : 1;
    }
    return count;
}

int shotCount(const Episode& e)
{
    int count = 0;
    for (const SceneCard& s : e.scenes)
        count += int(s.shots.size());
    return count;
}

} // namespace

class SampleFactoryTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void registryListsTheThreeSamplesInOrder()
    {
        const QList<SampleFactory::Sample>& samples = SampleFactory::registry();
        QCOMPARE(samples.size(), 3);
        QStringList ids, names;
        for (const SampleFactory::Sample& s : samples) {
            ids.append(s.id);
            names.append(s.name);
            QCOMPARE(s.make().name, s.name);
        }
        QCOMPARE(ids, (QStringList{u"lighthouse"_s, u"cloudFarmer"_s, u"counterCulture"_s}));
        QCOMPARE(samples.at(1).blurb, u"Painterly anime short · Kishōtenketsu structure"_s);
    }

    void samplesSurviveTheDocumentFormat_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < 3; ++i)
            QTest::newRow(qPrintable(SampleFactory::registry().at(i).id)) << i;
    }

    void samplesSurviveTheDocumentFormat()
    {
        QFETCH(int, index);
        const Project p = SampleFactory::registry().at(index).make();
        QCOMPARE(json::decode<Project>(json::encodePretty(p)), p);
    }

    void everyCallMakesAnIndependentProduction_data() { samplesSurviveTheDocumentFormat_data(); }

    void everyCallMakesAnIndependentProduction()
    {
        QFETCH(int, index);
        const auto make = SampleFactory::registry().at(index).make;
        const Project a = make(), b = make();

        const QList<QUuid> idsA = allIds(a), idsB = allIds(b);
        const QSet<QUuid> setA(idsA.begin(), idsA.end()), setB(idsB.begin(), idsB.end());
        QCOMPARE(setA.size(), idsA.size()); // no id used twice inside a sample
        QVERIFY(!setA.intersects(setB));

        // Cross references stay inside their own production.
        QSet<QUuid> castIds;
        for (const CastMember& m : a.cast)
            castIds.insert(m.id);
        QCOMPARE(a.cast.size(), 2);
        QCOMPARE(a.cast.at(0).relationships.size(), 1);
        QCOMPARE(a.cast.at(0).relationships.at(0).otherID, a.cast.at(1).id);
        QCOMPARE(a.cast.at(1).relationships.at(0).otherID, a.cast.at(0).id);
        QCOMPARE(a.locations.size(), 1);
        for (const Episode& e : a.episodes) {
            for (const SceneCard& s : e.scenes) {
                QCOMPARE(s.locationID, a.locations.at(0).id);
                QVERIFY(s.locationText.isEmpty());
                for (const QUuid& id : s.castIDs)
                    QVERIFY(castIds.contains(id));
            }
        }

        // The hand-written seeds are the same texts every time.
        QCOMPARE(a.posterSeed, b.posterSeed);
        QVERIFY(a.posterSeed.startsWith(u"sample-"_s));
        QCOMPARE(a.cast.at(0).portraitSeed, b.cast.at(0).portraitSeed);
        QCOMPARE(a.locations.at(0).artSeed, b.locations.at(0).artSeed);
        const SceneCard& firstScene = a.episodes.at(0).scenes.at(0);
        QCOMPARE(firstScene.shots.at(0).frameSeed, b.episodes.at(0).scenes.at(0).shots.at(0).frameSeed);
        QVERIFY(firstScene.shots.at(0).frameSeed.startsWith(u"sample-"_s));
    }

    void lighthouseFacts()
    {
        const Project p = SampleFactory::lighthouse();
        QCOMPARE(p.format, ProjectFormat::shortFilm);
        QCOMPARE(p.activePhase, PhaseID::look);
        QCOMPARE(p.completedPhases, (QSet<PhaseID>{PhaseID::spark, PhaseID::story, PhaseID::cast}));
        QCOMPARE(p.idea.tone, (ToneProfile{0.68, 0.62, 0.30, 0.18}));
        QCOMPARE(p.idea.cards.size(), 4);
        QCOMPARE(p.episodes.size(), 1);
        const Episode& e = p.episodes.at(0);
        QCOMPARE(e.title, p.name);
        QCOMPARE(e.structure.kind, StructureKind::threeAct);
        QCOMPARE(writtenBeats(e), 11);
        QCOMPARE(e.structure.acts.at(0).beats.at(0).charge, -1.0);
        QCOMPARE(e.structure.acts.at(2).beats.at(1).charge, 0.0);
        QCOMPARE(e.script.elements.size(), 14);
        QCOMPARE(e.script.elements.first().kind, ScriptElementKind::sceneHeading);
        QCOMPARE(e.script.elements.last().text, u"CUT TO:"_s);
        QCOMPARE(e.scenes.size(), 3);
        QCOMPARE(shotCount(e), 8);
        QCOMPARE(e.scenes.at(1).castIDs, (QList<QUuid>{p.cast.at(0).id, p.cast.at(1).id}));
        const Shot& push = e.scenes.at(2).shots.at(1);
        QCOMPARE(push.size, ShotSize::extremeClose);
        QCOMPARE(push.recipeID, std::optional<QString>(u"awePushIn"_s));
        QCOMPARE(push.frameSeed, u"sample-s3-b"_s);
        QVERIFY(push.takes.isEmpty() && !push.approvedTakeID);
        QCOMPARE(e.musicCues.size(), 2);
        QCOMPARE(p.look.directorLensID, std::optional<QString>(u"sodiumSilhouette"_s));
        QCOMPARE(p.look.grain, 0.62);
        QCOMPARE(p.look.contrast, 0.5);
    }

    void cloudFarmerFacts()
    {
        const Project p = SampleFactory::cloudFarmer();
        QCOMPARE(p.activePhase, PhaseID::scenes);
        QCOMPARE(p.idea.rating, Rating::g);
        QCOMPARE(p.look.aspect, AspectRatio::euro166);
        QCOMPARE(p.look.temperature, 0.62);
        const Episode& e = p.episodes.at(0);
        QCOMPARE(e.structure.kind, StructureKind::kishotenketsu);
        int beats = 0;
        for (const Act& a : e.structure.acts)
            beats += int(a.beats.size());
        QCOMPARE(writtenBeats(e), beats);
        QCOMPARE(beats, 7);
        QVERIFY(e.script.elements.isEmpty());
        QCOMPARE(e.scenes.size(), 2);
        QCOMPARE(shotCount(e), 5);
        QCOMPARE(e.scenes.at(0).timeOfDay, TimeOfDay::dawn);
        QCOMPARE(e.scenes.at(0).shots.at(0).move, CameraMove::aerial);
    }

    void counterCultureFacts()
    {
        const Project p = SampleFactory::counterCulture();
        QCOMPARE(p.format, ProjectFormat::sitcom);
        QVERIFY(p.idea.cards.isEmpty());
        QCOMPARE(text::graphemeCount(p.idea.premise), 325);
        QVERIFY(p.idea.premise.startsWith(u"Dev "_s));
        QVERIFY(p.idea.premise.section(u' ', 1, 1).contains(u'-'));
        QVERIFY(!p.look.directorLensID);
        QVERIFY(p.look.lensFeel.isEmpty());
        QCOMPARE(p.look.frameRate, FrameRate::f30);

        QCOMPARE(p.episodes.size(), 3);
        QCOMPARE(p.episodes.at(2).title, u"Decaf"_s);
        const Episode& pilot = p.episodes.at(0);
        QCOMPARE(writtenBeats(pilot), 7);
        QVERIFY(pilot.structure.acts.at(2).beats.at(0).summary.isEmpty());
        QVERIFY(pilot.structure.acts.at(2).beats.at(2).summary.isEmpty());
        QCOMPARE(pilot.scenes.size(), 1);
        QCOMPARE(shotCount(pilot), 3);
        QCOMPARE(pilot.musicCues.size(), 1);
        for (int i = 1; i < 3; ++i) {
            const Episode& e = p.episodes.at(i);
            QCOMPARE(e.number, qint64(i + 1));
            QCOMPARE(e.structure.kind, StructureKind::sitcom);
            QCOMPARE(writtenBeats(e), 0);
            QVERIFY(e.scenes.isEmpty() && e.musicCues.isEmpty() && e.script.elements.isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(SampleFactoryTest)
#include "SampleFactoryTest.moc"
