#pragma once

// The card at the foot of the phase rail: the production's poster, its name,
// "<format> · <runtime>", and a ring with the share of phases marked ready.

#include "design/widgets/CardSurface.h"

namespace studio {

class ArtThumb;
class ProgressRing;
class TextLabel;
struct Project;

class PhaseRailFooter : public CardSurface {
    Q_OBJECT
public:
    explicit PhaseRailFooter(QWidget* parent = nullptr);

    void display(const Project& project);

    QString nameText() const;
    QString detailText() const;
    double ringValue() const;

private:
    ArtThumb* m_poster;
    TextLabel* m_name;
    TextLabel* m_detail;
    ProgressRing* m_ring;
};

} // namespace studio
