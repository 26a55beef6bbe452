// The generation queue and the simulated renderer of a session.

#include "state/ProjectSession.h"

#include "model/Lookup.h"
#include "model/PromptComposer.h"
#include "state/edits/FootageEdits.h"

#include <QTimer>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

bool blocksShot(const GenerationJob& job)
{
    return job.state == JobState::queued || job.state == JobState::rendering;
}

} // namespace

void ProjectSession::setJobs(const QList<GenerationJob>& jobs)
{
    if (jobs == m_jobs)
        return;
    m_jobs = jobs;
    Q_EMIT jobsChanged();
}

void ProjectSession::setRendering(bool rendering)
{
    if (rendering == m_isRendering)
        return;
    m_isRendering = rendering;
    Q_EMIT isRenderingChanged();
}

GenerationJob* ProjectSession::findJob(const QUuid& id)
{
    for (GenerationJob& job : m_jobs) {
        if (job.id == id)
            return &job;
    }
    return nullptr;
}

void ProjectSession::enqueue(const QList<QUuid>& shotIDs)
{
    if (shotIDs.isEmpty())
        return;
    const QSet<QUuid> wanted(shotIDs.cbegin(), shotIDs.cend());
    const Episode episode = activeEpisode();

    bool added = false;
    for (qsizetype sceneIndex = 0; sceneIndex < episode.scenes.size(); ++sceneIndex) {
        const SceneCard& scene = episode.scenes.at(sceneIndex);
        for (qsizetype shotIndex = 0; shotIndex < scene.shots.size(); ++shotIndex) {
            const Shot& shot = scene.shots.at(shotIndex);
            if (!wanted.contains(shot.id))
                continue;
            const bool pending = std::any_of(m_jobs.cbegin(), m_jobs.cend(), [&](const GenerationJob& job) {
                return job.shotID == shot.id && blocksShot(job);
            });
            if (pending)
                continue;
            GenerationJob job;
            job.shotID = shot.id;
            job.sceneID = scene.id;
            job.episodeID = episode.id;
            job.title = u"Scene "_s + QString::number(sceneIndex + 1) + u" · Shot "_s + QString::number(shotIndex + 1)
                        + u" · "_s + abbrev(shot.size);
            job.clips = PromptComposer::clips(shot, scene, m_project, m_profile);
            m_jobs.append(std::move(job));
            added = true;
        }
    }
    if (added)
        Q_EMIT jobsChanged();
}

void ProjectSession::clearFinishedJobs()
{
    const qsizetype removed = m_jobs.removeIf([](const GenerationJob& job) { return !blocksShot(job); });
    if (removed > 0)
        Q_EMIT jobsChanged();
}

void ProjectSession::renderAll()
{
    if (m_isRendering)
        return;
    setRendering(true);
    startNextJob();
}

void ProjectSession::startNextJob()
{
    auto next = std::find_if(m_jobs.begin(), m_jobs.end(),
                             [](const GenerationJob& job) { return job.state == JobState::queued; });
    if (next == m_jobs.end()) {
        stopRenderer();
        return;
    }
    next->state = JobState::rendering;
    m_renderingJobID = next->id;
    m_renderStep = 0;
    m_renderTimer->start();
    Q_EMIT jobsChanged();
}

void ProjectSession::stopRenderer()
{
    m_renderTimer->stop();
    m_renderingJobID = QUuid();
    m_renderStep = 0;
    setRendering(false);
}

void ProjectSession::renderStep()
{
    // The job is looked up by id at every step: finished jobs ahead of it may
    // have been cleared, and the job itself may be gone.
    GenerationJob* job = findJob(m_renderingJobID);
    if (!job) {
        stopRenderer();
        return;
    }
    ++m_renderStep;
    job->progress = double(m_renderStep) / double(renderStepsPerJob);
    if (m_renderStep < renderStepsPerJob) {
        m_renderTimer->start();
        Q_EMIT jobsChanged();
        return;
    }

    job->state = JobState::done;
    const GenerationJob finished = *job;
    const qint64 takes = std::max<qint64>(1, m_profile.variantsPerShot);

    attachTakes(finished, takes);
    Q_EMIT jobsChanged();
    // An observer of the new takes may have stopped the queue.
    if (!m_isRendering)
        return;
    startNextJob();
}

void ProjectSession::attachTakes(const GenerationJob& job, qint64 count)
{
    edit([&](Project& project) { edits::attachTakes(project, job.episodeID, job.sceneID, job.shotID, count); });
}

} // namespace studio
