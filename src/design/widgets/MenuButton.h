#pragma once

// A painted pull-down label: an optional leading symbol, a one-line label
// (plain text, '&' shown as typed, elided when the button is narrower than
// it wants) and an optional chevron, on a capsule or on nothing. A click
// opens menu() just under the button. The menu belongs to the button but its
// entries are the caller's: aboutToOpen() is emitted each time just before
// the menu shows, so a caller can rebuild the entries from the production as
// it is at that moment (entries should capture ids, never positions).

#include <QAbstractButton>
#include <QBrush>
#include <QColor>
#include <QFont>

#include <memory>

class QMenu;

namespace studio {

class MenuButton : public QAbstractButton {
    Q_OBJECT
public:
    enum class Shape { capsule, plain };

    explicit MenuButton(const QString& label = QString(), QWidget* parent = nullptr);
    ~MenuButton() override;

    QString label() const { return m_label; }
    void setLabel(const QString& label);
    void setLabelFont(const QFont& font);
    void setLabelColor(const QColor& color);

    // A symbol before the label; an empty name shows none.
    void setSymbol(const QString& name, qreal size, const QColor& color, QFont::Weight weight = QFont::Normal);
    // The "chevron.down" after the label.
    void setChevron(bool shown, qreal size = 7, const QColor& color = QColor());
    // The chevron at the trailing edge, after a flexible gap, instead of
    // right after the label (a button wider than its label).
    void setChevronAtEnd(bool atEnd);

    void setShape(Shape shape);
    // The capsule's fill at rest and while pressed (a gradient in
    // QGradient::ObjectMode spans the capsule).
    void setFill(const QBrush& rest, const QBrush& pressed);
    // The outline inside the capsule's edge. The keyboard focus shows as the
    // design's focus ring over it, whatever the shape.
    void setBorder(const QColor& color, qreal width);
    // The room around the label; a plain button keeps at least the room its
    // focus ring needs.
    void setPadding(qreal horizontal, qreal vertical);
    // The gap between symbol, label and chevron.
    void setSpacing(qreal spacing);
    // The whole button's opacity while pressed.
    void setPressedOpacity(qreal opacity);
    // Whether a disabled button is drawn faded (the default) or as it is.
    void setDimsWhenDisabled(bool dims);

    QMenu* menu() const { return m_menu.get(); }
    // Shows the menu under the button (aboutToOpen() comes first).
    void openMenu();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // The button whose menu `menu` is, if any (a reader reads the menu as
    // the button's child).
    static MenuButton* owning(const QMenu* menu);

Q_SIGNALS:
    // The menu is about to show: rebuild its entries now.
    void aboutToOpen();

protected:
    // The leading mark (the symbol by default). A subclass may draw something
    // else there, such as a spinner; leadSize() is its box.
    virtual QSizeF leadSize() const;
    virtual void paintLead(QPainter& painter, const QRectF& box);
    virtual void paintBackground(QPainter& painter, const QRectF& rect);

    void paintEvent(QPaintEvent* event) override;

private:
    void relayout();
    qreal horizontalPadding() const;

    QString m_label;
    QString m_shown; // the label as painted: one line, a bounded prefix
    QFont m_font;
    QColor m_labelColor;
    QString m_symbol;
    qreal m_symbolSize = 0;
    QColor m_symbolColor;
    QFont::Weight m_symbolWeight = QFont::Normal;
    bool m_chevron = false;
    bool m_chevronAtEnd = false;
    qreal m_chevronSize = 7;
    QColor m_chevronColor;
    Shape m_shape = Shape::capsule;
    QBrush m_fill;
    QBrush m_pressedFill;
    QColor m_border;
    qreal m_borderWidth = 1;
    qreal m_padH = 11;
    qreal m_padV = 6;
    qreal m_spacing = 6;
    qreal m_pressedOpacity = 1;
    bool m_dims = true;
    // Not a child widget: showing a screen hands every hidden child window
    // its pending resize, and each menu would lay out its entries then, long
    // before anyone opens it. Popups take nothing from a parent widget (font,
    // palette, style), so the menu is the same without one.
    std::unique_ptr<QMenu> m_menu;
};

} // namespace studio
