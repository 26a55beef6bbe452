// The Spark operations and rules: where the interrogation deck opens, what a
// format change and a genre tap write, the runtime slider's integer, the
// counter, the idea-board operations and the idea assists' landings.

#include "model/CraftKits.h"
#include "model/Project.h"
#include "state/edits/SparkEdits.h"
#include "state/rules/SparkRules.h"

#include <QtTest>
#include <cmath>
#include <cstdint>
#include <limits>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

// FNV-1a written out again, so the test doesn't lean on the code it checks.
std::uint64_t fnv1a(const QByteArray& bytes)
{
    std::uint64_t h = 0xcbf29ce484222325ULL;
    for (char c : bytes) {
        h ^= std::uint8_t(c);
        h *= 0x100000001b3ULL;
    }
    return h;
}

} // namespace

class SparkEditsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void interrogationIndexHashesTheUpperCaseText()
    {
        const int n = int(InterrogationDeck::questions().size());
        // Ids with hexadecimal letters: lower-case text would hash elsewhere.
        for (const char* text : {"a3f1c2de-9b8e-4f7a-bc6d-0e1f2a3b4c5d", "ffffffff-ffff-4fff-bfff-ffffffffffff",
                                 "12ab34cd-56ef-4a0b-8c9d-e0f1a2b3c4d5"}) {
            const QUuid id = QUuid::fromString(QLatin1StringView(text));
            const std::uint64_t upper = fnv1a(QByteArray(text).toUpper());
            const int base = int(upper % std::uint64_t(n));
            QCOMPARE(rules::interrogationIndex(id, 0), base);
            // The step is added after the hash, then wrapped.
            QCOMPARE(rules::interrogationIndex(id, n - base), 0);
            QCOMPARE(rules::interrogationIndex(id, 5), (base + 5) % n);
            QCOMPARE(rules::interrogationIndex(id, qint64(n) * 1000 + 1), (base + 1) % n);
        }
        QCOMPARE(rules::interrogationCounter(21, n), u"22/22"_s);
    }

    void changeFormat_data()
    {
        QTest::addColumn<ProjectFormat>("from");
        QTest::addColumn<qint64>("runtime");
        QTest::addColumn<ProjectFormat>("to");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("sitcom clamps 42 to 30") << ProjectFormat::feature << qint64(42) << ProjectFormat::sitcom << qint64(30);
        QTest::newRow("feature lifts 12 to 40") << ProjectFormat::shortFilm << qint64(12) << ProjectFormat::feature << qint64(40);
        QTest::newRow("sitcom lifts 10 to 11") << ProjectFormat::anthology << qint64(10) << ProjectFormat::sitcom << qint64(11);
        QTest::newRow("custom keeps 3") << ProjectFormat::shortFilm << qint64(3) << ProjectFormat::custom << qint64(3);
        QTest::newRow("same format clamps a stored 900") << ProjectFormat::feature << qint64(900) << ProjectFormat::feature << qint64(240);
        QTest::newRow("same format clamps a negative")
            << ProjectFormat::custom << std::numeric_limits<qint64>::min() << ProjectFormat::custom << qint64(3);
    }

    void changeFormat()
    {
        QFETCH(ProjectFormat, from);
        QFETCH(qint64, runtime);
        QFETCH(ProjectFormat, to);
        QFETCH(qint64, expected);
        Project p;
        p.format = from;
        p.idea.targetRuntimeMinutes = runtime;
        p.idea.logline = u"Kept"_s;
        p.episodes = {Episode{}, Episode{}};
        p.look.accentHex = u"9FB4C4"_s;
        Project want = p;
        want.format = to;
        want.idea.targetRuntimeMinutes = expected;
        edits::changeFormat(p, to);
        QCOMPARE(p, want);
    }

    void toggledGenre_data()
    {
        QTest::addColumn<QList<Genre>>("start");
        QTest::addColumn<QList<Genre>>("taps");
        QTest::addColumn<QList<Genre>>("expected");
        QTest::newRow("drama, comedy, drama") << QList<Genre>() << QList<Genre>{Genre::drama, Genre::comedy, Genre::drama}
                                              << QList<Genre>{Genre::comedy};
        QTest::newRow("back in at the end") << QList<Genre>{Genre::comedy} << QList<Genre>{Genre::drama}
                                            << QList<Genre>{Genre::comedy, Genre::drama};
        QTest::newRow("a stored duplicate loses its first copy")
            << QList<Genre>{Genre::horror, Genre::drama, Genre::horror} << QList<Genre>{Genre::horror}
            << QList<Genre>{Genre::drama, Genre::horror};
    }

    void toggledGenre()
    {
        QFETCH(QList<Genre>, start);
        QFETCH(QList<Genre>, taps);
        QFETCH(QList<Genre>, expected);
        Project p;
        p.idea.genres = start;
        for (Genre g : taps)
            edits::toggleGenre(p, g);
        QCOMPARE(p.idea.genres, expected);
    }

    void runtimeFromSlider_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("truncated") << 41.8 << qint64(41);
        QTest::newRow("not a number") << std::nan("") << qint64(0);
        QTest::newRow("beyond the integers") << 1e300 << std::numeric_limits<qint64>::max();
    }

    void runtimeFromSlider()
    {
        QFETCH(double, value);
        QFETCH(qint64, expected);
        QCOMPARE(rules::runtimeFromSlider(value), expected);
    }

    void texts()
    {
        QCOMPARE(rules::loglineCounterText(QString()), u"0 characters"_s);
        QCOMPARE(rules::loglineCounterText(u"\U0001F3AC"_s), u"1 characters"_s);
        QCOMPARE(rules::loglineCounterText(u"Cafe\u0301 noir"_s), u"9 characters"_s);

        Project p;
        p.format = ProjectFormat::series;
        p.idea.targetRuntimeMinutes = 28;
        p.episodes = QList<Episode>(6);
        QCOMPARE(rules::targetingText(p), u"Targeting 2h 48m total"_s);
        edits::changeFormat(p, ProjectFormat::feature); // 28 → 40, counted once
        QCOMPARE(rules::targetingText(p), u"Targeting 40 min total"_s);
    }

    void ideaCardsByID()
    {
        Project p;
        p.idea.cards.clear();
        for (IdeaCardKind kind : {IdeaCardKind::theme, IdeaCardKind::concept_, IdeaCardKind::theme})
            edits::appendIdeaCard(p, kind);
        const IdeaCard first = p.idea.cards[0];
        const IdeaCard middle = p.idea.cards[1];
        const IdeaCard last = p.idea.cards[2];
        // A corrupt file may hold one id twice: delete removes every copy.
        p.idea.cards.append(middle);
        edits::removeIdeaCard(p, middle.id);
        QCOMPARE(p.idea.cards, (QList<IdeaCard>{first, last}));

        // A card gone since it was shown: nothing changes.
        const Project before = p;
        edits::removeIdeaCard(p, middle.id);
        edits::setIdeaCardText(p, middle.id, u"gone"_s);
        QCOMPARE(p, before);
        QVERIFY(!edits::setIdeaCardText(p, middle.id, u"gone"_s));
    }

    void assistLandingsKeepTheUsersWords()
    {
        Project p;
        p.idea.premise = u" \t"_s;
        QVERIFY(edits::fillBlankPremise(p, u"Draft"_s));
        QCOMPARE(p.idea.premise, u"Draft"_s);
        QVERIFY(!edits::fillBlankPremise(p, u"Another"_s));
        QCOMPARE(p.idea.premise, u"Draft"_s);

        p.idea.themes = {u"Grief"_s};
        QVERIFY(edits::addThemes(p, {u"Grief"_s, u"grief"_s, u"Duty"_s}));
        QCOMPARE(p.idea.themes, (QStringList{u"Grief"_s, u"grief"_s, u"Duty"_s}));
        QVERIFY(!edits::addThemes(p, {u"Duty"_s}));

        p.idea.argument = u"Mine"_s;
        QVERIFY(!edits::fillEmptyArgument(p, u"Theirs"_s));
        p.idea.argument.clear();
        QVERIFY(edits::fillEmptyArgument(p, u"Theirs"_s));
        QCOMPARE(p.idea.argument, u"Theirs"_s);
    }
};

QTEST_GUILESS_MAIN(SparkEditsTest)
#include "SparkEditsTest.moc"
