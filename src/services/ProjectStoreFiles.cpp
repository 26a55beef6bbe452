#include "services/ProjectStoreFiles.h"

#include "services/ProjectStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QScopeGuard>
#include <QStandardPaths>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace studio::projectfiles {

namespace {

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

} // namespace

std::optional<QString> makeFolder(const QString& path)
{
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(QFile::encodeName(path).toStdString()), error);
    if (!error)
        return std::nullopt;
    return QString::fromLocal8Bit(error.message());
}

// Runs on worker threads; nothing may be thrown out of it.
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

std::optional<WriteFailure> writeDocument(const Project& stamped, const QString& folder)
{
    // Encode before touching the disk: a production that can't be written
    // (a non-finite number) leaves no folder and no file behind.
    QByteArray bytes;
    try {
        bytes = json::encodePretty(stamped);
    } catch (const EncodingError& e) {
        return WriteFailure{e.message(), false};
    } catch (const std::exception& e) {
        return WriteFailure{QString::fromUtf8(e.what()), false};
    }
    // The library reads documents up to a bound; one written past it would
    // be refused at the next start and the production lost with it.
    if (bytes.size() > ProjectStore::maxDocumentBytes)
        return WriteFailure{u"the production is larger than "_s + largestDocumentText()
                                + u", the most the library can read back"_s,
                            false};

    const bool existed = QFileInfo(folder).isDir();
    if (auto reason = makeFolder(folder))
        return WriteFailure{u"couldn't create the folder "_s + QDir::toNativeSeparators(folder) + u": "_s + *reason};
    const std::optional<QString> failure = writeFile(folder + u'/' + documentName, bytes);
    // A first save that failed takes its folder with it: an empty folder
    // would be reported as unreadable at every start. Only an empty one, and
    // only one this save made.
    if (!failure)
        return std::nullopt;
    if (!existed)
        QDir().rmdir(folder);
    return WriteFailure{*failure};
}

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


} // namespace studio::projectfiles
