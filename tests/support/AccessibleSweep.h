#pragma once

// Every accessible object of a window asked every question a reader may ask,
// in range and out of it, as a screen reader walking the window would.
//
// From the window's interface the sweep visits each object (children within
// a bounded depth and count, painted items too) and asks it: its texts, role,
// state, place, parent; child(i) for -1, every child, the count, past it,
// 10^9 and the ends of int; the index of itself, its parent, a stranger and of nothing; the child
// at a point inside and far outside; and for a text, the text at, before and
// after -1, 0, the middle, the end, past it and 10^9 by every boundary, text
// ranges in and out of it, character rectangles and their union over the
// whole text (as the bridge makes it), offsets at points, selections and
// attributes; the names of values and actions (nothing is pressed or edited).
//
// An object must answer each question at once, answer nothing when the
// question is out of range, and stay consistent (a child's parent is the
// object, its index its place, a piece of text is the text between its
// offsets). The questions run in a child process so that a crash or a hang
// is a finding, not the end of the test: the sweep notes the question that
// crashed or hung, leaves it out and goes on, and stops asking that kind of
// object that kind of question.
//
//   const test::Sweep sweep = test::sweepAccessible(&window);
//   QVERIFY2(sweep.faults.isEmpty(), qPrintable(sweep.faults.join('\n')));

#include <QStringList>

class QWidget;

namespace studio::test {

struct Sweep {
    // Objects asked.
    int objects = 0;
    // One line each: where (the path of child indices from the window, the
    // object's kind, name and role), the question, what was wrong.
    QStringList faults;
    // The same, for the questions of text boundaries only (at, before and
    // after an offset).
    QStringList boundaryFaults;
};

Sweep sweepAccessible(QWidget* window);

} // namespace studio::test
