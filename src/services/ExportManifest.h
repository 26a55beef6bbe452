#pragma once

// The export of a production: no video is made, only a small JSON record of
// what the delivery would be (the production, the delivery format, the look,
// the counts and the length of the assembled cut, and when it was made),
// written into the exports folder under the user's videos folder, one file
// per production and delivery format.

#include "model/Json.h"
#include "model/Project.h"

#include <QDateTime>
#include <QString>
#include <QStringView>
#include <optional>

namespace studio {

// What a delivery holds, counted over every episode of the production.
struct DeliveryCounts {
    qint64 episodes = 0;
    qint64 scenes = 0;
    qint64 shots = 0;
    qint64 takes = 0;
    // Each episode's clips summed from 0, the episode sums added in episode
    // order.
    double assembledSeconds = 0;
};
DeliveryCounts countDelivery(const Project& project);

struct ExportManifest {
    QString project;
    QString format;
    QString preset;
    QString codec;
    QString resolution;
    QString aspect;
    QString frameRate;
    QString style;
    qint64 episodes = 0;
    qint64 scenes = 0;
    qint64 shots = 0;
    double assembledSeconds = 0;
    QDateTime exportedAt; // written in UTC to the whole second

    // The record of a production exported now with the preset of that id (the
    // catalog's first preset when no row has it).
    static ExportManifest make(const Project& project, QStringView presetID, const QDateTime& now);

    // "<name> — <preset>.json", the name's "/" and NUL characters made "-" so
    // the name can't leave the folder or cut the path short.
    QString fileName() const;

    static ExportManifest fromJson(const json::Reader& r); // every key required
    void toJson(json::Writer& w) const;
    friend bool operator==(const ExportManifest&, const ExportManifest&) = default;
};

QString manifestFileName(const QString& projectName, const QString& presetName);

// The user's videos folder: the first one the system reports, else "Videos"
// in the home folder.
QString videosFolder();
// Where exports go: "Palisademotion Exports" inside the videos folder.
QString exportFolder();
QString exportFolderName();

// The written file, or the text of the failure: "Couldn't write the export
// manifest: " and the system's description.
struct ManifestWriteResult {
    std::optional<QString> path;
    QString error;
};

// Creates the folder (with any missing folders above it) and writes the
// manifest into it atomically, replacing a file of the same name. A manifest
// that can't be encoded (a length that isn't a finite number) is refused
// and nothing is written.
ManifestWriteResult writeManifest(const ExportManifest& manifest, const QString& folder);

} // namespace studio
