#pragma once

// Whether the pointer is over a widget, kept true to where the pointer is.
//
// Qt reports enter and leave only when the pointer itself moves. A widget that
// the layout or a scroll carries under a still pointer, or away from it, keeps
// the hover it had until the next motion: a tab chip keeps its hover fill after
// the strip scrolled, a poster card pushed aside by a new neighbour stays
// lifted. So besides enter and leave, every hover is checked against the
// pointer whenever a widget of the program moved, resized, showed or hid, and
// whenever the pointer crossed into or out of a widget (Qt's enter and leave
// after such a slide go to the widget it last saw there, not to the one now
// hovered): once per turn of the event loop, however many widgets moved.
//
// A hoverable painted widget makes one as its child and follows changed().
// The pointer counts as over the widget when the widget or one of its children
// is the topmost widget under it (as for Qt's own enter and leave).

#include <QObject>

class QWidget;

namespace studio {

class PointerHover : public QObject {
    Q_OBJECT
public:
    explicit PointerHover(QWidget* widget);
    ~PointerHover() override;

    QWidget* widget() const { return m_widget; }
    bool isHovered() const { return m_hovered; }

Q_SIGNALS:
    void changed(bool hovered);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class PointerHoverRegistry;
    void set(bool hovered);

    QWidget* m_widget;
    bool m_hovered = false;
};

} // namespace studio
