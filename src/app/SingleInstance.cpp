#include "app/SingleInstance.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QWidget>
#include <qpa/qplatformnativeinterface.h>

#include <algorithm>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

const QString applicationID = u"app.palisademotion.Palisademotion"_s;
const QString objectPath = u"/app/palisademotion/Palisademotion"_s;
const QString applicationInterface = u"org.freedesktop.Application"_s;
// Long enough for a program that is still reading a large library.
constexpr int activateTimeoutMilliseconds = 20000;

// The library's folder as the file system knows it, whether it exists yet
// or not and whatever links lead to it: the nearest folder that exists,
// resolved, and the rest as written.
QString resolvedLibrary(const QString& path)
{
    QFileInfo info(QDir::cleanPath(QDir(path).absolutePath()));
    QStringList rest;
    while (!info.exists() && !info.isRoot()) {
        rest.prepend(info.fileName());
        info = QFileInfo(info.path());
    }
    const QString base = info.canonicalFilePath().isEmpty() ? info.absoluteFilePath() : info.canonicalFilePath();
    return QDir::cleanPath(rest.isEmpty() ? base : base + u'/' + rest.join(u'/'));
}

QString libraryKey(const QString& path)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(resolvedLibrary(path).toUtf8(), QCryptographicHash::Sha256).toHex().left(20));
}

void say(const QString& line)
{
    std::fprintf(stderr, "%s\n", qPrintable(line));
    std::fflush(stderr);
}

// The X server takes a request to raise a window as the user's only when it
// is no older than the user's last action elsewhere: the time the launcher
// gave in the startup id ("…_TIME<time>") is the click that started it.
void useLaunchTime(const QString& startupId, QScreen* screen)
{
    static const QRegularExpression time(u"_TIME(\\d+)$"_s);
    const QRegularExpressionMatch match = time.match(startupId);
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    if (!match.hasMatch() || !native || !screen)
        return;
    bool ok = false;
    const quint32 stamp = match.captured(1).toUInt(&ok);
    if (!ok)
        return;
    using SetTime = void (*)(QScreen*, quint32);
    using AnyFunction = void (*)();
    for (const char* resource : {"setappusertime", "setapptime"}) {
        // The platform hands its functions out as one generic type.
        const auto function = reinterpret_cast<AnyFunction>(native->nativeResourceFunctionForIntegration(resource));
        if (function)
            reinterpret_cast<SetTime>(function)(screen, stamp);
    }
}

// org.freedesktop.Application on the bus, answered by the program that
// holds the library.
class ApplicationAdaptor : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")

public:
    explicit ApplicationAdaptor(SingleInstance* owner)
        : QObject(owner)
        , m_owner(owner)
    {
    }

public Q_SLOTS:
    void Activate(const QVariantMap& platformData) { Q_EMIT m_owner->activationRequested(platformData); }

private:
    SingleInstance* m_owner;
};

} // namespace

SingleInstance::Launch SingleInstance::launchFromEnvironment()
{
    return {qEnvironmentVariable("XDG_ACTIVATION_TOKEN"), qEnvironmentVariable("DESKTOP_STARTUP_ID")};
}

SingleInstance::SingleInstance(const QString& libraryPath, Launch launch, QObject* parent)
    : QObject(parent)
    , m_library(libraryPath)
    , m_launch(std::move(launch))
{
}

SingleInstance::~SingleInstance()
{
    if (m_ownsName)
        QDBusConnection::sessionBus().unregisterService(busName(m_library));
}

QString SingleInstance::busName(const QString& libraryPath)
{
    return applicationID + u".Library"_s + libraryKey(libraryPath);
}

QString SingleInstance::lockPath(const QString& libraryPath)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + u"/palisademotion-"_s + libraryKey(libraryPath) + u".lock"_s;
}

bool SingleInstance::claim()
{
    if (QDBusConnection::sessionBus().isConnected()) {
        const QDeadlineTimer deadline(activateTimeoutMilliseconds);
        // A name whose holder has just died is free again a moment later.
        while (ownBusName() == Name::HeldByAnother) {
            const Asked asked = askHolderForward(deadline);
            if (asked == Asked::Answered) {
                say(u"Palisademotion is already running on this library: its window was asked to come to the front."_s);
                m_exitStatus = 0;
                return false;
            }
            if (asked == Asked::NoAnswer || deadline.hasExpired())
                break;
        }
    }
    m_lock = std::make_unique<QLockFile>(lockPath(m_library));
    // Held for as long as the program runs: only a holder that is gone makes
    // the lock stale, never its age.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return true;
    if (m_lock->error() != QLockFile::LockFailedError) {
        // A runtime folder that takes no file must not keep the program
        // from starting.
        say(u"Palisademotion: couldn't lock the library in %1 (%2); a second start on it would not be stopped."_s.arg(
            QDir::toNativeSeparators(m_library), QDir::toNativeSeparators(m_lock->fileName())));
        return true;
    }
    if (m_ownsName) {
        QDBusConnection::sessionBus().unregisterService(busName(m_library));
        m_ownsName = false;
    }
    qint64 pid = 0;
    QString host;
    QString holder;
    const bool known = m_lock->getLockInfo(&pid, &host, &holder);
    say(u"Palisademotion is already running on the library in %1%2. Only one Palisademotion works on a library at "
        "a time: switch to its window."_s.arg(QDir::toNativeSeparators(m_library),
                                               known ? u" (process %1)"_s.arg(pid) : QString()));
    m_exitStatus = 1;
    return false;
}

SingleInstance::Name SingleInstance::ownBusName()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    // The answer is in place before the name is taken, so a call that finds
    // the name finds it answered.
    if (!m_adaptor) {
        m_adaptor = new ApplicationAdaptor(this);
        if (!bus.registerObject(objectPath, m_adaptor, QDBusConnection::ExportAllSlots)) {
            delete m_adaptor;
            m_adaptor = nullptr;
            return Name::Unavailable;
        }
    }
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply = bus.interface()->registerService(
        busName(m_library), QDBusConnectionInterface::DontQueueService, QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid())
        return Name::Unavailable;
    if (reply.value() == QDBusConnectionInterface::ServiceRegistered) {
        m_ownsName = true;
        return Name::Owned;
    }
    return Name::HeldByAnother;
}

SingleInstance::Asked SingleInstance::askHolderForward(const QDeadlineTimer& deadline)
{
    QVariantMap platformData;
    if (!m_launch.activationToken.isEmpty())
        platformData.insert(u"activation-token"_s, m_launch.activationToken);
    if (!m_launch.startupId.isEmpty())
        platformData.insert(u"desktop-startup-id"_s, m_launch.startupId);
    QDBusMessage call = QDBusMessage::createMethodCall(busName(m_library), objectPath, applicationInterface,
                                                       u"Activate"_s);
    call.setArguments({platformData});
    call.setAutoStartService(false);
    const int timeout = int(std::max<qint64>(deadline.remainingTime(), 1));
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, timeout);
    if (reply.type() == QDBusMessage::ReplyMessage)
        return Asked::Answered;
    // The holder left the bus between the name's refusal and the call (it
    // died, or quit): the name is to be had again.
    static const QStringList gone{u"org.freedesktop.DBus.Error.ServiceUnknown"_s,
                                  u"org.freedesktop.DBus.Error.NameHasNoOwner"_s,
                                  u"org.freedesktop.DBus.Error.NoReply"_s};
    return gone.contains(reply.errorName()) && !deadline.hasExpired() ? Asked::HolderGone : Asked::NoAnswer;
}

int SingleInstance::exitStatus() const
{
    return m_exitStatus;
}

void SingleInstance::bringToFront(QWidget* window, const QVariantMap& platformData)
{
    if (!window || !window->isVisible())
        return;
    // A question or sheet up over the window is what the user must see.
    QWidget* front = QApplication::activeModalWidget();
    if (!front || !front->isVisible())
        front = window;
    const QString platform = QGuiApplication::platformName();
    const QString token = platformData.value(u"activation-token"_s).toString();
    const QString startupId = platformData.value(u"desktop-startup-id"_s).toString();
    if (platform.startsWith(u"wayland"_s) && !token.isEmpty())
        // Qt's Wayland shell activates the next window asked with this token,
        // and forgets it then.
        qputenv("XDG_ACTIVATION_TOKEN", token.toUtf8());
    else if (platform == u"xcb"_s && !startupId.isEmpty())
        useLaunchTime(startupId, window->screen());
    if (window->isMinimized())
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    front->raise();
    front->activateWindow();
}

} // namespace studio

#include "SingleInstance.moc"
