#pragma once

#include <QDateTime>
#include <compare>

namespace studio {

// A point in time as stored in production documents: seconds since
// 2001-01-01 00:00:00 UTC, kept as the exact double that was read or made.
// Never round-tripped through QDateTime, which keeps only milliseconds.
class Date {
public:
    constexpr Date() = default;
    constexpr explicit Date(double secondsSinceReference) : m_seconds(secondsSinceReference) {}

    static Date now();
    // Seconds between 1970-01-01 and 2001-01-01 (UTC).
    static constexpr double referenceOffsetFromUnixEpoch = 978307200.0;

    constexpr double secondsSinceReference() const { return m_seconds; }
    double secondsSinceUnixEpoch() const { return m_seconds + referenceOffsetFromUnixEpoch; }
    QDateTime toDateTime() const;
    Date addingSeconds(double s) const { return Date(m_seconds + s); }
    // ISO-8601 in UTC with whole seconds ("2026-12-07T04:38:19Z").
    QString toIso8601() const;

    friend constexpr bool operator==(const Date&, const Date&) = default;
    friend constexpr auto operator<=>(const Date&, const Date&) = default;

private:
    double m_seconds = 0.0;
};

} // namespace studio
