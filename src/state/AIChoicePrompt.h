#pragma once

// A choice offered after an assist whose result would replace text the user
// already wrote. The workspace shows it as a sheet; picking an option applies
// its change through the session's edit door.

#include "model/Json.h"
#include "model/Project.h"

#include <QList>
#include <QString>
#include <QUuid>
#include <functional>
#include <optional>

namespace studio {

struct AIChoiceOption {
    QUuid id = newId();
    QString label;
    std::optional<QString> detail;
    // Writes the chosen value into the production it is given.
    std::function<void(Project&)> apply;
};

struct AIChoicePrompt {
    QUuid id = newId();
    QString title;
    std::optional<QString> subtitle;
    QList<AIChoiceOption> options;
};

} // namespace studio
