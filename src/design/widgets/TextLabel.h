#pragma once

// A plain-text label (user and model text is never interpreted as markup).
// Shows one line elided at the end, or wraps and, with a line limit, elides
// the last line it shows. Setting the same text again does nothing. Only the
// start of a very long text is laid out (text::displayPrefix).
//
// Shaping text is the costly part of a label, so it is done as seldom as can
// be: the text is shaped once unbroken, which gives the label's natural width
// and, wherever the text fits, the very lines it paints. Only a width that
// breaks the text shapes it again, and layouts ask a wrapped label its height
// at several widths on every pass (its own hint, the cell a grid gives it,
// the minimum a box layout tries), so the lines of the last few widths are
// kept; a change of text, font, direction, wrapping or line limit forgets
// them.
//
// A reader reads it as static text named by its text (cut short where long:
// design/widgets/SpokenName.h), from its first text on, and reads the whole text,
// however long, through its text interface (design/access/StaticTextAccessible.h).

#include <QColor>
#include <QList>
#include <QString>
#include <QWidget>

#include <array>
#include <memory>

class QTextLayout;

namespace studio {

class TextLabel : public QWidget {
    Q_OBJECT
public:
    explicit TextLabel(QWidget* parent = nullptr);
    TextLabel(const QString& text, const QFont& font, const QColor& color, QWidget* parent = nullptr);
    ~TextLabel() override;

    QString text() const { return m_text; }
    void setText(const QString& text);
    void setColor(const QColor& color);
    // Wrapping off (the default): one line, elided at the end when narrow.
    void setWordWrap(bool wrap);
    bool wordWrap() const { return m_wrap; }
    // With wrapping: at most this many lines, the last elided (0: no limit).
    void setMaxLines(int lines);
    int maxLines() const { return m_maxLines; }
    // Horizontal alignment of each line (leading by default).
    void setAlignment(Qt::Alignment alignment);
    // Whether the whole text is shown at the current width (no ellipsis).
    bool isElided() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return m_wrap; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Line {
        QString text;             // drawn as it stands where `shaped` is -1
        mutable qreal width = -1; // measured when first painted
        int shaped = -1;          // the line's index in the layout's shaped text
    };
    struct Layout {
        int width = -1;
        QList<Line> lines;
        bool elided = false;
        std::shared_ptr<const QTextLayout> text; // the shaped lines drawn
    };
    const Layout& layoutFor(int width) const;
    Layout wrappedLayout(int width) const;
    Layout unbrokenLayout() const;
    std::shared_ptr<QTextLayout> shape(int width) const;
    const QTextLayout& unbroken() const;
    qreal naturalWidth() const;
    qreal lineHeight() const;
    void invalidate();

    QString m_text;
    QString m_shown; // what is laid out
    QColor m_color;
    bool m_wrap = false;
    int m_maxLines = 0;
    Qt::Alignment m_alignment = Qt::AlignLeading;
    // Most recently used first.
    mutable std::array<Layout, 4> m_layouts;
    // The shown text shaped without breaks (one line per paragraph).
    mutable std::shared_ptr<QTextLayout> m_unbroken;
    mutable qreal m_natural = -1;
};

} // namespace studio
