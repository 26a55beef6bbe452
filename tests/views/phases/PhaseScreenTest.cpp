// The base of the phase screens: one refresh per real change of the
// production or of the active episode, none for an edit that changes
// nothing, never one refresh inside another, no write to the session from
// inside a refresh, and the active episode resolved afresh at every read.

#include "model/Lookup.h"
#include "state/ProjectSession.h"
#include "views/phases/PhaseScreen.h"

#include <QtTest>
#include <functional>
#include <utility>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

class CountingScreen : public PhaseScreen {
public:
    explicit CountingScreen(ProjectSession& session)
        : PhaseScreen(session)
    {
        requestRefresh();
    }

    using PhaseScreen::edit;
    using PhaseScreen::editActiveEpisode;
    using PhaseScreen::setProfile;

    int refreshes = 0;
    int depth = 0;
    int deepest = 0;
    // What each refresh saw: the production's name and logline.
    QStringList seen;
    // Run once from inside the next refresh.
    std::function<void()> duringNextRefresh;

private:
    void refresh() override
    {
        ++depth;
        deepest = std::max(deepest, depth);
        ++refreshes;
        seen << project().name + u"/"_s + project().idea.logline;
        if (auto during = std::exchange(duringNextRefresh, {}))
            during();
        --depth;
    }
};

Project threeEpisodes()
{
    Project p;
    p.name = u"Start"_s;
    p.episodes = {Episode{}, Episode{}, Episode{}};
    return p;
}

} // namespace

class PhaseScreenTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void refreshesOncePerRealChange()
    {
        ProjectSession session(threeEpisodes());
        CountingScreen screen(session);
        QCOMPARE(screen.refreshes, 1); // the derived constructor's own

        QVERIFY(screen.edit([](Project& p) { p.name = u"Renamed"_s; }));
        QCOMPARE(screen.refreshes, 2);
        QVERIFY(!screen.edit([](Project& p) { p.name = u"Renamed"_s; }));
        QVERIFY(!session.edit([](Project&) {}));
        QCOMPARE(screen.refreshes, 2);

        session.setActiveEpisodeID(session.project().episodes[2].id);
        QCOMPARE(screen.refreshes, 3);
        session.setActiveEpisodeID(session.project().episodes[2].id);
        session.setProfile(GenerationProfile{.maxClipSeconds = 4});
        QCOMPARE(screen.refreshes, 3);
        QCOMPARE(screen.deepest, 1);
    }

    void neverRefreshesInsideARefreshOrAnEdit()
    {
        ProjectSession session(threeEpisodes());
        CountingScreen screen(session);

        // A change that reaches the session while the screen refreshes is
        // shown by the next refresh, after this one has returned.
        screen.duringNextRefresh = [&] { session.edit([](Project& p) { p.idea.logline = u"Second"_s; }); };
        screen.edit([](Project& p) { p.name = u"First"_s; });
        QCOMPARE(screen.deepest, 1);
        QCOMPARE(screen.refreshes, 3);
        QCOMPARE(screen.seen.mid(1), (QStringList{u"First/"_s, u"First/Second"_s}));

#ifdef QT_NO_DEBUG
        // The screen's own refresh only shows: an edit through the screen
        // while it refreshes is refused and changes nothing (a debug build
        // stops there instead).
        bool accepted = true;
        screen.duringNextRefresh = [&] { accepted = screen.edit([](Project& p) { p.idea.logline = u"Sneaked"_s; }); };
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"refused"_s));
        screen.edit([](Project& p) { p.name = u"Third"_s; });
        QVERIFY(!accepted);
        QCOMPARE(session.project().idea.logline, u"Second"_s);
        const int refusedRefreshes = 1;

        // So is every other write to the session made through the screen.
        screen.duringNextRefresh = [&] { screen.setProfile(GenerationProfile{.maxClipSeconds = 4}); };
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"refused"_s));
        screen.edit([](Project& p) { p.name = u"Fourth"_s; });
        QCOMPARE(session.profile(), GenerationProfile{});
#else
        const int refusedRefreshes = 0;
#endif

        // An edit made while another one is being applied joins it: the screen
        // sees both changes at once, in one refresh.
        screen.edit([&](Project& p) {
            p.name = u"Outer"_s;
            session.edit([](Project& q) { q.idea.logline = u"Inner"_s; });
        });
        QCOMPARE(screen.refreshes, 4 + 2 * refusedRefreshes);
        QCOMPARE(screen.seen.last(), u"Outer/Inner"_s);
        QCOMPARE(screen.deepest, 1);
    }

    void theActiveEpisodeIsResolvedAtEveryRead()
    {
        ProjectSession session(threeEpisodes());
        CountingScreen screen(session);
        const QList<Episode> episodes = session.project().episodes;
        QCOMPARE(screen.activeEpisodeID(), episodes[0].id);

        session.setActiveEpisodeID(episodes[1].id);
        QCOMPARE(screen.activeEpisodeID(), episodes[1].id);
        QCOMPARE(screen.activeEpisode(), &session.project().episodes[1]);

        // The active episode goes: the first one stands in, then none.
        const QUuid gone = episodes[1].id;
        screen.edit([gone](Project& p) { p.episodes.removeIf([gone](const Episode& e) { return e.id == gone; }); });
        QCOMPARE(screen.activeEpisodeID(), episodes[0].id);
        screen.edit([](Project& p) { p.episodes.clear(); });
        QCOMPARE(screen.activeEpisodeID(), QUuid());
        QCOMPARE(screen.activeEpisode(), nullptr);
        QVERIFY(!screen.editActiveEpisode([](Project& p, const QUuid&) { p.name = u"Nowhere"_s; }));
    }

    void editsTheActiveEpisodeByID()
    {
        ProjectSession session(threeEpisodes());
        CountingScreen screen(session);
        const QUuid second = session.project().episodes[1].id;
        session.setActiveEpisodeID(second);
        QVERIFY(screen.editActiveEpisode([](Project& p, const QUuid& episodeID) {
            findEpisode(p, episodeID)->title = u"Pilot"_s;
        }));
        QCOMPARE(findEpisode(session.project(), second)->title, u"Pilot"_s);
        QCOMPARE(session.project().episodes[0].title, Episode{}.title);
    }
};

QTEST_MAIN(PhaseScreenTest)
#include "PhaseScreenTest.moc"
