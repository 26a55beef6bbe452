#include "design/text/LineWindow.h"

#include "design/text/LineBoundaries.h"
#include "design/text/LineKeys.h"
#include "design/text/TextChange.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHash>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalBlocker>

#include <algorithm>
#include <limits>

namespace studio {

namespace {

// The boundary between whole characters at or after `at`.
qsizetype characterEdgeAfter(QStringView text, qsizetype at)
{
    const qsizetype before = LineBoundaries::characterStart(text, at);
    return before == at ? at : LineBoundaries::nextCharacter(text, before);
}

// The fields' windows, by line edit.
QHash<const QObject*, LineWindow*>& windows()
{
    static QHash<const QObject*, LineWindow*> map;
    return map;
}

} // namespace

LineWindow* LineWindow::of(const QObject* edit)
{
    return windows().value(edit);
}

LineWindow::~LineWindow()
{
    windows().remove(m_edit);
}

LineWindow::LineWindow(QLineEdit* edit, qsizetype windowLength)
    : QObject(edit)
    , m_edit(edit)
    , m_length(std::max<qsizetype>(windowLength, 8))
    , m_teller(edit, m_length)
{
    // The line edit never holds more than twice the window, but a line edit
    // keeps 32,767 characters unless told otherwise.
    edit->setMaxLength(std::numeric_limits<int>::max());
    const QString text = edit->text();
    m_buffer.reset(text, text.size(), text.size());
    m_buffer.takeChange();
    m_shown = text;
    windows().insert(edit, this);
    showInLineEdit(std::nullopt);
    edit->installEventFilter(this);
    // A line edit reports an edit of the user's with textEdited() just before
    // textChanged(), and one of a program's with textChanged() alone; an
    // input method's text can move the caret before either.
    connect(edit, &QLineEdit::textEdited, this, [this] {
        if (m_showing)
            return;
        takeLineEditText(true);
        if (m_unreported)
            Q_EMIT textEdited(m_buffer.text());
        m_unreported = false;
    });
    connect(edit, &QLineEdit::textChanged, this, [this] {
        if (m_showing)
            return;
        // followLineEdit() takes the new text into the buffer first.
        followLineEdit();
        m_unreported = false;
    });
    connect(edit, &QLineEdit::cursorPositionChanged, this, [this] {
        if (!m_showing)
            followLineEdit();
    });
    connect(edit, &QLineEdit::selectionChanged, this, [this] {
        if (!m_showing)
            followLineEdit();
    });
}

void LineWindow::setText(const QString& text)
{
    if (text == m_buffer.text())
        return;
    // A new text ends a composition without taking it in.
    endComposition(false);
    // A field nobody has been in shows the start of its text. One the user
    // is in or was in carries the caret through the change, whether or not
    // it or its window has the keyboard now: an assist's sheet may hold the
    // keyboard while its answer lands here, and the keys typed once it gives
    // it back go after that answer. Without the keyboard, the field shows
    // the start of its text meanwhile.
    const bool away = !m_edit->hasFocus();
    if (away && !m_entered) {
        m_buffer.reset(text, 0, 0);
        showBufferChange(false);
        return;
    }
    const TextChange change(m_buffer.text(), text);
    const auto [anchorWas, caretWas] = m_caretAway.value_or(std::pair{m_buffer.anchor(), m_buffer.cursor()});
    const std::pair mapped{change.map(anchorWas), change.map(caretWas)};
    m_buffer.reset(text, away ? 0 : mapped.first, away ? 0 : mapped.second);
    showBufferChange(false);
    if (away)
        m_caretAway = mapped;
}

void LineWindow::setCursorPosition(qsizetype position)
{
    if (position > m_buffer.size())
        return;
    endComposition(true);
    m_buffer.moveCursor(std::max<qsizetype>(position, 0), false);
    showBufferChange(false);
}

void LineWindow::setSelection(qsizetype start, qsizetype length)
{
    endComposition(true);
    m_buffer.setSelection(start, length);
    showBufferChange(false);
}

void LineWindow::insert(const QString& text)
{
    endComposition(true);
    m_buffer.insert(text);
    showBufferChange(true);
}

void LineWindow::del()
{
    endComposition(true);
    m_buffer.del();
    showBufferChange(true);
}

qsizetype LineWindow::shownPosition(qsizetype position) const
{
    return position >= m_start && position <= m_start + m_shown.size() ? position - m_start : -1;
}

bool LineWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_edit || m_showing)
        return QObject::eventFilter(watched, event);
    // A line edit being destroyed is a line edit no more by the time its
    // widget part gives the focus away: nothing is shown on it then.
    if (!qobject_cast<QLineEdit*>(watched))
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        return keyPress(static_cast<QKeyEvent*>(event));
    case QEvent::MouseButtonPress:
        return mousePress(static_cast<QMouseEvent*>(event));
    case QEvent::MouseMove:
        return mouseMove(static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonDblClick:
        return doubleClick(static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        // A middle click pastes the selection clipboard where the press put
        // the caret, as a paste of the user's: an undo step of its own (on a
        // composition, the line edit hands it to the input method).
        if (mouse->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()
            && !m_edit->isReadOnly()) {
            if (onComposition(mouse->position().toPoint()))
                return false;
            endComposition(true);
            m_buffer.setCursorAndSelection(m_buffer.cursor(), -1, -1);
            m_buffer.paste(QGuiApplication::clipboard()->text(QClipboard::Selection));
            showBufferChange(true);
            return true;
        }
        // The line edit offers what it holds selected to the selection
        // clipboard; a selection reaching beyond the window is offered whole.
        const bool beyond = m_buffer.hasSelectedText()
                            && (m_buffer.selectionStart() < m_start
                                || m_buffer.selectionEnd() > m_start + m_shown.size());
        if (mouse->button() == Qt::LeftButton && beyond && QGuiApplication::clipboard()->supportsSelection())
            QMetaObject::invokeMethod(this, [this] { copy(QClipboard::Selection); }, Qt::QueuedConnection);
        return false;
    }
    case QEvent::ContextMenu:
        if (m_edit->contextMenuPolicy() != Qt::DefaultContextMenu)
            return false;
        contextMenu(static_cast<QContextMenuEvent*>(event));
        return true;
    case QEvent::FocusIn: {
        m_entered = true;
        const std::optional<std::pair<qsizetype, qsizetype>> away = std::exchange(m_caretAway, std::nullopt);
        // Tabbing into a line edit selects all its text (the line edit would
        // select only what it holds).
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if ((reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason)
            && !m_buffer.hasSelectedText()) {
            endComposition(true);
            m_buffer.selectAll();
            showBufferChange(false);
        } else if (away && reason != Qt::MouseFocusReason) {
            // The keyboard given back: the caret it had, carried through
            // what came meanwhile (a click puts it where it points).
            const auto [anchor, caret] = *away;
            const bool selected = anchor != caret;
            m_buffer.setCursorAndSelection(caret, selected ? std::min(anchor, caret) : -1,
                                           selected ? std::max(anchor, caret) : -1);
            showBufferChange(false);
        }
        return false;
    }
    case QEvent::FocusOut: {
        // Losing the focus to another control ends a composition, and the
        // selection, also where the window shows none of it.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason
            || reason == Qt::MenuBarFocusReason)
            return false;
        endComposition(true);
        if (m_buffer.hasSelectedText()) {
            m_buffer.setCursorAndSelection(m_buffer.cursor(), -1, -1);
            showBufferChange(false);
        }
        return false;
    }
    case QEvent::InputMethod:
        return inputMethod(static_cast<QInputMethodEvent*>(event));
    default:
        return false;
    }
}

bool LineWindow::keyPress(QKeyEvent* event)
{
    // A key the field takes ends a composition before it acts, as in a line
    // edit (one it passes on leaves it).
    if (m_composing && LineKeys::takes(event, m_edit->isReadOnly()))
        endComposition(true);
    switch (LineKeys::apply(m_buffer, event, m_edit->isReadOnly())) {
    case LineKeys::Outcome::Passed:
        return false;
    case LineKeys::Outcome::Typed:
        showBufferChange(true);
        return true;
    case LineKeys::Outcome::Taken:
        break;
    }
    showBufferChange(true);
    // As a line edit does after each key it takes.
    if (QGuiApplication::clipboard()->supportsSelection())
        copy(QClipboard::Selection);
    return true;
}

void LineWindow::copy(QClipboard::Mode mode) const
{
    LineKeys::copy(m_buffer, mode);
}

void LineWindow::showBufferChange(bool edited, bool pointer)
{
    // Whatever set the caret since, it is not given back.
    m_caretAway.reset();
    const auto change = m_buffer.takeChange();
    showInLineEdit(change, pointer);
    if (edited && change && (change->removed > 0 || change->inserted > 0))
        Q_EMIT textEdited(m_buffer.text());
}

void LineWindow::showInLineEdit(const std::optional<LineBuffer::Change>& change, bool pointer)
{
    const QString& text = m_buffer.text();
    const qsizetype size = text.size();
    qsizetype start = m_start;
    qsizetype end = m_start + m_shown.size();
    bool stale = false;
    bool lost = false;
    if (change) {
        // An edit inside the window leaves it where it was.
        if (change->from >= start && change->from + change->removed <= end) {
            end += change->inserted - change->removed;
            stale = change->removed > 0 || change->inserted > 0;
        } else {
            lost = true;
        }
    }
    // Where the window ends when the edit is made in it and it stays.
    const qsizetype editedEnd = end;
    const qsizetype caret = m_buffer.cursor();
    const qsizetype margin = m_length / 4;
    if (size <= 2 * m_length) {
        if (lost || start != 0 || end != size) {
            start = 0;
            end = size;
            stale = true;
        }
    } else if (lost || caret < start || caret > end
               || (!pointer
                   && ((start > 0 && caret - start < margin) || (end < size && end - caret < margin)
                       || end - start > 2 * m_length))) {
        // Around the caret, half a window on either side where the text
        // allows it, between whole characters.
        start = std::clamp<qsizetype>(caret - m_length / 2, 0, size - m_length);
        end = start + m_length;
        start = LineBoundaries::characterStart(text, start);
        end = characterEdgeAfter(text, end);
        stale = true;
    }
    // An edit inside a window that stays is made in the line edit as well,
    // in place: giving it its text anew would reset the input method at
    // every key (ending a composition) and tell assistive technology the
    // whole text was replaced. A window that moves or shrinks is given anew:
    // made in place first, an edit (a megabyte set on a field) would pass
    // through the line edit whole, shaped and announced.
    const bool inPlace = stale && change && !lost && start == m_start && end == editedEnd;
    const QString removed = change ? removedText(*change) : QString();
    m_showing = true;
    {
        const QSignalBlocker blocker(m_edit);
        if (stale) {
            m_start = start;
            m_shown = (start == 0 && end == size) ? text : text.mid(start, end - start);
            if (inPlace) {
                const int at = int(change->from - start);
                if (change->removed > 0)
                    m_edit->setSelection(at, int(change->removed));
                else
                    m_edit->setCursorPosition(at);
                m_edit->insert(text.mid(change->from, change->inserted));
            }
            // A line edit that refused the edit (one made read-only) is
            // given the text whole.
            if (!inPlace || m_edit->text() != m_shown)
                m_edit->setText(m_shown);
        }
        showSelection();
        keepDirection();
    }
    m_showing = false;
    m_teller.tell(m_buffer, change, removed);
}

void LineWindow::showSelection()
{
    const qsizetype end = m_start + m_shown.size();
    const int caret = int(m_buffer.cursor() - m_start);
    if (m_buffer.hasSelectedText()) {
        const int anchor = int(std::clamp(m_buffer.anchor(), m_start, end) - m_start);
        if (anchor != caret) {
            // Set only where it differs: setting a selection ends the line
            // edit's composition, even the one it shows already (as an
            // input method selects while it composes).
            const bool shown = m_edit->hasSelectedText() && m_edit->cursorPosition() == caret
                               && m_edit->selectionStart() == std::min(anchor, caret)
                               && m_edit->selectionEnd() == std::max(anchor, caret);
            if (!shown)
                m_edit->setSelection(anchor, caret - anchor);
            return;
        }
    }
    if (m_edit->hasSelectedText() || m_edit->cursorPosition() != caret)
        m_edit->setCursorPosition(caret);
}

void LineWindow::keepDirection()
{
    // A line edit lays its text out in the direction of the first strong
    // letter it holds (left to right when it holds none), which in a window
    // need not be the whole text's. It takes another direction only from the
    // keys that set one, and then keeps it.
    const Qt::LayoutDirection whole =
        m_buffer.layoutDirection() == Qt::RightToLeft ? Qt::RightToLeft : Qt::LeftToRight;
    if (whole == m_direction)
        return;
    const Qt::LayoutDirection own = m_shown.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
    if (m_direction == Qt::LayoutDirectionAuto && own == whole)
        return;
    m_direction = whole;
    QKeyEvent key(QEvent::KeyPress, whole == Qt::RightToLeft ? Qt::Key_Direction_R : Qt::Key_Direction_L,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(m_edit, &key);
}

void LineWindow::scheduleFit()
{
    if (m_fitPending)
        return;
    m_fitPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_fitPending = false;
            if (!m_composing)
                showInLineEdit(m_buffer.takeChange());
        },
        Qt::QueuedConnection);
}

void LineWindow::takeLineEditText(bool edited)
{
    const QString now = m_edit->text();
    const QStringView was(m_shown);
    const qsizetype caret = m_edit->cursorPosition();
    // Whether the line edit put new text from `from` to the caret in place of
    // what was there up to `to`, leaving the rest as it was.
    const auto replacedUpTo = [&](qsizetype from, qsizetype to) {
        const qsizetype after = was.size() - to;
        return 0 <= from && from <= to && from <= caret && now.size() - after == caret
               && QStringView(now).left(from) == was.left(from) && QStringView(now).right(after) == was.right(after);
    };
    // What it showed of the selection, in the window.
    const qsizetype windowEnd = m_start + m_shown.size();
    const bool selected = m_buffer.hasSelectedText();
    const qsizetype shownStart = selected ? std::clamp(m_buffer.selectionStart(), m_start, windowEnd) : 0;
    const qsizetype shownEnd = selected ? std::clamp(m_buffer.selectionEnd(), m_start, windowEnd) : 0;
    if (now == m_shown) {
        // An edit that left what the line edit holds as it was: the
        // selection typed or pasted over with the same text (where it
        // reaches beyond the window, all of it replaced by what it showed).
        if (!edited || !selected || m_edit->hasSelectedText() || caret != shownEnd - m_start)
            return;
    }
    qsizetype from = -1;
    qsizetype to = -1;
    if (selected && replacedUpTo(shownStart - m_start, shownEnd - m_start)) {
        // The selection replaced (typed over, pasted over, cut): all of it,
        // also where it reaches beyond the window.
        from = shownStart - m_start;
        to = shownEnd - m_start;
    } else {
        // Text put in (or taken out) just before the caret, as the line
        // edit's own edits leave it: where a character goes in beside the
        // same character, only the caret tells which.
        const qsizetype shorter = std::min(now.size(), was.size());
        qsizetype prefix = 0;
        while (prefix < shorter && now.at(prefix) == was.at(prefix))
            ++prefix;
        to = was.size() - (now.size() - caret);
        from = std::min({prefix, caret, to});
        if (!replacedUpTo(from, to)) {
            qsizetype suffix = 0;
            while (suffix < shorter - prefix && now.at(now.size() - 1 - suffix) == was.at(was.size() - 1 - suffix))
                ++suffix;
            from = prefix;
            to = was.size() - suffix;
        }
        // Never between the halves of a pair.
        if (from > 0 && was.at(from - 1).isHighSurrogate())
            --from;
    }
    const QString inserted = now.mid(from, now.size() - was.size() + to - from);
    qsizetype start = m_start + from;
    qsizetype end = m_start + to;
    if (selected && start == shownStart && end == shownEnd) {
        start = m_buffer.selectionStart();
        end = m_buffer.selectionEnd();
    }
    const LineBuffer::Change change{start, end - start, inserted.size()};
    const QString removed = removedText(change);
    m_buffer.replace(start, end, inserted);
    m_buffer.takeChange();
    // What the line edit holds now begins where the inserted text does when
    // the selection reached back before the window.
    m_start = std::min(m_start, start);
    m_shown = now;
    m_unreported = true;
    m_caretAway.reset();
    m_teller.tell(m_buffer, change, removed);
}

QString LineWindow::removedText(const LineBuffer::Change& change) const
{
    const qsizetype from = change.from - m_start;
    if (from >= 0 && from + change.removed <= m_shown.size())
        return m_shown.mid(from, change.removed);
    // Beyond the window the text that went is gone: as many characters (as
    // many as are told).
    return QString(std::min(change.removed, m_length), u' ');
}

void LineWindow::followLineEdit()
{
    takeLineEditText(false);
    // The line edit moved its caret or changed its text by itself, which
    // ends its composition.
    endComposition(true);
    const qsizetype caret = m_start + m_edit->cursorPosition();
    qsizetype start = -1;
    qsizetype end = -1;
    if (m_edit->hasSelectedText()) {
        start = m_start + m_edit->selectionStart();
        end = m_start + m_edit->selectionEnd();
    }
    // Nothing moved but what the window cannot show.
    const qsizetype windowEnd = m_start + m_shown.size();
    const bool selected = m_buffer.hasSelectedText();
    const qsizetype shownStart = selected ? std::clamp(m_buffer.selectionStart(), m_start, windowEnd) : -1;
    const qsizetype shownEnd = selected ? std::clamp(m_buffer.selectionEnd(), m_start, windowEnd) : -1;
    if (caret == m_buffer.cursor() && start == shownStart && end == shownEnd)
        return;
    m_caretAway.reset();
    m_buffer.setCursorAndSelection(caret, start, end);
    scheduleFit();
}

} // namespace studio
