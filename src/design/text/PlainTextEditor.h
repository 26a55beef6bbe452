#pragma once

// A multi-line plain-text editor on a transparent ground that grows with its
// text instead of scrolling (the page scrolls). The placeholder shows while
// the text is empty, at an inset of the caller's. With Return-to-submit on,
// Return and Enter (with any modifier) emit submitted() and never insert a
// line break; pasted text keeps its line breaks.
// textEdited() reports the user's edits only. setText() is for refreshes:
// silent, does nothing when the text is unchanged, and keeps the caret and
// selection of an editor that has the focus with the text around them. The
// text is laid out once per width it is shown at (GrowingTextEdit).

#include "design/text/GrowingTextEdit.h"

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QString>
#include <QWidget>

#include <optional>

namespace studio {


class PlainTextEditor : public QWidget {
    Q_OBJECT
public:
    PlainTextEditor(const QString& placeholder, const QFont& font, QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);

    QString placeholder() const { return m_placeholder; }
    void setPlaceholder(const QString& placeholder);
    // Where the placeholder's top-left corner sits, from the editor's.
    void setPlaceholderInset(const QPointF& inset);
    bool isPlaceholderShown() const;

    void setTextFont(const QFont& font);
    void setTextColor(const QColor& color);
    void setPlaceholderColor(const QColor& color);
    // The placeholder's font, when it is not the text's.
    void setPlaceholderFont(const QFont& font);
    // The space between the editor's edge and its text (0 by default).
    void setTextMargin(qreal margin);
    // The editor is never shorter than this, however short its text.
    void setMinimumTextHeight(qreal height);
    // Horizontal alignment of the text and the placeholder (leading by default).
    void setTextAlignment(Qt::Alignment alignment);

    void setSubmitsOnReturn(bool submit);

    GrowingTextEdit* textEdit() const { return m_edit; }

Q_SIGNALS:
    void textEdited(const QString& text);
    void submitted();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void adjustHeight();

    GrowingTextEdit* m_edit;
    QString m_placeholder;
    QPointF m_placeholderInset;
    QColor m_placeholderColor;
    std::optional<QFont> m_placeholderFont;
    qreal m_minHeight = 0;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    bool m_submitOnReturn = false;
};

} // namespace studio
