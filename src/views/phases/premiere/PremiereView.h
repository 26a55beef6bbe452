#pragma once

// The Premiere screen: the production summed up before delivery. On one
// scrolling page: the poster beside the statistics and the readiness
// checklist, the delivery preset cards, the press kit, and the export bar.
// Statistics and checklist run over every episode and follow every change.
//
// The chosen preset and the export state are the screen's own: a new screen
// starts from "streaming" and idle. An export run belongs to the session, so
// a screen that goes away mid-run leaves the run to write its file; the
// screen that started it shows its progress and result.

#include "views/phases/PhaseScreen.h"

#include <QPointer>
#include <QString>
#include <chrono>
#include <optional>

namespace studio {

class DeliveryChecklist;
class DeliveryPresets;
class ExportBar;
class ExportRun;
class PremierePoster;
class PremiereStats;
class PressKitCard;
class ScrollColumn;

class PremiereView : public PhaseScreen {
    Q_OBJECT
public:
    explicit PremiereView(ProjectSession& session, QWidget* parent = nullptr);
    ~PremiereView() override;

    QString selectedPresetID() const { return m_selectedPresetID; }
    void setSelectedPresetID(const QString& id);
    bool isExporting() const { return m_exporting; }
    double exportProgress() const { return m_exportProgress; }
    const std::optional<QString>& exportedPath() const { return m_exportedPath; }
    const std::optional<QString>& exportError() const { return m_exportError; }

    // Where this screen's runs write and how long their steps take (tests);
    // an empty folder is the user's export folder.
    void setExportTarget(const QString& folder, std::chrono::milliseconds step);
    // Starts a run, as the Export button does.
    void runExport();

    ScrollColumn* page() const { return m_page; }
    PremierePoster* poster() const { return m_poster; }
    PremiereStats* stats() const { return m_stats; }
    DeliveryChecklist* checklist() const { return m_checklist; }
    DeliveryPresets* presets() const { return m_presets; }
    PressKitCard* pressKit() const { return m_pressKit; }
    ExportBar* exportBar() const { return m_exportBar; }

protected:
    void refresh() override;

private:
    void showExportState();

    ScrollColumn* m_page;
    PremierePoster* m_poster;
    PremiereStats* m_stats;
    DeliveryChecklist* m_checklist;
    DeliveryPresets* m_presets;
    PressKitCard* m_pressKit;
    ExportBar* m_exportBar;

    QString m_selectedPresetID;
    bool m_exporting = false;
    double m_exportProgress = 0;
    std::optional<QString> m_exportedPath;
    std::optional<QString> m_exportError;
    QPointer<ExportRun> m_run;
    QString m_exportFolder;
    std::chrono::milliseconds m_exportStep;
};

} // namespace studio
