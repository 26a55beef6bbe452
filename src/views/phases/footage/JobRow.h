#pragma once

// One job of the render queue, painted in one piece: its title and state at
// the top (QUEUED, the percentage while rendering, a check mark when done, a
// warning when failed), the clips the shot was planned into (a link before
// every clip that continues the previous one's final frame) and a progress
// bar while it renders. Read-only: it shows the job it was last given.

#include "model/Generation.h"

#include <QWidget>

namespace studio {

class JobRow : public QWidget {
    Q_OBJECT
public:
    explicit JobRow(QWidget* parent = nullptr);

    const GenerationJob& job() const { return m_job; }
    void setJob(const GenerationJob& job);

    // "QUEUED", "45%", or empty for the two states shown by a symbol.
    QString stateText() const;
    bool showsProgressBar() const { return m_job.state == JobState::rendering; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Where the job stands and its clips, in words.
    QString spokenState() const;

    GenerationJob m_job;
    bool m_hasJob = false;
};

} // namespace studio
