#include "views/phases/script/ScriptPage.h"

#include "design/access/AccessibleFocus.h"
#include "design/focus/FocusHandOver.h"
#include "design/focus/FocusRing.h"
#include "design/style/Palette.h"
#include "design/text/PlainTextEditor.h"
#include "design/style/Shapes.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "design/text/TextChange.h"
#include "views/phases/script/ScriptCapsule.h"
#include "views/phases/script/ScriptChips.h"
#include "views/phases/script/ScriptElementRow.h"
#include "views/phases/script/ScriptEmptyState.h"
#include "views/phases/script/ScriptPageAccessible.h"
#include "views/phases/script/ScriptPageKeyboard.h"
#include "views/phases/script/ScriptRowControls.h"

#include <QAccessible>
#include <QApplication>
#include <QCursor>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

constexpr qreal cornerRadius = 6;
constexpr int paddingH = 56;
constexpr int paddingV = 46;
// Rows laid out beyond what is in view, above and below, at the least.
constexpr int leastMargin = 400;

} // namespace

ScriptPage::ScriptPage(QWidget* parent)
    : QWidget(parent)
    , m_rows(paddingV)
    , m_visible(0, 0, 1, 1200)
    , m_empty(new ScriptEmptyState(this))
    , m_editor(new PlainTextEditor(QString(), ScriptElementRow::font(ScriptElementKind::action), this))
    , m_editorKind(ScriptElementKind::action)
    , m_controls(new ScriptRowControls(this))
    , m_chips(new ScriptChips(this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    // Paper: the rings of the editor and the row's controls read dark on it.
    FocusRing::setLightGround(this);
    // Growing or shrinking in height paints only what the page moved itself
    // (and what it newly covers), not all of it.
    setAttribute(Qt::WA_StaticContents);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setMouseTracking(true);

    connect(m_empty, &ScriptEmptyState::addSceneHeadingRequested, this, &ScriptPage::addSceneHeadingRequested);
    connect(m_empty, &ScriptEmptyState::aiDraftRequested, this, &ScriptPage::aiDraftRequested);

    // The one editor, moved onto whichever element is being written.
    m_editor->setTextColor(Palette::paperInk());
    m_editor->setPlaceholderColor(Palette::withOpacity(Palette::paperInk(), 0.3));
    m_editor->setSubmitsOnReturn(true);
    m_editor->hide();
    applyEditorKind(m_editorKind);
    connect(m_editor, &PlainTextEditor::textEdited, this, [this](const QString& text) {
        if (!m_editorID.isNull())
            Q_EMIT textEdited(m_editorID, text);
    });
    connect(m_editor, &PlainTextEditor::submitted, this, [this] {
        if (!m_editorID.isNull())
            Q_EMIT submitted(m_editorID);
    });
    m_editor->installEventFilter(this);
    m_editor->textEdit()->installEventFilter(this);
    m_editor->textEdit()->viewport()->installEventFilter(this);
    // Tab and the element's menu; what its menu picks goes out as the
    // page's own requests.
    m_keyboard = new ScriptPageKeyboard(this);
    connect(m_keyboard, &ScriptPageKeyboard::kindPicked, this, &ScriptPage::kindPicked);
    connect(m_keyboard, &ScriptPageKeyboard::chipPicked, this, &ScriptPage::chipPicked);
    connect(m_keyboard, &ScriptPageKeyboard::removeRequested, this, &ScriptPage::removeRequested);
    connect(m_keyboard, &ScriptPageKeyboard::scrollRequested, this, &ScriptPage::scrollRequested);
    connect(m_keyboard, &ScriptPageKeyboard::revealRequested, this, &ScriptPage::revealRequested);

    // The controls of the hovered row; what they ask for goes out as is.
    m_controls->hide();
    m_controls->installEventFilter(this);
    for (QWidget* w : m_controls->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        w->installEventFilter(this);
    connect(m_controls, &ScriptRowControls::removeRequested, this, &ScriptPage::removeRequested);
    connect(m_controls, &ScriptRowControls::kindPicked, this, &ScriptPage::kindPicked);

    m_chips->hide();
    m_chips->installEventFilter(this);
    relayout();
}

ScriptPage::~ScriptPage()
{
    // It watches the editor, which outlives the rows it reads.
    delete m_keyboard;
}

// ---- The rows ------------------------------------------------------------

int ScriptPage::available() const
{
    return std::max(0, width() - 2 * paddingH);
}

void ScriptPage::showElements(const QList<ScriptElement>& elements, const rules::ScriptChange& change)
{
    // Most changes touch one place: what agrees at both ends is kept as it
    // is and not looked at again.
    ScriptPageAccessible* accessible = ScriptPageAccessible::existing(this);
    const ScriptPageAccessible::Splice told =
        accessible ? accessible->rowsChanging(elements, change) : ScriptPageAccessible::Splice();
    // Where the element being written stands, and whether it holds the
    // keyboard, should it go.
    const int editorWas = m_rows.indexOf(m_editorID);
    const bool keyboardHere = editorWas >= 0 && keyboardWithin(m_editor);
    const bool structural = m_rows.splice(elements, change);
    if (accessible)
        accessible->rowsChanged(told);
    const int head = int(change.head);
    const int newEnd = int(elements.size() - change.tail);

    bool othersChanged = structural;
    bool editorKindChanged = false;
    for (int i = head; i < newEnd; ++i) {
        ScriptElementRow& row = m_rows.row(i);
        const ScriptElementKind kind = row.kind();
        if (!row.setElement(elements[i]))
            continue;
        if (row.id() == m_editorID && i == m_rows.indexOf(m_editorID)) {
            if (row.kind() != kind) {
                applyEditorKind(row.kind());
                editorKindChanged = true;
                if (accessible)
                    accessible->kindChanged(i);
            }
            // Silent, and only when it differs: the caret and the undo of
            // the text being written stay.
            rewriteEditorText(row.text());
            m_rows.takeHeight(i, m_editor->height());
        } else {
            othersChanged = true;
            m_rows.resized(i);
            if (accessible && row.kind() != kind)
                accessible->kindChanged(i);
        }
    }

    // The element being written went (by its ×, its menu, or from
    // elsewhere): the keyboard it held goes on to the element now in its
    // place, else the one before it, and Tab goes on from there; with none
    // left, it rests on the empty state. Never on a control whose Return
    // would write what the user did not choose.
    QUuid successor;
    const bool editorGone = !m_editorID.isNull() && m_rows.indexOf(m_editorID) < 0;
    if (editorGone && keyboardHere && !m_rows.empty())
        successor = m_rows.row(std::min({editorWas, newEnd, m_rows.count() - 1})).id();
    else if (editorGone && !keyboardHere)
        detachEditor();
    if (!m_hoveredID.isNull() && m_rows.indexOf(m_hoveredID) < 0)
        setHoveredID(QUuid());
    // The editor's own text needs no layout here: its height follows it.
    if (othersChanged || editorKindChanged || editorGone)
        relayout();
    if (editorGone && keyboardHere && m_rows.empty()) {
        m_empty->restKeyboardFrom(m_editor);
        detachEditor();
    }
    placeChips();
    if (!successor.isNull())
        focusElement(successor);
}

void ScriptPage::rewriteEditorText(const QString& text)
{
    // The caret and the selection go through the change: what the old and
    // the new text share at either end keeps its place, and a caret inside
    // what changed goes after the new part, so what is typed next never
    // lands inside text the user did not write.
    QTextEdit* edit = m_editor->textEdit();
    const TextChange change(m_editor->text(), text);
    const QTextCursor was = edit->textCursor();
    const int anchor = int(change.map(was.anchor()));
    const int position = int(change.map(was.position()));
    m_editor->setText(text);
    QTextCursor cursor = edit->textCursor();
    const int end = int(edit->document()->characterCount()) - 1;
    cursor.setPosition(std::clamp(anchor, 0, end));
    cursor.setPosition(std::clamp(position, 0, end), QTextCursor::KeepAnchor);
    if (cursor.anchor() != edit->textCursor().anchor() || cursor.position() != edit->textCursor().position())
        edit->setTextCursor(cursor);
}

std::pair<int, int> ScriptPage::rowsNearView() const
{
    if (m_rows.empty())
        return {0, -1};
    const int margin = std::max(leastMargin, m_visible.height());
    return {m_rows.rowAtY(m_visible.top() - margin), m_rows.rowAtY(m_visible.bottom() + margin)};
}

void ScriptPage::repaintDirty()
{
    const int from = m_rows.dirtyFrom();
    if (from >= height())
        return;
    update(QRect(0, from, width(), height() - from));
    m_rows.setDirtyFrom(std::numeric_limits<int>::max());
}

void ScriptPage::setPageHeight(int height)
{
    const int clamped = std::min(height, QWIDGETSIZE_MAX);
    if (this->height() != clamped || minimumHeight() != clamped || maximumHeight() != clamped)
        setFixedHeight(clamped);
}

void ScriptPage::relayout()
{
    if (m_laying) {
        m_layAgain = true;
        return;
    }
    m_laying = true;
    do {
        m_layAgain = false;
        m_rows.setWidth(available());
        if (const int at = m_rows.indexOf(m_editorID); at >= 0)
            m_rows.takeHeight(at, m_editor->height());
        // Elements came while the keyboard was on the empty state (resting
        // there, or on a button that started a draft): the page takes it,
        // Tab going on to the first element, rather than whatever follows
        // the page.
        if (!m_rows.empty() && m_empty->isVisible())
            handOverFocus(m_empty, this);
        m_empty->setVisible(m_rows.empty());
        // With elements on it the page is a stop for Tab, which it hands on
        // to an element; without, the empty state's buttons are the stops.
        setFocusPolicy(m_rows.empty() ? Qt::NoFocus : Qt::TabFocus);
        int total = 0;
        if (m_rows.empty()) {
            const int emptyHeight = m_empty->sizeHint().height();
            m_empty->setGeometry(paddingH, paddingV, m_rows.width(), emptyHeight);
            total = 2 * paddingV + emptyHeight;
        } else {
            total = m_rows.place() + paddingV;
        }
        if (total != height())
            m_rows.markDirty(std::min(total, height()) - paddingV);
        setPageHeight(total);
        layOutVisible();
        placeChildren();
    } while (m_layAgain);
    m_laying = false;
    repaintDirty();
}

void ScriptPage::layOutVisible()
{
    if (m_rows.empty() || m_rows.width() < 0)
        return;
    const int margin = std::max(leastMargin, m_visible.height());
    const int dy = m_rows.layOutAround(m_visible.top(), m_visible.bottom(), margin, m_editorID,
                                       [this](int end) { setPageHeight(end + paddingV); });
    if (dy != 0 && m_visible.top() > 0) {
        m_visible.translate(0, dy);
        Q_EMIT shifted(dy);
    }
}

void ScriptPage::setVisibleArea(const QRect& area)
{
    if (area == m_visible)
        return;
    m_visible = area;
    if (m_laying)
        return;
    const int before = height();
    // Rows that take their exact height here are out of view: nothing that
    // shows moves.
    const int dirty = m_rows.dirtyFrom();
    layOutVisible();
    m_rows.setDirtyFrom(dirty);
    if (height() != before)
        placeChildren();
    if (underMouse())
        hoverAt(mapFromGlobal(QCursor::pos()));
}

void ScriptPage::placeChildren()
{
    if (const int at = m_rows.indexOf(m_editorID); at >= 0) {
        QRect area = m_rows.textRect(at).translated(paddingH, 0);
        area.setHeight(m_editor->height());
        if (m_editor->geometry() != area)
            m_editor->setGeometry(area);
    }
    if (const int at = m_rows.indexOf(m_rows.spaceBelowID()); at >= 0) {
        const QRect row = m_rows.rect(at);
        m_chips->setGeometry(paddingH, row.top() + row.height() - m_rows.spaceBelow(), row.width(),
                             m_rows.spaceBelow());
    }
    const QRect controlsWere = m_controls->isVisible() ? m_controls->geometry() : QRect();
    if (const int at = m_rows.indexOf(m_hoveredID); at >= 0) {
        const ScriptElementRow& row = m_rows.row(at);
        const ScriptElementRow::KindStyle& s = ScriptElementRow::style(row.kind());
        m_controls->setGeometry(width() - paddingH - ScriptElementRow::controlsWidth,
                                m_rows.top(at) + int(s.spaceAbove), ScriptElementRow::controlsWidth,
                                ScriptElementRow::controlsHeight(row.kind()));
        m_controls->standFor(row.id(), row.kind());
        m_controls->show();
    } else {
        m_controls->hide();
    }
    // The place the controls left is painted again to the last device pixel
    // they touched: at a fractional scale their edges cut through pixels.
    if (!controlsWere.isNull() && (m_controls->isHidden() || m_controls->geometry() != controlsWere))
        update(wholeDevicePixels(controlsWere));
}

QRect ScriptPage::wholeDevicePixels(const QRect& area) const
{
    // The window's pixels are what is whole: the page itself may stand at a
    // fraction of one.
    const qreal ratio = devicePixelRatioF();
    const QPoint offset = mapTo(window(), QPoint(0, 0));
    const QRectF inWindow = QRectF(area.translated(offset));
    const QRect device = QRectF(inWindow.topLeft() * ratio, inWindow.size() * ratio).toAlignedRect();
    return QRectF(QPointF(device.topLeft()) / ratio, QSizeF(device.size()) / ratio).toAlignedRect().translated(-offset);
}

// ---- The editor -----------------------------------------------------------

void ScriptPage::applyEditorKind(ScriptElementKind kind)
{
    m_editorKind = kind;
    const ScriptElementRow::KindStyle& s = ScriptElementRow::style(kind);
    m_editor->setTextFont(ScriptElementRow::font(kind));
    m_editor->setPlaceholder(s.placeholder);
    m_editor->setTextAlignment(s.trailing ? Qt::AlignRight : Qt::AlignLeft);
    // Named as the element it stands in for (which a reader reads instead).
    m_editor->textEdit()->setAccessibleName(s.label);
}

void ScriptPage::attachEditor(int index)
{
    const ScriptElementRow& row = m_rows.row(index);
    if (row.id() == m_editorID && m_editor->isVisible())
        return;
    // With a reader listening, what the editor tells is told as the element
    // it stands in, also when nothing asked for the page yet.
    if (QAccessible::isActive())
        QAccessible::queryAccessibleInterface(this);
    // The row left behind keeps the height the editor gave it and is painted
    // again.
    if (const int old = m_rows.indexOf(m_editorID); old >= 0) {
        m_rows.row(old).setExactHeight(m_rows.width(), m_editor->height());
        update(rowRect(m_editorID));
    }
    m_editorID = row.id();
    if (row.kind() != m_editorKind) {
        // What the editor holds is the old element's text: it goes before
        // the new kind's font and alignment come, which would lay it out
        // again first.
        m_editor->setText(QString());
        applyEditorKind(row.kind());
    }
    // The row's width first, so the text is laid out once, at it, and the
    // editor's height follows that layout.
    m_editor->setGeometry(QRect(m_editor->pos(), QSize(m_rows.textRect(index).width(), m_editor->height())));
    m_editor->setText(row.text());
    QTextEdit* edit = m_editor->textEdit();
    edit->document()->clearUndoRedoStacks(); // another element's history
    // Focus that comes without a click (Tab, Return, the toolbar) goes on
    // writing after the text; a click places the caret itself.
    edit->moveCursor(QTextCursor::End);
    m_editor->show();
    update(rowRect(m_editorID));
    relayout();
}

void ScriptPage::detachEditor()
{
    // Qt would hand the focus of a hidden editor to the next widget in the
    // chain, which may then look focused; the page holds it instead, for no
    // reason a page would scroll for (it would bring its top into view).
    if (m_editor->textEdit()->hasFocus() || m_editor->isAncestorOf(QApplication::focusWidget()))
        setFocus(Qt::NoFocusReason);
    m_editor->hide();
    if (const int at = m_rows.indexOf(m_editorID); at >= 0)
        update(rowRect(m_editorID));
    m_editorID = QUuid();
}

QTextEdit* ScriptPage::textEdit() const
{
    return m_editor->textEdit();
}

bool ScriptPage::hasTextFocus(const QUuid& id) const
{
    return !id.isNull() && id == m_editorID && m_editor->isVisible() && m_editor->textEdit()->hasFocus();
}

void ScriptPage::focusElement(const QUuid& id, const std::function<void(QTextEdit*)>& placeCaret)
{
    const int at = m_rows.indexOf(id);
    if (at < 0)
        return;
    // Moved to another element, the editor is heard there once it is all
    // there: its text, its caret, the keyboard.
    QTextEdit* edit = m_editor->textEdit();
    const bool moving = id != m_editorID || !m_editor->isVisible();
    if (moving)
        AccessibleFocus::hold(edit);
    attachEditor(at);
    m_focusedID = id;
    edit->setFocus(Qt::OtherFocusReason);
    if (placeCaret)
        placeCaret(edit);
    placeChips();
    Q_EMIT revealRequested(rowRect(id));
    if (moving)
        AccessibleFocus::release(edit);
}

void ScriptPage::moveCaretToEnd()
{
    m_editor->textEdit()->moveCursor(QTextCursor::End);
}

QRect ScriptPage::rowRect(const QUuid& id) const
{
    const int at = m_rows.indexOf(id);
    return at < 0 ? QRect() : m_rows.rect(at).translated(paddingH, 0);
}

QRect ScriptPage::textRect(const QUuid& id) const
{
    const int at = m_rows.indexOf(id);
    return at < 0 ? QRect() : m_rows.textRect(at).translated(paddingH, 0);
}

bool ScriptPage::isLaidOut(const QUuid& id) const
{
    const int at = m_rows.indexOf(id);
    return at >= 0 && (m_rows.row(at).isLaidOut() || (id == m_editorID && m_editor->isVisible()));
}

// ---- The keyboard -----------------------------------------------------------

bool ScriptPage::focusNextPrevChild(bool next)
{
    // The page holding the focus itself (its element went away): Tab goes
    // to the first element.
    if (next && hasFocus() && !m_rows.empty()) {
        focusElement(m_rows.row(0).id());
        return true;
    }
    // Tab past the last element or Shift+Tab before the first (the editor
    // asks its parents): the page is no stop on the way out.
    const Qt::FocusPolicy policy = focusPolicy();
    setFocusPolicy(Qt::NoFocus);
    const bool moved = QWidget::focusNextPrevChild(next);
    setFocusPolicy(policy);
    return moved;
}

void ScriptPage::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    if (m_rows.empty())
        return;
    // Tab from before the page enters it at the first element, Shift+Tab
    // from after it at the last.
    if (event->reason() == Qt::TabFocusReason)
        focusElement(m_rows.row(0).id());
    else if (event->reason() == Qt::BacktabFocusReason)
        focusElement(m_rows.row(m_rows.count() - 1).id());
}

// ---- Chips ----------------------------------------------------------------

void ScriptPage::setChipSource(std::function<QList<rules::ScriptChip>(const QUuid&)> source)
{
    m_chipSource = std::move(source);
    placeChips();
}

void ScriptPage::placeChips()
{
    QList<rules::ScriptChip> chips;
    if (m_chipSource && m_rows.indexOf(m_focusedID) >= 0)
        chips = m_chipSource(m_focusedID);
    const QUuid host = chips.isEmpty() ? QUuid() : m_focusedID;
    int height = 0;
    if (!host.isNull()) {
        QList<ScriptChips::Entry> entries;
        for (const rules::ScriptChip& chip : std::as_const(chips))
            entries.append({chip.label, [this, host, chip] { Q_EMIT chipPicked(host, chip); }});
        m_chips->setEntries(host, entries);
        for (ScriptCapsule* capsule : m_chips->buttons())
            capsule->installEventFilter(this);
        height = m_chips->heightForWidth(std::max(1, m_rows.width()));
    }
    m_chips->setVisible(!host.isNull());
    // The chips take their room under the row they hang from.
    if (m_rows.setSpaceBelow(host, height))
        relayout();
}

QWidget* ScriptPage::chips() const
{
    return m_rows.spaceBelowID().isNull() ? nullptr : m_chips;
}

QList<rules::ScriptChip> ScriptPage::chipsFor(const QUuid& id) const
{
    return m_chipSource && m_rows.indexOf(id) >= 0 ? m_chipSource(id) : QList<rules::ScriptChip>();
}

QWidget* ScriptPage::chipLine() const
{
    return m_chips;
}

QStringList ScriptPage::chipLabels() const
{
    return m_rows.spaceBelowID().isNull() ? QStringList() : m_chips->labels();
}

// ---- Hover and the controls ---------------------------------------------

void ScriptPage::setHoveredID(const QUuid& id)
{
    if (id == m_hoveredID)
        return;
    m_hoveredID = id;
    placeChildren();
}

void ScriptPage::hoverAt(const QPoint& pagePos)
{
    QUuid id;
    if (pagePos.x() >= paddingH && pagePos.x() < width() - paddingH) {
        const int at = m_rows.rowAtY(pagePos.y());
        if (at >= 0 && pagePos.y() >= m_rows.top(at) && pagePos.y() < m_rows.top(at) + m_rows.height(at))
            id = m_rows.row(at).id();
    }
    setHoveredID(id);
}

void ScriptPage::setAssistBusy(bool busy)
{
    m_empty->setAssistBusy(busy);
}

// ---- Events ---------------------------------------------------------------

void ScriptPage::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRect area = event->rect();
    // Away from its rounded ends the page is plain paper to the edge.
    // At a fractional scale the area's edges inside the page cut through
    // device pixels, and paper filled only to them would leave those pixels
    // half covered, over whatever was drawn there before: the paper covers
    // them whole.
    if (area.top() >= int(cornerRadius) && area.bottom() < height() - int(cornerRadius))
        p.fillRect(wholeDevicePixels(area).intersected(rect()), Palette::paper());
    else
        shapes::fillRounded(p, rect(), cornerRadius, Palette::paper());
    if (m_rows.empty())
        return;
    const int first = m_rows.rowAtY(area.top());
    const int last = m_rows.rowAtY(area.bottom());
    // The rows draw only the lines inside it (to the last device pixel it
    // touches, as far as the paper goes).
    p.setClipRect(wholeDevicePixels(area));
    bool moved = false;
    for (int i = first; i <= last; ++i) {
        if (m_rows.row(i).id() == m_editorID && m_editor->isVisible())
            continue;
        if (m_rows.paint(i, p, m_rows.textRect(i).translated(paddingH, 0).topLeft()))
            moved = true;
    }
    // A row shown before the band reached it may have measured otherwise.
    if (moved) {
        QTimer::singleShot(0, this, [this] {
            relayout();
            update();
        });
    }
}

void ScriptPage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (available() != m_rows.width())
        relayout();
}

void ScriptPage::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const int at = m_rows.rowAtY(pos.y());
    if (event->button() == Qt::LeftButton && at >= 0) {
        const QUuid id = m_rows.row(at).id();
        const QRect text = textRect(id);
        if (text.left() <= pos.x() && pos.x() <= text.right() && text.top() <= pos.y()
            && pos.y() < text.top() + std::max(text.height(), ScriptElementRow::controlsHeight(m_rows.row(at).kind()))) {
            // Heard once the click placed the caret.
            QTextEdit* edit = m_editor->textEdit();
            const bool moving = id != m_editorID || !m_editor->isVisible();
            if (moving)
                AccessibleFocus::hold(edit);
            attachEditor(at);
            m_focusedID = id;
            edit->setFocus(Qt::MouseFocusReason);
            placeChips();
            m_forwarding = true;
            forwardMouse(event);
            if (moving)
                AccessibleFocus::release(edit);
            return;
        }
    }
    QWidget::mousePressEvent(event);
}

void ScriptPage::mouseMoveEvent(QMouseEvent* event)
{
    if (m_forwarding)
        forwardMouse(event);
    hoverAt(event->position().toPoint());
    QWidget::mouseMoveEvent(event);
}

void ScriptPage::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_forwarding) {
        forwardMouse(event);
        m_forwarding = false;
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void ScriptPage::forwardMouse(QMouseEvent* event)
{
    QWidget* viewport = m_editor->textEdit()->viewport();
    const QPointF local = viewport->mapFrom(this, event->position());
    QMouseEvent forwarded(event->type(), local, event->globalPosition(), event->button(), event->buttons(),
                          event->modifiers());
    QApplication::sendEvent(viewport, &forwarded);
}

void ScriptPage::leaveEvent(QEvent* event)
{
    // While a menu is open it has the pointer to itself; the row it was
    // opened from keeps its controls.
    // (Moving onto a child of the page is no leave.)
    if (!QApplication::activePopupWidget())
        setHoveredID(QUuid());
    QWidget::leaveEvent(event);
}

bool ScriptPage::eventFilter(QObject* watched, QEvent* event)
{
    QTextEdit* edit = m_editor->textEdit();
    switch (event->type()) {
    case QEvent::MouseMove:
        if (watched->isWidgetType())
            hoverAt(mapFromGlobal(static_cast<QMouseEvent*>(event)->globalPosition().toPoint()));
        break;
    case QEvent::Enter:
        if (watched->isWidgetType())
            hoverAt(mapFromGlobal(static_cast<QEnterEvent*>(event)->globalPosition().toPoint()));
        break;
    case QEvent::Resize:
        // The editor grew or shrank with its text: so does its row. Not
        // while it is being shown: Qt drops a resize made from inside a
        // widget's first one, and the editor would keep a stale width
        // inside; attachEditor() places it once it shows.
        if (watched == m_editor && m_editor->isVisible() && m_rows.indexOf(m_editorID) >= 0
            && m_rows.row(m_rows.indexOf(m_editorID)).textHeight() != m_editor->height())
            relayout();
        break;
    case QEvent::FocusIn:
        if (watched == edit && !m_editorID.isNull()) {
            m_focusedID = m_editorID;
            placeChips();
        }
        break;
    case QEvent::FocusOut:
        if (watched == edit) {
            // A menu opening or the window going to the background leaves the
            // focus where it was.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason && m_focusedID == m_editorID) {
                m_focusedID = QUuid();
                placeChips();
            }
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

QAccessibleInterface* ScriptPage::accessibleFor(QObject* object)
{
    return ScriptPageAccessible::make(this, object);
}

} // namespace studio
