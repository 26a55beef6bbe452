#pragma once

// The three built-in sample productions a new user can open instead of
// starting from nothing. Each builder returns a new, unsaved production with
// fresh ids every time it is called; the caller decides whether to save it.

#include "model/Project.h"

#include <QList>
#include <QString>

namespace studio::SampleFactory {

struct Sample {
    QString id;    // stable key
    QString name;  // shown in the first-run list
    QString blurb; // shown after the name
    Project (*make)();
};

// In the order the first-run list shows them.
const QList<Sample>& registry();

Project lighthouse();
Project cloudFarmer();
Project counterCulture();

} // namespace studio::SampleFactory
