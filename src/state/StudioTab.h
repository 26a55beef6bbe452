#pragma once

#include <QObject>
#include <QUuid>

namespace studio {

class ProjectSession;

// One tab of the window: the home library (no session) or one open
// production, whose session the tab owns. A tab never changes kind.
class StudioTab : public QObject {
    Q_OBJECT
public:
    // A home tab.
    explicit StudioTab(QObject* parent = nullptr);
    // A production tab; takes ownership of the session.
    StudioTab(ProjectSession* session, QObject* parent);

    QUuid id() const { return m_id; }
    ProjectSession* session() const { return m_session; }
    bool isHome() const { return m_session == nullptr; }

private:
    QUuid m_id;
    ProjectSession* m_session = nullptr;
};

} // namespace studio
