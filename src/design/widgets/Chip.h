#pragma once

// A capsule toggle for genres, roles, shot sizes and the like. It never
// changes its own on state: a click emits clicked() and the screen decides.
// A chip without an action (setInteractive(false)) looks the same and
// ignores clicks. On/off changes fade over 0.15 s with an ease-out curve.
// A reader hears it as a check box, or as a radio button where it is one of
// a group that holds a single value (setOneOf), checked while on.

#include <QAbstractButton>

#include <array>

class QVariantAnimation;

namespace studio {

class Chip : public QAbstractButton {
    Q_OBJECT
public:
    Chip(const QString& text, bool isOn, QWidget* parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString& text);
    bool isOn() const { return m_on; }
    // Shows the state; emits nothing.
    void setOn(bool on);
    void setInteractive(bool interactive);
    // One of a group where a single chip is on (a rating, a role).
    void setOneOf(bool oneOf) { m_oneOf = oneOf; }
    bool isOneOf() const { return m_oneOf; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    QFont currentFont() const { return m_on ? m_onFont : m_offFont; }
    QVariantAnimation* fade();

    struct Elided {
        int width = -1;
        QString text;
        qreal advance = 0;
        qreal rise = 0;
    };

    QString m_text;
    QString m_shown; // the start that is measured and painted
    QFont m_onFont;
    QFont m_offFont;
    bool m_on = false;
    bool m_interactive = true;
    bool m_oneOf = false;
    qreal m_onAmount = 0; // 0 off .. 1 on, animated
    QVariantAnimation* m_fade = nullptr;
    // Off and on: the size hint and the label as painted, per weight.
    mutable std::array<QSize, 2> m_hints;
    std::array<Elided, 2> m_elided;
};

} // namespace studio
