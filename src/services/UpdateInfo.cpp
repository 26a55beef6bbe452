#include "services/UpdateInfo.h"

namespace studio {

UpdateInfo UpdateInfo::fromJson(const json::Reader& r)
{
    UpdateInfo info;
    info.version = r.required<QString>(QLatin1StringView("version"));
    info.notes = r.required<QString>(QLatin1StringView("notes"));
    info.zipURL = r.required<QString>(QLatin1StringView("zipURL"));
    info.minOS = r.optional<QString>(QLatin1StringView("minOS"));
    return info;
}

} // namespace studio
