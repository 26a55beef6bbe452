#include "design/style/ReduceMotion.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QStringList>

namespace studio {

bool ReduceMotion::keyFileDisablesAnimations(const QString& text)
{
    // GLib key files: "[org/gnome/desktop/interface]" groups, "key=value"
    // lines, values in GVariant text form ("false", "true").
    bool inGroup = false;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString line : lines) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            inGroup = line == QLatin1String("[org/gnome/desktop/interface]");
            continue;
        }
        if (!inGroup)
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        if (line.left(eq).trimmed() == QLatin1String("enable-animations"))
            return line.mid(eq + 1).trimmed() == QLatin1String("false");
    }
    return false;
}

bool ReduceMotion::systemPrefersReducedMotion()
{
    const QString env = qEnvironmentVariable("PALISADEMOTION_REDUCE_MOTION").trimmed().toLower();
    if (env == QLatin1String("1") || env == QLatin1String("true") || env == QLatin1String("yes"))
        return true;
    if (env == QLatin1String("0") || env == QLatin1String("false") || env == QLatin1String("no"))
        return false;
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (config.isEmpty())
        return false;
    QFile file(QDir(config).filePath(QStringLiteral("glib-2.0/settings/keyfile")));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    // A settings key file is tiny; refuse to read anything unreasonable.
    const QByteArray bytes = file.read(1 << 20);
    return keyFileDisablesAnimations(QString::fromUtf8(bytes));
}

} // namespace studio
