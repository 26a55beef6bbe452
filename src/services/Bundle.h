#pragma once

// The installable application directory, "<Name>.app/":
//     bin/palisademotion   the program
//     share/…              its resources
//     Info.json            {"CFBundleShortVersionString": "<version>"}
// The program only updates itself when it runs from such a directory; a build
// tree or a system-wide install is "not a bundle".

#include <QString>
#include <optional>

namespace studio {

class Bundle {
public:
    static inline const QString infoFileName = QStringLiteral("Info.json");
    static inline const QString executableName = QStringLiteral("bin/palisademotion");
    static inline const QString versionKey = QStringLiteral("CFBundleShortVersionString");

    // The bundle whose program lives in `executableDir` ("<X>.app/bin" next to
    // "<X>.app/Info.json"), or an empty string when the program isn't in one.
    static QString rootForExecutableDir(const QString& executableDir);
    // The bundle the running program belongs to, or an empty string.
    static QString runningRoot();

    // The version string of a bundle's Info.json, when it holds one.
    static std::optional<QString> shortVersion(const QString& root);
    static QString executable(const QString& root) { return root + u'/' + executableName; }

    // Empty when `root` is a usable bundle: a readable Info.json with a
    // version and a program that is an executable regular file. Otherwise what
    // is wrong with it.
    static QString problem(const QString& root);
};

} // namespace studio
