#pragma once

// The window's banner for storage failures: the store's message ("Save
// failed: …", "Couldn't read …") with a close button. A new failure shows
// again even when its text repeats the last one.

#include "design/widgets/MessageBanner.h"

namespace studio {

class StoreErrorBanner : public MessageBanner {
    Q_OBJECT
public:
    explicit StoreErrorBanner(QWidget* parent = nullptr);
};

} // namespace studio
