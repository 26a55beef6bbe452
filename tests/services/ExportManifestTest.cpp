// The export manifest: what it records of a production, its file name, and
// writing it into a folder (made here in a temporary root, never the user's
// videos folder).

#include "model/LookCatalogs.h"
#include "services/ExportManifest.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <limits>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

Episode episode(int scenes, int shotsPerScene, QList<double> clips)
{
    Episode e;
    for (int i = 0; i < scenes; ++i) {
        SceneCard scene;
        for (int j = 0; j < shotsPerScene; ++j)
            scene.shots << Shot{};
        e.scenes << scene;
    }
    for (double seconds : clips) {
        TimelineClip clip;
        clip.seconds = seconds;
        e.timeline << clip;
    }
    return e;
}

Project series()
{
    Project p;
    p.name = u"Salt & Signal"_s;
    p.format = ProjectFormat::series;
    p.look.aspect = AspectRatio::scope239;
    p.look.frameRate = FrameRate::f25;
    p.look.styleID = StylePreset::catalog().at(1).id;
    p.episodes = {episode(2, 3, {10.5, 4}), episode(1, 1, {}), episode(4, 2, {0.25})};
    return p;
}

const QDateTime when = QDateTime(QDate(2026, 12, 7), QTime(13, 4, 5, 678), Qt::UTC);

QJsonObject readObject(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

} // namespace

class ExportManifestTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void recordsTheProductionOverEveryEpisode()
    {
        const Project p = series();
        const ExportManifest m = ExportManifest::make(p, u"theatrical"_s, when);
        const QJsonObject o = json::toObject(m);
        const QJsonObject expected{
            {u"project"_s, u"Salt & Signal"_s},
            {u"format"_s, u"Episodic Series"_s},
            {u"preset"_s, u"Theatrical Master"_s},
            {u"codec"_s, u"ProRes 422 HQ"_s},
            {u"resolution"_s, u"DCI 4K"_s},
            {u"aspect"_s, u"2.39 Scope"_s},
            {u"frameRate"_s, u"25 \u2014 PAL"_s},
            {u"style"_s, StylePreset::catalog().at(1).name},
            {u"episodes"_s, 3},
            {u"scenes"_s, 7},
            {u"shots"_s, 15},
            {u"assembledSeconds"_s, 14.75},
            {u"exportedAt"_s, u"2026-12-07T13:04:05Z"_s},
        };
        QCOMPARE(o, expected);
        // Counts are written as integers, the keys in sorted order.
        const QByteArray bytes = json::encodePretty(m);
        QVERIFY(bytes.contains("\"episodes\": 3,"));
        QStringList keys;
        const QRegularExpression key(u"^\\s*\"(\\w+)\":"_s, QRegularExpression::MultilineOption);
        for (auto it = key.globalMatch(QString::fromUtf8(bytes)); it.hasNext();)
            keys << it.next().captured(1);
        QCOMPARE(keys, QStringList({u"aspect"_s, u"assembledSeconds"_s, u"codec"_s, u"episodes"_s, u"exportedAt"_s,
                                    u"format"_s, u"frameRate"_s, u"preset"_s, u"project"_s, u"resolution"_s,
                                    u"scenes"_s, u"shots"_s, u"style"_s}));
        // What it writes reads back as the same record.
        QCOMPARE(json::decode<ExportManifest>(bytes), m);
    }

    void fallbacks_data()
    {
        QTest::addColumn<std::optional<QString>>("styleID");
        QTest::addColumn<QString>("presetID");
        QTest::addColumn<QString>("style");
        QTest::addColumn<QString>("preset");
        const QString firstStyle = StylePreset::catalog().first().id;
        QTest::newRow("no style") << std::optional<QString>() << u"web"_s << u"Unset"_s << u"Web & Social"_s;
        QTest::newRow("unknown style") << std::optional<QString>(u"gone"_s) << u"archive"_s << u"Unset"_s
                                       << u"Archive Master"_s;
        QTest::newRow("unknown preset") << std::optional<QString>(firstStyle) << u"gone"_s
                                        << StylePreset::catalog().first().name << u"Streaming Master"_s;
    }

    void fallbacks()
    {
        QFETCH(std::optional<QString>, styleID);
        QFETCH(QString, presetID);
        QFETCH(QString, style);
        QFETCH(QString, preset);
        Project p;
        p.look.styleID = styleID;
        const ExportManifest m = ExportManifest::make(p, presetID, when);
        QCOMPARE(m.style, style);
        QCOMPARE(m.preset, preset);
        QCOMPARE(m.fileName(), u"Untitled \u2014 "_s + preset + u".json"_s);
    }

    void noEpisodeCountsNothing()
    {
        Project p;
        p.episodes.clear();
        const ExportManifest m = ExportManifest::make(p, u"streaming"_s, when);
        QCOMPARE(m.episodes + m.scenes + m.shots, 0);
        QCOMPARE(m.assembledSeconds, 0.0);
    }

    void fileName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("file");
        QTest::newRow("slashes") << u"Night/Day//"_s << u"Night-Day-- \u2014 Streaming Master.json"_s;
        QTest::newRow("nul") << u"A\0B"_s << u"A-B \u2014 Streaming Master.json"_s;
        QTest::newRow("other characters kept") << u"..\\:*?\"<>|"_s
                                               << u"..\\:*?\"<>| \u2014 Streaming Master.json"_s;
        QTest::newRow("empty") << QString() << u" \u2014 Streaming Master.json"_s;
    }

    void fileName()
    {
        QFETCH(QString, name);
        QFETCH(QString, file);
        Project p;
        p.name = name;
        QCOMPARE(ExportManifest::make(p, u"streaming"_s, when).fileName(), file);
    }

    void writesReplacesAndWritesBeside()
    {
        QTemporaryDir root;
        const QString folder = root.filePath(u"Videos/Palisademotion Exports"_s);
        Project p = series();
        p.name = u"Night/Day"_s;

        const ManifestWriteResult first = writeManifest(ExportManifest::make(p, u"streaming"_s, when), folder);
        QVERIFY2(first.path, qPrintable(first.error));
        QCOMPARE(*first.path, QDir(folder).filePath(u"Night-Day \u2014 Streaming Master.json"_s));
        QCOMPARE(readObject(*first.path).value(u"scenes"_s).toInt(), 7);

        p.episodes.removeLast();
        const ManifestWriteResult again = writeManifest(ExportManifest::make(p, u"streaming"_s, when), folder);
        QCOMPARE(again.path, first.path);
        QCOMPARE(readObject(*first.path).value(u"scenes"_s).toInt(), 3);

        const ManifestWriteResult web = writeManifest(ExportManifest::make(p, u"web"_s, when), folder);
        QVERIFY(web.path);
        QCOMPARE(QDir(folder).entryList(QDir::Files, QDir::Name),
                 QStringList({u"Night-Day \u2014 Streaming Master.json"_s, u"Night-Day \u2014 Web & Social.json"_s}));
    }

    void failuresAreReportedAndWriteNothing_data()
    {
        QTest::addColumn<QString>("blocker"); // a file where a folder should be
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("seconds");
        QTest::newRow("file in place of the export folder")
            << u"Videos/Palisademotion Exports"_s << u"Night"_s << 1.0;
        QTest::newRow("file in place of the videos folder") << u"Videos"_s << u"Night"_s << 1.0;
        QTest::newRow("name too long") << QString() << QString(300, u'x') << 1.0;
        QTest::newRow("length not a number")
            << QString() << u"Night"_s << std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("infinite length") << QString() << u"Night"_s << std::numeric_limits<double>::infinity();
    }

    void failuresAreReportedAndWriteNothing()
    {
        QFETCH(QString, blocker);
        QFETCH(QString, name);
        QFETCH(double, seconds);
        QTemporaryDir root;
        if (!blocker.isEmpty()) {
            QDir(root.path()).mkpath(QFileInfo(root.filePath(blocker)).path());
            QFile file(root.filePath(blocker));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        Project p;
        p.name = name;
        p.episodes = {episode(1, 1, {seconds})};
        const ManifestWriteResult result =
            writeManifest(ExportManifest::make(p, u"streaming"_s, when), root.filePath(u"Videos/Palisademotion Exports"_s));
        QVERIFY(!result.path);
        QVERIFY2(result.error.startsWith(u"Couldn't write the export manifest: "_s), qPrintable(result.error));
        // The system's reason follows the prefix.
        QVERIFY(result.error.size() > QStringView(u"Couldn't write the export manifest: ").size());
        QStringList written;
        for (QDirIterator it(root.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
            written << it.next();
        QCOMPARE(written.size(), blocker.isEmpty() ? 0 : 1);
    }
};

QTEST_MAIN(ExportManifestTest)
#include "ExportManifestTest.moc"
