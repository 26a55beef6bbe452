#pragma once

// The strip under the workspace header that shows the error which ended the
// session's last assist, verbatim, until its close button clears it or the
// next assist starts. Hidden while the session holds no error (an empty
// error text still shows the strip).

#include "design/widgets/MessageBanner.h"

namespace studio {

class ProjectSession;

class ErrorBanner : public MessageBanner {
    Q_OBJECT
public:
    explicit ErrorBanner(ProjectSession& session, QWidget* parent = nullptr);

    void refresh();

private:
    ProjectSession& m_session;
};

} // namespace studio
