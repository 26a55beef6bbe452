#include "services/UpdateArchive.h"

#include "services/UpdateError.h"

#include "model/Text.h"

#include <QHash>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QStringList>
#include <qcoro/qcoroprocess.h>

#include <chrono>
#include <optional>

namespace studio {

namespace {

// A link target longer than this isn't a path.
constexpr qint64 maxLinkTargetBytes = 4096;
// Links resolved through other links before the chain counts as a loop.
constexpr int maxLinkHops = 40;

QProcessEnvironment toolEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // These variables carry default options into unzip and zipinfo: none of
    // them may change how the archive is listed or where it is unpacked.
    for (const char* name : {"UNZIP", "UNZIPOPT", "ZIPINFO", "ZIPINFOOPT"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    return env;
}

QCoro::Task<QByteArray> runUnzip(QStringList arguments)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("unzip"));
    if (program.isEmpty())
        throw UpdateError(UpdateError::unpackFailed());
    QProcess process;
    process.setProcessEnvironment(toolEnvironment());
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    auto coro = qCoro(process);
    if (!co_await coro.start(program, arguments, QIODevice::ReadOnly))
        throw UpdateError(UpdateError::unpackFailed());
    co_await coro.waitForFinished(std::chrono::milliseconds(-1));
    if (process.state() != QProcess::NotRunning || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0)
        throw UpdateError(UpdateError::unpackFailed());
    co_return process.readAllStandardOutput();
}

bool hasControlCharacter(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return true;
    }
    return false;
}

// The path components of an entry name, or nothing when the name could leave
// the folder it is unpacked into or names the same place in two spellings.
std::optional<QStringList> safeComponents(const QString& name)
{
    QString path = name;
    if (path.endsWith(u'/'))
        path.chop(1);
    if (path.isEmpty() || path.startsWith(u'/') || path.contains(u'\\') || hasControlCharacter(path))
        return std::nullopt;
    const QStringList parts = path.split(u'/');
    for (const QString& part : parts) {
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return std::nullopt;
    }
    return parts;
}

// Where a path inside the archive leads once the archive's own links are
// followed; nothing when it climbs above the archive's top level or loops.
std::optional<QStringList> resolve(QStringList pending, const QHash<QString, QString>& links)
{
    QStringList out;
    int hops = 0;
    while (!pending.isEmpty()) {
        const QString part = pending.takeFirst();
        if (part.isEmpty() || part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            if (out.isEmpty())
                return std::nullopt;
            out.removeLast();
            continue;
        }
        out.append(part);
        const auto link = links.constFind(out.join(u'/'));
        if (link == links.cend())
            continue;
        if (++hops > maxLinkHops || link->startsWith(u'/'))
            return std::nullopt;
        out.removeLast();
        pending = link->split(u'/') + pending;
    }
    return out;
}

// The tool's arguments are built outside the coroutines: g++ 12 can't keep
// brace-initialised lists in a coroutine frame.
QStringList listArguments(const QString& option, const QString& archive)
{
    return {option, archive};
}

QStringList printArguments(const QString& archive, const QString& member)
{
    return {QStringLiteral("-p"), archive, UpdateArchive::literalPattern(member)};
}

QStringList extractArguments(const QString& archive, const QString& destination)
{
    // -n: never replace a file (no prompt can wait on input that never comes).
    return {QStringLiteral("-qq"), QStringLiteral("-n"), archive, QStringLiteral("-d"), destination};
}

} // namespace

QString UpdateArchive::unsafeEntryText(const QString& name)
{
    // The name is the archive's: isolated, so its direction marks can't
    // carry the closing quote and full stop away.
    return QStringLiteral("The update archive holds an unsafe entry: “%1”.").arg(text::isolated(name));
}

QString UpdateArchive::tooLargeText()
{
    return QStringLiteral("The update archive is too large to unpack.");
}

QString UpdateArchive::literalPattern(const QString& name)
{
    QString out;
    out.reserve(name.size() + 8);
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        // A bracket holding one character matches that character alone; a
        // leading "-" would otherwise read as an option.
        if (c == u'[' || c == u'*' || c == u'?' || (c == u'-' && i == 0))
            out += u'[' + QString(c) + u']';
        else
            out += c;
    }
    return out;
}

QList<UpdateArchiveEntry> UpdateArchive::parseListing(const QByteArray& names, const QByteArray& longListing)
{
    QStringList nameLines = QString::fromUtf8(names).split(u'\n');
    if (!nameLines.isEmpty() && nameLines.last().isEmpty())
        nameLines.removeLast();

    // "-rw-r--r--  3.0 unx     1234 tx      567 defN 24-Jan-01 12:00 name"
    static const QRegularExpression row(QStringLiteral(
        R"(^(\S+)\s+\S+\s+\S+\s+(\d+)\s+\S+\s+\d+\s+\S+\s+\S+\s+\S+ (.*)$)"));
    QList<UpdateArchiveEntry> entries;
    entries.reserve(nameLines.size());
    for (const QString& line : QString::fromUtf8(longListing).split(u'\n')) {
        const QRegularExpressionMatch m = row.match(line);
        if (!m.hasMatch())
            continue;
        const qsizetype index = entries.size();
        if (index >= nameLines.size() || m.captured(3) != nameLines[index])
            throw UpdateError(UpdateError::unpackFailed());
        bool ok = false;
        const qint64 size = m.captured(2).toLongLong(&ok);
        if (!ok)
            throw UpdateError(tooLargeText());
        entries.append({nameLines[index], m.captured(1).at(0), size, {}});
    }
    if (entries.size() != nameLines.size())
        throw UpdateError(UpdateError::unpackFailed());
    return entries;
}

void UpdateArchive::checkEntries(const QList<UpdateArchiveEntry>& entries)
{
    if (entries.size() > maxEntries)
        throw UpdateError(tooLargeText());

    QList<QStringList> paths;
    QSet<QString> seen;
    QHash<QString, QString> links;
    QSet<QString> linkKeys; // case-folded
    qint64 total = 0;
    paths.reserve(entries.size());
    for (const UpdateArchiveEntry& entry : entries) {
        const std::optional<QStringList> parts = safeComponents(entry.name);
        if (!parts)
            throw UpdateError(unsafeEntryText(entry.name));
        const QString key = parts->join(u'/');
        // A second entry of the same name would be written over (or through)
        // the first; compared without case, as the folder unpacked into may
        // lie on a file system that ignores it.
        if (seen.contains(key.toCaseFolded()))
            throw UpdateError(unsafeEntryText(entry.name));
        seen.insert(key.toCaseFolded());
        if (entry.type == u'l') {
            // A link at the top level belongs to no bundle.
            if (parts->size() < 2 || entry.linkTarget.isEmpty() || hasControlCharacter(entry.linkTarget))
                throw UpdateError(unsafeEntryText(entry.name));
            links.insert(key, entry.linkTarget);
            linkKeys.insert(key.toCaseFolded());
        } else if (entry.type != u'-' && entry.type != u'd') {
            throw UpdateError(unsafeEntryText(entry.name));
        }
        if (entry.size < 0 || entry.size > maxUnpackedBytes - total)
            throw UpdateError(tooLargeText());
        total += entry.size;
        paths.append(*parts);
    }

    // unzip would write an entry beneath a link wherever the link points.
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QStringList& parts = paths[i];
        for (qsizetype n = 1; n < parts.size(); ++n) {
            if (linkKeys.contains(parts.first(n).join(u'/').toCaseFolded()))
                throw UpdateError(unsafeEntryText(entries[i].name));
        }
    }

    // Every link must lead to a place inside the top-level folder that holds it.
    for (qsizetype i = 0; i < paths.size(); ++i) {
        if (entries[i].type != u'l')
            continue;
        const QStringList& parts = paths[i];
        if (entries[i].linkTarget.startsWith(u'/'))
            throw UpdateError(unsafeEntryText(entries[i].name));
        const std::optional<QStringList> resolved
            = resolve(parts.first(parts.size() - 1) + entries[i].linkTarget.split(u'/'), links);
        if (!resolved || resolved->isEmpty() || resolved->first() != parts.first())
            throw UpdateError(unsafeEntryText(entries[i].name));
    }
}

QCoro::Task<QList<UpdateArchiveEntry>> UpdateArchive::list(QString archive)
{
    const QByteArray names = co_await runUnzip(listArguments(QStringLiteral("-Z1"), archive));
    const QByteArray longListing = co_await runUnzip(listArguments(QStringLiteral("-Zl"), archive));
    QList<UpdateArchiveEntry> entries = parseListing(names, longListing);
    for (UpdateArchiveEntry& entry : entries) {
        if (entry.type != u'l')
            continue;
        if (entry.size > maxLinkTargetBytes)
            throw UpdateError(unsafeEntryText(entry.name));
        // A link's target is the content of its entry.
        const QByteArray target = co_await runUnzip(printArguments(archive, entry.name));
        entry.linkTarget = QString::fromUtf8(target);
    }
    co_return entries;
}

QCoro::Task<void> UpdateArchive::unpack(QString archive, QString destination)
{
    const QList<UpdateArchiveEntry> entries = co_await list(archive);
    checkEntries(entries);
    co_await runUnzip(extractArguments(archive, destination));
}

} // namespace studio
