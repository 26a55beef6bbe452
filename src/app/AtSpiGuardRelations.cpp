// The relations of an object whose text reads on into another's (the Script
// page's elements). Qt 6.4 knows no flows-to or flows-from relation, which a
// reader's Say All follows from one text to the next: for such an object the
// guard answers GetRelationSet itself, with what the bridge tells (each of
// the object's relations to another, one entry each) and its flow.

#include "app/AtSpiGuardAnswers.h"

#include "design/access/AccessibleFlow.h"

#include <QAccessible>
#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusObjectPath>

namespace studio::atspi {

namespace {

// AT-SPI's relation types, as readers number them.
enum : uint {
    labelFor = 1,
    labelledBy = 2,
    controllerFor = 3,
    controlledBy = 4,
    flowsTo = 10,
    flowsFrom = 11,
};

// One object of the program, as a reference on the bus names it: "(so)".
struct Reference {
    QString service;
    QDBusObjectPath path;
};

// One relation and the objects it relates to: "(ua(so))".
struct Relation {
    uint type = 0;
    QList<Reference> targets;
};

QDBusArgument& operator<<(QDBusArgument& out, const Reference& reference)
{
    out.beginStructure();
    out << reference.service << reference.path;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, Reference& reference)
{
    in.beginStructure();
    in >> reference.service >> reference.path;
    in.endStructure();
    return in;
}

QDBusArgument& operator<<(QDBusArgument& out, const Relation& relation)
{
    out.beginStructure();
    out << relation.type << relation.targets;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, Relation& relation)
{
    in.beginStructure();
    in >> relation.type >> relation.targets;
    in.endStructure();
    return in;
}

// The relation as the bridge tells it, or 0 for one it does not know.
uint typeOf(QAccessible::Relation relation)
{
    if (relation == QAccessible::Label)
        return labelledBy;
    if (relation == QAccessible::Labelled)
        return labelFor;
    if (relation == QAccessible::Controller)
        return controlledBy;
    if (relation == QAccessible::Controlled)
        return controllerFor;
    return 0;
}

} // namespace

} // namespace studio::atspi

Q_DECLARE_METATYPE(studio::atspi::Reference)
Q_DECLARE_METATYPE(studio::atspi::Relation)

namespace studio::atspi {

bool answerRelations(QAccessibleInterface* iface, const QDBusMessage& message, const QDBusConnection& connection)
{
    const auto* flow = dynamic_cast<const AccessibleFlow*>(iface);
    if (!flow)
        return false;
    static const bool registered = [] {
        qDBusRegisterMetaType<Reference>();
        qDBusRegisterMetaType<QList<Reference>>();
        qDBusRegisterMetaType<Relation>();
        qDBusRegisterMetaType<QList<Relation>>();
        return true;
    }();
    Q_UNUSED(registered);
    QList<Relation> relations;
    const auto add = [&](uint type, QAccessibleInterface* target) {
        if (type != 0 && target && target->isValid())
            relations.append({type, {{connection.baseService(), QDBusObjectPath(pathOf(target))}}});
    };
    for (const auto& [target, relation] : iface->relations())
        add(typeOf(relation), target);
    add(flowsTo, flow->flowsTo());
    add(flowsFrom, flow->flowsFrom());
    return connection.send(message.createReply(QVariant::fromValue(relations)));
}

} // namespace studio::atspi
