#pragma once

// The export bar of the Premiere screen: where exports go, then either the
// Export button naming the chosen preset or, while a run is under way, its
// progress and percentage in the button's place; under them the success row
// with "Reveal in Finder" after a written manifest, or the error row after a
// failed one. It shows the session's export state and only asks for actions.

#include "design/widgets/PaddedCard.h"

#include <QString>
#include <optional>

namespace studio {

class GhostButton;
class PrimaryButton;
class TextLabel;

struct ExportBarState {
    QString buttonText;
    bool exporting = false;
    double progress = 0;
    std::optional<QString> exportedPath;
    std::optional<QString> error;
};

class ExportBar : public PaddedCard {
    Q_OBJECT
public:
    explicit ExportBar(const QString& locationText, QWidget* parent = nullptr);

    void setState(const ExportBarState& state);

    PrimaryButton* exportButton() const { return m_export; }
    QWidget* progressBar() const { return m_progress; }
    TextLabel* percentLabel() const { return m_percent; }
    QWidget* successRow() const { return m_success; }
    GhostButton* revealButton() const { return m_reveal; }
    QWidget* errorRow() const { return m_error; }
    TextLabel* errorLabel() const { return m_errorText; }

Q_SIGNALS:
    void exportRequested();
    void revealRequested();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TextLabel* m_location;
    QWidget* m_progress;
    TextLabel* m_percent;
    PrimaryButton* m_export;
    QWidget* m_success;
    GhostButton* m_reveal;
    QWidget* m_error;
    TextLabel* m_errorText;
};

} // namespace studio
