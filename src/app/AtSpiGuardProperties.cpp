// Properties of the objects the bridge answers for. The bridge reads every
// Properties request as if it named one property, so GetAll (which names
// none) reads past its arguments and crashes the program: the guard answers
// GetAll itself with what Get would tell of each property, and answers
// itself a Get or Set of an interface the object lacks or a property it does
// not know, and a Set of a value of the wrong type, which the bridge would
// otherwise read as 0.

#include "app/AtSpiGuard.h"
#include "app/AtSpiGuardAnswers.h"

#include <QAccessible>
#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QTimer>

#include <optional>
#include <type_traits>
#include <vector>

using namespace Qt::StringLiterals;

namespace studio::atspi {

namespace {

const QString propertiesInterface = u"org.freedesktop.DBus.Properties"_s;
const QString applicationInterface = u"org.a11y.atspi.Application"_s;
const QString textInterface = u"org.a11y.atspi.Text"_s;
const QString valueInterface = u"org.a11y.atspi.Value"_s;
const QString actionInterface = u"org.a11y.atspi.Action"_s;

std::optional<int>& applicationId()
{
    static std::optional<int> id;
    return id;
}

using Value = QVariant (*)(QAccessibleInterface*, const QDBusConnection&);

struct Property {
    QLatin1StringView name;
    Value value;
};

struct Interface {
    QLatin1StringView name;
    // Whether an object has it, as the bridge lists them.
    bool (*has)(QAccessibleInterface*);
    std::vector<Property> properties;
};

// A property's value from the object alone, or from it and the connection.
template <typename Read>
Property told(const char* name, Read read)
{
    return {QLatin1StringView(name), [](QAccessibleInterface* i, const QDBusConnection& c) -> QVariant {
                if constexpr (std::is_invocable_v<Read, QAccessibleInterface*, const QDBusConnection&>)
                    return Read{}(i, c);
                else
                    return QVariant(Read{}(i));
            }};
}

// The interfaces, and the properties of each that the bridge tells (Get on
// any other answers nothing): the types are those Get gives.
const std::vector<Interface>& interfaces()
{
    static const std::vector<Interface> all = {
        {"org.a11y.atspi.Accessible"_L1,
         [](QAccessibleInterface*) { return true; },
         {told("Name", [](QAccessibleInterface* i) { return i->text(QAccessible::Name); }),
          told("Description", [](QAccessibleInterface* i) { return i->text(QAccessible::Description); }),
          told("Parent", [](QAccessibleInterface* i, const QDBusConnection& c) { return referenceTo(i->parent(), c); }),
          told("ChildCount", [](QAccessibleInterface* i) { return i->childCount(); })}},
        {"org.a11y.atspi.Component"_L1,
         [](QAccessibleInterface* i) {
             const QAccessible::Role role = i->role();
             QObject* object = i->object();
             return !i->rect().isEmpty() || (object && object->isWidgetType()) || role == QAccessible::ListItem
                 || role == QAccessible::Cell || role == QAccessible::TreeItem || role == QAccessible::Row
                 || (object && object->inherits("QSGItem"));
         },
         {}},
        {"org.a11y.atspi.Application"_L1,
         [](QAccessibleInterface* i) { return i->role() == QAccessible::Application; },
         {told("ToolkitName", [](QAccessibleInterface*) { return u"Qt"_s; }),
          told("Version", [](QAccessibleInterface*) { return QString::fromLatin1(qVersion()); }),
          told("Id", [](QAccessibleInterface*) { return applicationId().value_or(0); })}},
        {"org.a11y.atspi.Action"_L1,
         [](QAccessibleInterface* i) { return i->actionInterface() || i->valueInterface(); },
         {told("NActions", [](QAccessibleInterface* i) { return int(actionNamesOf(i).size()); })}},
        {"org.a11y.atspi.Text"_L1,
         [](QAccessibleInterface* i) { return i->textInterface() != nullptr; },
         {told("CharacterCount", [](QAccessibleInterface* i) { return i->textInterface()->characterCount(); }),
          told("CaretOffset", [](QAccessibleInterface* i) { return i->textInterface()->cursorPosition(); })}},
        {"org.a11y.atspi.EditableText"_L1,
         [](QAccessibleInterface* i) { return i->editableTextInterface() != nullptr; },
         {}},
        {"org.a11y.atspi.Value"_L1,
         [](QAccessibleInterface* i) { return i->valueInterface() != nullptr; },
         {told("MinimumValue", [](QAccessibleInterface* i) { return i->valueInterface()->minimumValue().toDouble(); }),
          told("MaximumValue", [](QAccessibleInterface* i) { return i->valueInterface()->maximumValue().toDouble(); }),
          told("MinimumIncrement",
               [](QAccessibleInterface* i) { return i->valueInterface()->minimumStepSize().toDouble(); }),
          told("CurrentValue",
               [](QAccessibleInterface* i) { return i->valueInterface()->currentValue().toDouble(); })}},
        {"org.a11y.atspi.Table"_L1,
         [](QAccessibleInterface* i) { return i->tableInterface() != nullptr; },
         {told("NRows", [](QAccessibleInterface* i) { return i->tableInterface()->rowCount(); }),
          told("NColumns", [](QAccessibleInterface* i) { return i->tableInterface()->columnCount(); }),
          told("NSelectedRows", [](QAccessibleInterface* i) { return i->tableInterface()->selectedRowCount(); }),
          told("NSelectedColumns", [](QAccessibleInterface* i) { return i->tableInterface()->selectedColumnCount(); }),
          told("Caption",
               [](QAccessibleInterface* i, const QDBusConnection& c) {
                   return referenceTo(i->tableInterface()->caption(), c);
               }),
          told("Summary", [](QAccessibleInterface* i, const QDBusConnection& c) {
              return referenceTo(i->tableInterface()->summary(), c);
          })}},
    };
    return all;
}

const Interface* interfaceNamed(const QString& name)
{
    for (const Interface& interface : interfaces()) {
        if (interface.name == name)
            return &interface;
    }
    return nullptr;
}

const Property* propertyNamed(const Interface& interface, const QString& name)
{
    for (const Property& property : interface.properties) {
        if (property.name == name)
            return &property;
    }
    return nullptr;
}

bool isWhole(const QVariant& value)
{
    switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

// A Set the object can take: the application's id and a value go to the
// bridge (false), the caret moves here.
bool set(QAccessibleInterface* iface, const QString& interface, const QString& name, const QVariant& value,
         const QDBusMessage& message, const QDBusConnection& connection)
{
    const QString what = interface + u'.' + name;
    if (interface == applicationInterface && name == u"Id") {
        if (!isWhole(value))
            return refuse(message, connection, invalidArgs, what + u" takes an integer"_s);
        rememberApplicationId(value.toInt());
        return false;
    }
    if (interface == valueInterface && name == u"CurrentValue") {
        if (!isWhole(value) && value.metaType().id() != QMetaType::Double)
            return refuse(message, connection, invalidArgs, what + u" takes a number"_s);
        // The user could not see the value change: it stays, and the reader
        // reads it back. (An error in answer to a Set aborts the readers'
        // own AT-SPI library, which frees a reply it never got.)
        if (!isShowing(iface))
            return connection.send(message.createReply());
        return false;
    }
    if (interface == textInterface && name == u"CaretOffset") {
        if (!isWhole(value))
            return refuse(message, connection, invalidArgs, what + u" takes an integer"_s);
        QAccessibleTextInterface* text = iface->textInterface();
        const qint64 offset = value.toLongLong();
        if (offset < 0 || offset > text->characterCount()) {
            return refuse(message, connection, invalidArgs,
                          what + u" %1 is outside the text (0 to %2)"_s.arg(offset).arg(text->characterCount()));
        }
        if (!moveCaret(text, offset))
            return refuse(message, connection, u"org.freedesktop.DBus.Error.Failed"_s, what + u" cannot move there"_s);
        return connection.send(message.createReply());
    }
    return refuse(message, connection, u"org.freedesktop.DBus.Error.PropertyReadOnly"_s, what + u" is read-only"_s);
}

} // namespace

bool answerProperties(QAccessibleInterface* iface, const QDBusMessage& message, const QDBusConnection& connection)
{
    const QList<QVariant> arguments = message.arguments();
    const QString member = message.member();
    const QString interfaceName = arguments.value(0).toString();
    const Interface* interface = interfaceNamed(interfaceName);
    // Every object tells how many actions it has, none when it has none.
    const bool countsActions = interfaceName == actionInterface && member == u"Get";
    if (!interface || !(interface->has(iface) || countsActions)) {
        return refuse(message, connection, u"org.freedesktop.DBus.Error.UnknownInterface"_s,
                      message.path() + u" has no interface "_s + interfaceName);
    }
    if (member == u"GetAll") {
        QVariantMap all;
        for (const Property& property : interface->properties)
            all.insert(property.name, property.value(iface, connection));
        return connection.send(message.createReply(QVariant::fromValue(all)));
    }
    const QString name = arguments.value(1).toString();
    if (!propertyNamed(*interface, name)) {
        return refuse(message, connection, u"org.freedesktop.DBus.Error.UnknownProperty"_s,
                      interfaceName + u" has no property "_s + name);
    }
    if (member == u"Set")
        return set(iface, interfaceName, name, arguments.value(2).value<QDBusVariant>().variant(), message, connection);
    return false;
}

void rememberApplicationId(int id)
{
    applicationId() = id;
}

void learnApplicationId(const QDBusConnection& connection, QObject* context)
{
    // Only a bus carries the registry's id (and a request to the connection's
    // own name is answered at once, without going out).
    if (connection.baseService().isEmpty())
        return;
    // The registry may have set the id in a request that reached the bridge
    // before the guard stood in front of it, and waits to be handled: the
    // bridge is asked after it.
    QTimer::singleShot(0, context, [connection, context] {
        QDBusMessage ask = QDBusMessage::createMethodCall(
            connection.baseService(), AtSpiGuard::objectPath() + u"/root"_s, propertiesInterface, u"Get"_s);
        ask.setArguments({applicationInterface, u"Id"_s});
        auto* watcher = new QDBusPendingCallWatcher(connection.asyncCall(ask), context);
        QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context, [watcher] {
            const QDBusMessage reply = watcher->reply();
            // A Set that came in the meantime is newer.
            if (reply.type() == QDBusMessage::ReplyMessage && !applicationId())
                applicationId() = reply.arguments().value(0).value<QDBusVariant>().variant().toInt();
            watcher->deleteLater();
        });
    });
}

QString pathOf(QAccessibleInterface* iface)
{
    if (!iface || !iface->isValid())
        return u"/org/a11y/atspi/null"_s;
    if (iface->role() == QAccessible::Application)
        return AtSpiGuard::objectPath() + u"/root"_s;
    return AtSpiGuard::objectPath() + u'/' + QString::number(QAccessible::uniqueId(iface));
}

QVariant referenceTo(QAccessibleInterface* iface, const QDBusConnection& connection)
{
    QDBusArgument reference;
    reference.beginStructure();
    reference << connection.baseService() << QDBusObjectPath(pathOf(iface));
    reference.endStructure();
    return QVariant::fromValue(reference);
}

bool refuse(const QDBusMessage& message, const QDBusConnection& connection, const QString& error, const QString& why)
{
    return connection.send(message.createErrorReply(error, why));
}

} // namespace studio::atspi
