#include "services/ExportManifest.h"

#include "model/Look.h"
#include "model/LookCatalogs.h"
#include "model/Timeline.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <cerrno>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

const QString errorPrefix = u"Couldn't write the export manifest: "_s;

// Creates a folder and the missing folders above it, one at a time, so a
// failure carries the system's reason (mkpath only says that it failed).
bool makeFolders(const QString& path, QString* reason)
{
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    QStringList parts = clean.split(u'/', Qt::SkipEmptyParts);
    QString built;
    for (const QString& part : parts) {
        built += u'/' + part;
        const QByteArray native = QFile::encodeName(built);
        struct stat info {};
        if (::stat(native.constData(), &info) == 0) {
            if (!S_ISDIR(info.st_mode)) {
                *reason = qt_error_string(ENOTDIR);
                return false;
            }
            continue;
        }
        if (errno != ENOENT) {
            *reason = qt_error_string(errno);
            return false;
        }
        if (::mkdir(native.constData(), 0777) != 0 && errno != EEXIST) {
            *reason = qt_error_string(errno);
            return false;
        }
    }
    return true;
}

} // namespace

DeliveryCounts countDelivery(const Project& project)
{
    DeliveryCounts counts;
    counts.episodes = project.episodes.size();
    for (const Episode& episode : project.episodes) {
        counts.scenes += episode.scenes.size();
        for (const SceneCard& scene : episode.scenes) {
            counts.shots += scene.shots.size();
            for (const Shot& shot : scene.shots)
                counts.takes += shot.takes.size();
        }
        double seconds = 0;
        for (const TimelineClip& clip : episode.timeline)
            seconds += clip.seconds;
        counts.assembledSeconds += seconds;
    }
    return counts;
}

ExportManifest ExportManifest::make(const Project& project, QStringView presetID, const QDateTime& now)
{
    const ExportPreset* preset = ExportPreset::find(presetID);
    if (!preset)
        preset = &ExportPreset::catalog().first();
    const StylePreset* style = project.look.styleID ? StylePreset::find(*project.look.styleID) : nullptr;
    const DeliveryCounts counts = countDelivery(project);

    ExportManifest m;
    m.project = project.name;
    m.format = label(project.format);
    m.preset = preset->name;
    m.codec = preset->codec;
    m.resolution = preset->resolution;
    m.aspect = label(project.look.aspect);
    m.frameRate = label(project.look.frameRate);
    m.style = style ? style->name : u"Unset"_s;
    m.episodes = counts.episodes;
    m.scenes = counts.scenes;
    m.shots = counts.shots;
    m.assembledSeconds = counts.assembledSeconds;
    // Whole seconds: the record states the moment, not the milliseconds.
    m.exportedAt = QDateTime::fromSecsSinceEpoch(now.toSecsSinceEpoch(), Qt::UTC);
    return m;
}

QString manifestFileName(const QString& projectName, const QString& presetName)
{
    QString name = projectName;
    for (QChar& c : name) {
        if (c == u'/' || c == QChar(0))
            c = u'-';
    }
    return name + u" \u2014 "_s + presetName + u".json"_s;
}

QString ExportManifest::fileName() const
{
    return manifestFileName(project, preset);
}

ExportManifest ExportManifest::fromJson(const json::Reader& r)
{
    ExportManifest m;
    m.project = r.required<QString>("project"_L1);
    m.format = r.required<QString>("format"_L1);
    m.preset = r.required<QString>("preset"_L1);
    m.codec = r.required<QString>("codec"_L1);
    m.resolution = r.required<QString>("resolution"_L1);
    m.aspect = r.required<QString>("aspect"_L1);
    m.frameRate = r.required<QString>("frameRate"_L1);
    m.style = r.required<QString>("style"_L1);
    m.episodes = r.required<qint64>("episodes"_L1);
    m.scenes = r.required<qint64>("scenes"_L1);
    m.shots = r.required<qint64>("shots"_L1);
    m.assembledSeconds = r.required<double>("assembledSeconds"_L1);
    const QString at = r.required<QString>("exportedAt"_L1);
    m.exportedAt = QDateTime::fromString(at, Qt::ISODate);
    if (!m.exportedAt.isValid())
        r.fail("exportedAt"_L1, u"expected an ISO 8601 date, found '%1'"_s.arg(at));
    m.exportedAt = m.exportedAt.toUTC();
    return m;
}

void ExportManifest::toJson(json::Writer& w) const
{
    w.set("project"_L1, project);
    w.set("format"_L1, format);
    w.set("preset"_L1, preset);
    w.set("codec"_L1, codec);
    w.set("resolution"_L1, resolution);
    w.set("aspect"_L1, aspect);
    w.set("frameRate"_L1, frameRate);
    w.set("style"_L1, style);
    w.set("episodes"_L1, episodes);
    w.set("scenes"_L1, scenes);
    w.set("shots"_L1, shots);
    w.set("assembledSeconds"_L1, assembledSeconds);
    w.set("exportedAt"_L1, exportedAt.toUTC().toString(Qt::ISODate));
}

QString videosFolder()
{
    const QString reported = QStandardPaths::writableLocation(QStandardPaths::MoviesLocation);
    if (!reported.isEmpty())
        return reported;
    return QDir::home().filePath(u"Videos"_s);
}

QString exportFolderName()
{
    return u"Palisademotion Exports"_s;
}

QString exportFolder()
{
    return QDir(videosFolder()).filePath(exportFolderName());
}

ManifestWriteResult writeManifest(const ExportManifest& manifest, const QString& folder)
{
    ManifestWriteResult result;
    QByteArray bytes;
    try {
        bytes = json::encodePretty(manifest);
    } catch (const EncodingError& e) {
        result.error = errorPrefix + e.message();
        return result;
    }
    QString reason;
    if (!makeFolders(folder, &reason)) {
        result.error = errorPrefix + reason;
        return result;
    }
    const QString path = QDir(folder).filePath(manifest.fileName());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        result.error = errorPrefix + file.errorString();
        return result;
    }
    result.path = path;
    return result;
}

} // namespace studio
