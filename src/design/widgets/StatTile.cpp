#include "design/widgets/StatTile.h"

#include "design/style/Palette.h"
#include "design/style/Shapes.h"
#include "design/widgets/SymbolLabel.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Text.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace studio {

StatTile::StatTile(const QString& value, const QString& label, const QString& icon, QWidget* parent)
    : QWidget(parent)
    , m_icon(new SymbolLabel(icon, 10, Palette::gold(), QFont::Medium, this))
    , m_value(new TextLabel(value, Theme::font(type::titleLarge, QFont::Bold), Palette::textPrimary(), this))
    , m_label(new TextLabel(QString(), Theme::font(type::footnote, QFont::Medium, 0.8), Palette::textTertiary(), this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(4);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(5);
    row->addWidget(m_icon, 0, Qt::AlignVCenter);
    row->addWidget(m_value, 0, Qt::AlignVCenter);
    row->addStretch(1);
    layout->addLayout(row);
    layout->addWidget(m_label);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setIcon(icon);
    setLabel(label);
}

void StatTile::setValue(const QString& value)
{
    m_value->setText(value);
}

QString StatTile::value() const
{
    return m_value->text();
}

void StatTile::setCaptionWraps(bool wraps)
{
    m_label->setWordWrap(wraps);
    m_label->setMaxLines(wraps ? 2 : 0);
    QSizePolicy policy = sizePolicy();
    policy.setVerticalPolicy(wraps ? QSizePolicy::Preferred : QSizePolicy::Fixed);
    policy.setHeightForWidth(wraps);
    setSizePolicy(policy);
}

QSize StatTile::minimumSizeHint() const
{
    // A wrapping caption's height follows the width the tile is given; at
    // least it is one line, so a wide row is not held open for a second.
    const QSize least = QWidget::minimumSizeHint();
    return m_label->wordWrap() ? QSize(least.width(), heightForWidth(QWIDGETSIZE_MAX)) : least;
}

bool StatTile::isCaptionElided() const
{
    return m_label->isElided();
}

void StatTile::setLabel(const QString& label)
{
    m_label->setText(text::upper(label));
}

void StatTile::setIcon(const QString& icon)
{
    m_icon->setName(icon);
    m_icon->setVisible(!icon.isEmpty());
}

void StatTile::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    shapes::paintCard(p, rect(), 12, Palette::surface());
}

} // namespace studio
