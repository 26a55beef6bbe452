// The Cast & World operations and rules: roles of new characters, the cards'
// subtitles, names of relationship partners, relationships by id, and how
// the two completion replies land in what the user has now.

#include "model/Lookup.h"
#include "state/edits/CastEdits.h"
#include "state/rules/CastRules.h"

#include <QtTest>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

CastMember named(const QString& name)
{
    CastMember m;
    m.name = name;
    return m;
}

using Fields = QMap<QString, QString>;

} // namespace

class CastEditsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rolesOfNewCharacters()
    {
        const CharacterStarter& mentor = CharacterStarter::catalog().at(0);
        QList<CastMember> castList;

        // The first character is the lead, even from a starter.
        CastMember first = rules::newCharacter(castList, &mentor);
        QCOMPARE(first.role, CastRole::lead);
        QCOMPARE(first.name, mentor.label);
        QCOMPARE(first.want, mentor.want);
        castList << first;

        CastMember second = rules::newCharacter(castList, &mentor);
        QCOMPARE(second.role, CastRole::support);
        QVERIFY(second.id != first.id);
        QVERIFY(second.portraitSeed != first.portraitSeed);
        castList << second;

        // Blank characters are leads however large the cast.
        const CastMember blank = rules::newCharacter(castList, nullptr);
        QCOMPARE(blank.role, CastRole::lead);
        QCOMPARE(blank.name, u"New Character"_s);
        QVERIFY(blank.want.isEmpty() && blank.archetype.isEmpty() && blank.relationships.isEmpty());

        const Location place = rules::newLocation();
        QCOMPARE(place.name, u"New Location"_s);
        QCOMPARE(place.kind, LocationKind::interior);
        QVERIFY(!QUuid::fromString(place.artSeed).isNull());
        QVERIFY(rules::newLocation().id != place.id);

        // The operations add them to a production and name what they added,
        // the first character of its cast taking the lead.
        Project p;
        p.cast.clear();
        p.locations.clear();
        const QUuid lead = edits::addNewCharacter(p, &mentor);
        const QUuid support = edits::addNewCharacter(p, &mentor);
        const QUuid set = edits::addNewLocation(p);
        QCOMPARE(p.cast.size(), 2);
        QCOMPARE(p.cast[0].id, lead);
        QCOMPARE(p.cast[0].role, CastRole::lead);
        QCOMPARE(p.cast[1].id, support);
        QCOMPARE(p.cast[1].role, CastRole::support);
        QCOMPARE(p.locations.size(), 1);
        QCOMPARE(p.locations[0].id, set);
        QCOMPARE(p.locations[0].name, u"New Location"_s);
    }

    void characterSubtitle_data()
    {
        QTest::addColumn<QString>("want");
        QTest::addColumn<QString>("archetype");
        QTest::addColumn<QString>("expected");
        QTest::newRow("want wins") << u"The lamp lit"_s << u"The Keeper"_s << u"The lamp lit"_s;
        QTest::newRow("archetype") << QString() << u"The Keeper"_s << u"The Keeper"_s;
        QTest::newRow("neither") << QString() << QString() << u"Inner life TBD"_s;
        QTest::newRow("one space is a want") << u" "_s << u"The Keeper"_s << u" "_s;
    }

    void characterSubtitle()
    {
        QFETCH(QString, want);
        QFETCH(QString, archetype);
        QFETCH(QString, expected);
        CastMember m;
        m.want = want;
        m.archetype = archetype;
        QCOMPARE(rules::characterSubtitle(m), expected);
    }

    void locationSubtitle()
    {
        Location l;
        const QList<std::pair<LocationKind, QString>> kinds = {
            {LocationKind::interior, u"Interior"_s},
            {LocationKind::exterior, u"Exterior"_s},
            {LocationKind::both, u"Int. & Ext."_s},
        };
        for (const auto& [kind, text] : kinds) {
            l.kind = kind;
            QCOMPARE(rules::locationSubtitle(l), text);
        }
        l.mood = u"Salt-bitten"_s;
        QCOMPARE(rules::locationSubtitle(l), u"Salt-bitten"_s);
    }

    void nameFor()
    {
        QList<CastMember> castList = {named(u"Eda"_s), named(u"Tomas"_s), named(QString())};
        const CastMember eda = castList[0];
        QCOMPARE(rules::nameFor(castList, castList[1].id), u"Tomas"_s);
        QCOMPARE(rules::nameFor(castList, std::nullopt), u"Someone"_s);
        QCOMPARE(rules::nameFor(castList, newId()), u"Someone"_s);
        // The member itself is found too (stored data may point at itself).
        QCOMPARE(rules::nameFor(castList, eda.id), u"Eda"_s);
        QCOMPARE(rules::nameFor(castList, castList[2].id), QString());
        const QUuid tomas = castList[1].id;
        castList.removeAt(1);
        QCOMPARE(rules::nameFor(castList, tomas), u"Someone"_s);

        const QList<CastMember> rest = rules::others(castList, eda.id);
        QCOMPARE(rest.size(), 1);
        QCOMPARE(rest[0].id, castList[1].id);
        QVERIFY(rules::others({eda}, eda.id).isEmpty());
    }

    void relationshipsByID()
    {
        Project p;
        p.cast = {named(u"Eda"_s), named(u"Tomas"_s), named(u"Ruth"_s)};
        const QUuid eda = p.cast[0].id;
        const QUuid tomas = p.cast[1].id;
        const QUuid ruth = p.cast[2].id;
        const QUuid first = edits::addRelationship(p, eda, tomas);
        const QUuid second = edits::addRelationship(p, eda, tomas);
        QVERIFY(first != second);
        QVERIFY(edits::addRelationship(p, newId(), tomas).isNull());
        const QList<CastRelationship>& rows = p.cast[0].relationships;
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[1].otherID, std::optional<QUuid>(tomas));
        QVERIFY(rows[1].label.isEmpty());

        QVERIFY(edits::retargetRelationship(p, eda, second, ruth));
        QCOMPARE(rows[1].otherID, std::optional<QUuid>(ruth));
        QCOMPARE(rows[0].otherID, std::optional<QUuid>(tomas));
        QVERIFY(edits::setRelationshipLabel(p, eda, second, u"Sister"_s));
        QCOMPARE(rows[1].label, u"Sister"_s);
        // Addressed through another member, the relationship is not found.
        QVERIFY(!edits::setRelationshipLabel(p, tomas, second, u"Rival"_s));

        const QUuid third = edits::addRelationship(p, eda, tomas);
        QVERIFY(edits::removeRelationship(p, eda, first));
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].id, second);
        QCOMPARE(rows[1].id, third);
        QVERIFY(!edits::removeRelationship(p, eda, newId()));
        QCOMPARE(rows.size(), 2);
    }

    void charactersAndLocationsByID()
    {
        Project p;
        p.cast.clear();
        p.locations.clear();
        const QUuid eda = edits::addCharacter(p, named(u"Eda"_s));
        const QUuid tower = edits::addLocation(p, rules::newLocation());
        QVERIFY(edits::setCharacterText(p, eda, rules::CharacterText::tells, u"Taps twice"_s));
        QCOMPARE(p.cast[0].tells, u"Taps twice"_s);
        QVERIFY(edits::setCharacterRole(p, eda, CastRole::antagonist));
        QVERIFY(edits::setLocationText(p, tower, rules::LocationText::sound, u"Gulls"_s));
        QCOMPARE(p.locations[0].sound, u"Gulls"_s);
        QVERIFY(edits::setLocationKind(p, tower, LocationKind::exterior));

        // A corrupt file may hold one id twice: removing takes every copy.
        p.cast << p.cast[0];
        QVERIFY(edits::removeCharacter(p, eda));
        QVERIFY(p.cast.isEmpty());
        QVERIFY(edits::removeLocation(p, tower));
        const Project gone = p;
        QVERIFY(!edits::setCharacterText(p, eda, rules::CharacterText::name, u"x"_s));
        QVERIFY(!edits::setLocationArtSeed(p, tower, u"x"_s));
        QVERIFY(!edits::removeCharacter(p, eda));
        QCOMPARE(p, gone);
    }

    void characterMerge_data()
    {
        // The member when asked, the member now (the user may have typed or
        // deleted meanwhile), the reply, and what the member holds after.
        QTest::addColumn<QString>("askedWant");
        QTest::addColumn<QString>("nowWant");
        QTest::addColumn<Fields>("reply");
        QTest::addColumn<QString>("want");

        const Fields wantOnly = {{u"want"_s, u"To be forgiven"_s}};
        QTest::newRow("fills an empty field") << QString() << QString() << wantOnly << u"To be forgiven"_s;
        QTest::newRow("typed during the request") << QString() << u"To leave"_s << wantOnly << u"To leave"_s;
        QTest::newRow("cleared during the request") << u"To leave"_s << QString() << wantOnly << QString();
        QTest::newRow("one space is filled") << u" "_s << u" "_s << wantOnly << u" "_s;
        QTest::newRow("one-space value") << QString() << QString() << Fields{{u"want"_s, u" "_s}} << u" "_s;
        QTest::newRow("untrimmed value") << QString() << QString() << Fields{{u"want"_s, u"  far \n"_s}}
                                         << u"  far \n"_s;
        QTest::newRow("empty value") << QString() << QString() << Fields{{u"want"_s, QString()}} << QString();
        QTest::newRow("other case") << QString() << QString() << Fields{{u"Want"_s, u"x"_s}} << QString();
    }

    void characterMerge()
    {
        QFETCH(QString, askedWant);
        QFETCH(QString, nowWant);
        QFETCH(Fields, reply);
        QFETCH(QString, want);
        CastMember asked = named(u"Eda"_s);
        asked.want = askedWant;
        CastMember now = asked;
        now.want = nowWant;
        Project p;
        p.cast = {now};
        edits::completeCharacter(p, now.id, reply, rules::emptyCharacterFields(asked));
        const CastMember merged = p.cast[0];
        QCOMPARE(merged.want, want);
        CastMember rest = merged;
        rest.want = now.want;
        QCOMPARE(rest, now);
    }

    void characterMergeKeepsWhatIsNotAField()
    {
        CastMember asked = named(QString());
        asked.archetype = u"The Keeper"_s;
        const Fields reply = {
            {u"name"_s, u"Ada"_s},     {u"role"_s, u"antagonist"_s}, {u"portraitSeed"_s, u"x"_s},
            {u"bio"_s, u"Born at sea"_s}, {u"archetype"_s, u"The Liar"_s}, {u"wardrobe"_s, u"Oilskin"_s},
        };
        Project p;
        p.cast = {asked};
        QVERIFY(edits::completeCharacter(p, asked.id, reply, rules::emptyCharacterFields(asked)));
        const CastMember merged = p.cast[0];
        QCOMPARE(merged.name, QString());
        QCOMPARE(merged.role, asked.role);
        QCOMPARE(merged.portraitSeed, asked.portraitSeed);
        QCOMPARE(merged.archetype, u"The Keeper"_s);
        QCOMPARE(merged.bio, u"Born at sea"_s);
        QCOMPARE(merged.wardrobe, u"Oilskin"_s);
    }

    void locationMergeKeepsASetMood()
    {
        Location asked;
        asked.mood = u"Lonely"_s;
        AIDirector::LocationDetails details;
        details.locationID = asked.id;
        details.era = u"1970s"_s;
        details.look = u"Whitewashed tower"_s;
        details.sound = QString(); // an empty value leaves the field empty
        Location now = asked;
        now.mood = u"Lonely"_s;
        now.look = u"Typed meanwhile"_s;
        now.sound = QString();
        Project p;
        p.locations = {now};
        QVERIFY(edits::completeLocation(p, now.id, details));
        QVERIFY(!edits::completeLocation(p, newId(), details));
        const Location merged = p.locations[0];
        QCOMPARE(merged.era, u"1970s"_s);
        QCOMPARE(merged.mood, u"Lonely"_s);
        QCOMPARE(merged.look, u"Typed meanwhile"_s);
        QCOMPARE(merged.sound, QString());
        QCOMPARE(merged.name, now.name);
        QCOMPARE(merged.artSeed, now.artSeed);
    }
};

QTEST_GUILESS_MAIN(CastEditsTest)
#include "CastEditsTest.moc"
