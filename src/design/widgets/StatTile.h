#pragma once

// A small card with one figure and its caption: an optional gold symbol and
// the value (bold 17) on one row, the caption in capitals under it (medium 9,
// letter spacing 0.8). Fills the width offered, content at the left.

#include <QString>
#include <QWidget>

namespace studio {

class SymbolLabel;
class TextLabel;

class StatTile : public QWidget {
    Q_OBJECT
public:
    StatTile(const QString& value, const QString& label, const QString& icon = QString(),
             QWidget* parent = nullptr);

    void setValue(const QString& value);
    void setLabel(const QString& label);
    void setIcon(const QString& icon);
    QString value() const;
    // A caption too long for the tile's width wraps onto a second line
    // instead of being cut short; the tile then takes its row's height, so
    // tiles side by side stay alike.
    void setCaptionWraps(bool wraps);
    bool isCaptionElided() const;

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SymbolLabel* m_icon;
    TextLabel* m_value;
    TextLabel* m_label;
};

} // namespace studio
