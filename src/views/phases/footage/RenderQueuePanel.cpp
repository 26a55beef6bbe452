#include "views/phases/footage/RenderQueuePanel.h"

#include "design/widgets/GhostButton.h"
#include "design/style/Palette.h"
#include "design/widgets/PrimaryButton.h"
#include "design/widgets/ScrollColumn.h"
#include "design/widgets/SectionHeader.h"
#include "design/widgets/SymbolLabel.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "state/rules/FootageRules.h"

#include <QHBoxLayout>
#include <QSpacerItem>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

constexpr int columnWidth = 330;

QWidget* makeEmptyState(QWidget* parent)
{
    auto* box = new QWidget(parent);
    box->setAttribute(Qt::WA_TranslucentBackground);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 36, 0, 36);
    layout->setSpacing(8);
    layout->addWidget(new SymbolLabel(u"tray"_s, 20, Palette::textTertiary(), QFont::Light, box), 0, Qt::AlignHCenter);
    auto* title = new TextLabel(u"Queue is empty"_s, Theme::font(type::bodyLarge), Palette::textTertiary(), box);
    title->setAlignment(Qt::AlignHCenter);
    layout->addWidget(title);
    auto* message = new TextLabel(u"Select shots on the left, then queue and render them."_s, Theme::font(type::small),
                                  Palette::textTertiary(), box);
    message->setWordWrap(true);
    message->setAlignment(Qt::AlignHCenter);
    layout->addWidget(message);
    return box;
}

} // namespace

RenderQueuePanel::RenderQueuePanel(QWidget* parent)
    : QWidget(parent)
    , m_layout(new QVBoxLayout(this))
    , m_above(new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Expanding))
    , m_below(new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Expanding))
    , m_header(new SectionHeader(u"Render Queue"_s, QString(), this))
    , m_queue(new PrimaryButton(rules::queueLabel(0), false, this))
    , m_queueAll(new GhostButton(u"Queue all planned"_s, Palette::textPrimary(), this))
    , m_list(new ScrollColumn(this))
    , m_empty(makeEmptyState(this))
    , m_render(new PrimaryButton(u"play.fill"_s, u"Render all queued"_s, true, this))
    , m_clearDone(new GhostButton(u"Clear done"_s, Palette::textPrimary(), this))
    , m_rows(m_list->column())
{
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedWidth(columnWidth);
    m_layout->setContentsMargins(16, 16, 16, 16);
    m_layout->setSpacing(12);

    // With no job the column is only as tall as its content, in the middle of
    // the screen's height; with jobs the list takes every point it can.
    m_layout->addSpacerItem(m_above);

    auto* headerRow = new QHBoxLayout;
    headerRow->setContentsMargins(0, 0, 0, 0);
    headerRow->addWidget(m_header, 0, Qt::AlignVCenter);
    headerRow->addStretch(1);
    m_layout->addLayout(headerRow);

    auto* queueRow = new QHBoxLayout;
    queueRow->setContentsMargins(0, 0, 0, 0);
    queueRow->setSpacing(8);
    queueRow->addWidget(m_queue, 0, Qt::AlignVCenter);
    queueRow->addWidget(m_queueAll, 0, Qt::AlignVCenter);
    queueRow->addStretch(1);
    m_layout->addLayout(queueRow);

    QVBoxLayout* rowsLayout = m_list->column();
    rowsLayout->setSpacing(8);
    rowsLayout->addStretch(1);
    m_list->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    m_layout->addWidget(m_list, 1);
    m_layout->addWidget(m_empty);

    auto* renderRow = new QHBoxLayout;
    renderRow->setContentsMargins(0, 0, 0, 0);
    renderRow->setSpacing(8);
    renderRow->addWidget(m_render, 0, Qt::AlignVCenter);
    renderRow->addWidget(m_clearDone, 0, Qt::AlignVCenter);
    renderRow->addStretch(1);
    m_layout->addLayout(renderRow);

    auto* footnote = new TextLabel(u"Simulated renders for now — the queue, clip planning and prompts are real. "
                                   u"Connect video APIs in a later milestone and this button does the rest."_s,
                                   Theme::font(type::footnote), Palette::textTertiary(), this);
    footnote->setWordWrap(true);
    m_layout->addWidget(footnote);
    m_layout->addSpacerItem(m_below);

    connect(m_queue, &QAbstractButton::clicked, this, &RenderQueuePanel::queueSelectionRequested);
    connect(m_queueAll, &QAbstractButton::clicked, this, &RenderQueuePanel::queueAllPlannedRequested);
    connect(m_render, &QAbstractButton::clicked, this, &RenderQueuePanel::renderAllRequested);
    connect(m_clearDone, &QAbstractButton::clicked, this, &RenderQueuePanel::clearDoneRequested);

    setSelectionCount(0);
    setJobs({}, false);
}

QString RenderQueuePanel::subtitleText() const
{
    return m_header->subtitle().value_or(QString());
}

void RenderQueuePanel::setSelectionCount(qsizetype count)
{
    if (count == m_selectionCount)
        return;
    m_selectionCount = count;
    m_queue->setText(rules::queueLabel(count));
    m_queue->setEnabled(count > 0);
}

void RenderQueuePanel::setJobs(const QList<GenerationJob>& jobs, bool rendering)
{
    const QString subtitle = rules::queueSubtitle(jobs);
    if (subtitleText() != subtitle)
        m_header->setSubtitle(subtitle);

    // While the jobs are the ones shown, in the same order (a render step
    // moves one job's progress), each row is handed its job and only the row
    // whose job changed repaints.
    bool sameRows = jobs.size() == m_shownIDs.size();
    for (qsizetype i = 0; sameRows && i < jobs.size(); ++i)
        sameRows = jobs.at(i).id == m_shownIDs.at(i);
    if (sameRows) {
        for (qsizetype i = 0; i < jobs.size(); ++i)
            m_shownRows.at(i)->setJob(jobs.at(i));
    } else {
        m_rows.sync(
            jobs, [](const GenerationJob& job) { return job.id; },
            [this](const GenerationJob&) { return new JobRow(m_list->content()); },
            [](JobRow* row, const GenerationJob& job, int) { row->setJob(job); });
        m_shownIDs = m_rows.keys();
        m_shownRows = m_rows.widgets();
    }

    const bool hasJobs = !jobs.isEmpty();
    if (m_showingJobs != hasJobs) {
        m_showingJobs = hasJobs;
        m_list->setVisible(hasJobs);
        m_empty->setVisible(!hasJobs);
        const QSizePolicy::Policy spacer = hasJobs ? QSizePolicy::Fixed : QSizePolicy::Expanding;
        m_above->changeSize(0, 0, QSizePolicy::Minimum, spacer);
        m_below->changeSize(0, 0, QSizePolicy::Minimum, spacer);
        m_layout->invalidate();
    }
    const rules::RenderRow render = rules::renderRow(jobs, rendering);
    m_render->setText(render.buttonText);
    m_render->setEnabled(render.canRender);
    m_clearDone->setVisible(render.canClear);
}

} // namespace studio
