#include "model/Text.h"
#include "services/UpdateArchive.h"
#include "services/UpdateError.h"
#include "support/FakeUpdateBundle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace studio;
using namespace studio::test;

using Entries = QList<UpdateArchiveEntry>;
Q_DECLARE_METATYPE(Entries)

namespace {

UpdateArchiveEntry fileEntry(const QString& name, qint64 size = 10)
{
    return {name, u'-', size, {}};
}

UpdateArchiveEntry folderEntry(const QString& name)
{
    return {name, u'd', 0, {}};
}

UpdateArchiveEntry linkEntry(const QString& name, const QString& target)
{
    return {name, u'l', target.size(), target};
}

// The failure text of checkEntries, empty when the entries pass.
QString checkFailure(const Entries& entries)
{
    try {
        UpdateArchive::checkEntries(entries);
        return {};
    } catch (const UpdateError& e) {
        return e.message();
    }
}

// QCoro::waitFor doesn't pass exceptions on, so the failure is caught inside a coroutine.
QCoro::Task<QString> unpackAndCatch(QString archive, QString destination)
{
    try {
        co_await UpdateArchive::unpack(archive, destination);
    } catch (const UpdateError& e) {
        co_return e.message();
    }
    co_return QString();
}

QString unpackFailure(const QString& archive, const QString& destination)
{
    return QCoro::waitFor(unpackAndCatch(archive, destination));
}

} // namespace

// Which archives are unpacked, and that a refused one writes nothing.
class UpdateArchiveTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_root;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        usePrivateHome(m_root.path());
    }

    void entryChecks_data()
    {
        QTest::addColumn<Entries>("entries");
        QTest::addColumn<QString>("refused"); // the entry named in the failure; empty: accepted

        const Entries bundle{folderEntry("A.app/"), fileEntry("A.app/Info.json"), folderEntry("A.app/bin/"),
                             fileEntry("A.app/bin/palisademotion")};
        QTest::newRow("plain bundle") << bundle << QString();
        QTest::newRow("link inside the bundle")
            << (bundle + Entries{linkEntry("A.app/lib/libx.so", "libx.so.1"), fileEntry("A.app/lib/libx.so.1"),
                                 linkEntry("A.app/share/bin", "../bin")})
            << QString();
        QTest::newRow("link to the bundle itself") << Entries{linkEntry("A.app/self", ".")} << QString();
        QTest::newRow("dangling link inside the bundle") << Entries{linkEntry("A.app/gone", "nowhere/x")} << QString();
        QTest::newRow("absolute name") << Entries{fileEntry("/etc/cron.d/x")} << "/etc/cron.d/x";
        QTest::newRow("parent component") << Entries{fileEntry("../evil")} << "../evil";
        QTest::newRow("parent component inside") << Entries{fileEntry("A.app/../../evil")} << "A.app/../../evil";
        QTest::newRow("backslash") << Entries{fileEntry("A.app\\..\\evil")} << "A.app\\..\\evil";
        QTest::newRow("dot component") << Entries{fileEntry("A.app/./x")} << "A.app/./x";
        QTest::newRow("empty component") << Entries{fileEntry("A.app//x")} << "A.app//x";
        QTest::newRow("control character") << Entries{fileEntry("A.app/x\ny")} << "A.app/x\ny";
        QTest::newRow("same name twice") << Entries{fileEntry("A.app/x"), fileEntry("A.app/x")} << "A.app/x";
        QTest::newRow("same name, other case") << Entries{fileEntry("A.app/Lib"), fileEntry("A.app/lib")} << "A.app/lib";
        QTest::newRow("folder and file of one name") << Entries{folderEntry("A.app/x/"), fileEntry("A.app/x")} << "A.app/x";
        QTest::newRow("entry beneath a link, inside target")
            << Entries{linkEntry("A.app/l", "bin"), fileEntry("A.app/l/evil")} << "A.app/l/evil";
        QTest::newRow("entry beneath a link, other case")
            << Entries{linkEntry("A.app/L", "bin"), fileEntry("A.app/l/evil")} << "A.app/l/evil";
        QTest::newRow("link at the top level") << Entries{linkEntry("A.app", "/usr/lib")} << "A.app";
        QTest::newRow("absolute link") << Entries{linkEntry("A.app/out", "/tmp")} << "A.app/out";
        QTest::newRow("link climbing out") << Entries{linkEntry("A.app/lib/up", "../../..")} << "A.app/lib/up";
        QTest::newRow("link into a sibling bundle")
            << Entries{folderEntry("B.app/"), linkEntry("A.app/b", "../B.app")} << "A.app/b";
        QTest::newRow("link through a link")
            << Entries{linkEntry("A.app/here", "."), linkEntry("A.app/up", "here/..")} << "A.app/up";
        QTest::newRow("link loop") << Entries{linkEntry("A.app/a", "b"), linkEntry("A.app/b", "a")} << "A.app/a";
        QTest::newRow("empty link") << Entries{linkEntry("A.app/x", QString())} << "A.app/x";
        QTest::newRow("device or pipe") << Entries{{"A.app/fifo", u'p', 0, {}}} << "A.app/fifo";
    }

    void entryChecks()
    {
        QFETCH(Entries, entries);
        QFETCH(QString, refused);
        QCOMPARE(checkFailure(entries), refused.isEmpty() ? QString() : UpdateArchive::unsafeEntryText(refused));
    }

    void refusalIsolatesTheEntryName()
    {
        const QString name = QStringLiteral("../\u202Eevil");
        QCOMPARE(checkFailure(Entries{fileEntry(name)}),
                 QStringLiteral("The update archive holds an unsafe entry: “") + text::isolated(name)
                     + QStringLiteral("”."));
    }

    void sizeCap_data()
    {
        QTest::addColumn<Entries>("entries");
        QTest::addColumn<bool>("refused");
        const qint64 cap = UpdateArchive::maxUnpackedBytes;
        QTest::newRow("exactly the cap") << Entries{fileEntry("A.app/a", cap / 2), fileEntry("A.app/b", cap / 2)} << false;
        QTest::newRow("one byte over") << Entries{fileEntry("A.app/a", cap / 2), fileEntry("A.app/b", cap / 2 + 1)} << true;
        QTest::newRow("no overflow on huge sizes")
            << Entries{fileEntry("A.app/a", std::numeric_limits<qint64>::max()), fileEntry("A.app/b", 2)} << true;
    }

    void sizeCap()
    {
        QFETCH(Entries, entries);
        QFETCH(bool, refused);
        QCOMPARE(checkFailure(entries), refused ? UpdateArchive::tooLargeText() : QString());
    }

    void listingsMustAgree()
    {
        const QByteArray names = "A.app/\nA.app/my file\n";
        const QByteArray listing = "Archive:  a.zip\n"
                                   "Zip file size: 1 bytes, number of entries: 2\n"
                                   "drwxr-xr-x  3.0 unx        0 bx        0 stor 24-Jan-01 12:00 A.app/\n"
                                   "-rw-r--r--  3.0 unx     1234 tx      567 defN 24-Jan-01 12:00 A.app/my file\n"
                                   "2 files, 1234 bytes uncompressed, 567 bytes compressed:  54.1%\n";
        const Entries parsed = UpdateArchive::parseListing(names, listing);
        QCOMPARE(parsed, (Entries{folderEntry("A.app/"), {"A.app/my file", u'-', 1234, {}}}));

        QVERIFY_THROWS_EXCEPTION(UpdateError, UpdateArchive::parseListing("A.app/\nA.app/other\n", listing));
        QVERIFY_THROWS_EXCEPTION(UpdateError, UpdateArchive::parseListing("A.app/\n", listing));
    }

    // Names with wildcard characters and links, read back through the real tool.
    void listsARealArchive()
    {
        QTemporaryDir dir;
        const QString tree = dir.filePath("tree");
        QVERIFY(writeFile(tree + "/A.app/bin/palisademotion", "#!/bin/sh\n", true));
        QVERIFY(writeFile(tree + "/A.app/share/sp ace [x]*?.txt", "text"));
        QVERIFY(writeFile(tree + "/A.app/share/[x] other.txt", "other"));
        QVERIFY(QFile::link("../bin/palisademotion", tree + "/A.app/share/[l]*.lnk"));
        QVERIFY(QFile::link("bin", tree + "/A.app/-dash"));
        const QString archive = dir.filePath("a.zip");
        QVERIFY(zipMembers(tree, archive, {"A.app"}));

        const Entries entries = QCoro::waitFor(UpdateArchive::list(archive));
        QHash<QString, UpdateArchiveEntry> byName;
        for (const UpdateArchiveEntry& e : entries)
            byName.insert(e.name, e);
        QCOMPARE(byName.value("A.app/share/[l]*.lnk").type, u'l');
        QCOMPARE(byName.value("A.app/share/[l]*.lnk").linkTarget, QStringLiteral("../bin/palisademotion"));
        QCOMPARE(byName.value("A.app/-dash").linkTarget, QStringLiteral("bin"));
        QCOMPARE(byName.value("A.app/share/sp ace [x]*?.txt").size, 4);
        QCOMPARE(byName.value("A.app/bin/").type, u'd');

        const QString out = dir.filePath("out");
        QVERIFY(QDir().mkdir(out));
        QCOMPARE(unpackFailure(archive, out), QString());
        QVERIFY(QFileInfo(out + "/A.app/bin/palisademotion").isExecutable());
        QCOMPARE(QFileInfo(out + "/A.app/share/[l]*.lnk").symLinkTarget(),
                 QFileInfo(out + "/A.app/bin/palisademotion").canonicalFilePath());
    }

    void refusedArchivesWriteNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("failure");
        QTest::newRow("zip slip") << "slip" << UpdateArchive::unsafeEntryText("../evil");
        QTest::newRow("link leaving the bundle") << "link" << UpdateArchive::unsafeEntryText("A.app/out");
        QTest::newRow("file written through a link") << "through" << UpdateArchive::unsafeEntryText("A.app/lib/evil");
        QTest::newRow("not a zip") << "garbage" << UpdateError::unpackFailed();
    }

    void refusedArchivesWriteNothing()
    {
        QFETCH(QString, kind);
        QFETCH(QString, failure);
        QTemporaryDir dir;
        const QString outside = dir.filePath("outside");
        QVERIFY(QDir().mkdir(outside));
        const QString archive = dir.filePath("a.zip");
        const QString tree = dir.filePath("tree");
        QVERIFY(writeFile(tree + "/A.app/Info.json", "{}"));

        if (kind == "slip") {
            // Stored as "../evil": zip keeps the name as given.
            QVERIFY(writeFile(dir.filePath("evil"), "gotcha"));
            QVERIFY(zipMembers(tree, archive, {"A.app", "../evil"}));
        } else if (kind == "link") {
            QVERIFY(QFile::link(outside, tree + "/A.app/out"));
            QVERIFY(zipMembers(tree, archive, {"A.app"}));
        } else if (kind == "through") {
            // A link to the outside first, then a file stored beneath the same name.
            QVERIFY(QFile::link(outside, tree + "/A.app/lib"));
            QVERIFY(zipMembers(tree, archive, {"A.app"}));
            const QString second = dir.filePath("second");
            QVERIFY(writeFile(second + "/A.app/lib/evil", "gotcha"));
            QVERIFY(zipMembers(second, archive, {"A.app/lib/evil"}));
        } else {
            QVERIFY(writeFile(archive, "PK not really"));
        }

        const QString destination = dir.filePath("work/unpacked");
        QVERIFY(QDir().mkpath(destination));
        QCOMPARE(unpackFailure(archive, destination), failure);
        QCOMPARE(treeOf(destination), QStringList());
        QCOMPARE(treeOf(outside), QStringList());
        QCOMPARE(treeOf(dir.filePath("work")), QStringList{"unpacked"});
        QVERIFY(!QFileInfo::exists(m_root.filePath("tmp/evil")));
    }
};

QTEST_GUILESS_MAIN(UpdateArchiveTest)
#include "UpdateArchiveTest.moc"
