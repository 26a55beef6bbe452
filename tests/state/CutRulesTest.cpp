// What The Cut shows, without widgets: assembly from the storyboard, the
// runtime chip and its tone, the geometry of the two lanes, the length texts.

#include "state/rules/CutRules.h"

#include <QtTest>

#include <limits>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

Shot shot(ShotSize size, double seconds = 5, const QString& dialogue = QString())
{
    Shot s;
    s.size = size;
    s.seconds = seconds;
    s.dialogue = dialogue;
    return s;
}

SceneCard scene(const QList<Shot>& shots)
{
    SceneCard s;
    s.shots = shots;
    return s;
}

TimelineClip clip(double seconds, bool dialogue = false)
{
    TimelineClip c;
    c.seconds = seconds;
    c.hasDialogue = dialogue;
    return c;
}

QStringList labels(const QList<TimelineClip>& clips)
{
    QStringList list;
    for (const TimelineClip& c : clips)
        list << c.label;
    return list;
}

} // namespace

Q_DECLARE_METATYPE(studio::rules::RuntimeTone)

class CutRulesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void assemblyNumbersByPosition()
    {
        Episode e;
        e.scenes = {scene({}), scene({shot(ShotSize::wide), shot(ShotSize::mediumClose)}),
                    scene({shot(ShotSize::closeUp), shot(ShotSize::twoShot), shot(ShotSize::insert)})};
        const QList<TimelineClip> clips = rules::assembledTimeline(e);
        QCOMPARE(labels(clips), (QStringList{u"S2\u00B71 WS"_s, u"S2\u00B72 MCU"_s, u"S3\u00B71 CU"_s,
                                             u"S3\u00B72 2S"_s, u"S3\u00B73 INS"_s}));
        for (int i = 0; i < clips.size(); ++i)
            QCOMPARE(clips[i].shotID, std::optional<QUuid>(e.scenes[i < 2 ? 1 : 2].shots[i < 2 ? i : i - 2].id));

        // A new assembly gives new clip identities.
        const QList<TimelineClip> again = rules::assembledTimeline(e);
        QCOMPARE(labels(again), labels(clips));
        for (int i = 0; i < clips.size(); ++i)
            QVERIFY(again[i].id != clips[i].id);

        QVERIFY(rules::assembledTimeline(Episode{}).isEmpty());
        Episode shotless;
        shotless.scenes = {scene({}), scene({})};
        QVERIFY(rules::assembledTimeline(shotless).isEmpty());
    }

    void assemblyCopiesShots()
    {
        Take first, second, third;
        Shot approved = shot(ShotSize::medium, 45, u" "_s);
        approved.takes = {first, second, third};
        approved.approvedTakeID = second.id;
        Shot unapproved = shot(ShotSize::medium, 2.25);
        unapproved.takes = {first, third};
        Shot staleApproval = unapproved;
        staleApproval.approvedTakeID = newId();
        Shot planned = shot(ShotSize::medium, 7);
        Episode e;
        e.scenes = {scene({approved, unapproved, staleApproval, planned})};

        const QList<TimelineClip> clips = rules::assembledTimeline(e);
        QCOMPARE(clips[0].seed, second.seed);
        QCOMPARE(clips[1].seed, third.seed);
        QCOMPARE(clips[2].seed, third.seed);
        QCOMPARE(clips[3].seed, planned.frameSeed);
        // Lengths unchanged, even past what the length slider offers.
        QCOMPARE(clips[0].seconds, 45.0);
        QCOMPARE(clips[1].seconds, 2.25);
        // A single blank is dialogue; nothing is not.
        QVERIFY(clips[0].hasDialogue);
        QVERIFY(!clips[1].hasDialogue);
    }

    void runtimeChip_data()
    {
        QTest::addColumn<ProjectFormat>("format");
        QTest::addColumn<qint64>("minutes");
        QTest::addColumn<QList<double>>("clips");
        QTest::addColumn<QString>("text");
        QTest::addColumn<rules::RuntimeTone>("tone");
        const auto warn = rules::RuntimeTone::tooShort, success = rules::RuntimeTone::onTarget,
                   danger = rules::RuntimeTone::tooLong;
        QTest::newRow("short film") << ProjectFormat::shortFilm << qint64(10) << QList<double>{60, 65.5}
                                    << u"Cut 2m 5s \u00B7 Target 10 min"_s << warn;
        QTest::newRow("just under 0.6") << ProjectFormat::shortFilm << qint64(10) << QList<double>{359.9}
                                        << u"Cut 5m 59s \u00B7 Target 10 min"_s << warn;
        QTest::newRow("0.6") << ProjectFormat::shortFilm << qint64(10) << QList<double>{300, 60}
                             << u"Cut 6m 0s \u00B7 Target 10 min"_s << success;
        QTest::newRow("1.2") << ProjectFormat::feature << qint64(10) << QList<double>{720}
                             << u"Cut 12m 0s \u00B7 Target 10 min"_s << success;
        QTest::newRow("over 1.2") << ProjectFormat::custom << qint64(10) << QList<double>{720.5}
                                  << u"Cut 12m 0s \u00B7 Target 10 min"_s << danger;
        QTest::newRow("zero target") << ProjectFormat::shortFilm << qint64(0) << QList<double>{600}
                                     << u"Cut 10m 0s \u00B7 Target 0 min"_s << warn;
        // One episode's cut against one episode's target.
        QTest::newRow("series reaches 0.6") << ProjectFormat::series << qint64(22) << QList<double>{792}
                                            << u"Cut 13m 12s \u00B7 Target 22m / episode"_s << success;
        QTest::newRow("series past 1.2") << ProjectFormat::sitcom << qint64(22) << QList<double>{1584.5}
                                         << u"Cut 26m 24s \u00B7 Target 22m / episode"_s << danger;
        QTest::newRow("anthology") << ProjectFormat::anthology << qint64(12) << QList<double>{1}
                                   << u"Cut 1s \u00B7 Target 12m / segment"_s << warn;
        // A length that is no number reads 0 and is coloured as 0.
        QTest::newRow("not a number") << ProjectFormat::shortFilm << qint64(1)
                                      << QList<double>{std::numeric_limits<double>::quiet_NaN(), 60}
                                      << u"Cut 0s \u00B7 Target 1 min"_s << warn;
    }

    void runtimeChip()
    {
        QFETCH(ProjectFormat, format);
        QFETCH(qint64, minutes);
        QFETCH(QList<double>, clips);
        QFETCH(QString, text);
        QFETCH(rules::RuntimeTone, tone);
        Project p;
        p.format = format;
        p.idea.targetRuntimeMinutes = minutes;
        p.episodes = {Episode{}, Episode{}, Episode{}};
        for (double seconds : clips)
            p.episodes[1].timeline << clip(seconds);
        const rules::RuntimeChip chip = rules::runtimeChip(p, &p.episodes[1]);
        QCOMPARE(chip.text, text);
        QCOMPARE(chip.tone, tone);
    }

    void laneLayoutWidths_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<double>("width");
        QTest::newRow("to scale") << 5.0 << 14.0 << 70.0;
        QTest::newRow("minimum") << 2.0 << 14.0 << 46.0;
        QTest::newRow("minimum at low zoom") << 7.0 << 6.0 << 46.0;
        QTest::newRow("trimmed") << 7.5 << 14.0 << 105.0;
        QTest::newRow("negative") << -5.0 << 14.0 << 46.0;
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 14.0 << 46.0;
    }

    void laneLayoutWidths()
    {
        QFETCH(double, seconds);
        QFETCH(double, zoom);
        QFETCH(double, width);
        const rules::LaneLayout layout = rules::laneLayout({clip(seconds)}, zoom);
        QCOMPARE(layout.clips.first().width(), width);
    }

    void laneLayoutAlignsLanes()
    {
        const QList<TimelineClip> timeline = {clip(5, true), clip(1), clip(30), clip(1e300),
                                              clip(std::numeric_limits<double>::infinity()), clip(2.5)};
        for (double zoom : {6.0, 14.0, 21.3, 30.0}) {
            const rules::LaneLayout layout = rules::laneLayout(timeline, zoom);
            QCOMPARE(layout.clips.size(), timeline.size());
            for (int i = 0; i < timeline.size(); ++i) {
                const QRectF& tile = layout.clips[i];
                const QRectF& lane = layout.dialogue[i];
                // Each dialogue tile stands exactly under its clip.
                QCOMPARE(lane.left(), tile.left());
                QCOMPARE(lane.width(), tile.width());
                QVERIFY(lane.top() > tile.bottom());
                QVERIFY(std::isfinite(tile.right()));
                if (i > 0)
                    QCOMPARE(tile.left(), layout.clips[i - 1].right() + 3);
                // A tap on the tile finds it; the gap before it finds none.
                QCOMPARE(rules::clipIndexAt(layout, tile.center()), i);
                if (i > 0)
                    QCOMPARE(rules::clipIndexAt(layout, QPointF(tile.left() - 1.5, tile.center().y())), -1);
            }
            QCOMPARE(layout.size.width(), layout.clips.last().right());
            QVERIFY(layout.size.height() > layout.dialogue.last().bottom());
            QCOMPARE(rules::clipIndexAt(layout, QPointF(layout.size.width() + 10, 30)), -1);
            QCOMPARE(rules::clipIndexAt(layout, layout.dialogue.first().center()), -1);
        }
        QVERIFY(rules::laneLayout({}, 14).clips.isEmpty());
    }

    void secondsTexts()
    {
        QCOMPARE(rules::tileSecondsText(4.5), u"4s"_s); // ties to even
        QCOMPARE(rules::tileSecondsText(5.5), u"6s"_s);
        QCOMPARE(rules::clipControlSecondsText(7.25), u"7.2s"_s);
        QCOMPARE(rules::clipControlSecondsText(45), u"45.0s"_s);
        QCOMPARE(rules::tileSecondsText(std::numeric_limits<double>::quiet_NaN()), u"0s"_s);
        QCOMPARE(rules::clipControlSecondsText(-std::numeric_limits<double>::infinity()), u"0.0s"_s);
    }
};

QTEST_GUILESS_MAIN(CutRulesTest)
#include "CutRulesTest.moc"
