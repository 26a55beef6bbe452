// The Script screen's rules without widgets: the statistics line, where new
// elements go, the story draft, and scene headings rebuilt from a chip.

#include "model/Project.h"
#include "views/phases/script/ScriptLogic.h"

#include <QtTest>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

using K = ScriptElementKind;

ScriptElement element(K kind, const QString& text = QString())
{
    return ScriptElement{.kind = kind, .text = text};
}

Location location(const QString& name)
{
    Location l;
    l.name = name;
    return l;
}

Beat beat(const QString& title, const QString& summary)
{
    Beat b;
    b.title = title;
    b.summary = summary;
    return b;
}

} // namespace

class ScriptLogicTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void statistics_data()
    {
        QTest::addColumn<QList<ScriptElement>>("elements");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QList<ScriptElement>{} << u"~0.0 pg \u00B7 ~0 min \u00B7 0% dialogue"_s;
        // 2 + 3 + 2 + 2 lines = 0.164 pages; 50 of 150 characters are dialogue.
        QTest::newRow("a short scene")
            << QList<ScriptElement>{element(K::sceneHeading, u"INT. HARBOR \u2014 DAY"_s),
                                    element(K::action, QString(100, u'a')), element(K::character, u"ANA"_s),
                                    element(K::dialogue, QString(50, u'd'))}
            << u"~0.2 pg \u00B7 ~0 min \u00B7 33% dialogue"_s;
        // 999 of 1000: truncated, never rounded up to 100.
        QTest::newRow("nearly all dialogue")
            << QList<ScriptElement>{element(K::action, u"a"_s), element(K::dialogue, QString(999, u'd'))}
            << u"~0.6 pg \u00B7 ~1 min \u00B7 99% dialogue"_s;
        QTest::newRow("all dialogue") << QList<ScriptElement>{element(K::dialogue, u"Hi"_s)}
                                      << u"~0.0 pg \u00B7 ~0 min \u00B7 100% dialogue"_s;
    }

    void statistics()
    {
        QFETCH(QList<ScriptElement>, elements);
        QFETCH(QString, text);
        QCOMPARE(script::statisticsText(ScriptDocument{elements}), text);
    }

    void nextKindFollowsTheScreenplay_data()
    {
        QTest::addColumn<K>("pressed");
        QTest::addColumn<K>("inserted");
        QTest::newRow("heading") << K::sceneHeading << K::action;
        QTest::newRow("action") << K::action << K::action;
        QTest::newRow("character") << K::character << K::dialogue;
        QTest::newRow("parenthetical") << K::parenthetical << K::dialogue;
        QTest::newRow("dialogue") << K::dialogue << K::character;
        QTest::newRow("transition") << K::transition << K::sceneHeading;
    }

    void nextKindFollowsTheScreenplay()
    {
        QFETCH(K, pressed);
        QFETCH(K, inserted);
        QCOMPARE(script::nextKind(pressed), inserted);
    }

    void insertAndAppend()
    {
        ScriptDocument doc{{element(K::dialogue, u"Go."_s), element(K::transition, u"CUT TO:"_s)}};
        const QUuid first = doc.elements[0].id;

        // Directly after the element, empty, whatever the kind.
        const auto inserted = script::insertAfter(doc, first, K::transition);
        QVERIFY(inserted);
        QCOMPARE(doc.elements.size(), 3);
        QCOMPARE(doc.elements[1].id, *inserted);
        QCOMPARE(doc.elements[1].kind, K::transition);
        QCOMPARE(doc.elements[1].text, QString());
        QCOMPARE(doc.elements[0].text, u"Go."_s);

        // An id that isn't there changes nothing.
        const ScriptDocument before = doc;
        QVERIFY(!script::insertAfter(doc, QUuid::createUuid(), K::action));
        QCOMPARE(doc, before);

        // Appending always goes to the end; only a transition starts with text.
        const QUuid cut = script::appendElement(doc, K::transition);
        const QUuid line = script::appendElement(doc, K::dialogue);
        QCOMPARE(doc.elements.size(), 5);
        QCOMPARE(doc.elements[3].id, cut);
        QCOMPARE(doc.elements[3].text, u"CUT TO:"_s);
        QCOMPARE(doc.elements[4].id, line);
        QCOMPARE(doc.elements[4].text, QString());
    }

    void storyDraft()
    {
        Episode episode;
        QVERIFY(!script::hasBeats(episode));
        for (int a = 0; a < 3; ++a) {
            Act act;
            act.beats << beat(u"Title %1a"_s.arg(a), u"Summary %1a"_s.arg(a))
                      << beat(u"Title %1b"_s.arg(a), QString());
            episode.structure.acts << act;
        }
        episode.structure.acts.insert(1, Act{}); // an act without beats adds nothing

        const QList<ScriptElement> draft = script::storyDraft(episode, {location(u"Harbor"_s), location(u"Pier"_s)});
        QCOMPARE(draft.size(), 9);
        for (int a = 0; a < 3; ++a) {
            QCOMPARE(draft[a * 3].kind, K::sceneHeading);
            QCOMPARE(draft[a * 3].text, u"INT. HARBOR \u2014 DAY"_s);
            QCOMPARE(draft[a * 3 + 1].kind, K::action);
            QCOMPARE(draft[a * 3 + 1].text, u"Summary %1a"_s.arg(a));
            QCOMPARE(draft[a * 3 + 2].text, u"Title %1b"_s.arg(a)); // no summary: the title
        }
        QCOMPARE(script::storyDraft(episode, {}).first().text, u"INT. LOCATION TBD \u2014 DAY"_s);

        // Written into an empty script only.
        QVERIFY(script::draftFromStory(episode, {}));
        QCOMPARE(episode.script.elements.size(), 9);
        const ScriptDocument written = episode.script;
        QVERIFY(!script::draftFromStory(episode, {location(u"Harbor"_s)}));
        QCOMPARE(episode.script, written);
    }

    void hasBeatsNeedsASummary()
    {
        Episode episode;
        Act act;
        act.beats << beat(u"Opening"_s, QString()) << beat(u"Turn"_s, QString());
        episode.structure.acts << act;
        QVERIFY(!script::hasBeats(episode));
        episode.structure.acts[0].beats[1].summary = u"She leaves."_s;
        QVERIFY(script::hasBeats(episode));
    }

    void setHeading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("part"); // prefix, location or time
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("withLocations");
        QTest::addColumn<QString>("heading");
        const QString dash = u" \u2014 "_s;
        QTest::newRow("empty, a time") << QString() << "time" << "NIGHT" << true << u"INT. HARBOR"_s + dash + u"NIGHT"_s;
        QTest::newRow("empty, no locations") << QString() << "time" << "NIGHT" << false
                                             << u"INT. LOCATION"_s + dash + u"NIGHT"_s;
        QTest::newRow("hyphen, a time") << u"ext. pier - night"_s << "time" << "DAY" << true
                                        << u"EXT. PIER"_s + dash + u"DAY"_s;
        QTest::newRow("hyphen, a prefix") << u"ext. pier - night"_s << "prefix" << "INT." << true
                                          << u"INT. PIER"_s + dash + u"NIGHT"_s;
        QTest::newRow("hyphen, a location") << u"ext. pier - night"_s << "location" << "Boathouse" << true
                                            << u"EXT. BOATHOUSE"_s + dash + u"NIGHT"_s;
        QTest::newRow("no prefix") << u"kitchen"_s << "prefix" << "EXT." << true << u"EXT. KITCHEN"_s + dash + u"DAY"_s;
        QTest::newRow("INT eats INTERIOR") << u"INTERIOR KITCHEN"_s << "time" << "DUSK" << true
                                           << u"INT. ERIOR KITCHEN"_s + dash + u"DUSK"_s;
        QTest::newRow("after the dash is rebuilt") << u"INT. HOUSE \u2014 DAY \u2014 LATER"_s << "prefix" << "EXT." << true
                                                   << u"EXT. HOUSE"_s + dash + u"DAY"_s;
        QTest::newRow("NIGHT before DAWN") << u"EXT. ROAD \u2014 DAWN INTO NIGHT"_s << "prefix" << "INT." << true
                                           << u"INT. ROAD"_s + dash + u"NIGHT"_s;
        QTest::newRow("DAYBREAK reads DAY") << u"EXT. FIELD \u2014 DAYBREAK"_s << "location" << "Barn" << true
                                            << u"EXT. BARN"_s + dash + u"DAY"_s;
        QTest::newRow("a prefix only") << u"EXT."_s << "time" << "DAWN" << false
                                       << u"EXT. LOCATION"_s + dash + u"DAWN"_s;
    }

    void setHeading()
    {
        QFETCH(QString, text);
        QFETCH(QString, part);
        QFETCH(QString, value);
        QFETCH(bool, withLocations);
        QFETCH(QString, heading);
        const QList<Location> locations =
            withLocations ? QList<Location>{location(u"Harbor"_s), location(u"Pier"_s)} : QList<Location>{};
        const auto given = [&](const char* name) { return part == QLatin1String(name) ? std::optional(value) : std::nullopt; };
        QCOMPARE(script::setHeading(text, given("prefix"), given("location"), given("time"), locations), heading);
    }
};

QTEST_MAIN(ScriptLogicTest)
#include "ScriptLogicTest.moc"
