#pragma once

// A frameless single-line text field on a transparent ground: the text in a
// font and colour of the caller's, the placeholder while it is empty.
// textEdited() reports the user's edits only. setText() is for refreshes:
// silent, does nothing when the text is unchanged, and in a field that has
// the focus keeps the caret and the selection with the text around them. The
// line edit holds a long text only in part (see LineWindow): read the text
// from text().

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

class QLineEdit;

namespace studio {

class LineWindow;

class PlainTextField : public QWidget {
    Q_OBJECT
public:
    PlainTextField(const QString& placeholder, const QFont& font, QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);
    void setPlaceholder(const QString& placeholder);
    void setTextColor(const QColor& color);
    QLineEdit* lineEdit() const { return m_edit; }

Q_SIGNALS:
    void textEdited(const QString& text);

private:
    QLineEdit* m_edit;
    LineWindow* m_window;
};

} // namespace studio
