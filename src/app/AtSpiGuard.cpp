#include "app/AtSpiGuard.h"

#include "app/AtSpiGuardAnswers.h"
#include "design/style/QtPrivateState.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QGuiApplication>
#include <QHash>
#include <QTimer>

#include <optional>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

const QString propertiesInterface = u"org.freedesktop.DBus.Properties"_s;
const QString accessibleInterface = u"org.a11y.atspi.Accessible"_s;
const QString actionInterface = u"org.a11y.atspi.Action"_s;
const QString textInterface = u"org.a11y.atspi.Text"_s;
const QString editableTextInterface = u"org.a11y.atspi.EditableText"_s;
const QString componentInterface = u"org.a11y.atspi.Component"_s;
const QString valueInterface = u"org.a11y.atspi.Value"_s;
// The connection the bridge talks to readers on.
const QString bridgeConnection = u"a11y"_s;

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
        add(propertiesInterface, {{"Get", "ss"}, {"Set", "ssv"}, {"GetAll", "s"}});
        add(accessibleInterface, {{"GetChildAtIndex", "i"}});
        add(u"org.a11y.atspi.Application"_s, {{"GetLocale", "u"}});
        add(componentInterface,
            {{"Contains", "iiu"}, {"GetAccessibleAtPoint", "iiu"}, {"GetExtents", "u"}, {"GetPosition", "u"},
             {"SetExtents", "iiiiu"}, {"SetPosition", "iiu"}, {"SetSize", "ii"}});
        add(actionInterface,
            {{"DoAction", "i"}, {"GetName", "i"}, {"GetLocalizedName", "i"}, {"GetDescription", "i"},
             {"GetKeyBinding", "i"}});
        add(textInterface,
            {{"AddSelection", "ii"}, {"GetAttributeRun", "ib"}, {"GetAttributeValue", "is"}, {"GetAttributes", "i"},
             {"GetBoundedRanges", "iiiiuuu"}, {"GetCharacterAtOffset", "i"}, {"GetCharacterExtents", "iu"},
             {"GetOffsetAtPoint", "iiu"}, {"GetRangeExtents", "iiu"}, {"GetSelection", "i"}, {"GetText", "ii"},
             {"GetTextAfterOffset", "iu"}, {"GetTextAtOffset", "iu"}, {"GetTextBeforeOffset", "iu"},
             {"GetStringAtOffset", "iu"}, {"RemoveSelection", "i"}, {"SetCaretOffset", "i"}, {"SetSelection", "iii"}});
        // The bridge reads a value set by the method as if by Properties.Set.
        add(valueInterface, {{"SetCurrentValue", "ssv"}});
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

// Qt has no role the bridge tells as a menu, and a reader calls a button a
// menu button only when a menu is its child: the menu a pull-down drops
// (whose parent is its button) reads as a menu, not as a popup menu.
bool isPullDownMenu(QAccessibleInterface* iface)
{
    if (iface->role() != QAccessible::PopupMenu)
        return false;
    QAccessibleInterface* parent = iface->parent();
    return parent && parent->role() == QAccessible::ButtonMenu;
}

// What the guard answers itself, for an object that is there; false hands
// the request to the bridge.
bool answer(QAccessibleInterface* iface, const QDBusMessage& message, const QDBusConnection& connection)
{
    const QString interface = message.interface();
    const QString member = message.member();
    if (interface == propertiesInterface)
        return atspi::answerProperties(iface, message, connection);
    // The bridge tells a password field's role as password text, but names
    // the role of every editable text "text".
    if (interface == accessibleInterface && (member == u"GetRoleName" || member == u"GetLocalizedRoleName")
        && iface->role() == QAccessible::EditableText && iface->state().passwordEdit) {
        static const char* const password = "password text";
        return connection.send(message.createReply(member == u"GetRoleName"
                                                       ? QString::fromLatin1(password)
                                                       : QCoreApplication::translate("QSpiAccessibleBridge", password)));
    }
    if (interface == accessibleInterface
        && (member == u"GetRole" || member == u"GetRoleName" || member == u"GetLocalizedRoleName")
        && isPullDownMenu(iface)) {
        constexpr uint menuRole = 33; // ATSPI_ROLE_MENU
        static const char* const menu = "menu";
        if (member == u"GetRole")
            return connection.send(message.createReply(menuRole));
        return connection.send(message.createReply(
            member == u"GetRoleName" ? QString::fromLatin1(menu) : QCoreApplication::translate("QSpiAccessibleBridge", menu)));
    }
    // What is not showing cannot take the keyboard, nor a value.
    if (interface == componentInterface && member == u"GrabFocus" && !atspi::isShowing(iface))
        return connection.send(message.createReply(false));
    if (interface == valueInterface && member == u"SetCurrentValue" && !atspi::isShowing(iface))
        return connection.send(message.createReply());
    if (interface == accessibleInterface && member == u"GetChildAtIndex") {
        const int index = message.arguments().at(0).toInt();
        if (index >= 0 && index < iface->childCount())
            return false;
        return connection.send(message.createReply(atspi::referenceTo(nullptr, connection)));
    }
    if (interface == accessibleInterface && member == u"GetRelationSet")
        return atspi::answerRelations(iface, message, connection);
    if (interface == accessibleInterface && member == u"GetAttributes")
        return atspi::answerAttributes(iface, message, connection);
    if (interface == textInterface)
        return atspi::answerText(iface, message, connection);
    if (interface == editableTextInterface)
        return atspi::answerEditableText(iface, message, connection);
    if (interface == actionInterface)
        return atspi::answerAction(iface, message, connection);
    return false;
}

// Said once, when the guard cannot stand in front of the bridge: what a
// reader asks then reaches the bridge unchecked.
void sayUnguarded()
{
    static bool said = false;
    if (said)
        return;
    said = true;
    qWarning("Palisademotion: the guard in front of the accessibility bridge could not take its place (it expects "
             "Qt 6.4.2's bridge on the \"a11y\" D-Bus connection, at %s); a screen reader's requests go to the bridge "
             "unchecked.",
             qPrintable(AtSpiGuard::objectPath()));
}

// Whether a bridge was to be found: no platform without windows (tests) runs
// one unless it was given an accessibility connection.
bool bridgeExpected()
{
    const QString platform = QGuiApplication::platformName();
    return QDBusConnection(bridgeConnection).isConnected() || (platform != u"offscreen" && platform != u"minimal");
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
            if (AtSpiGuard::guard(QDBusConnection(bridgeConnection)))
                return;
            if (triesLeft > 1)
                guardSoon(triesLeft - 1);
            else if (bridgeExpected())
                sayUnguarded();
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
    // What the guard knows of the bridge holds for the Qt it was built with.
    if (installed || !QtPrivateState::runningQtIsBuildQt())
        return;
    installed = true;
    QAccessible::installActivationObserver(&activation);
    if (QAccessible::isActive())
        Activation::guardSoon();
}

bool AtSpiGuard::guard(QDBusConnection connection)
{
    if (!connection.isConnected() || !QtPrivateState::runningQtIsBuildQt())
        return false;
    QObject* registered = connection.objectRegisteredAt(objectPath());
    if (qobject_cast<AtSpiGuard*>(registered))
        return true;
    auto* bridge = qobject_cast<QDBusVirtualObject*>(registered);
    if (!bridge)
        return false;
    connection.unregisterObject(objectPath());
    // It goes with the bridge.
    auto* guard = new AtSpiGuard(bridge);
    if (connection.registerVirtualObject(objectPath(), guard, QDBusConnection::SubPath)) {
        atspi::learnApplicationId(connection, guard);
        return true;
    }
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

namespace atspi {

bool isShowing(QAccessibleInterface* iface)
{
    return !iface->state().invisible;
}

QStringList actionNamesOf(QAccessibleInterface* iface)
{
    QStringList names;
    if (QAccessibleActionInterface* actions = iface->actionInterface())
        names = actions->actionNames();
    if (iface->valueInterface()) {
        for (const QString& step :
             {QAccessibleActionInterface::increaseAction(), QAccessibleActionInterface::decreaseAction()}) {
            if (!names.contains(step))
                names << step;
        }
    }
    return names;
}

bool answerAction(QAccessibleInterface* iface, const QDBusMessage& message, const QDBusConnection& connection)
{
    // The count and the list answer nothing for an object without actions;
    // a request for one action must name one it has.
    const QString member = message.member();
    if (member != u"DoAction" && member != u"GetName" && member != u"GetLocalizedName" && member != u"GetDescription"
        && member != u"GetKeyBinding")
        return false;
    const QStringList names = actionNamesOf(iface);
    const int index = message.arguments().at(0).toInt();
    if (index < 0 || index >= names.size()) {
        const QString why = names.isEmpty() ? u" has no actions"_s
                                            : u" has no action %1 (it has %2)"_s.arg(index).arg(names.size());
        return refuse(message, connection, invalidArgs, message.path() + why);
    }
    // The keyboard goes only to what shows, whichever way a reader asks; and
    // a value that does not show is not stepped.
    static const QStringList refusedUnseen{QAccessibleActionInterface::setFocusAction(),
                                           QAccessibleActionInterface::increaseAction(),
                                           QAccessibleActionInterface::decreaseAction()};
    if (member == u"DoAction" && refusedUnseen.contains(names.at(index)) && !isShowing(iface))
        return connection.send(message.createReply(false));
    // The bridge does not know it.
    if (member == u"GetLocalizedName") {
        QAccessibleActionInterface* actions = iface->actionInterface();
        const QString& name = names.at(index);
        return connection.send(message.createReply(actions ? actions->localizedActionName(name) : name));
    }
    return false;
}

} // namespace atspi

} // namespace studio
