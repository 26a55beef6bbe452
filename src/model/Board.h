#pragma once

// The storyboard of an episode: scene cards holding shots, shots collecting
// the takes the generation queue renders for them.
//
// A default-constructed record is a new record: ids, seeds and creation
// dates are drawn fresh by the default member initialisers.

#include "model/Cast.h"
#include "model/Date.h"
#include "model/Enum.h"
#include "model/Json.h"

#include <QList>
#include <QString>
#include <QUuid>
#include <optional>

namespace studio {

enum class ShotSize {
    extremeWide, wide, full, medium, mediumClose, closeUp,
    extremeClose, overShoulder, pov, insert, twoShot
};

struct ShotSizeRow {
    ShotSize value;
    QString raw;
    QString abbrev;
    QString label;
    QString promptPhrase;
};

template <>
struct EnumTable<ShotSize> {
    static constexpr const char* typeName = "ShotSize";
    static const QList<ShotSizeRow>& rows();
};

inline const QString& abbrev(ShotSize s) { return enumRow(s).abbrev; }
inline const QString& promptPhrase(ShotSize s) { return enumRow(s).promptPhrase; }
// The size in words, as a reader says it ("Extreme wide shot" for "EWS").
QString spokenSize(ShotSize s);
// The size whose abbreviation is `abbrev` ("OTS"), if any.
std::optional<ShotSize> sizeWithAbbrev(QStringView abbrev);

enum class CameraMove {
    locked, pan, tilt, pushIn, pullOut, track, crane,
    handheld, orbit, zoom, whipPan, dollyZoom, aerial
};

struct CameraMoveRow {
    CameraMove value;
    QString raw;
    QString label;
    QString promptPhrase;
};

template <>
struct EnumTable<CameraMove> {
    static constexpr const char* typeName = "CameraMove";
    static const QList<CameraMoveRow>& rows();
};

inline const QString& promptPhrase(CameraMove m) { return enumRow(m).promptPhrase; }

enum class SceneSetting { interior, exterior };

struct SceneSettingRow {
    SceneSetting value;
    QString raw;
    QString headingWord; // "INT" / "EXT"
};

template <>
struct EnumTable<SceneSetting> {
    static constexpr const char* typeName = "SceneSetting";
    static const QList<SceneSettingRow>& rows();
};

inline const QString& headingWord(SceneSetting s) { return enumRow(s).headingWord; }

enum class TimeOfDay { dawn, day, dusk, night };

struct TimeOfDayRow {
    TimeOfDay value;
    QString raw;
    QString label; // "Dawn"; the scene heading upper-cases it
};

template <>
struct EnumTable<TimeOfDay> {
    static constexpr const char* typeName = "TimeOfDay";
    static const QList<TimeOfDayRow>& rows();
};

// Derived from a shot, never stored.
enum class ShotStatus { planned, rendered, approved };

struct ShotStatusRow {
    ShotStatus value;
    QString raw;
    QString label;
};

template <>
struct EnumTable<ShotStatus> {
    static constexpr const char* typeName = "ShotStatus";
    static const QList<ShotStatusRow>& rows();
};

struct Take {
    QUuid id = newId();
    Date createdAt = Date::now();
    QString seed = newSeed();
    QString note;

    static Take fromJson(const json::Reader& r); // strict
    void toJson(json::Writer& w) const;
    friend bool operator==(const Take&, const Take&) = default;
};

struct Shot {
    QUuid id = newId();
    ShotSize size = ShotSize::medium;
    CameraMove move = CameraMove::locked;
    double seconds = 5.0;
    QString what;
    QString dialogue;
    QString frameSeed = newSeed();
    QList<Take> takes; // oldest first
    std::optional<QUuid> approvedTakeID;
    std::optional<QString> recipeID;

    // The approved take's seed, else the last take's, else the frame seed.
    QString bestSeed() const;
    // approved when an approval is set (even if its take is gone), else
    // rendered when there are takes, else planned.
    ShotStatus status() const;

    static Shot fromJson(const json::Reader& r); // lenient
    void toJson(json::Writer& w) const;
    friend bool operator==(const Shot&, const Shot&) = default;
};

struct SceneCard {
    QUuid id = newId();
    SceneSetting setting = SceneSetting::interior;
    std::optional<QUuid> locationID;
    QString locationText;
    TimeOfDay timeOfDay = TimeOfDay::day;
    QString synopsis;
    QList<QUuid> castIDs;
    QList<Shot> shots;

    // The linked location's name (even when empty), else the free text when
    // it isn't empty, else "Location TBD".
    QString locationName(const QList<Location>& locations) const;
    // "INT. LOCATION TBD — DAY", the place cut to its display prefix
    // (text::displayPrefix) when it is longer.
    QString slug(const QList<Location>& locations) const;
    double totalSeconds() const;

    static SceneCard fromJson(const json::Reader& r); // strict, locationID optional
    void toJson(json::Writer& w) const;
    friend bool operator==(const SceneCard&, const SceneCard&) = default;
};

} // namespace studio
