#pragma once

// The left column of the workspace: the nine phases in their three groups,
// each row with its progress text and ready mark, the active phase
// highlighted, and the production's footer card. The rail changes nothing
// itself: a click on a row asks the workspace (phaseChosen) to make that
// phase active.

#include "model/Enums.h"
#include "model/Script.h"
#include "state/rules/ScriptRules.h"

#include <QMap>
#include <QWidget>

namespace studio {

class PhaseRailFooter;
class PhaseRailRow;
class ProjectSession;

class PhaseRail : public QWidget {
    Q_OBJECT
public:
    explicit PhaseRail(ProjectSession& session, QWidget* parent = nullptr);

    // Re-reads the production and the active episode; rows are updated in
    // place. animated: the highlight moves on its spring.
    void refresh(bool animated = false);

    PhaseRailRow* row(PhaseID phase) const { return m_rows.value(phase); }
    PhaseRailFooter* footer() const { return m_footer; }

Q_SIGNALS:
    void phaseChosen(PhaseID phase);

private:
    ProjectSession& m_session;
    QMap<PhaseID, PhaseRailRow*> m_rows;
    // The active episode's script as last shown, and its tally.
    QList<ScriptElement> m_tallied;
    rules::ScriptTally m_scriptTally;
    PhaseID m_shownPhase;
    PhaseRailFooter* m_footer;
};

} // namespace studio
