#include "design/LineWindow.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTextBoundaryFinder>

#include <algorithm>

namespace studio {

namespace {

// Texts up to this length are held whole.
constexpr qsizetype wholeUpTo = 2 * LineWindow::windowLength;

// The boundary between whole characters nearest to `at`, at or before it (or
// after it): a window's edge never parts a character from its marks, nor the
// halves of a pair.
qsizetype characterEdge(const QString& text, qsizetype at, bool forward)
{
    const qsizetype size = text.size();
    at = std::clamp<qsizetype>(at, 0, size);
    if (at == 0 || at == size)
        return at;
    // Boundaries depend on the text around them only.
    constexpr qsizetype around = 64;
    const qsizetype from = std::max<qsizetype>(0, at - around);
    const qsizetype to = std::min(size, at + around);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.constData() + from, to - from);
    finder.setPosition(at - from);
    if (finder.isAtBoundary())
        return at;
    const qsizetype found = forward ? finder.toNextBoundary() : finder.toPreviousBoundary();
    // The ends of the piece looked at are no boundaries of the text.
    if (found > 0 && found < to - from)
        return from + found;
    // A character with more marks than that: at least keep a pair whole.
    if (text.at(at).isLowSurrogate() && text.at(at - 1).isHighSurrogate())
        return forward ? at + 1 : at - 1;
    return at;
}

// The window around a caret and selection spanning lo..hi: half a window on
// each side, shifted to keep its length where the text ends.
std::pair<qsizetype, qsizetype> around(qsizetype size, qsizetype lo, qsizetype hi)
{
    if (size <= wholeUpTo)
        return {0, size};
    qsizetype from = lo - LineWindow::windowLength / 2;
    qsizetype to = hi + LineWindow::windowLength / 2;
    if (from < 0) {
        to -= from;
        from = 0;
    }
    if (to > size) {
        from = std::max<qsizetype>(0, from - (to - size));
        to = size;
    }
    return {from, to};
}

} // namespace

LineWindow::LineWindow(QLineEdit* edit)
    : QObject(edit)
    , m_edit(edit)
    , m_text(edit->text())
    , m_shown(m_text)
{
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textChanged, this, &LineWindow::absorb);
    connect(edit, &QLineEdit::textEdited, this, [this](const QString& shown) {
        absorb(shown);
        Q_EMIT textEdited(m_text);
    });
    connect(edit, &QLineEdit::cursorPositionChanged, this, &LineWindow::scheduleFit);
    connect(edit, &QLineEdit::selectionChanged, this, &LineWindow::scheduleFit);
}

void LineWindow::setText(const QString& text, qsizetype anchor, qsizetype position)
{
    m_text = text;
    const qsizetype size = text.size();
    anchor = std::clamp<qsizetype>(anchor, 0, size);
    position = std::clamp<qsizetype>(position, 0, size);
    const auto [from, to] = around(size, std::min(anchor, position), std::max(anchor, position));
    show(from, to, anchor, position);
}

qsizetype LineWindow::cursorPosition() const
{
    return m_start + m_edit->cursorPosition();
}

qsizetype LineWindow::anchor() const
{
    if (!m_edit->hasSelectedText())
        return cursorPosition();
    const int position = m_edit->cursorPosition();
    const int start = m_edit->selectionStart();
    return m_start + (position == start ? m_edit->selectionEnd() : start);
}

void LineWindow::absorb(const QString& shown)
{
    if (shown == m_shown)
        return;
    if (m_start == 0 && m_shown.size() == m_text.size()) {
        m_text = shown;
    } else {
        const QStringView after = QStringView(m_text).mid(m_start + m_shown.size());
        QString spliced;
        spliced.reserve(m_start + shown.size() + after.size());
        spliced.append(QStringView(m_text).left(m_start)).append(shown).append(after);
        m_text = spliced;
    }
    m_shown = shown;
}

void LineWindow::scheduleFit()
{
    const bool whole = m_start == 0 && m_shown.size() == m_text.size();
    if (m_fitPending || (whole && m_text.size() <= wholeUpTo))
        return;
    // After the line edit is done with the event that moved the caret.
    m_fitPending = true;
    QMetaObject::invokeMethod(this, &LineWindow::fit, Qt::QueuedConnection);
}

void LineWindow::fit()
{
    if (!m_fitPending)
        return;
    m_fitPending = false;
    const qsizetype size = m_text.size();
    const qsizetype end = m_start + m_shown.size();
    const qsizetype a = anchor();
    const qsizetype p = cursorPosition();
    const qsizetype lo = std::min(a, p);
    const qsizetype hi = std::max(a, p);
    if (size <= wholeUpTo) {
        if (m_start != 0 || end != size)
            show(0, size, a, p);
        return;
    }
    // Everything the line edit holds is selected (select all, a triple click,
    // the menu's Select All): the whole text is meant.
    if ((m_start > 0 || end < size) && lo == m_start && hi == end && lo < hi) {
        show(0, size, a == m_start ? 0 : size, p == m_start ? 0 : size);
        return;
    }
    const bool roomBefore = m_start == 0 || lo - m_start >= edgeMargin;
    const bool roomAfter = end == size || end - hi >= edgeMargin;
    const bool snug = end - m_start <= (hi - lo) + 2 * windowLength;
    if (roomBefore && roomAfter && snug)
        return;
    const auto [from, to] = around(size, lo, hi);
    show(from, to, a, p);
}

void LineWindow::show(qsizetype from, qsizetype to, qsizetype anchor, qsizetype position)
{
    const qsizetype size = m_text.size();
    from = characterEdge(m_text, std::clamp<qsizetype>(from, 0, size), false);
    to = characterEdge(m_text, std::clamp<qsizetype>(to, from, size), true);
    anchor = std::clamp(anchor, from, to);
    position = std::clamp(position, from, to);
    // The line edit's undo history belongs to where its text was: a window
    // moved is given anew, even were its text the same.
    const bool moved = from != m_start;
    m_start = from;
    m_shown = (from == 0 && to == size) ? m_text : m_text.mid(from, to - from);
    const QSignalBlocker blocker(m_edit);
    if (moved || m_edit->text() != m_shown)
        m_edit->setText(m_shown);
    if (anchor == position)
        m_edit->setCursorPosition(int(position - from));
    else
        m_edit->setSelection(int(anchor - from), int(position - anchor));
}

void LineWindow::reachEdgeFor(const QKeyEvent* key)
{
    const qsizetype size = m_text.size();
    if (m_start == 0 && m_shown.size() == size)
        return;
    using Key = QKeySequence;
    const auto any = [key](std::initializer_list<Key::StandardKey> keys) {
        return std::any_of(keys.begin(), keys.end(), [key](Key::StandardKey k) { return key->matches(k); });
    };
    const qsizetype a = anchor();
    const qsizetype p = cursorPosition();
    const qsizetype lo = std::min(a, p);
    const qsizetype hi = std::max(a, p);
    // The keys a line edit takes to either end of its text (it has no
    // document keys of its own).
    if (any({Key::MoveToStartOfLine, Key::MoveToStartOfBlock}))
        show(0, windowLength, 0, 0);
    else if (any({Key::MoveToEndOfLine, Key::MoveToEndOfBlock}))
        show(size - windowLength, size, size, size);
    else if (any({Key::SelectStartOfLine, Key::SelectStartOfBlock}))
        show(0, hi + windowLength / 2, a, p);
    else if (any({Key::SelectEndOfLine, Key::SelectEndOfBlock, Key::DeleteEndOfLine}))
        show(lo - windowLength / 2, size, a, p);
    else if (any({Key::SelectAll, Key::DeleteCompleteLine}))
        show(0, size, a, p);
}

bool LineWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_edit && (event->type() == QEvent::KeyPress || event->type() == QEvent::InputMethod)) {
        // A key acts on the window the caret has settled in.
        fit();
        if (event->type() == QEvent::KeyPress)
            reachEdgeFor(static_cast<QKeyEvent*>(event));
    }
    return QObject::eventFilter(watched, event);
}

} // namespace studio
