#include "views/shell/PhaseRailFooter.h"

#include "design/widgets/ArtThumb.h"
#include "design/style/Palette.h"
#include "design/widgets/ProgressRing.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Project.h"
#include "state/rules/PhaseRailStatus.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace studio {

PhaseRailFooter::PhaseRailFooter(QWidget* parent)
    : CardSurface(12, Palette::surface(), parent)
    , m_poster(new ArtThumb(QString(), 80, 80, this))
    , m_name(new TextLabel(QString(), Theme::font(type::body, QFont::DemiBold), Palette::textPrimary(), this))
    , m_detail(new TextLabel(QString(), Theme::font(type::footnote2), Palette::textTertiary(), this))
    , m_ring(new ProgressRing(22, 2.5, this))
{
    setObjectName(u"railFooter"_s);
    m_poster->setFixedSize(34, 34);
    m_poster->setCornerRadius(8);
    m_name->setObjectName(u"railFooterName"_s);
    m_detail->setObjectName(u"railFooterDetail"_s);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(9, 9, 9, 9);
    row->setSpacing(9);
    row->addWidget(m_poster, 0, Qt::AlignVCenter);
    auto* texts = new QVBoxLayout;
    texts->setContentsMargins(0, 0, 0, 0);
    texts->setSpacing(1);
    texts->addWidget(m_name);
    texts->addWidget(m_detail);
    row->addLayout(texts, 1);
    row->addWidget(m_ring, 0, Qt::AlignVCenter);
}

void PhaseRailFooter::display(const Project& project)
{
    m_poster->setSeed(project.posterSeed);
    m_name->setText(project.name);
    m_detail->setText(title(project.format) + u" \u00B7 "_s + project.runtimeLabel());
    m_ring->setValue(rules::PhaseRailStatus::readyFraction(project));
}

QString PhaseRailFooter::nameText() const
{
    return m_name->text();
}

QString PhaseRailFooter::detailText() const
{
    return m_detail->text();
}

double PhaseRailFooter::ringValue() const
{
    return m_ring->value();
}

} // namespace studio
