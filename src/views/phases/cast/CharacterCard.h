#pragma once

// A character in the gallery: the portrait with the role badge, the name,
// and the want (else the archetype, else "Inner life TBD").

#include "views/phases/cast/GalleryCard.h"

namespace studio {

struct CastMember;

class CharacterCard : public GalleryCard {
    Q_OBJECT
public:
    explicit CharacterCard(const QUuid& memberID, QWidget* parent = nullptr);
    void setMember(const CastMember& member, bool selected);
};

} // namespace studio
