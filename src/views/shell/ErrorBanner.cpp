#include "views/shell/ErrorBanner.h"

#include "design/widgets/SymbolButton.h"
#include "state/ProjectSession.h"

using namespace Qt::StringLiterals;

namespace studio {

ErrorBanner::ErrorBanner(ProjectSession& session, QWidget* parent)
    : MessageBanner(parent)
    , m_session(session)
{
    setObjectName(u"aiErrorBanner"_s);
    closeButton()->setObjectName(u"aiErrorClose"_s);
    closeButton()->setToolTip(QString());
    closeButton()->setAccessibleName(u"Close"_s);
    connect(this, &MessageBanner::dismissed, this, [this] { m_session.setAiError(std::nullopt); });
    refresh();
}

void ErrorBanner::refresh()
{
    const std::optional<QString>& error = m_session.aiError();
    if (error)
        setMessage(*error);
    setVisible(error.has_value());
}

} // namespace studio
