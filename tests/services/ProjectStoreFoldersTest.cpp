// The library's folders as people leave them: renamed, copied, or holding a
// damaged document. A production stays in the folder it was read from, two
// folders never share one production, nothing comes back from the Trash, and
// a production read without episodes gets the one a new production has.

#include "services/ProjectStore.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTest>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

QString trashFiles()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u"/Trash/files"_s;
}

QString documentPath(const QString& folderName)
{
    return ProjectStore::rootPath() + u'/' + folderName + u"/project.json"_s;
}

void writeDocument(const QString& folderName, const QByteArray& bytes)
{
    QVERIFY(QDir().mkpath(ProjectStore::rootPath() + u'/' + folderName));
    QFile file(documentPath(folderName));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readBytes(const QString& folderName)
{
    QFile file(documentPath(folderName));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

Project readDocument(const QString& folderName)
{
    return json::decode<Project>(readBytes(folderName));
}

QStringList folders()
{
    return QDir(ProjectStore::rootPath()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

Project named(const QString& name, double modifiedAt)
{
    Project p;
    p.name = name;
    p.modifiedAt = Date(modifiedAt);
    return p;
}

QString canonicalName(const QUuid& id)
{
    return QFileInfo(ProjectStore::folderPath(id)).fileName();
}

} // namespace

class ProjectStoreFoldersTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QDir(ProjectStore::rootPath()).removeRecursively();
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u"/Trash"_s).removeRecursively();
    }

    void aRenamedFolderKeepsItsProductionThroughSavesAndTheTrash()
    {
        const Project original = named(u"Harbour Lights"_s, 100);
        writeDocument(u"Harbour Lights.palisademotion"_s, json::encodePretty(original));

        ProjectStore store(nullptr, std::chrono::milliseconds(20), std::chrono::milliseconds(40));
        store.load();
        QCOMPARE(store.projects().size(), 1);
        QCOMPARE(store.folderOf(original.id), ProjectStore::rootPath() + u"/Harbour Lights.palisademotion"_s);

        // Saves and autosaves go back where the production was read from.
        Project edited = store.projects().constFirst();
        edited.idea.logline = u"A keeper's last winter."_s;
        QVERIFY(store.save(edited));
        QCOMPARE(folders(), QStringList{u"Harbour Lights.palisademotion"_s});
        QCOMPARE(readDocument(u"Harbour Lights.palisademotion"_s).idea.logline, edited.idea.logline);
        edited.idea.logline = u"A keeper's last summer."_s;
        store.scheduleAutosave(edited);
        QTRY_VERIFY(!store.hasPendingAutosave(edited.id));
        QCOMPARE(folders(), QStringList{u"Harbour Lights.palisademotion"_s});
        QCOMPARE(readDocument(u"Harbour Lights.palisademotion"_s).idea.logline, edited.idea.logline);

        // The Trash takes the folder the card showed, and the next start
        // finds nothing.
        QVERIFY(store.remove(edited.id));
        QVERIFY(folders().isEmpty());
        QVERIFY(QFileInfo(trashFiles() + u"/Harbour Lights.palisademotion/project.json"_s).isFile());
        ProjectStore next;
        next.load();
        QVERIFY(next.projects().isEmpty());
    }

    void aCopiedFolderIsKeptApartAndNeverReturnsAsTheOriginal_data()
    {
        QTest::addColumn<QString>("keeping"); // empty: the folder named for the id
        QTest::addColumn<QString>("copy");
        QTest::newRow("copy sorts first") << QString() << u"0 backup.palisademotion"_s;
        QTest::newRow("copy sorts last") << QString() << u"zz backup.palisademotion"_s;
        QTest::newRow("neither named for the id") << u"A.palisademotion"_s << u"B.palisademotion"_s;
    }

    void aCopiedFolderIsKeptApartAndNeverReturnsAsTheOriginal()
    {
        QFETCH(QString, keeping);
        QFETCH(QString, copy);
        Project original = named(u"Salt"_s, 200);
        if (keeping.isEmpty())
            keeping = canonicalName(original.id);
        writeDocument(keeping, json::encodePretty(original));
        Project older = original;
        older.idea.logline = u"An older draft."_s;
        older.modifiedAt = Date(100);
        writeDocument(copy, json::encodePretty(older));

        ProjectStore store;
        store.load();
        QCOMPARE(store.projects().size(), 2);
        const Project kept = store.projects().at(0);
        const Project apart = store.projects().at(1);
        QCOMPARE(kept, original);
        QVERIFY(apart.id != original.id);
        QCOMPARE(apart.name, u"Salt Copy"_s);
        QCOMPARE(apart.idea.logline, older.idea.logline);
        QCOMPARE(apart.modifiedAt, older.modifiedAt);
        // The copy holds its own id on disk from now on.
        QCOMPARE(readDocument(copy), apart);
        QCOMPARE(store.folderOf(apart.id), ProjectStore::rootPath() + u'/' + copy);

        // Trashing the original leaves the copy, under its own id.
        QVERIFY(store.remove(original.id));
        QCOMPARE(folders(), QStringList{copy});
        ProjectStore next;
        next.load();
        QCOMPARE(next.projects().size(), 1);
        QCOMPARE(next.projects().constFirst(), apart);
    }

    void aLinkToTheFolderIsTheSameProductionReadOnce()
    {
        const Project original = named(u"Linked"_s, 10);
        const QByteArray bytes = json::encodePretty(original);
        writeDocument(canonicalName(original.id), bytes);
        QVERIFY(QFile::link(ProjectStore::folderPath(original.id), ProjectStore::rootPath() + u"/0 link.palisademotion"_s));

        ProjectStore store;
        store.load();
        QCOMPARE(store.projects().size(), 1);
        QCOMPARE(store.projects().constFirst(), original);
        QCOMPARE(readBytes(canonicalName(original.id)), bytes);
    }

    void aProductionWithoutEpisodesGetsTheOneANewProductionHas_data()
    {
        QTest::addColumn<ProjectFormat>("format");
        QTest::addColumn<QString>("title");
        QTest::newRow("short film") << ProjectFormat::shortFilm << u"Tide"_s;
        QTest::newRow("series") << ProjectFormat::series << u"Episode 1"_s;
    }

    void aProductionWithoutEpisodesGetsTheOneANewProductionHas()
    {
        QFETCH(ProjectFormat, format);
        QFETCH(QString, title);
        Project damaged = named(u"Tide"_s, 10);
        damaged.format = format;
        QJsonObject document = QJsonDocument::fromJson(json::encodePretty(damaged)).object();
        document.insert(u"episodes"_s, QJsonArray());
        const QByteArray bytes = QJsonDocument(document).toJson();
        const QString folder = canonicalName(damaged.id);
        writeDocument(folder, bytes);

        ProjectStore store;
        store.load();
        QCOMPARE(store.projects().size(), 1);
        const Project& loaded = store.projects().constFirst();
        ProjectStore made;
        const Project fresh = made.create(damaged.name, format, 1, {}, 0);
        QCOMPARE(loaded.episodes.size(), 1);
        const Episode& episode = loaded.episodes.constFirst();
        QCOMPARE(episode.number, qint64(1));
        QCOMPARE(episode.title, title);
        QCOMPARE(episode.structure.kind, fresh.episodes.constFirst().structure.kind);
        QCOMPARE(episode.structure.acts.size(), fresh.episodes.constFirst().structure.acts.size());
        QVERIFY(!episode.structure.acts.isEmpty());

        // Reading changes nothing on disk; the episode goes with the next save.
        QCOMPARE(readBytes(folder), bytes);
        QVERIFY(store.save(loaded));
        QCOMPARE(readDocument(folder).episodes, loaded.episodes);
    }
};

QTEST_GUILESS_MAIN(ProjectStoreFoldersTest)
#include "ProjectStoreFoldersTest.moc"
