#pragma once

// The focus ring of a control that is bare words, with no well or face of its
// own to draw it in (a bare title line, a summary written straight on a card,
// a button that is only its label): the ring of FocusRing, drawn just outside
// the control so it never covers a letter, while its editor (or the control
// itself) has the keyboard focus. It is a layer over the input in
// the page the input scrolls in (or its window), which lets the pointer
// through and follows the input as it, or a container around it, moves,
// resizes, hides or changes parent. A click gives a text input
// the focus as Tab does, and both show the ring: the caret alone is easily
// lost.
//
//   new FocusOutline(field, field->lineEdit());   // owned by the field

#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;

namespace studio {

class FocusOutline : public QObject {
    Q_OBJECT
public:
    // Rings `input` while `editor` (the widget that takes the focus, inside
    // `input` or `input` itself) has it. Owned by `input`.
    FocusOutline(QWidget* input, QWidget* editor);
    ~FocusOutline() override;

    // How far the ring reaches out of the input.
    static constexpr qreal outset = 5;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow();
    // Watches the containers between the input and the ring's host while
    // the ring shows; none with a null host.
    void watchContainers(QWidget* host);

    QWidget* m_input;
    QWidget* m_editor;
    QPointer<QWidget> m_ring;
    QList<QPointer<QWidget>> m_watched;
};

} // namespace studio
