#pragma once

// The press kit card of the Premiere screen: the festival synopsis and
// taglines as one free text, written to the production on every keystroke
// (textEdited); the Assist menu's "Write the press kit" fills it like any
// other change.

#include "design/widgets/PaddedCard.h"

namespace studio {

class SleekTextEditor;

class PressKitCard : public PaddedCard {
    Q_OBJECT
public:
    explicit PressKitCard(QWidget* parent = nullptr);

    void setText(const QString& text);
    SleekTextEditor* editor() const { return m_editor; }

Q_SIGNALS:
    void textEdited(const QString& text);

private:
    SleekTextEditor* m_editor;
};

} // namespace studio
