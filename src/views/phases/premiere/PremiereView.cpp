#include "views/phases/premiere/PremiereView.h"

#include "design/widgets/ScrollColumn.h"
#include "design/focus/TabOrder.h"
#include "model/Json.h"
#include "services/ExportManifest.h"
#include "services/FileReveal.h"
#include "state/ProjectSession.h"
#include "state/edits/PremiereEdits.h"
#include "state/rules/PremiereRules.h"
#include "views/phases/premiere/DeliveryChecklist.h"
#include "views/phases/premiere/DeliveryPresets.h"
#include "views/phases/premiere/ExportBar.h"
#include "views/phases/premiere/PremierePoster.h"
#include "views/phases/premiere/PremiereStats.h"
#include "views/phases/premiere/PressKitCard.h"

#include <QHBoxLayout>
#include <QScrollBar>
#include <QVBoxLayout>

#include <utility>

using namespace Qt::StringLiterals;

namespace studio {

PremiereView::PremiereView(ScreenSession screenSession, QWidget* parent)
    : PhaseScreen(screenSession, parent)
    , m_page(new ScrollColumn(this))
    // A screen built while the session's run goes on shows the preset that
    // run will write.
    , m_selectedPresetID(session().exportRun() ? session().exportRun()->presetID() : u"streaming"_s)
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
    m_exportBar = new ExportBar(rules::exportLocationText(videosFolder()));
    page->addWidget(m_exportBar);
    page->addStretch(1);

    connect(m_poster, &PremierePoster::newPosterRequested, this, [this] {
        const QString seed = newSeed();
        edit([&](Project& p) { edits::setPosterSeed(p, seed); });
    });
    connect(m_checklist, &DeliveryChecklist::goRequested, this,
            [this](PhaseID phase) { edit([phase](Project& p) { edits::goToPhase(p, phase); }); });
    connect(m_presets, &DeliveryPresets::presetChosen, this, &PremiereView::setSelectedPresetID);
    connect(m_pressKit, &PressKitCard::textEdited, this,
            [this](const QString& text) { edit([&](Project& p) { edits::setPressKit(p, text); }); });
    connect(m_exportBar, &ExportBar::exportRequested, this, &PremiereView::runExport);
    connect(m_exportBar, &ExportBar::revealRequested, this, [this] {
        const std::optional<ExportOutcome>& last = this->session().lastExport();
        if (last && last->path)
            revealInFileManager(*last->path);
    });
    connect(&session(), &ProjectSession::exportChanged, this, &PremiereView::showExportState);
    QScrollBar* scroll = m_page->verticalScrollBar();
    connect(scroll, &QScrollBar::rangeChanged, this, [this](int, int maximum) {
        if (std::exchange(m_followEnd, false))
            m_page->verticalScrollBar()->setValue(maximum);
    });
    connect(scroll, &QScrollBar::valueChanged, this, [this, scroll](int value) {
        if (value < scroll->maximum())
            m_followEnd = false;
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
    setExportPresetID(id);
    showExportState();
}

void PremiereView::runExport()
{
    startExport(m_selectedPresetID);
}

void PremiereView::showExportState()
{
    const ExportRun* run = session().exportRun();
    const std::optional<ExportOutcome>& last = session().lastExport();
    ExportBarState state{rules::exportButtonText(m_selectedPresetID), run != nullptr, 0, std::nullopt, std::nullopt};
    if (run) {
        state.progress = run->progress();
    } else if (last) {
        state.progress = 1;
        state.exportedPath = last->path;
        state.error = last->error;
    }
    const auto showsRow = [this] {
        return !m_exportBar->successRow()->isHidden() || !m_exportBar->errorRow()->isHidden();
    };
    const bool hadRow = showsRow();
    m_exportBar->setState(state);
    // The user who exported from the end of the page sees how it went: the
    // page, already taller than its view, grows by the row that appears under
    // the button, and follows it to its new end.
    QScrollBar* scroll = m_page->verticalScrollBar();
    if (!hadRow && showsRow() && m_page->isVisible() && scroll->maximum() > 0 && scroll->value() == scroll->maximum())
        m_followEnd = true;
}

void PremiereView::refresh()
{
    const Project& p = project();
    m_poster->setPoster(p.name, p.idea.genres, p.posterSeed);
    m_stats->setFigures(rules::premiereFigures(p));
    m_checklist->setItems(rules::readinessChecklist(p));
    // The checklist's rows are made by the first refresh, after the rest of
    // the page: Tab reaches their "Go" right after "New poster", as they read.
    TabOrder::chain(m_poster->newPosterButton(), m_checklist->focusStops());
    m_pressKit->setText(p.idea.pressKit);
}

} // namespace studio
