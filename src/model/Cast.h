#pragma once

// The characters and places of a production.
//
// A default-constructed record is a new record: ids and seeds are drawn fresh
// by the default member initialisers (`CastMember{}` is a new character named
// "New Character" with its own id and portrait seed).

#include "model/Enum.h"
#include "model/Json.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <optional>

namespace studio {

struct CharacterStarter;

enum class CastRole { lead, support, antagonist, ensemble, cameo };

struct CastRoleRow {
    CastRole value;
    QString raw;
    QString label;
};

template <>
struct EnumTable<CastRole> {
    static constexpr const char* typeName = "CastRole";
    static const QList<CastRoleRow>& rows();
};

enum class LocationKind { interior, exterior, both };

struct LocationKindRow {
    LocationKind value;
    QString raw;
    QString label;
};

template <>
struct EnumTable<LocationKind> {
    static constexpr const char* typeName = "LocationKind";
    static const QList<LocationKindRow>& rows();
};

struct CastRelationship {
    QUuid id = newId();
    std::optional<QUuid> otherID;
    QString label;

    static CastRelationship fromJson(const json::Reader& r); // strict, otherID optional
    void toJson(json::Writer& w) const;
    friend bool operator==(const CastRelationship&, const CastRelationship&) = default;
};

struct CastMember {
    QUuid id = newId();
    QString name = QStringLiteral("New Character");
    CastRole role = CastRole::lead;
    QString archetype;
    QString age;
    QString bio;
    QString want;
    QString need;
    QString flaw;
    QString lie;
    QString contradiction;
    QString voice;
    QString tells;
    // The consistency anchor written into every shot prompt that includes the character.
    QString look;
    QString wardrobe;
    QList<CastRelationship> relationships;
    QString portraitSeed = newSeed();
    QStringList refSeeds;

    // A new supporting character named after the starter's label, carrying
    // its archetype, want, need, flaw, lie, contradiction and tells.
    static CastMember from(const CharacterStarter& starter);

    static CastMember fromJson(const json::Reader& r); // lenient
    void toJson(json::Writer& w) const;
    friend bool operator==(const CastMember&, const CastMember&) = default;
};

struct Location {
    QUuid id = newId();
    QString name = QStringLiteral("New Location");
    LocationKind kind = LocationKind::interior;
    QString era;
    QString mood;
    QString look;
    QString sound;
    QString artSeed = newSeed();

    static Location fromJson(const json::Reader& r); // lenient
    void toJson(json::Writer& w) const;
    friend bool operator==(const Location&, const Location&) = default;
};

} // namespace studio
