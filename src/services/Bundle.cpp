#include "services/Bundle.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace studio {

namespace {

// Info.json is a few lines; anything much larger isn't one.
constexpr qint64 maxInfoBytes = 1 << 20;

} // namespace

QString Bundle::rootForExecutableDir(const QString& executableDir)
{
    if (executableDir.isEmpty())
        return {};
    const QDir bin(QDir::cleanPath(QFileInfo(executableDir).absoluteFilePath()));
    if (bin.dirName() != QLatin1String("bin"))
        return {};
    const QString root = QFileInfo(bin.absolutePath()).absolutePath();
    const QString name = QFileInfo(root).fileName();
    if (name.size() <= 4 || !name.endsWith(QLatin1String(".app"), Qt::CaseSensitive))
        return {};
    if (!QFileInfo(root + u'/' + infoFileName).isFile())
        return {};
    return root;
}

QString Bundle::runningRoot()
{
    return rootForExecutableDir(QCoreApplication::applicationDirPath());
}

std::optional<QString> Bundle::shortVersion(const QString& root)
{
    if (root.isEmpty())
        return std::nullopt;
    QFile file(root + u'/' + infoFileName);
    if (file.size() > maxInfoBytes || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll());
    const QJsonValue version = doc.object().value(versionKey);
    if (!version.isString())
        return std::nullopt;
    return version.toString();
}

QString Bundle::problem(const QString& root)
{
    const std::optional<QString> version = shortVersion(root);
    if (!version || version->trimmed().isEmpty())
        return QStringLiteral("%1 has no version.").arg(infoFileName);
    const QFileInfo program(executable(root));
    if (program.isSymLink() || !program.isFile() || !program.isExecutable())
        return QStringLiteral("%1 isn't an executable file.").arg(executableName);
    return {};
}

} // namespace studio
