#pragma once

// The head of the footage manifest: the session's generation profile (longest
// clip, chained final frames, character references, takes per render,
// resolution) and four statistics of the active episode. The card shows what
// it is given and reports the user's moves, field by field; the screen writes
// them into the session's profile.

#include "design/widgets/CardSurface.h"
#include "model/Generation.h"
#include "state/rules/FootageRules.h"

namespace studio {

class FieldLabel;
class PillPicker;
class Slider;
class StatTile;
class SwitchToggle;

class EngineCard : public CardSurface {
    Q_OBJECT
public:
    explicit EngineCard(QWidget* parent = nullptr);

    void setValues(const GenerationProfile& profile, const rules::EngineStats& stats);

    Slider* clipLengthSlider() const { return m_clipLength; }
    Slider* takesSlider() const { return m_takes; }
    SwitchToggle* chainToggle() const { return m_chain; }
    SwitchToggle* characterRefsToggle() const { return m_characterRefs; }
    PillPicker* resolutionPicker() const { return m_resolution; }
    FieldLabel* clipLengthLabel() const { return m_clipLengthLabel; }
    FieldLabel* takesLabel() const { return m_takesLabel; }
    StatTile* statTile(int index) const { return m_stats[index]; }
    // The card's last focus stop in Tab order (the last resolution pill).
    QWidget* lastFocusStop() const;

Q_SIGNALS:
    void maxClipSecondsEdited(double seconds);
    void chainsLastFrameEdited(bool on);
    void usesCharacterRefsEdited(bool on);
    void variantsPerShotEdited(qint64 takes);
    void resolutionPicked(const QString& resolution);

private:
    FieldLabel* m_clipLengthLabel;
    Slider* m_clipLength;
    SwitchToggle* m_chain;
    SwitchToggle* m_characterRefs;
    FieldLabel* m_takesLabel;
    Slider* m_takes;
    PillPicker* m_resolution;
    StatTile* m_stats[4];
};

} // namespace studio
