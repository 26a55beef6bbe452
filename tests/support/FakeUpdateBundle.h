#pragma once

// Builders for the updater's tests: fake application bundles, zip archives
// made with the system's `zip`, and a private home so the Trash, the settings
// and the temporary folder of a test are its own.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace studio::test {

// Points HOME, the XDG folders and TMPDIR into `root` (created as needed).
// Call before anything reads the settings.
void usePrivateHome(const QString& root);

// Writes `<parent>/<name>`: Info.json with `version` and an executable
// bin/palisademotion. Returns the bundle's path.
QString writeFakeBundle(const QString& parent, const QString& version,
                        const QString& name = QStringLiteral("Palisademotion.app"));

// Writes a file (and its folders); `executable` adds the owner's execute bit.
bool writeFile(const QString& path, const QByteArray& content, bool executable = false);

// `zip -q -r -y <archive> <members…>` run in `dir` (links stay links, names
// stay exactly as given, ".." included). Adds to an archive that exists.
bool zipMembers(const QString& dir, const QString& archive, const QStringList& members);

// The version string of `<bundle>/Info.json`, empty when there is none.
QString bundleVersion(const QString& bundle);

// Every entry below `dir`, as relative paths, sorted.
QStringList treeOf(const QString& dir);

} // namespace studio::test
