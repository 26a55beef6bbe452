#pragma once

// The right-hand column of the footage screen: queues the shots selected in
// the manifest, or every planned shot of the active episode, as jobs of the
// session; lists the session's jobs (kept by job id); starts the session's
// renderer and clears finished jobs. It follows the session's queue and
// render state on its own; the selection is the screen's, handed in.

#include "design/KeyedList.h"
#include "views/phases/footage/JobRow.h"

#include <QSet>
#include <QUuid>
#include <QWidget>

#include <optional>

class QSpacerItem;
class QVBoxLayout;

namespace studio {

class GhostButton;
class PrimaryButton;
class ProjectSession;
class ScrollColumn;
class SectionHeader;

class RenderQueuePanel : public QWidget {
    Q_OBJECT
public:
    explicit RenderQueuePanel(ProjectSession& session, QWidget* parent = nullptr);

    // The manifest's selection: the queue button's label and what it queues.
    void setSelection(const QSet<QUuid>& selection);

    // For tests and the screen.
    PrimaryButton* queueButton() const { return m_queue; }
    GhostButton* queueAllButton() const { return m_queueAll; }
    PrimaryButton* renderButton() const { return m_render; }
    GhostButton* clearDoneButton() const { return m_clearDone; }
    QString subtitleText() const;
    QWidget* emptyState() const { return m_empty; }
    ScrollColumn* jobList() const { return m_list; }
    JobRow* jobRow(const QUuid& jobID) const { return m_rows.widget(jobID); }
    QList<JobRow*> jobRows() const { return m_rows.widgets(); }

Q_SIGNALS:
    // The selection went to the queue; the screen empties it.
    void selectionQueued();

private:
    void refreshJobs();
    void refreshRenderRow();
    void queueSelection();
    void queueAllPlanned();

    ProjectSession& m_session;
    QSet<QUuid> m_selection;
    QVBoxLayout* m_layout;
    QSpacerItem* m_above;
    QSpacerItem* m_below;
    SectionHeader* m_header;
    PrimaryButton* m_queue;
    GhostButton* m_queueAll;
    ScrollColumn* m_list;
    QWidget* m_empty;
    PrimaryButton* m_render;
    GhostButton* m_clearDone;
    KeyedList<QUuid, JobRow> m_rows;
    // The ids shown and their rows, in order.
    QList<QUuid> m_shownIDs;
    QList<JobRow*> m_shownRows;
    std::optional<bool> m_showingJobs;
};

} // namespace studio
