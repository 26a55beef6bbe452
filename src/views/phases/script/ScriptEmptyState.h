#pragma once

// What the Script page shows while the script is empty: the opening words of
// a screenplay and two ways to start, a scene heading or a draft by the AI
// (which reads "Writing…" and is off while an assist runs).
//
// The keyboard of the last element deleted rests on it, read out by its
// name, where Return and Space press nothing (never on "Add Scene Heading"
// or a draft, which would write what the user did not choose): Tab goes on
// to its buttons, Shift+Tab back to what stands before the page.

#include <QWidget>

namespace studio {

class GhostButton;
class PrimaryButton;
class TextLabel;

class ScriptEmptyState : public QWidget {
    Q_OBJECT
public:
    explicit ScriptEmptyState(QWidget* parent = nullptr);

    void setAssistBusy(bool busy);
    // Rests the keyboard here when it is inside `from` (the editor of the
    // element that went). Call it with the empty state shown.
    void restKeyboardFrom(const QWidget* from);

    PrimaryButton* addHeadingButton() const { return m_addHeading; }
    GhostButton* aiDraftButton() const { return m_aiDraft; }

Q_SIGNALS:
    void addSceneHeadingRequested();
    void aiDraftRequested();

private:
    // Made before the buttons, so that they follow it in the Tab order.
    TextLabel* m_opening;
    TextLabel* m_hint;
    PrimaryButton* m_addHeading;
    GhostButton* m_aiDraft;
};

} // namespace studio
