#pragma once

// The paper page of the Script screen: one row per element of the script it
// is given, kept by element id, or the empty state while there is none.
//
// Its cost follows what is on screen, not the script's length: rows are
// painted (ScriptElementRow), laid out only while in view or near it, and one
// live editor sits on the element being written. The editor moves to another
// element at once when the focus goes there, so keys typed right after Return
// land in the new element; a refresh never resets the element it holds, so
// its caret and undo survive every change made elsewhere. The kind menu and
// the remove mark sit on the row under the pointer; the suggestion chips
// hang under the focused row. What it paints, assistive technology reads
// through ScriptPageAccessible.
//
// The page changes nothing itself: it reports, by element id, what the user
// typed, Return (which never splits the text), a kind picked, the remove
// mark and a chip picked, and the screen decides. The focused and hovered
// element ids are view state: they start empty and are never saved. When
// the element being written goes, however it went, the keyboard goes on to
// the element now in its place (else the one before it), and with none left
// rests on the empty state, where Return and Space press nothing.
//
// From the keyboard the page is one stop in the window's Tab order: Tab
// enters it at the first element (Shift+Tab from after it at the last), and
// past either end of the elements the focus leaves it. Between them, the
// caret's way through the script and the element's menu: ScriptPageKeyboard.
// (The editor keeps its caret in view itself, as every growing editor does.)

#include "design/widgets/AccessibleSource.h"
#include "model/Project.h"
#include "state/rules/ScriptRules.h"
#include "views/phases/script/ScriptElementRow.h"
#include "views/phases/script/ScriptEmptyState.h"
#include "views/phases/script/ScriptRowControls.h"
#include "views/phases/script/ScriptRows.h"

#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <QWidget>
#include <functional>
#include <utility>

class QTextEdit;

namespace studio {

class GhostButton;
class MenuButton;
class PlainTextEditor;
class PrimaryButton;
class ScriptChips;
class ScriptPageKeyboard;
class SymbolButton;

class ScriptPage : public QWidget, public AccessibleSource {
    Q_OBJECT
public:
    explicit ScriptPage(QWidget* parent = nullptr);
    ~ScriptPage() override;

    // Shows these elements, in this order, told where they differ from the
    // elements shown last.
    void showElements(const QList<ScriptElement>& elements, const rules::ScriptChange& change);
    // The chips an element shows while it has the focus; asked again at
    // every showElements() and focus change.
    void setChipSource(std::function<QList<rules::ScriptChip>(const QUuid&)> source);
    // The part of the page in view, in the page's coordinates: rows there
    // (and a screen above and below) are laid out.
    void setVisibleArea(const QRect& area);
    QRect visibleArea() const { return m_visible; }

    QUuid focusedID() const { return m_focusedID; }
    QUuid hoveredID() const { return m_hoveredID; }
    // Gives the element's text the keyboard focus (and its chips) and asks
    // to bring it into view; nothing happens when no row has that id.
    // `placeCaret` places the caret in the editor standing there (else it
    // stays where the editor put it) before a reader hears of the move.
    void focusElement(const QUuid& id, const std::function<void(QTextEdit*)>& placeCaret = {});
    // After a chip rewrote the edited element's text, typing goes on after it.
    void moveCaretToEnd();

    // While an assist runs the AI draft button reads "Writing…" and is off.
    void setAssistBusy(bool busy);

    int rowCount() const { return m_rows.count(); }
    const ScriptRows& rows() const { return m_rows; }
    // The first and last rows near the view (laid out, or about to be).
    std::pair<int, int> rowsNearView() const;
    // A row's whole area and its text's, in the page's coordinates (empty
    // when no row has that id), and whether its text is laid out now.
    QRect rowRect(const QUuid& id) const;
    QRect textRect(const QUuid& id) const;
    bool isLaidOut(const QUuid& id) const;
    // The live editor and the element it holds (null when none).
    PlainTextEditor* editor() const { return m_editor; }
    QTextEdit* textEdit() const;
    QUuid editorID() const { return m_editorID; }
    bool hasTextFocus(const QUuid& id) const;
    // The kind menu and the remove mark, on the hovered row.
    QWidget* controls() const { return m_controls; }
    MenuButton* kindMenu() const { return m_controls->kindMenu(); }
    SymbolButton* removeButton() const { return m_controls->removeButton(); }
    // The chips under the focused row, or null when none show.
    QWidget* chips() const;
    // The line the chips stand in, shown or not.
    QWidget* chipLine() const;
    // The chips the element offers (none for an element not shown).
    QList<rules::ScriptChip> chipsFor(const QUuid& id) const;
    QStringList chipLabels() const;
    QWidget* emptyState() const { return m_empty; }
    PrimaryButton* addHeadingButton() const { return m_empty->addHeadingButton(); }
    GhostButton* aiDraftButton() const { return m_empty->aiDraftButton(); }

Q_SIGNALS:
    void textEdited(const QUuid& id, const QString& text);
    void submitted(const QUuid& id);
    void removeRequested(const QUuid& id);
    void kindPicked(const QUuid& id, ScriptElementKind kind);
    void chipPicked(const QUuid& id, const rules::ScriptChip& chip);
    void addSceneHeadingRequested();
    void aiDraftRequested();
    // An element took the focus from the program, or the caret moved by the
    // page's own keys: the screen scrolls this area (page coordinates) into
    // view.
    void revealRequested(const QRect& area);
    // The keyboard paged: the screen scrolls the page by `dy` at once.
    void scrollRequested(int dy);
    // Rows above what is in view grew or shrank by `dy` as they were laid
    // out: the screen scrolls by as much, so what is in view stays put.
    void shifted(int dy);

protected:
    bool focusNextPrevChild(bool next) override;
    void focusInEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    QAccessibleInterface* accessibleFor(QObject* object) override;

private:
    int available() const;
    void relayout();
    void repaintDirty();
    void setPageHeight(int height);
    void layOutVisible();
    void attachEditor(int index);
    void detachEditor();
    void applyEditorKind(ScriptElementKind kind);
    // The element being written changed under the editor.
    void rewriteEditorText(const QString& text);
    void placeChildren();
    // The area in points covering every device pixel `area` touches.
    QRect wholeDevicePixels(const QRect& area) const;
    void placeChips();
    void setHoveredID(const QUuid& id);
    void hoverAt(const QPoint& pagePos);
    void forwardMouse(QMouseEvent* event);

    // The rows, where they stand, and which hold a layout; the chips'
    // room is the space kept under their row.
    ScriptRows m_rows;
    QRect m_visible;
    bool m_laying = false;
    bool m_layAgain = false;

    ScriptEmptyState* m_empty;
    PlainTextEditor* m_editor;
    QUuid m_editorID;
    ScriptElementKind m_editorKind;
    ScriptRowControls* m_controls;
    ScriptChips* m_chips;
    std::function<QList<rules::ScriptChip>(const QUuid&)> m_chipSource;
    QUuid m_focusedID;
    QUuid m_hoveredID;
    bool m_forwarding = false;
    ScriptPageKeyboard* m_keyboard;
};

} // namespace studio
