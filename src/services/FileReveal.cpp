#include "services/FileReveal.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace studio {

bool revealInFileManager(const QString& path)
{
    const QFileInfo info(path);
    const QUrl itemUrl = QUrl::fromLocalFile(info.absoluteFilePath());
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        QDBusInterface manager(QStringLiteral("org.freedesktop.FileManager1"),
                               QStringLiteral("/org/freedesktop/FileManager1"),
                               QStringLiteral("org.freedesktop.FileManager1"), bus);
        if (manager.isValid()) {
            const QDBusMessage reply = manager.call(QStringLiteral("ShowItems"),
                                                    QStringList{itemUrl.toString()}, QString());
            if (reply.type() != QDBusMessage::ErrorMessage)
                return true;
        }
    }
    const QString folder = info.isDir() ? info.absoluteFilePath() : info.absolutePath();
    return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

} // namespace studio
