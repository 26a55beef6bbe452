// The Script screen's rules: the statistics line (counted afresh and kept up
// to date element by element), what Return inserts, the story draft, the
// chips and the scene heading rebuilt from one.

#include "model/Project.h"
#include "state/rules/ScriptRules.h"

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

class ScriptRulesTest : public QObject {
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
        QCOMPARE(rules::scriptStatistics(ScriptDocument{elements}), text);

        // Kept up to date through edits, the sum is the one counted afresh.
        QList<ScriptElement> edited = elements;
        edited.prepend(element(K::dialogue, u"Wait."_s));
        if (edited.size() > 2) {
            edited[2].text += u" and more"_s;
            edited.removeAt(1);
        }
        const rules::ScriptTally kept = rules::scriptTally(rules::scriptTally(elements), elements, edited);
        QCOMPARE(rules::scriptStatistics(kept), rules::scriptStatistics(ScriptDocument{edited}));
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
        QCOMPARE(rules::nextScriptKind(pressed), inserted);
    }

    void storyDraft()
    {
        Episode episode;
        QVERIFY(!rules::hasBeats(episode));
        for (int a = 0; a < 3; ++a) {
            Act act;
            act.beats << beat(u"Title %1a"_s.arg(a), u"Summary %1a"_s.arg(a))
                      << beat(u"Title %1b"_s.arg(a), QString());
            episode.structure.acts << act;
        }
        episode.structure.acts.insert(1, Act{}); // an act without beats adds nothing

        const QList<ScriptElement> draft = rules::storyDraft(episode, {location(u"Harbor"_s), location(u"Pier"_s)});
        QCOMPARE(draft.size(), 9);
        for (int a = 0; a < 3; ++a) {
            QCOMPARE(draft[a * 3].kind, K::sceneHeading);
            QCOMPARE(draft[a * 3].text, u"INT. HARBOR \u2014 DAY"_s);
            QCOMPARE(draft[a * 3 + 1].kind, K::action);
            QCOMPARE(draft[a * 3 + 1].text, u"Summary %1a"_s.arg(a));
            QCOMPARE(draft[a * 3 + 2].text, u"Title %1b"_s.arg(a)); // no summary: the title
        }
        QCOMPARE(rules::storyDraft(episode, {}).first().text, u"INT. LOCATION TBD \u2014 DAY"_s);
    }

    void hasBeatsNeedsASummary()
    {
        Episode episode;
        Act act;
        act.beats << beat(u"Opening"_s, QString()) << beat(u"Turn"_s, QString());
        episode.structure.acts << act;
        QVERIFY(!rules::hasBeats(episode));
        episode.structure.acts[0].beats[1].summary = u"She leaves."_s;
        QVERIFY(rules::hasBeats(episode));
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
        using Part = rules::ScriptChip::Part;
        const Part picked = part == u"prefix"_s ? Part::prefix : part == u"location"_s ? Part::location : Part::time;
        QCOMPARE(rules::textAfterChip(text, {picked, value}, locations), heading);
    }

    void chipsByKind()
    {
        Project p;
        for (const QString& name : {u"Ana"_s, u"Ben"_s, u"Ana"_s}) {
            CastMember m;
            m.name = name;
            p.cast << m;
        }
        p.locations << location(u"Harbor"_s) << location(u"Pier & Dock"_s);
        const auto labels = [&p](K kind) {
            QStringList out;
            for (const rules::ScriptChip& chip : rules::scriptChips(p, element(kind, u"x"_s)))
                out << chip.label;
            return out;
        };
        // Names as stored, once each; a pick writes the name in capitals.
        QCOMPARE(labels(K::character), (QStringList{u"Ana"_s, u"Ben"_s}));
        QCOMPARE(rules::textAfterChip(u"an"_s, rules::scriptChips(p, element(K::character)).first(), p.locations),
                 u"ANA"_s);
        QCOMPARE(labels(K::sceneHeading), (QStringList{u"INT."_s, u"EXT."_s, u"Harbor"_s, u"Pier & Dock"_s, u"DAY"_s,
                                                       u"NIGHT"_s, u"DUSK"_s, u"DAWN"_s}));
        for (K other : {K::action, K::parenthetical, K::dialogue, K::transition})
            QVERIFY(labels(other).isEmpty());
        p.cast.clear();
        QVERIFY(labels(K::character).isEmpty());
    }
};

QTEST_MAIN(ScriptRulesTest)
#include "ScriptRulesTest.moc"
