// The Premiere screen's rules without widgets: which readiness items hold,
// the statistics over every episode, and the texts of the poster, the cards
// and the export bar.

#include "model/Script.h"
#include "state/rules/PremiereRules.h"

#include <QtTest>
#include <functional>
#include <limits>

using namespace studio;
using namespace studio::rules;
using namespace Qt::StringLiterals;

namespace {

using Change = std::function<void(Project&)>;

Episode readyEpisode(double cutSeconds = 10)
{
    Episode e;
    e.script.elements << ScriptElement{};
    SceneCard scene;
    Shot shot;
    shot.takes << Take{};
    scene.shots << shot;
    e.scenes << scene;
    TimelineClip clip;
    clip.seconds = cutSeconds;
    e.timeline << clip;
    return e;
}

// A production every item of the checklist accepts.
Project readyProject()
{
    Project p;
    p.idea.logline = u"A keeper hears the sea answer back."_s;
    CastMember member;
    member.look = u"Rain-soaked coat"_s;
    p.cast << member;
    p.look.styleID = u"noirMono"_s;
    p.episodes = {readyEpisode(), readyEpisode()};
    return p;
}

QStringList openLabels(const QList<ReadinessItem>& items)
{
    QStringList open;
    for (const ReadinessItem& item : items)
        if (!item.ok)
            open << item.label;
    return open;
}

} // namespace

class PremiereRulesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void checklistOpensOnlyWhatIsMissing_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QStringList>("open");
        const QStringList none;
        QTest::newRow("ready") << Change([](Project&) {}) << none;
        QTest::newRow("logline of blanks and line breaks")
            << Change([](Project& p) { p.idea.logline = u" \n\t\r\n "_s; }) << QStringList{u"Logline written"_s};
        QTest::newRow("logline of one dot") << Change([](Project& p) { p.idea.logline = u"\n.\n"_s; }) << none;
        QTest::newRow("one member without a look") << Change([](Project& p) { p.cast << CastMember{}; })
                                                  << QStringList{u"Cast anchored"_s};
        QTest::newRow("a look of spaces counts") << Change([](Project& p) { p.cast.first().look = u"   "_s; })
                                                 << none;
        QTest::newRow("no cast") << Change([](Project& p) { p.cast.clear(); }) << QStringList{u"Cast anchored"_s};
        QTest::newRow("no style") << Change([](Project& p) { p.look.styleID.reset(); })
                                  << QStringList{u"Visual style locked"_s};
        QTest::newRow("an empty style id counts") << Change([](Project& p) { p.look.styleID = QString(); }) << none;
        QTest::newRow("second episode without script")
            << Change([](Project& p) { p.episodes[1].script.elements.clear(); })
            << QStringList{u"Script on the page"_s};
        // Its scenes have no shots, while the first episode's do: every shot
        // that exists has a take, so only the storyboard is open.
        QTest::newRow("second episode's scenes without shots")
            << Change([](Project& p) { p.episodes[1].scenes.first().shots.clear(); })
            << QStringList{u"Storyboard planned"_s};
        QTest::newRow("a new shot without takes reopens footage")
            << Change([](Project& p) { p.episodes[1].scenes.first().shots << Shot{}; })
            << QStringList{u"Footage rendered"_s};
        QTest::newRow("second episode without a cut")
            << Change([](Project& p) { p.episodes[1].timeline.clear(); }) << QStringList{u"Cut assembled"_s};
        QTest::newRow("no shot anywhere")
            << Change([](Project& p) {
                   for (Episode& e : p.episodes)
                       e.scenes.clear();
               })
            << QStringList{u"Storyboard planned"_s, u"Footage rendered"_s};
        // Every per-episode condition holds for no episode; footage needs a shot.
        QTest::newRow("no episode") << Change([](Project& p) { p.episodes.clear(); })
                                    << QStringList{u"Footage rendered"_s};
    }

    void checklistOpensOnlyWhatIsMissing()
    {
        QFETCH(Change, change);
        QFETCH(QStringList, open);
        Project p = readyProject();
        change(p);
        const QList<ReadinessItem> items = readinessChecklist(p);
        QCOMPARE(openLabels(items), open);
        QCOMPARE(readinessText(items), QString::number(7 - open.size()) + u" of 7 ready"_s);
    }

    void newProductionIsNothingReadyAndEachItemLeadsToItsPhase()
    {
        const QList<ReadinessItem> items = readinessChecklist(Project::make());
        QCOMPARE(readyCount(items), 0);
        QList<PhaseID> phases;
        for (const ReadinessItem& item : items)
            phases << item.phase;
        const QList<PhaseID> expected = {PhaseID::spark,  PhaseID::cast,    PhaseID::look, PhaseID::script,
                                         PhaseID::scenes, PhaseID::footage, PhaseID::cut};
        QCOMPARE(phases, expected);
    }

    void statsCountEveryEpisode_data()
    {
        QTest::addColumn<ProjectFormat>("format");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QStringList>("labels");
        const QStringList counts = {u"3"_s, u"3"_s, u"3"_s, u"1m 30s"_s};
        const QStringList names = {u"scenes"_s, u"shots"_s, u"takes"_s, u"assembled"_s};
        QTest::newRow("series") << ProjectFormat::series << (QStringList{u"3"_s} + counts)
                                << (QStringList{u"episodes"_s} + names);
        QTest::newRow("anthology") << ProjectFormat::anthology << (QStringList{u"3"_s} + counts)
                                   << (QStringList{u"segments"_s} + names);
        QTest::newRow("sitcom") << ProjectFormat::sitcom << (QStringList{u"3"_s} + counts)
                                << (QStringList{u"episodes"_s} + names);
        QTest::newRow("feature") << ProjectFormat::feature << counts << names;
        QTest::newRow("short film") << ProjectFormat::shortFilm << counts << names;
        QTest::newRow("custom") << ProjectFormat::custom << counts << names;
    }

    void statsCountEveryEpisode()
    {
        QFETCH(ProjectFormat, format);
        QFETCH(QStringList, values);
        QFETCH(QStringList, labels);
        Project p;
        p.format = format;
        // 30.3 + 30.2 + 30.2 = 90.7 seconds over three episodes.
        p.episodes = {readyEpisode(30.3), readyEpisode(30.2), readyEpisode(30.2)};
        QStringList shownValues, shownLabels;
        for (const PremiereFigure& figure : premiereFigures(p)) {
            shownValues << figure.value;
            shownLabels << figure.label;
        }
        QCOMPARE(shownValues, values);
        QCOMPARE(shownLabels, labels);
    }

    void assembledTimeNeverFails()
    {
        Project p;
        p.episodes = {readyEpisode(std::numeric_limits<double>::quiet_NaN())};
        QCOMPARE(premiereFigures(p).last().value, u"0s"_s);
        p.episodes = {readyEpisode(1e300), readyEpisode(1e300)};
        QVERIFY(!premiereFigures(p).last().value.isEmpty());
    }

    void texts()
    {
        QCOMPARE(posterGenreLine({Genre::sciFi, Genre::drama}), u"Sci-Fi \u00B7 Drama"_s);
        QCOMPARE(posterGenreLine({}), QString());
        QCOMPARE(exportButtonText(u"web"_s), u"Export Web & Social"_s);
        QCOMPARE(exportButtonText(u"nonesuch"_s), u"Export Master"_s);
        QCOMPARE(exportButtonText(QString()), u"Export Master"_s);
        QCOMPARE(presetSpecText(u"HEVC 10-bit"_s, u"4K UHD"_s, u"MOV"_s), u"HEVC 10-bit \u00B7 4K UHD \u00B7 MOV"_s);
        QCOMPARE(exportLocationText(u"/home/ana/Vidéos/"_s), u"Exports to Vidéos \u203A Palisademotion Exports"_s);
    }
};

QTEST_GUILESS_MAIN(PremiereRulesTest)
#include "PremiereRulesTest.moc"
