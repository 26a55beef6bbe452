#include "design/TextLabel.h"

#include "design/Palette.h"
#include "model/Text.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace studio {

namespace {
QString singleLine(const QString& text)
{
    QString s = text;
    for (QChar& c : s) {
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::LineSeparator
            || c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    }
    return s;
}
} // namespace

TextLabel::TextLabel(QWidget* parent)
    : TextLabel(QString(), QFont(), Palette::textPrimary(), parent)
{
}

TextLabel::TextLabel(const QString& text, const QFont& font, const QColor& color, QWidget* parent)
    : QWidget(parent)
    , m_text(text)
    , m_shown(text::displayPrefix(text))
    , m_color(color)
{
    setFont(font);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAttribute(Qt::WA_TranslucentBackground);
}

TextLabel::~TextLabel() = default;

void TextLabel::setText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    m_shown = text::displayPrefix(text);
    invalidate();
    setAccessibleName(m_shown);
}

void TextLabel::setColor(const QColor& color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void TextLabel::setWordWrap(bool wrap)
{
    if (wrap == m_wrap)
        return;
    m_wrap = wrap;
    QSizePolicy policy = sizePolicy();
    policy.setHeightForWidth(wrap);
    // A fixed policy would cap a wrapped label at its one-line size hint: box
    // layouts bound every widget to its maximum size. Wrapped, it may grow to
    // the lines it needs but never shrink below them.
    policy.setVerticalPolicy(wrap ? QSizePolicy::Minimum : QSizePolicy::Fixed);
    setSizePolicy(policy);
    invalidate();
}

void TextLabel::setMaxLines(int lines)
{
    lines = std::max(0, lines);
    if (lines == m_maxLines)
        return;
    m_maxLines = lines;
    invalidate();
}

void TextLabel::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    update();
}

void TextLabel::invalidate()
{
    m_layouts.fill(Layout());
    m_shaped.reset();
    m_natural = -1;
    updateGeometry();
    update();
}

qreal TextLabel::lineHeight() const
{
    return QFontMetricsF(font()).height();
}

qreal TextLabel::naturalWidth() const
{
    if (m_natural >= 0)
        return m_natural;
    const QFontMetricsF fm(font());
    qreal widest = 0;
    if (m_wrap) {
        const QStringList paragraphs = QString(m_shown).replace(QChar::LineSeparator, QLatin1Char('\n')).split(QLatin1Char('\n'));
        for (const QString& p : paragraphs)
            widest = std::max(widest, fm.horizontalAdvance(p));
    } else {
        widest = fm.horizontalAdvance(singleLine(m_shown));
    }
    m_natural = std::ceil(widest);
    return m_natural;
}

const TextLabel::Layout& TextLabel::layoutFor(int width) const
{
    const auto found = std::find_if(m_layouts.begin(), m_layouts.end(),
                                    [width](const Layout& l) { return l.width == width; });
    if (width >= 0 && found != m_layouts.end()) {
        std::rotate(m_layouts.begin(), found, found + 1);
        return m_layouts.front();
    }
    Layout out;
    if (m_wrap) {
        out = wrappedLayout(width);
    } else {
        const QFontMetricsF fm(font());
        const QString line = singleLine(m_shown);
        const QString shown = fm.elidedText(line, Qt::ElideRight, width);
        out.elided = shown != line;
        out.lines.append({shown});
    }
    out.width = width;
    // The least recently used width gives way.
    std::rotate(m_layouts.begin(), m_layouts.end() - 1, m_layouts.end());
    m_layouts.front() = std::move(out);
    return m_layouts.front();
}

TextLabel::Layout TextLabel::wrappedLayout(int width) const
{
    if (!m_shaped) {
        QString text = m_shown;
        text.replace(QLatin1Char('\n'), QChar::LineSeparator);
        m_shaped = std::make_unique<QTextLayout>(text, font());
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        m_shaped->setTextOption(option);
    }
    const QString& text = m_shaped->text();
    m_shaped->beginLayout();
    QList<QPair<int, int>> ranges;
    for (;;) {
        QTextLine line = m_shaped->createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(std::max(1, width));
        ranges.append({line.textStart(), line.textLength()});
    }
    m_shaped->endLayout();
    const auto lineText = [&text](int start, int length) {
        QString s = text.mid(start, length);
        while (!s.isEmpty() && (s.back() == QChar::LineSeparator || s.back().isSpace()))
            s.chop(1);
        return s;
    };
    const QFontMetricsF fm(font());
    Layout out;
    const int shown = m_maxLines > 0 ? std::min<int>(m_maxLines, ranges.size()) : ranges.size();
    for (int i = 0; i < shown; ++i) {
        QString s;
        if (i == shown - 1 && shown < ranges.size()) {
            // The last line shown takes the rest of the text, elided.
            s = singleLine(text.mid(ranges[i].first).replace(QChar::LineSeparator, QLatin1Char(' ')));
            s = fm.elidedText(s, Qt::ElideRight, width);
            out.elided = true;
        } else {
            s = lineText(ranges[i].first, ranges[i].second);
        }
        out.lines.append({s});
    }
    if (out.lines.isEmpty())
        out.lines.append({QString()});
    return out;
}

bool TextLabel::isElided() const
{
    return m_shown.size() != m_text.size() || layoutFor(width()).elided;
}

QSize TextLabel::sizeHint() const
{
    const int w = int(naturalWidth());
    if (!m_wrap)
        return QSize(w, int(std::ceil(lineHeight())));
    return QSize(w, heightForWidth(std::max(1, w)));
}

QSize TextLabel::minimumSizeHint() const
{
    // Wrapped text gets its height from heightForWidth at the width it is
    // given; a minimum of one line keeps narrow trial widths from inflating
    // the minimum height of whatever holds the label.
    const int w = std::min(int(naturalWidth()), m_wrap ? 60 : 24);
    return QSize(w, int(std::ceil(lineHeight())));
}

int TextLabel::heightForWidth(int width) const
{
    if (!m_wrap)
        return int(std::ceil(lineHeight()));
    // Layouts ask with the width they have; a label limited to a narrower
    // width (a centred message) wraps at its own limit.
    const Layout& l = layoutFor(std::min(width, maximumWidth()));
    return int(std::ceil(l.lines.size() * lineHeight()));
}

void TextLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setFont(font());
    p.setPen(m_color);
    const QFontMetricsF fm(font());
    const Layout& l = layoutFor(width());
    const qreal lh = lineHeight();
    qreal blockHeight = l.lines.size() * lh;
    qreal y = 0;
    if (m_alignment & Qt::AlignVCenter)
        y = (height() - blockHeight) / 2.0;
    else if (m_alignment & Qt::AlignBottom)
        y = height() - blockHeight;
    const Qt::Alignment h = QStyle::visualAlignment(layoutDirection(), m_alignment) & Qt::AlignHorizontal_Mask;
    for (const Line& line : l.lines) {
        qreal x = 0;
        if (h & (Qt::AlignHCenter | Qt::AlignRight)) {
            // Only a centred or trailing line needs its own width, and only
            // once it is painted.
            if (line.width < 0)
                line.width = fm.horizontalAdvance(line.text);
            x = h & Qt::AlignHCenter ? (width() - line.width) / 2.0 : width() - line.width;
        }
        p.drawText(QPointF(x, y + fm.ascent()), line.text);
        y += lh;
    }
}

void TextLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        invalidate();
    QWidget::changeEvent(event);
}

void TextLabel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    update();
}

} // namespace studio
