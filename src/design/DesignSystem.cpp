#include "design/DesignSystem.h"

#include "design/access/AccessibleFactory.h"
#include "design/access/AccessibleFocus.h"
#include "design/focus/FocusHandOver.h"
#include "design/focus/FocusInView.h"
#include "design/focus/KeyboardActivation.h"
#include "design/focus/SheetArrival.h"
#include "design/access/ToolTipNames.h"
#include "design/style/Theme.h"

namespace studio {

void DesignSystem::install(QApplication& app)
{
    Theme::install(app);
    // Before any widget is built: Qt keeps the interface it makes first.
    AccessibleFactory::install();
    AccessibleFocus::install();
    FocusInView::install(app);
    KeyboardActivation::install(app);
    FocusHandOver::install(app);
    SheetArrival::install(app);
    ToolTipNames::install(app);
}

} // namespace studio
