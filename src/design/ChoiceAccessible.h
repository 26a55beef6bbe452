#pragma once

// What assistive technology reads of a control that shows a choice: a pill of
// a one-of group, a chip, a card picked from a gallery, the current row of a
// list of pages, a done mark. Each kind reads with the role and the state a
// reader expects of it, asked of the control whenever a reader asks:
//
//   oneOf  a radio button, checked while chosen (a pill, a tile, a chip of a
//          group that holds one value)
//   anyOf  a check box, checked while on (a chip of a group that holds any
//          number, a done mark)
//   item   a list item, selected while chosen (a card of a gallery)
//   page   a page tab, selected while current (a row of the phase rail)
//
// A control may show a done mark besides (a phase that is ready): read as
// checked.
//
// The control calls changed() whenever what it shows may have changed; a
// reader hears the states that really changed since it could last know them,
// and nothing else (nothing of a control not on screen).

#include "design/ButtonAccessible.h"

#include <functional>

namespace studio {

class ChoiceAccessible : public ButtonAccessible {
public:
    enum class Kind { oneOf, anyOf, item, page };

    ChoiceAccessible(QWidget* control, Kind kind, std::function<bool()> chosen,
                     std::function<bool()> done = {});
    // A control that learns its kind after it is made (a chip told it is
    // one of a group).
    ChoiceAccessible(QWidget* control, std::function<Kind()> kind, std::function<bool()> chosen);

    QAccessible::Role role() const override;
    QAccessible::State state() const override;

    // Tells a reader what changed of what the control shows as chosen or
    // done; nothing when nothing changed or no reader listens, or when the
    // control reads otherwise.
    static void changed(QWidget* control);

private:
    bool isChosen() const { return m_chosen && m_chosen(); }
    bool isDone() const { return m_done && m_done(); }
    bool readsAsChecked() const;
    void announce();

    std::function<Kind()> m_kind;
    std::function<bool()> m_chosen;
    std::function<bool()> m_done;
    // What a reader could last know.
    bool m_heardChosen;
    bool m_heardDone;
};

} // namespace studio
