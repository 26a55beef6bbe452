#pragma once

// The base of a test of what a screen reader hears: accessibility on as a
// reader switches it on, the program's own watches in front of what is kept
// (Listening.h), what was heard cleared before each test, and after each, no
// reorder event heard (Qt's reaches no reader, so the program never sends
// one). A test derives from it instead of QObject and adds its own slots.

#include "support/Listening.h"

#include <QObject>

namespace studio::test {

class ListeningTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
};

} // namespace studio::test
