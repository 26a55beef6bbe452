#include "views/phases/cast/PaneArt.h"

#include "design/widgets/ArtThumb.h"
#include "views/phases/cast/NewLookBadge.h"

#include <QGridLayout>
#include <QVBoxLayout>

namespace studio {

namespace {
constexpr int badgeInset = 9;
} // namespace

PaneArt::PaneArt(qreal artWidth, qreal artHeight, int height, const QString& tooltip, QWidget* parent)
    : QWidget(parent)
    , m_art(new ArtThumb(QString(), artWidth, artHeight, this))
    , m_badge(new NewLookBadge(this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    m_art->setCornerRadius(14);
    m_art->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_art->setFixedHeight(height);
    m_badge->setToolTip(tooltip);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_art, 0, 0);
    // The badge stands 9 points in from the picture's corner.
    auto* corner = new QVBoxLayout;
    corner->setContentsMargins(badgeInset, badgeInset, badgeInset, badgeInset);
    corner->addWidget(m_badge);
    layout->addLayout(corner, 0, 0, Qt::AlignRight | Qt::AlignBottom);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    connect(m_badge, &QAbstractButton::clicked, this, &PaneArt::newLookRequested);
}

void PaneArt::setSeed(const QString& seed)
{
    m_art->setSeed(seed);
}

} // namespace studio
