#include "views/phases/script/ScriptRows.h"

#include "design/text/LongText.h"

#include <QPointF>

#include <algorithm>

namespace studio {

int ScriptRows::height(int index) const
{
    const ScriptElementRow& row = m_rows[std::size_t(index)];
    const int line = std::max(row.textHeight(), ScriptElementRow::controlsHeight(row.kind()));
    return ScriptElementRow::spaceAbove(row.kind()) + line + (row.id() == m_belowID ? m_belowHeight : 0);
}

QRect ScriptRows::rect(int index) const
{
    return QRect(0, top(index), m_width, height(index));
}

QRect ScriptRows::textRect(int index) const
{
    const ScriptElementRow& row = m_rows[std::size_t(index)];
    return QRect(ScriptElementRow::textIndent(row.kind()), top(index) + ScriptElementRow::spaceAbove(row.kind()),
                 ScriptElementRow::textWidth(row.kind(), m_width), row.textHeight());
}

int ScriptRows::rowAtY(int y) const
{
    if (m_tops.empty())
        return -1;
    const auto after = std::upper_bound(m_tops.cbegin(), m_tops.cend(), y);
    return std::max(0, int(after - m_tops.cbegin()) - 1);
}

void ScriptRows::reindex()
{
    m_index.clear();
    m_index.reserve(qsizetype(m_rows.size()));
    for (int i = int(m_rows.size()) - 1; i >= 0; --i)
        m_index.insert(m_rows[std::size_t(i)].id(), i); // the first of twins wins
    m_twins = m_index.size() != qsizetype(m_rows.size());
}

bool ScriptRows::splice(const QList<ScriptElement>& elements, const rules::ScriptChange& change)
{
    const int oldCount = int(m_rows.size());
    const int newCount = int(elements.size());
    // What agrees at both ends is kept as it is and not looked at again.
    const int head = int(change.head);
    const int tail = int(change.tail);
    m_shown = elements;
    const int oldEnd = oldCount - tail;
    const int newEnd = newCount - tail;
    bool structural = oldEnd != newEnd;
    for (int i = head; !structural && i < newEnd; ++i)
        structural = m_rows[std::size_t(i)].id() != elements[i].id;
    if (structural)
        replace(head, oldEnd, elements, newEnd);
    return structural;
}

void ScriptRows::replace(int from, int oldEnd, const QList<ScriptElement>& elements, int newEnd)
{
    // Rows that stay (by id) move to their new place with their layout.
    QHash<QUuid, int> old;
    for (int i = oldEnd - 1; i >= from; --i)
        old.insert(m_rows[std::size_t(i)].id(), i);
    if (!m_twins) {
        for (int i = from; i < oldEnd; ++i)
            m_index.remove(m_rows[std::size_t(i)].id());
    }
    std::vector<ScriptElementRow> middle;
    middle.reserve(std::size_t(newEnd - from));
    for (int i = from; i < newEnd; ++i) {
        const auto found = old.find(elements[i].id);
        if (found != old.end()) {
            middle.push_back(std::move(m_rows[std::size_t(*found)]));
            old.erase(found); // a twin id gets a row of its own
        } else {
            middle.emplace_back(elements[i]);
            if (m_width >= 0)
                middle.back().measure(m_width);
        }
    }
    // Everything from the row before the change down is painted again, and
    // the new rows stand there until they take their places.
    const int above = from > 0 ? m_tops[std::size_t(from - 1)] : 0;
    m_dirtyFrom = std::min(m_dirtyFrom, above);
    m_rows.erase(m_rows.begin() + from, m_rows.begin() + oldEnd);
    m_rows.insert(m_rows.begin() + from, std::make_move_iterator(middle.begin()),
                  std::make_move_iterator(middle.end()));
    m_tops.erase(m_tops.begin() + from, m_tops.begin() + oldEnd);
    m_tops.insert(m_tops.begin() + from, std::size_t(newEnd - from), above);
    m_staleFrom = std::min(m_staleFrom, from);

    // The index moves with the rows; a script holding one id twice (where
    // the first of the twins wins) is indexed afresh.
    const int count = int(m_rows.size());
    if (m_twins) {
        reindex();
        return;
    }
    if (newEnd != oldEnd) {
        for (int i = newEnd; i < count; ++i) {
            const auto entry = m_index.find(m_rows[std::size_t(i)].id());
            if (entry == m_index.end())
                break; // an id gone twice: indexed afresh below
            *entry = i;
        }
    }
    for (int i = from; i < newEnd; ++i)
        m_index.insert(m_rows[std::size_t(i)].id(), i);
    if (m_index.size() != count)
        reindex();
}

bool ScriptRows::setWidth(int width)
{
    if (width == m_width)
        return false;
    m_width = width;
    for (ScriptElementRow& row : m_rows)
        row.measure(width);
    m_laidOut.clear();
    m_staleFrom = 0;
    m_dirtyFrom = 0;
    return true;
}

void ScriptRows::resized(int index)
{
    m_staleFrom = std::min(m_staleFrom, index + 1);
    m_dirtyFrom = std::min(m_dirtyFrom, m_tops[std::size_t(index)]);
}

void ScriptRows::takeHeight(int index, int height)
{
    ScriptElementRow& row = m_rows[std::size_t(index)];
    if (row.isExact() && row.textHeight() == height)
        return;
    row.setExactHeight(m_width, height);
    resized(index);
}

bool ScriptRows::setSpaceBelow(const QUuid& id, int height)
{
    if (id == m_belowID && height == m_belowHeight)
        return false;
    if (const int at = indexOf(m_belowID); at >= 0)
        resized(at);
    m_belowID = id;
    m_belowHeight = height;
    if (const int at = indexOf(m_belowID); at >= 0)
        resized(at);
    return true;
}

int ScriptRows::place()
{
    const int count = int(m_rows.size());
    const int from = std::min(m_staleFrom, count);
    // Rows above the first that may have moved keep their place.
    int y = from == 0 ? m_firstTop : m_tops[std::size_t(from - 1)] + height(from - 1);
    bool moved = false;
    for (int i = from; i < count; ++i) {
        int& top = m_tops[std::size_t(i)];
        if (!moved && top != y) {
            moved = true;
            m_dirtyFrom = std::min({m_dirtyFrom, top, y});
        }
        top = y;
        y += height(i);
    }
    m_staleFrom = count;
    return y;
}

int ScriptRows::layOutAround(int top, int bottom, int margin, const QUuid& skip,
                             const std::function<void(int)>& placed)
{
    const int anchor = rowAtY(top);
    const int anchorOffset = top - m_tops[std::size_t(anchor)];
    int first = 0;
    int last = 0;
    // Laying rows out can shrink them and bring more into the band: again
    // until it holds still.
    for (int pass = 0; pass < 4; ++pass) {
        first = rowAtY(top - margin);
        last = rowAtY(bottom + margin);
        bool moved = false;
        for (int i = first; i <= last; ++i) {
            ScriptElementRow& row = m_rows[std::size_t(i)];
            // A long text is laid out late, once: when it is painted, at the
            // width the page has settled on by then.
            if (row.id() == skip || row.isLaidOut() || LongText::isLong(row.text().size()))
                continue;
            if (row.layOut(m_width)) {
                moved = true;
                resized(i);
            }
            m_laidOut.append(row.id());
        }
        if (!moved)
            break;
        placed(place());
    }
    // Far rows give their layout back and keep their height.
    QList<QUuid> kept;
    for (const QUuid& id : std::as_const(m_laidOut)) {
        const int at = indexOf(id);
        if (at < 0)
            continue;
        if (at >= first && at <= last)
            kept.append(id);
        else
            m_rows[std::size_t(at)].release();
    }
    m_laidOut = kept;
    return m_tops[std::size_t(anchor)] + anchorOffset - top;
}

bool ScriptRows::paint(int index, QPainter& painter, const QPointF& topLeft)
{
    ScriptElementRow& row = m_rows[std::size_t(index)];
    const bool laidOut = row.isLaidOut();
    const int before = row.textHeight();
    row.paint(painter, topLeft, m_width);
    if (laidOut)
        return false;
    m_laidOut.append(row.id());
    if (row.textHeight() == before)
        return false;
    m_staleFrom = std::min(m_staleFrom, index + 1);
    return true;
}

} // namespace studio
