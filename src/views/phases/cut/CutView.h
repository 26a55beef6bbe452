#pragma once

// The Cut screen: the toolbar ("Assemble from Storyboard", the runtime chip,
// the zoom while there are clips), then either the assemble prompt or a
// scrolling page of the timeline lanes, the selected clip's controls and the
// music cues. It works on the active episode, resolved anew at every read
// and write. Zoom, selection and the pending re-assembly question are view
// state: they start afresh whenever the workspace builds the screen. Clips
// and cues are addressed by id when an action runs; a selection whose clip
// is gone simply shows no controls.

#include "views/phases/PhaseScreen.h"

#include <QColor>
#include <QPointer>
#include <QUuid>

namespace studio {

class Alert;
class ClipControls;
class EmptyStateView;
class GhostButton;
class HorizontalStrip;
class MusicCuesSection;
class RuntimeChipLabel;
class ScrollColumn;
class Slider;
class TimelineLanes;

class CutView : public PhaseScreen {
    Q_OBJECT
public:
    explicit CutView(ScreenSession screenSession, QWidget* parent = nullptr);
    ~CutView() override;

    QUuid selectedClipID() const { return m_selectedClipID; }
    bool isConfirmingReassemble() const { return m_confirmReassemble; }

    GhostButton* assembleButton() const { return m_assemble; }
    QString runtimeChipText() const;
    QWidget* zoomControl() const { return m_zoomControl; }
    Slider* zoomSlider() const { return m_zoomSlider; }
    EmptyStateView* emptyState() const { return m_empty; }
    bool isEmptyStateShown() const;
    ScrollColumn* page() const { return m_page; }
    HorizontalStrip* strip() const { return m_strip; }
    TimelineLanes* lanes() const { return m_lanes; }
    // Shown only while the selection names a clip of the active timeline.
    ClipControls* clipControls() const { return m_controls; }
    bool areClipControlsShown() const;
    MusicCuesSection* musicSection() const { return m_music; }
    // The open "Re-assemble the cut?" question, if any.
    Alert* reassembleAlert() const;

private:
    void refresh() override;

    QWidget* toolbar();
    QWidget* timelineBlock();
    void connectControls();
    void connectMusic();

    void assembleRequested();
    void assemble();
    void toggleSelection(const QUuid& clipID);
    // Shows the clip as selected (a null id: none).
    void select(const QUuid& clipID);

    double m_zoom;
    QUuid m_selectedClipID;
    bool m_confirmReassemble = false;
    QPointer<Alert> m_alert;

    GhostButton* m_assemble = nullptr;
    RuntimeChipLabel* m_chip = nullptr;
    QWidget* m_zoomControl = nullptr;
    Slider* m_zoomSlider = nullptr;
    EmptyStateView* m_empty = nullptr;
    ScrollColumn* m_page = nullptr;
    HorizontalStrip* m_strip = nullptr;
    TimelineLanes* m_lanes = nullptr;
    ClipControls* m_controls = nullptr;
    MusicCuesSection* m_music = nullptr;
};

} // namespace studio
