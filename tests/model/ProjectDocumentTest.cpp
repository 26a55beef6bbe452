#include "ModelFixtures.h"

#include "model/Generation.h"
#include "model/Project.h"
#include "model/Text.h"

#include <QJsonArray>
#include <QTest>
#include <cmath>
#include <functional>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

// A refused value as a failure quotes it: isolated inside the quotes.
QString quoted(const QString& value)
{
    return u'\'' + text::isolated(value) + u'\'';
}

// Paths like "episodes.0.scenes.0.shots.1.size": numbers index arrays.
QJsonValue edited(const QJsonValue& node, QStringList path, const std::optional<QJsonValue>& replacement)
{
    const QString head = path.takeFirst();
    bool isIndex = false;
    const int index = head.toInt(&isIndex);
    if (isIndex) {
        QJsonArray array = node.toArray();
        array[index] = path.isEmpty() ? *replacement : edited(array.at(index), path, replacement);
        return array;
    }
    QJsonObject object = node.toObject();
    if (path.isEmpty()) {
        if (replacement)
            object.insert(head, *replacement);
        else
            object.remove(head);
    } else {
        object.insert(head, edited(object.value(head), path, replacement));
    }
    return object;
}

QJsonValue valueAt(QJsonValue node, const QString& path)
{
    for (const QString& part : path.split(u'.')) {
        bool isIndex = false;
        const int index = part.toInt(&isIndex);
        node = isIndex ? node.toArray().at(index) : node.toObject().value(part);
    }
    return node;
}

// A JSON fragment ("null", "\"huge\"", "{}"); an empty text means "remove the key".
std::optional<QJsonValue> fragment(const QByteArray& text)
{
    if (text.isEmpty())
        return std::nullopt;
    const QJsonDocument doc = QJsonDocument::fromJson("[" + text + "]");
    Q_ASSERT(doc.isArray());
    return doc.array().at(0);
}

QByteArray documentWith(const QString& path, const QByteArray& value)
{
    const QJsonValue root = json::toObject(fixtures::richProject());
    const QJsonValue changed = edited(root, path.split(u'.'), fragment(value));
    return QJsonDocument(changed.toObject()).toJson();
}

bool isCanonicalUuidText(const QJsonValue& v)
{
    const QString s = v.toString();
    return s.size() == 36 && s == s.toUpper() && parseUuid(s).has_value();
}

// Empty when the sample differs from a new record in every field and comes
// back equal from its JSON; else what went wrong. A decoder that leaves a
// field out gets that field's new-record value, which only a sample differing
// everywhere can show.
template <class T>
QString everyFieldRead(const T& sample)
{
    const QJsonObject written = json::toObject(sample);
    const QJsonObject fresh = json::toObject(T{});
    for (auto it = fresh.begin(); it != fresh.end(); ++it) {
        if (written.value(it.key()) == it.value())
            return u"the sample keeps the new-record value of "_s + it.key();
    }
    const T back = json::decode<T>(json::encodeCompact(sample));
    if (back == sample)
        return QString();
    const QJsonObject reread = json::toObject(back);
    for (auto it = written.begin(); it != written.end(); ++it) {
        if (reread.value(it.key()) != it.value()) {
            const QJsonDocument value(QJsonArray{reread.value(it.key())});
            return it.key() + u" read back as "_s + QString::fromUtf8(value.toJson(QJsonDocument::Compact));
        }
    }
    return u"read back different"_s;
}

using FieldCheck = std::function<QString()>;

template <class T>
FieldCheck checkOf(T sample)
{
    return [sample] { return everyFieldRead(sample); };
}

const char* const rootKeys[] = {"id", "name", "format", "createdAt", "modifiedAt", "idea", "cast",
                                "locations", "look", "episodes", "completedPhases", "activePhase", "posterSeed"};

} // namespace

Q_DECLARE_METATYPE(FieldCheck)

class ProjectDocumentTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roundTripKeepsEveryField()
    {
        const Project p = fixtures::richProject();
        const QByteArray bytes = json::encodePretty(p);
        QVERIFY(!bytes.contains("null"));
        QCOMPARE(json::decode<Project>(bytes), p);
        // Writing is stable: a second pass gives the same bytes.
        QCOMPARE(json::encodePretty(json::decode<Project>(bytes)), bytes);
        const QJsonObject root = json::toObject(p);
        QCOMPARE(root.size(), 13);
        QCOMPARE(root.value("completedPhases"_L1).toArray(), QJsonArray({u"spark"_s, u"cut"_s}));
        QCOMPARE(root.value("id"_L1).toString(), uuidString(p.id));
        QVERIFY(isCanonicalUuidText(root.value("id"_L1)));
    }

    void everyRecordReadsEveryField_data()
    {
        QTest::addColumn<FieldCheck>("check");
        QTest::newRow("ToneProfile") << checkOf(ToneProfile{0.1, 0.2, 0.8, 0.9});
        QTest::newRow("IdeaCard") << checkOf(IdeaCard{.kind = IdeaCardKind::line, .text = u"Who's there?"_s});
        QTest::newRow("ProjectIdea") << checkOf(ProjectIdea{
            .logline = u"A keeper hears the sea."_s, .premise = u"Premise"_s, .argument = u"Argument"_s,
            .genres = {Genre::drama}, .tone = ToneProfile{0.1, 0.2, 0.8, 0.9}, .themes = {u"memory"_s},
            .rating = Rating::pg13, .targetRuntimeMinutes = 22, .cards = {IdeaCard{}}, .pressKit = u"Press"_s});
        QTest::newRow("Episode") << checkOf(Episode{
            .number = 3, .title = u"Episode 3"_s, .synopsis = u"Fog."_s,
            .structure = StoryStructure{StructureKind::fiveAct, {Act{}}}, .script = ScriptDocument{{ScriptElement{}}},
            .scenes = {SceneCard{}}, .timeline = {TimelineClip{}}, .musicCues = {MusicCue{}}});
        QTest::newRow("Project") << checkOf(Project{
            .name = u"Salt"_s, .format = ProjectFormat::series, .createdAt = Date(1.5), .modifiedAt = Date(2.5),
            .idea = ProjectIdea{.logline = u"A keeper."_s}, .cast = {CastMember{}}, .locations = {Location{}},
            .look = LookSpec{.notes = u"Grey"_s}, .episodes = {Episode{}, Episode{.number = 2}},
            .completedPhases = {PhaseID::spark}, .activePhase = PhaseID::cut});
        QTest::newRow("Take") << checkOf(Take{.createdAt = Date(3.25), .note = u"Take 1"_s});
        QTest::newRow("Shot") << checkOf(Shot{
            .size = ShotSize::closeUp, .move = CameraMove::pan, .seconds = 2.5, .what = u"Eda climbs"_s,
            .dialogue = u"Who?"_s, .takes = {Take{}}, .approvedTakeID = newId(), .recipeID = u"awePushIn"_s});
        QTest::newRow("SceneCard") << checkOf(SceneCard{
            .setting = SceneSetting::exterior, .locationID = newId(), .locationText = u"Harbour"_s,
            .timeOfDay = TimeOfDay::night, .synopsis = u"Waves."_s, .castIDs = {newId()}, .shots = {Shot{}}});
        QTest::newRow("CastRelationship") << checkOf(CastRelationship{.otherID = newId(), .label = u"rival"_s});
        QTest::newRow("CastMember") << checkOf(CastMember{
            .name = u"Eda"_s, .role = CastRole::antagonist, .archetype = u"Keeper"_s, .age = u"60"_s,
            .bio = u"Bio"_s, .want = u"Want"_s, .need = u"Need"_s, .flaw = u"Flaw"_s, .lie = u"Lie"_s,
            .contradiction = u"Contradiction"_s, .voice = u"Voice"_s, .tells = u"Tells"_s, .look = u"Coat"_s,
            .wardrobe = u"Oilskin"_s, .relationships = {CastRelationship{}}, .refSeeds = {newSeed()}});
        QTest::newRow("Location") << checkOf(Location{
            .name = u"Lighthouse"_s, .kind = LocationKind::both, .era = u"1950s"_s, .mood = u"Lonely"_s,
            .look = u"White tower"_s, .sound = u"Surf"_s});
        QTest::newRow("LookSpec") << checkOf(LookSpec{
            .styleID = u"noirMono"_s, .directorLensID = u"lens"_s, .aspect = AspectRatio::hd169,
            .frameRate = FrameRate::f25, .lensFeel = {u"Vintage glass"_s}, .lightingMood = {u"Candlelit"_s},
            .moodWords = {u"salt"_s}, .accentHex = u"9FB4C4"_s, .notes = u"Grey"_s, .grain = 0.1,
            .temperature = 0.9, .contrast = 0.8});
        QTest::newRow("ScriptElement") << checkOf(ScriptElement{.kind = ScriptElementKind::dialogue, .text = u"Hi"_s});
        QTest::newRow("ScriptDocument") << checkOf(ScriptDocument{{ScriptElement{}}});
        QTest::newRow("Beat") << checkOf(Beat{.title = u"Cold Open"_s, .summary = u"Dark."_s, .hint = u"Hook"_s, .charge = -1.0});
        QTest::newRow("Act") << checkOf(Act{.title = u"Teaser"_s, .beats = {Beat{}}});
        QTest::newRow("StoryStructure") << checkOf(StoryStructure{StructureKind::fiveAct, {Act{}}});
        QTest::newRow("TimelineClip") << checkOf(TimelineClip{
            .shotID = newId(), .label = u"EWS 1"_s, .seconds = 4.5, .hasDialogue = true});
        QTest::newRow("MusicCue") << checkOf(MusicCue{.name = u"Tide"_s, .mood = u"low drone"_s});
        QTest::newRow("GenerationProfile") << checkOf(GenerationProfile{
            .maxClipSeconds = 5.0, .chainsLastFrame = false, .usesCharacterRefs = false, .maxRefImages = 2,
            .resolution = u"4K"_s, .variantsPerShot = 3});
    }
    void everyRecordReadsEveryField()
    {
        QFETCH(FieldCheck, check);
        const QString problem = check();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    void rejectsBrokenDocuments_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("error");
        for (const char* key : rootKeys)
            QTest::addRow("root without %s", key) << QString::fromLatin1(key) << QByteArray() << QString::fromLatin1(key) + u": missing key"_s;
        QTest::newRow("null root key") << u"posterSeed"_s << QByteArray("null") << u"posterSeed: null where a value is required"_s;
        QTest::newRow("tone with one dial") << u"idea.tone"_s << QByteArray(R"({"brightness":0.2})") << u"idea.tone.realism: missing key"_s;
        QTest::newRow("genre of other case") << u"idea.genres"_s << QByteArray(R"(["drama","scifi"])") << u"idea.genres[1]: unknown value "_s + quoted(u"scifi"_s);
        QTest::newRow("rating label") << u"idea.rating"_s << QByteArray(R"("PG-13")") << u"idea.rating: unknown value "_s + quoted(u"PG-13"_s);
        QTest::newRow("fractional runtime") << u"idea.targetRuntimeMinutes"_s << QByteArray("10.5") << u"idea.targetRuntimeMinutes: expected an integer, found 10.5"_s;
        QTest::newRow("runtime as text") << u"idea.targetRuntimeMinutes"_s << QByteArray(R"("10")") << u"idea.targetRuntimeMinutes: expected an integer, found a string"_s;
        QTest::newRow("card without text") << u"idea.cards.0.text"_s << QByteArray() << u"idea.cards[0].text: missing key"_s;
        QTest::newRow("episode number bool") << u"episodes.0.number"_s << QByteArray("true") << u"episodes[0].number: expected an integer, found a boolean"_s;
        QTest::newRow("kind of other case") << u"episodes.0.structure.kind"_s << QByteArray(R"("FiveAct")") << u"episodes[0].structure.kind: unknown value "_s + quoted(u"FiveAct"_s);
        QTest::newRow("structure without acts") << u"episodes.0.structure.acts"_s << QByteArray() << u"episodes[0].structure.acts: missing key"_s;
        QTest::newRow("act without beats") << u"episodes.0.structure.acts.0.beats"_s << QByteArray() << u"episodes[0].structure.acts[0].beats: missing key"_s;
        QTest::newRow("charge as text") << u"episodes.0.structure.acts.0.beats.0.charge"_s << QByteArray(R"("1")") << u"episodes[0].structure.acts[0].beats[0].charge: expected a number, found a string"_s;
        QTest::newRow("element kind") << u"episodes.0.script.elements.0.kind"_s << QByteArray(R"("scene")") << u"episodes[0].script.elements[0].kind: unknown value "_s + quoted(u"scene"_s);
        QTest::newRow("script without elements") << u"episodes.0.script.elements"_s << QByteArray() << u"episodes[0].script.elements: missing key"_s;
        QTest::newRow("scene without synopsis") << u"episodes.0.scenes.0.synopsis"_s << QByteArray() << u"episodes[0].scenes[0].synopsis: missing key"_s;
        QTest::newRow("cast id malformed") << u"episodes.0.scenes.0.castIDs.0"_s << QByteArray(R"("123")") << u"episodes[0].scenes[0].castIDs[0]: malformed UUID "_s + quoted(u"123"_s);
        QTest::newRow("size in lower case") << u"episodes.0.scenes.0.shots.0.size"_s << QByteArray(R"("extremewide")") << u"episodes[0].scenes[0].shots[0].size: unknown value "_s + quoted(u"extremewide"_s);
        QTest::newRow("approved id malformed") << u"episodes.0.scenes.0.shots.0.approvedTakeID"_s << QByteArray(R"("take-1")") << u"episodes[0].scenes[0].shots[0].approvedTakeID: malformed UUID "_s + quoted(u"take-1"_s);
        QTest::newRow("take without seed") << u"episodes.0.scenes.0.shots.0.takes.0.seed"_s << QByteArray() << u"episodes[0].scenes[0].shots[0].takes[0].seed: missing key"_s;
        QTest::newRow("take date as text") << u"episodes.0.scenes.0.shots.0.takes.0.createdAt"_s << QByteArray(R"("2026-01-01")") << u"episodes[0].scenes[0].shots[0].takes[0].createdAt: expected a number, found a string"_s;
        QTest::newRow("clip without seconds") << u"episodes.0.timeline.0.seconds"_s << QByteArray() << u"episodes[0].timeline[0].seconds: missing key"_s;
        QTest::newRow("dialogue flag as number") << u"episodes.0.timeline.0.hasDialogue"_s << QByteArray("1") << u"episodes[0].timeline[0].hasDialogue: expected a boolean, found a number"_s;
        QTest::newRow("cue without mood") << u"episodes.0.musicCues.0.mood"_s << QByteArray() << u"episodes[0].musicCues[0].mood: missing key"_s;
        QTest::newRow("role label") << u"cast.0.role"_s << QByteArray(R"("Supporting")") << u"cast[0].role: unknown value "_s + quoted(u"Supporting"_s);
        QTest::newRow("relationship without label") << u"cast.0.relationships.0.label"_s << QByteArray() << u"cast[0].relationships[0].label: missing key"_s;
        QTest::newRow("ref seeds not a list") << u"cast.0.refSeeds"_s << QByteArray(R"("a")") << u"cast[0].refSeeds: expected an array, found a string"_s;
        QTest::newRow("location kind label") << u"locations.0.kind"_s << QByteArray(R"("Interior")") << u"locations[0].kind: unknown value "_s + quoted(u"Interior"_s);
        QTest::newRow("aspect unknown") << u"look.aspect"_s << QByteArray(R"("wide")") << u"look.aspect: unknown value "_s + quoted(u"wide"_s);
        QTest::newRow("style id a number") << u"look.styleID"_s << QByteArray("3") << u"look.styleID: expected a string, found a number"_s;
        QTest::newRow("phase set member") << u"completedPhases"_s << QByteArray(R"(["spark",3])") << u"completedPhases[1]: expected a string, found a number"_s;
        QTest::newRow("id without hyphens") << u"id"_s << QByteArray(R"("E621E1F8C36C495A93FC0C247A3E6E5F")") << u"id: malformed UUID "_s + quoted(u"E621E1F8C36C495A93FC0C247A3E6E5F"_s);
    }
    void rejectsBrokenDocuments()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, value);
        QFETCH(QString, error);
        try {
            json::decode<Project>(documentWith(path, value));
            QFAIL("a broken document loaded");
        } catch (const DecodingError& e) {
            QCOMPARE(e.message(), error);
        }
    }

    // Missing, null and extra keys that still load; the re-encoded document
    // shows what the reader made of them ("<absent>": the key is not written,
    // "<fresh id>": a new canonical UUID text).
    void readsLenientAndOptionalKeys_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("checkPath");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("empty idea rating") << u"idea"_s << QByteArray("{}") << u"idea.rating"_s << QByteArray(R"("unrated")");
        QTest::newRow("empty idea runtime") << u"idea"_s << QByteArray("{}") << u"idea.targetRuntimeMinutes"_s << QByteArray("10");
        QTest::newRow("empty idea tone") << u"idea"_s << QByteArray("{}") << u"idea.tone"_s << QByteArray(R"({"brightness":0.5,"realism":0.5,"energy":0.5,"humor":0.5})");
        QTest::newRow("empty idea cards") << u"idea"_s << QByteArray("{}") << u"idea.cards"_s << QByteArray("[]");
        QTest::newRow("null rating") << u"idea.rating"_s << QByteArray("null") << u"idea.rating"_s << QByteArray(R"("unrated")");
        QTest::newRow("null runtime") << u"idea.targetRuntimeMinutes"_s << QByteArray("null") << u"idea.targetRuntimeMinutes"_s << QByteArray("10");
        QTest::newRow("duplicate phases") << u"completedPhases"_s << QByteArray(R"(["cut","spark","cut"])") << u"completedPhases"_s << QByteArray(R"(["spark","cut"])");
        QTest::newRow("empty shot size") << u"episodes.0.scenes.0.shots.1"_s << QByteArray("{}") << u"episodes.0.scenes.0.shots.1.size"_s << QByteArray(R"("medium")");
        QTest::newRow("empty shot seconds") << u"episodes.0.scenes.0.shots.1"_s << QByteArray("{}") << u"episodes.0.scenes.0.shots.1.seconds"_s << QByteArray("5");
        QTest::newRow("empty shot id") << u"episodes.0.scenes.0.shots.1"_s << QByteArray("{}") << u"episodes.0.scenes.0.shots.1.id"_s << QByteArray("<fresh id>");
        QTest::newRow("empty shot seed") << u"episodes.0.scenes.0.shots.1"_s << QByteArray("{}") << u"episodes.0.scenes.0.shots.1.frameSeed"_s << QByteArray("<fresh id>");
        QTest::newRow("empty shot approval") << u"episodes.0.scenes.0.shots.1"_s << QByteArray("{}") << u"episodes.0.scenes.0.shots.1.approvedTakeID"_s << QByteArray("<absent>");
        QTest::newRow("null shot seconds") << u"episodes.0.scenes.0.shots.0.seconds"_s << QByteArray("null") << u"episodes.0.scenes.0.shots.0.seconds"_s << QByteArray("5");
        QTest::newRow("null recipe") << u"episodes.0.scenes.0.shots.0.recipeID"_s << QByteArray("null") << u"episodes.0.scenes.0.shots.0.recipeID"_s << QByteArray("<absent>");
        QTest::newRow("recipe no longer in catalog") << u"episodes.0.scenes.0.shots.0.recipeID"_s << QByteArray(R"("retired")") << u"episodes.0.scenes.0.shots.0.recipeID"_s << QByteArray(R"("retired")");
        QTest::newRow("empty beat title") << u"episodes.0.structure.acts.0.beats.0"_s << QByteArray("{}") << u"episodes.0.structure.acts.0.beats.0.title"_s << QByteArray(R"("New Beat")");
        QTest::newRow("null charge") << u"episodes.0.structure.acts.0.beats.0.charge"_s << QByteArray("null") << u"episodes.0.structure.acts.0.beats.0.charge"_s << QByteArray("0");
        QTest::newRow("act with no beats") << u"episodes.0.structure.acts.0.beats"_s << QByteArray("[]") << u"episodes.0.structure.acts.0.beats"_s << QByteArray("[]");
        QTest::newRow("structure with no acts") << u"episodes.0.structure"_s << QByteArray(R"({"kind":"threeAct","acts":[]})") << u"episodes.0.structure.kind"_s << QByteArray(R"("threeAct")");
        QTest::newRow("scene without location") << u"episodes.0.scenes.0.locationID"_s << QByteArray() << u"episodes.0.scenes.0.locationID"_s << QByteArray("<absent>");
        QTest::newRow("scene null location") << u"episodes.0.scenes.0.locationID"_s << QByteArray("null") << u"episodes.0.scenes.0.locationID"_s << QByteArray("<absent>");
        QTest::newRow("empty character name") << u"cast.1"_s << QByteArray("{}") << u"cast.1.name"_s << QByteArray(R"("New Character")");
        QTest::newRow("empty character role") << u"cast.1"_s << QByteArray("{}") << u"cast.1.role"_s << QByteArray(R"("lead")");
        QTest::newRow("empty character seed") << u"cast.1"_s << QByteArray("{}") << u"cast.1.portraitSeed"_s << QByteArray("<fresh id>");
        QTest::newRow("empty character lists") << u"cast.1"_s << QByteArray("{}") << u"cast.1.refSeeds"_s << QByteArray("[]");
        QTest::newRow("relationship without other") << u"cast.0.relationships.0.otherID"_s << QByteArray() << u"cast.0.relationships.0.otherID"_s << QByteArray("<absent>");
        QTest::newRow("location null name") << u"locations.0"_s << QByteArray(R"({"name":null})") << u"locations.0.name"_s << QByteArray(R"("New Location")");
        QTest::newRow("location null name kind") << u"locations.0"_s << QByteArray(R"({"name":null})") << u"locations.0.kind"_s << QByteArray(R"("interior")");
        QTest::newRow("empty look aspect") << u"look"_s << QByteArray("{}") << u"look.aspect"_s << QByteArray(R"("scope239")");
        QTest::newRow("empty look accent") << u"look"_s << QByteArray("{}") << u"look.accentHex"_s << QByteArray(R"("D8C49A")");
        QTest::newRow("empty look style") << u"look"_s << QByteArray("{}") << u"look.styleID"_s << QByteArray("<absent>");
        QTest::newRow("empty look grain") << u"look"_s << QByteArray("{}") << u"look.grain"_s << QByteArray("0.5");
        QTest::newRow("null aspect") << u"look.aspect"_s << QByteArray("null") << u"look.aspect"_s << QByteArray(R"("scope239")");
        QTest::newRow("clip without shot") << u"episodes.0.timeline.0.shotID"_s << QByteArray() << u"episodes.0.timeline.0.shotID"_s << QByteArray("<absent>");
        QTest::newRow("lower-case id") << u"id"_s << QByteArray(R"("e621e1f8-c36c-495a-93fc-0c247a3e6e5f")") << u"id"_s << QByteArray(R"("E621E1F8-C36C-495A-93FC-0C247A3E6E5F")");
        QTest::newRow("date zero") << u"createdAt"_s << QByteArray("0") << u"createdAt"_s << QByteArray("0");
        QTest::newRow("unknown root key") << u"extra"_s << QByteArray(R"({"x":[1,2]})") << u"extra"_s << QByteArray("<absent>");
        QTest::newRow("unknown shot key") << u"episodes.0.scenes.0.shots.0.lens"_s << QByteArray(R"("50mm")") << u"episodes.0.scenes.0.shots.0.lens"_s << QByteArray("<absent>");
        QTest::newRow("unknown strict key") << u"episodes.0.musicCues.0.tempo"_s << QByteArray("120") << u"episodes.0.musicCues.0.name"_s << QByteArray(R"("Tide")");
    }
    void readsLenientAndOptionalKeys()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, value);
        QFETCH(QString, checkPath);
        QFETCH(QByteArray, expected);
        const Project p = json::decode<Project>(documentWith(path, value));
        const QJsonValue written = valueAt(json::toObject(p), checkPath);
        if (expected == "<absent>")
            QVERIFY(written.isUndefined());
        else if (expected == "<fresh id>")
            QVERIFY2(isCanonicalUuidText(written), qPrintable(written.toString()));
        else
            QCOMPARE(written, *fragment(expected));
    }

    void freshDefaultsDifferEachRead()
    {
        const QByteArray empty = "{}";
        const CastMember a = json::decode<CastMember>(empty);
        const CastMember b = json::decode<CastMember>(empty);
        QVERIFY(a.id != b.id);
        QVERIFY(a.portraitSeed != b.portraitSeed);
        QCOMPARE(a.name, u"New Character"_s);
        QVERIFY(a.relationships.isEmpty() && a.refSeeds.isEmpty() && a.archetype.isEmpty() && a.wardrobe.isEmpty());
        const Shot s = json::decode<Shot>(empty);
        QCOMPARE(s.frameSeed.size(), 36);
        QVERIFY(!s.approvedTakeID && !s.recipeID && s.takes.isEmpty());
    }

    void datesAreExact()
    {
        Project p = fixtures::richProject();
        p.createdAt = Date(0);
        p.modifiedAt = Date(789456123.000000119);
        const Project back = json::decode<Project>(json::encodePretty(p));
        QCOMPARE(back.createdAt.toIso8601(), u"2001-01-01T00:00:00Z"_s);
        QCOMPARE(back.modifiedAt.secondsSinceReference(), p.modifiedAt.secondsSinceReference());
    }

    void refusesNonFiniteNumbers_data()
    {
        QTest::addColumn<int>("where");
        QTest::newRow("shot seconds") << 0;
        QTest::newRow("tone dial") << 1;
        QTest::newRow("look dial") << 2;
        QTest::newRow("beat charge") << 3;
    }
    void refusesNonFiniteNumbers()
    {
        QFETCH(int, where);
        Project p = fixtures::richProject();
        switch (where) {
        case 0: p.episodes[0].scenes[0].shots[0].seconds = std::nan(""); break;
        case 1: p.idea.tone.humor = INFINITY; break;
        case 2: p.look.contrast = -INFINITY; break;
        case 3: p.episodes[0].structure.acts[0].beats[0].charge = std::nan(""); break;
        }
        QVERIFY_THROWS_EXCEPTION(EncodingError, json::encodePretty(p));
    }

    void equalityIsDeep()
    {
        const Project a = fixtures::richProject();
        Project b = a;
        QCOMPARE(a, b);
        b.episodes[0].structure.acts[0].beats[0].summary = u"The lamp goes out."_s;
        QVERIFY(a != b);
        b = a;
        b.completedPhases.insert(PhaseID::premiere);
        QVERIFY(a != b);
    }

    void newProductionDefaults()
    {
        const Project p = Project::make();
        const Project q = Project::make();
        QCOMPARE(p.name, u"Untitled"_s);
        QCOMPARE(p.createdAt, p.modifiedAt);
        QCOMPARE(p.episodes.size(), 1);
        const Episode& e = p.episodes.first();
        QCOMPARE(e.number, 1);
        QCOMPARE(e.structure, StoryStructure{});
        QVERIFY(e.structure.acts.isEmpty() && e.script.elements.isEmpty() && e.scenes.isEmpty());
        QVERIFY(p.posterSeed != uuidString(p.id));
        QVERIFY(p.id != q.id && p.posterSeed != q.posterSeed && e.id != q.episodes.first().id);
        QCOMPARE(p.look.aspect, AspectRatio::scope239);
        QCOMPARE(p.activePhase, PhaseID::spark);
        QVERIFY(p.completedPhases.isEmpty());
    }
};

QTEST_GUILESS_MAIN(ProjectDocumentTest)
#include "ProjectDocumentTest.moc"
