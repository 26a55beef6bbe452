#pragma once

// Craft material the screens offer a writer-director: the interrogation deck
// of the Spark screen, the character starters of the cast screen and the
// coverage packs of the scene editor. Read-only, never stored.

#include "model/Board.h"
#include "model/Cast.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace studio {

namespace InterrogationDeck {
// Questions that provoke the story, in deck order.
const QStringList& questions();
} // namespace InterrogationDeck

// An archetype built around a contradiction; `label` becomes the new
// character's name (CastMember::from).
struct CharacterStarter {
    QString id;
    QString label;
    QString archetype;
    QString want;
    QString need;
    QString flaw;
    QString lie; // stored with its enclosing straight double quotes
    QString contradiction;
    QString tells;

    static const QList<CharacterStarter>& catalog();
    static const CharacterStarter* find(QStringView id);
    friend bool operator==(const CharacterStarter&, const CharacterStarter&) = default;
};

// A small set of planned shots that covers a typical scene.
struct CoveragePack {
    struct PackShot {
        ShotSize size = ShotSize::medium;
        CameraMove move = CameraMove::locked;
        double seconds = 5.0;
        QString what;

        // A new shot with this size, move, seconds and description; every
        // other field has the new-shot value (fresh id and frame seed).
        Shot makeShot() const;
        friend bool operator==(const PackShot&, const PackShot&) = default;
    };

    QString id;
    QString name;
    QString blurb;
    QList<PackShot> shots;

    static const QList<CoveragePack>& catalog();
    static const CoveragePack* find(QStringView id);
    friend bool operator==(const CoveragePack&, const CoveragePack&) = default;
};

} // namespace studio
