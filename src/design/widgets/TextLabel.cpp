#include "design/widgets/TextLabel.h"

#include "design/style/Palette.h"
#include "design/widgets/SpokenName.h"
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
    if (!text.isEmpty())
        setSpokenName(this, text);
}

TextLabel::~TextLabel() = default;

void TextLabel::setText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    m_shown = text::displayPrefix(text);
    invalidate();
    setSpokenName(this, text);
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
    m_unbroken.reset();
    m_natural = -1;
    updateGeometry();
    update();
}

qreal TextLabel::lineHeight() const
{
    return QFontMetricsF(font()).height();
}

// The shown text laid out at a width (0: unbroken, one line per paragraph),
// left to right from the left edge whatever its direction: the label places
// each line itself.
std::shared_ptr<QTextLayout> TextLabel::shape(int width) const
{
    QString text = m_wrap ? m_shown : singleLine(m_shown);
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    auto layout = std::make_shared<QTextLayout>(text, font());
    QTextOption option;
    option.setWrapMode(width > 0 ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    option.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setTextDirection(layoutDirection());
    layout->setTextOption(option);
    layout->beginLayout();
    for (;;) {
        QTextLine line = layout->createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width > 0 ? width : 1e6);
    }
    layout->endLayout();
    return layout;
}

const QTextLayout& TextLabel::unbroken() const
{
    if (!m_unbroken)
        m_unbroken = shape(0);
    return *m_unbroken;
}

qreal TextLabel::naturalWidth() const
{
    if (m_natural >= 0)
        return m_natural;
    const QTextLayout& layout = unbroken();
    qreal widest = 0;
    for (int i = 0; i < layout.lineCount(); ++i)
        widest = std::max(widest, layout.lineAt(i).horizontalAdvance());
    m_natural = std::ceil(widest);
    return m_natural;
}

TextLabel::Layout TextLabel::unbrokenLayout() const
{
    const QTextLayout& layout = unbroken();
    Layout out;
    out.text = m_unbroken;
    for (int i = 0; i < layout.lineCount(); ++i)
        out.lines.append({QString(), -1, i});
    if (out.lines.isEmpty())
        out.lines.append({QString()});
    return out;
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
    // Where the text fits unbroken, its lines are the unbroken ones.
    const bool fits = width >= naturalWidth() && (m_maxLines == 0 || unbroken().lineCount() <= m_maxLines);
    if (fits) {
        out = unbrokenLayout();
    } else if (m_wrap) {
        out = wrappedLayout(width);
    } else {
        const QFontMetricsF fm(font());
        const QString line = singleLine(m_shown);
        out.lines.append({fm.elidedText(line, Qt::ElideRight, width)});
        out.elided = true;
    }
    out.width = width;
    // The least recently used width gives way.
    std::rotate(m_layouts.begin(), m_layouts.end() - 1, m_layouts.end());
    m_layouts.front() = std::move(out);
    return m_layouts.front();
}

TextLabel::Layout TextLabel::wrappedLayout(int width) const
{
    const std::shared_ptr<QTextLayout> shaped = shape(std::max(1, width));
    const QString& text = shaped->text();
    Layout out;
    out.text = shaped;
    const int count = shaped->lineCount();
    const int shown = m_maxLines > 0 ? std::min(m_maxLines, count) : count;
    for (int i = 0; i < shown; ++i) {
        if (i == shown - 1 && shown < count) {
            // The last line shown takes the rest of the text, elided.
            const QFontMetricsF fm(font());
            QString rest = text.mid(shaped->lineAt(i).textStart());
            rest.replace(QChar::LineSeparator, QLatin1Char(' '));
            out.lines.append({fm.elidedText(singleLine(rest), Qt::ElideRight, width)});
            out.elided = true;
        } else {
            out.lines.append({QString(), -1, i});
        }
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
        const QTextLine shaped = line.shaped >= 0 ? l.text->lineAt(line.shaped) : QTextLine();
        qreal x = 0;
        if (h & (Qt::AlignHCenter | Qt::AlignRight)) {
            // Only a centred or trailing line needs its own width, and only
            // once it is painted.
            if (line.width < 0)
                line.width = shaped.isValid() ? shaped.horizontalAdvance() : fm.horizontalAdvance(line.text);
            x = h & Qt::AlignHCenter ? (width() - line.width) / 2.0 : width() - line.width;
        }
        if (shaped.isValid())
            shaped.draw(&p, QPointF(x, y) - shaped.position());
        else
            p.drawText(QPointF(x, y + fm.ascent()), line.text);
        y += lh;
    }
}

void TextLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::LayoutDirectionChange)
        invalidate();
    QWidget::changeEvent(event);
}

void TextLabel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    update();
}

} // namespace studio
