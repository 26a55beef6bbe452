#include "state/ProjectSession.h"

#include "model/Lookup.h"
#include "services/AIError.h"
#include "services/AIService.h"
#include "services/Settings.h"

#include <QTimer>

namespace studio {

ProjectSession::ProjectSession(Project project, QObject* parent, std::chrono::milliseconds renderStep)
    : QObject(parent),
      m_project(std::move(project)),
      m_activeEpisodeID(m_project.episodes.isEmpty() ? newId() : m_project.episodes.first().id),
      m_renderTimer(new QTimer(this))
{
    // A child of the session, so no step can fire once the session is gone.
    m_renderTimer->setSingleShot(true);
    m_renderTimer->setInterval(renderStep);
    connect(m_renderTimer, &QTimer::timeout, this, &ProjectSession::renderStep);
    // An error about the AI settings (no key, a key with a line break, a
    // base URL that isn't one) goes the moment the settings no longer have
    // it: the banner never asks for a key that has been entered.
    connect(&Settings::instance(), &Settings::changed, this, [this] {
        if (!m_aiError || !m_aiErrorKind || !AIService::isSettingsFault(*m_aiErrorKind))
            return;
        const std::optional<AIError> fault = AIService::settingsFault();
        if (!fault || fault->kind() != *m_aiErrorKind)
            setAiError(std::nullopt);
    });
}

ProjectSession::~ProjectSession() = default;

bool ProjectSession::edit(const std::function<void(Project&)>& change)
{
    if (!change)
        return false;
    if (m_applying) {
        // Called from inside another edit's change: writing into the working
        // copy now would be overwritten when the outer edit lands, and
        // announcing it now would show observers a production half changed.
        // It joins the outer edit instead, which announces both at once.
        const Project before = *m_applying;
        change(*m_applying);
        return !(*m_applying == before);
    }
    // The copy shares every list with the working copy until the change
    // writes to it, and comparing shared lists is immediate, so the cost
    // follows the size of the change, not of the production.
    Project next = m_project;
    m_applying = &next;
    try {
        change(next);
    } catch (...) {
        m_applying = nullptr;
        throw;
    }
    m_applying = nullptr;
    if (next == m_project)
        return false;
    m_project = std::move(next);
    Q_EMIT projectChanged();
    return true;
}

void ProjectSession::setActiveEpisodeID(const QUuid& id)
{
    if (id == m_activeEpisodeID)
        return;
    m_activeEpisodeID = id;
    Q_EMIT activeEpisodeIDChanged();
}

qsizetype ProjectSession::activeEpisodeIndex() const
{
    const Episode* active = findEpisode(m_project, m_activeEpisodeID);
    return active ? active - m_project.episodes.constData() : 0;
}

Episode ProjectSession::activeEpisode() const
{
    if (const Episode* active = findActiveEpisode(m_project, m_activeEpisodeID))
        return *active;
    return Episode{};
}

void ProjectSession::setProfile(const GenerationProfile& profile)
{
    if (profile == m_profile)
        return;
    m_profile = profile;
    Q_EMIT profileChanged();
}

void ProjectSession::setAiBusy(bool busy)
{
    if (busy == m_aiBusy)
        return;
    m_aiBusy = busy;
    Q_EMIT aiBusyChanged();
}

void ProjectSession::setAiError(const std::optional<QString>& error)
{
    // A text set from elsewhere stands for no failure the session knows.
    m_aiErrorKind.reset();
    if (error == m_aiError)
        return;
    m_aiError = error;
    Q_EMIT aiErrorChanged();
}

void ProjectSession::runAssist(std::function<QCoro::Task<void>()> work)
{
    if (m_aiBusy)
        return;
    // Raised before the work starts: a double click can't run it twice.
    setAiBusy(true);
    setAiError(std::nullopt);
    assistRun(QPointer<ProjectSession>(this), std::move(work));
}

// The work lives in this frame for the whole run: the closure a coroutine
// lambda was made from has to outlive every resumption of that coroutine.
QCoro::Task<void> ProjectSession::assistRun(QPointer<ProjectSession> self,
                                            std::function<QCoro::Task<void>()> work)
{
    std::optional<QString> error;
    std::optional<AIError::Kind> kind;
    try {
        co_await work(); // an empty work throws std::bad_function_call, reported like any failure
    } catch (const AIError& e) {
        error = e.description();
        kind = e.kind();
    } catch (...) {
        error = describeError(std::current_exception());
    }
    // The tab may have closed while the work ran; its result has nowhere to go.
    if (!self)
        co_return;
    self->finishAssist(std::move(error), kind);
}

void ProjectSession::finishAssist(std::optional<QString> error, std::optional<AIError::Kind> kind)
{
    if (error) {
        setAiError(error);
        m_aiErrorKind = kind;
    }
    setAiBusy(false);
}

void ProjectSession::setChoicePrompt(const std::optional<AIChoicePrompt>& prompt)
{
    if (!prompt && !m_choicePrompt)
        return;
    m_choicePrompt = prompt;
    Q_EMIT choicePromptChanged();
}

bool ProjectSession::applyChoice(const QUuid& optionID)
{
    if (!m_choicePrompt)
        return false;
    const QUuid promptID = m_choicePrompt->id;
    std::function<void(Project&)> apply;
    bool found = false;
    for (const AIChoiceOption& option : std::as_const(m_choicePrompt->options)) {
        if (option.id == optionID) {
            apply = option.apply;
            found = true;
            break;
        }
    }
    if (!found)
        return false;

    edit(apply);
    // An observer of the change may already have replaced the prompt; only the
    // prompt this option belonged to is closed.
    if (m_choicePrompt && m_choicePrompt->id == promptID)
        setChoicePrompt(std::nullopt);
    return true;
}

void ProjectSession::dismissChoice()
{
    setChoicePrompt(std::nullopt);
}

} // namespace studio
