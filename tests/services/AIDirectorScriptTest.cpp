#include "AIDirectorFixtures.h"

#include <QTest>

using namespace studio;
using namespace fixtures;

namespace {

const QString draftOpening = QStringLiteral(
    "Write the OPENING of this screenplay \u2014 the first 2\u20133 scenes, 24\u201336 elements total. Element kinds: "
    "sceneHeading, action, character, parenthetical, dialogue, transition. Scene headings formatted \"INT. PLACE "
    "\u2014 TIME\". Character cues are UPPERCASE names from CAST. Action lines lean and filmable (what the camera "
    "sees, present tense). Dialogue carries subtext; nobody says what they mean directly. Honor the characters' "
    "voices and tells.\nBEATS:\n");
const QString draftClosing = QStringLiteral("\nReturn JSON {\"elements\":[{\"kind\":\"sceneHeading\",\"text\":\"...\"}]}");
const QString continueOpening = QStringLiteral(
    "Continue this screenplay with the next 8\u201314 elements, same voice, advancing the current scene or cutting "
    "to the next one if it has resolved. Same element rules as standard screenplay format.\nLAST ELEMENTS:\n");
const QString continueClosing = QStringLiteral("\nReturn JSON {\"elements\":[{\"kind\":\"action\",\"text\":\"...\"}]}");

Episode withElements(int count, int longIndex = -1)
{
    Episode e;
    for (int i = 0; i < count; ++i) {
        ScriptElement el;
        el.kind = i % 2 ? ScriptElementKind::dialogue : ScriptElementKind::character;
        el.text = i == longIndex ? repeated(QStringLiteral("t"), 200) : QStringLiteral("e%1").arg(i + 1);
        e.script.elements << el;
    }
    return e;
}

} // namespace

// Drafting the opening from the beats and continuing after the last elements.
class AIDirectorScriptTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void draftPrompt_data()
    {
        QTest::addColumn<Episode>("episode");
        QTest::addColumn<QString>("beats");

        QTest::newRow("no acts") << Episode{} << QString();

        Episode mixed;
        mixed.structure.acts = {act(QStringLiteral("Act I"), {beat(QStringLiteral("Hook"), QStringLiteral("Eda wakes.")),
                                                              beat(QStringLiteral("Empty"))}),
                                act(QStringLiteral("Act II"), {beat(QStringLiteral("Blank"), QStringLiteral("  ")),
                                                               beat(QStringLiteral("Long"), repeated(QStringLiteral("x"), 250))})};
        QTest::newRow("unwritten, blank kept, cut to 180")
            << mixed
            << QStringLiteral("Hook: Eda wakes.\nEmpty: (unwritten)\nBlank:   \nLong: ") + repeated(QStringLiteral("x"), 180);

        Episode many;
        QList<Beat> beats;
        for (int i = 0; i < 20; ++i)
            beats << beat(QStringLiteral("Beat %1").arg(i, 2, 10, QLatin1Char('0')), repeated(QStringLiteral("s"), 100));
        many.structure.acts = {act(QStringLiteral("A"), beats)};
        QStringList lines;
        for (const Beat& b : beats)
            lines << b.title + QStringLiteral(": ") + b.summary;
        QTest::newRow("beats text stops at 1800 characters") << many << lines.join(u'\n').left(1800);
    }

    void draftPrompt()
    {
        QFETCH(Episode, episode);
        QFETCH(QString, beats);
        Project p = sampleSeries();
        p.episodes = {episode};
        ScriptedModel model;
        model.replyAlways(QStringLiteral("{\"elements\":[]}"));
        const auto result = valueOf(model.director().draftScript(p, p.episodes.first()));
        QVERIFY(result);
        QCOMPARE(result->episodeID, episode.id);
        QVERIFY(result->elements.isEmpty());
        QCOMPARE(model.last().user, draftOpening + beats + draftClosing);
        QCOMPARE(model.last().maxTokens, 16000);
        QCOMPARE(model.last().system, AIDirector::systemPrompt() + AIDirector::brief(p, &p.episodes.first()));
    }

    void continuePrompt_data()
    {
        QTest::addColumn<Episode>("episode");
        QTest::addColumn<QString>("lines");
        QTest::newRow("empty script still asks") << Episode{} << QString();
        QTest::newRow("three elements") << withElements(3)
                                        << QStringLiteral("[character] e1\n[dialogue] e2\n[character] e3");
        QStringList last;
        for (int i = 7; i <= 20; ++i)
            last << QStringLiteral("[%1] %2").arg(i % 2 ? QStringLiteral("character") : QStringLiteral("dialogue"),
                                                  i == 10 ? repeated(QStringLiteral("t"), 160) : QStringLiteral("e%1").arg(i));
        QTest::newRow("last fourteen of twenty, cut to 160") << withElements(20, 9) << last.join(u'\n');
    }

    void continuePrompt()
    {
        QFETCH(Episode, episode);
        QFETCH(QString, lines);
        Project p;
        p.episodes = {episode};
        ScriptedModel model;
        model.replyAlways(QStringLiteral("{\"elements\":[]}"));
        QVERIFY(valueOf(model.director().continueScript(p, p.episodes.first())));
        QCOMPARE(model.calls().size(), 1);
        QCOMPARE(model.last().user, continueOpening + lines + continueClosing);
        QCOMPARE(model.last().maxTokens, 12000);
    }

    void elementsMapping()
    {
        QString reply = QStringLiteral("{\"elements\":[{\"kind\":\"Dialogue\",\"text\":\"a\"},{\"kind\":\"heading\",\"text\":\"b\"},"
                                       "{\"text\":\" c \"},{\"kind\":\"transition\",\"text\":\"CUT TO:\"},{\"kind\":\"sceneHeading\",\"text\":\"\"}");
        for (int i = 5; i < 60; ++i)
            reply += QStringLiteral(",{\"kind\":\"action\",\"text\":\"%1\"}").arg(i);
        reply += QStringLiteral("]}");
        ScriptedModel model;
        model.replyAlways(reply);
        const AIDirector director = model.director();
        const Episode e = withElements(2);
        const auto drafted = valueOf(director.draftScript(Project{}, e));
        const auto continued = valueOf(director.continueScript(Project{}, e));
        QVERIFY(drafted && continued);
        QCOMPARE(drafted->elements.size(), 48);
        QCOMPARE(continued->elements.size(), 48);
        const QList<ScriptElementKind> kinds = {ScriptElementKind::action, ScriptElementKind::action, ScriptElementKind::action,
                                                ScriptElementKind::transition, ScriptElementKind::sceneHeading};
        const QStringList texts = {"a", "b", " c ", "CUT TO:", ""};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(drafted->elements.at(i).kind, kinds.at(i));
            QCOMPARE(drafted->elements.at(i).text, texts.at(i));
        }
        QCOMPARE(drafted->elements.last().text, QStringLiteral("47"));
        // Same reply, same kinds and texts, new ids.
        for (int i = 0; i < 48; ++i) {
            QCOMPARE(continued->elements.at(i).kind, drafted->elements.at(i).kind);
            QCOMPARE(continued->elements.at(i).text, drafted->elements.at(i).text);
            QVERIFY(continued->elements.at(i).id != drafted->elements.at(i).id);
        }
    }

    void badElementFailsWholeReply_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::newRow("elements missing") << QStringLiteral("{}");
        QTest::newRow("elements null") << QStringLiteral("{\"elements\":null}");
        QTest::newRow("entry without text") << QStringLiteral("{\"elements\":[{\"kind\":\"action\",\"text\":\"a\"},{\"kind\":\"action\"}]}");
        QTest::newRow("kind a number") << QStringLiteral("{\"elements\":[{\"kind\":3,\"text\":\"a\"}]}");
        QTest::newRow("text a number") << QStringLiteral("{\"elements\":[{\"text\":3}]}");
        QTest::newRow("null entry") << QStringLiteral("{\"elements\":[null]}");
    }

    void badElementFailsWholeReply()
    {
        QFETCH(QString, reply);
        ScriptedModel model;
        model.replyAlways(reply);
        const auto error = aiErrorOf(model.director().draftScript(Project{}, Episode{}));
        QVERIFY(error);
        QCOMPARE(error->kind(), AIError::Kind::parsing);
    }
};

QTEST_GUILESS_MAIN(AIDirectorScriptTest)
#include "AIDirectorScriptTest.moc"
