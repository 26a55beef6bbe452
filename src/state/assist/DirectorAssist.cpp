#include "state/assist/DirectorAssist.h"

namespace studio {

namespace {

std::optional<AIDirector>& directorOverride()
{
    static std::optional<AIDirector> director;
    return director;
}

} // namespace

AIDirector DirectorAssist::director()
{
    if (const std::optional<AIDirector>& set = directorOverride())
        return *set;
    return AIDirector();
}

void DirectorAssist::setDirector(std::optional<AIDirector> director)
{
    directorOverride() = std::move(director);
}

QCoro::Task<void> DirectorAssist::discard(QCoro::Task<bool> task)
{
    co_await std::move(task);
}

} // namespace studio
