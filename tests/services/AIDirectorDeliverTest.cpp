#include "AIDirectorFixtures.h"

#include <QTest>

using namespace studio;
using namespace fixtures;

namespace {

const QString cuesOpening = QStringLiteral(
    "Suggest 2\u20134 music cues for this cut. Each: a short evocative name and a mood line with instrumentation and "
    "emotional intent (e.g. \"Sparse piano over wind, distant metal groans\"). Anchor them to the story's shape: ");
const QString cuesClosing = QStringLiteral("\nReturn JSON {\"cues\":[{\"name\":\"...\",\"mood\":\"...\"}]}");

Episode actsOf(int acts, int beatsPerAct)
{
    Episode e;
    for (int a = 1; a <= acts; ++a) {
        QList<Beat> beats;
        for (int b = 1; b <= beatsPerAct; ++b)
            beats << beat(QStringLiteral("A%1B%2").arg(a).arg(b));
        e.structure.acts << act(QStringLiteral("Act %1").arg(a), beats);
    }
    return e;
}

} // namespace

// Music cues for the cut and the press kit.
class AIDirectorDeliverTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void musicCuesPrompt_data()
    {
        QTest::addColumn<Episode>("episode");
        QTest::addColumn<QString>("titles");
        QTest::newRow("four acts of five beats")
            << actsOf(4, 5) << QStringLiteral("A1B1, A1B2, A1B3, A2B1, A2B2, A2B3, A3B1, A3B2, A3B3");
        QTest::newRow("ten acts of one beat")
            << actsOf(10, 1) << QStringLiteral("A1B1, A2B1, A3B1, A4B1, A5B1, A6B1, A7B1, A8B1, A9B1");
        QTest::newRow("no acts") << Episode{} << QString();
        QTest::newRow("acts without beats") << actsOf(3, 0) << QString();
        Episode untitled;
        untitled.structure.acts = {act(QStringLiteral("A"), {beat(QString()), beat(QStringLiteral("x")), beat(QString())})};
        QTest::newRow("empty titles take part") << untitled << QStringLiteral(", x, ");
    }

    void musicCuesPrompt()
    {
        QFETCH(Episode, episode);
        QFETCH(QString, titles);
        Project p = sampleSeries();
        p.episodes = {episode};
        ScriptedModel model;
        model.replyAlways(QStringLiteral("{\"cues\":[]}"));
        const auto result = valueOf(model.director().musicCues(p, p.episodes.first()));
        QVERIFY(result);
        QCOMPARE(result->episodeID, episode.id);
        QCOMPARE(model.last().user, cuesOpening + titles + cuesClosing);
        QCOMPARE(model.last().maxTokens, 8192);
        QCOMPARE(model.last().system, AIDirector::systemPrompt() + AIDirector::brief(p, &p.episodes.first()));
    }

    void musicCuesMapping()
    {
        ScriptedModel model;
        model.replyAlways(QStringLiteral("{\"cues\":[{\"name\":\"Tide\",\"mood\":\" cello \"},{\"name\":\"\"},{\"name\":\"3\",\"mood\":null},"
                                     "{\"name\":\"4\",\"mood\":\"m\"},{\"name\":\"5\"},{\"name\":\"6\"}]}"));
        const AIDirector director = model.director();
        const auto first = valueOf(director.musicCues(Project{}, Episode{}));
        const auto second = valueOf(director.musicCues(Project{}, Episode{}));
        QVERIFY(first && second);
        QCOMPARE(first->cues.size(), 4);
        const QStringList names = {"Tide", "", "3", "4"};
        const QStringList moods = {" cello ", "", "", "m"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(first->cues[i].name, names[i]);
            QCOMPARE(first->cues[i].mood, moods[i]);
            QVERIFY(first->cues[i].id != second->cues[i].id);
        }
    }

    void musicCuesBadCueFails_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::newRow("cues missing") << QStringLiteral("{}");
        QTest::newRow("cue without name") << QStringLiteral("{\"cues\":[{\"name\":\"a\"},{\"mood\":\"m\"}]}");
        QTest::newRow("mood a list") << QStringLiteral("{\"cues\":[{\"name\":\"a\",\"mood\":[\"m\"]}]}");
    }

    void musicCuesBadCueFails()
    {
        QFETCH(QString, reply);
        ScriptedModel model;
        model.replyAlways(reply);
        const auto error = aiErrorOf(model.director().musicCues(Project{}, Episode{}));
        QVERIFY(error);
        QCOMPARE(error->kind(), AIError::Kind::parsing);
    }

    void pressKit_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no taglines") << QStringLiteral("{\"synopsis\":\"Eda keeps the light.\"}")
                                     << QStringLiteral("SYNOPSIS\nEda keeps the light.");
        QTest::newRow("empty taglines") << QStringLiteral("{\"synopsis\":\" s \",\"taglines\":[]}") << QStringLiteral("SYNOPSIS\n s ");
        QTest::newRow("null taglines") << QStringLiteral("{\"synopsis\":\"s\",\"taglines\":null}") << QStringLiteral("SYNOPSIS\ns");
        QTest::newRow("two taglines, multi-line synopsis")
            << QStringLiteral("{\"synopsis\":\"one\\ntwo\",\"taglines\":[\"Listen.\",\"\"]}")
            << QStringLiteral("SYNOPSIS\none\ntwo\n\nTAGLINES\n\u2022 Listen.\n\u2022 ");
        QTest::newRow("five taglines all listed")
            << QStringLiteral("{\"synopsis\":\"s\",\"taglines\":[\"1\",\"2\",\"3\",\"4\",\"5\"]}")
            << QStringLiteral("SYNOPSIS\ns\n\nTAGLINES\n\u2022 1\n\u2022 2\n\u2022 3\n\u2022 4\n\u2022 5");
    }

    void pressKit()
    {
        QFETCH(QString, reply);
        QFETCH(QString, expected);
        ScriptedModel model;
        model.replyAlways(reply);
        const Project p = sampleSeries();
        const auto kit = valueOf(model.director().pressKit(p));
        QVERIFY(kit);
        QCOMPARE(*kit, expected);
        QCOMPARE(model.last().user,
                 QStringLiteral("Write the press kit: a festival-ready synopsis (80\u2013120 words, present tense, no "
                                "spoilers past the midpoint) and 3 taglines (each under 8 words, no puns unless the "
                                "project is a comedy).\nReturn JSON {\"synopsis\":\"...\",\"taglines\":[\"...\",\"...\","
                                "\"...\"]}"));
        QCOMPARE(model.last().maxTokens, 8192);
        QCOMPARE(model.last().system, AIDirector::systemPrompt() + AIDirector::brief(p));
    }

    void pressKitBadReplyFails_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::newRow("synopsis missing") << QStringLiteral("{\"taglines\":[\"a\"]}");
        QTest::newRow("taglines a text") << QStringLiteral("{\"synopsis\":\"s\",\"taglines\":\"a\"}");
        QTest::newRow("tagline a number") << QStringLiteral("{\"synopsis\":\"s\",\"taglines\":[\"a\",1]}");
    }

    void pressKitBadReplyFails()
    {
        QFETCH(QString, reply);
        ScriptedModel model;
        model.replyAlways(reply);
        const auto error = aiErrorOf(model.director().pressKit(Project{}));
        QVERIFY(error);
        QCOMPARE(error->kind(), AIError::Kind::parsing);
    }
};

QTEST_GUILESS_MAIN(AIDirectorDeliverTest)
#include "AIDirectorDeliverTest.moc"
