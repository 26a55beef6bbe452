#pragma once

// The visual identity of a production: frame, style and lens ids, lighting
// and mood tags, accent colour, notes and three image dials; plus the fixed
// option lists the look screen offers.

#include "model/Enum.h"
#include "model/Json.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace studio {

enum class AspectRatio { ultra276, scope239, flat185, euro166, hd169, classic43, imax143, vertical916 };

struct AspectRatioRow {
    AspectRatio value;
    QString raw;
    QString label;
    double ratio; // width / height
};

template <>
struct EnumTable<AspectRatio> {
    static constexpr const char* typeName = "AspectRatio";
    static const QList<AspectRatioRow>& rows();
};

inline double ratio(AspectRatio a) { return enumRow(a).ratio; }

enum class FrameRate { f24, f25, f30, f48, f60 };

struct FrameRateRow {
    FrameRate value;
    QString raw;
    QString label;
};

template <>
struct EnumTable<FrameRate> {
    static constexpr const char* typeName = "FrameRate";
    static const QList<FrameRateRow>& rows();
};

enum class StyleCategory { animation, anime, liveAction, stylized };

struct StyleCategoryRow {
    StyleCategory value;
    QString raw;
    QString label;
};

template <>
struct EnumTable<StyleCategory> {
    static constexpr const char* typeName = "StyleCategory";
    static const QList<StyleCategoryRow>& rows();
};

struct LookSpec {
    std::optional<QString> styleID;        // a StylePreset id
    std::optional<QString> directorLensID; // a DirectorLens id
    AspectRatio aspect = AspectRatio::scope239;
    FrameRate frameRate = FrameRate::f24;
    QStringList lensFeel;
    QStringList lightingMood;
    QStringList moodWords;
    QString accentHex = QStringLiteral("D8C49A"); // six upper-case hex digits, no "#"
    QString notes;
    double grain = 0.5;       // clean ... grainy
    double temperature = 0.5; // cool ... warm
    double contrast = 0.5;    // soft ... hard

    // The grade phrases of the dials and the named accent colour, in that order.
    QStringList characterPhrases() const;

    static LookSpec fromJson(const json::Reader& r); // lenient
    void toJson(json::Writer& w) const;
    friend bool operator==(const LookSpec&, const LookSpec&) = default;
};

// The fixed option lists of the look screen.
namespace LookChoices {
const QStringList& lensFeels();
const QStringList& lightingMoods();
const QStringList& accentSwatches();
// Swatch hex text (exact match) → colour name.
const QHash<QString, QString>& accentNames();
} // namespace LookChoices

} // namespace studio
