#pragma once

// An input method that only counts what the program asks of it: to commit
// what it composes (QInputMethod::commit) and to drop it (reset). A real
// engine loses what it began for the next key at either, so a field must not
// ask them while it handles the input method's own event.
//
// Installed for the whole test program: use() before the application is made
// (a static initializer of the test's), as the platform creates its input
// method with the application.

namespace studio::test {

struct InputMethodRequests {
    int commits = 0;
    int resets = 0;
    int total() const { return commits + resets; }
};

class CountingInputMethod {
public:
    static void use();
    // Whether the platform took it (use() came before the application).
    static bool installed();
    // What was asked since the last clear().
    static InputMethodRequests requests();
    static void clear();
};

} // namespace studio::test
