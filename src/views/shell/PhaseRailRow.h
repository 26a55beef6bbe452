#pragma once

// One clickable row of the phase rail: the phase badge, the title over the
// progress text, and the ready mark. The active row sits on a raised rounded
// plate; the plate moves between rows on a spring when the change is animated.
// A reader reads the row as a page tab, selected while active and checked
// while its phase is ready, and hears both in words before the progress text
// in its description ("Open, ready. Logline set · 4 fragments"): a reader
// speaks no state of a page tab.

#include "design/widgets/AccessibleSource.h"
#include "model/Enums.h"

#include <QAbstractButton>

namespace studio {

class Spring;

class PhaseRailRow : public QAbstractButton, public AccessibleSource {
    Q_OBJECT
public:
    PhaseRailRow(PhaseID phase, QWidget* parent = nullptr);

    QString status() const { return m_status; }
    bool isActive() const { return m_active; }
    bool isDone() const { return m_done; }

    void setStatus(const QString& status);
    void setDone(bool done);
    // animated: the plate fades in (or out) on the rail's spring.
    void setActive(bool active, bool animated);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    QAccessibleInterface* accessibleFor(QObject* object) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The states a reader hears in words, then the progress text.
    void describe();

    PhaseID m_phase;
    QString m_status;
    bool m_active = false;
    bool m_done = false;
    Spring* m_plate;
};

} // namespace studio
