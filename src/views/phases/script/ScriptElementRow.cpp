#include "views/phases/script/ScriptElementRow.h"

#include "design/text/LongText.h"
#include "design/style/Palette.h"
#include "design/style/Theme.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <array>
#include <cmath>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

using K = ScriptElementKind;

// The kinds the page sets, in the order of the enumeration: every table of
// this file holds one entry per kind, indexed by the kind, and is as long as
// this one.
constexpr std::array kinds{K::sceneHeading, K::action, K::character, K::parenthetical, K::dialogue, K::transition};
constexpr std::size_t kindCount = kinds.size();

constexpr bool inEnumerationOrder()
{
    for (std::size_t i = 0; i < kindCount; ++i) {
        if (std::size_t(kinds[i]) != i)
            return false;
    }
    return true;
}
static_assert(inEnumerationOrder(), "each kind stands at its own index");

// Every kind of a script has its entry (a kind the tables lack would index
// past them).
bool coversEveryKind()
{
    return allCases<ScriptElementKind>().size() == qsizetype(kindCount);
}

// The document the page's editor would hold for that text: no margin, the
// kind's font and alignment, wrapped as the long-text rules have it (as the
// editor wraps it).
std::unique_ptr<QTextDocument> documentFor(ScriptElementKind kind, const QString& text, int width)
{
    auto document = std::make_unique<QTextDocument>();
    document->setUndoRedoEnabled(false);
    document->setDocumentMargin(0);
    document->setDefaultFont(ScriptElementRow::font(kind));
    QTextOption option = document->defaultTextOption();
    option.setWrapMode(LongText::wrapMode(text));
    option.setAlignment(ScriptElementRow::style(kind).trailing ? Qt::AlignRight : Qt::AlignLeft);
    document->setDefaultTextOption(option);
    document->setPlainText(text);
    // Rows in view are painted again whenever a neighbour moves: they keep
    // their shaped glyphs rather than shape their text at every paint.
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        block.layout()->setCacheEnabled(true);
    document->setTextWidth(width);
    return document;
}

int heightOf(const QTextDocument& document)
{
    return int(std::ceil(document.size().height()));
}

struct KindMetrics {
    int lineHeight = 0;
    qreal charWidth = 0;
};

const KindMetrics& metrics(ScriptElementKind kind)
{
    static const std::array<KindMetrics, kindCount> table = [] {
        std::array<KindMetrics, kindCount> out;
        // A line of ordinary screenplay prose gives the average advance.
        const QString sample = u"Rain hammers the pier. She hauls the net over the rail, alone; nobody answers."_s;
        for (ScriptElementKind k : kinds) {
            const auto document = documentFor(k, QString(), 1000);
            out[std::size_t(k)] = {heightOf(*document),
                                   QFontMetricsF(ScriptElementRow::font(k)).horizontalAdvance(sample) / sample.size()};
        }
        return out;
    }();
    return table[std::size_t(kind)];
}

} // namespace

const ScriptElementRow::KindStyle& ScriptElementRow::style(ScriptElementKind kind)
{
    const auto entry = [](K k, KindStyle s) {
        s.label = label(k);
        return s;
    };
    // In the order of the enumeration, which indexes it.
    static const std::array table{
        entry(K::sceneHeading,
              {.indent = 0, .spaceAbove = 22, .fontSize = 12.5, .weight = QFont::Bold,
               .placeholder = u"INT. SOMEWHERE \u2014 DAY"_s, .symbol = u"building.2"_s}),
        entry(K::action,
              {.indent = 0, .spaceAbove = 10, .fontSize = 12.5, .weight = QFont::Normal,
               .placeholder = u"What we see\u2026"_s, .symbol = u"figure.walk"_s}),
        entry(K::character,
              {.indent = 200, .maxWidth = 240, .spaceAbove = 14, .fontSize = 12.5, .weight = QFont::DemiBold,
               .placeholder = u"CHARACTER NAME"_s, .symbol = u"person.fill"_s}),
        entry(K::parenthetical,
              {.indent = 160, .maxWidth = 240, .spaceAbove = 2, .fontSize = 11.5, .weight = QFont::Normal,
               .placeholder = u"(quietly)"_s, .symbol = u"parentheses"_s}),
        entry(K::dialogue,
              {.indent = 120, .maxWidth = 330, .spaceAbove = 2, .fontSize = 12.5, .weight = QFont::Normal,
               .placeholder = u"What they say\u2026"_s, .symbol = u"text.bubble.fill"_s}),
        entry(K::transition,
              {.indent = 280, .spaceAbove = 14, .fontSize = 12.0, .weight = QFont::DemiBold, .trailing = true,
               .placeholder = u"CUT TO:"_s, .symbol = u"arrow.right.square"_s}),
    };
    static_assert(std::tuple_size_v<decltype(table)> == kindCount, "one style for each kind of element");
    Q_ASSERT(coversEveryKind());
    return table[std::size_t(kind)];
}

QFont ScriptElementRow::font(ScriptElementKind kind)
{
    const KindStyle& s = style(kind);
    return Theme::font(s.fontSize, s.weight);
}

int ScriptElementRow::textIndent(ScriptElementKind kind)
{
    return int(style(kind).indent);
}

int ScriptElementRow::textWidth(ScriptElementKind kind, int available)
{
    const KindStyle& s = style(kind);
    const int room = std::max(0, available - int(s.indent) - controlsWidth);
    return s.maxWidth ? std::min(room, int(*s.maxWidth)) : room;
}

int ScriptElementRow::spaceAbove(ScriptElementKind kind)
{
    return int(style(kind).spaceAbove);
}

int ScriptElementRow::lineHeight(ScriptElementKind kind)
{
    return metrics(kind).lineHeight;
}

int ScriptElementRow::controlsHeight(ScriptElementKind kind)
{
    static const std::array<int, kindCount> table = [] {
        std::array<int, kindCount> out;
        for (ScriptElementKind k : kinds)
            out[std::size_t(k)] = int(std::ceil(QFontMetricsF(font(k)).height()));
        return out;
    }();
    return table[std::size_t(kind)];
}

ScriptElementRow::ScriptElementRow(const ScriptElement& element)
    : m_id(element.id)
    , m_kind(element.kind)
    , m_text(element.text)
{
}

ScriptElementRow::ScriptElementRow(ScriptElementRow&&) noexcept = default;
ScriptElementRow& ScriptElementRow::operator=(ScriptElementRow&&) noexcept = default;
ScriptElementRow::~ScriptElementRow() = default;

bool ScriptElementRow::setElement(const ScriptElement& element)
{
    if (element.kind == m_kind && element.text == m_text)
        return false;
    m_kind = element.kind;
    m_text = element.text;
    m_document.reset();
    m_exact = false;
    const int available = m_available;
    m_available = -1;
    if (available >= 0)
        measure(available);
    return true;
}

void ScriptElementRow::measure(int available)
{
    if (available == m_available)
        return;
    m_available = available;
    m_exact = false;
    m_document.reset();
    const KindMetrics& m = metrics(m_kind);
    // A page not yet given its width is measured as a narrow one, never as
    // a sliver that would stack every word.
    const qreal width = std::max(120, textWidth(m_kind, available));
    const qsizetype lines = LongText::estimatedLines(m_text, m.charWidth, width);
    m_textHeight = int(lines) * m.lineHeight;
}

bool ScriptElementRow::layOut(int available)
{
    if (m_document && available == m_available)
        return false;
    const int before = m_textHeight;
    m_available = available;
    m_document = documentFor(m_kind, m_text, textWidth(m_kind, available));
    m_textHeight = heightOf(*m_document);
    m_exact = true;
    return m_textHeight != before;
}

void ScriptElementRow::setExactHeight(int available, int height)
{
    if (m_document && (available != m_available || height != m_textHeight))
        m_document.reset();
    m_available = available;
    m_textHeight = height;
    m_exact = true;
}

void ScriptElementRow::release()
{
    m_document.reset();
}

void ScriptElementRow::paint(QPainter& painter, const QPointF& topLeft, int available)
{
    if (!m_document || available != m_available)
        layOut(available);
    const int width = textWidth(m_kind, available);
    if (m_text.isEmpty()) {
        // The placeholder as the editor shows it: drawn, never stored.
        const KindStyle& s = style(m_kind);
        painter.save();
        const QRectF area(topLeft, QSizeF(width, m_textHeight));
        painter.setClipRect(area, Qt::IntersectClip);
        painter.setFont(font(m_kind));
        painter.setPen(Palette::withOpacity(Palette::paperInk(), 0.3));
        painter.drawText(area, (s.trailing ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop | Qt::TextWordWrap,
                         s.placeholder);
        painter.restore();
        return;
    }
    painter.save();
    painter.translate(topLeft);
    // Only the lines in the area being painted are drawn: a long element is
    // thousands of lines, and the page is painted a strip at a time.
    QRectF clip(0, 0, width, m_textHeight);
    if (painter.hasClipping())
        clip = clip.intersected(painter.clipBoundingRect());
    if (clip.isEmpty()) {
        painter.restore();
        return;
    }
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Palette::paperInk());
    context.clip = clip;
    m_document->documentLayout()->draw(&painter, context);
    painter.restore();
}

} // namespace studio
