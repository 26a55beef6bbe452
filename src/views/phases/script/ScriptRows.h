#pragma once

// The rows of the Script page, kept by element id, one under the other: where
// each stands, how tall it is, which is at a y, and which hold their text laid
// out now.
//
// A change to the script usually touches one place: the rows that agree at
// both ends are kept as they are, and only the span between is spliced, with
// the rows that stay (by id) moving there with their layout. Places are worked
// out again lazily, from the first row that may have moved, and the rows keep
// the first y from which the page must be painted again. A script may hold one
// id twice; the first of the twins is the one found by id.

#include "model/Script.h"
#include "state/rules/ScriptRules.h"
#include "views/phases/script/ScriptElementRow.h"

#include <QHash>
#include <QList>
#include <QRect>
#include <QUuid>
#include <functional>
#include <limits>
#include <vector>

class QPainter;
class QPointF;

namespace studio {

class ScriptRows {
public:
    // The first row stands at `firstTop`.
    explicit ScriptRows(int firstTop = 0) : m_firstTop(firstTop) {}

    int count() const { return int(m_rows.size()); }
    bool empty() const { return m_rows.empty(); }
    ScriptElementRow& row(int index) { return m_rows[std::size_t(index)]; }
    const ScriptElementRow& row(int index) const { return m_rows[std::size_t(index)]; }
    // The row's top, its space above included.
    int top(int index) const { return m_tops[std::size_t(index)]; }
    // Its whole height: space above, its line (never lower than the
    // controls), and the space kept under it, if any.
    int height(int index) const;
    // A row's whole area and its text's, the rows' left edge at x 0.
    QRect rect(int index) const;
    QRect textRect(int index) const;
    // The first row with this id, or -1.
    int indexOf(const QUuid& id) const { return id.isNull() ? -1 : m_index.value(id, -1); }
    // Whether some id names two rows.
    bool hasTwins() const { return m_twins; }
    // The row whose place starts at or above y (the first when y is above
    // them all), or -1 when there are none.
    int rowAtY(int y) const;

    // The elements the rows were made from.
    const QList<ScriptElement>& elements() const { return m_shown; }
    // Rows take these elements' places where `change` says they differ from
    // those shown last; whether rows came, went or moved. Rows whose kind or
    // text changed are not told here.
    bool splice(const QList<ScriptElement>& elements, const rules::ScriptChange& change);

    // The width rows are measured at (-1 before any); a new one measures
    // them all again, lets every layout go and moves everything.
    int width() const { return m_width; }
    bool setWidth(int width);
    // A row's height may have changed: the rows below it take their places
    // again, and it is painted again.
    void resized(int index);
    // Takes a height measured elsewhere (by the editor) as the row's exact
    // one; the rows below move when it differs.
    void takeHeight(int index, int height);
    // Space kept under one row (none when the id is null); whether it changed.
    bool setSpaceBelow(const QUuid& id, int height);
    QUuid spaceBelowID() const { return m_belowID; }
    int spaceBelow() const { return m_belowHeight; }
    // Places the rows from the first that may have moved; where the last
    // one ends.
    int place();

    // Lays out the rows from `margin` above `top` to `margin` below `bottom`
    // (but the one with `skip`'s id, and long texts, which wait to be
    // painted), placing them again as long as that
    // moves them, each time telling `placed` where they end now; rows
    // farther away give their layout back and keep their height. How far
    // the point in the row at `top` went down.
    int layOutAround(int top, int bottom, int margin, const QUuid& skip, const std::function<void(int)>& placed);
    // Paints the row at `topLeft` (laying it out when it is not yet); whether
    // it took another height doing so.
    bool paint(int index, QPainter& painter, const QPointF& topLeft);

    // From this y down the page must be painted again (max when nothing).
    int dirtyFrom() const { return m_dirtyFrom; }
    void markDirty(int y) { m_dirtyFrom = std::min(m_dirtyFrom, y); }
    void setDirtyFrom(int y) { m_dirtyFrom = y; }

private:
    void reindex();
    // Rows [from, oldEnd) give way to the elements [from, newEnd).
    void replace(int from, int oldEnd, const QList<ScriptElement>& elements, int newEnd);

    int m_firstTop;
    std::vector<ScriptElementRow> m_rows;
    QList<ScriptElement> m_shown;
    std::vector<int> m_tops;
    int m_staleFrom = 0; // the first row whose top may be out of date
    int m_dirtyFrom = std::numeric_limits<int>::max();
    QHash<QUuid, int> m_index;
    bool m_twins = false;   // some id names two rows
    QList<QUuid> m_laidOut; // rows holding a layout now
    int m_width = -1;
    QUuid m_belowID;
    int m_belowHeight = 0;
};

} // namespace studio
