#include "AIDirectorFixtures.h"

#include <QSet>
#include <QTest>

using namespace studio;
using namespace fixtures;

// Logline options, premise, themes and argument, idea fragments.
class AIDirectorIdeaTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sharpenLoglinePrompt()
    {
        ScriptedModel model;
        model.replyAlways(QStringLiteral("{\"options\":[]}"));
        const Project p = sampleSeries();
        QVERIFY(valueOf(model.director().sharpenLogline(p)));
        QCOMPARE(model.last().user,
                 QStringLiteral("Rewrite this project's logline three different ways. Each: one sentence, max 35 words, "
                                "a concrete protagonist with a quality, a want, an obstacle, and stakes. Three distinct "
                                "angles (e.g. character-first, irony-first, world-first). No rhetorical questions, no "
                                "\"must\".\nReturn JSON {\"options\":[\"...\",\"...\",\"...\"]}"));
        QCOMPARE(model.last().maxTokens, 8192);
        // The idea assists brief without an episode.
        QCOMPARE(model.last().system, AIDirector::systemPrompt() + AIDirector::brief(p));
    }

    void sharpenLoglineCapsOptions_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("five") << QStringLiteral("{\"options\":[\"a\",\"b\",\" c \",\"d\",\"e\"]}")
                              << QStringList{"a", "b", " c "};
        QTest::newRow("one") << QStringLiteral("{\"options\":[\"only\"]}") << QStringList{"only"};
        QTest::newRow("none") << QStringLiteral("{\"options\":[]}") << QStringList{};
        QTest::newRow("empty entries kept") << QStringLiteral("{\"options\":[\"\",\"x\"]}") << QStringList{"", "x"};
    }

    void sharpenLoglineCapsOptions()
    {
        QFETCH(QString, reply);
        QFETCH(QStringList, expected);
        ScriptedModel model;
        model.replyAlways(reply);
        const auto options = valueOf(model.director().sharpenLogline(Project{}));
        QVERIFY(options);
        QCOMPARE(*options, expected);
    }

    void replyShapeFailures_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("reply");
        QTest::newRow("options as one text") << 0 << QStringLiteral("{\"options\":\"one\"}");
        QTest::newRow("options missing") << 0 << QStringLiteral("{}");
        QTest::newRow("option not a text") << 0 << QStringLiteral("{\"options\":[\"a\",2]}");
        QTest::newRow("premise missing") << 1 << QStringLiteral("{\"text\":\"x\"}");
        QTest::newRow("premise null") << 1 << QStringLiteral("{\"premise\":null}");
        QTest::newRow("themes not a list") << 2 << QStringLiteral("{\"themes\":\"memory\"}");
        QTest::newRow("argument a number") << 2 << QStringLiteral("{\"argument\":1}");
        QTest::newRow("fragment without text") << 3 << QStringLiteral("{\"fragments\":[{\"kind\":\"image\",\"text\":\"a\"},{\"kind\":\"line\"}]}");
        QTest::newRow("fragment kind a number") << 3 << QStringLiteral("{\"fragments\":[{\"kind\":1,\"text\":\"a\"}]}");
        QTest::newRow("fragments missing") << 3 << QStringLiteral("{\"cards\":[]}");
    }

    void replyShapeFailures()
    {
        QFETCH(int, action);
        QFETCH(QString, reply);
        ScriptedModel model;
        model.replyAlways(reply);
        const AIDirector director = model.director();
        const Project p;
        std::optional<AIError> error;
        switch (action) {
        case 0: error = aiErrorOf(director.sharpenLogline(p)); break;
        case 1: error = aiErrorOf(director.draftPremise(p)); break;
        case 2: error = aiErrorOf(director.themesAndArgument(p)); break;
        default: error = aiErrorOf(director.brainstormFragments(p)); break;
        }
        QVERIFY(error);
        QCOMPARE(error->kind(), AIError::Kind::parsing);
    }

    void draftPremisePromptSendsSixCardTexts()
    {
        Project p;
        for (int i = 0; i < 8; ++i) {
            IdeaCard card;
            card.kind = IdeaCardKind::image;
            card.text = i == 1 ? repeated(QStringLiteral("\U0001F30A"), 130) : QStringLiteral("card %1").arg(i);
            p.idea.cards << card;
        }
        ScriptedModel model;
        model.replyAlways(QStringLiteral("Here:\n```json\n{\"premise\":\" A keeper. \"}\n```\nEnjoy."));
        const auto premise = valueOf(model.director().draftPremise(p));
        QVERIFY(premise);
        QCOMPARE(*premise, QStringLiteral(" A keeper. "));
        QCOMPARE(model.last().user,
                 QStringLiteral("Write the premise paragraph for this project: 120\u2013180 words, present tense, like "
                                "pitching a friend. The world, the want, the wound \u2014 and the choice the story "
                                "forces. Use the idea fragments if any: card 0 / ")
                     + repeated(QStringLiteral("\U0001F30A"), 120)
                     + QStringLiteral(" / card 2 / card 3 / card 4 / card 5\nReturn JSON {\"premise\":\"...\"}"));
        QCOMPARE(model.last().maxTokens, 8192);
    }

    void draftPremiseWithoutCards()
    {
        ScriptedModel model;
        model.replyAlways(QStringLiteral("{\"premise\":\"p\"}"));
        QVERIFY(valueOf(model.director().draftPremise(Project{})));
        QVERIFY(model.last().user.endsWith(QStringLiteral("if any: \nReturn JSON {\"premise\":\"...\"}")));
    }

    void themesAndArgument_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QStringList>("themes");
        QTest::addColumn<QString>("argument");
        QTest::newRow("neither key") << QStringLiteral("{}") << QStringList{} << QString();
        QTest::newRow("nulls") << QStringLiteral("{\"themes\":null,\"argument\":null}") << QStringList{} << QString();
        QTest::newRow("both, no cap") << QStringLiteral("{\"themes\":[\"1\",\"2\",\"3\",\"4\",\"5\",\"6\",\"7\"],\"argument\":\" Vigilance isn't living \"}")
                                      << QStringList{"1", "2", "3", "4", "5", "6", "7"}
                                      << QStringLiteral(" Vigilance isn't living ");
    }

    void themesAndArgument()
    {
        QFETCH(QString, reply);
        QFETCH(QStringList, themes);
        QFETCH(QString, argument);
        ScriptedModel model;
        model.replyAlways(reply);
        const auto result = valueOf(model.director().themesAndArgument(Project{}));
        QVERIFY(result);
        QCOMPARE(result->themes, themes);
        QCOMPARE(result->argument, argument);
        QCOMPARE(model.last().user,
                 QStringLiteral("Suggest 3\u20136 themes/motifs (short noun phrases) and ONE dramatic argument \u2014 the "
                                "verdict this story proves, stated in under 12 words (e.g. \"Vigilance isn't living\").\n"
                                "Return JSON {\"themes\":[\"...\"],\"argument\":\"...\"}"));
    }

    void brainstormFragmentsMapsKindsAndCaps()
    {
        ScriptedModel model;
        model.replyAlways(QStringLiteral(
            "{\"fragments\":[{\"kind\":\"image\",\"text\":\"fog\"},{\"kind\":\"Image\",\"text\":\"capital\"},"
            "{\"text\":\"no kind\"},{\"kind\":\"mechanism\",\"text\":\"unknown\"},{\"kind\":\"line\",\"text\":\"Who?\"},"
            "{\"kind\":\"theme\",\"text\":\"sixth\"},{\"kind\":\"scene\",\"text\":\"seventh\"}]}"));
        const AIDirector director = model.director();
        const auto cards = valueOf(director.brainstormFragments(Project{}));
        QVERIFY(cards);
        QCOMPARE(cards->size(), 5);
        const QList<IdeaCardKind> kinds = {IdeaCardKind::image, IdeaCardKind::concept_, IdeaCardKind::concept_,
                                           IdeaCardKind::concept_, IdeaCardKind::line};
        const QStringList texts = {"fog", "capital", "no kind", "unknown", "Who?"};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(cards->at(i).kind, kinds.at(i));
            QCOMPARE(cards->at(i).text, texts.at(i));
        }
        QVERIFY(model.last().user.startsWith(QStringLiteral(
            "Brainstorm 4 idea fragments for this project \u2014 sensory and specific, not plot summaries. Kinds: image "
            "(a single frame you can see), line (one line of dialogue), scene (a moment), concept (a mechanism or "
            "rule), theme (a tension). Mix kinds.\n")));
        QVERIFY(model.last().user.endsWith(
            QStringLiteral("\nReturn JSON {\"fragments\":[{\"kind\":\"image\",\"text\":\"...\"}]}")));

        // The same reply again gives new identifiers.
        const auto again = valueOf(director.brainstormFragments(Project{}));
        QVERIFY(again);
        QSet<QUuid> ids;
        for (const IdeaCard& card : *cards + *again)
            ids.insert(card.id);
        QCOMPARE(ids.size(), 10);
    }
};

QTEST_GUILESS_MAIN(AIDirectorIdeaTest)
#include "AIDirectorIdeaTest.moc"
