#pragma once

// A captioned single-line text field: a FieldLabel over a frameless field
// (regular 13, primary text) on the input well, the placeholder shown while
// the field is empty. textEdited() reports each keystroke of the user;
// setText() from a refresh is silent, does nothing when the text is
// unchanged, and in a field that has the focus keeps the caret and the
// selection with the text around them. The line edit holds a long text only
// in part (see LineWindow): read the text from text().

#include <QString>
#include <QWidget>

class QLineEdit;

namespace studio {

class FieldLabel;
class LineWindow;

class SleekTextField : public QWidget {
    Q_OBJECT
public:
    SleekTextField(const QString& label, const QString& placeholder, QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);
    QLineEdit* lineEdit() const { return m_edit; }
    FieldLabel* label() const { return m_label; }

Q_SIGNALS:
    void textEdited(const QString& text);

private:
    FieldLabel* m_label;
    QLineEdit* m_edit;
    LineWindow* m_window;
};

} // namespace studio
