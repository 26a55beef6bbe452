#include "state/edits/FootageEdits.h"

#include "model/Lookup.h"

using namespace Qt::StringLiterals;

namespace studio::edits {

bool attachTakes(Project& project, const QUuid& episodeID, const QUuid& sceneID, const QUuid& shotID, qint64 count)
{
    Shot* shot = findShot(project, episodeID, sceneID, shotID);
    if (!shot || count < 1)
        return false;
    for (qint64 i = 0; i < count; ++i) {
        Take take;
        take.note = u"Take "_s + QString::number(shot->takes.size() + 1);
        shot->takes.append(std::move(take));
    }
    return true;
}

} // namespace studio::edits
