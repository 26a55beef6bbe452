// The library on disk: where documents go, how they are read back, the order
// of the library, and new productions by format.

#include "services/ProjectStore.h"

#include "model/Text.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <utility>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

Project named(const QString& name, double modifiedAt)
{
    Project p;
    p.name = name;
    p.modifiedAt = Date(modifiedAt);
    return p;
}

// Writes a document straight to disk, bypassing the store's stamp.
void writeDocument(const QString& folderName, const QByteArray& bytes)
{
    const QString folder = ProjectStore::rootPath() + u'/' + folderName;
    QVERIFY(QDir().mkpath(folder));
    QFile file(folder + u"/project.json"_s);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void writeProject(const Project& p)
{
    writeDocument(uuidString(p.id) + u".palisademotion"_s, json::encodePretty(p));
}

// Whether every direction mark in a message sits inside an isolate that
// closes again, so that none of them reaches the message's own words.
bool directionMarksStayInside(const QString& message)
{
    int depth = 0;
    for (const QChar c : message) {
        const char16_t u = c.unicode();
        if (u >= 0x2066 && u <= 0x2068) {
            ++depth;
        } else if (u == 0x2069) {
            if (depth == 0)
                return false;
            --depth;
        } else if (u >= 0x202A && u <= 0x202E && depth == 0) {
            return false;
        }
    }
    return depth == 0;
}

QStringList names(const QList<Project>& projects)
{
    QStringList out;
    for (const Project& p : projects)
        out.append(p.name);
    return out;
}

} // namespace

class ProjectStoreTest : public QObject {
    Q_OBJECT


private Q_SLOTS:
    void init()
    {
        QDir(ProjectStore::rootPath()).removeRecursively();
    }

    void rootFollowsTheDataLocation()
    {
        const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        QCOMPARE(data, qEnvironmentVariable("XDG_DATA_HOME"));
        QCOMPARE(ProjectStore::rootPath(), data + u"/Palisademotion/Projects"_s);
        const QUuid id = QUuid::fromString(u"e621e1f8-c36c-495a-93fc-0c247a3e6e5f"_s);
        QCOMPARE(ProjectStore::folderPath(id),
                 data + u"/Palisademotion/Projects/E621E1F8-C36C-495A-93FC-0C247A3E6E5F.palisademotion"_s);
    }

    void saveWritesOneSortedPrettyDocumentAndLoadsItBack()
    {
        ProjectStore store;
        Project p = named(u"Salt & Signal"_s, 1000.0);
        p.idea.tone.humor = 0.123456789012345;
        p.createdAt = Date(786297600.123456789);
        const Project original = p;

        QVERIFY(store.save(p));
        QCOMPARE(p, original); // the caller's copy keeps its date

        const QDir folder(ProjectStore::folderPath(p.id));
        QCOMPARE(folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{u"project.json"_s});
        QFile file(folder.filePath(u"project.json"_s));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.contains("\n    \"activePhase\": \"spark\",\n")); // indented, one member a line
        QVERIFY(bytes.indexOf("\"activePhase\"") < bytes.indexOf("\"cast\""));
        QVERIFY(bytes.indexOf("\"cast\"") < bytes.indexOf("\"completedPhases\""));

        const Project stamped = store.projects().constFirst();
        QVERIFY(stamped.modifiedAt > original.modifiedAt);
        QVERIFY(std::abs(stamped.modifiedAt.secondsSinceReference() - Date::now().secondsSinceReference()) < 60);

        ProjectStore reader;
        reader.load();
        QCOMPARE(reader.projects().size(), 1);
        QCOMPARE(reader.projects().constFirst(), stamped); // exact, dates included
        QVERIFY(reader.lastError().isEmpty());
    }

    void saveReplacesInPlaceOrInsertsFirst()
    {
        ProjectStore store;
        QSignalSpy changed(&store, &ProjectStore::projectsChanged);
        const Project a = named(u"A"_s, 1), b = named(u"B"_s, 2), c = named(u"C"_s, 3);
        QVERIFY(store.save(a));
        QVERIFY(store.save(b));
        QVERIFY(store.save(c));
        QCOMPARE(names(store.projects()), (QStringList{u"C"_s, u"B"_s, u"A"_s}));

        Project renamed = a;
        renamed.name = u"A2"_s;
        QVERIFY(store.save(renamed));
        QCOMPARE(names(store.projects()), (QStringList{u"C"_s, u"B"_s, u"A2"_s}));
        QCOMPARE(changed.count(), 4);
    }

    void loadSortsNewestFirstKeepingListingOrderForTies()
    {
        // Folder names decide the listing order of equal dates.
        Project first = named(u"tie-1"_s, 500), second = named(u"tie-2"_s, 500);
        first.id = QUuid::fromString(u"00000000-0000-4000-8000-000000000001"_s);
        second.id = QUuid::fromString(u"00000000-0000-4000-8000-000000000002"_s);
        writeProject(second);
        writeProject(first);
        writeProject(named(u"old"_s, -3000.5));
        writeProject(named(u"new"_s, 7.0e8));
        writeProject(named(u"middle"_s, 600));

        ProjectStore store;
        QSignalSpy changed(&store, &ProjectStore::projectsChanged);
        store.load();
        QCOMPARE(names(store.projects()),
                 (QStringList{u"new"_s, u"middle"_s, u"tie-1"_s, u"tie-2"_s, u"old"_s}));
        QCOMPARE(changed.count(), 1);
        QVERIFY(store.lastError().isEmpty());
    }

    void unreadableDocumentsAreSkippedAndReported_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QByteArray>("document"); // empty: no project.json at all
        QTest::addColumn<QString>("reason");

        const Project p = named(u"Broken"_s, 10);
        const QByteArray good = json::encodePretty(p);
        QJsonObject wrongType = QJsonDocument::fromJson(good).object();
        wrongType.insert(u"name"_s, 5);
        QJsonObject missingKey = QJsonDocument::fromJson(good).object();
        missingKey.remove(u"episodes"_s);
        QJsonObject badEnum = QJsonDocument::fromJson(good).object();
        badEnum.insert(u"format"_s, u"opera"_s);

        QTest::newRow("missing document") << u"A.palisademotion"_s << QByteArray() << u"No such file"_s;
        QTest::newRow("truncated") << u"B.palisademotion"_s << good.left(good.size() / 2) << u"not valid JSON"_s;
        QTest::newRow("empty file") << u"C.palisademotion"_s << QByteArray("") << u"not valid JSON"_s;
        QTest::newRow("not an object") << u"D.palisademotion"_s << QByteArray("[1, 2]") << u"not a JSON object"_s;
        QTest::newRow("wrong type") << u"E.palisademotion"_s << QJsonDocument(wrongType).toJson()
                                    << u"name: expected a string"_s;
        QTest::newRow("missing key") << u"F.palisademotion"_s << QJsonDocument(missingKey).toJson()
                                     << u"episodes: missing key"_s;
        QTest::newRow("unknown case") << u"G.palisademotion"_s << QJsonDocument(badEnum).toJson()
                                      << u"format: unknown value '"_s + text::isolated(u"opera"_s) + u"'"_s;
    }

    void unreadableDocumentsAreSkippedAndReported()
    {
        QFETCH(QString, folder);
        QFETCH(QByteArray, document);
        QFETCH(QString, reason);

        const Project before = named(u"Before"_s, 20), after = named(u"After"_s, 30);
        writeProject(before);
        writeProject(after);
        if (document.isNull())
            QVERIFY(QDir().mkpath(ProjectStore::rootPath() + u'/' + folder));
        else
            writeDocument(folder, document);

        ProjectStore store;
        QSignalSpy errors(&store, &ProjectStore::errorOccurred);
        store.load();
        QCOMPARE(names(store.projects()), (QStringList{u"After"_s, u"Before"_s}));
        const QString prefix = u"Couldn't read "_s + text::isolated(folder) + u": "_s;
        QVERIFY2(store.lastError().startsWith(prefix), qPrintable(store.lastError()));
        QVERIFY2(store.lastError().contains(reason), qPrintable(store.lastError()));
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.at(0).at(0).toString(), store.lastError());
    }

    void textFromTheDiskCannotReorderTheMessage()
    {
        // A folder whose name closes an isolate and then overrides the
        // direction, and a document whose refused value overrides it too.
        QVERIFY(QDir().mkpath(ProjectStore::rootPath() + u"/\u2069\u202Eevil.palisademotion"_s));
        QJsonObject document = QJsonDocument::fromJson(json::encodePretty(named(u"Broken"_s, 1))).object();
        document.insert(u"format"_s, u"\u202Eopera"_s);
        writeDocument(u"B.palisademotion"_s, QJsonDocument(document).toJson());

        ProjectStore store;
        QSignalSpy errors(&store, &ProjectStore::errorOccurred);
        store.load();
        QCOMPARE(errors.count(), 2);
        for (const QList<QVariant>& args : errors) {
            const QString message = args.at(0).toString();
            QVERIFY2(message.startsWith(u"Couldn't read "_s), qPrintable(message));
            QVERIFY2(directionMarksStayInside(message), qPrintable(message));
        }
        // The refused value alone is isolated, never the reason around it,
        // so the reason's words and its closing quote keep their places.
        const QString refused = u"Couldn't read "_s + text::isolated(u"B.palisademotion"_s)
            + u": format: unknown value '"_s + text::isolated(u"\u202Eopera"_s) + u"'"_s;
        QVERIFY(errors.at(0).at(0).toString() == refused || errors.at(1).at(0).toString() == refused);
    }

    void aDocumentInPlaceOfAFileOrADirectoryIsReported()
    {
        QVERIFY(QDir().mkpath(ProjectStore::rootPath() + u"/X.palisademotion/project.json"_s));
        writeProject(named(u"Fine"_s, 1));
        ProjectStore store;
        store.load();
        QCOMPARE(names(store.projects()), QStringList{u"Fine"_s});
        QVERIFY(store.lastError().startsWith(u"Couldn't read "_s + text::isolated(u"X.palisademotion"_s) + u": "_s));
    }

    void laterFailuresOverwriteEarlierOnes()
    {
        QVERIFY(QDir().mkpath(ProjectStore::rootPath() + u"/A.palisademotion"_s));
        QVERIFY(QDir().mkpath(ProjectStore::rootPath() + u"/B.palisademotion"_s));
        ProjectStore store;
        QSignalSpy errors(&store, &ProjectStore::errorOccurred);
        store.load();
        QCOMPARE(errors.count(), 2);
        QVERIFY(store.lastError().startsWith(u"Couldn't read "_s + text::isolated(u"B.palisademotion"_s)));
    }

    void otherExtensionsAreIgnoredSilently()
    {
        const Project p = named(u"Kept"_s, 1);
        writeProject(p);
        writeDocument(uuidString(newId()) + u".PalisadeMotion"_s, json::encodePretty(named(u"Case"_s, 2)));
        writeDocument(uuidString(newId()) + u".palisademotion.bak"_s, json::encodePretty(named(u"Bak"_s, 3)));
        writeDocument(u"notes"_s, "garbage");
        QFile stray(ProjectStore::rootPath() + u"/readme.txt"_s);
        QVERIFY(stray.open(QIODevice::WriteOnly));

        ProjectStore store;
        QSignalSpy errors(&store, &ProjectStore::errorOccurred);
        store.load();
        QCOMPARE(names(store.projects()), QStringList{u"Kept"_s});
        QCOMPARE(errors.count(), 0);
    }

    void loadCreatesTheRootAndAnEmptyLibraryIsNoError()
    {
        ProjectStore store;
        store.load();
        QVERIFY(QFileInfo(ProjectStore::rootPath()).isDir());
        QVERIFY(store.projects().isEmpty());
        QVERIFY(store.lastError().isEmpty());
    }

    void createBuildsByFormat_data()
    {
        QTest::addColumn<ProjectFormat>("format");
        QTest::addColumn<qint64>("episodeCount");
        QTest::addColumn<QString>("name");
        QTest::addColumn<AspectRatio>("aspect");
        QTest::addColumn<StructureKind>("kind");
        QTest::addColumn<QStringList>("titles");

        QTest::newRow("short film keeps the name's spaces")
            << ProjectFormat::shortFilm << qint64(4) << u"  Tide  "_s << AspectRatio::scope239
            << StructureKind::threeAct << QStringList{u"  Tide  "_s};
        QTest::newRow("feature ignores the count") << ProjectFormat::feature << qint64(5) << u"Epic"_s
                                                   << AspectRatio::scope239 << StructureKind::beatSheet
                                                   << QStringList{u"Epic"_s};
        QTest::newRow("series of zero") << ProjectFormat::series << qint64(0) << u"Show"_s << AspectRatio::hd169
                                        << StructureKind::fiveAct << QStringList{u"Episode 1"_s};
        QTest::newRow("series of two") << ProjectFormat::series << qint64(2) << u"Show"_s << AspectRatio::hd169
                                       << StructureKind::fiveAct << QStringList{u"Episode 1"_s, u"Episode 2"_s};
        QTest::newRow("anthology of three")
            << ProjectFormat::anthology << qint64(3) << u"Tales"_s << AspectRatio::flat185
            << StructureKind::anthologyTale << QStringList{u"Segment 1"_s, u"Segment 2"_s, u"Segment 3"_s};
        QTest::newRow("sitcom of one") << ProjectFormat::sitcom << qint64(1) << u"Laughs"_s << AspectRatio::hd169
                                       << StructureKind::sitcom << QStringList{u"Episode 1"_s};
        QTest::newRow("custom, blank name") << ProjectFormat::custom << qint64(9) << u" \t "_s
                                            << AspectRatio::scope239 << StructureKind::threeAct
                                            << QStringList{u"Untitled"_s};
        QTest::newRow("empty name") << ProjectFormat::shortFilm << qint64(1) << QString() << AspectRatio::scope239
                                    << StructureKind::threeAct << QStringList{u"Untitled"_s};
    }

    void createBuildsByFormat()
    {
        QFETCH(ProjectFormat, format);
        QFETCH(qint64, episodeCount);
        QFETCH(QString, name);
        QFETCH(AspectRatio, aspect);
        QFETCH(StructureKind, kind);
        QFETCH(QStringList, titles);

        ProjectStore store;
        const QList<Genre> genres{Genre::western, Genre::comedy};
        const Project p = store.create(name, format, episodeCount, genres, 42);

        QCOMPARE(p.format, format);
        QCOMPARE(p.name, text::isBlank(name) ? u"Untitled"_s : name);
        QCOMPARE(p.idea.genres, genres);
        QCOMPARE(p.idea.targetRuntimeMinutes, qint64(42));
        QCOMPARE(p.look.aspect, aspect);
        QCOMPARE(p.look.frameRate, LookSpec{}.frameRate);
        QCOMPARE(p.activePhase, PhaseID::spark);
        QVERIFY(p.completedPhases.isEmpty());

        QStringList gotTitles;
        QSet<QUuid> ids;
        for (qsizetype i = 0; i < p.episodes.size(); ++i) {
            const Episode& e = p.episodes.at(i);
            gotTitles.append(e.title);
            QCOMPARE(e.number, qint64(i + 1));
            QVERIFY(e.synopsis.isEmpty() && e.script.elements.isEmpty() && e.scenes.isEmpty());
            QVERIFY(e.timeline.isEmpty() && e.musicCues.isEmpty());
            QCOMPARE(e.structure.kind, kind);
            const QList<Act> expected = structureTemplate(kind);
            QCOMPARE(e.structure.acts.size(), expected.size());
            for (qsizetype a = 0; a < expected.size(); ++a) {
                QCOMPARE(e.structure.acts.at(a).title, expected.at(a).title);
                QCOMPARE(e.structure.acts.at(a).beats.size(), expected.at(a).beats.size());
                ids.insert(e.structure.acts.at(a).id);
                for (const Beat& b : e.structure.acts.at(a).beats)
                    ids.insert(b.id);
            }
            ids.insert(e.id);
        }
        QCOMPARE(gotTitles, titles);
        // Every episode has its own acts and beats.
        qsizetype records = p.episodes.size();
        for (const Episode& e : p.episodes) {
            records += e.structure.acts.size();
            for (const Act& a : e.structure.acts)
                records += a.beats.size();
        }
        QCOMPARE(ids.size(), records);

        // Saved at once and first in the library, with its own stamp.
        QCOMPARE(store.projects().size(), 1);
        Project stored = store.projects().constFirst();
        QVERIFY(QFileInfo::exists(ProjectStore::folderPath(p.id) + u"/project.json"_s));
        stored.modifiedAt = p.modifiedAt;
        QCOMPARE(stored, p);
    }
};

QTEST_GUILESS_MAIN(ProjectStoreTest)
#include "ProjectStoreTest.moc"
