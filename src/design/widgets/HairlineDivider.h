#pragma once

// A one-point rule in the hairline colour. Horizontal rules take the width
// offered; vertical ones the height.

#include <QWidget>

namespace studio {

class HairlineDivider : public QWidget {
    Q_OBJECT
public:
    explicit HairlineDivider(Qt::Orientation orientation = Qt::Horizontal, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace studio
