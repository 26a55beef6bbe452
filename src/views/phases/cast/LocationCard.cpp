#include "views/phases/cast/LocationCard.h"

#include "model/Cast.h"
#include "state/rules/CastRules.h"

namespace studio {

LocationCard::LocationCard(const QUuid& locationID, QWidget* parent)
    : GalleryCard(locationID, 400, 240, 110, parent)
{
}

void LocationCard::setLocation(const Location& location, bool selected)
{
    setFace(Face{
        .seed = location.artSeed,
        .badge = QString(),
        .name = location.name,
        .subtitle = rules::locationSubtitle(location),
        .selected = selected,
    });
}

} // namespace studio
