#pragma once

// The answers the guard in front of the accessibility bridge (AtSpiGuard.h)
// gives itself, one group of requests each. Every function is asked about an
// object that is there and valid; it answers (true), or leaves the request to
// the bridge (false), which then gets it unchanged.

#include <QDBusConnection>
#include <QDBusMessage>
#include <QString>
#include <QStringList>

class QAccessibleInterface;
class QAccessibleTextInterface;

namespace studio::atspi {

// Properties.Get, GetAll and Set: what the object has, as Get tells it.
bool answerProperties(QAccessibleInterface* iface, const QDBusMessage& message, const QDBusConnection& connection);
// The Text and EditableText requests.
bool answerText(QAccessibleInterface* iface, const QDBusMessage& message, const QDBusConnection& connection);
bool answerEditableText(QAccessibleInterface* iface, const QDBusMessage& message, const QDBusConnection& connection);
// GetRelationSet of an object whose text flows into another's.
bool answerRelations(QAccessibleInterface* iface, const QDBusMessage& message, const QDBusConnection& connection);
// Accessible.GetAttributes: a value's words (AtSpiGuardAttributes.cpp).
bool answerAttributes(QAccessibleInterface* iface, const QDBusMessage& message, const QDBusConnection& connection);
// The Action requests that name one action.
bool answerAction(QAccessibleInterface* iface, const QDBusMessage& message, const QDBusConnection& connection);

// The actions the bridge tells of an object: its own, and a value's
// increase and decrease.
QStringList actionNamesOf(QAccessibleInterface* iface);

// Whether the object shows on the screen (it and every widget around it are
// shown): what does not show refuses edits and the keyboard, since the user
// could not see what they did.
bool isShowing(QAccessibleInterface* iface);

// Puts the caret at `offset` (never between the halves of a character) if it
// is in the text; whether the caret is there now.
bool moveCaret(QAccessibleTextInterface* text, qint64 offset);

// The application's id on the registry, which the registry sets on the
// bridge; the guard keeps it too to tell it with the application's other
// properties. Learnt from every Set that passes, or asked of the bridge once.
void rememberApplicationId(int id);
void learnApplicationId(const QDBusConnection& connection, QObject* context);

// The path the bridge names an object by, and the reference to it a reply
// carries (its connection and path, "(so)").
QString pathOf(QAccessibleInterface* iface);
QVariant referenceTo(QAccessibleInterface* iface, const QDBusConnection& connection);

// An error reply that says what is wrong.
bool refuse(const QDBusMessage& message, const QDBusConnection& connection, const QString& error, const QString& why);

inline const QString invalidArgs = QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs");

} // namespace studio::atspi
