#include "views/phases/cast/NewCharacterMenu.h"

#include "design/style/Palette.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/CraftKits.h"

#include <QGraphicsDropShadowEffect>
#include <QLinearGradient>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace studio {

NewCharacterMenu::NewCharacterMenu(QWidget* parent)
    : MenuButton(u"New character"_s, parent)
{
    const QColor ink = Palette::buttonInk();
    setLabelFont(Theme::font(type::subheadline, QFont::DemiBold));
    setLabelColor(ink);
    setSymbol(u"plus"_s, 10, ink, QFont::DemiBold);
    setChevron(true, 7, Palette::withOpacity(ink, 0.6));
    setSpacing(5);
    setPadding(15, 7);
    QLinearGradient fill(0, 0, 0, 1);
    fill.setCoordinateMode(QGradient::ObjectMode);
    fill.setColorAt(0, Palette::ivory());
    fill.setColorAt(1, Palette::ivoryShadeLight());
    setFill(fill, fill);
    setBorder(Palette::white(level::dim), 0.5);
    // The shadow reaches past the pill; a graphics effect may paint there.
    auto* shadow = new QGraphicsDropShadowEffect(this);
    shadow->setColor(Palette::black(level::dim));
    shadow->setBlurRadius(18);
    shadow->setOffset(0, 4);
    setGraphicsEffect(shadow);

    QMenu* list = menu();
    connect(list->addAction(u"Blank character"_s), &QAction::triggered, this,
            [this] { Q_EMIT characterRequested(nullptr); });
    list->addSeparator();
    list->addAction(u"Starters — a contradiction to argue with"_s)->setEnabled(false);
    for (const CharacterStarter& starter : CharacterStarter::catalog()) {
        const QString id = starter.id;
        connect(list->addAction(Theme::escapeMnemonic(starter.label)), &QAction::triggered, this,
                [this, id] { Q_EMIT characterRequested(CharacterStarter::find(id)); });
    }
}

} // namespace studio
