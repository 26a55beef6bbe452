// The poster card's texts: the edit time against an injected clock, and what
// it shows of a production (badge, running time, episode count, phases),
// shown and said in words.

#include "views/home/ProjectPosterCard.h"

#include <QtTest>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {
constexpr double minute = 60, hour = 3600, day = 86400;

Project episodic(ProjectFormat format, int episodes, qint64 runtime)
{
    Project p;
    p.format = format;
    p.idea.targetRuntimeMinutes = runtime;
    p.episodes.clear();
    for (int i = 0; i < episodes; ++i)
        p.episodes.append(Episode{});
    return p;
}
} // namespace

class PosterCardTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void editedLabel_data()
    {
        QTest::addColumn<double>("elapsed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("now") << 0.0 << u"Edited just now"_s;
        QTest::newRow("89 s") << 89.0 << u"Edited just now"_s;
        QTest::newRow("89.999 s") << 89.999 << u"Edited just now"_s;
        QTest::newRow("90 s") << 90.0 << u"Edited 1 minute ago"_s;
        QTest::newRow("just under 2 min") << 119.9 << u"Edited 1 minute ago"_s;
        QTest::newRow("5 min") << 5 * minute + 30 << u"Edited 5 minutes ago"_s;
        QTest::newRow("59 min") << 59 * minute + 59 << u"Edited 59 minutes ago"_s;
        QTest::newRow("1 h") << hour << u"Edited 1 hour ago"_s;
        QTest::newRow("3 h") << 3 * hour + 20 * minute << u"Edited 3 hours ago"_s;
        QTest::newRow("1 day") << day + 5 * hour << u"Edited 1 day ago"_s;
        QTest::newRow("6 days") << 6 * day + 23 * hour << u"Edited 6 days ago"_s;
        QTest::newRow("2 weeks") << 15 * day << u"Edited 2 weeks ago"_s;
        QTest::newRow("1 month") << 31 * day << u"Edited 1 month ago"_s;
        QTest::newRow("4 weeks") << 30 * day << u"Edited 4 weeks ago"_s;
        QTest::newRow("11 months") << 364 * day << u"Edited 11 months ago"_s;
        QTest::newRow("2 years") << 800 * day << u"Edited 2 years ago"_s;
        QTest::newRow("future") << -3600.0 << u"Edited just now"_s;
    }
    void editedLabel()
    {
        QFETCH(double, elapsed);
        QFETCH(QString, expected);
        const Date now(800000000.0);
        QCOMPARE(ProjectPosterCard::editedLabel(now.addingSeconds(-elapsed), now), expected);
    }

    void unreadableDatesReadJustNow()
    {
        const Date now(800000000.0);
        QCOMPARE(ProjectPosterCard::editedLabel(Date(std::numeric_limits<double>::quiet_NaN()), now),
                 u"Edited just now"_s);
        QCOMPARE(ProjectPosterCard::editedLabel(Date(-std::numeric_limits<double>::infinity()), now),
                 u"Edited just now"_s);
        // Far in the past still names a count, never a wrapped-around one.
        QVERIFY(ProjectPosterCard::editedLabel(Date(-1e300), now).endsWith(u" years ago"_s));
    }

    // The card reads the present from its clock each time it is asked.
    void cardFollowsItsClock()
    {
        Project p;
        p.modifiedAt = Date(500000000.0);
        ProjectPosterCard card(p);
        double now = 500000000.0 + 89;
        card.setClock([&now] { return Date(now); });
        QCOMPARE(card.editedText(), u"Edited just now"_s);
        now += 1;
        QCOMPARE(card.editedText(), u"Edited 1 minute ago"_s);
        now += 2 * day;
        QCOMPARE(card.editedText(), u"Edited 2 days ago"_s);
    }

    void face_data()
    {
        QTest::addColumn<Project>("project");
        QTest::addColumn<QString>("badge");
        QTest::addColumn<QString>("runtime");
        QTest::addColumn<QString>("episodes");
        // What a reader hears after the name: the same in words.
        QTest::addColumn<QString>("said");
        QTest::newRow("short film") << episodic(ProjectFormat::shortFilm, 1, 12) << u"SHORT FILM"_s << u"12 min"_s
                                    << QString() << u"Short Film · 12 minutes · 0 of 9 phases ready"_s;
        QTest::newRow("feature") << episodic(ProjectFormat::feature, 1, 176) << u"FEATURE FILM"_s << u"2h 56m"_s
                                 << QString() << u"Feature Film · 2 hours 56 minutes · 0 of 9 phases ready"_s;
        QTest::newRow("custom with two episodes") << episodic(ProjectFormat::custom, 2, 30) << u"CUSTOM"_s
                                                  << u"30 min"_s << QString()
                                                  << u"Custom · 30 minutes · 0 of 9 phases ready"_s;
        QTest::newRow("series of one") << episodic(ProjectFormat::series, 1, 42) << u"EPISODIC SERIES"_s
                                       << u"42 min"_s << u"· 1 episode"_s
                                       << u"Episodic Series · 42 minutes · 1 episode · 0 of 9 phases ready"_s;
        QTest::newRow("series of eight") << episodic(ProjectFormat::series, 8, 25) << u"EPISODIC SERIES"_s
                                         << u"3h 20m"_s << u"· 8 episodes"_s
                                         << u"Episodic Series · 3 hours 20 minutes · 8 episodes · 0 of 9 phases ready"_s;
        QTest::newRow("anthology of four") << episodic(ProjectFormat::anthology, 4, 15) << u"ANTHOLOGY"_s
                                           << u"1h"_s << u"· 4 segments"_s
                                           << u"Anthology · 1 hour · 4 segments · 0 of 9 phases ready"_s;
        QTest::newRow("anthology of one") << episodic(ProjectFormat::anthology, 1, 15) << u"ANTHOLOGY"_s
                                          << u"15 min"_s << u"· 1 segment"_s
                                          << u"Anthology · 15 minutes · 1 segment · 0 of 9 phases ready"_s;
        QTest::newRow("sitcom") << episodic(ProjectFormat::sitcom, 3, 22) << u"SITCOM"_s << u"1h 6m"_s
                                << u"· 3 episodes"_s << u"Sitcom · 1 hour 6 minutes · 3 episodes · 0 of 9 phases ready"_s;
    }
    void face()
    {
        QFETCH(Project, project);
        const auto face = ProjectPosterCard::Face::of(project);
        QTEST(face.badge, "badge");
        QTEST(face.runtime, "runtime");
        QTEST(face.episodes, "episodes");
        ProjectPosterCard card(project);
        QTEST(card.accessibleDescription(), "said");
    }

    void phaseCount()
    {
        Project p;
        QCOMPARE(ProjectPosterCard::Face::of(p).phaseCount(), u"0/9"_s);
        p.completedPhases = {PhaseID::spark, PhaseID::story, PhaseID::cast, PhaseID::script};
        QCOMPARE(ProjectPosterCard::Face::of(p).phaseCount(), u"4/9"_s);
        for (PhaseID phase : allCases<PhaseID>())
            p.completedPhases.insert(phase);
        QCOMPARE(ProjectPosterCard::Face::of(p).phaseCount(), u"9/9"_s);
    }

    // A card shown again with a newer copy of its production keeps its
    // identity and shows the new values.
    void showsTheStoredValue()
    {
        Project p;
        p.name = u"First"_s;
        ProjectPosterCard card(p);
        p.name = u"Second"_s;
        p.format = ProjectFormat::sitcom;
        card.setProject(p);
        QCOMPARE(card.face().name, u"Second"_s);
        QCOMPARE(card.face().badge, u"SITCOM"_s);
        QCOMPARE(card.projectID(), p.id);
    }

    // Clicks count on the card, not in the room left around it for the
    // hover scale.
    void clicksOnlyOnTheCard()
    {
        Project p;
        ProjectPosterCard card(p);
        card.resize(card.sizeHint());
        QSignalSpy clicked(&card, &QAbstractButton::clicked);
        QTest::mouseClick(&card, Qt::LeftButton, {}, QPoint(1, 1));
        QCOMPARE(clicked.size(), 0);
        QTest::mouseClick(&card, Qt::LeftButton, {}, card.rect().center());
        QCOMPARE(clicked.size(), 1);
    }
};

QTEST_MAIN(PosterCardTest)
#include "PosterCardTest.moc"
