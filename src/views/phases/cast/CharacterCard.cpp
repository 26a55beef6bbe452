#include "views/phases/cast/CharacterCard.h"

#include "model/Cast.h"
#include "state/rules/CastRules.h"

namespace studio {

CharacterCard::CharacterCard(const QUuid& memberID, QWidget* parent)
    : GalleryCard(memberID, 300, 320, 150, parent)
{
}

void CharacterCard::setMember(const CastMember& member, bool selected)
{
    setFace(Face{
        .seed = member.portraitSeed,
        .badge = label(member.role),
        .name = member.name,
        .subtitle = rules::characterSubtitle(member),
        .selected = selected,
    });
}

} // namespace studio
