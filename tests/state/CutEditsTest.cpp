// The changes The Cut makes, by id: assembling an episode's storyboard into
// its timeline, moving, retiming and cutting clips, and the music cues; each
// lands in the episode it names and does nothing once its target is gone.

#include "state/edits/CutEdits.h"

#include <QtTest>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

QList<QUuid> clipIDs(const Episode& episode)
{
    QList<QUuid> ids;
    for (const TimelineClip& clip : episode.timeline)
        ids << clip.id;
    return ids;
}

// Two episodes; the second holds three clips of 1, 2 and 3 seconds and a cue.
Project production()
{
    Project p;
    Episode second;
    for (double seconds : {1.0, 2.0, 3.0}) {
        TimelineClip clip;
        clip.seconds = seconds;
        second.timeline << clip;
    }
    second.musicCues << MusicCue{};
    p.episodes << second;
    return p;
}

} // namespace

class CutEditsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void clipsByID()
    {
        Project p = production();
        const QUuid episodeID = p.episodes[1].id;
        const QList<QUuid> order = clipIDs(p.episodes[1]);
        const Project start = p;

        QVERIFY(!edits::moveClip(p, episodeID, order[0], -1)); // first, earlier
        QVERIFY(!edits::moveClip(p, episodeID, order[2], 1));  // last, later
        QVERIFY(!edits::moveClip(p, episodeID, newId(), 1));
        QVERIFY(!edits::moveClip(p, p.episodes[0].id, order[0], 1)); // another episode's clip
        QCOMPARE(p, start);

        QVERIFY(edits::moveClip(p, episodeID, order[0], 1));
        QVERIFY(edits::moveClip(p, episodeID, order[0], 1));
        QCOMPARE(clipIDs(p.episodes[1]), (QList<QUuid>{order[1], order[2], order[0]}));

        QVERIFY(edits::retimeClip(p, episodeID, order[2], 7.5));
        QCOMPARE(p.episodes[1].timeline[1].seconds, 7.5);
        QVERIFY(!edits::retimeClip(p, newId(), order[2], 1));

        QVERIFY(edits::removeClip(p, episodeID, order[2]));
        QCOMPARE(clipIDs(p.episodes[1]), (QList<QUuid>{order[1], order[0]}));
        QVERIFY(!edits::removeClip(p, episodeID, order[2]));
    }

    void assemblyReplacesTheTimeline()
    {
        Project p = production();
        SceneCard scene;
        scene.shots = {Shot{}, Shot{}};
        p.episodes[1].scenes = {scene};
        const QUuid episodeID = p.episodes[1].id;
        QVERIFY(edits::assembleTimeline(p, episodeID));
        const QList<TimelineClip>& timeline = p.episodes[1].timeline;
        QCOMPARE(timeline.size(), 2);
        QCOMPARE(timeline[0].shotID, std::optional<QUuid>(scene.shots[0].id));
        QVERIFY(p.episodes[0].timeline.isEmpty());
        QVERIFY(!edits::assembleTimeline(p, newId()));
    }

    void musicCuesByID()
    {
        Project p = production();
        const QUuid episodeID = p.episodes[1].id;
        const MusicCue old = p.episodes[1].musicCues.first();

        const QUuid added = edits::addMusicCue(p, episodeID);
        QCOMPARE(p.episodes[1].musicCues.last(), (MusicCue{added, u"New Cue"_s, QString()}));
        QVERIFY(edits::addMusicCue(p, newId()).isNull());

        QVERIFY(edits::renameMusicCue(p, episodeID, added, u"Opening wonder"_s));
        QVERIFY(edits::setMusicCueMood(p, episodeID, added, u"Strings"_s));
        QCOMPARE(p.episodes[1].musicCues.last(), (MusicCue{added, u"Opening wonder"_s, u"Strings"_s}));
        QVERIFY(!edits::renameMusicCue(p, p.episodes[0].id, added, u"Elsewhere"_s));

        MusicCue suggested;
        suggested.name = u"Final goodbye"_s;
        QVERIFY(edits::appendMusicCues(p, episodeID, {suggested}));
        QVERIFY(!edits::appendMusicCues(p, newId(), {suggested}));

        QVERIFY(edits::removeMusicCue(p, episodeID, added));
        QCOMPARE(p.episodes[1].musicCues, (QList<MusicCue>{old, suggested}));
        QVERIFY(!edits::removeMusicCue(p, episodeID, added));
        QVERIFY(!edits::setMusicCueMood(p, episodeID, added, u"Gone"_s));
    }
};

QTEST_GUILESS_MAIN(CutEditsTest)
#include "CutEditsTest.moc"
