#pragma once

// One element of the screenplay page, laid out the way a printed screenplay
// sets it by its kind: an indent, a text that grows downwards as it wraps
// (never wider than the kind allows), and at the right a 52-point frame with
// the kind menu and the remove mark, shown only while the pointer is over the
// row but always taking their place, so text never shifts on hover.
//
// The row never changes the script itself. It reports, with its element's
// id, what the user typed, Return (which never splits the text or adds a line
// break), a kind picked from its menu, the remove mark, the pointer entering
// and leaving, and its text taking and losing the keyboard focus; the page
// decides. Below the line the page may hang a widget of its own (the
// suggestion chips), which starts at the row's leading edge.

#include "model/Script.h"

#include <QFont>
#include <QPointer>
#include <QString>
#include <QUuid>
#include <QWidget>
#include <optional>

class QHBoxLayout;
class QSpacerItem;
class QVBoxLayout;

namespace studio {

class MenuButton;
class PlainTextEditor;
class PointerHover;
class SymbolButton;

class ScriptElementRow : public QWidget {
    Q_OBJECT
public:
    // How each kind is set on the page; lengths in points.
    struct KindStyle {
        qreal indent = 0;
        std::optional<qreal> maxWidth; // none: as wide as the page leaves
        qreal spaceAbove = 0;
        qreal fontSize = 12.5;
        QFont::Weight weight = QFont::Normal;
        bool trailing = false; // text set against the right-hand controls
        QString placeholder;
        QString symbol;
        QString label;
    };
    static const KindStyle& style(ScriptElementKind kind);
    static QFont font(ScriptElementKind kind);
    // The width of the controls' frame, kept whether they show or not.
    static constexpr int controlsWidth = 52;

    explicit ScriptElementRow(const QUuid& id, QWidget* parent = nullptr);

    QUuid id() const { return m_id; }
    ScriptElementKind kind() const { return m_kind; }
    QString text() const;

    // Shows the element (re-laid out at once when its kind changed). The text
    // is set only when it differs, so the caret of a focused row stays put.
    void setElement(const ScriptElement& element);
    void setHovered(bool hovered);
    bool isHovered() const { return m_hovered; }

    void focusText();
    bool hasTextFocus() const;
    // After a chip rewrote the whole text, typing goes on after it.
    void moveCaretToEnd();

    // The widget hung under the line (null: none). The row doesn't own it:
    // taking it away hands it back to `newParent`, hidden.
    void setAccessory(QWidget* accessory, QWidget* newParent);
    QWidget* accessory() const { return m_accessory; }

    PlainTextEditor* editor() const { return m_editor; }
    // The kind menu and the remove mark (made on first use).
    MenuButton* kindMenu();
    SymbolButton* removeButton();
    bool controlsShown() const;
    QWidget* controls() const { return m_controls; }
    QWidget* line() const { return m_line; }

Q_SIGNALS:
    void textEdited(const QUuid& id, const QString& text);
    void submitted(const QUuid& id);
    void removeRequested(const QUuid& id);
    void kindPicked(const QUuid& id, ScriptElementKind kind);
    void hoverChanged(const QUuid& id, bool hovered);
    void textFocusChanged(const QUuid& id, bool focused);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyKind(ScriptElementKind kind);
    void makeControls();
    void fillKindMenu();

    QUuid m_id;
    std::optional<ScriptElement> m_shown; // the element as last shown
    ScriptElementKind m_kind = ScriptElementKind::action;
    bool m_hovered = false;
    QVBoxLayout* m_stack;
    QWidget* m_line;
    QHBoxLayout* m_lineLayout;
    QSpacerItem* m_indent;
    PlainTextEditor* m_editor;
    QSpacerItem* m_flex;
    QWidget* m_controls;
    MenuButton* m_kindMenu = nullptr;
    SymbolButton* m_remove = nullptr;
    PointerHover* m_hover;
    QPointer<QWidget> m_accessory;
};

} // namespace studio
