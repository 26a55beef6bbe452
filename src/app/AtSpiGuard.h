#pragma once

// What stands between assistive programs and the accessibility bridge Qt
// runs on Linux (AT-SPI over D-Bus), so that no request can crash or freeze
// the program.
//
// The bridge answers each request on the program's one thread, and some it
// answers by itself without asking the program's interfaces first:
//   - GetRangeExtents unites the rectangle of every offset of the range it is
//     given, unchecked: (-5, 10^9) asks a billion characters and freezes the
//     program for minutes;
//   - GetBoundedRanges is never answered at all, so the reader waits;
//   - Properties.GetAll reads a property name it is not given and crashes,
//     and Properties.Set reads its value from the wrong argument;
//   - InsertText pads the text to the length it is told with whatever lies
//     in memory (and counts it in halves of characters), and the editing
//     requests pad a text that cannot be edited to any offset (10^9 spaces);
//   - editing, caret and selection requests with offsets outside the text,
//     or that the object could not carry out, answer that they succeeded,
//     and so do edits of a text or a value and moves of the keyboard to an
//     object that does not show (hidden, or in a hidden page or window);
//   - a password field's role reads as password text, its role's name as
//     "text", and it copies its mask and cuts its characters;
//   - an unknown boundary type is read as a character, and a request for an
//     action an object does not have answers that there is no object;
//   - a request that carries fewer arguments than its method takes reads
//     past them and crashes;
//   - the relations it tells are Qt 6.4's, which have no flow from one text
//     to the next (AccessibleFlow), so a reader's Say All stops at the end
//     of the first;
//   - it has no role it tells as a menu, only popup menus, and a reader calls
//     a button a menu button only when a menu is its child.
// The guard takes the bridge's place on its connection, answers those itself
// (the range clamped to the text and its rectangle made from a bounded
// number of characters; no ranges; the properties an interface has; the text
// inserted as long as it is in characters; false for what did not happen or
// does not show (a value set of what does not show is answered, the value
// left as it is), and for a password's cut and copy; the name of the role it
// tells; the relations with the flow; a menu for the role of the menu a
// pull-down drops; an
// error that says what is wrong for a request of the wrong form, an unknown
// interface, property, boundary or action) and hands every other request to
// the bridge unchanged. It also answers GetChildAtIndex for an index out of
// range with no object, whatever interface the object has, and tells a
// value's words ("12 min") as its "valuetext" attribute, which the bridge
// never tells and a reader speaks in place of the number. No request leaves
// half of a character in a text (AtSpiGuardText.cpp).
//
// What it knows of the bridge (the connection's name, "a11y"; the object
// paths; the forms of the requests and which the bridge reads unchecked) was
// checked against Qt 6.4.2, and it stands only where the running Qt is the
// one the program was built with (QtPrivateState). Installed once at
// start-up; it takes its place when the bridge has registered, after
// accessibility is switched on, and says so once on standard error when it
// cannot.

#include <QDBusVirtualObject>
#include <QPointer>

namespace studio {

class AtSpiGuard : public QDBusVirtualObject {
    Q_OBJECT
public:
    // Where the bridge answers for every accessible object (and below).
    static QString objectPath();

    // Puts a guard in front of the bridge whenever accessibility comes on.
    static void install();
    // Puts a guard in front of the object registered at objectPath() on
    // `connection`, unless one stands there already. False when nothing is
    // registered there, or the guard may not stand.
    static bool guard(QDBusConnection connection);

    explicit AtSpiGuard(QDBusVirtualObject* bridge);

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    QPointer<QDBusVirtualObject> m_bridge;
};

} // namespace studio
