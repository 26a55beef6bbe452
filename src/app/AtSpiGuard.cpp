#include "app/AtSpiGuard.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QHash>
#include <QRect>
#include <QTimer>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

// A piece of text as GetBoundedRanges answers it.
struct TextRange {
    int start = 0;
    int end = 0;
    QString content;
    QDBusVariant data;
};

QDBusArgument& operator<<(QDBusArgument& out, const TextRange& range)
{
    out.beginStructure();
    out << range.start << range.end << range.content << range.data;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, TextRange& range)
{
    in.beginStructure();
    in >> range.start >> range.end >> range.content >> range.data;
    in.endStructure();
    return in;
}

} // namespace

Q_DECLARE_METATYPE(TextRange)

namespace studio {

namespace {

const QString accessibleInterface = u"org.a11y.atspi.Accessible"_s;
const QString textInterface = u"org.a11y.atspi.Text"_s;
const QString editableTextInterface = u"org.a11y.atspi.EditableText"_s;
// How the bridge names the two coordinate systems it knows.
constexpr uint windowCoordinates = 1;

// The arguments of every request whose arguments the bridge reads, which it
// reads unchecked.
std::optional<QString> signatureOf(const QString& interface, const QString& member)
{
    static const QHash<QString, QString> signatures = [] {
        QHash<QString, QString> all;
        const auto add = [&all](const QString& interface, std::initializer_list<std::pair<const char*, const char*>> members) {
            for (const auto& [member, signature] : members)
                all.insert(interface + u'.' + QLatin1StringView(member), QLatin1StringView(signature));
        };
        add(u"org.freedesktop.DBus.Properties"_s, {{"Get", "ss"}, {"Set", "ssv"}, {"GetAll", "s"}});
        add(accessibleInterface, {{"GetChildAtIndex", "i"}});
        add(u"org.a11y.atspi.Application"_s, {{"GetLocale", "u"}});
        add(u"org.a11y.atspi.Component"_s,
            {{"Contains", "iiu"}, {"GetAccessibleAtPoint", "iiu"}, {"GetExtents", "u"}, {"GetPosition", "u"},
             {"SetExtents", "iiiiu"}, {"SetPosition", "iiu"}, {"SetSize", "ii"}});
        add(u"org.a11y.atspi.Action"_s,
            {{"DoAction", "i"}, {"GetName", "i"}, {"GetDescription", "i"}, {"GetKeyBinding", "i"}});
        add(textInterface,
            {{"AddSelection", "ii"}, {"GetAttributeRun", "ib"}, {"GetAttributeValue", "is"}, {"GetAttributes", "i"},
             {"GetBoundedRanges", "iiiiuuu"}, {"GetCharacterAtOffset", "i"}, {"GetCharacterExtents", "iu"},
             {"GetOffsetAtPoint", "iiu"}, {"GetRangeExtents", "iiu"}, {"GetSelection", "i"}, {"GetText", "ii"},
             {"GetTextAfterOffset", "iu"}, {"GetTextAtOffset", "iu"}, {"GetTextBeforeOffset", "iu"},
             {"RemoveSelection", "i"}, {"SetCaretOffset", "i"}, {"SetSelection", "iii"}});
        add(editableTextInterface,
            {{"CopyText", "ii"}, {"CutText", "ii"}, {"DeleteText", "ii"}, {"InsertText", "isi"}, {"PasteText", "i"},
             {"SetTextContents", "s"}});
        add(u"org.a11y.atspi.Table"_s,
            {{"GetAccessibleAt", "ii"}, {"GetIndexAt", "ii"}, {"GetColumnAtIndex", "i"}, {"GetRowAtIndex", "i"},
             {"GetColumnDescription", "i"}, {"GetRowDescription", "i"}, {"GetColumnExtentAt", "ii"},
             {"GetRowExtentAt", "ii"}, {"GetColumnHeader", "i"}, {"GetRowHeader", "i"},
             {"GetRowColumnExtentsAtIndex", "i"}, {"IsColumnSelected", "i"}, {"IsRowSelected", "i"},
             {"IsSelected", "ii"}, {"AddColumnSelection", "i"}, {"AddRowSelection", "i"},
             {"RemoveColumnSelection", "i"}, {"RemoveRowSelection", "i"}});
        return all;
    }();
    const auto found = signatures.constFind(interface + u'.' + member);
    return found == signatures.cend() ? std::nullopt : std::optional<QString>(*found);
}

// The object a path names, as the bridge names them.
QAccessibleInterface* interfaceAt(const QString& path)
{
    const QString prefix = AtSpiGuard::objectPath() + u'/';
    if (!path.startsWith(prefix))
        return nullptr;
    const QStringView name = QStringView(path).mid(prefix.size());
    if (name == u"root")
        return QAccessible::queryAccessibleInterface(QCoreApplication::instance());
    bool ok = false;
    const uint id = name.toUInt(&ok);
    return ok ? QAccessible::accessibleInterface(id) : nullptr;
}

// The rectangle of the characters from `start` to `end` and of the offset
// at `end`, as the bridge unites them. One character's place can cost as
// much as laying out its whole line (half a millisecond in a megabyte
// line), so a long range is sampled: its first and last characters, then
// the middles of the stretches between them, finer and finer, for as long
// as a reader can wait. A short range is told whole.
QRect unitedRect(QAccessibleTextInterface* text, int start, int end)
{
    constexpr int whole = 512;
    constexpr qint64 waitMs = 40;
    QRect all;
    if (end - start <= whole) {
        for (int i = start; i <= end; ++i)
            all |= text->characterRect(i);
        return all;
    }
    QElapsedTimer spent;
    spent.start();
    all = text->characterRect(start) | text->characterRect(end - 1) | text->characterRect(end);
    const qint64 span = qint64(end) - start;
    // Once the stretches are a character long, every offset was asked.
    for (qint64 parts = 2; parts / 2 < span; parts *= 2) {
        for (qint64 k = 1; k < parts; k += 2) {
            if (spent.elapsed() >= waitMs)
                return all;
            all |= text->characterRect(int(start + span * k / parts));
        }
    }
    return all;
}

QAccessibleInterface* windowOf(QAccessibleInterface* iface)
{
    for (int level = 0; iface && level < 256; ++level, iface = iface->parent()) {
        if (iface->role() == QAccessible::Window || iface->role() == QAccessible::Dialog)
            return iface;
    }
    return nullptr;
}

QList<QVariant> rangeExtents(QAccessibleInterface* iface, const QDBusMessage& message)
{
    QAccessibleTextInterface* text = iface->textInterface();
    const int count = text->characterCount();
    const int start = qBound(0, message.arguments().at(0).toInt(), count);
    const int asked = message.arguments().at(1).toInt();
    // -1 runs to the end.
    const int end = asked == -1 ? count : qBound(0, asked, count);
    if (end <= start)
        return {-1, -1, 0, 0};
    QRect united = unitedRect(text, start, end);
    if (message.arguments().at(2).toUInt() == windowCoordinates) {
        if (QAccessibleInterface* window = windowOf(iface))
            united.translate(-window->rect().topLeft());
    }
    return {united.x(), united.y(), united.width(), united.height()};
}

// What the guard answers itself, for an object that is there; false hands
// the request to the bridge.
bool answer(QAccessibleInterface* iface, const QDBusMessage& message, const QDBusConnection& connection)
{
    const QString interface = message.interface();
    const QString member = message.member();
    if (interface == accessibleInterface && member == u"GetChildAtIndex") {
        const int index = message.arguments().at(0).toInt();
        if (index >= 0 && index < iface->childCount())
            return false;
        QDBusArgument none;
        none.beginStructure();
        none << connection.baseService() << QDBusObjectPath(u"/org/a11y/atspi/null"_s);
        none.endStructure();
        return connection.send(message.createReply(QVariant::fromValue(none)));
    }
    if (interface == textInterface && iface->textInterface()) {
        if (member == u"GetRangeExtents")
            return connection.send(message.createReply(rangeExtents(iface, message)));
        // The text within a box: none is told (the bridge means to tell
        // none, and never answers).
        if (member == u"GetBoundedRanges")
            return connection.send(message.createReply(QVariant::fromValue(QList<TextRange>())));
        return false;
    }
    if (interface == editableTextInterface && member != u"CopyText") {
        QAccessibleEditableTextInterface* editable = iface->editableTextInterface();
        if (!editable)
            return connection.send(message.createReply(false));
        if (member == u"InsertText") {
            // The text as long as the reader says, and no longer than it is.
            const QString text = message.arguments().at(1).toString();
            const int length = qBound(0, message.arguments().at(2).toInt(), int(text.size()));
            editable->insertText(message.arguments().at(0).toInt(), text.left(length));
            return connection.send(message.createReply(true));
        }
    }
    return false;
}

// Accessibility came on: the bridge registers right after telling so, and
// is looked for a little longer in case its bus comes later.
class Activation : public QAccessible::ActivationObserver {
public:
    void accessibilityActiveChanged(bool active) override
    {
        if (active)
            guardSoon();
    }

    static void guardSoon(int triesLeft = tries)
    {
        QTimer::singleShot(triesLeft == tries ? 0 : 100, QCoreApplication::instance(), [triesLeft] {
            if (!AtSpiGuard::guard(QDBusConnection(u"a11y"_s)) && triesLeft > 1)
                guardSoon(triesLeft - 1);
        });
    }

private:
    static constexpr int tries = 20;
};

} // namespace

QString AtSpiGuard::objectPath()
{
    return u"/org/a11y/atspi/accessible"_s;
}

void AtSpiGuard::install()
{
    static Activation activation;
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installActivationObserver(&activation);
    if (QAccessible::isActive())
        Activation::guardSoon();
}

bool AtSpiGuard::guard(QDBusConnection connection)
{
    if (!connection.isConnected())
        return false;
    QObject* registered = connection.objectRegisteredAt(objectPath());
    if (qobject_cast<AtSpiGuard*>(registered))
        return true;
    auto* bridge = qobject_cast<QDBusVirtualObject*>(registered);
    if (!bridge)
        return false;
    qDBusRegisterMetaType<TextRange>();
    qDBusRegisterMetaType<QList<TextRange>>();
    connection.unregisterObject(objectPath());
    // It goes with the bridge.
    auto* guard = new AtSpiGuard(bridge);
    if (connection.registerVirtualObject(objectPath(), guard, QDBusConnection::SubPath))
        return true;
    delete guard;
    connection.registerVirtualObject(objectPath(), bridge, QDBusConnection::SubPath);
    return false;
}

AtSpiGuard::AtSpiGuard(QDBusVirtualObject* bridge)
    : QDBusVirtualObject(bridge)
    , m_bridge(bridge)
{
}

QString AtSpiGuard::introspect(const QString& path) const
{
    return m_bridge ? m_bridge->introspect(path) : QString();
}

bool AtSpiGuard::handleMessage(const QDBusMessage& message, const QDBusConnection& connection)
{
    if (!m_bridge)
        return false;
    if (const auto takes = signatureOf(message.interface(), message.member()); takes && message.signature() != *takes) {
        return connection.send(message.createErrorReply(
            QDBusError::InvalidArgs, message.interface() + u'.' + message.member() + u" takes ("_s + *takes + u')'));
    }
    QAccessibleInterface* iface = interfaceAt(message.path());
    if (iface && iface->isValid() && answer(iface, message, connection))
        return true;
    return m_bridge->handleMessage(message, connection);
}

} // namespace studio
