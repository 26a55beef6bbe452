#pragma once

#include <QWidget>

namespace studio {

class AppState;
class ProjectSession;

// The workspace of a production tab.
class ProjectWorkspaceView : public QWidget {
    Q_OBJECT
public:
    ProjectWorkspaceView(AppState& app, ProjectSession& session, QWidget* parent = nullptr);

private:
    AppState& m_app;
    ProjectSession& m_session;
};

} // namespace studio
