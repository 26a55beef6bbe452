#include "design/EmptyStateView.h"

#include "design/Palette.h"
#include "design/PrimaryButton.h"
#include "design/SymbolLabel.h"
#include "design/TextLabel.h"
#include "design/Theme.h"
#include "design/Tokens.h"

#include <QVBoxLayout>

namespace studio {

EmptyStateView::EmptyStateView(const QString& icon, const QString& title, const QString& message,
                               const std::optional<QString>& actionTitle, std::function<void()> action,
                               QWidget* parent)
    : QWidget(parent)
    , m_icon(new SymbolLabel(icon, 30, Palette::textTertiary(), QFont::Light, this))
    , m_title(new TextLabel(title, Theme::font(type::title2, QFont::DemiBold), Palette::textSecondary(), this))
    , m_message(new TextLabel(message, Theme::font(type::control), Palette::textTertiary(), this))
    , m_buttonRow(new QWidget(this))
    , m_button(new PrimaryButton(QString(), false, m_buttonRow))
{
    m_title->setAlignment(Qt::AlignHCenter);
    m_title->setWordWrap(true);
    m_message->setWordWrap(true);
    m_message->setAlignment(Qt::AlignHCenter);
    m_message->setMaximumWidth(360);
    auto* buttonLayout = new QVBoxLayout(m_buttonRow);
    buttonLayout->setContentsMargins(0, 6, 0, 0);
    buttonLayout->addWidget(m_button, 0, Qt::AlignHCenter);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 40, 40, 40);
    layout->setSpacing(12);
    layout->addStretch(1);
    layout->addWidget(m_icon, 0, Qt::AlignHCenter);
    layout->addWidget(m_title, 0, Qt::AlignHCenter);
    layout->addWidget(m_message, 0, Qt::AlignHCenter);
    layout->addWidget(m_buttonRow, 0, Qt::AlignHCenter);
    layout->addStretch(1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    connect(m_button, &QAbstractButton::clicked, this, [this] {
        if (m_action) {
            // Copy: the action may replace this view's action or the view.
            const auto action = m_action;
            action();
        }
    });
    m_actionTitle = actionTitle;
    m_action = std::move(action);
    syncButton();
}

void EmptyStateView::syncButton()
{
    const bool shown = m_actionTitle.has_value() && bool(m_action);
    m_button->setText(m_actionTitle.value_or(QString()));
    m_buttonRow->setVisible(shown);
}

PrimaryButton* EmptyStateView::actionButton() const
{
    return m_buttonRow->isHidden() ? nullptr : m_button;
}

} // namespace studio
