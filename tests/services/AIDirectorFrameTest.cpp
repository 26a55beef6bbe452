#include "AIDirectorFixtures.h"

#include <QTest>

using namespace studio;
using namespace fixtures;

namespace {

Project blankShortFilm()
{
    Project p;
    p.idea.targetRuntimeMinutes = 12;
    return p;
}

struct DecodedRecord {
    QString text;
    static DecodedRecord fromJson(const json::Reader& r) { return {r.required<QString>(QLatin1StringView("text"))}; }
};

} // namespace

// The system text every action sends: the fixed prompt, the production
// brief, and the cutting and decoding of replies.
class AIDirectorFrameTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void systemPromptIsFixedAndEndsInTwoLineFeeds()
    {
        QCOMPARE(AIDirector::systemPrompt(),
                 QStringLiteral("You are the resident writing and directing collaborator inside Palisademotion, a "
                                "filmmaking app. You write with specificity and craft: concrete imagery, human "
                                "contradiction, behavior over adjectives. No clich\u00e9s, no purple filler, no generic "
                                "AI phrasing. Match the project's tone, format and rating. Respond ONLY with the exact "
                                "JSON shape requested \u2014 no markdown fences, no commentary.\n\n"));
    }

    void fullBriefOfASeries()
    {
        const Project p = sampleSeries();
        const QString expected = QStringLiteral(
            "PROJECT: Salt & Signal \u2014 Episodic Series, target 22 min.\n"
            "LOGLINE: A lighthouse keeper who distrusts radios must answer the one that calls her name.\n"
            "ARGUMENT: Vigilance isn't living\n"
            "PREMISE: On a drowned coast, Eda keeps the last light burning.\n"
            "GENRES: Sci-Fi, Drama \u00b7 RATING: PG-13\n"
            "TONE: dark, shadow-forward tone, still, contemplative pacing\n"
            "THEMES: memory, duty\n"
            "CAST: Eda (Lead), wants: to keep the light, flaw: trusts no voice | Tomas (Antagonist), wants: the "
            "island | Wren (Supporting), flaw: talks too much\n"
            "WORLD: Lighthouse \u2014 salt, iron, vigil | Radio Shack\n"
            "VISUAL STYLE: Dimensional 3D \u00b7 2.39 Scope \u00b7 lens: Sodium & Silhouette (after Roger Deakins)\n"
            "CURRENT EPISODE: #1 Keeper \u2014 The radio wakes.");
        QCOMPARE(AIDirector::brief(p, &p.episodes.first()), expected);
        // Without an episode the brief stops before the CURRENT line.
        QCOMPARE(AIDirector::brief(p), expected.left(expected.lastIndexOf(u'\n')));
    }

    void briefEdgeCases_data()
    {
        QTest::addColumn<Project>("project");
        QTest::addColumn<bool>("withEpisode");
        QTest::addColumn<QString>("expected");

        const QString head = QStringLiteral("PROJECT: Untitled \u2014 Short Film, target 12 min.");
        QTest::newRow("blank short film") << blankShortFilm() << false << head;
        QTest::newRow("episode adds nothing to a short film") << blankShortFilm() << true << head;

        Project unrated = blankShortFilm();
        unrated.idea.genres = {Genre::documentary, Genre::horror};
        QTest::newRow("genres, rating unrated") << unrated << false
                                                << head + QStringLiteral("\nGENRES: Documentary, Horror \u00b7 RATING: Unrated");

        Project noGenres = blankShortFilm();
        noGenres.idea.rating = Rating::pg13;
        QTest::newRow("rating without genres") << noGenres << false << head;

        Project seven = blankShortFilm();
        for (int i = 1; i <= 7; ++i)
            seven.cast << member(QStringLiteral("C%1").arg(i), CastRole::support);
        QTest::newRow("seven cast, six listed")
            << seven << false
            << head + QStringLiteral("\nCAST: C1 (Supporting) | C2 (Supporting) | C3 (Supporting) | C4 (Supporting) | "
                                     "C5 (Supporting) | C6 (Supporting)");

        Project capped = blankShortFilm();
        capped.idea.logline = repeated(QStringLiteral("e\u0301"), 301);
        capped.idea.argument = repeated(QStringLiteral("a"), 161);
        capped.idea.premise = repeated(QStringLiteral("p"), 701);
        capped.cast = {member(QStringLiteral("Ana"), CastRole::cameo, repeated(QStringLiteral("w"), 91),
                              repeated(QStringLiteral("f"), 71))};
        QTest::newRow("texts cut by user-perceived characters")
            << capped << false
            << head + QStringLiteral("\nLOGLINE: ") + repeated(QStringLiteral("e\u0301"), 300)
                   + QStringLiteral("\nARGUMENT: ") + repeated(QStringLiteral("a"), 160)
                   + QStringLiteral("\nPREMISE: ") + repeated(QStringLiteral("p"), 700)
                   + QStringLiteral("\nCAST: Ana (Cameo), wants: ") + repeated(QStringLiteral("w"), 90)
                   + QStringLiteral(", flaw: ") + repeated(QStringLiteral("f"), 70);

        Project world = blankShortFilm();
        world.locations = {place(QStringLiteral("A"), QStringLiteral("m")), place(QStringLiteral("B")),
                           place(QStringLiteral("C")), place(QStringLiteral("D")), place(QStringLiteral("E"))};
        QTest::newRow("five locations, four listed") << world << false
                                                     << head + QStringLiteral("\nWORLD: A \u2014 m | B | C | D");

        Project lensOnly = blankShortFilm();
        lensOnly.look.directorLensID = QStringLiteral("sodiumSilhouette");
        QTest::newRow("lens without style") << lensOnly << false << head;

        Project unknownStyle = blankShortFilm();
        unknownStyle.look.styleID = QStringLiteral("noSuchStyle");
        unknownStyle.look.directorLensID = QStringLiteral("sodiumSilhouette");
        QTest::newRow("style not in catalog") << unknownStyle << false << head;

        Project unknownLens = blankShortFilm();
        unknownLens.look.styleID = QStringLiteral("classicCel");
        unknownLens.look.directorLensID = QStringLiteral("nobody");
        unknownLens.look.aspect = AspectRatio::vertical916;
        QTest::newRow("style with unknown lens") << unknownLens << false
                                                 << head + QStringLiteral("\nVISUAL STYLE: Classic Cel \u00b7 9:16 Vertical");

        Project series = blankShortFilm();
        series.format = ProjectFormat::series;
        series.episodes.first().number = 3;
        series.episodes.first().title = QStringLiteral("Low Tide");
        QTest::newRow("series episode without synopsis")
            << series << true
            << QStringLiteral("PROJECT: Untitled \u2014 Episodic Series, target 12 min.\nCURRENT EPISODE: #3 Low Tide");

        Project anthology = series;
        anthology.format = ProjectFormat::anthology;
        anthology.episodes.first().synopsis = repeated(QStringLiteral("s"), 221);
        QTest::newRow("anthology segment, synopsis cut")
            << anthology << true
            << QStringLiteral("PROJECT: Untitled \u2014 Anthology, target 12 min.\nCURRENT SEGMENT: #3 Low Tide \u2014 ")
                   + repeated(QStringLiteral("s"), 220);
    }

    void briefEdgeCases()
    {
        QFETCH(Project, project);
        QFETCH(bool, withEpisode);
        QFETCH(QString, expected);
        QCOMPARE(AIDirector::brief(project, withEpisode ? &project.episodes.first() : nullptr), expected);
    }

    void systemTextIsPromptPlusBrief()
    {
        ScriptedModel model;
        model.replyAlways(QStringLiteral("{\"synopsis\":\"s\"}"));
        const Project p = sampleSeries();
        QVERIFY(valueOf(model.director().pressKit(p)));
        QCOMPARE(model.calls().size(), 1);
        QCOMPARE(model.last().system, AIDirector::systemPrompt() + AIDirector::brief(p));
    }

    void extractJSON_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("bare object") << QStringLiteral("{\"a\":1}") << QByteArray("{\"a\":1}");
        QTest::newRow("json fence") << QStringLiteral("  ```json\n{\"a\":1}\n```\n") << QByteArray("{\"a\":1}");
        QTest::newRow("plain fence") << QStringLiteral("```\n{\"a\":\"x\"}\n```") << QByteArray("{\"a\":\"x\"}");
        QTest::newRow("prose around") << QStringLiteral("Sure! Here it is: {\"a\":{\"b\":2}} Hope that helps.")
                                      << QByteArray("{\"a\":{\"b\":2}}");
        // Only a reply that opens with a fence loses its fences.
        QTest::newRow("fence inside unfenced reply kept")
            << QStringLiteral("Note {\"code\":\"```json x```\"}") << QByteArray("{\"code\":\"```json x```\"}");
        QTest::newRow("fence markers removed inside a fenced reply")
            << QStringLiteral("```json {\"code\":\"```x\"}```") << QByteArray("{\"code\":\"x\"}");
        QTest::newRow("two objects cut first to last") << QStringLiteral("{\"a\":1} and {\"b\":2}")
                                                       << QByteArray("{\"a\":1} and {\"b\":2}");
        QTest::newRow("utf8") << QStringLiteral("{\"t\":\"clich\u00e9 \u2014 \U0001F3AC\"}")
                              << QStringLiteral("{\"t\":\"clich\u00e9 \u2014 \U0001F3AC\"}").toUtf8();
    }

    void extractJSON()
    {
        QFETCH(QString, reply);
        QFETCH(QByteArray, expected);
        QCOMPARE(AIDirector::extractJSON(reply), expected);
    }

    void extractJSONWithoutObject_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::newRow("empty") << QString();
        QTest::newRow("prose") << QStringLiteral("I cannot help with that.");
        QTest::newRow("closing before opening") << QStringLiteral("} oops {");
        QTest::newRow("only opening") << QStringLiteral("{\"a\":1");
        QTest::newRow("only closing") << QStringLiteral("\"a\":1}");
        QTest::newRow("fence only") << QStringLiteral("```json\n```");
    }

    void extractJSONWithoutObject()
    {
        QFETCH(QString, reply);
        try {
            AIDirector::extractJSON(reply);
            QFAIL("no error thrown");
        } catch (const AIError& e) {
            QCOMPARE(e.kind(), AIError::Kind::parsing);
            QCOMPARE(e.description(), QStringLiteral("Couldn't read the model's reply. No JSON object found."));
        }
    }

    void decodeFailuresBecomeParsingErrors_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QString>("detailPart");
        QTest::newRow("two objects") << QStringLiteral("{\"text\":\"a\"} {\"text\":\"b\"}") << QStringLiteral("not valid JSON");
        QTest::newRow("missing key") << QStringLiteral("{\"other\":1}") << QStringLiteral("text: missing key");
        QTest::newRow("null required") << QStringLiteral("{\"text\":null}") << QStringLiteral("text: null");
        QTest::newRow("wrong type") << QStringLiteral("{\"text\":5}") << QStringLiteral("text: expected a string");
        QTest::newRow("truncated") << QStringLiteral("{\"text\":\"abc}") << QStringLiteral("not valid JSON");
        QTest::newRow("no object") << QStringLiteral("none") << QStringLiteral("No JSON object found.");
    }

    void decodeFailuresBecomeParsingErrors()
    {
        QFETCH(QString, reply);
        QFETCH(QString, detailPart);
        try {
            AIDirector::decode<DecodedRecord>(reply);
            QFAIL("no error thrown");
        } catch (const AIError& e) {
            QCOMPARE(e.kind(), AIError::Kind::parsing);
            QVERIFY2(e.message().contains(detailPart), qPrintable(e.message()));
            QVERIFY(e.description().startsWith(QStringLiteral("Couldn't read the model's reply. ")));
        }
    }

    void decodeIgnoresUnknownKeys()
    {
        QCOMPARE(AIDirector::decode<DecodedRecord>(QStringLiteral("{\"extra\":[1,{}],\"text\":\"ok\"}")).text,
                 QStringLiteral("ok"));
    }
};

QTEST_GUILESS_MAIN(AIDirectorFrameTest)
#include "AIDirectorFrameTest.moc"
