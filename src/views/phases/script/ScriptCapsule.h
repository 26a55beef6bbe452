#pragma once

// The small capsule buttons of the Script screen: the kind buttons of its
// toolbar (a symbol and a label on white at 5 % with a hairline) and the
// suggestion chips on the paper page (ink at 5 % with an ink outline). A
// plain button: it dims while pressed and never takes the keyboard focus
// from a click, so picking a chip leaves the caret in the element it fills.
// A capsule given a Tab stop (setFocusPolicy) shows the focus ring while it
// has the focus, and Space or Return press it.

#include <QAbstractButton>
#include <QColor>
#include <QFont>

namespace studio {

class ScriptCapsule : public QAbstractButton {
    Q_OBJECT
public:
    struct Look {
        QFont font;
        QColor labelColor;
        QColor fill;
        QColor border;
        qreal padH = 8;
        qreal padV = 3;
        QString symbol;        // none when empty
        qreal symbolSize = 9;
        QFont::Weight symbolWeight = QFont::Medium;
        qreal spacing = 5;     // between symbol and label
    };

    // The toolbar's "add an element" button and the page's suggestion chip.
    static Look toolbarLook(const QString& symbol);
    static Look chipLook();

    ScriptCapsule(const QString& label, const Look& look, QWidget* parent = nullptr);

    // The label as shown ('&' shown as typed; a production's text is cut to a
    // bounded prefix before it is measured).
    QString label() const { return m_label; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_label;
    QString m_shown;
    Look m_look;
};

} // namespace studio
