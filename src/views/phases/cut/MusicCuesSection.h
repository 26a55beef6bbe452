#pragma once

// The music section below the timeline: the "Music & Sound Sketch" header
// with "Add cue", then either the hint or a grid of cue tiles (as many
// columns of 230 to 320 points as fit), kept by cue id so a tile being typed
// in is never rebuilt. The section only shows and asks: the screen writes
// every change into the active episode.

#include <QList>
#include <QUuid>
#include <QWidget>

#include <memory>

namespace studio {

struct MusicCue;
class AdaptiveGridLayout;
class CueTile;
class GhostButton;
class TextLabel;
template <typename Key, typename W>
class KeyedList;

class MusicCuesSection : public QWidget {
    Q_OBJECT
public:
    explicit MusicCuesSection(QWidget* parent = nullptr);
    ~MusicCuesSection() override;

    void setCues(const QList<MusicCue>& cues);

    bool isHintShown() const;
    GhostButton* addButton() const { return m_add; }
    QList<CueTile*> tiles() const;
    CueTile* tile(const QUuid& cueID) const;

Q_SIGNALS:
    void addRequested();
    void nameEdited(const QUuid& cueID, const QString& name);
    void moodEdited(const QUuid& cueID, const QString& mood);
    void deleteRequested(const QUuid& cueID);

private:
    GhostButton* m_add;
    TextLabel* m_hint;
    QWidget* m_hintBox = nullptr;
    QWidget* m_grid;
    AdaptiveGridLayout* m_gridLayout;
    std::unique_ptr<KeyedList<QUuid, CueTile>> m_tiles;
};

} // namespace studio
