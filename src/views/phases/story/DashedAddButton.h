#pragma once

// The Story screen's two "add" buttons drawn as dashed outlines: the act
// board's "Add Act" tile (a symbol over the text, 150 by 110) and the act
// column's "Add beat" bar (the symbol before the text, the column's width).
// Plain buttons: no bezel, the label dims while pressed; Space and Return
// press them as a click does.

#include <QAbstractButton>

namespace studio {

class DashedAddButton : public QAbstractButton {
    Q_OBJECT
public:
    enum class Shape { tile, bar };

    DashedAddButton(Shape shape, const QString& text, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont labelFont() const;

    Shape m_shape;
};

} // namespace studio
