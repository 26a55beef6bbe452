#include "model/Enums.h"
#include "model/Generation.h"
#include "model/Project.h"
#include "model/Timeline.h"
#include "model/Text.h"

#include <QTest>
#include <limits>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

Take takeWithSeed(const QString& seed)
{
    Take t;
    t.seed = seed;
    return t;
}

ScriptElement element(ScriptElementKind kind, const QString& text)
{
    ScriptElement e;
    e.kind = kind;
    e.text = text;
    return e;
}

} // namespace

class ModelAlgorithmsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Shown text is cut long before it could hang painting, and never inside
    // a character: after any lead, a cut lands between whole clusters.
    void displayPrefix_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lead");
        QTest::addColumn<int>("cluster");
        const qsizetype n = 1000 * 1000;
        QTest::newRow("plain") << u"Storm "_s.repeated(n / 6) << 0 << 1;
        QTest::newRow("combining accents") << u"e\u0301"_s.repeated(n / 2) << 0 << 2;
        QTest::newRow("surrogate pairs") << u"🎬"_s.repeated(n / 2) << 0 << 2;
        QTest::newRow("joined emoji") << u"👩‍👩‍👧"_s.repeated(n / 8) << 0 << 8;
        QTest::newRow("joined emoji after one letter") << (u"x"_s + u"👩‍👩‍👧"_s.repeated(n / 8)) << 1 << 8;
        // One character longer than anything shown: cut inside it, but
        // never between the halves of a pair.
        QTest::newRow("one endless character") << (u"a"_s + u"\U0001D165"_s.repeated(n / 2)) << 1 << 2;
    }
    void displayPrefix()
    {
        QFETCH(QString, text);
        QFETCH(int, lead);
        QFETCH(int, cluster);
        const QString shown = text::displayPrefix(text);
        QVERIFY(shown.size() > lead);
        QVERIFY(text.startsWith(shown));
        QVERIFY(shown.size() < text.size() / 100);
        QCOMPARE((shown.size() - lead) % cluster, 0);
        const QString shortText = text.left(80);
        QCOMPARE(text::displayPrefix(shortText), shortText);
    }

    void runtimeLabel_data()
    {
        QTest::addColumn<ProjectFormat>("format");
        QTest::addColumn<qint64>("minutes");
        QTest::addColumn<int>("episodes");
        QTest::addColumn<QString>("label");
        QTest::newRow("ten") << ProjectFormat::shortFilm << qint64(10) << 1 << u"10 min"_s;
        QTest::newRow("59") << ProjectFormat::shortFilm << qint64(59) << 1 << u"59 min"_s;
        QTest::newRow("60") << ProjectFormat::custom << qint64(60) << 1 << u"1h"_s;
        QTest::newRow("61") << ProjectFormat::custom << qint64(61) << 1 << u"1h 1m"_s;
        QTest::newRow("95") << ProjectFormat::feature << qint64(95) << 1 << u"1h 35m"_s;
        QTest::newRow("series of 8") << ProjectFormat::series << qint64(22) << 8 << u"2h 56m"_s;
        QTest::newRow("anthology multiplies") << ProjectFormat::anthology << qint64(30) << 4 << u"2h"_s;
        QTest::newRow("feature does not") << ProjectFormat::feature << qint64(120) << 3 << u"2h"_s;
        QTest::newRow("sitcom without episodes") << ProjectFormat::sitcom << qint64(22) << 0 << u"22 min"_s;
        QTest::newRow("zero") << ProjectFormat::shortFilm << qint64(0) << 1 << u"0 min"_s;
        QTest::newRow("negative") << ProjectFormat::series << qint64(-5) << 2 << u"-10 min"_s;
        QTest::newRow("overflow saturates") << ProjectFormat::series << std::numeric_limits<qint64>::max() << 2
                                            << u"153722867280912930h 7m"_s;
    }
    void runtimeLabel()
    {
        QFETCH(ProjectFormat, format);
        QFETCH(qint64, minutes);
        QFETCH(int, episodes);
        QFETCH(QString, label);
        Project p;
        p.format = format;
        p.idea.targetRuntimeMinutes = minutes;
        p.episodes = QList<Episode>(episodes);
        QCOMPARE(p.runtimeLabel(), label);
    }

    void cutLength_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << u"0s"_s;
        QTest::newRow("just under a minute") << 59.9 << u"59s"_s;
        QTest::newRow("a minute") << 60.0 << u"1m 0s"_s;
        QTest::newRow("fraction cut off") << 754.9 << u"12m 34s"_s;
        QTest::newRow("no hours") << 3725.0 << u"62m 5s"_s;
        QTest::newRow("negative") << -754.9 << u"-754s"_s;
        QTest::newRow("not a number") << qQNaN() << u"0s"_s;
        QTest::newRow("endless") << qInf() << u"0s"_s;
        QTest::newRow("beyond 64 bits") << 1e300 << u"153722867280912930m 7s"_s;
    }
    void cutLength()
    {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(cutLengthText(seconds), text);
    }

    void tonePhrases_data()
    {
        QTest::addColumn<ToneProfile>("tone");
        QTest::addColumn<QStringList>("phrases");
        QTest::newRow("neutral") << ToneProfile{} << QStringList();
        QTest::newRow("mixed") << ToneProfile{0.8, 0.2, 0.5, 0.9}
                               << QStringList{u"dark, shadow-forward tone"_s, u"grounded naturalistic reality"_s,
                                              u"comedic timing and warmth"_s};
        QTest::newRow("bounds give nothing") << ToneProfile{0.7, 0.3, 0.7, 0.3} << QStringList();
        QTest::newRow("all low, humor has none") << ToneProfile{0.1, 0.1, 0.1, 0.1}
                                                 << QStringList{u"bright, airy tone"_s, u"grounded naturalistic reality"_s,
                                                                u"still, contemplative pacing"_s};
        QTest::newRow("out of range") << ToneProfile{1.5, -1, 2, 7}
                                      << QStringList{u"dark, shadow-forward tone"_s, u"grounded naturalistic reality"_s,
                                                     u"kinetic restless energy"_s, u"comedic timing and warmth"_s};
    }
    void tonePhrases()
    {
        QFETCH(ToneProfile, tone);
        QFETCH(QStringList, phrases);
        QCOMPARE(tone.promptPhrases(), phrases);
    }

    void lookCharacterPhrases_data()
    {
        QTest::addColumn<double>("dial");
        QTest::addColumn<QString>("accent");
        QTest::addColumn<QStringList>("phrases");
        QTest::newRow("defaults") << 0.5 << u"D8C49A"_s << QStringList{u"recurring warm gold color accent"_s};
        QTest::newRow("high") << 0.66 << u"8FA3A0"_s
                              << QStringList{u"heavy organic film grain"_s, u"warm amber color temperature"_s,
                                             u"hard high-contrast light"_s, u"recurring sea slate color accent"_s};
        QTest::newRow("low") << 0.34 << u"C4C0B8"_s
                             << QStringList{u"pristine clean image"_s, u"cool steely color temperature"_s,
                                            u"soft low-contrast light"_s, u"recurring bone color accent"_s};
        QTest::newRow("upper bound") << 0.65 << u"d8c49a"_s << QStringList();
        QTest::newRow("lower bound") << 0.35 << u"#D8C49A"_s << QStringList();
    }
    void lookCharacterPhrases()
    {
        QFETCH(double, dial);
        QFETCH(QString, accent);
        QFETCH(QStringList, phrases);
        LookSpec look;
        look.grain = look.temperature = look.contrast = dial;
        look.accentHex = accent;
        QCOMPARE(look.characterPhrases(), phrases);
    }

    void sceneHeading_data()
    {
        QTest::addColumn<SceneSetting>("setting");
        QTest::addColumn<TimeOfDay>("time");
        QTest::addColumn<int>("link"); // 0 none, 1 existing location, 2 deleted location
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("slug");
        QTest::newRow("new card") << SceneSetting::interior << TimeOfDay::day << 0 << QString() << u"INT. LOCATION TBD — DAY"_s;
        QTest::newRow("linked") << SceneSetting::exterior << TimeOfDay::night << 1 << u"ignored"_s
                                << u"EXT. POINT MERIDIAN LIGHT — NIGHT"_s;
        QTest::newRow("deleted, no text") << SceneSetting::interior << TimeOfDay::dawn << 2 << QString() << u"INT. LOCATION TBD — DAWN"_s;
        QTest::newRow("deleted, text") << SceneSetting::exterior << TimeOfDay::dusk << 2 << u"Straße am Hafen"_s
                                       << u"EXT. STRASSE AM HAFEN — DUSK"_s;
        QTest::newRow("spaces are not empty") << SceneSetting::interior << TimeOfDay::day << 0 << u"  "_s << u"INT.    — DAY"_s;
        // A heading line: a place of a megabyte is set in capitals only as
        // far as a line shows it, not whole at every look.
        const QString place = u"a long way from the harbor "_s.repeated(40'000);
        QTest::newRow("a megabyte of place")
            << SceneSetting::exterior << TimeOfDay::night << 0 << place
            << u"EXT. "_s + text::displayPrefix(place).toUpper() + u" — NIGHT"_s;
    }
    void sceneHeading()
    {
        QFETCH(SceneSetting, setting);
        QFETCH(TimeOfDay, time);
        QFETCH(int, link);
        QFETCH(QString, text);
        QFETCH(QString, slug);
        Location light;
        light.name = u"Point Meridian Light"_s;
        SceneCard scene;
        scene.setting = setting;
        scene.timeOfDay = time;
        scene.locationText = text;
        if (link == 1)
            scene.locationID = light.id;
        else if (link == 2)
            scene.locationID = newId();
        QCOMPARE(scene.slug({Location{}, light}), slug);
    }

    void linkedLocationWithEmptyNameStaysEmpty()
    {
        Location unnamed;
        unnamed.name.clear();
        SceneCard scene;
        scene.locationID = unnamed.id;
        scene.locationText = u"Harbour"_s;
        QCOMPARE(scene.locationName({unnamed}), QString());
    }

    void shotSeedAndStatus_data()
    {
        QTest::addColumn<int>("takes");
        QTest::addColumn<int>("approved"); // index of the approved take, -1 none, -2 a take that is gone
        QTest::addColumn<QString>("seed");
        QTest::addColumn<ShotStatus>("status");
        QTest::newRow("no takes") << 0 << -1 << u"frame"_s << ShotStatus::planned;
        QTest::newRow("three takes") << 3 << -1 << u"take2"_s << ShotStatus::rendered;
        QTest::newRow("approved first") << 3 << 0 << u"take0"_s << ShotStatus::approved;
        QTest::newRow("approved gone") << 2 << -2 << u"take1"_s << ShotStatus::approved;
        QTest::newRow("approved gone, no takes") << 0 << -2 << u"frame"_s << ShotStatus::approved;
    }
    void shotSeedAndStatus()
    {
        QFETCH(int, takes);
        QFETCH(int, approved);
        QFETCH(QString, seed);
        QFETCH(ShotStatus, status);
        Shot shot;
        shot.frameSeed = u"frame"_s;
        for (int i = 0; i < takes; ++i)
            shot.takes.append(takeWithSeed(u"take"_s + QString::number(i)));
        if (approved >= 0)
            shot.approvedTakeID = shot.takes[approved].id;
        else if (approved == -2)
            shot.approvedTakeID = newId();
        QCOMPARE(shot.bestSeed(), seed);
        QCOMPARE(shot.status(), status);
    }

    void sceneTotalSeconds()
    {
        SceneCard scene;
        QCOMPARE(scene.totalSeconds(), 0.0);
        for (double s : {5.0, 2.5, 12.0}) {
            Shot shot;
            shot.seconds = s;
            scene.shots.append(shot);
        }
        QCOMPARE(scene.totalSeconds(), 19.5);
    }

    void scriptEstimates_data()
    {
        QTest::addColumn<QList<ScriptElement>>("elements");
        QTest::addColumn<double>("lines");
        QTest::addColumn<double>("share");
        using K = ScriptElementKind;
        QTest::newRow("empty") << QList<ScriptElement>{} << 0.0 << 0.0;
        QTest::newRow("empty action") << QList<ScriptElement>{element(K::action, {})} << 2.0 << 0.0;
        QTest::newRow("empty dialogue") << QList<ScriptElement>{element(K::dialogue, {})} << 1.0 << 0.0;
        QTest::newRow("action 58") << QList<ScriptElement>{element(K::action, QString(58, u'a'))} << 2.0 << 0.0;
        QTest::newRow("action 59") << QList<ScriptElement>{element(K::action, QString(59, u'a'))} << 3.0 << 0.0;
        QTest::newRow("dialogue 34") << QList<ScriptElement>{element(K::dialogue, QString(34, u'a'))} << 1.0 << 1.0;
        QTest::newRow("dialogue 35") << QList<ScriptElement>{element(K::dialogue, QString(35, u'a'))} << 2.0 << 1.0;
        QTest::newRow("headings and cues") << QList<ScriptElement>{element(K::sceneHeading, u"INT. MILL — DAY"_s),
                                                                   element(K::character, u"EDA"_s),
                                                                   element(K::transition, u"CUT TO:"_s)}
                                           << 6.0 << 0.0;
        QTest::newRow("mixed") << QList<ScriptElement>{element(K::action, QString(30, u'a')),
                                                       element(K::parenthetical, u"(quietly)"_s),
                                                       element(K::dialogue, QString(10, u'b'))}
                               << 4.0 << 0.25;
        // One user-visible character each: a combining accent and a family emoji.
        QTest::newRow("graphemes") << QList<ScriptElement>{element(K::dialogue, u"e\u0301"_s.repeated(34)),
                                                           element(K::action, u"👩‍👩‍👧"_s.repeated(34))}
                                   << 3.0 << 0.5;
    }
    void scriptEstimates()
    {
        QFETCH(QList<ScriptElement>, elements);
        QFETCH(double, lines);
        QFETCH(double, share);
        const ScriptDocument doc{elements};
        QCOMPARE(doc.estimatedPages(), lines / 55.0);
        QCOMPARE(doc.dialogueShare(), share);
    }

    void rawValuesAreExact_data()
    {
        QTest::addColumn<bool>("known");
        QTest::addColumn<bool>("found");
        QTest::newRow("sciFi") << true << fromRaw<Genre>(u"sciFi").has_value();
        QTest::newRow("scifi") << false << fromRaw<Genre>(u"scifi").has_value();
        QTest::newRow("pg13") << true << fromRaw<Rating>(u"pg13").has_value();
        QTest::newRow("PG-13") << false << fromRaw<Rating>(u"PG-13").has_value();
        QTest::newRow("twoShot") << true << fromRaw<ShotSize>(u"twoShot").has_value();
        QTest::newRow("Two-Shot") << false << fromRaw<ShotSize>(u"Two-Shot").has_value();
        QTest::newRow("antagonist") << true << fromRaw<CastRole>(u"antagonist").has_value();
        QTest::newRow("Antagonist") << false << fromRaw<CastRole>(u"Antagonist").has_value();
        QTest::newRow("padded") << false << fromRaw<CameraMove>(u" pan").has_value();
        QTest::newRow("concept") << true << fromRaw<IdeaCardKind>(u"concept").has_value();
        QTest::newRow("concept_") << false << fromRaw<IdeaCardKind>(u"concept_").has_value();
        QTest::newRow("ThreeAct") << false << fromRaw<StructureKind>(u"ThreeAct").has_value();
    }
    void rawValuesAreExact()
    {
        QFETCH(bool, known);
        QFETCH(bool, found);
        QCOMPARE(found, known);
    }

    // Each table row describes its own case, so enumRow() lookups can't drift.
    void enumTablesMatchTheirCases()
    {
        const auto check = [](auto sample) {
            using E = decltype(sample);
            const auto& rows = EnumTable<E>::rows();
            for (qsizetype i = 0; i < rows.size(); ++i) {
                QCOMPARE(int(rows[i].value), int(i));
                QCOMPARE(fromRaw<E>(rows[i].raw), std::optional<E>(rows[i].value));
            }
        };
        check(ProjectFormat{});
        check(Genre{});
        check(Rating{});
        check(IdeaCardKind{});
        check(PhaseID{});
        check(PhaseGroup{});
        check(StructureKind{});
        check(ShotSize{});
        check(CameraMove{});
        check(SceneSetting{});
        check(TimeOfDay{});
        check(ShotStatus{});
        check(CastRole{});
        check(LocationKind{});
        check(AspectRatio{});
        check(FrameRate{});
        check(StyleCategory{});
        check(ScriptElementKind{});
        check(JobState{});
    }

    void phasesRunInThreeGroups()
    {
        const QList<PhaseID> all = allCases<PhaseID>();
        QCOMPARE(all.first(), PhaseID::spark);
        QCOMPARE(all.last(), PhaseID::premiere);
        QList<PhaseID> joined;
        for (PhaseGroup g : allCases<PhaseGroup>()) {
            QCOMPARE(phases(g).size(), 3);
            joined += phases(g);
        }
        QCOMPARE(joined, all);
    }

    void formatTexts()
    {
        QCOMPARE(episodeNoun(ProjectFormat::anthology), u"Segment"_s);
        for (ProjectFormat f : {ProjectFormat::series, ProjectFormat::sitcom, ProjectFormat::feature})
            QCOMPARE(episodeNoun(f), u"Episode"_s);
        QCOMPARE(label(Genre::sciFi), u"Sci-Fi"_s);
        QCOMPARE(label(Genre::documentary), u"Documentary"_s);
        for (ProjectFormat f : allCases<ProjectFormat>())
            QVERIFY(runtimeMin(f) < runtimeMax(f));
    }

    void templatesAreFreshCopies_data()
    {
        QTest::addColumn<StructureKind>("kind");
        QTest::addColumn<int>("acts");
        QTest::addColumn<int>("beats");
        QTest::newRow("threeAct") << StructureKind::threeAct << 3 << 11;
        QTest::newRow("fiveAct") << StructureKind::fiveAct << 5 << 10;
        QTest::newRow("heroJourney") << StructureKind::heroJourney << 3 << 11;
        QTest::newRow("beatSheet") << StructureKind::beatSheet << 3 << 15;
        QTest::newRow("sitcom") << StructureKind::sitcom << 4 << 9;
        QTest::newRow("anthologyTale") << StructureKind::anthologyTale << 3 << 7;
        QTest::newRow("storyCircle") << StructureKind::storyCircle << 4 << 8;
        QTest::newRow("kishotenketsu") << StructureKind::kishotenketsu << 4 << 7;
    }
    void templatesAreFreshCopies()
    {
        QFETCH(StructureKind, kind);
        QFETCH(int, acts);
        QFETCH(int, beats);
        const QList<Act> a = structureTemplate(kind);
        const QList<Act> b = structureTemplate(kind);
        QCOMPARE(a.size(), acts);
        QSet<QUuid> ids;
        int beatCount = 0;
        for (qsizetype i = 0; i < a.size(); ++i) {
            QCOMPARE(a[i].title, b[i].title);
            QVERIFY(!a[i].title.isEmpty());
            ids << a[i].id << b[i].id;
            QCOMPARE(a[i].beats.size(), b[i].beats.size());
            for (qsizetype j = 0; j < a[i].beats.size(); ++j) {
                const Beat& x = a[i].beats[j];
                QCOMPARE(x.title, b[i].beats[j].title);
                QCOMPARE(x.hint, b[i].beats[j].hint);
                QVERIFY(!x.hint.isEmpty() && x.summary.isEmpty() && x.charge == 0.0);
                ids << x.id << b[i].beats[j].id;
                ++beatCount;
            }
        }
        QCOMPARE(beatCount, beats);
        QCOMPARE(ids.size(), 2 * (acts + beats));
    }

    void templateShapes()
    {
        const QList<Act> sitcom = structureTemplate(StructureKind::sitcom);
        QCOMPARE(sitcom.first().title, u"Cold Open"_s);
        QCOMPARE(sitcom.first().beats.size(), 1);
        QCOMPARE(sitcom.last().title, u"Tag"_s);
        QCOMPARE(sitcom.last().beats.size(), 1);
        const QList<Act> kishotenketsu = structureTemplate(StructureKind::kishotenketsu);
        QCOMPARE(kishotenketsu[2].title, u"Ten — The Turn"_s);
        QCOMPARE(kishotenketsu[2].beats.size(), 1);
    }

    void newRecordValues()
    {
        const Beat beat;
        QCOMPARE(beat.title, u"New Beat"_s);
        QVERIFY(beat.id != Beat{}.id);
        QCOMPARE(Act{}.title, u"New Act"_s);
        QCOMPARE(MusicCue{}.name, u"New Cue"_s);
        QCOMPARE(Location{}.name, u"New Location"_s);
        QVERIFY(Take{}.seed != Take{}.seed);
        QCOMPARE(ScriptElement{}.kind, ScriptElementKind::action);
    }
};

QTEST_GUILESS_MAIN(ModelAlgorithmsTest)
#include "ModelAlgorithmsTest.moc"
