#pragma once

// The questions of the accessibility sweep (AccessibleSweep.h), asked in the
// process that may crash or hang on them. Each question is numbered in the
// order of the walk, which is the same in every run from the same window, so
// a run can leave out the questions an earlier run died on.

#include <QByteArray>
#include <QSet>
#include <QString>

#include <atomic>

class QAccessibleInterface;

namespace studio::test::probe {

// What the asking process shows the watching one while it asks.
struct Progress {
    // The question being asked, by number.
    std::atomic<long> asking{-1};
    // The kind of object and of question ("Class/family"), the object and
    // the question.
    char kind[256] = {};
    char object[1024] = {};
    char question[512] = {};
};

struct Skips {
    // Questions not to ask again.
    QSet<long> questions;
    // Kinds of question not to ask kinds of object again ("Class/family").
    QSet<QByteArray> kinds;
    // Questions before this one were asked by an earlier run: only those
    // that walk the tree are asked again.
    long resumeFrom = 0;
};

// Asks every object under `root`, writing each fault as one line to `fd`,
// then "done <objects>". `stranger` is an object of no window.
void askAll(QAccessibleInterface* root, QAccessibleInterface* stranger, Progress* progress, const Skips& skips, int fd);

// One fault, as a line says it.
struct Fault {
    QByteArray family; // the kind of question: "tree", "children", "boundaries", "text"...
    QByteArray kind;   // the kind of object
    QString object;    // its path from the window, kind, name and role
    QString what;      // the question, and what was wrong with the answer

    static Fault parse(const QByteArray& line);
};

} // namespace studio::test::probe
