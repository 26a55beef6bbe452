#pragma once

// A location in the gallery: its art, the name, and the mood (else the
// kind: "Interior", "Exterior", "Int. & Ext.").

#include "views/phases/cast/GalleryCard.h"

namespace studio {

struct Location;

class LocationCard : public GalleryCard {
    Q_OBJECT
public:
    explicit LocationCard(const QUuid& locationID, QWidget* parent = nullptr);
    void setLocation(const Location& location, bool selected);
};

} // namespace studio
