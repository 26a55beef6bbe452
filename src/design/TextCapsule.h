#pragma once

// A short text on a faint capsule, sized to the text: the act titles of a
// structure preview, the keywords of a style.

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
};

} // namespace studio
