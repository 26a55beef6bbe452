#pragma once

// Unpacking of a downloaded update archive with the system's `unzip`, after
// every entry has been listed and checked. An archive is refused before
// anything is written when an entry could land outside the folder it is
// unpacked into (an absolute name, a ".." component, a backslash, a name
// beneath a symbolic link), when a symbolic link points outside the top-level
// folder that holds it, or when the entries declare more than
// maxUnpackedBytes in total.

#include <QChar>
#include <QList>
#include <QString>
#include <qcoro/qcorotask.h>

namespace studio {

struct UpdateArchiveEntry {
    QString name;       // as stored; folders end with "/"
    QChar type;         // '-' file, 'd' folder, 'l' symbolic link, anything else refused
    qint64 size = 0;    // declared unpacked size
    QString linkTarget; // symbolic links: the target text

    friend bool operator==(const UpdateArchiveEntry&, const UpdateArchiveEntry&) = default;
};

class UpdateArchive {
public:
    // The whole unpacked archive: a bundle is far smaller than this, so a larger
    // archive is broken or hostile.
    static constexpr qint64 maxUnpackedBytes = qint64(2) << 30; // 2 GiB
    static constexpr qsizetype maxEntries = 200'000;

    // Lists and checks the archive, then unpacks it into `destination`, an
    // existing empty folder. Throws UpdateError.
    static QCoro::Task<void> unpack(QString archive, QString destination);

    // Reads the entries (names, types, sizes and link targets). Throws UpdateError.
    static QCoro::Task<QList<UpdateArchiveEntry>> list(QString archive);

    // Throws UpdateError for the first entry that isn't safe to unpack.
    static void checkEntries(const QList<UpdateArchiveEntry>& entries);

    // Pairs the output of `unzip -Z1` (names) with that of `unzip -Zl` (types
    // and sizes). Throws UpdateError when they don't describe the same entries.
    static QList<UpdateArchiveEntry> parseListing(const QByteArray& names, const QByteArray& longListing);

    // `unzip` reads member names as wildcard patterns; this pattern matches
    // exactly `name`.
    static QString literalPattern(const QString& name);

    static QString unsafeEntryText(const QString& name);
    static QString tooLargeText();
};

} // namespace studio
