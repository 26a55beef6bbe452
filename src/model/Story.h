#pragma once

// The story structure of an episode: one of eight story engines and its acts,
// each act holding its beats.
//
// New records: a default-constructed record is a *new* record. Fields whose
// new value is "fresh" (ids, seeds, creation dates) draw it in their default
// member initialiser, so `Beat{}` or `Act{}` always has an id of its own.

#include "model/Enum.h"
#include "model/Json.h"

#include <QList>
#include <QString>
#include <QUuid>

namespace studio {

enum class StructureKind { threeAct, fiveAct, heroJourney, beatSheet, sitcom, anthologyTale, storyCircle, kishotenketsu };

struct StructureKindRow {
    StructureKind value;
    QString raw;
    QString label;
    QString blurb;
};

template <>
struct EnumTable<StructureKind> {
    static constexpr const char* typeName = "StructureKind";
    static const QList<StructureKindRow>& rows();
};

inline const QString& blurb(StructureKind k) { return enumRow(k).blurb; }

struct Beat {
    QUuid id = newId();
    QString title = QStringLiteral("New Beat");
    QString summary;
    QString hint;
    // Emotional charge: 0 neutral, positive a lift, negative a drop. The story
    // screen stores only 1, -1 and 0.
    double charge = 0.0;

    static Beat fromJson(const json::Reader& r); // lenient
    void toJson(json::Writer& w) const;
    friend bool operator==(const Beat&, const Beat&) = default;
};

struct Act {
    QUuid id = newId();
    QString title = QStringLiteral("New Act");
    QList<Beat> beats;

    static Act fromJson(const json::Reader& r); // strict
    void toJson(json::Writer& w) const;
    friend bool operator==(const Act&, const Act&) = default;
};

struct StoryStructure {
    StructureKind kind = StructureKind::threeAct;
    QList<Act> acts;

    static StoryStructure fromJson(const json::Reader& r); // strict
    void toJson(json::Writer& w) const;
    friend bool operator==(const StoryStructure&, const StoryStructure&) = default;
};

// The kind's built-in acts and beats: fixed titles and hints, empty summaries,
// charge 0 and fresh ids on every call.
QList<Act> structureTemplate(StructureKind kind);

} // namespace studio
