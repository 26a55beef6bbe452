#include "views/phases/premiere/PremiereStats.h"

#include "design/widgets/StatTile.h"

#include <QHBoxLayout>

namespace studio {

namespace {
constexpr qsizetype tileCount = 5;
}

PremiereStats::PremiereStats(QWidget* parent)
    : QWidget(parent)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    for (qsizetype i = 0; i < tileCount; ++i) {
        auto* tile = new StatTile(QString(), QString());
        row->addWidget(tile, 1, Qt::AlignVCenter);
        m_tiles << tile;
    }
}

void PremiereStats::setFigures(const QList<rules::PremiereFigure>& figures)
{
    // The figures fill the last tiles; the first stays hidden when there is
    // no episodes figure.
    const qsizetype offset = tileCount - std::min(figures.size(), tileCount);
    for (qsizetype i = 0; i < tileCount; ++i) {
        StatTile* tile = m_tiles[i];
        if (i < offset) {
            tile->setVisible(false);
            continue;
        }
        const rules::PremiereFigure& figure = figures[i - offset];
        tile->setValue(figure.value);
        tile->setLabel(figure.label);
        tile->setIcon(figure.icon);
        if (tile->isHidden())
            tile->setVisible(true);
    }
}

QList<StatTile*> PremiereStats::visibleTiles() const
{
    QList<StatTile*> shown;
    for (StatTile* tile : m_tiles)
        if (!tile->isHidden())
            shown << tile;
    return shown;
}

} // namespace studio
