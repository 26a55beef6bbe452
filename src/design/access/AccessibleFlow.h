#pragma once

// A text that reads on into another, as a document's paragraphs do: a
// reader's Say All goes from the end of one to the start of the next along
// AT-SPI's flows-to relation (and back along flows-from). Qt 6.4 has no such
// relation; an interface that flows says so through this, and the guard in
// front of the accessibility bridge (AtSpiGuard) tells it with the relations
// Qt tells.

class QAccessibleInterface;

namespace studio {

class AccessibleFlow {
public:
    virtual ~AccessibleFlow() = default;
    // The text read after this one and the one read before it; null at
    // either end.
    virtual QAccessibleInterface* flowsTo() const = 0;
    virtual QAccessibleInterface* flowsFrom() const = 0;
};

} // namespace studio
