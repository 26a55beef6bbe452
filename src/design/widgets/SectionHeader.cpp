#include "design/widgets/SectionHeader.h"

#include "design/style/Palette.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"

#include <QVBoxLayout>

namespace studio {

SectionHeader::SectionHeader(const QString& title, const std::optional<QString>& subtitle, QWidget* parent)
    : QWidget(parent)
    , m_title(new TextLabel(title, Theme::font(type::title2, QFont::Bold), Palette::textPrimary(), this))
    , m_subtitleLabel(new TextLabel(QString(), Theme::font(type::body), Palette::textTertiary(), this))
{
    m_title->setWordWrap(true);
    m_subtitleLabel->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    layout->addWidget(m_title);
    layout->addWidget(m_subtitleLabel);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setSubtitle(subtitle);
}

void SectionHeader::setSubtitle(const std::optional<QString>& subtitle)
{
    m_subtitle = subtitle;
    m_subtitleLabel->setText(subtitle.value_or(QString()));
    m_subtitleLabel->setVisible(subtitle.has_value());
}

} // namespace studio
