#include "design/style/QtPrivateState.h"

#include <QString>
#include <QVersionNumber>

#include <optional>

namespace studio {

namespace {

std::optional<bool>& decided()
{
    static std::optional<bool> same;
    return same;
}

} // namespace

bool QtPrivateState::sameQt(QStringView running, QStringView built)
{
    qsizetype runningEnd = 0;
    qsizetype builtEnd = 0;
    const QVersionNumber r = QVersionNumber::fromString(running, &runningEnd);
    const QVersionNumber b = QVersionNumber::fromString(built, &builtEnd);
    // Every part of both read as a number, and a patch level in each.
    return runningEnd == running.size() && builtEnd == built.size() && r.segmentCount() == 3 && r == b;
}

bool QtPrivateState::runningQtIsBuildQt()
{
    std::optional<bool>& decision = decided();
    if (!decision) {
        decision = sameQt(QString::fromLatin1(qVersion()), QStringLiteral(QT_VERSION_STR));
        if (!*decision) {
            qWarning("Palisademotion was built with Qt %s but runs with Qt %s: it leaves Qt's private state alone "
                     "(a line edit's character places are told from its font, a text made new for readers stays "
                     "the same object to them, a tag typed in a field that closes with its page is not kept, and "
                     "no guard stands in front of the accessibility bridge).",
                     QT_VERSION_STR, qVersion());
        }
    }
    return *decision;
}

void QtPrivateState::assumeRunningQtIsBuildQt(bool same)
{
    decided() = same;
}

} // namespace studio
