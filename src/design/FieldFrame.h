#pragma once

// The well behind text inputs: a continuous rounded rectangle of radius 10
// filled black at 25 % with a 1-point hairline inside its edge. Holds one
// editor in a layout with the padding the input asks for.

#include <QMargins>
#include <QWidget>

namespace studio {

class FieldFrame : public QWidget {
    Q_OBJECT
public:
    FieldFrame(QWidget* editor, const QMargins& padding, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Makes a native editor transparent and frameless so it sits on a frame or
// card, with the given font and the palette's text colours. A line edit is
// also let hold a text of any length, so it never shortens what it shows.
void makePlainEditor(QWidget* editor, const QFont& font);

} // namespace studio
