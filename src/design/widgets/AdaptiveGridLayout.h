#pragma once

// A grid of as many equal columns as fit at a minimum column width, each
// column at most a maximum width (the grid is centred when the columns do
// not fill the width). Children take the column width and their height for
// that width; each row is as tall as its tallest child, and shorter children
// are centred in it.

#include "design/widgets/ItemListLayout.h"

namespace studio {

class AdaptiveGridLayout : public ItemListLayout {
    Q_OBJECT
public:
    AdaptiveGridLayout(int minimumColumnWidth, int maximumColumnWidth, int columnSpacing, int rowSpacing,
                       QWidget* parent = nullptr);

    struct Columns {
        int count = 1;
        qreal width = 0;  // width of each column
        qreal offset = 0; // left edge of the first column within the grid
    };
    // How many columns fit a width, and how wide they are.
    static Columns columnsFor(int width, int minimum, int maximum, int spacing);

    Qt::Orientations expandingDirections() const override { return Qt::Horizontal; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    int place(const QRect& rect, bool apply) const;

    int m_minimum;
    int m_maximum;
    int m_columnSpacing;
    int m_rowSpacing;
};

} // namespace studio
