#pragma once

// The head of the footage manifest: the session's generation profile (longest
// clip, chained final frames, character references, takes per render,
// resolution), written through the session as the user moves a control, and
// four statistics of the active episode. The card shows what it is given;
// only the user's moves write.

#include "design/CardSurface.h"
#include "model/Generation.h"
#include "views/phases/footage/FootageLogic.h"

#include <functional>

namespace studio {

class FieldLabel;
class PillPicker;
class ProjectSession;
class Slider;
class StatTile;
class SwitchToggle;

class EngineCard : public CardSurface {
    Q_OBJECT
public:
    explicit EngineCard(ProjectSession& session, QWidget* parent = nullptr);

    void show(const GenerationProfile& profile, const footage::EngineStats& stats);

    Slider* clipLengthSlider() const { return m_clipLength; }
    Slider* takesSlider() const { return m_takes; }
    SwitchToggle* chainToggle() const { return m_chain; }
    SwitchToggle* characterRefsToggle() const { return m_characterRefs; }
    PillPicker* resolutionPicker() const { return m_resolution; }
    FieldLabel* clipLengthLabel() const { return m_clipLengthLabel; }
    FieldLabel* takesLabel() const { return m_takesLabel; }
    StatTile* statTile(int index) const { return m_stats[index]; }

private:
    // Writes one field of the session's current profile.
    void write(const std::function<void(GenerationProfile&)>& change);

    ProjectSession& m_session;
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
