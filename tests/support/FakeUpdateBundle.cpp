#include "support/FakeUpdateBundle.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace studio::test {

void usePrivateHome(const QString& root)
{
    const auto use = [&root](const char* variable, const QString& sub) {
        const QString path = root + u'/' + sub;
        QDir().mkpath(path);
        qputenv(variable, QFile::encodeName(path));
    };
    use("HOME", QStringLiteral("home"));
    use("XDG_DATA_HOME", QStringLiteral("home/.local/share"));
    use("XDG_CONFIG_HOME", QStringLiteral("home/.config"));
    use("XDG_CACHE_HOME", QStringLiteral("home/.cache"));
    use("TMPDIR", QStringLiteral("tmp"));
}

bool writeFile(const QString& path, const QByteArray& content, bool executable)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        return false;
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
    return true;
}

QString writeFakeBundle(const QString& parent, const QString& version, const QString& name)
{
    const QString root = parent + u'/' + name;
    QJsonObject info;
    info.insert(QStringLiteral("CFBundleShortVersionString"), version);
    writeFile(root + QStringLiteral("/Info.json"), QJsonDocument(info).toJson());
    writeFile(root + QStringLiteral("/bin/palisademotion"), "#!/bin/sh\necho " + version.toUtf8() + "\n", true);
    writeFile(root + QStringLiteral("/share/palisademotion/notes.txt"), version.toUtf8());
    return root;
}

bool zipMembers(const QString& dir, const QString& archive, const QStringList& members)
{
    QProcess zip;
    zip.setWorkingDirectory(dir);
    zip.start(QStringLiteral("zip"), QStringList{QStringLiteral("-q"), QStringLiteral("-r"), QStringLiteral("-y"), archive} + members);
    return zip.waitForFinished(30000) && zip.exitStatus() == QProcess::NormalExit && zip.exitCode() == 0;
}

QString bundleVersion(const QString& bundle)
{
    QFile file(bundle + QStringLiteral("/Info.json"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object().value(QStringLiteral("CFBundleShortVersionString")).toString();
}

QStringList treeOf(const QString& dir)
{
    QStringList out;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        out.append(QDir(dir).relativeFilePath(it.next()));
    out.sort();
    return out;
}

} // namespace studio::test
