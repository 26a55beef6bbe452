#include "AIDirectorFixtures.h"

#include <QCoro/QCoroTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QSet>
#include <QTest>
#include <chrono>
#include <cmath>

using namespace studio;
using namespace fixtures;
using namespace std::chrono_literals;

namespace {

// The production every randomized run works on: beats with empty and written
// summaries, a half-filled character and location, a scene with a shot.
struct Subject {
    Project project = sampleSeries();
    const Episode& episode() const { return project.episodes.first(); }
    const SceneCard& scene() const { return episode().scenes.first(); }
    const CastMember& member() const { return project.cast.at(1); }
    const Location& location() const { return project.locations.first(); }
};

// One action run on a reply: true when the outcome is acceptable (a value
// within the action's limits, or an AIError::parsing); `why` says otherwise.
using Check = std::function<bool(const AIDirector&, const Subject&, QString* why)>;

// How many runs ended in a value rather than an error.
int valuesMapped = 0;

template <class T, class Limits>
bool acceptable(QCoro::Task<T> task, Limits limits, QString* why)
{
    auto outcome = studio::test::awaitTask(std::move(task));
    if (outcome.error) {
        try {
            std::rethrow_exception(outcome.error);
        } catch (const AIError& e) {
            if (e.kind() == AIError::Kind::parsing)
                return true;
            *why = QStringLiteral("unexpected AIError: ") + e.description();
        } catch (const std::exception& e) {
            *why = QStringLiteral("non-AIError escaped: ") + QString::fromUtf8(e.what());
        } catch (...) {
            *why = QStringLiteral("unknown exception escaped");
        }
        return false;
    }
    if (!outcome.value) {
        *why = QStringLiteral("no value and no error");
        return false;
    }
    ++valuesMapped;
    const QString broken = limits(*outcome.value);
    if (!broken.isEmpty())
        *why = broken;
    return broken.isEmpty();
}

QString capped(qsizetype size, qsizetype cap, const char* what)
{
    return size > cap ? QStringLiteral("%1: %2 over the cap of %3").arg(QLatin1StringView(what)).arg(size).arg(cap) : QString();
}

template <class List>
QString freshIds(const List& list)
{
    QSet<QUuid> ids;
    for (const auto& item : list)
        ids.insert(item.id);
    return ids.size() == list.size() ? QString() : QStringLiteral("ids repeat");
}

struct ActionCase {
    const char* name;
    const char* sampleReply; // a well-formed reply, the starting point of mutations
    Check run;
};

QList<ActionCase> actionCases()
{
    return {
        {"sharpenLogline", R"({"options":["a","b","c","d"]})",
         [](const AIDirector& d, const Subject& s, QString* why) {
             return acceptable(d.sharpenLogline(s.project), [](const QStringList& l) { return capped(l.size(), 3, "options"); }, why);
         }},
        {"draftPremise", R"({"premise":"p"})",
         [](const AIDirector& d, const Subject& s, QString* why) {
             return acceptable(d.draftPremise(s.project), [](const QString&) { return QString(); }, why);
         }},
        {"themesAndArgument", R"({"themes":["a","b"],"argument":"x"})",
         [](const AIDirector& d, const Subject& s, QString* why) {
             return acceptable(d.themesAndArgument(s.project), [](const AIDirector::ThemesAndArgument&) { return QString(); }, why);
         }},
        {"brainstormFragments", R"({"fragments":[{"kind":"image","text":"t"},{"kind":"line","text":"u"},{"text":"v"}]})",
         [](const AIDirector& d, const Subject& s, QString* why) {
             return acceptable(d.brainstormFragments(s.project), [](const QList<IdeaCard>& cards) {
                 const QString cap = capped(cards.size(), 5, "cards");
                 return cap.isEmpty() ? freshIds(cards) : cap;
             }, why);
         }},
        {"fillBeats", R"({"beats":[{"index":0,"summary":"s"},{"index":1,"summary":"t"},{"index":7,"summary":"u"}]})",
         [](const AIDirector& d, const Subject& s, QString* why) {
             const Episode& e = s.episode();
             return acceptable(d.fillBeats(s.project, e), [&e](const AIDirector::BeatFills& result) {
                 if (result.episodeID != e.id)
                     return QStringLiteral("wrong episode");
                 for (const AIDirector::BeatFill& fill : result.fills) {
                     bool empty = false;
                     for (const Act& a : e.structure.acts) {
                         for (const Beat& b : a.beats)
                             empty |= a.id == fill.actID && b.id == fill.beatID && b.summary.trimmed().isEmpty();
                     }
                     if (!empty)
                         return QStringLiteral("a fill names no empty beat");
                 }
                 return QString();
             }, why);
         }},
        {"inventCharacter", R"({"name":"n","role":"cameo","archetype":"a","age":"1","bio":"b","want":"w","need":"n","flaw":"f","lie":"l","contradiction":"c","voice":"v","tells":"t","look":"k","wardrobe":"r"})",
         [](const AIDirector& d, const Subject& s, QString* why) {
             return acceptable(d.inventCharacter(s.project), [&s](const CastMember& m) {
                 for (const CastMember& existing : s.project.cast) {
                     if (existing.id == m.id)
                         return QStringLiteral("reused an id");
                 }
                 return QString();
             }, why);
         }},
        {"fleshOutCharacter", R"({"fields":{"want":"w","age":"a","mood":"m"}})",
         [](const AIDirector& d, const Subject& s, QString* why) {
             const QUuid id = s.member().id;
             return acceptable(d.fleshOutCharacter(s.project, s.member()), [id](const AIDirector::CharacterFields& f) {
                 return f.memberID == id ? QString() : QStringLiteral("wrong member");
             }, why);
         }},
        {"locationDetails", R"({"era":"e","mood":"m","look":"l","sound":"s"})",
         [](const AIDirector& d, const Subject& s, QString* why) {
             const Location l = s.location();
             return acceptable(d.locationDetails(s.project, l), [l](const AIDirector::LocationDetails& r) {
                 if (r.locationID != l.id)
                     return QStringLiteral("wrong location");
                 if ((r.mood && !l.mood.isEmpty()) || (r.era && !l.era.isEmpty()))
                     return QStringLiteral("offered a filled field");
                 return QString();
             }, why);
         }},
        {"draftScript", R"({"elements":[{"kind":"sceneHeading","text":"INT. X"},{"kind":"action","text":"t"},{"text":"u"}]})",
         [](const AIDirector& d, const Subject& s, QString* why) {
             return acceptable(d.draftScript(s.project, s.episode()), [](const AIDirector::ScriptElements& r) {
                 const QString cap = capped(r.elements.size(), 48, "elements");
                 return cap.isEmpty() ? freshIds(r.elements) : cap;
             }, why);
         }},
        {"continueScript", R"({"elements":[{"kind":"dialogue","text":"t"}]})",
         [](const AIDirector& d, const Subject& s, QString* why) {
             return acceptable(d.continueScript(s.project, s.episode()), [](const AIDirector::ScriptElements& r) {
                 return capped(r.elements.size(), 48, "elements");
             }, why);
         }},
        {"recommendLook", R"({"styleID":"noirMono","lensID":"sodiumSilhouette","aspectID":"scope239","lighting":["Golden hour"],"moodWords":["salt"],"notes":"n","why":"w"})",
         [](const AIDirector& d, const Subject& s, QString* why) {
             return acceptable(d.recommendLook(s.project), [](const AIDirector::LookRecommendation&) { return QString(); }, why);
         }},
        {"shotList", R"({"shots":[{"size":"wide","move":"locked","seconds":6,"what":"w","dialogue":""},{"size":"closeUp","seconds":0.5,"what":"x"}]})",
         [](const AIDirector& d, const Subject& s, QString* why) {
             return acceptable(d.shotList(s.project, s.episode(), s.scene()), [](const AIDirector::SceneShots& r) {
                 for (const Shot& shot : r.shots) {
                     if (!(shot.seconds >= 1.0 && shot.seconds <= 20.0))
                         return QStringLiteral("seconds out of range: %1").arg(shot.seconds);
                 }
                 const QString cap = capped(r.shots.size(), 8, "shots");
                 return cap.isEmpty() ? freshIds(r.shots) : cap;
             }, why);
         }},
        {"describeShot", R"({"what":"w"})",
         [](const AIDirector& d, const Subject& s, QString* why) {
             const Shot shot;
             return acceptable(d.describeShot(s.project, s.scene(), shot), [](const AIDirector::ShotDescription&) { return QString(); }, why);
         }},
        {"musicCues", R"({"cues":[{"name":"n","mood":"m"},{"name":"o"}]})",
         [](const AIDirector& d, const Subject& s, QString* why) {
             return acceptable(d.musicCues(s.project, s.episode()), [](const AIDirector::EpisodeCues& r) {
                 const QString cap = capped(r.cues.size(), 4, "cues");
                 return cap.isEmpty() ? freshIds(r.cues) : cap;
             }, why);
         }},
        {"pressKit", R"({"synopsis":"s","taglines":["a","b"]})",
         [](const AIDirector& d, const Subject& s, QString* why) {
             return acceptable(d.pressKit(s.project), [](const QString& kit) {
                 return kit.startsWith(QStringLiteral("SYNOPSIS\n")) ? QString() : QStringLiteral("no SYNOPSIS head");
             }, why);
         }},
    };
}

// Makes replies: random text, mutated and truncated well-formed replies,
// wrapped in prose or fences, and a few huge ones.
class ReplyFactory {
public:
    explicit ReplyFactory(quint32 seed) : m_random(seed) {}

    QString randomText(int maxLength)
    {
        static const QString alphabet = QStringLiteral("{}[]\":,0123456789.-eE tnrufalse\\`json\n\t\u00e9\u2014\U0001F3AC");
        const int length = m_random.bounded(maxLength + 1);
        QString out;
        for (int i = 0; i < length; ++i) {
            if (m_random.bounded(10) == 0)
                out += QChar(char16_t(m_random.bounded(0x20, 0xD7FF)));
            else
                out += alphabet.at(m_random.bounded(int(alphabet.size())));
        }
        return out;
    }

    QJsonValue randomValue(int depth)
    {
        switch (m_random.bounded(depth > 0 ? 9 : 7)) {
        case 0: return QJsonValue::Null;
        case 1: return m_random.bounded(2) == 1;
        case 2: return qint64(m_random.generate64()) >> m_random.bounded(64);
        case 3: return (m_random.generateDouble() - 0.5) * std::pow(10.0, m_random.bounded(-5, 300));
        case 4: return m_random.bounded(3) == 0 ? QString() : randomText(12);
        case 5: return QStringLiteral("wide");
        case 6: return -1;
        case 7: {
            QJsonArray array;
            for (int i = m_random.bounded(6); i > 0; --i)
                array.append(randomValue(depth - 1));
            return array;
        }
        default: {
            QJsonObject object;
            for (int i = m_random.bounded(5); i > 0; --i)
                object.insert(randomText(6), randomValue(depth - 1));
            return object;
        }
        }
    }

    // Replaces values of a well-formed reply at random, keeping its keys, so
    // most mutants stay close to what the decoder expects.
    QJsonValue mutate(const QJsonValue& value, int rate)
    {
        if (m_random.bounded(rate) == 0)
            return randomValue(2);
        if (value.isArray()) {
            QJsonArray array = value.toArray();
            for (qsizetype i = 0; i < array.size(); ++i)
                array[i] = mutate(array.at(i), rate);
            if (m_random.bounded(4) == 0)
                array.append(array.isEmpty() ? randomValue(1) : mutate(array.first(), rate));
            return array;
        }
        if (value.isObject()) {
            QJsonObject object = value.toObject();
            const QStringList keys = object.keys();
            for (const QString& key : keys) {
                if (m_random.bounded(rate * 2) == 0)
                    object.remove(key);
                else
                    object.insert(key, mutate(object.value(key), rate));
            }
            return object;
        }
        return value;
    }

    QString wrap(const QString& json)
    {
        switch (m_random.bounded(5)) {
        case 0: return QStringLiteral("```json\n") + json + QStringLiteral("\n```");
        case 1: return QStringLiteral("Here you go: ") + json + QStringLiteral(" Enjoy!");
        case 2: return QStringLiteral("  \n") + json + QStringLiteral("\n\n");
        default: return json;
        }
    }

    QString reply(const QByteArray& sample)
    {
        const QJsonObject valid = QJsonDocument::fromJson(sample).object();
        const QString compact = QString::fromUtf8(QJsonDocument(valid).toJson(QJsonDocument::Compact));
        switch (m_random.bounded(6)) {
        case 0: return randomText(80);
        case 1: return wrap(compact.left(m_random.bounded(int(compact.size()) + 1)));
        case 2: {
            QString text = compact;
            for (int i = m_random.bounded(1, 4); i > 0; --i)
                text.insert(m_random.bounded(int(text.size()) + 1), randomText(3));
            return wrap(text);
        }
        default: {
            const QJsonValue mutant = mutate(valid, m_random.bounded(2, 8));
            const QJsonDocument doc = mutant.isObject() ? QJsonDocument(mutant.toObject()) : QJsonDocument(mutant.toArray());
            return wrap(QString::fromUtf8(doc.toJson(QJsonDocument::Compact)));
        }
        }
    }

private:
    QRandomGenerator m_random;
};

QJsonValue grown(const QJsonValue& v, int textFactor, int listSize)
{
    if (v.isString())
        return v.toString().repeated(textFactor);
    if (v.isArray()) {
        QJsonArray array;
        const QJsonArray source = v.toArray();
        for (int i = 0; i < listSize && !source.isEmpty(); ++i)
            array.append(grown(source.at(i % source.size()), textFactor, listSize));
        return array;
    }
    if (v.isObject()) {
        QJsonObject object;
        const QJsonObject source = v.toObject();
        for (auto it = source.begin(); it != source.end(); ++it)
            object.insert(it.key(), grown(it.value(), textFactor, listSize));
        return object;
    }
    return v;
}

// Huge replies built from a well-formed one: lists of many entries, very long
// texts, nesting deeper than the parser allows, and a mile of blanks.
QList<QString> hugeReplies(const QByteArray& sample)
{
    const QJsonObject valid = QJsonDocument::fromJson(sample).object();
    auto text = [](const QJsonValue& v) { return QString::fromUtf8(QJsonDocument(v.toObject()).toJson(QJsonDocument::Compact)); };
    const QString deep = QStringLiteral("{\"x\":") + QString(100000, u'[') + QString(100000, u']') + u'}';
    const QString braces = QString(200000, u'{') + QString(200000, u'}');
    return {text(grown(valid, 3, 20000)), text(grown(valid, 200000, 2)), deep, braces,
            QString(1'000'000, u' ') + QString::fromUtf8(sample)};
}

} // namespace

// Replies of every shape reach every action without a crash and without any
// failure other than AIError; the production handed in may vanish while a
// request runs; client failures pass through unchanged.
class AIDirectorRobustnessTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void randomRepliesOnlyEverGiveValuesOrParsingErrors()
    {
        const quint32 seed = QRandomGenerator::global()->generate();
        qInfo("random seed %u", seed);
        ReplyFactory factory(seed);
        const Subject subject;
        int runs = 0;
        int objects = 0;
        valuesMapped = 0;
        for (const ActionCase& action : actionCases()) {
            QString reply;
            ScriptedModel model;
            model.setLatency(0ms);
            const AIDirector director = model.director();
            for (int i = 0; i < 400; ++i) {
                reply = factory.reply(action.sampleReply);
                model.replyAlways(reply);
                QString why;
                const bool ok = action.run(director, subject, &why);
                QVERIFY2(ok, qPrintable(QStringLiteral("%1 (seed %2): %3\nreply: %4")
                                            .arg(QLatin1StringView(action.name)).arg(seed).arg(why, reply.left(400))));
                ++runs;
                try {
                    AIDirector::extractJSON(reply);
                    ++objects;
                } catch (const AIError&) {
                }
            }
            for (const QString& huge : hugeReplies(action.sampleReply)) {
                model.replyAlways(huge);
                QString why;
                QVERIFY2(action.run(director, subject, &why), qPrintable(QString::fromLatin1(action.name) + QStringLiteral(": huge: ") + why));
                ++runs;
            }
            // The well-formed reply itself maps to a value.
            model.replyAlways(QString::fromUtf8(action.sampleReply));
            QString why;
            QVERIFY2(action.run(director, subject, &why), action.name);
        }
        qInfo("%d runs, %d reached the decoder, %d mapped to values", runs, objects, valuesMapped);
        QVERIFY(runs >= 6000);
        // Most replies reach the decoder, and a good share gets through it, so
        // the mapping sees odd but well-typed values too.
        QVERIFY(objects > runs / 2);
        QVERIFY(valuesMapped > runs / 10);
    }

    void productionMayVanishWhileTheRequestRuns()
    {
        auto project = std::make_unique<Project>(sampleSeries());
        Episode& episode = project->episodes.first();
        const QUuid episodeID = episode.id;
        const Beat emptyBeat = episode.structure.acts[0].beats[1];
        const QUuid sceneID = episode.scenes.first().id;
        const Location location = project->locations.at(1);
        Shot shot;
        const QUuid shotID = shot.id;
        // Kept as text: a copy would share the production's lists and keep them alive.
        const QByteArray before = json::encodeCompact(*project);

        ScriptedModel model;
        model.replyAlways(QStringLiteral(
            "{\"beats\":[{\"index\":0,\"summary\":\"filled\"}],\"era\":\"1970s\",\"shots\":[{\"what\":\"w\"}],"
            "\"what\":\"seen\"}"));
        const AIDirector director = model.director();
        auto beats = director.fillBeats(*project, episode);
        auto details = director.locationDetails(*project, project->locations[1]);
        auto shots = director.shotList(*project, episode, episode.scenes.first());
        auto description = director.describeShot(*project, episode.scenes.first(), shot);
        QCOMPARE(model.requestCount(), 4);
        // Every action left the production as it was.
        QCOMPARE(json::encodeCompact(*project), before);
        // Before any reply arrives the records handed in are overwritten in
        // place, then the production goes away altogether.
        episode = Episode{};
        project->locations[1] = Location{};
        project.reset();
        auto reuse = std::make_unique<Project>();
        reuse->name = QString(4096, u'#');

        const auto fills = valueOf(std::move(beats));
        QVERIFY(fills);
        QCOMPARE(fills->episodeID, episodeID);
        QCOMPARE(fills->fills.size(), 1);
        QCOMPARE(fills->fills.first().beatID, emptyBeat.id);
        QCOMPARE(fills->fills.first().summary, QStringLiteral("filled"));

        const auto place = valueOf(std::move(details));
        QVERIFY(place);
        QCOMPARE(place->locationID, location.id);
        QCOMPARE(place->era, std::optional<QString>(QStringLiteral("1970s")));

        const auto planned = valueOf(std::move(shots));
        QVERIFY(planned);
        QCOMPARE(planned->episodeID, episodeID);
        QCOMPARE(planned->sceneID, sceneID);
        QCOMPARE(planned->shots.size(), 1);

        const auto described = valueOf(std::move(description));
        QVERIFY(described);
        QCOMPARE(described->shotID, shotID);
        QCOMPARE(described->what, QStringLiteral("seen"));
    }

    void clientFailuresPassThroughUnchanged_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("http") << 0;
        QTest::newRow("transport") << 1;
        QTest::newRow("completion envelope") << 2;
    }

    void clientFailuresPassThroughUnchanged()
    {
        QFETCH(int, kind);
        ScriptedModel model;
        if (kind == 0)
            model.failAlways(AIError::http(503, QStringLiteral("busy")));
        else if (kind == 1)
            model.failAlways(TransportError(QNetworkReply::TimeoutError, QStringLiteral("timed out")));
        else
            model.failAlways(DecodingError(QStringLiteral("choices: missing key")));
        const Subject subject;
        for (const ActionCase& action : actionCases()) {
            const AIDirector director = model.director();
            QString why;
            // fillBeats and fleshOutCharacter ask only when something is empty: the subject has both.
            QVERIFY(!action.run(director, subject, &why));
            if (kind == 0)
                QVERIFY2(why == QStringLiteral("unexpected AIError: AI request failed (503). busy"), qPrintable(why));
            else if (kind == 1)
                QVERIFY2(why == QStringLiteral("non-AIError escaped: timed out"), qPrintable(why));
            else
                QVERIFY2(why == QStringLiteral("non-AIError escaped: choices: missing key"), qPrintable(why));
        }
        QCOMPARE(model.calls().size(), actionCases().size());
    }
};

QTEST_GUILESS_MAIN(AIDirectorRobustnessTest)
#include "AIDirectorRobustnessTest.moc"
