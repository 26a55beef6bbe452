#pragma once

// The process's resident memory in megabytes, from the kernel's account: what
// a cache that should keep little must not make grow, and what the benchmarks
// report.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace studio::test {

// Whether resident memory tells what the program keeps: under
// AddressSanitizer, freed blocks stay resident in its quarantine.
constexpr bool residentMemoryTellsWhatIsKept()
{
#if defined(__SANITIZE_ADDRESS__)
    return false;
#else
    return true;
#endif
}

inline double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

} // namespace studio::test
