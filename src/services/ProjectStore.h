#pragma once

// The library of productions on disk: one folder per production under the
// user's data directory, each holding its document "project.json".
//
// Storage failures never throw. Each one is recorded as lastError() and
// announced through errorOccurred(), which the main window turns into a banner.
// A failed save writes nothing and leaves the previous document untouched.
// It is tried again on its own, sooner at first and then less often (see
// setRetryBackOff), until it is written, a newer state of the production
// replaces it, or the production goes to the Trash: room freed on a full
// disk, a folder made writable or a size limit lifted is enough. A document
// that can't be encoded, or too large to be read back, is not tried again:
// it would fail the same way until the production changes.
//
// Autosaves are encoded and written on a worker thread so a pause in typing
// never stalls the interface: the snapshot is taken here (records are values
// whose copies share their data), the write runs on Qt's thread pool, and its
// outcome (the library entry with its new modifiedAt, or the failure) lands
// back on this object's thread. One production has at most one write in
// flight; a snapshot that falls due meanwhile waits for it, so writes of one
// production never overlap and never land out of order. Every other
// operation on a production first waits for its write in flight.

#include "model/Enums.h"
#include "model/Project.h"

#include <QFutureWatcher>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QUuid>
#include <chrono>
#include <functional>
#include <optional>

class QTimer;

namespace studio {

namespace projectfiles {
struct WriteFailure;
}

class ProjectStore : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds defaultAutosaveDelay{1200};
    static constexpr std::chrono::milliseconds defaultAutosaveLongestWait{1800};
    static constexpr std::chrono::milliseconds defaultRetryFirst{1000};
    static constexpr std::chrono::milliseconds defaultRetryLongest{5000};

    // autosaveDelay is the quiet period an autosave waits for; longestWait
    // bounds how long a change may wait for it while changes keep coming.
    explicit ProjectStore(QObject* parent = nullptr,
                          std::chrono::milliseconds autosaveDelay = defaultAutosaveDelay,
                          std::chrono::milliseconds longestWait = defaultAutosaveLongestWait);
    ~ProjectStore() override;

    // A write that failed is tried again `first` after it failed; each time
    // it fails again the wait doubles, up to `longest`. A production's
    // successful write starts its waits from `first` again.
    void setRetryBackOff(std::chrono::milliseconds first, std::chrono::milliseconds longest);

    // <data location>/Palisademotion/Projects, or the home directory in place of
    // the data location when the system names none. Computed at every call.
    static QString rootPath();
    // The folder of one production: <root>/<ID>.palisademotion.
    static QString folderPath(const QUuid& id);
    // The folder the production lives in: the one it was read from (a folder
    // renamed or copied by hand keeps its name), else folderPath(id). Saves,
    // autosaves and the Trash all go there.
    QString folderOf(const QUuid& id) const;

    // Newest modification first after load(); save() and remove() edit it in place.
    const QList<Project>& projects() const { return m_projects; }
    // The message of the most recent failure; empty while nothing has failed.
    // Only failures write it.
    const QString& lastError() const { return m_lastError; }

    // The largest document the library reads, and so the largest a save
    // writes. Productions run to tens of megabytes at most; reading past this
    // would let a hostile file exhaust memory (every document is decoded at
    // once), so a document past it is refused like a damaged one, and a save
    // that would write one fails instead, keeping the document before it.
    static constexpr qint64 maxDocumentBytes = qint64(128) << 20;

    // Replaces the library with every readable production on disk, decoding
    // the documents side by side on the thread pool. The program reads its
    // library once, as it starts, before any save or removal: a production
    // moved to the Trash stays one the store writes no more. A folder whose document
    // can't be read is left out and reported as "Couldn't read <folder>:
    // <reason>" (in folder order); the others still load. Only a regular file
    // (links resolved) of at most maxDocumentBytes is read: a pipe, a device
    // or a directory in its place can neither hang nor exhaust the program.
    //
    // One id, one folder. When two folders hold the same production (a
    // folder copied by hand), the folder named for its id keeps it, else the
    // first by name; every other one is kept apart as a copy of its own: a
    // new id and " Copy" after its name, written back to its folder at once
    // (its modification date kept), so that trashing the one never brings
    // the other back under the same id (a link to the folder that keeps it
    // is that same production, read once). A production without episodes (a
    // damaged document) is given the one a new production starts with; its
    // document takes it with the next save.
    void load();

    // Writes the production (with modifiedAt stamped on the written copy; the
    // argument is untouched) atomically, then replaces its library entry in
    // place or puts it first. On failure reports "Save failed: <reason>",
    // leaves the library and any previous document as they were, and returns false;
    // the copy is then tried again on its own, in place of any older
    // snapshot waiting. A folder made for a first save that failed is removed again.
    // Synchronous: it first waits for the production's autosave in flight.
    // A production moved to the Trash is written no more: saving it writes
    // nothing and returns true (the user chose to discard it).
    bool save(const Project& project);

    // Saves a snapshot of the production once no newer snapshot of it has
    // arrived for the autosave delay, in the background; but while snapshots
    // keep arriving (takes landing one after another), the newest one is
    // written when the oldest change not yet on disk has waited the longest
    // wait. Productions debounce independently. A production moved to the
    // Trash is not saved again.
    void scheduleAutosave(const Project& project);
    // Drops the snapshot waiting to be written, or the copy waiting to be
    // tried again; a write already under way still lands.
    void cancelAutosave(const QUuid& id);
    // A snapshot (or a copy that failed) is waiting or being written.
    bool hasPendingAutosave(const QUuid& id) const;

    // Moves the production's folder to the Trash and drops it from the
    // library, cancelling its pending autosave and waiting for its write in
    // flight first, so no late write brings the folder back. When the move
    // fails the production stays in the library, the failure is reported and
    // false is returned. A production without a folder on disk is simply
    // dropped. Once removed, nothing writes the production again (a change
    // landing late in its open session would otherwise bring it back).
    bool remove(const QUuid& id);

    // The present moment a save stamps as modifiedAt (tests); the system
    // clock by default.
    using Clock = std::function<Date()>;
    void setClock(Clock clock);

    // A new production with the defaults of its format, saved at once. The
    // returned value is the production as built (before the save's stamp).
    Project create(const QString& name, ProjectFormat format, qint64 episodeCount,
                   const QList<Genre>& genres, qint64 runtime);

Q_SIGNALS:
    void projectsChanged();
    void lastErrorChanged();
    // Every failure, also when its text equals the previous one; only a
    // write tried again on its own that fails as the one before it did
    // stays quiet. production is the one whose save failed; null for a
    // failure that is not a save's.
    void errorOccurred(const QString& message, const QUuid& production = QUuid());
    // The production's document was written (by a save, an autosave or a
    // write tried again).
    void saved(const QUuid& production);
    // The production went to the Trash: nothing of it is written any more.
    void trashed(const QUuid& production);

private:
    // Empty when the document was written, else why it wasn't.
    using WriteOutcome = std::optional<projectfiles::WriteFailure>;
    // What a failed write was: one the user or a caller asked for, an
    // autosave of an edit, or a copy that had failed before tried again.
    enum class Attempt { save, autosave, retry };

    struct PendingAutosave {
        QTimer* timer = nullptr;
        // Runs from the first snapshot not yet taken for a write: when it
        // fires, the snapshot is due even though changes keep coming.
        QTimer* deadline = nullptr;
        // The snapshot fell due (quiet period over or longest wait reached)
        // and goes out as soon as no write is in flight.
        bool due = false;
        // Waiting for the quiet period, or (the timer stopped) for the write
        // in flight to land.
        std::optional<Project> snapshot;
        QFutureWatcher<WriteOutcome>* writing = nullptr;
        Project written; // what is being written, stamped
        // Brings back a copy whose write failed.
        QTimer* retry = nullptr;
        // The wait before the next try; zero while nothing has failed since
        // the last write.
        std::chrono::milliseconds backOff{0};
        // The snapshot is the copy whose write failed, stamped already;
        // writingAgain: the write in flight is such a copy.
        bool again = false;
        bool writingAgain = false;
        // Why the production's last failed write failed.
        QString failure;
    };

    void fail(const QString& message, const QUuid& production = QUuid());
    // The timers of a production's autosave, made at its first use.
    PendingAutosave& pendingFor(const QUuid& id);
    // Keeps the copy that failed to be tried again (when it may pass) and
    // reports the failure.
    void writeFailed(Project stamped, const projectfiles::WriteFailure& failure, Attempt attempt);
    void land(Project stamped);
    void autosaveDue(const QUuid& id);
    void startWrite(const QUuid& id);
    void writeFinished(const QUuid& id, bool startNext);
    void waitForWrite(const QUuid& id);
    Date now() const;

    std::chrono::milliseconds m_autosaveDelay;
    std::chrono::milliseconds m_longestWait;
    std::chrono::milliseconds m_retryFirst = defaultRetryFirst;
    std::chrono::milliseconds m_retryLongest = defaultRetryLongest;
    QList<Project> m_projects;
    // Where each production of the library was read from.
    QHash<QUuid, QString> m_folders;
    QString m_lastError;
    QHash<QUuid, PendingAutosave> m_autosaves;
    // Productions moved to the Trash while the program runs.
    QSet<QUuid> m_trashed;
    Clock m_clock;
};

} // namespace studio
