#pragma once

// What an empty library shows in place of the grid: a wide banner of seeded
// art with the studio's promise, then a row with the main button ("Start a
// new production"), the sample pull-down and the three phase groups
// (Dream → Design → Deliver).

#include "design/widgets/CardSurface.h"

namespace studio {

class PrimaryButton;
class SampleMenuButton;

// A card: its hairline lies over the banner that reaches its edges.
class FirstRunPanel : public CardSurface {
    Q_OBJECT
public:
    explicit FirstRunPanel(QWidget* parent = nullptr);

    // The panel's first control.
    PrimaryButton* startButton() const { return m_start; }

Q_SIGNALS:
    void newProductionRequested();
    void sampleChosen(const QString& sampleID);

private:
    PrimaryButton* m_start;
    SampleMenuButton* m_samples;
};

} // namespace studio
