#pragma once

// The signature-look card of both detail panes: a gold-tinted card with the
// "SIGNATURE LOOK — CONSISTENCY ANCHOR" header, a plain multi-line editor
// (regular 12, at least 74 points, growing with its text) and a hint under
// it. This text is written into every shot prompt of the character or place,
// which is what keeps a long film looking like itself.

#include <QString>
#include <QWidget>

namespace studio {

class PlainTextEditor;

class LookAnchorCard : public QWidget {
    Q_OBJECT
public:
    explicit LookAnchorCard(const QString& hint, QWidget* parent = nullptr);

    // Silent; does nothing when the text is unchanged.
    void setText(const QString& text);
    PlainTextEditor* editor() const { return m_editor; }

Q_SIGNALS:
    // Each change the user makes.
    void textEdited(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PlainTextEditor* m_editor;
};

} // namespace studio
