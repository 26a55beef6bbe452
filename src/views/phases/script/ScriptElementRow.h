#pragma once

// How each kind of screenplay element is set on the page, and one element as
// the page paints it while it is not being edited.
//
// A printed screenplay sets each kind by an indent, a greatest width, a space
// above and a type face. At the right of every row a 52-point frame is kept
// for the kind menu and the remove mark, shown only under the pointer but
// always taking its place, so text never shifts on hover.
//
// A row holds its text laid out only while it is in view or near it; the rest
// of the script is measured from its length, and each row's height becomes
// exact the first time it is laid out at the page's width. The layout is the
// one the page's editor gives the same text, so nothing moves when the editor
// takes a row over.

#include "model/Script.h"

#include <QFont>
#include <QPointF>
#include <QString>
#include <QUuid>
#include <memory>
#include <optional>

class QPainter;
class QTextDocument;

namespace studio {

class ScriptElementRow {
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
    // Where a kind's text sits in a row `available` points wide: its indent
    // and its width (the kind's greatest, or what the row leaves before the
    // controls).
    static int textIndent(ScriptElementKind kind);
    static int textWidth(ScriptElementKind kind, int available);
    static int spaceAbove(ScriptElementKind kind);
    // The height of one line of the kind's text: an empty element's height,
    // and the height of its controls.
    static int lineHeight(ScriptElementKind kind);
    // The height of the controls, centred on the first line of text; a row's
    // line is never lower than they are.
    static int controlsHeight(ScriptElementKind kind);

    explicit ScriptElementRow(const ScriptElement& element);
    ScriptElementRow(ScriptElementRow&&) noexcept;
    ScriptElementRow& operator=(ScriptElementRow&&) noexcept;
    ~ScriptElementRow();

    QUuid id() const { return m_id; }
    ScriptElementKind kind() const { return m_kind; }
    const QString& text() const { return m_text; }
    // Takes the element's kind and text; whether either changed (a change
    // drops the layout, the height is then estimated again).
    bool setElement(const ScriptElement& element);

    // The text's height at the width last given: exact once laid out there,
    // else estimated from its length.
    int textHeight() const { return m_textHeight; }
    bool isExact() const { return m_exact; }
    bool isLaidOut() const { return bool(m_document); }
    // The layout while it holds one (null otherwise), in the text's own
    // coordinates.
    const QTextDocument* layout() const { return m_document.get(); }
    // Estimates the height at this width (kept when it is exact there).
    void measure(int available);
    // Lays the text out at this width (kept while width and text stay);
    // whether its height changed.
    bool layOut(int available);
    // Takes a height measured elsewhere (by the editor), as exact.
    void setExactHeight(int available, int height);
    // Drops the layout and keeps its height.
    void release();

    // The text, or the kind's placeholder when there is none, at `topLeft`
    // (laid out first when it is not yet): of the text, only the lines inside
    // the painter's clip, when it has one.
    void paint(QPainter& painter, const QPointF& topLeft, int available);

private:
    QUuid m_id;
    ScriptElementKind m_kind;
    QString m_text;
    int m_available = -1;
    int m_textHeight = 0;
    bool m_exact = false;
    std::unique_ptr<QTextDocument> m_document;
};

} // namespace studio
