#include "app/AtSpiGuardAnswers.h"

#include <QAccessible>
#include <QDBusMetaType>
#include <QMap>

using namespace Qt::StringLiterals;

namespace studio::atspi {

bool answerAttributes(QAccessibleInterface* iface, const QDBusMessage& message, const QDBusConnection& connection)
{
    // The bridge answers no attribute at all. A value is told in words as
    // its "valuetext", which a reader speaks in place of the number: the
    // units its control shows ("12 min"), or the word a stepped button shows.
    if (!iface->valueInterface())
        return false;
    const QString words = iface->text(QAccessible::Value);
    if (words.isEmpty())
        return false;
    using Attributes = QMap<QString, QString>;
    static const bool registered = (qDBusRegisterMetaType<Attributes>(), true);
    Q_UNUSED(registered);
    return connection.send(message.createReply(QVariant::fromValue(Attributes{{u"valuetext"_s, words}})));
}

} // namespace studio::atspi
