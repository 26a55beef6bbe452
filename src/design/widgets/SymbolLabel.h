#pragma once

// One symbol drawn at a fixed size, weight and colour (the way the design
// places "the symbol X in the system font at size N" next to text).

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

namespace studio {

class SymbolLabel : public QWidget {
    Q_OBJECT
public:
    SymbolLabel(const QString& name, qreal size, const QColor& color,
                QFont::Weight weight = QFont::Normal, QWidget* parent = nullptr);

    QString name() const { return m_name; }
    void setName(const QString& name);
    void setColor(const QColor& color);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_name;
    qreal m_size;
    QColor m_color;
    QFont::Weight m_weight;
};

} // namespace studio
