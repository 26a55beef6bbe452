#pragma once

// A row of cards that scrolls sideways inside a page that scrolls down (idea
// board, lens strip, act board, timeline). A vertical wheel turn is left to
// the page; Shift with the wheel and horizontal swipes scroll the strip. The
// strip is as tall as its content (plus its scroll indicator when shown).
// It comes with a transparent content widget holding a horizontal box
// layout, row(), whose trailing stretch keeps the cards at the leading edge;
// a screen that paints its own strip gives it with setContent().

#include <QScrollArea>

class QHBoxLayout;

namespace studio {

class HorizontalStrip : public QScrollArea {
    Q_OBJECT
public:
    explicit HorizontalStrip(int spacing = 0, QWidget* parent = nullptr);

    // The cards' layout (margins 0), ending in a stretch: insert cards before
    // it (KeyedList does). Null after setContent() with another layout.
    QHBoxLayout* row() const;
    void setContent(QWidget* content);

    // The horizontal scroll bar under the cards; hidden by default.
    void setIndicatorShown(bool shown);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int contentHeight() const;

    bool m_indicator = false;
};

} // namespace studio
