#pragma once

// The well behind text inputs: a continuous rounded rectangle (radius 10
// unless told otherwise) filled black at 25 % with a 1-point hairline inside
// its edge. Holds one
// editor in a layout with the padding the input asks for, and draws the focus
// ring inside its edge while the editor has the keyboard focus.

#include <QMargins>
#include <QWidget>

namespace studio {

class FieldFrame : public QWidget {
    Q_OBJECT
public:
    FieldFrame(QWidget* editor, const QMargins& padding, QWidget* parent = nullptr, qreal radius = 10);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* m_editor;
    qreal m_radius;
};

// Makes a native editor transparent and frameless so it sits on a frame or
// card, with the given font and the palette's text colours. A line edit is
// also let hold a text of any length, so it never shortens what it shows.
void makePlainEditor(QWidget* editor, const QFont& font);

} // namespace studio
