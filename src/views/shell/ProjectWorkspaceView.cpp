#include "views/shell/ProjectWorkspaceView.h"

namespace studio {

ProjectWorkspaceView::ProjectWorkspaceView(AppState& app, ProjectSession& session, QWidget* parent)
    : QWidget(parent), m_app(app), m_session(session)
{
}

} // namespace studio
