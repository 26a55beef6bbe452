#pragma once

// The picture at the top of a detail pane: the seeded art across the pane's
// width at a fixed height, in a rounded frame, with the "New look" badge in
// its bottom-right corner.

#include <QString>
#include <QWidget>

namespace studio {

class ArtThumb;
class NewLookBadge;

class PaneArt : public QWidget {
    Q_OBJECT
public:
    // The art is composed at artWidth x artHeight and shown `height` tall;
    // the badge carries `tooltip` (empty: none).
    PaneArt(qreal artWidth, qreal artHeight, int height, const QString& tooltip, QWidget* parent = nullptr);

    void setSeed(const QString& seed);
    NewLookBadge* badge() const { return m_badge; }

Q_SIGNALS:
    void newLookRequested();

private:
    ArtThumb* m_art;
    NewLookBadge* m_badge;
};

} // namespace studio
