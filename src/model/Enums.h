#pragma once

// The closed vocabularies of a production: format, genre, rating, idea-card
// kind, and the nine phases with their three groups. Every display text lives
// in the enumeration's one table; label(), rawValue(), fromRaw() and
// allCases() (Enum.h) read it.

#include "model/Enum.h"
#include "model/Story.h"

#include <QList>
#include <QString>

namespace studio {

enum class ProjectFormat { shortFilm, feature, series, anthology, sitcom, custom };

struct ProjectFormatRow {
    ProjectFormat value;
    QString raw;
    QString label;
    QString symbol;
    bool episodic;
    QString episodeNoun;
    StructureKind defaultStructure;
    // The target runtime range in minutes (both ends included); per episode
    // for the episodic formats.
    qint64 runtimeMin;
    qint64 runtimeMax;
};

template <>
struct EnumTable<ProjectFormat> {
    static constexpr const char* typeName = "ProjectFormat";
    static const QList<ProjectFormatRow>& rows();
};

inline const QString& title(ProjectFormat f) { return enumRow(f).label; }
inline const QString& symbol(ProjectFormat f) { return enumRow(f).symbol; }
// series, anthology and sitcom: runtime counts per episode, one episode per planned episode.
inline bool isEpisodic(ProjectFormat f) { return enumRow(f).episodic; }
// "Segment" for anthologies, "Episode" for every other format.
inline const QString& episodeNoun(ProjectFormat f) { return enumRow(f).episodeNoun; }
// The story engine a new episode of the format starts with.
inline StructureKind defaultStructure(ProjectFormat f) { return enumRow(f).defaultStructure; }
inline qint64 runtimeMin(ProjectFormat f) { return enumRow(f).runtimeMin; }
inline qint64 runtimeMax(ProjectFormat f) { return enumRow(f).runtimeMax; }

enum class Genre {
    drama, comedy, sciFi, fantasy, horror, thriller, action,
    romance, mystery, crime, western, adventure, documentary, musical
};

struct GenreRow {
    Genre value;
    QString raw;
    QString label;
};

template <>
struct EnumTable<Genre> {
    static constexpr const char* typeName = "Genre";
    static const QList<GenreRow>& rows();
};

enum class Rating { g, pg, pg13, r, tvMA, unrated };

struct RatingRow {
    Rating value;
    QString raw;
    QString label;
};

template <>
struct EnumTable<Rating> {
    static constexpr const char* typeName = "Rating";
    static const QList<RatingRow>& rows();
};

// `concept` is a C++ keyword: its case is spelled concept_ here; the stored raw value stays "concept".
enum class IdeaCardKind { concept_, scene, image, line, theme };

struct IdeaCardKindRow {
    IdeaCardKind value;
    QString raw;
    QString label;
    QString symbol;
};

template <>
struct EnumTable<IdeaCardKind> {
    static constexpr const char* typeName = "IdeaCardKind";
    static const QList<IdeaCardKindRow>& rows();
};

inline const QString& symbol(IdeaCardKind k) { return enumRow(k).symbol; }

enum class PhaseGroup { dream, design, deliver };

struct PhaseGroupRow {
    PhaseGroup value;
    QString raw;
    QString label;
};

template <>
struct EnumTable<PhaseGroup> {
    static constexpr const char* typeName = "PhaseGroup";
    static const QList<PhaseGroupRow>& rows();
};

inline const QString& title(PhaseGroup g) { return enumRow(g).label; }

enum class PhaseID { spark, story, cast, script, look, scenes, footage, cut, premiere };

struct PhaseIDRow {
    PhaseID value;
    QString raw;
    QString title;
    PhaseGroup group;
    QString icon;
};

template <>
struct EnumTable<PhaseID> {
    static constexpr const char* typeName = "PhaseID";
    static const QList<PhaseIDRow>& rows();
};

inline const QString& title(PhaseID p) { return enumRow(p).title; }
inline PhaseGroup group(PhaseID p) { return enumRow(p).group; }
inline const QString& icon(PhaseID p) { return enumRow(p).icon; }
// The three phases of a group, in phase order.
QList<PhaseID> phases(PhaseGroup g);

} // namespace studio
