#include "design/access/ToolTipNames.h"

#include "design/widgets/SpokenName.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>

namespace studio {

namespace {

// The tool tip a name was last taken from, so a later tool tip replaces it
// and a name given by the program is left alone.
constexpr char namedFrom[] = "studioNameFromToolTip";

} // namespace

void ToolTipNames::install(QApplication& app)
{
    static QPointer<ToolTipNames> installed;
    if (installed)
        return;
    installed = new ToolTipNames(&app);
    app.installEventFilter(installed);
}

bool ToolTipNames::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTipChange) {
        if (auto* button = qobject_cast<QAbstractButton*>(watched); button && button->text().isEmpty()) {
            const QString name = button->accessibleName();
            if (name.isEmpty() || name == spokenName(button->property(namedFrom).toString())) {
                setSpokenName(button, button->toolTip());
                button->setProperty(namedFrom, button->toolTip());
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace studio
