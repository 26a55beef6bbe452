#include "views/phases/script/ScriptPage.h"

#include "design/GhostButton.h"
#include "design/MenuButton.h"
#include "design/Palette.h"
#include "design/PlainTextEditor.h"
#include "design/PrimaryButton.h"
#include "design/Shapes.h"
#include "design/SymbolButton.h"
#include "design/TextLabel.h"
#include "design/Theme.h"
#include "design/Tokens.h"
#include "views/phases/script/ScriptCapsule.h"
#include "views/phases/script/ScriptChips.h"
#include "views/phases/script/ScriptElementRow.h"

#include <QApplication>
#include <QCursor>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

constexpr qreal cornerRadius = 6;
constexpr int paddingH = 56;
constexpr int paddingV = 46;
constexpr int controlsSpacing = 4;
// Rows laid out beyond what is in view, above and below, at the least.
constexpr int leastMargin = 400;

} // namespace

ScriptPage::ScriptPage(QWidget* parent)
    : QWidget(parent)
    , m_visible(0, 0, 1, 1200)
    , m_empty(new QWidget(this))
    , m_addHeading(new PrimaryButton(u"Add Scene Heading"_s, false, m_empty))
    , m_aiDraft(new GhostButton(u"wand.and.stars"_s, u"Draft with AI"_s, Palette::gold(), m_empty))
    , m_editor(new PlainTextEditor(QString(), ScriptElementRow::font(ScriptElementKind::action), this))
    , m_editorKind(ScriptElementKind::action)
    , m_controls(new QWidget(this))
    , m_kindMenu(new MenuButton(QString(), m_controls))
    , m_remove(new SymbolButton(u"xmark"_s, 8, Palette::paperInkSoft(), QFont::Bold, m_controls))
    , m_chips(new ScriptChips(this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    // Growing or shrinking in height paints only what the page moved itself
    // (and what it newly covers), not all of it.
    setAttribute(Qt::WA_StaticContents);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setMouseTracking(true);

    // The empty state: the opening words of a screenplay and two ways to start.
    m_empty->setAttribute(Qt::WA_TranslucentBackground);
    auto* empty = new QVBoxLayout(m_empty);
    empty->setContentsMargins(0, 110, 0, 110);
    empty->setSpacing(10);
    auto* fadeIn = new TextLabel(u"FADE IN:"_s, Theme::font(type::control, QFont::DemiBold), Palette::paperInkSoft(), m_empty);
    auto* hint = new TextLabel(u"Start with a scene heading, or draft from your story beats."_s, Theme::font(type::body),
                               Palette::paperInkSoft(), m_empty);
    empty->addWidget(fadeIn, 0, Qt::AlignHCenter);
    empty->addWidget(hint, 0, Qt::AlignHCenter);
    empty->addSpacing(6);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    buttons->addStretch(1);
    buttons->addWidget(m_addHeading, 0, Qt::AlignVCenter);
    buttons->addWidget(m_aiDraft, 0, Qt::AlignVCenter);
    buttons->addStretch(1);
    empty->addLayout(buttons);
    connect(m_addHeading, &QAbstractButton::clicked, this, &ScriptPage::addSceneHeadingRequested);
    connect(m_aiDraft, &QAbstractButton::clicked, this, &ScriptPage::aiDraftRequested);

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

    // The controls of the hovered row; their entries name the row's element
    // as it is when they are used.
    m_controls->setAttribute(Qt::WA_TranslucentBackground);
    m_kindMenu->setShape(MenuButton::Shape::plain);
    m_kindMenu->setPadding(2, 0);
    m_kindMenu->setSpacing(0);
    m_kindMenu->setFocusPolicy(Qt::NoFocus);
    m_remove->setFocusPolicy(Qt::NoFocus);
    auto* controlsLayout = new QHBoxLayout(m_controls);
    controlsLayout->setContentsMargins(0, 0, 0, 0);
    controlsLayout->setSpacing(controlsSpacing);
    controlsLayout->addStretch(1);
    controlsLayout->addWidget(m_kindMenu, 0, Qt::AlignVCenter);
    controlsLayout->addWidget(m_remove, 0, Qt::AlignVCenter);
    m_controls->hide();
    m_controls->installEventFilter(this);
    m_kindMenu->installEventFilter(this);
    m_remove->installEventFilter(this);
    connect(m_remove, &QAbstractButton::clicked, this, [this] {
        if (!m_hoveredID.isNull())
            Q_EMIT removeRequested(m_hoveredID);
    });
    connect(m_kindMenu, &MenuButton::aboutToOpen, this, &ScriptPage::fillKindMenu);

    m_chips->hide();
    m_chips->installEventFilter(this);
    relayout();
}

ScriptPage::~ScriptPage() = default;

// ---- The rows ------------------------------------------------------------

int ScriptPage::available() const
{
    return std::max(0, width() - 2 * paddingH);
}

int ScriptPage::indexOf(const QUuid& id) const
{
    return id.isNull() ? -1 : m_index.value(id, -1);
}

void ScriptPage::reindex()
{
    m_index.clear();
    m_index.reserve(qsizetype(m_rows.size()));
    for (int i = int(m_rows.size()) - 1; i >= 0; --i)
        m_index.insert(m_rows[std::size_t(i)].id(), i); // the first of twins wins
    m_twins = m_index.size() != qsizetype(m_rows.size());
}

int ScriptPage::rowAtY(int y) const
{
    if (m_tops.empty())
        return -1;
    const auto after = std::upper_bound(m_tops.cbegin(), m_tops.cend(), y);
    return std::max(0, int(after - m_tops.cbegin()) - 1);
}

int ScriptPage::rowHeight(int index) const
{
    const ScriptElementRow& row = m_rows[std::size_t(index)];
    const int line = std::max(row.textHeight(), ScriptElementRow::controlsHeight(row.kind()));
    return ScriptElementRow::spaceAbove(row.kind()) + line + (row.id() == m_chipsID ? m_chipsHeight : 0);
}

void ScriptPage::showElements(const QList<ScriptElement>& elements)
{
    showElements(elements, rules::scriptChange(m_shown, elements));
}

void ScriptPage::showElements(const QList<ScriptElement>& elements, const rules::ScriptChange& change)
{
    const int oldCount = int(m_rows.size());
    const int newCount = int(elements.size());
    // Most changes touch one place: what agrees at both ends is kept as it
    // is and not looked at again.
    const int head = int(change.head);
    const int tail = int(change.tail);
    m_shown = elements;
    const int oldEnd = oldCount - tail;
    const int newEnd = newCount - tail;
    bool structural = oldEnd != newEnd;
    for (int i = head; !structural && i < newEnd; ++i)
        structural = m_rows[std::size_t(i)].id() != elements[i].id;
    if (structural)
        replaceRows(head, oldEnd, elements, newEnd);

    bool othersChanged = structural;
    bool editorKindChanged = false;
    for (int i = head; i < newEnd; ++i) {
        ScriptElementRow& row = m_rows[std::size_t(i)];
        const ScriptElementKind kind = row.kind();
        if (!row.setElement(elements[i]))
            continue;
        if (row.id() == m_editorID && i == indexOf(m_editorID)) {
            if (row.kind() != kind) {
                applyEditorKind(row.kind());
                editorKindChanged = true;
            }
            // Silent, and only when it differs: the caret and the undo of
            // the text being written stay.
            m_editor->setText(row.text());
            row.setExactHeight(m_width, m_editor->height());
            rowResized(i);
        } else {
            othersChanged = true;
            rowResized(i);
        }
    }

    if (!m_editorID.isNull() && indexOf(m_editorID) < 0)
        detachEditor();
    if (!m_hoveredID.isNull() && indexOf(m_hoveredID) < 0)
        setHoveredID(QUuid());
    // The editor's own text needs no layout here: its height follows it.
    if (othersChanged || editorKindChanged)
        relayout();
    placeChips();
}

void ScriptPage::replaceRows(int from, int oldEnd, const QList<ScriptElement>& elements, int newEnd)
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

void ScriptPage::rowResized(int index)
{
    m_staleFrom = std::min(m_staleFrom, index + 1);
    m_dirtyFrom = std::min(m_dirtyFrom, m_tops[std::size_t(index)]);
}

int ScriptPage::computeTops()
{
    const int count = int(m_rows.size());
    const int from = std::min(m_staleFrom, count);
    // Rows above the first that may have moved keep their place.
    int y = from == 0 ? paddingV : m_tops[std::size_t(from - 1)] + rowHeight(from - 1);
    bool moved = false;
    for (int i = from; i < count; ++i) {
        int& top = m_tops[std::size_t(i)];
        if (!moved && top != y) {
            moved = true;
            m_dirtyFrom = std::min({m_dirtyFrom, top, y});
        }
        top = y;
        y += rowHeight(i);
    }
    m_staleFrom = count;
    return y + paddingV;
}

void ScriptPage::repaintDirty()
{
    if (m_dirtyFrom >= height())
        return;
    update(QRect(0, m_dirtyFrom, width(), height() - m_dirtyFrom));
    m_dirtyFrom = std::numeric_limits<int>::max();
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
        const int width = available();
        if (width != m_width) {
            m_width = width;
            for (ScriptElementRow& row : m_rows)
                row.measure(width);
            m_laidOut.clear();
            m_staleFrom = 0;
            m_dirtyFrom = 0;
        }
        if (const int at = indexOf(m_editorID); at >= 0) {
            ScriptElementRow& row = m_rows[std::size_t(at)];
            if (!row.isExact() || row.textHeight() != m_editor->height()) {
                row.setExactHeight(m_width, m_editor->height());
                rowResized(at);
            }
        }
        m_empty->setVisible(m_rows.empty());
        int total = 0;
        if (m_rows.empty()) {
            const int emptyHeight = m_empty->sizeHint().height();
            m_empty->setGeometry(paddingH, paddingV, m_width, emptyHeight);
            total = 2 * paddingV + emptyHeight;
        } else {
            total = computeTops();
        }
        if (total != height())
            m_dirtyFrom = std::min(m_dirtyFrom, std::min(total, height()) - paddingV);
        setPageHeight(total);
        layOutVisible();
        placeChildren();
    } while (m_layAgain);
    m_laying = false;
    repaintDirty();
}

void ScriptPage::layOutVisible()
{
    if (m_rows.empty() || m_width < 0)
        return;
    const int margin = std::max(leastMargin, m_visible.height());
    const int anchor = rowAtY(m_visible.top());
    const QUuid anchorID = m_rows[std::size_t(anchor)].id();
    const int anchorOffset = m_visible.top() - m_tops[std::size_t(anchor)];
    int first = 0;
    int last = 0;
    // Laying rows out can shrink them and bring more into the band: again
    // until it holds still.
    for (int pass = 0; pass < 4; ++pass) {
        first = rowAtY(m_visible.top() - margin);
        last = rowAtY(m_visible.bottom() + margin);
        bool moved = false;
        for (int i = first; i <= last; ++i) {
            ScriptElementRow& row = m_rows[std::size_t(i)];
            if (row.id() == m_editorID || row.isLaidOut())
                continue;
            if (row.layOut(m_width)) {
                moved = true;
                rowResized(i);
            }
            m_laidOut.append(row.id());
        }
        if (!moved)
            break;
        setPageHeight(computeTops());
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
    const int dy = m_tops[std::size_t(indexOf(anchorID))] + anchorOffset - m_visible.top();
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
    const int dirty = m_dirtyFrom;
    layOutVisible();
    m_dirtyFrom = dirty;
    if (height() != before)
        placeChildren();
    if (underMouse())
        hoverAt(mapFromGlobal(QCursor::pos()));
}

void ScriptPage::placeChildren()
{
    if (const int at = indexOf(m_editorID); at >= 0) {
        const ScriptElementRow& row = m_rows[std::size_t(at)];
        const QRect area(paddingH + ScriptElementRow::textIndent(row.kind()),
                         m_tops[std::size_t(at)] + ScriptElementRow::spaceAbove(row.kind()),
                         ScriptElementRow::textWidth(row.kind(), m_width), m_editor->height());
        if (m_editor->geometry() != area)
            m_editor->setGeometry(area);
    }
    if (const int at = indexOf(m_chipsID); at >= 0) {
        const ScriptElementRow& row = m_rows[std::size_t(at)];
        const int line = std::max(row.textHeight(), ScriptElementRow::controlsHeight(row.kind()));
        m_chips->setGeometry(paddingH, m_tops[std::size_t(at)] + ScriptElementRow::spaceAbove(row.kind()) + line,
                             m_width, m_chipsHeight);
    }
    if (const int at = indexOf(m_hoveredID); at >= 0) {
        const ScriptElementRow& row = m_rows[std::size_t(at)];
        const ScriptElementRow::KindStyle& s = ScriptElementRow::style(row.kind());
        m_controls->setGeometry(width() - paddingH - ScriptElementRow::controlsWidth,
                                m_tops[std::size_t(at)] + int(s.spaceAbove), ScriptElementRow::controlsWidth,
                                ScriptElementRow::controlsHeight(row.kind()));
        m_kindMenu->setSymbol(s.symbol, 9, Palette::paperInkSoft());
        m_kindMenu->setAccessibleName(s.label);
        m_controls->show();
    } else {
        m_controls->hide();
    }
}

// ---- The editor -----------------------------------------------------------

void ScriptPage::applyEditorKind(ScriptElementKind kind)
{
    m_editorKind = kind;
    const ScriptElementRow::KindStyle& s = ScriptElementRow::style(kind);
    m_editor->setTextFont(ScriptElementRow::font(kind));
    m_editor->setPlaceholder(s.placeholder);
    m_editor->setTextAlignment(s.trailing ? Qt::AlignRight : Qt::AlignLeft);
}

void ScriptPage::attachEditor(int index)
{
    const ScriptElementRow& row = m_rows[std::size_t(index)];
    if (row.id() == m_editorID && m_editor->isVisible())
        return;
    // The row left behind keeps the height the editor gave it and is painted
    // again.
    if (const int old = indexOf(m_editorID); old >= 0) {
        m_rows[std::size_t(old)].setExactHeight(m_width, m_editor->height());
        update(rowRect(m_editorID));
    }
    m_editorID = row.id();
    if (row.kind() != m_editorKind)
        applyEditorKind(row.kind());
    m_editor->setText(row.text());
    QTextEdit* edit = m_editor->textEdit();
    edit->document()->clearUndoRedoStacks(); // another element's history
    QTextCursor start = edit->textCursor();
    start.movePosition(QTextCursor::Start);
    edit->setTextCursor(start);
    m_editor->show();
    update(rowRect(m_editorID));
    relayout();
}

void ScriptPage::detachEditor()
{
    // Qt would hand the focus of a hidden editor to the next widget in the
    // chain, which may then look focused; the page holds it instead.
    if (m_editor->textEdit()->hasFocus() || m_editor->isAncestorOf(QApplication::focusWidget()))
        setFocus(Qt::OtherFocusReason);
    m_editor->hide();
    if (const int at = indexOf(m_editorID); at >= 0)
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

void ScriptPage::focusElement(const QUuid& id)
{
    const int at = indexOf(id);
    if (at < 0)
        return;
    attachEditor(at);
    m_focusedID = id;
    m_editor->textEdit()->setFocus(Qt::OtherFocusReason);
    placeChips();
    Q_EMIT revealRequested(rowRect(id));
}

void ScriptPage::moveCaretToEnd()
{
    m_editor->textEdit()->moveCursor(QTextCursor::End);
}

QRect ScriptPage::rowRect(const QUuid& id) const
{
    const int at = indexOf(id);
    if (at < 0)
        return {};
    return QRect(paddingH, m_tops[std::size_t(at)], m_width, rowHeight(at));
}

QRect ScriptPage::textRect(const QUuid& id) const
{
    const int at = indexOf(id);
    if (at < 0)
        return {};
    const ScriptElementRow& row = m_rows[std::size_t(at)];
    return QRect(paddingH + ScriptElementRow::textIndent(row.kind()),
                 m_tops[std::size_t(at)] + ScriptElementRow::spaceAbove(row.kind()),
                 ScriptElementRow::textWidth(row.kind(), m_width), row.textHeight());
}

bool ScriptPage::isLaidOut(const QUuid& id) const
{
    const int at = indexOf(id);
    return at >= 0 && (m_rows[std::size_t(at)].isLaidOut() || (id == m_editorID && m_editor->isVisible()));
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
    if (m_chipSource && indexOf(m_focusedID) >= 0)
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
        height = m_chips->heightForWidth(std::max(1, m_width));
    }
    m_chips->setVisible(!host.isNull());
    if (host == m_chipsID && height == m_chipsHeight)
        return;
    if (const int at = indexOf(m_chipsID); at >= 0)
        rowResized(at);
    m_chipsID = host;
    m_chipsHeight = height;
    if (const int at = indexOf(m_chipsID); at >= 0)
        rowResized(at);
    relayout();
}

QWidget* ScriptPage::chips() const
{
    return m_chipsID.isNull() ? nullptr : m_chips;
}

QStringList ScriptPage::chipLabels() const
{
    return m_chipsID.isNull() ? QStringList() : m_chips->labels();
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
        const int at = rowAtY(pagePos.y());
        if (at >= 0 && pagePos.y() >= m_tops[std::size_t(at)] && pagePos.y() < m_tops[std::size_t(at)] + rowHeight(at))
            id = m_rows[std::size_t(at)].id();
    }
    setHoveredID(id);
}

void ScriptPage::fillKindMenu()
{
    // Rebuilt at each opening: the entries name the hovered element by id.
    const QUuid id = m_hoveredID;
    QMenu* menu = m_kindMenu->menu();
    menu->clear();
    for (ScriptElementKind k : allCases<ScriptElementKind>()) {
        QAction* action = menu->addAction(Theme::escapeMnemonic(ScriptElementRow::style(k).label));
        connect(action, &QAction::triggered, this, [this, id, k] { Q_EMIT kindPicked(id, k); });
    }
}

void ScriptPage::setAssistBusy(bool busy)
{
    m_aiDraft->setText(busy ? u"Writing\u2026"_s : u"Draft with AI"_s);
    m_aiDraft->setEnabled(!busy);
}

// ---- Events ---------------------------------------------------------------

void ScriptPage::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRect area = event->rect();
    // Away from its rounded ends the page is plain paper to the edge.
    if (area.top() >= int(cornerRadius) && area.bottom() < height() - int(cornerRadius))
        p.fillRect(area, Palette::paper());
    else
        shapes::fillRounded(p, rect(), cornerRadius, Palette::paper());
    if (m_rows.empty())
        return;
    const int first = rowAtY(area.top());
    const int last = rowAtY(area.bottom());
    bool moved = false;
    for (int i = first; i <= last; ++i) {
        ScriptElementRow& row = m_rows[std::size_t(i)];
        if (row.id() == m_editorID && m_editor->isVisible())
            continue;
        const bool laidOut = row.isLaidOut();
        const int before = row.textHeight();
        row.paint(p,
                  QPointF(paddingH + ScriptElementRow::textIndent(row.kind()),
                          m_tops[std::size_t(i)] + ScriptElementRow::spaceAbove(row.kind())),
                  m_width);
        if (!laidOut) {
            m_laidOut.append(row.id());
            if (row.textHeight() != before) {
                moved = true;
                m_staleFrom = std::min(m_staleFrom, i + 1);
            }
        }
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
    if (available() != m_width)
        relayout();
}

void ScriptPage::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const int at = rowAtY(pos.y());
    if (event->button() == Qt::LeftButton && at >= 0) {
        const QUuid id = m_rows[std::size_t(at)].id();
        const QRect text = textRect(id);
        if (text.left() <= pos.x() && pos.x() <= text.right() && text.top() <= pos.y()
            && pos.y() < text.top() + std::max(text.height(), ScriptElementRow::controlsHeight(m_rows[std::size_t(at)].kind()))) {
            attachEditor(at);
            m_focusedID = id;
            m_editor->textEdit()->setFocus(Qt::MouseFocusReason);
            placeChips();
            m_forwarding = true;
            forwardMouse(event);
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
        // The editor grew or shrank with its text: so does its row.
        if (watched == m_editor && indexOf(m_editorID) >= 0
            && m_rows[std::size_t(indexOf(m_editorID))].textHeight() != m_editor->height())
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
    case QEvent::KeyPress:
        if (watched == edit) {
            // Tab goes on to the next element, Shift+Tab back; past either
            // end the focus leaves the page as usual.
            const auto* key = static_cast<QKeyEvent*>(event);
            const int at = indexOf(m_editorID);
            const int step = key->key() == Qt::Key_Backtab ? -1 : key->key() == Qt::Key_Tab ? 1 : 0;
            if (step != 0 && at >= 0 && at + step >= 0 && at + step < int(m_rows.size())
                && !(key->modifiers() & Qt::ControlModifier)) {
                focusElement(m_rows[std::size_t(at + step)].id());
                return true;
            }
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace studio
