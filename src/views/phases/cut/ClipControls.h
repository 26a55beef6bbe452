#pragma once

// The control bar of the selected clip: its label, "Move earlier" and "Move
// later", the length slider with its "%.1fs" text, and "Cut". It knows the
// id of the clip it shows and reports what the user asks with that id; the
// screen resolves the id in the active timeline when it acts. A stored
// length outside the slider's range is shown at the track's end and never
// written back: only a move of the slider writes.

#include "design/widgets/CardSurface.h"

#include <QUuid>

namespace studio {

struct TimelineClip;
class GhostButton;
class Slider;
class TextLabel;
class ToolbarIconButton;

class ClipControls : public CardSurface {
    Q_OBJECT
public:
    explicit ClipControls(QWidget* parent = nullptr);

    void setClip(const TimelineClip& clip);

    TextLabel* label() const { return m_label; }
    ToolbarIconButton* earlierButton() const { return m_earlier; }
    ToolbarIconButton* laterButton() const { return m_later; }
    Slider* lengthSlider() const { return m_length; }
    TextLabel* lengthText() const { return m_lengthText; }
    GhostButton* cutButton() const { return m_cut; }

Q_SIGNALS:
    void moveRequested(const QUuid& clipID, int offset);
    void secondsEdited(const QUuid& clipID, double seconds);
    void cutRequested(const QUuid& clipID);

private:
    QUuid m_clipID;
    TextLabel* m_label;
    ToolbarIconButton* m_earlier;
    ToolbarIconButton* m_later;
    Slider* m_length;
    TextLabel* m_lengthText;
    GhostButton* m_cut;
};

} // namespace studio
