#include "services/ProjectStore.h"

#include "model/Text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTimer>
#include <QtConcurrent>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

const QString folderExtension = u"palisademotion"_s;
const QString documentName = u"project.json"_s;

// Creates a folder with its missing parents; an existing folder is fine.
// Returns the system's reason on failure.
std::optional<QString> makeFolder(const QString& path)
{
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(QFile::encodeName(path).toStdString()), error);
    if (!error)
        return std::nullopt;
    return QString::fromLocal8Bit(error.message());
}

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::system_category().message(error));
}

QString largestDocumentText()
{
    return QString::number(ProjectStore::maxDocumentBytes >> 20) + u" MB"_s;
}

std::optional<QString> checkDocument(const struct stat& info)
{
    if (!S_ISREG(info.st_mode))
        return documentName + u" is not a regular file"_s;
    if (info.st_size > ProjectStore::maxDocumentBytes)
        return documentName + u" is larger than "_s + largestDocumentText();
    return std::nullopt;
}

// Reads a document whole. Runs on worker threads.
//
// The path is checked before it is opened, so a device is never opened at
// all; the descriptor is checked again, since the entry may have been
// replaced in between. Opening without blocking keeps a pipe put there in the
// meantime from waiting for a writer that never comes.
std::optional<QString> readDocument(const QString& path, QByteArray& bytes)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat info {};
    if (::stat(native.constData(), &info) != 0)
        return systemError(errno);
    if (auto refusal = checkDocument(info))
        return refusal;

    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return systemError(errno);
    const auto closeFile = qScopeGuard([fd] { ::close(fd); });
    if (::fstat(fd, &info) != 0)
        return systemError(errno);
    if (auto refusal = checkDocument(info))
        return refusal;

    // Never more than the size checked: a file that grows meanwhile is read
    // short and fails to decode like any damaged document.
    bytes.resize(qsizetype(info.st_size));
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return systemError(errno);
        if (n == 0)
            break;
        done += n;
    }
    bytes.truncate(done);
    return std::nullopt;
}

struct DecodedEntry {
    std::optional<Project> project;
    QString failure;
};

// Reads and decodes one library entry. Runs on worker threads; nothing may
// be thrown out of it.
DecodedEntry decodeEntry(const QString& folder)
{
    DecodedEntry result;
    try {
        QByteArray bytes;
        if (auto reason = readDocument(folder + u'/' + documentName, bytes))
            result.failure = *reason;
        else
            result.project = json::decode<Project>(bytes);
    } catch (const DecodingError& e) {
        result.failure = e.message();
    } catch (const std::exception& e) {
        result.failure = QString::fromUtf8(e.what());
    } catch (...) {
        result.failure = u"the document couldn't be decoded"_s;
    }
    return result;
}

// Writes the bytes over the document atomically; the reason on failure.
std::optional<QString> writeFile(const QString& path, const QByteArray& bytes)
{
    // QSaveFile writes a temporary file beside the document and renames it
    // over the old one on commit. Unbuffered, so a short write (a full disk)
    // shows in write()'s count: a buffered QSaveFile flushes inside commit(),
    // takes a short write there for success and renames a truncated document
    // over the good one.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    // Qt ends a write at the first short count without an error; writing on
    // from there either finishes or names the cause (a full disk, a size limit).
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0)
            break;
        written += n;
    }
    if (written != bytes.size()) {
        const QString reason = file.error() != QFileDevice::NoError ? file.errorString()
                                                                    : u"the document was only partly written"_s;
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

// Encodes and writes a production into its folder; the reason on failure.
// Runs on the interface thread (explicit saves) and on workers (autosaves),
// never twice at once for one production.
std::optional<QString> writeDocument(const Project& stamped, const QString& folder)
{
    // Encode before touching the disk: a production that can't be written
    // (a non-finite number) leaves no folder and no file behind.
    QByteArray bytes;
    try {
        bytes = json::encodePretty(stamped);
    } catch (const EncodingError& e) {
        return e.message();
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    }
    // The library reads documents up to a bound; one written past it would
    // be refused at the next start and the production lost with it.
    if (bytes.size() > ProjectStore::maxDocumentBytes)
        return u"the production is larger than "_s + largestDocumentText() + u", the most the library can read back"_s;

    const bool existed = QFileInfo(folder).isDir();
    if (auto reason = makeFolder(folder))
        return u"couldn't create the folder "_s + QDir::toNativeSeparators(folder) + u": "_s + *reason;
    const std::optional<QString> failure = writeFile(folder + u'/' + documentName, bytes);
    // A first save that failed takes its folder with it: an empty folder
    // would be reported as unreadable at every start. Only an empty one, and
    // only one this save made.
    if (failure && !existed)
        QDir().rmdir(folder);
    return failure;
}

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

// Moves a file or folder to the freedesktop Trash; the reason on failure.
//
// Qt takes the home Trash to be <data location>/Trash. When it can't set that
// up (the data folder is missing, or "Trash" is not a folder) it still
// reports success, having moved the item into "files" under the working
// directory. So the Trash folders are made first, and an item that lands
// anywhere but an absolute Trash path is moved back.
std::optional<QString> moveToTrash(const QString& path)
{
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataHome.isEmpty())
        return u"there is no data folder to hold the Trash"_s;
    for (const QString& part : {u"/Trash/files"_s, u"/Trash/info"_s}) {
        if (auto reason = makeFolder(dataHome + part))
            return u"couldn't create "_s + QDir::toNativeSeparators(dataHome + part) + u": "_s + *reason;
    }

    QFile item(path);
    if (!item.moveToTrash())
        return item.errorString();
    const QString landed = item.fileName();
    if (QFileInfo(landed).isAbsolute())
        return std::nullopt;

    const QFileInfo stray(landed);
    QFile::rename(stray.absoluteFilePath(), path);
    QFile::remove(stray.absoluteDir().absoluteFilePath(u"../info/"_s + stray.fileName() + u".trashinfo"_s));
    return u"the Trash folder couldn't be set up"_s;
}

} // namespace

ProjectStore::ProjectStore(QObject* parent, std::chrono::milliseconds autosaveDelay,
                           std::chrono::milliseconds longestWait)
    : QObject(parent), m_autosaveDelay(autosaveDelay), m_longestWait(longestWait)
{
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
            if (auto reason = writeDocument(project, folders[i]))
                fail(u"Save failed: "_s + *reason, project.id);
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
    if (auto reason = writeDocument(stamped, folderOf(project.id))) {
        fail(u"Save failed: "_s + *reason, project.id);
        // A snapshot that fell due while the write in flight ran goes out now.
        startWrite(project.id);
        return false;
    }
    // A snapshot that fell due before this save holds nothing newer than it.
    if (auto it = m_autosaves.find(project.id); it != m_autosaves.end() && it->due) {
        it->snapshot.reset();
        it->deadline->stop();
        it->due = false;
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

void ProjectStore::scheduleAutosave(const Project& project)
{
    if (m_trashed.contains(project.id))
        return;
    PendingAutosave& pending = m_autosaves[project.id];
    if (!pending.timer) {
        pending.timer = new QTimer(this);
        pending.timer->setSingleShot(true);
        const QUuid id = project.id;
        connect(pending.timer, &QTimer::timeout, this, [this, id] { autosaveDue(id); });
        pending.deadline = new QTimer(this);
        pending.deadline->setSingleShot(true);
        connect(pending.deadline, &QTimer::timeout, this, [this, id] { autosaveDue(id); });
    }
    // The longest wait counts from the oldest change not yet taken for a
    // write; newer snapshots don't push it back.
    if (!pending.snapshot && !pending.deadline->isActive())
        pending.deadline->start(m_longestWait);
    pending.snapshot = project;
    pending.timer->start(m_autosaveDelay);
}

void ProjectStore::autosaveDue(const QUuid& id)
{
    // Due now, whichever timer fired: with a write in flight the snapshot
    // waits for it to land, and the write after it takes the newest one.
    if (auto it = m_autosaves.find(id); it != m_autosaves.end() && it->snapshot) {
        it->timer->stop();
        it->deadline->stop();
        it->due = true;
    }
    startWrite(id);
}

void ProjectStore::startWrite(const QUuid& id)
{
    auto it = m_autosaves.find(id);
    if (it == m_autosaves.end() || it->writing || !it->snapshot || !it->due)
        return;
    Project stamped = std::move(*it->snapshot);
    it->snapshot.reset();
    it->deadline->stop();
    it->due = false;
    stamped.modifiedAt = now();
    it->written = stamped;

    auto* watcher = new QFutureWatcher<WriteOutcome>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, id] { writeFinished(id, true); });
    it->writing = watcher;
    watcher->setFuture(QtConcurrent::run(
        [stamped = std::move(stamped), folder = folderOf(id)] { return writeDocument(stamped, folder); }));
}

void ProjectStore::writeFinished(const QUuid& id, bool startNext)
{
    auto it = m_autosaves.find(id);
    if (it == m_autosaves.end() || !it->writing)
        return;
    QFutureWatcher<WriteOutcome>* watcher = std::exchange(it->writing, nullptr);
    const WriteOutcome failure = watcher->result();
    Project stamped = std::move(it->written);
    it->written = Project();
    // Also when called from the watcher's own signal.
    watcher->disconnect(this);
    watcher->deleteLater();

    // What the signals below set off may call back into the store.
    if (failure)
        fail(u"Save failed: "_s + *failure, id);
    else
        land(std::move(stamped));
    if (startNext)
        startWrite(id);
}

void ProjectStore::waitForWrite(const QUuid& id)
{
    auto it = m_autosaves.find(id);
    if (it == m_autosaves.end() || !it->writing)
        return;
    it->writing->waitForFinished();
    writeFinished(id, false);
}

void ProjectStore::cancelAutosave(const QUuid& id)
{
    auto it = m_autosaves.find(id);
    if (it == m_autosaves.end())
        return;
    it->timer->stop();
    it->deadline->stop();
    it->due = false;
    it->snapshot.reset();
}

bool ProjectStore::hasPendingAutosave(const QUuid& id) const
{
    auto it = m_autosaves.constFind(id);
    return it != m_autosaves.cend() && (it->snapshot.has_value() || it->writing);
}

bool ProjectStore::remove(const QUuid& id)
{
    // A save that fired after the move would bring the folder back.
    cancelAutosave(id);
    waitForWrite(id);

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
