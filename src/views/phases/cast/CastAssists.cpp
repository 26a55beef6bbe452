#include "views/phases/cast/CastAssists.h"

#include "model/Lookup.h"
#include "state/ProjectSession.h"
#include "state/assist/AssistResults.h"
#include "state/assist/DirectorAssist.h"

namespace studio::cast {

AssistRequest fleshOut(const QUuid& memberID)
{
    return DirectorAssist::request(
        [memberID](const Project& p) { return findCastMember(p, memberID); },
        [](const AIDirector& d, const Project& p, const CastMember& asked) { return d.fleshOutCharacter(p, asked); },
        [](const Project&, const CastMember& asked, const AIDirector::CharacterFields& reply) {
            return AssistResults::completeCharacter(asked, reply);
        });
}

AssistRequest completeLocation(const QUuid& locationID)
{
    return DirectorAssist::request(
        [locationID](const Project& p) { return findLocation(p, locationID); },
        [](const AIDirector& d, const Project& p, const Location& asked) { return d.locationDetails(p, asked); },
        [](const Project&, const Location& asked, const AIDirector::LocationDetails& details) {
            return AssistResults::completeLocation(asked, details);
        });
}

} // namespace studio::cast
