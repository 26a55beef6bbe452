#include "AIDirectorFixtures.h"

#include "model/Text.h"

#include <QTest>

using namespace studio;
using namespace fixtures;

namespace {

const QString beatsOpening = QStringLiteral(
    "Write a 1\u20133 sentence summary for each empty beat below \u2014 specific to THIS story, present tense, concrete "
    "events (who does what, what changes), honoring each beat's guiding question. Alternate emotional fortune "
    "between beats where natural. Never write \"our hero\" or \"we see\".\n");
const QString beatsClosing = QStringLiteral("\nReturn JSON {\"beats\":[{\"index\":0,\"summary\":\"...\"}]}");

// Three acts of 2, 3 and 2 beats; the empty ones are act 0 beat 1 and act 2 beat 0.
Episode sevenBeats()
{
    Episode e;
    e.structure.acts = {act(QStringLiteral("One"), {beat(QStringLiteral("B1"), QStringLiteral("s1")),
                                                    beat(QStringLiteral("B2"), {}, QStringLiteral("What breaks?"))}),
                        act(QStringLiteral("Two"), {beat(QStringLiteral("B3"), QStringLiteral("s3")),
                                                    beat(QStringLiteral("B4"), QStringLiteral("s4")),
                                                    beat(QStringLiteral("B5"), QStringLiteral("s5"))}),
                        act(QStringLiteral("Three"), {beat(QStringLiteral("B6")), beat(QStringLiteral("B7"), QStringLiteral("s7"))})};
    return e;
}

CastMember filledMember()
{
    CastMember m = member(QStringLiteral("Eda"), CastRole::lead, QStringLiteral("w"), QStringLiteral("f"));
    m.archetype = m.age = m.bio = m.need = m.lie = m.contradiction = m.voice = m.tells = m.look = m.wardrobe =
        QStringLiteral("x");
    return m;
}

} // namespace

// Beat summaries, invented and fleshed-out characters, location details.
class AIDirectorStoryCastTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fillBeatsPromptAndMappingById()
    {
        Project p = sampleSeries();
        p.episodes.first() = sevenBeats();
        p.episodes.first().number = 2;
        const Episode& e = p.episodes.first();
        ScriptedModel model;
        model.replyAlways(QStringLiteral(
            "{\"beats\":[{\"index\":1,\"summary\":\"x\"},{\"index\":-1,\"summary\":\"neg\"},{\"index\":2,\"summary\":"
            "\"out\"},{\"index\":0,\"summary\":\"\"},{\"index\":1,\"summary\":\"again\"}]}"));
        const auto result = valueOf(model.director().fillBeats(p, e));
        QVERIFY(result);
        QCOMPARE(model.last().user,
                 beatsOpening
                     + QStringLiteral("ALREADY WRITTEN BEATS (match their voice):\nB1: s1\nB3: s3\nB4: s4\nB5: s5\nB7: s7\n"
                                      "\nEMPTY BEATS (index | act | beat):\n0 | One | B2 (guide: What breaks?)\n1 | Three | B6")
                     + beatsClosing);
        QCOMPARE(model.last().maxTokens, 12000);
        QCOMPARE(model.last().system, AIDirector::systemPrompt() + AIDirector::brief(p, &e));

        const auto& acts = e.structure.acts;
        QCOMPARE(result->episodeID, e.id);
        const QList<AIDirector::BeatFill> expected = {
            {acts[2].id, acts[2].beats[0].id, QStringLiteral("x")},
            {acts[0].id, acts[0].beats[1].id, QString()},
            {acts[2].id, acts[2].beats[0].id, QStringLiteral("again")},
        };
        QCOMPARE(result->fills, expected);
    }

    void fillBeatsPromptPieces_data()
    {
        QTest::addColumn<Episode>("episode");
        QTest::addColumn<QString>("expectedUser");

        Episode spaces;
        spaces.structure.acts = {act(QStringLiteral("A"), {beat(QStringLiteral("Blank"), QStringLiteral("  ")),
                                                           beat(QStringLiteral("Break"), QStringLiteral("\n")),
                                                           beat(QStringLiteral("Tab"), QStringLiteral("\t\u00a0"))})};
        QTest::newRow("spaces-only summary is empty and written; a line break is not empty")
            << spaces
            << beatsOpening
                   + QStringLiteral("ALREADY WRITTEN BEATS (match their voice):\nBlank:   \nBreak: \n\nTab: \t\u00a0\n"
                                    "\nEMPTY BEATS (index | act | beat):\n0 | A | Blank\n1 | A | Tab")
                   + beatsClosing;

        Episode many;
        QList<Beat> written;
        for (int i = 0; i < 12; ++i)
            written << beat(QStringLiteral("W%1").arg(i), i == 0 ? repeated(QStringLiteral("y"), 200) : QStringLiteral("s"));
        many.structure.acts = {act(QStringLiteral("A"), written), act(QStringLiteral("B"), {beat(QStringLiteral("E"))})};
        QString samples = QStringLiteral("W0: ") + repeated(QStringLiteral("y"), 160);
        for (int i = 1; i < 8; ++i)
            samples += QStringLiteral("\nW%1: s").arg(i);
        QTest::newRow("eight of twelve written beats, cut to 160")
            << many
            << beatsOpening + QStringLiteral("ALREADY WRITTEN BEATS (match their voice):\n") + samples
                   + QStringLiteral("\n\nEMPTY BEATS (index | act | beat):\n0 | B | E") + beatsClosing;

        Episode none;
        none.structure.acts = {act(QStringLiteral("A"), {beat(QStringLiteral("One")), beat(QStringLiteral("Two"))})};
        QTest::newRow("no written beat")
            << none << beatsOpening + QStringLiteral("\nEMPTY BEATS (index | act | beat):\n0 | A | One\n1 | A | Two") + beatsClosing;
    }

    void fillBeatsPromptPieces()
    {
        QFETCH(Episode, episode);
        QFETCH(QString, expectedUser);
        ScriptedModel model;
        model.replyAlways(QStringLiteral("{\"beats\":[]}"));
        const auto result = valueOf(model.director().fillBeats(Project{}, episode));
        QVERIFY(result);
        QVERIFY(result->fills.isEmpty());
        QCOMPARE(model.last().user, expectedUser);
    }

    void fillBeatsWithNothingEmptySendsNothing_data()
    {
        QTest::addColumn<Episode>("episode");
        QTest::newRow("no acts") << Episode{};
        Episode full;
        full.structure.acts = {act(QStringLiteral("A"), {beat(QStringLiteral("x"), QStringLiteral("done"))}), act(QStringLiteral("B"), {})};
        QTest::newRow("every beat written") << full;
    }

    void fillBeatsWithNothingEmptySendsNothing()
    {
        QFETCH(Episode, episode);
        ScriptedModel model;
        const auto result = valueOf(model.director().fillBeats(Project{}, episode));
        QVERIFY(result);
        QCOMPARE(result->episodeID, episode.id);
        QVERIFY(result->fills.isEmpty());
        QVERIFY(model.calls().isEmpty());
    }

    void fillBeatsBadEntryFailsWholeReply_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::newRow("index as text") << QStringLiteral("{\"beats\":[{\"index\":0,\"summary\":\"a\"},{\"index\":\"1\",\"summary\":\"b\"}]}");
        QTest::newRow("fractional index") << QStringLiteral("{\"beats\":[{\"index\":0.5,\"summary\":\"a\"}]}");
        QTest::newRow("no summary") << QStringLiteral("{\"beats\":[{\"index\":0}]}");
        QTest::newRow("no beats") << QStringLiteral("{\"fills\":[]}");
        QTest::newRow("huge index") << QStringLiteral("{\"beats\":[{\"index\":1e300,\"summary\":\"a\"}]}");
    }

    void fillBeatsBadEntryFailsWholeReply()
    {
        QFETCH(QString, reply);
        ScriptedModel model;
        model.replyAlways(reply);
        const auto error = aiErrorOf(model.director().fillBeats(Project{}, sevenBeats()));
        QVERIFY(error);
        QCOMPARE(error->kind(), AIError::Kind::parsing);
    }

    void inventCharacterPrompt()
    {
        ScriptedModel model;
        const Project p = sampleSeries();
        QVERIFY(valueOf(model.director().inventCharacter(p)));
        QCOMPARE(model.last().user,
                 QStringLiteral(
                     "Invent ONE new character who creates productive friction with the existing cast and fills a "
                     "missing function in the ensemble (foil, antagonist, ally, comic pressure \u2014 your call, stated "
                     "via role). Roles: lead|support|antagonist|ensemble|cameo. Not a copy of anyone above. Same field "
                     "rules as a character sheet: want external, need internal, lie quoted, tells filmable, look = "
                     "concrete visual anchor for image prompts.\nReturn JSON {\"name\":\"...\",\"role\":\"support\","
                     "\"archetype\":\"...\",\"age\":\"...\",\"bio\":\"...\",\"want\":\"...\",\"need\":\"...\","
                     "\"flaw\":\"...\",\"lie\":\"...\",\"contradiction\":\"...\",\"voice\":\"...\",\"tells\":\"...\","
                     "\"look\":\"...\",\"wardrobe\":\"...\"}"));
        QCOMPARE(model.last().maxTokens, 8192);
        QCOMPARE(model.last().system, AIDirector::systemPrompt() + AIDirector::brief(p));
    }

    void inventCharacterMapping_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QString>("name");
        QTest::addColumn<CastRole>("role");
        QTest::addColumn<QString>("want");
        QTest::newRow("empty object") << QStringLiteral("{}") << QStringLiteral("New Character") << CastRole::support << QString();
        QTest::newRow("only cameo") << QStringLiteral("{\"role\":\"cameo\"}") << QStringLiteral("New Character") << CastRole::cameo << QString();
        QTest::newRow("capitalised role") << QStringLiteral("{\"name\":\"Vik\",\"role\":\"Antagonist\"}") << QStringLiteral("Vik") << CastRole::support << QString();
        QTest::newRow("empty name kept") << QStringLiteral("{\"name\":\"\",\"role\":\"lead\",\"want\":\" the sea \"}") << QString() << CastRole::lead << QStringLiteral(" the sea ");
        QTest::newRow("null name") << QStringLiteral("{\"name\":null,\"role\":null}") << QStringLiteral("New Character") << CastRole::support << QString();
    }

    void inventCharacterMapping()
    {
        QFETCH(QString, reply);
        QFETCH(QString, name);
        QFETCH(CastRole, role);
        QFETCH(QString, want);
        ScriptedModel model;
        model.replyAlways(reply);
        const auto m = valueOf(model.director().inventCharacter(Project{}));
        QVERIFY(m);
        QCOMPARE(m->name, name);
        QCOMPARE(m->role, role);
        QCOMPARE(m->want, want);
        QVERIFY(m->relationships.isEmpty());
        QVERIFY(m->refSeeds.isEmpty());
        QVERIFY(!m->portraitSeed.isEmpty());
    }

    void inventCharacterReadsEveryField()
    {
        const QStringList keys = {"archetype", "age", "bio", "want", "need", "flaw", "lie",
                                  "contradiction", "voice", "tells", "look", "wardrobe"};
        QString reply = QStringLiteral("{\"name\":\"N\",\"role\":\"ensemble\"");
        for (const QString& key : keys)
            reply += QStringLiteral(",\"%1\":\"%1!\"").arg(key);
        reply += u'}';
        ScriptedModel model;
        model.replyAlways(reply);
        const AIDirector director = model.director();
        const auto m = valueOf(director.inventCharacter(Project{}));
        QVERIFY(m);
        const QStringList got = {m->archetype, m->age, m->bio, m->want, m->need, m->flaw, m->lie,
                                 m->contradiction, m->voice, m->tells, m->look, m->wardrobe};
        for (qsizetype i = 0; i < keys.size(); ++i)
            QCOMPARE(got.at(i), keys.at(i) + u'!');
        QCOMPARE(m->role, CastRole::ensemble);
        const auto other = valueOf(director.inventCharacter(Project{}));
        QVERIFY(other);
        QVERIFY(other->id != m->id);
        QVERIFY(other->portraitSeed != m->portraitSeed);

        model.replyAlways(QStringLiteral("{\"age\":42}"));
        const auto error = aiErrorOf(director.inventCharacter(Project{}));
        QVERIFY(error && error->kind() == AIError::Kind::parsing);
    }

    void fleshOutFilledCharacterSendsNothing()
    {
        ScriptedModel model;
        const CastMember m = filledMember();
        const auto result = valueOf(model.director().fleshOutCharacter(Project{}, m));
        QVERIFY(result);
        QCOMPARE(result->memberID, m.id);
        QVERIFY(result->fields.isEmpty());
        QVERIFY(model.calls().isEmpty());
    }

    void fleshOutPromptAndReply()
    {
        CastMember m = member(QStringLiteral("Wren"), CastRole::support);
        m.bio = repeated(QStringLiteral("b"), 170);
        ScriptedModel model;
        model.replyAlways(QStringLiteral("{\"fields\":{\"want\":\" home \",\"mood\":\"grim\",\"Tells\":\"x\"}}"));
        const auto result = valueOf(model.director().fleshOutCharacter(Project{}, m));
        QVERIFY(result);
        QCOMPARE(model.last().user,
                 QStringLiteral("Complete this character. Fill ONLY these empty fields: archetype, age, want, need, "
                                "flaw, lie, contradiction, voice, tells, look, wardrobe.\nRules: want = external "
                                "chase; need = internal truth; lie = first person in quotes; contradiction = a "
                                "believable trait pair; tells = physical behavior under emotion (filmable); look = "
                                "consistency anchor \u2014 concrete visual list (age, hair, eyes, build, wardrobe "
                                "staples) usable in image prompts; voice = cadence and tics. Keep each under 40 "
                                "words.\nKNOWN:\nname: Wren\nrole: Supporting\nbio: ")
                     + repeated(QStringLiteral("b"), 160)
                     + QStringLiteral("\nReturn JSON {\"fields\":{\"want\":\"...\",\"tells\":\"...\"}} with ONLY the "
                                      "empty fields as keys."));
        QCOMPARE(model.last().maxTokens, 8192);
        QCOMPARE(result->memberID, m.id);
        const QMap<QString, QString> expected = {{"want", " home "}, {"mood", "grim"}, {"Tells", "x"}};
        QCOMPARE(result->fields, expected);
    }

    void fleshOutBadFields_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QString>("detail"); // checked when given
        QTest::newRow("missing") << QStringLiteral("{}") << QString();
        QTest::newRow("null") << QStringLiteral("{\"fields\":null}") << QString();
        QTest::newRow("array") << QStringLiteral("{\"fields\":[\"want\"]}") << QString();
        QTest::newRow("value not a text") << QStringLiteral("{\"fields\":{\"want\":\"a\",\"age\":40}}") << QString();
        QTest::newRow("null value") << QStringLiteral("{\"fields\":{\"want\":null}}") << QString();
        // The model's key is isolated where the failure names it, so its
        // direction override can't reorder the words after it.
        QTest::newRow("key overriding direction") << QStringLiteral("{\"fields\":{\"a\u202Eb\":40}}")
                                                  << QStringLiteral("fields.") + text::isolated(QStringLiteral("a\u202Eb"))
                + QStringLiteral(": expected a string, found a number");
    }

    void fleshOutBadFields()
    {
        QFETCH(QString, reply);
        ScriptedModel model;
        model.replyAlways(reply);
        const auto error = aiErrorOf(model.director().fleshOutCharacter(Project{}, member(QStringLiteral("A"), CastRole::lead)));
        QVERIFY(error);
        QCOMPARE(error->kind(), AIError::Kind::parsing);
        QFETCH(QString, detail);
        if (!detail.isEmpty())
            QCOMPARE(error->message(), detail);
    }

    void locationPromptWithEmptyFields()
    {
        Location l = place(QStringLiteral("Pier"), {}, LocationKind::exterior);
        ScriptedModel model;
        QVERIFY(valueOf(model.director().locationDetails(Project{}, l)));
        QCOMPARE(model.last().user,
                 QStringLiteral("Complete this location: \"Pier\" (Exterior). era = period/feel; mood = three words; "
                                "look = consistency anchor: architecture, materials, light sources, landmark details "
                                "\u2014 concrete, usable in image prompts; sound = what you hear here, specific.\n"
                                "Existing (keep consistent, improve where empty): era:  | mood:  | look:  | sound: \n"
                                "Return JSON {\"era\":\"...\",\"mood\":\"...\",\"look\":\"...\",\"sound\":\"...\"}"));
        QCOMPARE(model.last().maxTokens, 8192);

        l.kind = LocationKind::both;
        l.era = QStringLiteral("1970s");
        l.look = repeated(QStringLiteral("L"), 300);
        QVERIFY(valueOf(model.director().locationDetails(Project{}, l)));
        QVERIFY(model.last().user.contains(QStringLiteral("\"Pier\" (Int. & Ext.). ")));
        QVERIFY(model.last().user.contains(QStringLiteral("era: 1970s | mood:  | look: ") + repeated(QStringLiteral("L"), 200)
                                           + QStringLiteral(" | sound: \nReturn")));
    }

    void locationDetailsOfferOnlyRepliedEmptyFields_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QString>("mood"); // the location's mood when asked
        QTest::addColumn<QStringList>("expected"); // era, mood, look, sound; "-" for absent
        QTest::newRow("empty era only") << QStringLiteral("{\"era\":\"\"}") << QString() << QStringList{"", "-", "-", "-"};
        QTest::newRow("empty object") << QStringLiteral("{}") << QString() << QStringList{"-", "-", "-", "-"};
        QTest::newRow("all four") << QStringLiteral("{\"era\":\"e\",\"mood\":\"m\",\"look\":\" l \",\"sound\":\"s\"}")
                                  << QString() << QStringList{"e", "m", " l ", "s"};
        QTest::newRow("filled mood not offered back")
            << QStringLiteral("{\"era\":\"e\",\"mood\":\"m\",\"look\":\"l\",\"sound\":\"s\"}") << QStringLiteral("quiet")
            << QStringList{"e", "-", "l", "s"};
        QTest::newRow("nulls are absent") << QStringLiteral("{\"era\":null,\"sound\":\"s\"}") << QString() << QStringList{"-", "-", "-", "s"};
    }

    void locationDetailsOfferOnlyRepliedEmptyFields()
    {
        QFETCH(QString, reply);
        QFETCH(QString, mood);
        QFETCH(QStringList, expected);
        Location l = place(QStringLiteral("Pier"), mood);
        ScriptedModel model;
        model.replyAlways(reply);
        const auto result = valueOf(model.director().locationDetails(Project{}, l));
        QVERIFY(result);
        QCOMPARE(result->locationID, l.id);
        const QList<std::optional<QString>> got = {result->era, result->mood, result->look, result->sound};
        for (qsizetype i = 0; i < 4; ++i)
            QCOMPARE(got.at(i).value_or(QStringLiteral("-")), expected.at(i));
    }

    void locationWrongTypeFails()
    {
        ScriptedModel model;
        model.replyAlways(QStringLiteral("{\"era\":[\"1970s\"]}"));
        const auto error = aiErrorOf(model.director().locationDetails(Project{}, Location{}));
        QVERIFY(error && error->kind() == AIError::Kind::parsing);
    }
};

QTEST_GUILESS_MAIN(AIDirectorStoryCastTest)
#include "AIDirectorStoryCastTest.moc"
