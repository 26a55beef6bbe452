#pragma once

// The small square symbol button of panel headers and toolbars: 28 by 28
// points, the symbol (12, medium, secondary text) on a rounded square of
// white at 6 % with a hairline border, the help text as its tool tip and the
// name a reader reads.

#include <QAbstractButton>

namespace studio {

class ToolbarIconButton : public QAbstractButton {
    Q_OBJECT
public:
    ToolbarIconButton(const QString& systemName, const QString& help, QWidget* parent = nullptr);

    QSize sizeHint() const override { return QSize(28, 28); }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_symbol;
};

} // namespace studio
