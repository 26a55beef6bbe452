#pragma once

// A short text on a faint capsule, sized to the text: the act titles of a
// structure preview, the keywords of a style. Only the start of a very long
// text is laid out (text::displayPrefix); a reader reads it as static text,
// named short, the whole text in its text interface
// (design/access/StaticTextAccessible.h).

#include <QString>
#include <QWidget>

namespace studio {

class TextCapsule : public QWidget {
public:
    explicit TextCapsule(const QString& text, QWidget* parent = nullptr);

    QString text() const { return m_text; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
    QString m_shown; // what is laid out
};

} // namespace studio
