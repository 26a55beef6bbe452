#pragma once

// The screen of the Script phase: the active episode's screenplay as typed
// elements on a paper page. A toolbar appends elements of each kind, offers a
// draft built from the story's beats while the script is empty, and shows the
// script's length and dialogue share; the page below scrolls.

#include "model/Project.h"
#include "state/rules/ScriptRules.h"
#include "views/phases/PhaseScreen.h"

#include <QList>
#include <QUuid>

namespace studio {

class GhostButton;
class ScriptCapsule;
class ScriptPage;
class ScrollColumn;
class TextLabel;

class ScriptView : public PhaseScreen {
    Q_OBJECT
public:
    explicit ScriptView(ScreenSession screenSession, QWidget* parent = nullptr);
    ~ScriptView() override;

    // A new element of that kind at the end of the script, focused.
    void append(ScriptElementKind kind);
    // Replaces an empty script with the draft built from the story's beats.
    void draftFromStory();
    // Asks the director for the opening; it lands in the episode it was
    // asked for, after whatever that script holds by then.
    void draftWithAI();

    QUuid focusedID() const;
    QUuid hoveredID() const;

    ScriptPage* page() const { return m_page; }
    ScrollColumn* scrollArea() const { return m_scroll; }
    QList<ScriptCapsule*> kindButtons() const { return m_kindButtons; }
    GhostButton* storyDraftButton() const { return m_storyDraft; }
    TextLabel* statisticsLabel() const { return m_statistics; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh() override;
    void syncBusy();
    void settleLayout();
    // Tells the page what part of it is in view.
    void syncVisibleArea();

    QList<ScriptCapsule*> m_kindButtons;
    GhostButton* m_storyDraft;
    TextLabel* m_statistics;
    ScrollColumn* m_scroll;
    ScriptPage* m_page;
    // The statistics of the script last shown, kept up to date element by element.
    QList<ScriptElement> m_tallied;
    rules::ScriptTally m_tally;
};

} // namespace studio
