#include "app/StoreErrorBanner.h"

#include "design/Palette.h"
#include "design/SymbolButton.h"
#include "design/SymbolLabel.h"
#include "design/TextLabel.h"
#include "design/Theme.h"

#include <QHBoxLayout>
#include <QPainter>

namespace studio {

StoreErrorBanner::StoreErrorBanner(QWidget* parent)
    : QWidget(parent)
    , m_text(new TextLabel(QString(), Theme::font(10.5), Palette::textSecondary(), this))
    , m_close(new SymbolButton(QStringLiteral("xmark"), 8, Palette::textTertiary(), QFont::Bold, this))
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(20, 7, 20, 7);
    row->setSpacing(8);
    row->addWidget(new SymbolLabel(QStringLiteral("exclamationmark.triangle.fill"), 10, Palette::warn(), QFont::Normal,
                                   this),
                   0, Qt::AlignVCenter);
    m_text->setWordWrap(true);
    m_text->setMaxLines(2);
    row->addWidget(m_text, 1, Qt::AlignVCenter);
    row->addWidget(m_close, 0, Qt::AlignVCenter);
    m_close->setToolTip(QStringLiteral("Dismiss"));
    m_close->setAccessibleName(QStringLiteral("Dismiss"));
    connect(m_close, &QAbstractButton::clicked, this, &QWidget::hide);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    hide();
}

void StoreErrorBanner::showMessage(const QString& message)
{
    m_text->setText(message);
    setAccessibleDescription(message);
    show();
}

QString StoreErrorBanner::message() const
{
    return m_text->text();
}

void StoreErrorBanner::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // Over the translucent backdrop the tint alone would vanish; a dark base
    // keeps the message readable.
    p.fillRect(rect(), Palette::black(0.35));
    p.fillRect(rect(), Palette::withOpacity(Palette::warn(), 0.08));
}

} // namespace studio
