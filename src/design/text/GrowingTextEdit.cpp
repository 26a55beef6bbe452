#include "design/text/GrowingTextEdit.h"

#include "design/focus/FocusInView.h"
#include "design/text/LineBoundaries.h"
#include "design/text/LongText.h"
#include "design/text/TextChange.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace studio {

namespace {

QEvent::Type wrapEvent()
{
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
}

QEvent::Type followEvent()
{
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
}

} // namespace

GrowingTextEdit::GrowingTextEdit(QWidget* parent)
    : QTextEdit(parent)
{
    setAcceptRichText(false);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    // The wrap width is ours to set (wrapAt): left to itself, QTextEdit lays
    // the whole document out again at every resize that touches the width.
    setLineWrapMode(QTextEdit::FixedPixelWidth);
    // No layout at all until the editor has a width.
    document()->setPageSize(QSizeF(0, 0));
    connect(this, &QTextEdit::textChanged, this, &GrowingTextEdit::noteChange);
    connect(document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
            &GrowingTextEdit::contentHeightChanged);
    connect(this, &QTextEdit::cursorPositionChanged, this, &GrowingTextEdit::followCaret);
}

void GrowingTextEdit::setTextKeepingCaret(const QString& text)
{
    if (text == m_text)
        return;
    const QTextCursor old = textCursor();
    const int position = old.position();
    const int anchor = old.anchor();
    const QString before = m_text;
    const bool anywhere = LongText::wrapMode(text) == QTextOption::WrapAnywhere;
    // A long text shown by a refresh waits to be laid out like a first one
    // (unless the user is in it, or it shows at a width already settled):
    // at the width the layouts settle on, and only once it is in view.
    const bool late = LongText::isLong(text.size()) && !hasFocus()
                      && (m_wrapWidth == 0 || visibleRegion().isEmpty());
    m_setting = true;
    if (!late && anywhere == (wordWrapMode() == QTextOption::WrapAnywhere)) {
        setPlainText(text);
    } else {
        // The new text laid out once, in the mode it needs, rather than the
        // old text again in the new mode first.
        document()->setPageSize(QSizeF(0, 0));
        wrapAnywhere(anywhere);
        setPlainText(text);
        if (late) {
            // Laid out by the next resize (once the layouts settle) or the
            // next paint, whichever comes first; estimated until then.
            m_wrapWidth = 0;
        } else if (m_wrapWidth > 0) {
            setLineWrapColumnOrWidth(m_wrapWidth);
        }
    }
    m_text = toPlainText();
    m_setting = false;
    if (hasFocus() || m_entered) {
        // The caret and the selection stay with the text around them, and
        // go past what came in their place (TextChange).
        const TextChange change(before, m_text);
        QTextCursor c = textCursor();
        c.setPosition(int(change.map(anchor)));
        c.setPosition(int(change.map(position)), QTextCursor::KeepAnchor);
        setTextCursor(c);
    }
    // A layout reports its new size itself; a long text waiting for its
    // first one has a new estimate.
    if (m_wrapWidth == 0 && isLong())
        Q_EMIT contentHeightChanged();
}

bool GrowingTextEdit::isLong() const
{
    return LongText::isLong(document()->characterCount());
}

qreal GrowingTextEdit::contentHeight() const
{
    if (m_wrapWidth == 0 && isLong())
        return estimatedHeight(viewport()->width());
    return document()->size().height();
}

bool GrowingTextEdit::event(QEvent* event)
{
    if (event->type() == QEvent::FocusIn)
        m_entered = true;
    if (event->type() == wrapEvent()) {
        m_wrapPending = false;
        // Out of view (below a page's fold, past a strip's edge) a long text
        // keeps its estimate, made now at the width the layouts settled on,
        // until it is first painted.
        if (!visibleRegion().isEmpty())
            wrapAt(viewport()->width());
        else if (m_wrapWidth == 0 && isLong())
            Q_EMIT contentHeightChanged();
        return true;
    }
    if (event->type() == followEvent()) {
        m_followPending = false;
        if (hasFocus())
            FocusInView::revealCaret(this);
        return true;
    }
    return QTextEdit::event(event);
}

bool GrowingTextEdit::viewportEvent(QEvent* event)
{
    // A click is placed in the lines as they are shown: a long text whose
    // layout still waits for the width to settle is laid out now.
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
        wrapAt(viewport()->width());
    return QTextEdit::viewportEvent(event);
}

void GrowingTextEdit::resizeEvent(QResizeEvent* event)
{
    QTextEdit::resizeEvent(event);
    if (m_wrapPending || viewport()->width() == m_wrapWidth)
        return;
    if (!isLong()) {
        // The new height reported by wrapAt() may have the owner resize the
        // editor again from inside this event, and Qt delivers no event for
        // a resize made while a widget's first one (as it is shown) is being
        // delivered: the width is looked at again, so the text is not left
        // in lines of the old width. Four looks at most: layouts that still
        // disagree after that would otherwise keep the editor in a loop, and
        // the paint event lays the text out at the width it is drawn at.
        for (int pass = 0; pass < 4 && viewport()->width() != m_wrapWidth; ++pass)
            wrapAt(viewport()->width());
        return;
    }
    // Posted below every other event: the layouts around (a page that finds
    // it needs a scroll bar, a column taking its share) pass widths on
    // through posted requests first, and only the width they settle on is
    // laid out.
    m_wrapPending = true;
    QCoreApplication::postEvent(this, new QEvent(wrapEvent()), Qt::LowEventPriority);
}

void GrowingTextEdit::paintEvent(QPaintEvent* event)
{
    if (viewport()->width() != m_wrapWidth) {
        // Painted before the layouts settled (a picture taken at once): the
        // text is laid out at the width it is drawn at, and the owner hears
        // of the new height once the painting is over.
        const QSignalBlocker quiet(this);
        wrapAt(viewport()->width());
        QMetaObject::invokeMethod(this, &GrowingTextEdit::contentHeightChanged, Qt::QueuedConnection);
    }
    QTextEdit::paintEvent(event);
}

void GrowingTextEdit::insertFromMimeData(const QMimeData* source)
{
    // A pasted endless word is laid out once, the fast way.
    if (source && source->hasText() && LongText::wrapMode(source->text()) == QTextOption::WrapAnywhere)
        wrapAnywhere(true);
    if (source && source->hasText()) {
        const QString text = source->text();
        const QString whole = LineBoundaries::wholeCharacters(text);
        if (whole != text) {
            QMimeData kept;
            kept.setText(whole);
            QTextEdit::insertFromMimeData(&kept);
            return;
        }
    }
    QTextEdit::insertFromMimeData(source);
}

bool GrowingTextEdit::splitsPair(int position) const
{
    const QTextDocument* d = document();
    if (position <= 0 || position >= d->characterCount() - 1)
        return false;
    const QChar around[] = {d->characterAt(position - 1), d->characterAt(position)};
    return LineBoundaries::splitsPair(QStringView(around, 2), 1);
}

void GrowingTextEdit::inputMethodEvent(QInputMethodEvent* event)
{
    if (isReadOnly()) {
        QTextEdit::inputMethodEvent(event);
        return;
    }
    // The replacement counts from the caret, where the text edit puts it
    // once a selection the input method's text replaces is gone; it is
    // taken over whole characters, within the text.
    const QTextCursor before = textCursor();
    const QTextLayout* layout = before.block().layout();
    const bool replacing = !event->commitString().isEmpty() || event->replacementLength() > 0
                           || (layout && event->preeditString() != layout->preeditAreaText());
    const int cut = replacing && before.hasSelection() ? before.selectionEnd() - before.selectionStart() : 0;
    const int caret = replacing && before.hasSelection() ? before.selectionStart() : before.position();
    const int size = document()->characterCount() - 1 - cut;
    // The text as it stands once the selection is gone, by offset.
    const auto shownAt = [&](int at) { return at < caret ? at : at + cut; };
    const auto splits = [&](int at) {
        return at > 0 && at < size && document()->characterAt(shownAt(at - 1)).isHighSurrogate()
               && document()->characterAt(shownAt(at)).isLowSurrogate();
    };
    const int first = caret + event->replacementStart();
    const int from = std::clamp(first, 0, size);
    const int to = std::clamp(first + std::max(event->replacementLength(), 0), from, size);
    const int start = splits(from) ? from - 1 : from;
    const int end = to > from && splits(to) ? to + 1 : std::max(to, start);
    QInputMethodEvent whole(event->preeditString(), event->attributes());
    whole.setCommitString(LineBoundaries::wholeCharacters(event->commitString()), start - caret, end - start);
    QTextEdit::inputMethodEvent(&whole);
    event->setAccepted(whole.isAccepted());

    // A selection the input method sets, round whole characters.
    QTextCursor after = textCursor();
    const int anchor = after.anchor();
    const int position = after.position();
    if (!splitsPair(anchor) && !splitsPair(position))
        return;
    const bool forward = anchor <= position;
    const auto back = [this](int at) { return splitsPair(at) ? at - 1 : at; };
    const auto on = [this](int at) { return splitsPair(at) ? at + 1 : at; };
    if (anchor == position) {
        after.setPosition(back(position));
    } else {
        after.setPosition(forward ? back(anchor) : on(anchor));
        after.setPosition(forward ? on(position) : back(position), QTextCursor::KeepAnchor);
    }
    setTextCursor(after);
}

void GrowingTextEdit::noteChange()
{
    if (m_setting)
        return;
    // A change of fonts or margins also reports a change of the document;
    // only a change of the text is an edit.
    const QString text = toPlainText();
    if (text == m_text)
        return;
    m_text = text;
    wrapAnywhere(LongText::wrapMode(m_text) == QTextOption::WrapAnywhere);
    Q_EMIT textEdited(m_text);
}

void GrowingTextEdit::followCaret()
{
    // A refresh moves no page, and a click or a drag puts the caret where
    // the pointer already is.
    if (m_setting || !hasFocus() || m_followPending || QGuiApplication::mouseButtons() != Qt::NoButton)
        return;
    // Posted below the layouts' requests, like the wrap: the editor grown by
    // the new line has its new place by then.
    m_followPending = true;
    QCoreApplication::postEvent(this, new QEvent(followEvent()), Qt::LowEventPriority);
}

void GrowingTextEdit::wrapAt(int width)
{
    if (width <= 0 || width == m_wrapWidth)
        return;
    m_wrapWidth = width;
    setLineWrapColumnOrWidth(width);
    Q_EMIT contentHeightChanged();
}

void GrowingTextEdit::wrapAnywhere(bool anywhere)
{
    const QTextOption::WrapMode mode = anywhere ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere;
    if (wordWrapMode() != mode)
        setWordWrapMode(mode);
}

qreal GrowingTextEdit::estimatedHeight(int width) const
{
    // Good enough to tell a page whether it will scroll.
    const QTextDocument* doc = document();
    const QFontMetricsF metrics(doc->defaultFont());
    const qreal margin = doc->documentMargin();
    const qsizetype lines = LongText::estimatedLines(m_text, metrics.averageCharWidth(), width - 2 * margin);
    return qreal(lines) * metrics.lineSpacing() + 2 * margin;
}

} // namespace studio
