#include "services/ProjectStore.h"

#include "model/Text.h"
#include "services/ProjectStoreFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>
#include <QtConcurrent>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace studio {

using namespace projectfiles;

namespace {

// The frame a new production of each format starts with.
AspectRatio defaultAspect(ProjectFormat format)
{
    switch (format) {
    case ProjectFormat::series:
    case ProjectFormat::sitcom:
        return AspectRatio::hd169;
    case ProjectFormat::anthology:
        return AspectRatio::flat185;
    case ProjectFormat::shortFilm:
    case ProjectFormat::feature:
    case ProjectFormat::custom:
        break;
    }
    return AspectRatio::scope239;
}

// The episode with that number as a new production of this one's format has
// it: titled after the production when the format makes a single film, else
// "<noun> <number>", with the format's story structure and its template acts.
Episode newEpisode(const Project& project, qint64 number)
{
    Episode episode;
    episode.number = number;
    episode.title = isEpisodic(project.format) ? episodeNoun(project.format) + u' ' + QString::number(number)
                                               : project.name;
    const StructureKind kind = defaultStructure(project.format);
    episode.structure = StoryStructure{kind, structureTemplate(kind)};
    return episode;
}

} // namespace

ProjectStore::ProjectStore(QObject* parent, std::chrono::milliseconds autosaveDelay,
                           std::chrono::milliseconds longestWait)
    : QObject(parent), m_autosaveDelay(autosaveDelay), m_longestWait(longestWait)
{
}

void ProjectStore::setRetryBackOff(std::chrono::milliseconds first, std::chrono::milliseconds longest)
{
    m_retryFirst = first;
    m_retryLongest = std::max(first, longest);
}

ProjectStore::~ProjectStore()
{
    // A write under way finishes; only its landing in the library is dropped.
    for (const PendingAutosave& pending : std::as_const(m_autosaves)) {
        if (pending.writing)
            pending.writing->waitForFinished();
    }
}

QString ProjectStore::rootPath()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        base = QDir::homePath();
    return base + u"/Palisademotion/Projects"_s;
}

QString ProjectStore::folderPath(const QUuid& id)
{
    return rootPath() + u'/' + uuidString(id) + u'.' + folderExtension;
}

QString ProjectStore::folderOf(const QUuid& id) const
{
    const auto it = m_folders.constFind(id);
    return it != m_folders.cend() ? *it : folderPath(id);
}

void ProjectStore::setClock(Clock clock)
{
    m_clock = std::move(clock);
}

Date ProjectStore::now() const
{
    return m_clock ? m_clock() : Date::now();
}

void ProjectStore::fail(const QString& message, const QUuid& production)
{
    const bool changed = message != m_lastError;
    m_lastError = message;
    if (changed)
        Q_EMIT lastErrorChanged();
    Q_EMIT errorOccurred(message, production);
}

void ProjectStore::load()
{
    const QString root = rootPath();
    // A root that can't be made shows up as an empty library below.
    makeFolder(root);

    const QFileInfoList entries = QDir(root).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    QStringList folders;
    for (const QFileInfo& entry : entries) {
        if (entry.suffix() == folderExtension)
            folders.append(entry.filePath());
    }

    // The documents are independent of each other: decode them on every
    // core, then take the results in folder order.
    QList<DecodedEntry> decoded = QtConcurrent::blockingMapped(folders, decodeEntry);

    // Which folder keeps each id: the one named for it, else the first by name.
    QHash<QUuid, qsizetype> keeper;
    for (qsizetype i = 0; i < decoded.size(); ++i) {
        const std::optional<Project>& project = decoded[i].project;
        if (project && QFileInfo(folders[i]).fileName() == uuidString(project->id) + u'.' + folderExtension)
            keeper.insert(project->id, i);
    }
    for (qsizetype i = 0; i < decoded.size(); ++i) {
        if (decoded[i].project && !keeper.contains(decoded[i].project->id))
            keeper.insert(decoded[i].project->id, i);
    }

    QList<Project> loaded;
    loaded.reserve(decoded.size());
    QHash<QUuid, QString> loadedFrom;
    for (qsizetype i = 0; i < decoded.size(); ++i) {
        if (!decoded[i].project) {
            // The reason is ours: the codec isolates each value from the file
            // it quotes, and wrapping the whole reason would let those values
            // reorder its words.
            fail(u"Couldn't read "_s + text::isolated(QFileInfo(folders[i]).fileName()) + u": "_s
                 + decoded[i].failure);
            continue;
        }
        // Each decoded production is taken, not copied (a feature film is
        // megabytes of text).
        Project project = std::move(*decoded[i].project);
        if (project.episodes.isEmpty())
            project.episodes = {newEpisode(project, 1)};
        if (const qsizetype kept = keeper.value(project.id); kept != i) {
            // A link to the folder that keeps it is that same production.
            if (QFileInfo(folders[i]).canonicalFilePath() == QFileInfo(folders[kept]).canonicalFilePath())
                continue;
            // Left with the id it shares, this copy would come back as the
            // production itself once the other folder went to the Trash.
            project.id = newId();
            project.name += u" Copy"_s;
            if (auto failure = writeDocument(project, folders[i]))
                writeFailed(project, *failure, Attempt::save);
        }
        loadedFrom.insert(project.id, folders[i]);
        loaded.append(std::move(project));
    }

    std::stable_sort(loaded.begin(), loaded.end(),
                     [](const Project& a, const Project& b) { return a.modifiedAt > b.modifiedAt; });
    m_projects = std::move(loaded);
    m_folders = std::move(loadedFrom);
    Q_EMIT projectsChanged();
}

bool ProjectStore::save(const Project& project)
{
    if (m_trashed.contains(project.id))
        return true;
    waitForWrite(project.id);

    Project stamped = project;
    stamped.modifiedAt = now();
    if (auto failure = writeDocument(stamped, folderOf(project.id))) {
        writeFailed(std::move(stamped), *failure, Attempt::save);
        // A snapshot that fell due while the write in flight ran goes out
        // now, unless this save's copy took its place.
        startWrite(project.id);
        return false;
    }
    // A snapshot that fell due before this save, or a copy waiting to be
    // tried again, holds nothing newer than it.
    if (auto it = m_autosaves.find(project.id); it != m_autosaves.end()) {
        if (it->due || it->again) {
            it->snapshot.reset();
            it->deadline->stop();
            it->due = false;
            it->again = false;
        }
        it->retry->stop();
        it->backOff = {};
    }
    land(std::move(stamped));
    return true;
}

void ProjectStore::land(Project stamped)
{
    const QUuid id = stamped.id;
    auto it = std::find_if(m_projects.begin(), m_projects.end(),
                           [&](const Project& p) { return p.id == stamped.id; });
    if (it != m_projects.end())
        *it = std::move(stamped);
    else
        m_projects.prepend(std::move(stamped));
    Q_EMIT projectsChanged();
    Q_EMIT saved(id);
}

bool ProjectStore::remove(const QUuid& id)
{
    // A save that fired after the move would bring the folder back. The
    // write in flight lands first: one that fails would otherwise be tried
    // again.
    waitForWrite(id);
    cancelAutosave(id);

    const QString folder = folderOf(id);
    const QFileInfo info(folder);
    if (info.exists() || info.isSymLink()) {
        if (auto reason = moveToTrash(folder)) {
            fail(u"Move to Trash failed: "_s + *reason);
            return false;
        }
    }

    m_trashed.insert(id);
    m_folders.remove(id);
    const qsizetype removed = m_projects.removeIf([&](const Project& p) { return p.id == id; });
    if (removed > 0)
        Q_EMIT projectsChanged();
    Q_EMIT trashed(id);
    return true;
}

Project ProjectStore::create(const QString& name, ProjectFormat format, qint64 episodeCount,
                             const QList<Genre>& genres, qint64 runtime)
{
    Project project;
    // Only a name of nothing but spaces and tabs is replaced; any other name
    // is kept as typed, surrounding spaces included.
    project.name = text::isBlank(name) ? u"Untitled"_s : name;
    project.format = format;
    project.idea.genres = genres;
    project.idea.targetRuntimeMinutes = runtime;
    project.look.aspect = defaultAspect(format);

    const qint64 count = isEpisodic(format) && episodeCount > 1 ? episodeCount : 1;
    QList<Episode> episodes;
    episodes.reserve(count);
    for (qint64 number = 1; number <= count; ++number)
        episodes.append(newEpisode(project, number));
    project.episodes = std::move(episodes);

    save(project);
    return project;
}

} // namespace studio
