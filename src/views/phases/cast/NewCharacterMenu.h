#pragma once

// The "New character" pill of the Cast & World header: the primary button's
// look (without its press effects) with a chevron, opening a menu of a blank
// character, then under a caption the character starters of the catalog.

#include "design/widgets/MenuButton.h"

namespace studio {

struct CharacterStarter;

class NewCharacterMenu : public MenuButton {
    Q_OBJECT
public:
    explicit NewCharacterMenu(QWidget* parent = nullptr);

Q_SIGNALS:
    // A blank character (null) or one from that starter of the catalog.
    void characterRequested(const CharacterStarter* starter);
};

} // namespace studio
