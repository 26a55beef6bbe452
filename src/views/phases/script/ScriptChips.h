#pragma once

// The line of suggestion chips under the focused row of the script page:
// capsules that wrap to new lines, 4 points apart and 4 points below the row.
// Chips are named by their text; the line is rebuilt only when the element it
// serves or the texts change, so picking a chip (which changes only the
// element's text) keeps every chip in place.

#include <QList>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <QWidget>
#include <functional>

namespace studio {

class FlowLayout;
class ScriptCapsule;

class ScriptChips : public QWidget {
    Q_OBJECT
public:
    struct Entry {
        QString label;
        std::function<void()> pick;
    };

    explicit ScriptChips(QWidget* parent = nullptr);

    // The chips for the element `owner`.
    void setEntries(const QUuid& owner, const QList<Entry>& entries);
    QStringList labels() const { return m_labels; }
    QList<ScriptCapsule*> buttons() const;

private:
    FlowLayout* m_flow;
    QUuid m_owner;
    QStringList m_labels;
};

} // namespace studio
