#pragma once

// One entry of the update feed: the JSON document the feed address serves.
// Only read, never written. Keys other than these four are ignored.

#include "model/Json.h"

#include <QString>
#include <optional>

namespace studio {

struct UpdateInfo {
    QString version;
    QString notes;
    QString zipURL;
    // The lowest system version the update runs on. Read so that feeds carrying
    // it decode, but the Linux build has no system version to hold it against.
    std::optional<QString> minOS;

    static UpdateInfo fromJson(const json::Reader& r);

    friend bool operator==(const UpdateInfo&, const UpdateInfo&) = default;
};

} // namespace studio
