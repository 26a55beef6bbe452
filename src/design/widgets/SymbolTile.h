#pragma once

// A symbol in gold on a 38-point rounded tile: the mark of a production
// format wherever a format is shown.

#include <QString>
#include <QWidget>

namespace studio {

class SymbolTile : public QWidget {
public:
    // glyphSize is the symbol's size in points.
    explicit SymbolTile(qreal glyphSize, QWidget* parent = nullptr);

    void setSymbol(const QString& name);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_symbol;
    qreal m_glyphSize;
};

} // namespace studio
