#pragma once

// A plain button whose whole label is one symbol (remove and close buttons,
// disclosure toggles). No bezel or background; the symbol dims while pressed.
// The button is the symbol's box. A reader reads it by its name (its tool
// tip's words: design/access/ToolTipNames.h).

#include <QAbstractButton>
#include <QColor>
#include <QFont>

namespace studio {

class SymbolButton : public QAbstractButton {
    Q_OBJECT
public:
    SymbolButton(const QString& symbol, qreal size, const QColor& color,
                 QFont::Weight weight = QFont::Normal, QWidget* parent = nullptr);

    QString symbol() const { return m_symbol; }
    void setSymbol(const QString& name);
    void setColor(const QColor& color);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_symbol;
    qreal m_size;
    QColor m_color;
    QFont::Weight m_weight;
};

} // namespace studio
