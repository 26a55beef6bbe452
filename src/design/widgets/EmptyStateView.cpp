#include "design/widgets/EmptyStateView.h"

#include "design/style/Palette.h"
#include "design/widgets/PrimaryButton.h"
#include "design/widgets/SymbolLabel.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"

#include <QVBoxLayout>

namespace studio {

EmptyStateView::EmptyStateView(const QString& icon, const QString& title, const QString& message,
                               const std::optional<QString>& actionTitle, std::function<void()> action,
                               QWidget* parent)
    : QWidget(parent)
    , m_icon(new SymbolLabel(icon, 30, Palette::textTertiary(), QFont::Light, this))
    , m_title(new TextLabel(title, Theme::font(type::title2, QFont::DemiBold), Palette::textSecondary(), this))
    , m_message(new TextLabel(message, Theme::font(type::control), Palette::textTertiary(), this))
{
    m_title->setAlignment(Qt::AlignHCenter);
    m_title->setWordWrap(true);
    m_message->setWordWrap(true);
    m_message->setAlignment(Qt::AlignHCenter);
    m_message->setMaximumWidth(360);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 40, 40, 40);
    layout->setSpacing(12);
    layout->addStretch(1);
    layout->addWidget(m_icon, 0, Qt::AlignHCenter);
    layout->addWidget(m_title, 0, Qt::AlignHCenter);
    layout->addWidget(m_message, 0, Qt::AlignHCenter);
    // Without an action there is no button at all, rather than a hidden one
    // without a name that a reader walking the window would come upon.
    if (actionTitle && action) {
        m_button = new PrimaryButton(*actionTitle, false, this);
        auto* buttonRow = new QVBoxLayout;
        buttonRow->setContentsMargins(0, 6, 0, 0);
        buttonRow->addWidget(m_button, 0, Qt::AlignHCenter);
        layout->addLayout(buttonRow);
        connect(m_button, &QAbstractButton::clicked, this, [action = std::move(action)] {
            // Copy: the action may replace the view.
            const auto run = action;
            run();
        });
    }
    layout->addStretch(1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

PrimaryButton* EmptyStateView::actionButton() const
{
    return m_button;
}

} // namespace studio
