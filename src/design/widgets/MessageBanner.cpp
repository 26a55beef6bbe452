#include "design/widgets/MessageBanner.h"

#include "design/style/Palette.h"
#include "design/widgets/SymbolButton.h"
#include "design/widgets/SymbolLabel.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"

#include <QHBoxLayout>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace studio {

MessageBanner::MessageBanner(QWidget* parent)
    : QWidget(parent)
    , m_text(new TextLabel(QString(), Theme::font(type::callout), Palette::textSecondary(), this))
    , m_close(new SymbolButton(u"xmark"_s, 8, Palette::textTertiary(), QFont::Bold, this))
    , m_base(Qt::transparent)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    m_text->setWordWrap(true);
    m_text->setMaxLines(2);
    m_close->setToolTip(u"Dismiss"_s);
    m_close->setAccessibleName(u"Dismiss"_s);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(20, 7, 20, 7);
    row->setSpacing(8);
    row->addWidget(new SymbolLabel(u"exclamationmark.triangle.fill"_s, 10, Palette::warn(), QFont::Normal, this), 0,
                   Qt::AlignVCenter);
    row->addWidget(m_text, 1, Qt::AlignVCenter);
    row->addWidget(m_close, 0, Qt::AlignVCenter);

    connect(m_close, &QAbstractButton::clicked, this, [this] {
        hide();
        Q_EMIT dismissed();
    });
}

QString MessageBanner::message() const
{
    return m_text->text();
}

void MessageBanner::setMessage(const QString& message)
{
    m_text->setText(message);
    setAccessibleDescription(message);
}

void MessageBanner::showMessage(const QString& message)
{
    setMessage(message);
    show();
}

void MessageBanner::setBase(const QColor& color)
{
    m_base = color;
    update();
}

void MessageBanner::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_base.alpha() > 0)
        p.fillRect(rect(), m_base);
    p.fillRect(rect(), Palette::withOpacity(Palette::warn(), 0.08));
}

} // namespace studio
