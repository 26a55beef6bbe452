#include "design/text/TextChange.h"

#include "design/text/LineBoundaries.h"

#include <algorithm>

namespace studio {

TextChange::TextChange(QStringView before, QStringView after)
{
    const qsizetype shortest = std::min(before.size(), after.size());
    qsizetype prefix = 0;
    while (prefix < shortest && before[prefix] == after[prefix])
        ++prefix;
    // The shared ends never split a pair of either text: a pair whose halves
    // differ is replaced whole.
    while (prefix > 0 && (LineBoundaries::splitsPair(before, prefix) || LineBoundaries::splitsPair(after, prefix)))
        --prefix;
    qsizetype suffix = 0;
    while (suffix < shortest - prefix && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    while (suffix > 0
           && (LineBoundaries::splitsPair(before, before.size() - suffix)
               || LineBoundaries::splitsPair(after, after.size() - suffix)))
        --suffix;
    m_start = prefix;
    m_removed = before.size() - prefix - suffix;
    m_added = after.size() - prefix - suffix;
    m_kept = suffix;
}

qsizetype TextChange::map(qsizetype position) const
{
    const qsizetype end = m_start + m_removed;
    position = std::clamp<qsizetype>(position, 0, end + m_kept);
    if (position < m_start || (position == m_start && m_removed > 0))
        return position;
    return std::max(position, end) - m_removed + m_added;
}

} // namespace studio
