#pragma once

// A page that scrolls vertically: a frameless, transparent scroll area whose
// content follows the area's width (never a horizontal scroll bar). It comes
// with a transparent content widget holding a vertical box layout, column();
// a screen that paints its own page gives it with setContent(). The page
// takes the keyboard neither from Tab nor from a click unless a screen makes
// it a Tab stop (a page whose rows take no focus); then, holding the keyboard,
// it shows the focus ring round itself.

#include <QScrollArea>

class QVBoxLayout;

namespace studio {

class ScrollColumn : public QScrollArea {
    Q_OBJECT
public:
    explicit ScrollColumn(QWidget* parent = nullptr);

    QWidget* content() const { return widget(); }
    // The content's layout (margins and spacing 0), or null after
    // setContent() with a widget of another layout.
    QVBoxLayout* column() const;
    // Replaces the content (the old one is deleted) and keeps it transparent.
    void setContent(QWidget* content);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Drawn over the page, so the content scrolling under it leaves it be.
    QWidget* m_ring = nullptr;
};

} // namespace studio
