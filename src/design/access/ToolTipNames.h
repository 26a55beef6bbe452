#pragma once

// A button that shows a symbol and no words (a close cross, a charge dot, a
// toolbar icon) is read out by assistive technology by its tool tip's words:
// its accessible name follows its tool tip for as long as nobody names it
// otherwise, cut short where long (design/widgets/SpokenName.h). Buttons with words
// of their own are read by those.
//
// Installed once for the whole application (DesignSystem::install).

#include <QObject>

class QApplication;

namespace studio {

class ToolTipNames : public QObject {
    Q_OBJECT
public:
    static void install(QApplication& app);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};

} // namespace studio
