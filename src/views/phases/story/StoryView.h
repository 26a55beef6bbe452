#pragma once

// The Story phase: the active episode's story structure, its title and synopsis
// (episodic formats), the pulse of its beats' charges, and its acts side by
// side as columns of beat cards, with a tile that adds an act. Picking
// another structure asks first, then replaces the episode's acts and beats with
// the structure's template.
//
// The screen edits whichever episode is active when an action runs: every
// field, menu entry and button finds its episode, act and beat by id at that
// moment, and a target gone by then changes nothing.

#include "model/Story.h"
#include "views/phases/PhaseScreen.h"

#include <QUuid>

#include <functional>
#include <memory>
#include <optional>

namespace studio {

class ActColumn;
class DashedAddButton;
class EmptyStateView;
class HorizontalStrip;
class MenuButton;
class PlainTextField;
class PulseLine;
class ScrollColumn;
class TextLabel;
template <typename Key, typename W>
class KeyedList;

class StoryView : public PhaseScreen {
    Q_OBJECT
public:
    explicit StoryView(ScreenSession screenSession, QWidget* parent = nullptr);
    ~StoryView() override;

    MenuButton* structureMenu() const { return m_structure; }
    PlainTextField* titleField() const { return m_title; }
    PlainTextField* synopsisField() const { return m_synopsis; }
    PulseLine* pulseLine() const { return m_pulse; }
    TextLabel* countsLabel() const { return m_counts; }
    HorizontalStrip* actBoard() const { return m_board; }
    DashedAddButton* addActTile() const { return m_addAct; }
    EmptyStateView* emptyState() const { return m_empty; }
    QList<ActColumn*> actColumns() const;
    QWidget* episodeField() const override;
    ActColumn* actColumn(const QUuid& actID) const;

    // The structure picked in the structure menu that awaits the answer to the
    // alert; none while no alert is up.
    std::optional<StructureKind> pendingStructure() const { return m_pending; }
    // What a structure-menu entry does: nothing for the structure in use,
    // otherwise the alert, and on "Switch & replace beats" the switch.
    void chooseStructure(StructureKind kind);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh() override;
    ActColumn* makeColumn(const Act& act);
    // Puts the acts' controls in Tab order after the toolbar and the
    // synopsis, and "Add Act" after them, when they changed.
    void orderTabStops();
    // Brings the control with the focus back into view after an edit moved it.

    std::optional<StructureKind> m_pending;

    QWidget* m_content;
    MenuButton* m_structure;
    PlainTextField* m_title;
    PulseLine* m_pulse;
    TextLabel* m_counts;
    QWidget* m_synopsisRow;
    PlainTextField* m_synopsis;
    ScrollColumn* m_page;
    HorizontalStrip* m_board;
    DashedAddButton* m_addAct;
    EmptyStateView* m_empty;
    std::unique_ptr<KeyedList<QUuid, ActColumn>> m_columns;
};

} // namespace studio
