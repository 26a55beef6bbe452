#include "state/rules/ProgressRules.h"

#include "model/Text.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace studio::rules {

QString percentText(double progress)
{
    const double percent = std::isfinite(progress) ? std::clamp(progress, 0.0, 1.0) * 100.0 : 0.0;
    return QString::number(text::saturatingInt(percent)) + u"%"_s;
}

} // namespace studio::rules
