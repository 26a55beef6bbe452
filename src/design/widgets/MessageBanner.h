#pragma once

// A full-width strip telling of a failure: a warning mark, the message (as
// given, on at most two lines) and a dismiss mark. Dismissing hides the strip
// and emits dismissed(); what the message was about is the caller's.

#include <QColor>
#include <QWidget>

namespace studio {

class SymbolButton;
class TextLabel;

class MessageBanner : public QWidget {
    Q_OBJECT
public:
    explicit MessageBanner(QWidget* parent = nullptr);

    QString message() const;
    void setMessage(const QString& message);
    // Sets the message and shows the strip, also when the text repeats the
    // one it shows.
    void showMessage(const QString& message);
    SymbolButton* closeButton() const { return m_close; }
    // A colour laid under the warning tint, for a strip over a translucent
    // backdrop (none by default).
    void setBase(const QColor& color);

Q_SIGNALS:
    void dismissed();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TextLabel* m_text;
    SymbolButton* m_close;
    QColor m_base;
};

} // namespace studio
