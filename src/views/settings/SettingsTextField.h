#pragma once

// The text field of the settings tabs: regular 11, primary text, padded 10
// by 7 on the input well (radius 9), which shows the focus ring.
// textEdited() reports the user's keystrokes only; setText() is silent.

#include <QString>
#include <QWidget>

class QLineEdit;

namespace studio {

class SettingsTextField : public QWidget {
    Q_OBJECT
public:
    explicit SettingsTextField(const QString& placeholder, QWidget* parent = nullptr);

    QString text() const;
    // Leaves the field (and its caret) alone when the text is the same.
    void setText(const QString& text);
    // Masks the characters (the API key).
    void setSecret(bool secret);
    QLineEdit* lineEdit() const { return m_edit; }

Q_SIGNALS:
    void textEdited(const QString& text);

private:
    QLineEdit* m_edit;
};

} // namespace studio
