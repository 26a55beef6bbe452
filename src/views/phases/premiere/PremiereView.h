#pragma once

// The Premiere screen: the production summed up before delivery. On one
// scrolling page: the poster beside the statistics and the readiness
// checklist, the delivery preset cards, the press kit, and the export bar.
// Statistics and checklist run over every episode and follow every change.
//
// The chosen preset is the screen's own: a new screen starts from the preset
// of the session's run under way, else from "streaming". The export run is the session's: the screen starts it there
// and shows it as the session has it, so a screen built mid-run shows the
// progress (and then the result) and never starts a second run beside it.

#include "views/phases/PhaseScreen.h"

#include <QString>

namespace studio {

class DeliveryChecklist;
class DeliveryPresets;
class ExportBar;
class PremierePoster;
class PremiereStats;
class PressKitCard;
class ScrollColumn;

class PremiereView : public PhaseScreen {
    Q_OBJECT
public:
    explicit PremiereView(ScreenSession screenSession, QWidget* parent = nullptr);
    ~PremiereView() override;

    QString selectedPresetID() const { return m_selectedPresetID; }
    // As a preset card does: also the preset a run under way will write.
    void setSelectedPresetID(const QString& id);
    // Starts a run with the chosen preset, as the Export button does; nothing
    // while the session's run goes on.
    void runExport();

    ScrollColumn* page() const { return m_page; }
    PremierePoster* poster() const { return m_poster; }
    PremiereStats* stats() const { return m_stats; }
    DeliveryChecklist* checklist() const { return m_checklist; }
    DeliveryPresets* presets() const { return m_presets; }
    PressKitCard* pressKit() const { return m_pressKit; }
    ExportBar* exportBar() const { return m_exportBar; }

private:
    void refresh() override;
    void showExportState();

    ScrollColumn* m_page;
    PremierePoster* m_poster;
    PremiereStats* m_stats;
    DeliveryChecklist* m_checklist;
    DeliveryPresets* m_presets;
    PressKitCard* m_pressKit;
    ExportBar* m_exportBar;

    QString m_selectedPresetID;
    // The page was at its end when a result row appeared: the next growth
    // of the page keeps it at its end.
    bool m_followEnd = false;
};

} // namespace studio
