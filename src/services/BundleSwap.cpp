#include "services/BundleSwap.h"

#include "model/Json.h"
#include "services/UpdateError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <cstdio>

namespace studio {

namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// rename(2): atomic within one file system, refuses to cross into another.
bool renamePath(const QString& from, const QString& to, QString* error)
{
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    if (error)
        *error = systemError(errno);
    return false;
}

// A Trash folder as the freedesktop Trash lays it out: "<trash>/files/<name>",
// where <trash> is "$XDG_DATA_HOME/Trash", "<top>/.Trash-<uid>" or "<top>/.Trash/<uid>".
bool isInTrash(const QFileInfo& item)
{
    const QDir files = item.absoluteDir();
    if (files.dirName() != QLatin1String("files"))
        return false;
    const QFileInfo trash(files.absolutePath());
    const QString name = QFileInfo(trash.absolutePath()).fileName();
    const QString parent = QFileInfo(trash.absolutePath()).absoluteDir().dirName();
    return name == QLatin1String("Trash") || name.startsWith(QLatin1String(".Trash-"))
        || parent == QLatin1String(".Trash");
}

bool moveToTrash(const QString& path, QString* error)
{
    // Without the data folder, Qt puts a "Trash" folder into the working
    // directory instead of using the user's Trash.
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    QFile item(path);
    if (!item.moveToTrash()) {
        *error = item.errorString();
        return false;
    }
    // When no Trash folder can be set up, Qt still "succeeds" by moving the
    // item into "files/" below the working directory. Undo that and fail.
    const QFileInfo trashed(item.fileName());
    if (isInTrash(trashed))
        return true;
    renamePath(trashed.absoluteFilePath(), path, nullptr);
    const QString top = QFileInfo(trashed.absolutePath()).absolutePath();
    QFile::remove(top + QStringLiteral("/info/") + trashed.fileName() + QStringLiteral(".trashinfo"));
    QDir(top).rmdir(QStringLiteral("files"));
    QDir(top).rmdir(QStringLiteral("info"));
    *error = QStringLiteral("no usable Trash folder");
    return false;
}

} // namespace

BundleSwap::BundleSwap(QString target)
    : m_target(QDir::cleanPath(std::move(target)))
{
    const QFileInfo info(m_target);
    m_scratch = info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral("-update-")
        + uuidString(newId());
}

BundleSwap::~BundleSwap()
{
    if (!m_keepScratch)
        removeTree(m_scratch);
}

void BundleSwap::stage(const QString& newBundle)
{
    if (!QDir().mkdir(m_scratch))
        throw UpdateError(QStringLiteral("The folder of the app isn't writable (%1).")
                              .arg(QDir::toNativeSeparators(QFileInfo(m_target).absolutePath())));
    m_staged = m_scratch + QStringLiteral("/new");
    copyTree(newBundle, m_staged);
}

void BundleSwap::replace()
{
    QString error;
    m_aside = m_scratch + u'/' + QFileInfo(m_target).fileName();
    if (!renamePath(m_target, m_aside, &error))
        throw UpdateError(QStringLiteral("The running app couldn't be moved aside (%1).").arg(error));
    if (!renamePath(m_staged, m_target, &error)) {
        const QString failure = QStringLiteral("The new version couldn't be put in place (%1).").arg(error);
        undoSwap();
        throw UpdateError(failure);
    }

    QString trashError;
    if (!moveToTrash(m_aside, &trashError)) {
        const QString failure = QStringLiteral("The old version couldn't be moved to the Trash (%1).").arg(trashError);
        // Put the new bundle back into the scratch folder and the old one in place.
        if (renamePath(m_target, m_staged, nullptr))
            undoSwap();
        else
            m_keepScratch = true;
        throw UpdateError(failure);
    }
    m_aside.clear();
}

void BundleSwap::undoSwap()
{
    QString error;
    if (!renamePath(m_aside, m_target, &error)) {
        // The old bundle now only lives in the scratch folder: keep it.
        m_keepScratch = true;
        throw UpdateError(QStringLiteral("The old version couldn't be put back; it is in %1 (%2).")
                              .arg(QDir::toNativeSeparators(m_aside), error));
    }
    m_aside.clear();
}

void BundleSwap::copyTree(const QString& from, const QString& to)
{
    const QFileInfo source(from);
    if (source.isSymLink()) {
        // Copy the link as it is written, not what it points at.
        QByteArray target(4096, '\0');
        const ssize_t length = ::readlink(QFile::encodeName(from).constData(), target.data(), target.size());
        if (length < 0 || length >= target.size())
            throw UpdateError(QStringLiteral("%1 couldn't be read.").arg(QDir::toNativeSeparators(from)));
        target.truncate(length);
        if (::symlink(target.constData(), QFile::encodeName(to).constData()) != 0)
            throw UpdateError(QStringLiteral("%1 couldn't be written (%2).")
                                  .arg(QDir::toNativeSeparators(to), systemError(errno)));
        return;
    }
    if (source.isDir()) {
        if (!QDir().mkdir(to))
            throw UpdateError(QStringLiteral("%1 couldn't be created.").arg(QDir::toNativeSeparators(to)));
        const QStringList names = QDir(from).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                                       | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString& name : names)
            copyTree(from + u'/' + name, to + u'/' + name);
        QFile::setPermissions(to, source.permissions());
        return;
    }
    if (source.isFile()) {
        QFile file(from);
        if (!file.copy(to))
            throw UpdateError(QStringLiteral("%1 couldn't be copied (%2).")
                                  .arg(QDir::toNativeSeparators(from), file.errorString()));
        QFile::setPermissions(to, source.permissions());
        return;
    }
    throw UpdateError(QStringLiteral("%1 isn't a file or folder.").arg(QDir::toNativeSeparators(from)));
}

bool BundleSwap::removeTree(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    if (info.isDir() && !info.isSymLink()) {
        QFile::setPermissions(path, info.permissions() | QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QStringList names = QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                                       | QDir::NoDotAndDotDot);
        bool ok = true;
        for (const QString& name : names)
            ok = removeTree(path + u'/' + name) && ok;
        return QDir().rmdir(path) && ok;
    }
    return QFile::remove(path);
}

} // namespace studio
