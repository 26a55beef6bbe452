#include "views/phases/premiere/PremiereView.h"

#include "design/ScrollColumn.h"
#include "model/Json.h"
#include "services/ExportManifest.h"
#include "services/FileReveal.h"
#include "state/ExportRun.h"
#include "state/ProjectSession.h"
#include "views/phases/premiere/DeliveryChecklist.h"
#include "views/phases/premiere/DeliveryPresets.h"
#include "views/phases/premiere/ExportBar.h"
#include "views/phases/premiere/PremiereLogic.h"
#include "views/phases/premiere/PremierePoster.h"
#include "views/phases/premiere/PremiereStats.h"
#include "views/phases/premiere/PressKitCard.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace studio {

PremiereView::PremiereView(ProjectSession& session, QWidget* parent)
    : PhaseScreen(session, parent)
    , m_page(new ScrollColumn(this))
    , m_selectedPresetID(u"streaming"_s)
    , m_exportStep(ExportRun::defaultStep)
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_page);
    m_page->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    QVBoxLayout* page = m_page->column();
    page->setContentsMargins(24, 24, 24, 24);
    page->setSpacing(20);

    auto* top = new QHBoxLayout;
    top->setSpacing(18);
    m_poster = new PremierePoster;
    top->addWidget(m_poster, 0, Qt::AlignTop);
    auto* side = new QVBoxLayout;
    side->setSpacing(14);
    m_stats = new PremiereStats;
    side->addWidget(m_stats);
    m_checklist = new DeliveryChecklist;
    side->addWidget(m_checklist);
    side->addStretch(1);
    top->addLayout(side, 1);
    page->addLayout(top);

    m_presets = new DeliveryPresets;
    page->addWidget(m_presets);
    m_pressKit = new PressKitCard;
    page->addWidget(m_pressKit);
    m_exportBar = new ExportBar(premiere::exportLocationText(videosFolder()));
    page->addWidget(m_exportBar);
    page->addStretch(1);

    connect(m_poster, &PremierePoster::newPosterRequested, this, [this] {
        const QString seed = newSeed();
        edit([&](Project& p) { p.posterSeed = seed; });
    });
    connect(m_checklist, &DeliveryChecklist::goRequested, this,
            [this](PhaseID phase) { edit([phase](Project& p) { p.activePhase = phase; }); });
    connect(m_presets, &DeliveryPresets::presetChosen, this, &PremiereView::setSelectedPresetID);
    connect(m_pressKit, &PressKitCard::textEdited, this,
            [this](const QString& text) { edit([&](Project& p) { p.idea.pressKit = text; }); });
    connect(m_exportBar, &ExportBar::exportRequested, this, &PremiereView::runExport);
    connect(m_exportBar, &ExportBar::revealRequested, this, [this] {
        if (m_exportedPath)
            revealInFileManager(*m_exportedPath);
    });

    m_presets->setSelectedID(m_selectedPresetID);
    showExportState();
    requestRefresh();
}

PremiereView::~PremiereView() = default;

void PremiereView::setSelectedPresetID(const QString& id)
{
    if (id == m_selectedPresetID)
        return;
    m_selectedPresetID = id;
    m_presets->setSelectedID(id);
    // The run reads the preset when its steps are over.
    if (m_run)
        m_run->setPresetID(id);
    showExportState();
}

void PremiereView::setExportTarget(const QString& folder, std::chrono::milliseconds step)
{
    m_exportFolder = folder;
    m_exportStep = step;
}

void PremiereView::runExport()
{
    // The button is hidden while this screen's run goes on.
    if (m_exporting)
        return;
    m_exporting = true;
    m_exportProgress = 0;
    m_exportedPath.reset();
    m_exportError.reset();
    auto* run = new ExportRun(session(), m_selectedPresetID, m_exportFolder, m_exportStep);
    m_run = run;
    connect(run, &ExportRun::progressChanged, this, [this](double progress) {
        m_exportProgress = progress;
        showExportState();
    });
    connect(run, &ExportRun::succeeded, this, [this](const QString& path) {
        m_exporting = false;
        m_exportedPath = path;
        showExportState();
    });
    connect(run, &ExportRun::failed, this, [this](const QString& message) {
        m_exporting = false;
        m_exportError = message;
        showExportState();
    });
    run->start();
    showExportState();
}

void PremiereView::showExportState()
{
    m_exportBar->setState(ExportBarState{premiere::exportButtonText(m_selectedPresetID), m_exporting, m_exportProgress,
                                     m_exportedPath, m_exportError});
}

void PremiereView::refresh()
{
    const Project& p = project();
    m_poster->setPoster(p.name, p.idea.genres, p.posterSeed);
    m_stats->setFigures(premiere::premiereStats(p));
    m_checklist->setItems(premiere::checklist(p));
    m_pressKit->setText(p.idea.pressKit);
}

} // namespace studio
