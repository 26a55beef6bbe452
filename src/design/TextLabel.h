#pragma once

// A plain-text label (user and model text is never interpreted as markup).
// Shows one line elided at the end, or wraps and, with a line limit, elides
// the last line it shows. Setting the same text again does nothing. Only the
// start of a very long text is laid out (text::displayPrefix).
//
// Layouts ask a wrapped label its height at several widths on every pass
// (its own hint, the cell a grid gives it, the minimum a box layout tries),
// so the text is shaped once and the lines for the last few widths are kept;
// a change of text, font, wrapping or line limit forgets them.

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
    QColor color() const { return m_color; }
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
        QString text;
        mutable qreal width = -1; // measured when first painted
    };
    struct Layout {
        int width = -1;
        QList<Line> lines;
        bool elided = false;
    };
    const Layout& layoutFor(int width) const;
    Layout wrappedLayout(int width) const;
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
    // The shown text shaped once, broken into lines anew for each width.
    mutable std::unique_ptr<QTextLayout> m_shaped;
    mutable qreal m_natural = -1;
};

} // namespace studio
