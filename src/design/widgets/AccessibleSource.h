#pragma once

// How a control takes part in what a reader hears without knowing the
// reader's interfaces: the controls sit below them, and the interfaces of
// the program's own controls are made by the factory (AccessibleFactory.h).
//
// A widget that makes its own interface is an AccessibleSource: the factory
// asks it first, for itself and for its direct children (a painted page's
// live editor, a scroll area's viewport); null leaves it to the factory.
//
// A control that shows a choice (a chip, a pill, a card, a done mark) calls
// tellChoiceChanged() whenever what it shows may have changed; its interface
// (a ChoiceAnnouncer) tells a reader what really changed since the reader
// could last know it, and nothing else.

class QAccessibleInterface;
class QObject;
class QString;
class QWidget;

namespace studio {

class AccessibleSource {
public:
    virtual ~AccessibleSource() = default;
    // The interface of `object`: this widget or one of its direct children;
    // null leaves it to the factory.
    virtual QAccessibleInterface* accessibleFor(QObject* object) = 0;
};

class ChoiceAnnouncer {
public:
    virtual ~ChoiceAnnouncer() = default;
    // Tells a reader what changed of what the control shows as chosen or
    // done since a reader could last know it.
    virtual void announce() = 0;
};

// Nothing when no reader listens or the control's interface tells no choice.
void tellChoiceChanged(QWidget* control);

// The widget that holds a set of choices (cards, swatches) reads as a group
// named `name`, so a reader that moves into the set says which set it is.
void setChoiceGroup(QWidget* group, const QString& name);
bool isChoiceGroup(const QWidget* widget);

} // namespace studio
