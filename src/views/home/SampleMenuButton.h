#pragma once

// A pull-down of the sample films: one item per built-in sample, titled with
// its name, " — " and its blurb. Drawn either as the first-run panel's
// outlined capsule ("Explore a sample film" with a chevron) or as the
// footer's underlined small text ("Add a sample film"). Choosing an item
// emits sampleChosen with the sample's id; what happens then is the library's.

#include "design/widgets/MenuButton.h"

namespace studio {

class SampleMenuButton : public MenuButton {
    Q_OBJECT
public:
    enum class Look { capsule, link };

    explicit SampleMenuButton(Look look, QWidget* parent = nullptr);

Q_SIGNALS:
    void sampleChosen(const QString& sampleID);
};

} // namespace studio
