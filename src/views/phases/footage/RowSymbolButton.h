#pragma once

// A symbol button standing on a painted manifest row: the row's checkbox and
// its disclosure chevron. It is the symbol's box with a little room around it,
// so a press just beside the symbol still counts and the focus ring has room
// inside the edge without covering the symbol. It takes a Tab stop, and the
// keyboard when clicked; Space and Return press it. Whether it shows checked is the row's to say: a press only
// reports the click, and the row sets what the screen decided.

#include <QAbstractButton>
#include <QColor>
#include <QFont>

namespace studio {

class RowSymbolButton : public QAbstractButton {
    Q_OBJECT
public:
    RowSymbolButton(qreal symbolSize, QFont::Weight weight, QWidget* parent = nullptr);

    // The room around the symbol's box on every side.
    static int margin();

    void setSymbol(const QString& name, const QColor& color);
    QString symbol() const { return m_symbol; }
    // Turns the symbol about its centre (the chevron of an open row).
    void setTurn(qreal degrees);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void nextCheckState() override {}

private:
    qreal m_size;
    QFont::Weight m_weight;
    QString m_symbol;
    QColor m_color;
    qreal m_turn = 0;
};

} // namespace studio
