#pragma once

// The store's dealings with the disk, free of the store's state: reading a
// production's document, writing one atomically, and the Trash. Each runs on
// the interface thread or on a worker alike, and none throws.

#include "model/Project.h"

#include <QString>
#include <optional>

namespace studio::projectfiles {

inline const QString folderExtension = QStringLiteral("palisademotion");
inline const QString documentName = QStringLiteral("project.json");

// Creates a folder with its missing parents; an existing folder is fine.
// Returns the system's reason on failure.
std::optional<QString> makeFolder(const QString& path);

// What reading one library folder gave: its production, or why there is none.
struct DecodedEntry {
    std::optional<Project> project;
    QString failure;
};
DecodedEntry decodeEntry(const QString& folder);

// Why a document was not written, and whether writing the same document
// again may succeed: a full disk, a folder without permission or a size
// limit can pass, while a document that can't be encoded or is too large to
// be read back fails the same way until the production changes.
struct WriteFailure {
    QString reason;
    bool mayPass = true;
};

// Encodes a production and writes it over the document in its folder at
// once or not at all; the failure when it wasn't written. Never runs twice at
// once for one folder.
std::optional<WriteFailure> writeDocument(const Project& stamped, const QString& folder);

// Moves a file or folder to the freedesktop Trash; the reason on failure.
std::optional<QString> moveToTrash(const QString& path);

} // namespace studio::projectfiles
