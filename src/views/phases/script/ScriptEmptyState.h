#pragma once

// What the Script page shows while the script is empty: the opening words of
// a screenplay and two ways to start, a scene heading or a draft by the AI
// (which reads "Writing…" and is off while an assist runs).

#include <QWidget>

namespace studio {

class GhostButton;
class PrimaryButton;

class ScriptEmptyState : public QWidget {
    Q_OBJECT
public:
    explicit ScriptEmptyState(QWidget* parent = nullptr);

    void setAssistBusy(bool busy);

    PrimaryButton* addHeadingButton() const { return m_addHeading; }
    GhostButton* aiDraftButton() const { return m_aiDraft; }

Q_SIGNALS:
    void addSceneHeadingRequested();
    void aiDraftRequested();

private:
    PrimaryButton* m_addHeading;
    GhostButton* m_aiDraft;
};

} // namespace studio
