// Finding records by id: within their own parent only, the first of
// duplicates, nothing for an id that names nothing, and the active episode's
// fallback to the first episode.

#include "model/Lookup.h"

#include <QTest>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

// Two episodes with one record of every kind each, so a look-up that ignores
// its parent finds the other episode's record.
Project twoEpisodes()
{
    Project p;
    p.episodes = {Episode{}, Episode{}};
    for (Episode& e : p.episodes) {
        Act act;
        act.beats = {Beat{}, Beat{}};
        e.structure.acts = {Act{}, act};
        SceneCard scene;
        scene.shots = {Shot{}, Shot{}};
        e.scenes = {SceneCard{}, scene};
        e.script.elements = {ScriptElement{}, ScriptElement{}};
        e.timeline = {TimelineClip{}, TimelineClip{}};
        e.musicCues = {MusicCue{}, MusicCue{}};
    }
    CastMember member;
    member.relationships = {CastRelationship{}, CastRelationship{}};
    p.cast = {CastMember{}, member};
    p.locations = {Location{}, Location{}};
    p.idea.cards = {IdeaCard{}, IdeaCard{}};
    return p;
}

} // namespace

class LookupTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void recordsAreFoundWithinTheirOwnParent()
    {
        const Project p = twoEpisodes();
        const Episode& e = p.episodes[1];
        const QUuid other = p.episodes[0].id;
        const QUuid nobody = newId();

        QCOMPARE(findEpisode(p, e.id), &e);
        QCOMPARE(findEpisode(p, nobody), nullptr);

        const Act& act = e.structure.acts[1];
        QCOMPARE(findAct(p, e.id, act.id), &act);
        QCOMPARE(findBeat(p, e.id, act.id, act.beats[1].id), &act.beats[1]);
        QCOMPARE(findBeat(p, other, act.id, act.beats[1].id), nullptr);
        QCOMPARE(findBeat(p, e.id, e.structure.acts[0].id, act.beats[1].id), nullptr);

        const SceneCard& scene = e.scenes[1];
        QCOMPARE(findScene(p, e.id, scene.id), &scene);
        QCOMPARE(findScene(p, other, scene.id), nullptr);
        QCOMPARE(findShot(p, e.id, scene.id, scene.shots[1].id), &scene.shots[1]);
        QCOMPARE(findShot(p, e.id, e.scenes[0].id, scene.shots[1].id), nullptr);
        QCOMPARE(findShot(p, e.id, scene.id, nobody), nullptr);

        QCOMPARE(findScriptElement(p, e.id, e.script.elements[1].id), &e.script.elements[1]);
        QCOMPARE(findScriptElement(p, other, e.script.elements[1].id), nullptr);
        QCOMPARE(findClip(p, e.id, e.timeline[1].id), &e.timeline[1]);
        QCOMPARE(findClip(p, other, e.timeline[1].id), nullptr);
        QCOMPARE(findMusicCue(p, e.id, e.musicCues[1].id), &e.musicCues[1]);
        QCOMPARE(findMusicCue(p, other, e.musicCues[1].id), nullptr);

        const CastMember& member = p.cast[1];
        QCOMPARE(findCastMember(p, member.id), &member);
        QCOMPARE(findRelationship(p, member.id, member.relationships[1].id), &member.relationships[1]);
        QCOMPARE(findRelationship(p, p.cast[0].id, member.relationships[1].id), nullptr);
        QCOMPARE(findLocation(p, p.locations[1].id), &p.locations[1]);
        QCOMPARE(findLocation(p, nobody), nullptr);
        QCOMPARE(findIdeaCard(p, p.idea.cards[1].id), &p.idea.cards[1]);
        QCOMPARE(findIdeaCard(p, nobody), nullptr);

        const QList<Project> library = {Project{}, p};
        QCOMPARE(findProject(library, p.id), &library[1]);
        QCOMPARE(findProject(library, nobody), nullptr);
    }

    void mutableFormsWriteIntoTheProduction()
    {
        Project p = twoEpisodes();
        const Episode& e = p.episodes[1];
        findShot(p, e.id, e.scenes[1].id, e.scenes[1].shots[0].id)->what = u"Gulls"_s;
        findBeat(p, e.id, e.structure.acts[1].id, e.structure.acts[1].beats[0].id)->summary = u"Storm"_s;
        findRelationship(p, p.cast[1].id, p.cast[1].relationships[0].id)->label = u"rival"_s;
        QCOMPARE(p.episodes[1].scenes[1].shots[0].what, u"Gulls"_s);
        QCOMPARE(p.episodes[1].structure.acts[1].beats[0].summary, u"Storm"_s);
        QCOMPARE(p.cast[1].relationships[0].label, u"rival"_s);
        QCOMPARE(p.episodes[0].scenes[1].shots[0].what, QString());
    }

    void duplicateIDsGiveTheFirst()
    {
        Project p = twoEpisodes();
        p.episodes[1].id = p.episodes[0].id;
        p.cast[1].id = p.cast[0].id;
        p.episodes[0].scenes[1].id = p.episodes[0].scenes[0].id;
        const Project& shown = p;
        QCOMPARE(findEpisode(shown, p.episodes[0].id), &shown.episodes[0]);
        QCOMPARE(findCastMember(shown, p.cast[0].id), &shown.cast[0]);
        QCOMPARE(findScene(shown, p.episodes[0].id, p.episodes[0].scenes[0].id), &shown.episodes[0].scenes[0]);

        findCastMember(p, p.cast[0].id)->name = u"First"_s;
        QCOMPARE(p.cast[0].name, u"First"_s);
        QVERIFY(p.cast[1].name != u"First"_s);
    }

    void activeEpisodeFallsBackToTheFirst_data()
    {
        QTest::addColumn<int>("episodes");
        QTest::addColumn<int>("named"); // index of the named episode, -1: an id naming none, -2: the null id
        QTest::addColumn<int>("found"); // -1: none
        QTest::newRow("names the third") << 3 << 2 << 2;
        QTest::newRow("names none") << 3 << -1 << 0;
        QTest::newRow("null id") << 2 << -2 << 0;
        QTest::newRow("no episodes") << 0 << -1 << -1;
    }

    void activeEpisodeFallsBackToTheFirst()
    {
        QFETCH(int, episodes);
        QFETCH(int, named);
        QFETCH(int, found);
        Project p;
        p.episodes.clear();
        for (int i = 0; i < episodes; ++i)
            p.episodes << Episode{};
        const QUuid id = named >= 0 ? p.episodes[named].id : named == -1 ? newId() : QUuid();
        const Project& shown = p;
        const Episode* expected = found < 0 ? nullptr : &shown.episodes[found];
        QCOMPARE(findActiveEpisode(shown, id), expected);
        Episode* writable = findActiveEpisode(p, id);
        QCOMPARE(writable == nullptr, found < 0);
        if (writable) {
            writable->title = u"Active"_s;
            QCOMPARE(p.episodes[found].title, u"Active"_s);
        }
    }
};

QTEST_GUILESS_MAIN(LookupTest)
#include "LookupTest.moc"
