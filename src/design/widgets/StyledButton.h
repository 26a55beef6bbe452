#pragma once

// The shared part of the custom-painted buttons: a label (plain text, '&'
// shown as typed) with an optional leading symbol, a font, paddings, and the
// pressed state animated by a spring. Subclasses paint the background and
// pick the colours.

#include <QAbstractButton>
#include <QColor>
#include <QFont>
#include <QMargins>

namespace studio {

class Spring;

class StyledButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit StyledButton(QWidget* parent = nullptr);

    // The label as shown. Hides QAbstractButton::setText, which would read '&'
    // as a mnemonic.
    QString text() const { return m_text; }
    void setText(const QString& text);
    // A symbol drawn before the label (empty: none).
    void setSymbol(const QString& name);
    // Replaces the style's label font (a screen that sets its own size).
    void setLabelFont(const QFont& font);

    // 0 at rest, 1 fully pressed; follows the spring.
    qreal pressAmount() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    // For subclasses: the label's colour and the padding around it.
    virtual QColor labelColor() const = 0;
    virtual void paintBackground(QPainter& painter, const QRectF& rect) = 0;
    // The ring while the button has the focus: a capsule inside its edge.
    virtual void paintFocusRing(QPainter& painter, const QRectF& rect);
    void setPadding(qreal horizontal, qreal vertical);
    void setStyleFont(const QFont& font);
    // Scale applied about the centre while pressed, and the whole button's
    // opacity while pressed.
    void setPressedLook(qreal scale, qreal opacity);

    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void syncPressed();
    QSizeF contentSize() const;

    QString m_text;
    QString m_shown; // the start that is measured and painted
    QString m_symbol;
    QFont m_font;
    bool m_customFont = false;
    qreal m_padH = 14;
    qreal m_padV = 7;
    qreal m_pressedScale = 0.97;
    qreal m_pressedOpacity = 1.0;
    Spring* m_press;
};

} // namespace studio
