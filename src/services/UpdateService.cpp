#include "services/UpdateService.h"

#include "model/Json.h"
#include "services/Bundle.h"
#include "services/BundleSwap.h"
#include "services/Settings.h"
#include "services/UpdateArchive.h"
#include "services/UpdateError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProcess>
#include <QTimer>
#include <qcoro/qcoronetworkreply.h>

#include <limits>
#include <optional>

namespace studio {

namespace {

constexpr int feedTimeoutMs = 15'000;
// The archive download gives up after this long without a byte arriving.
constexpr int downloadStallMs = 60'000;

const QString noSingleAppText = QStringLiteral("The update archive holds more than one app.");
const QString invalidAppText = QStringLiteral("The app inside the update archive isn't valid: %1");
const QString saveFailedText = QStringLiteral("Open productions couldn't be saved.");
const QString launchFailedText = QStringLiteral("The new version is installed but couldn't be started.");

// A signed decimal integer: an optional sign, then ASCII digits only.
std::optional<qint64> parseInteger(QStringView text)
{
    qsizetype i = 0;
    bool negative = false;
    if (!text.isEmpty() && (text[0] == u'+' || text[0] == u'-')) {
        negative = text[0] == u'-';
        i = 1;
    }
    if (i == text.size())
        return std::nullopt;
    // Accumulated as a negative number so that the lowest value still fits.
    constexpr qint64 lowest = std::numeric_limits<qint64>::min();
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        const int digit = c - u'0';
        if (value < (lowest + digit) / 10)
            return std::nullopt;
        value = value * 10 - digit;
    }
    if (!negative) {
        if (value == lowest)
            return std::nullopt;
        value = -value;
    }
    return value;
}

QList<qint64> numericComponents(const QString& version)
{
    QList<qint64> out;
    for (const QString& part : version.split(u'.', Qt::SkipEmptyParts)) {
        if (const auto n = parseInteger(part))
            out.append(*n);
    }
    return out;
}

// Replies belong to the network manager; this hands ours back when the
// coroutine that made it is done with it.
struct ReplyHolder {
    QPointer<QNetworkReply> reply;
    ~ReplyHolder()
    {
        if (reply)
            reply->deleteLater();
    }
};

// Every redirect must satisfy the same policy as the first address.
void guardRedirects(QNetworkReply* reply, const UpdateService::UrlPolicy& policy)
{
    QObject::connect(reply, &QNetworkReply::redirected, reply, [reply, policy](const QUrl& to) {
        if (policy && policy(to))
            Q_EMIT reply->redirectAllowed();
        else
            reply->abort();
    });
}

QNetworkRequest makeRequest(const QUrl& url, int timeoutMs)
{
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setTransferTimeout(timeoutMs);
    return request;
}

// The private folder of one install: the archive and what it unpacks to.
// Removed when the install ends, whichever way it ends.
struct WorkDirectory {
    QString path;
    void create()
    {
        const QString candidate
            = QDir::tempPath() + QStringLiteral("/PalisademotionUpdate-") + uuidString(newId());
        if (!QDir().mkpath(candidate))
            throw UpdateError(QStringLiteral("The folder %1 couldn't be created.").arg(QDir::toNativeSeparators(candidate)));
        path = candidate;
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    ~WorkDirectory()
    {
        if (!path.isEmpty())
            BundleSwap::removeTree(path);
    }
};

// The one ".app" folder at the top level of the unpacked archive.
QString findApp(const QString& unpacked)
{
    QStringList apps;
    const QFileInfoList entries = QDir(unpacked).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries) {
        const QString name = entry.fileName();
        if (name.size() > 4 && name.endsWith(QLatin1String(".app")) && entry.isDir() && !entry.isSymLink())
            apps.append(entry.absoluteFilePath());
    }
    if (apps.isEmpty())
        throw UpdateError(UpdateError::noApp());
    if (apps.size() > 1)
        throw UpdateError(noSingleAppText);
    return apps.first();
}

} // namespace

QString UpdateService::feedFailureText(const QString& description)
{
    return QStringLiteral("Couldn't reach the update feed. (") + description + u')';
}

QString UpdateService::installFailureText(const QString& description)
{
    return QStringLiteral("Update failed: ") + description;
}

UpdateService::UpdateService(QObject* parent)
    : QObject(parent),
      m_launch(&UpdateService::startDetached),
      m_quit([] { QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection); }),
      m_urlAllowed(&UpdateService::httpsOnly)
{
    m_bundlePath = Bundle::runningRoot();
    m_currentVersion = Bundle::shortVersion(m_bundlePath).value_or(fallbackVersion);
}

UpdateService::~UpdateService() = default;

void UpdateService::setPhase(const Phase& phase)
{
    if (m_phase == phase)
        return;
    m_phase = phase;
    Q_EMIT phaseChanged();
}

void UpdateService::setAutoLoopStarted(bool started)
{
    if (m_autoLoopStarted == started)
        return;
    m_autoLoopStarted = started;
    Q_EMIT autoLoopStartedChanged();
}

void UpdateService::setBundlePath(const QString& path)
{
    m_bundlePath = path;
    const QString version = Bundle::shortVersion(path).value_or(fallbackVersion);
    if (version == m_currentVersion)
        return;
    m_currentVersion = version;
    Q_EMIT currentVersionChanged();
}

QNetworkAccessManager* UpdateService::network()
{
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    return m_network;
}

bool UpdateService::httpsOnly(const QUrl& url)
{
    return url.isValid() && url.scheme() == QLatin1String("https") && !url.host().isEmpty();
}

bool UpdateService::startDetached(const QString& executable)
{
    return QProcess::startDetached(executable, {}, QDir::homePath());
}

bool UpdateService::isAllowed(const QUrl& url) const
{
    return !url.isEmpty() && url.isValid() && m_urlAllowed && m_urlAllowed(url);
}

QString UpdateService::feedAddress() const
{
    return Settings::instance().string(Settings::updateFeedURLKey).value_or(defaultFeedURL);
}

bool UpdateService::isVersion(const QString& a, const QString& b)
{
    const QList<qint64> left = numericComponents(a);
    const QList<qint64> right = numericComponents(b);
    const qsizetype n = std::max(left.size(), right.size());
    for (qsizetype i = 0; i < n; ++i) {
        const qint64 x = i < left.size() ? left[i] : 0;
        const qint64 y = i < right.size() ? right[i] : 0;
        if (x != y)
            return x > y;
    }
    return false;
}

QCoro::Task<void> UpdateService::check()
{
    // The download or install owns the phase until it ends; its outcome must
    // stay visible, and a check has nothing to add meanwhile.
    if (m_phase.isBusy())
        co_return;
    QPointer<UpdateService> self(this);
    setPhase(Phase::checking());

    const QUrl url(feedAddress(), QUrl::StrictMode);
    if (!isAllowed(url)) {
        setPhase(Phase::failed(invalidFeedText));
        co_return;
    }

    Phase outcome;
    try {
        const QByteArray body = co_await fetchFeed(url);
        if (!self)
            co_return;
        const UpdateInfo info = json::decode<UpdateInfo>(body);
        outcome = isVersion(info.version, m_currentVersion) ? Phase::available(info) : Phase::upToDate();
    } catch (const DecodingError& e) {
        outcome = Phase::failed(feedFailureText(e.message()));
    } catch (const UpdateError& e) {
        outcome = Phase::failed(feedFailureText(e.message()));
    } catch (const std::exception& e) {
        outcome = Phase::failed(feedFailureText(QString::fromUtf8(e.what())));
    } catch (...) {
        outcome = Phase::failed(feedFailureText(QStringLiteral("unknown error")));
    }
    if (!self || m_phase.isBusy())
        co_return;
    setPhase(outcome);
}

QCoro::Task<QByteArray> UpdateService::fetchFeed(QUrl url)
{
    ReplyHolder holder{network()->get(makeRequest(url, feedTimeoutMs))};
    guardRedirects(holder.reply, m_urlAllowed);
    co_await qCoro(holder.reply.data()).waitForFinished();
    QNetworkReply* reply = holder.reply;
    if (!reply)
        throw UpdateError(QStringLiteral("The request was cancelled."));
    // An answer with an error status is read like any other: a body that
    // isn't the feed fails in decoding. Only a failed transfer ends here.
    const bool answered = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
    const QNetworkReply::NetworkError error = reply->error();
    if (error != QNetworkReply::NoError && (!answered || error < QNetworkReply::ContentAccessDenied))
        throw UpdateError(reply->errorString());
    co_return reply->readAll();
}

QCoro::Task<void> UpdateService::downloadAndInstall(UpdateInfo info)
{
    if (m_phase.isBusy())
        co_return;
    if (!runsFromBundle()) {
        setPhase(Phase::failed(notBundleText));
        co_return;
    }
    const QUrl url(info.zipURL, QUrl::StrictMode);
    if (!isAllowed(url)) {
        setPhase(Phase::failed(invalidDownloadText));
        co_return;
    }
    setPhase(Phase::downloading(0));

    QPointer<UpdateService> self(this);
    WorkDirectory work;
    QString failure;
    try {
        work.create();
        const QString archive = work.path + QStringLiteral("/update.zip");
        co_await download(url, archive);
        if (!self)
            co_return;
        setPhase(Phase::downloading(1));
        co_await install(archive, work.path);
        co_return;
    } catch (const UpdateError& e) {
        failure = e.message();
    } catch (const std::exception& e) {
        failure = QString::fromUtf8(e.what());
    } catch (...) {
        failure = QStringLiteral("unknown error");
    }
    if (self)
        setPhase(Phase::failed(installFailureText(failure)));
}

QCoro::Task<void> UpdateService::download(QUrl url, QString path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw UpdateError(file.errorString());

    ReplyHolder holder{network()->get(makeRequest(url, downloadStallMs))};
    QNetworkReply* reply = holder.reply;
    guardRedirects(reply, m_urlAllowed);

    // Written as it arrives, so a large archive never sits in memory.
    qint64 written = 0;
    QString failure;
    auto drain = [&file, &written, &failure, reply] {
        if (!failure.isEmpty())
            return;
        const QByteArray chunk = reply->readAll();
        if (chunk.size() > UpdateArchive::maxUnpackedBytes - written)
            failure = UpdateArchive::tooLargeText();
        else if (file.write(chunk) != chunk.size())
            failure = file.errorString();
        written += chunk.size();
        if (!failure.isEmpty())
            QMetaObject::invokeMethod(reply, &QNetworkReply::abort, Qt::QueuedConnection);
    };
    const QMetaObject::Connection connection = connect(reply, &QNetworkReply::readyRead, reply, drain);
    co_await qCoro(reply).waitForFinished();
    if (!holder.reply)
        throw UpdateError(QStringLiteral("The download was cancelled."));
    disconnect(connection);
    drain();
    if (!failure.isEmpty())
        throw UpdateError(failure);

    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && (status.toInt() < 200 || status.toInt() > 299))
        throw UpdateError(QStringLiteral("The download failed with HTTP status %1.").arg(status.toInt()));
    if (reply->error() != QNetworkReply::NoError)
        throw UpdateError(reply->errorString());
    if (!file.flush())
        throw UpdateError(file.errorString());
    file.close();
}

QCoro::Task<void> UpdateService::install(QString archive, QString workDir)
{
    QPointer<UpdateService> self(this);
    const QString target = m_bundlePath;
    setPhase(Phase::installing());

    const QString unpacked = workDir + QStringLiteral("/unpacked");
    if (!QDir().mkdir(unpacked))
        throw UpdateError(UpdateError::unpackFailed());
    co_await UpdateArchive::unpack(archive, unpacked);
    if (!self)
        co_return;

    const QString newBundle = findApp(unpacked);
    if (const QString problem = Bundle::problem(newBundle); !problem.isEmpty())
        throw UpdateError(invalidAppText.arg(problem));

    // From here on everything runs without returning to the event loop, so
    // nothing can change a production between the save and the new start.
    BundleSwap swap(target);
    swap.stage(newBundle);
    if (m_saveAll && !m_saveAll())
        throw UpdateError(saveFailedText);
    swap.replace();
    if (!m_launch || !m_launch(Bundle::executable(target)))
        throw UpdateError(launchFailedText);
    if (m_quit)
        m_quit();
}

bool UpdateService::automaticChecksOn() const
{
    return runsFromBundle() && !Settings::instance().isStoredFalse(Settings::autoCheckUpdatesKey);
}

bool UpdateService::startAutoCheckLoop(QObject* lifetime)
{
    if (m_autoLoopStarted)
        return false;
    setAutoLoopStarted(true);
    auto* timer = new QTimer(lifetime ? lifetime : this);
    timer->setSingleShot(true);
    timer->setInterval(m_autoCheckInterval);
    connect(timer, &QTimer::timeout, this, [this, timer] { autoCheckRound(timer); });
    autoCheckRound(timer);
    return true;
}

QCoro::Task<void> UpdateService::autoCheckRound(QPointer<QTimer> timer)
{
    QPointer<UpdateService> self(this);
    if (automaticChecksOn())
        co_await check();
    // The next round counts from the end of this one.
    if (self && timer)
        timer->start();
}

} // namespace studio
