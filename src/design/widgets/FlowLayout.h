#pragma once

// Places children left to right at their own (ideal) sizes and starts a new
// row when the next child would pass the available width. The spacing is
// both the gap between children and the gap between rows; children of a row
// share its top edge. A child wider than the width gets a row of its own and
// overflows to the right. Without a width to work with (a size hint), the
// available width is taken as 600.

#include "design/widgets/ItemListLayout.h"

#include <QPoint>
#include <QSize>
#include <optional>

namespace studio {

class FlowLayout : public ItemListLayout {
    Q_OBJECT
public:
    explicit FlowLayout(int spacing, QWidget* parent = nullptr);

    int flowSpacing() const { return m_spacing; }

    // The row rule on its own: the size the flow reports and where each
    // child goes, for child sizes and an available width (nullopt: unknown).
    struct Arrangement {
        QSize size;
        QList<QPoint> positions;
    };
    static constexpr int unspecifiedWidth = 600;
    static Arrangement arrange(const QList<QSize>& sizes, std::optional<int> width, int spacing);

    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    QList<QSize> childSizes() const;
    int m_spacing;
};

} // namespace studio
