#pragma once

// The layout of the Script screen's toolbar: the leading buttons (one per
// element kind) from the left, the trailing items (the story draft button,
// then the statistics line) against the right, all on one line and centred
// on it. Where the line is too narrow for all of them, the trailing items
// that don't fit beside the leading ones go on a second line of their own,
// against the right, so every item is shown whole, never cut or elided.
//
// The line is as tall as its tallest item, whether that one shows or not, so
// the buttons stay put when the draft button comes or goes.

#include <QLayout>
#include <QList>

namespace studio {

class ScriptToolbarLayout : public QLayout {
    Q_OBJECT
public:
    explicit ScriptToolbarLayout(QWidget* parent = nullptr);
    ~ScriptToolbarLayout() override;

    void addLeading(QWidget* widget);
    void addTrailing(QWidget* widget);

    // QLayout
    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    Qt::Orientations expandingDirections() const override { return Qt::Horizontal; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    void setGeometry(const QRect& rect) override;

private:
    struct Item {
        QLayoutItem* item;
        bool leading;
    };
    QList<QLayoutItem*> shown(bool leading) const;
    // How many of the shown trailing items stand on the first line at this
    // width (the rest go on the second).
    int trailingOnFirstLine(int width) const;
    // The first line's height, and the second's (0 without one).
    int firstLineHeight() const;
    int secondLineHeight(int width) const;

    QList<Item> m_items;
};

} // namespace studio
