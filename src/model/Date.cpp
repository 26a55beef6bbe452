#include "model/Date.h"


#include <chrono>
#include <cmath>

namespace studio {

Date Date::now()
{
    using namespace std::chrono;
    const auto sinceEpoch = duration_cast<microseconds>(system_clock::now().time_since_epoch());
    return Date(double(sinceEpoch.count()) / 1e6 - referenceOffsetFromUnixEpoch);
}

QDateTime Date::toDateTime() const
{
    const double ms = std::round(secondsSinceUnixEpoch() * 1000.0);
    if (!std::isfinite(ms) || std::fabs(ms) > 8.0e15)
        return QDateTime();
    return QDateTime::fromMSecsSinceEpoch(qint64(ms), Qt::UTC);
}

QString Date::toIso8601() const
{
    const QDateTime dt = toDateTime();
    return dt.isValid() ? dt.toString(Qt::ISODate) : QString();
}

} // namespace studio
