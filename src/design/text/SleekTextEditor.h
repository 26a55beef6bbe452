#pragma once

// A captioned multi-line plain-text editor on the input well: minHeight
// points tall, growing with its text (or, while empty, its placeholder) when
// it needs more (the page scrolls, not the editor), the placeholder shown only
// while the text is empty (a single space hides it). textEdited() reports the
// user's changes only; setText() from a refresh is silent, does nothing when
// the text is unchanged, and keeps the caret with the text around it
// otherwise. The text is laid out once per width it is shown at
// (GrowingTextEdit).

#include "design/text/GrowingTextEdit.h"

#include <QString>
#include <QWidget>

namespace studio {

class FieldLabel;

class SleekTextEditor : public QWidget {
    Q_OBJECT
public:
    SleekTextEditor(const QString& label, const QString& placeholder, qreal minHeight, qreal fontSize,
                    QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);
    GrowingTextEdit* textEdit() const { return m_edit; }
    // Whether the placeholder is showing (the text is empty).
    bool isPlaceholderShown() const;

Q_SIGNALS:
    void textEdited(const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void adjustHeight();

    FieldLabel* m_label;
    GrowingTextEdit* m_edit;
    QWidget* m_frame;
    qreal m_minHeight;
};

} // namespace studio
