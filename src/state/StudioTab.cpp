#include "state/StudioTab.h"

#include "model/Json.h"
#include "state/ProjectSession.h"

namespace studio {

StudioTab::StudioTab(QObject* parent)
    : QObject(parent), m_id(newId())
{
}

StudioTab::StudioTab(ProjectSession* session, QObject* parent)
    : QObject(parent), m_id(newId()), m_session(session)
{
    if (m_session)
        m_session->setParent(this);
}

} // namespace studio
