#pragma once

// The right-hand column of the footage screen: the queue buttons (the
// manifest's selection, or every planned shot), the session's jobs (kept by
// job id), the render button and "Clear done". It shows the jobs, the render
// state and the size of the selection it is given, and asks for the rest: the
// screen queues, renders and clears through the session.

#include "design/widgets/KeyedList.h"
#include "views/phases/footage/JobRow.h"

#include <QList>
#include <QUuid>
#include <QWidget>

#include <optional>

class QSpacerItem;
class QVBoxLayout;

namespace studio {

class GhostButton;
class PrimaryButton;
class ScrollColumn;
class SectionHeader;

class RenderQueuePanel : public QWidget {
    Q_OBJECT
public:
    explicit RenderQueuePanel(QWidget* parent = nullptr);

    // How many shots the manifest has selected: the queue button's label.
    void setSelectionCount(qsizetype count);
    // The session's jobs in queue order, and whether its renderer runs.
    void setJobs(const QList<GenerationJob>& jobs, bool rendering);

    // For tests and the screen.
    PrimaryButton* queueButton() const { return m_queue; }
    GhostButton* queueAllButton() const { return m_queueAll; }
    PrimaryButton* renderButton() const { return m_render; }
    GhostButton* clearDoneButton() const { return m_clearDone; }
    QString subtitleText() const;
    QWidget* emptyState() const { return m_empty; }
    JobRow* jobRow(const QUuid& jobID) const { return m_rows.widget(jobID); }
    QList<JobRow*> jobRows() const { return m_rows.widgets(); }

Q_SIGNALS:
    void queueSelectionRequested();
    void queueAllPlannedRequested();
    void renderAllRequested();
    void clearDoneRequested();

private:
    qsizetype m_selectionCount = -1;
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
