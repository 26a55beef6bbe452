#pragma once

// The sheet that offers an assist's result as options instead of writing it
// over the user's words: the prompt's title and subtitle, one card per
// option, and two ways out ("xmark" and "Keep what I have") that change
// nothing. Picking a card emits optionChosen (the workspace applies it) and
// closes the sheet; every other way of closing it only closes it. The sheet
// reads its prompt and never changes it. It opens by itself, when a reply
// arrives, so it opens with the keyboard on itself, not on an option.

#include "state/AIChoicePrompt.h"
#include "design/widgets/ScrollColumn.h"
#include "design/widgets/SheetDialog.h"

#include <QList>
#include <QUuid>

class QAbstractButton;

namespace studio {

class GhostButton;
class ToolbarIconButton;

class AIChoiceSheet : public SheetDialog {
    Q_OBJECT
public:
    static constexpr int sheetWidth = 560;
    static constexpr int maximumHeight = 520;

    AIChoiceSheet(QWidget* window, const AIChoicePrompt& prompt);

    QUuid promptID() const { return m_promptID; }
    // The option cards in prompt order (each named by its option's id).
    QList<QAbstractButton*> optionCards() const { return m_cards; }
    GhostButton* keepButton() const { return m_keep; }
    ToolbarIconButton* closeButton() const { return m_close; }
    QScrollArea* optionList() const { return m_scroll; }

Q_SIGNALS:
    void optionChosen(const QUuid& optionID);

private:
    void choose(const QUuid& optionID);
    void fitHeight(QWidget* header, QWidget* list, QWidget* footer);

    QUuid m_promptID;
    QList<QAbstractButton*> m_cards;
    GhostButton* m_keep;
    ToolbarIconButton* m_close;
    ScrollColumn* m_scroll;
};

} // namespace studio
