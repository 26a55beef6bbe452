#pragma once

// The in-place updater. It reads a small JSON feed, compares the version it
// announces with the running one and, when asked, downloads the update
// archive, unpacks it, replaces the running bundle and starts the new version.
// Every outcome, failures included, is its phase; nothing is thrown out of it.
//
// The application wires two things: the save-all hook (every open production
// is saved before the new version starts) and, for tests, the launcher and the
// quit function. Everything runs on the GUI thread.

#include "services/UpdateInfo.h"
#include "services/UpdatePhase.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <qcoro/qcorotask.h>

#include <chrono>
#include <functional>

class QNetworkAccessManager;
class QTimer;

namespace studio {

class Settings;

class UpdateService : public QObject {
    Q_OBJECT
public:
    using Phase = UpdatePhase;
    // Decides which feed and archive addresses may be fetched.
    using UrlPolicy = std::function<bool(const QUrl&)>;
    // Starts the program at the given path as a new process; true when it started.
    using Launcher = std::function<bool(const QString& executable)>;
    // Saves every open production; true when all of them were saved.
    using SaveAllHook = std::function<bool()>;

    static inline const QString defaultFeedURL = QStringLiteral("https://updates.palisademotion.app/appcast.json");
    static inline const QString fallbackVersion = QStringLiteral("0.1.0");
    static constexpr std::chrono::milliseconds defaultAutoCheckInterval = std::chrono::hours(6);

    // The texts of the failed phase.
    static inline const QString invalidFeedText = QStringLiteral("The update feed URL isn't valid.");
    static inline const QString notBundleText
        = QStringLiteral("Updates install only when running from the built app bundle.");
    static inline const QString invalidDownloadText = QStringLiteral("The download URL isn't valid.");
    static QString feedFailureText(const QString& description);    // "Couldn't reach the update feed. (…)"
    static QString installFailureText(const QString& description); // "Update failed: …"

    explicit UpdateService(QObject* parent = nullptr);
    ~UpdateService() override;

    const Phase& phase() const { return m_phase; }
    void setPhase(const Phase& phase);

    // Set once by the window that runs the periodic checks.
    bool autoLoopStarted() const { return m_autoLoopStarted; }
    void setAutoLoopStarted(bool started);

    // The running bundle's version string, "0.1.0" when it has none.
    QString currentVersion() const { return m_currentVersion; }
    // The running bundle's folder, empty when the program doesn't run from one.
    bool runsFromBundle() const { return !m_bundlePath.isEmpty(); }

    // Fetches the feed and ends in upToDate, available or failed. Does nothing
    // while a download or install runs.
    QCoro::Task<void> check();
    // Downloads the archive and replaces the running bundle with the one it
    // holds, then starts it and quits. Ends in failed when anything goes wrong;
    // does nothing while another download or install runs.
    QCoro::Task<void> downloadAndInstall(UpdateInfo info);

    // Whether version `a` is newer than `b`, comparing the numeric dotted components.
    static bool isVersion(const QString& a, const QString& b);

    // The periodic checks: one now, then one each interval after the previous
    // check finished, while `lifetime` lives. Each round checks only when
    // automatic checks are on and the program runs from a bundle. Starts once
    // per process (autoLoopStarted); false when it had started already.
    bool startAutoCheckLoop(QObject* lifetime);
    // "autoCheckUpdates" isn't stored as false, and the program runs from a bundle.
    bool automaticChecksOn() const;

    // The address the next check fetches: the stored "updateFeedURL" as it
    // stands, else the built-in feed.
    QString feedAddress() const;

    // --- wiring -----------------------------------------------------------
    void setSaveAllHook(SaveAllHook hook) { m_saveAll = std::move(hook); }
    void setLauncher(Launcher launcher) { m_launch = std::move(launcher); }
    void setQuitFunction(std::function<void()> quit) { m_quit = std::move(quit); }
    void setUrlPolicy(UrlPolicy policy) { m_urlAllowed = std::move(policy); }
    // Overrides where the running bundle is (empty: not a bundle).
    void setBundlePath(const QString& path);
    void setAutoCheckInterval(std::chrono::milliseconds interval) { m_autoCheckInterval = interval; }

    // The default policy: https addresses with a host.
    static bool httpsOnly(const QUrl& url);
    // The default launcher: a detached process.
    static bool startDetached(const QString& executable);

Q_SIGNALS:
    void phaseChanged();
    void autoLoopStartedChanged();
    void currentVersionChanged();

private:
    bool isAllowed(const QUrl& url) const;
    QNetworkAccessManager* network();
    QCoro::Task<QByteArray> fetchFeed(QUrl url);
    QCoro::Task<void> download(QUrl url, QString file);
    QCoro::Task<void> install(QString archive, QString workDir);
    QCoro::Task<void> autoCheckRound(QPointer<QTimer> timer);

    Phase m_phase;
    bool m_autoLoopStarted = false;
    QString m_bundlePath;
    QString m_currentVersion;
    std::chrono::milliseconds m_autoCheckInterval = defaultAutoCheckInterval;
    QPointer<QNetworkAccessManager> m_network;
    SaveAllHook m_saveAll;
    Launcher m_launch;
    std::function<void()> m_quit;
    UrlPolicy m_urlAllowed;
};

} // namespace studio
