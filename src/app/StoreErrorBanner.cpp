#include "app/StoreErrorBanner.h"

#include "design/style/Palette.h"

namespace studio {

StoreErrorBanner::StoreErrorBanner(QWidget* parent)
    : MessageBanner(parent)
{
    // Over the translucent backdrop the tint alone would vanish; a dark base
    // keeps the message readable.
    setBase(Palette::black(0.35));
    hide();
}

} // namespace studio
