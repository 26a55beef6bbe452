#include "views/shell/PhaseRail.h"

#include "design/style/Palette.h"
#include "design/widgets/AccessibleSource.h"
#include "design/widgets/ScrollColumn.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Text.h"
#include "state/ProjectSession.h"
#include "views/shell/PhaseRailFooter.h"
#include "views/shell/PhaseRailRow.h"
#include "state/rules/PhaseRailStatus.h"

#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace studio {

PhaseRail::PhaseRail(ProjectSession& session, QWidget* parent)
    : QWidget(parent)
    , m_session(session)
    , m_shownPhase(session.project().activePhase)
    , m_footer(new PhaseRailFooter(this))
{
    setObjectName(u"phaseRail"_s);
    setAttribute(Qt::WA_TranslucentBackground);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 0, 8, 10);
    column->setSpacing(2);

    auto* scroll = new ScrollColumn(this);
    QWidget* list = scroll->content();
    setChoiceGroup(list, u"Phases"_s);
    QVBoxLayout* rows = scroll->column();
    rows->setSpacing(2);
    for (PhaseGroup group : allCases<PhaseGroup>()) {
        // TextLabel draws edge to edge; the header's padding is its own layout's.
        auto* header = new QVBoxLayout;
        header->setContentsMargins(10, group == PhaseGroup::dream ? 14 : 18, 10, 5);
        header->addWidget(new TextLabel(text::upper(title(group)), Theme::font(type::footnote2, QFont::DemiBold, 1.2),
                                        Palette::textTertiary(), list));
        rows->addLayout(header);
        for (PhaseID phase : phases(group)) {
            auto* row = new PhaseRailRow(phase, list);
            row->setObjectName(u"railRow-"_s + rawValue(phase));
            connect(row, &QAbstractButton::clicked, this, [this, phase] { Q_EMIT phaseChosen(phase); });
            rows->addWidget(row);
            m_rows.insert(phase, row);
        }
    }
    rows->addStretch(1);

    column->addWidget(scroll, 1);
    column->addWidget(m_footer);
    refresh();
}

void PhaseRail::refresh(bool animated)
{
    const Project& project = m_session.project();
    const Episode episode = m_session.activeEpisode();
    // The script's tally follows the edits: only the elements that changed
    // since the last refresh are counted (a megabyte of script is not read
    // again at every keystroke anywhere in the production).
    m_scriptTally = rules::scriptTally(m_scriptTally, m_tallied, episode.script.elements);
    m_tallied = episode.script.elements;
    for (auto it = m_rows.cbegin(); it != m_rows.cend(); ++it) {
        PhaseRailRow* row = it.value();
        row->setStatus(it.key() == PhaseID::script ? rules::PhaseRailStatus::scriptText(m_scriptTally)
                                                   : rules::PhaseRailStatus::text(project, episode, it.key()));
        row->setDone(project.completedPhases.contains(it.key()));
        row->setActive(project.activePhase == it.key(), animated);
    }
    // The keyboard on a row of the rail follows the phase that opens,
    // however it was opened (a shortcut, the Phases menu, a click on another
    // row): it never rests on a row that is no longer the page shown, and a
    // reader hears the phase that opened.
    const bool phaseChanged = project.activePhase != m_shownPhase;
    m_shownPhase = project.activePhase;
    if (phaseChanged) {
        QWidget* holder = window()->focusWidget();
        PhaseRailRow* active = m_rows.value(project.activePhase);
        if (active && holder != active && std::find(m_rows.cbegin(), m_rows.cend(), holder) != m_rows.cend())
            active->setFocus(Qt::OtherFocusReason);
    }
    m_footer->display(project);
}

} // namespace studio
