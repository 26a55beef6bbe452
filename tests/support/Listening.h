#pragma once

// Accessibility switched on in a test, as a screen reader switches it on.
// Offscreen Qt has no reader attached, so nothing the program announces is
// sent and the code that announces never runs; listen() turns the platform's
// accessibility on and keeps every event the program raises from then on,
// with what the event's object read as at that moment.
//
// Call it before DesignSystem::install: the program's own watch on what it sends
// then stands in front, and what is kept is what would reach a reader.
//
//   test::listen();
//   heard().clear();
//   QTest::keyClick(window, Qt::Key_Tab);
//   QCOMPARE(test::lastFocus().name, u"Shots"_s);

#include <QAccessible>
#include <QList>
#include <QPointer>
#include <QString>

namespace studio::test {

struct HeardEvent {
    QAccessible::Event type = QAccessible::InvalidEvent;
    // The object the event names (null for a painted item, or once gone) and
    // the child it names there (-1 for the object itself).
    QPointer<QObject> object;
    int child = -1;
    // The interface the event stands for, as a reader would find it: for
    // comparing while the object lives, never for asking later.
    QAccessibleInterface* iface = nullptr;
    QString name;
    QAccessible::Role role = QAccessible::NoRole;
    QAccessible::State state;
    // The states a state event says changed.
    QAccessible::State changed;
    // Text inserted or removed (text events), the new value (value events).
    QString text;
    QString removed;
    // Where the text changed, or where the caret moved to (text events).
    int position = -1;
};

// Switches accessibility on for the rest of the process (once is enough) and
// starts keeping what is heard.
void listen();
// Everything heard since the last clear, oldest first.
QList<HeardEvent>& heard();
// The events of one kind, oldest first.
QList<HeardEvent> heardOf(QAccessible::Event type);
// The last focus event heard (type InvalidEvent when none).
HeardEvent lastFocus();

} // namespace studio::test
