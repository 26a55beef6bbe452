// The store's background writes: the debounced autosave of each production,
// its write on a worker, and the copy whose write failed, tried again.

#include "services/ProjectStore.h"
#include "services/ProjectStoreFiles.h"

#include <QTimer>
#include <QtConcurrent>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace studio {

using projectfiles::WriteFailure;

ProjectStore::PendingAutosave& ProjectStore::pendingFor(const QUuid& id)
{
    PendingAutosave& pending = m_autosaves[id];
    if (pending.timer)
        return pending;
    const auto makeTimer = [this, id] {
        auto* timer = new QTimer(this);
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, this, [this, id] { autosaveDue(id); });
        return timer;
    };
    pending.timer = makeTimer();
    pending.deadline = makeTimer();
    pending.retry = makeTimer();
    return pending;
}

void ProjectStore::scheduleAutosave(const Project& project)
{
    if (m_trashed.contains(project.id))
        return;
    PendingAutosave& pending = pendingFor(project.id);
    // The longest wait counts from the oldest change not yet taken for a
    // write; newer snapshots don't push it back. A copy waiting to be tried
    // again was taken already.
    if ((!pending.snapshot || pending.again) && !pending.deadline->isActive())
        pending.deadline->start(m_longestWait);
    pending.snapshot = project;
    pending.again = false;
    pending.timer->start(m_autosaveDelay);
}

void ProjectStore::autosaveDue(const QUuid& id)
{
    // Due now, whichever timer fired: with a write in flight the snapshot
    // waits for it to land, and the write after it takes the newest one.
    if (auto it = m_autosaves.find(id); it != m_autosaves.end() && it->snapshot) {
        it->timer->stop();
        it->deadline->stop();
        it->due = true;
    }
    startWrite(id);
}

void ProjectStore::startWrite(const QUuid& id)
{
    auto it = m_autosaves.find(id);
    if (it == m_autosaves.end() || it->writing || !it->snapshot || !it->due || m_trashed.contains(id))
        return;
    Project stamped = std::move(*it->snapshot);
    it->snapshot.reset();
    it->deadline->stop();
    it->due = false;
    // A copy tried again is written as it was first stamped: each try
    // writes the same document.
    it->writingAgain = std::exchange(it->again, false);
    if (!it->writingAgain)
        stamped.modifiedAt = now();
    it->written = stamped;

    auto* watcher = new QFutureWatcher<WriteOutcome>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, id] { writeFinished(id, true); });
    it->writing = watcher;
    watcher->setFuture(QtConcurrent::run([stamped = std::move(stamped), folder = folderOf(id)] {
        return projectfiles::writeDocument(stamped, folder);
    }));
}

void ProjectStore::writeFinished(const QUuid& id, bool startNext)
{
    auto it = m_autosaves.find(id);
    if (it == m_autosaves.end() || !it->writing)
        return;
    QFutureWatcher<WriteOutcome>* watcher = std::exchange(it->writing, nullptr);
    const WriteOutcome failure = watcher->result();
    Project stamped = std::move(it->written);
    it->written = Project();
    const bool again = std::exchange(it->writingAgain, false);
    // Also when called from the watcher's own signal.
    watcher->disconnect(this);
    watcher->deleteLater();

    if (failure) {
        writeFailed(std::move(stamped), *failure, again ? Attempt::retry : Attempt::autosave);
    } else {
        it->retry->stop();
        it->backOff = {};
        // What the signals of landing set off may call back into the store.
        land(std::move(stamped));
    }
    if (startNext)
        startWrite(id);
}

void ProjectStore::writeFailed(Project stamped, const WriteFailure& failure, Attempt attempt)
{
    const QUuid id = stamped.id;
    PendingAutosave& pending = pendingFor(id);
    // A copy tried again that fails as before has nothing new to say; the
    // banner already says it, and a reader would hear it at every try.
    const bool repeated = attempt == Attempt::retry && failure.reason == pending.failure;
    pending.failure = failure.reason;
    if (failure.mayPass && !m_trashed.contains(id)) {
        // A snapshot taken while the copy was being written is newer and is
        // written in its place; a save's copy is newer than any snapshot.
        if (!pending.snapshot || attempt == Attempt::save) {
            pending.snapshot = std::move(stamped);
            pending.again = true;
            pending.due = false;
            pending.timer->stop();
            pending.deadline->stop();
        }
        pending.backOff = pending.backOff.count() == 0 ? m_retryFirst : std::min(pending.backOff * 2, m_retryLongest);
        pending.retry->start(pending.backOff);
    }
    // Last: what the report sets off may call back into the store.
    if (!repeated)
        fail(u"Save failed: "_s + failure.reason, id);
}

void ProjectStore::waitForWrite(const QUuid& id)
{
    auto it = m_autosaves.find(id);
    if (it == m_autosaves.end() || !it->writing)
        return;
    it->writing->waitForFinished();
    writeFinished(id, false);
}

void ProjectStore::cancelAutosave(const QUuid& id)
{
    auto it = m_autosaves.find(id);
    if (it == m_autosaves.end())
        return;
    it->timer->stop();
    it->deadline->stop();
    it->retry->stop();
    it->backOff = {};
    it->due = false;
    it->again = false;
    it->snapshot.reset();
}

bool ProjectStore::hasPendingAutosave(const QUuid& id) const
{
    auto it = m_autosaves.constFind(id);
    return it != m_autosaves.cend() && (it->snapshot.has_value() || it->writing);
}

} // namespace studio
