#include "services/BundleSwap.h"

#include "model/Json.h"
#include "services/UpdateError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>

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

// The freedesktop Trash remembers where an item came from in
// "<trash>/info/<name>.trashinfo", a "Path=" line with the percent-encoded
// path. The old bundle is trashed from the staging folder beside its place;
// its entry must name the place it was installed at, so "Restore" puts it
// back there and not into a hidden folder that no longer exists. The path is
// rewritten in the form the entry already uses (absolute, or relative to the
// top of a volume's own Trash). A failure here leaves the entry as it was:
// the bundle is in the Trash either way.
void recordOrigin(const QString& trashed, const QString& installedName)
{
    const QFileInfo item(trashed);
    const QString infoPath = QFileInfo(item.absolutePath()).absolutePath() + QStringLiteral("/info/")
        + item.fileName() + QStringLiteral(".trashinfo");
    QFile in(infoPath);
    if (!in.open(QIODevice::ReadOnly))
        return;
    QList<QByteArray> lines = in.readAll().split('\n');
    in.close();
    bool changed = false;
    for (QByteArray& line : lines) {
        if (!line.startsWith("Path="))
            continue;
        const QString from = QUrl::fromPercentEncoding(line.mid(5));
        // <place>/<staging folder>/<bundle> becomes <place>/<bundle>.
        const qsizetype bundleSlash = from.lastIndexOf(u'/');
        if (bundleSlash <= 0)
            return;
        const qsizetype stagingSlash = from.lastIndexOf(u'/', bundleSlash - 1);
        const QString place = stagingSlash < 0 ? QString() : from.left(stagingSlash + 1);
        line = "Path=" + QUrl::toPercentEncoding(place + installedName, "/");
        changed = true;
    }
    if (!changed)
        return;
    QSaveFile out(infoPath);
    if (out.open(QIODevice::WriteOnly) && out.write(lines.join('\n')) >= 0)
        out.commit();
}

// On success `trashed` is where the item now lies in the Trash.
bool moveToTrash(const QString& path, QString* error, QString* trashed)
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
    const QFileInfo landed(item.fileName());
    if (isInTrash(landed)) {
        *trashed = landed.absoluteFilePath();
        return true;
    }
    renamePath(landed.absoluteFilePath(), path, nullptr);
    const QString top = QFileInfo(landed.absolutePath()).absolutePath();
    QFile::remove(top + QStringLiteral("/info/") + landed.fileName() + QStringLiteral(".trashinfo"));
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

    QString trashError, trashed;
    if (!moveToTrash(m_aside, &trashError, &trashed)) {
        const QString failure = QStringLiteral("The old version couldn't be moved to the Trash (%1).").arg(trashError);
        // Put the new bundle back into the scratch folder and the old one in place.
        if (renamePath(m_target, m_staged, nullptr))
            undoSwap();
        else
            m_keepScratch = true;
        throw UpdateError(failure);
    }
    recordOrigin(trashed, QFileInfo(m_target).fileName());
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
