#pragma once

// The inspector of one storyboard shot: its current frame with "Reframe",
// the size and camera chips, the signature recipe, the duration, what we
// see (with "Describe with AI" while that is empty), the dialogue, the takes
// to approve, and "Delete shot". It holds nothing of its own: show() puts a
// shot on display, and each control reports what the user did as a signal.

#include "model/Board.h"
#include "model/Look.h"

#include <QList>
#include <QUuid>
#include <QWidget>
#include <memory>

class QBoxLayout;

namespace studio {

class ArtThumb;
class Chip;
class FieldLabel;
class GhostButton;
class RecipeMenuButton;
class OverlayButton;
class PlainButton;
class ScrollColumn;
class SleekTextEditor;
class Slider;
class TakeRow;
class TextLabel;
template <typename Key, typename W>
class KeyedList;

class ShotInspector : public QWidget {
    Q_OBJECT
public:
    explicit ShotInspector(QWidget* parent = nullptr);
    ~ShotInspector() override;

    // Shows the shot in the production's aspect; a control with focus keeps
    // its caret, and nothing is reported back.
    void showShot(const Shot& shot, AspectRatio aspect);

    // The preview's height for an aspect (a vertical frame is shown less tall).
    static qreal previewHeight(AspectRatio aspect);

    // The parts, for tests.
    PlainButton* clearButton() const { return m_clear; }
    Slider* durationSlider() const { return m_slider; }
    TextLabel* durationLabel() const { return m_duration; }
    PlainButton* describeButton() const { return m_describe; }
    SleekTextEditor* whatEditor() const { return m_what; }
    FieldLabel* takesLabel() const { return m_takesLabel; }
    QList<TakeRow*> takeRows() const;
    GhostButton* deleteButton() const { return m_delete; }

Q_SIGNALS:
    void reframeRequested();
    void sizePicked(ShotSize size);
    void movePicked(CameraMove move);
    void recipePicked(const QString& recipeID);
    void recipeCleared();
    void secondsEdited(double seconds);
    void whatEdited(const QString& text);
    void dialogueEdited(const QString& text);
    void approvalToggled(const QUuid& takeID);
    void describeRequested();
    void deleteRequested();

private:
    QWidget* section(QBoxLayout* column, int spacing);
    void buildPreview(QBoxLayout* column);
    void buildChips(QBoxLayout* column);
    void buildRecipe(QBoxLayout* column);
    void buildDuration(QBoxLayout* column);
    void buildTexts(QBoxLayout* column);
    void buildTakes(QBoxLayout* column);
    void showRecipe(const std::optional<QString>& recipeID);

    ScrollColumn* m_scroll;
    ArtThumb* m_preview = nullptr;
    OverlayButton* m_reframe = nullptr;
    QList<Chip*> m_sizeChips;
    QList<Chip*> m_moveChips;
    TextLabel* m_sizeLabel = nullptr;
    RecipeMenuButton* m_recipeMenu = nullptr;
    PlainButton* m_clear = nullptr;
    TextLabel* m_phrase = nullptr;
    Slider* m_slider = nullptr;
    TextLabel* m_duration = nullptr;
    PlainButton* m_describe = nullptr;
    SleekTextEditor* m_what = nullptr;
    SleekTextEditor* m_dialogue = nullptr;
    QWidget* m_takes = nullptr;
    FieldLabel* m_takesLabel = nullptr;
    QBoxLayout* m_takeLayout = nullptr;
    std::unique_ptr<KeyedList<QUuid, TakeRow>> m_takeRows;
    GhostButton* m_delete = nullptr;
    AspectRatio m_aspect = AspectRatio::hd169;
};

} // namespace studio
