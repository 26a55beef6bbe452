#pragma once

// The statistics row of the Premiere screen: one tile per figure, the
// episodes tile only for the episodic formats.

#include "state/rules/PremiereRules.h"

#include <QList>
#include <QWidget>

namespace studio {

class StatTile;

class PremiereStats : public QWidget {
    Q_OBJECT
public:
    explicit PremiereStats(QWidget* parent = nullptr);

    void setFigures(const QList<rules::PremiereFigure>& figures);
    // The tiles on show, in order.
    QList<StatTile*> visibleTiles() const;

private:
    QList<StatTile*> m_tiles; // episodes, scenes, shots, takes, assembled
};

} // namespace studio
