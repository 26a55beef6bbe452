#include "views/shell/ErrorBanner.h"

#include "design/Palette.h"
#include "design/SymbolButton.h"
#include "design/SymbolLabel.h"
#include "design/TextLabel.h"
#include "design/Theme.h"
#include "state/ProjectSession.h"

#include <QHBoxLayout>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace studio {

ErrorBanner::ErrorBanner(ProjectSession& session, QWidget* parent)
    : QWidget(parent)
    , m_session(session)
    , m_message(new TextLabel(QString(), Theme::font(10.5), Palette::textSecondary(), this))
    , m_close(new SymbolButton(u"xmark"_s, 8, Palette::textTertiary(), QFont::Bold, this))
{
    setObjectName(u"aiErrorBanner"_s);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    m_message->setWordWrap(true);
    m_message->setMaxLines(2);
    m_close->setObjectName(u"aiErrorClose"_s);
    m_close->setAccessibleName(u"Close"_s);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(20, 7, 20, 7);
    row->setSpacing(8);
    row->addWidget(new SymbolLabel(u"exclamationmark.triangle.fill"_s, 10, Palette::warn(), QFont::Normal, this), 0,
                   Qt::AlignVCenter);
    row->addWidget(m_message, 1, Qt::AlignVCenter);
    row->addWidget(m_close, 0, Qt::AlignVCenter);

    connect(m_close, &QAbstractButton::clicked, this, [this] { m_session.setAiError(std::nullopt); });
    refresh();
}

void ErrorBanner::refresh()
{
    const std::optional<QString>& error = m_session.aiError();
    if (error)
        m_message->setText(*error);
    setVisible(error.has_value());
}

QString ErrorBanner::message() const
{
    return m_message->text();
}

void ErrorBanner::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Palette::withOpacity(Palette::warn(), 0.08));
}

} // namespace studio
