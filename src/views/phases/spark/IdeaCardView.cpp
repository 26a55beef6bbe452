#include "views/phases/spark/IdeaCardView.h"

#include "design/focus/FocusAfterRemoval.h"
#include "design/style/Palette.h"
#include "design/text/PlainTextEditor.h"
#include "design/style/PointerHover.h"
#include "design/widgets/SymbolButton.h"
#include "design/widgets/SymbolLabel.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Project.h"
#include "model/Text.h"

#include <QApplication>
#include <QCache>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace studio {

namespace {
constexpr int cardWide = 230;
constexpr int padding = 13;
constexpr qreal editorMinHeight = 84;

QFont editorFont()
{
    return Theme::font(type::control);
}

// The × says which fragment it deletes.
QString deleteName(IdeaCardKind kind)
{
    return u"Delete "_s + label(kind) + u" fragment"_s;
}
} // namespace

int IdeaCardView::cardWidth()
{
    return cardWide;
}

int IdeaCardView::estimatedHeight(const QString& text)
{
    // The height of a card whose text fits the editor's least height, found
    // once by building one (it depends on fonts only).
    static const int base = [] {
        IdeaCardView probe{QUuid()};
        probe.ensurePolished();
        return probe.sizeHint().height();
    }();
    static const QFontMetricsF metrics(editorFont());
    const qreal textWidth = cardWide - 2 * padding;
    // Most fragments are short: a text that cannot reach past the least
    // height is never laid out.
    const qreal fittingLines = std::floor(editorMinHeight / metrics.lineSpacing()) - 1;
    const qreal fittingChars = fittingLines * std::floor(textWidth / metrics.maxWidth());
    if (!text.contains(u'\n') && qreal(text.size()) <= fittingChars)
        return base;
    // A height depends on the start of the text that is measured alone: kept
    // by it for the process, so opening the screen again measures nothing it
    // measured before. Bounded by the bytes the kept texts take, so typing in
    // a long card keeps a few of its versions, not every one: at most 4 MB
    // of text, each entry counted with what the cache spends on it besides.
    constexpr qsizetype measuredTextBytes = 4 * 1024 * 1024;
    constexpr qsizetype entryBytes = 64;
    static QCache<QString, int> measured(measuredTextBytes);
    const QString shown = text::displayPrefix(text);
    if (const int* known = measured.object(shown))
        return *known;
    const QRectF box = metrics.boundingRect(QRectF(0, 0, textWidth, 1e6), Qt::TextWordWrap, shown);
    const int height = base + int(std::ceil(std::max(0.0, box.height() + metrics.lineSpacing() - editorMinHeight)));
    measured.insert(shown, new int(height), shown.size() * qsizetype(sizeof(QChar)) + entryBytes);
    return height;
}

IdeaCardView::IdeaCardView(const QUuid& cardID, QWidget* parent)
    : CardSurface(14, Palette::surfaceHigh(), parent)
    , m_cardID(cardID)
    , m_symbol(new SymbolLabel(symbol(m_kind), type::label, Palette::gold(), QFont::Medium, this))
    , m_title(new TextLabel(QString(), Theme::font(type::footnote2, QFont::DemiBold, 0.7), Palette::textTertiary(), this))
    , m_delete(new SymbolButton(u"xmark"_s, type::caption, Palette::textTertiary(), QFont::Bold, this))
    , m_editor(new PlainTextEditor(QString(), editorFont(), this))
{
    setFixedWidth(cardWide);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Maximum);
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(padding, padding, padding, padding);
    stack->setSpacing(8);
    auto* header = new QHBoxLayout;
    header->setSpacing(6);
    header->addWidget(m_symbol, 0, Qt::AlignVCenter);
    header->addWidget(m_title, 0, Qt::AlignVCenter);
    header->addStretch(1);
    header->addWidget(m_delete, 0, Qt::AlignVCenter);
    stack->addLayout(header);
    m_editor->setTextColor(Palette::textPrimary());
    m_editor->setMinimumTextHeight(editorMinHeight);
    stack->addWidget(m_editor);
    m_title->setText(text::upper(label(m_kind)));
    m_editor->textEdit()->setAccessibleName(label(m_kind));

    m_delete->setAccessibleName(deleteName(m_kind));
    FocusAfterRemoval::markRemover(m_delete);
    m_delete->setFocusPolicy(Qt::TabFocus);
    m_delete->installEventFilter(this);
    m_editor->textEdit()->installEventFilter(this);
    setHovered(false);
    connect(m_delete, &QAbstractButton::clicked, this, [this] { Q_EMIT deleteRequested(m_cardID); });
    connect(m_editor, &PlainTextEditor::textEdited, this, [this](const QString& typed) {
        m_shownText = typed;
        Q_EMIT textEdited(m_cardID, typed);
    });
    // The strip scrolls cards under a still pointer: the hover follows it.
    connect(new PointerHover(this), &PointerHover::changed, this, &IdeaCardView::setHovered);
}

void IdeaCardView::setCard(const IdeaCard& card)
{
    if (card.kind != m_kind) {
        m_kind = card.kind;
        m_symbol->setName(symbol(m_kind));
        m_title->setText(text::upper(label(m_kind)));
        m_editor->textEdit()->setAccessibleName(label(m_kind));
        m_delete->setAccessibleName(deleteName(m_kind));
    }
    // Most refreshes bring back the text the card shows (typed here, or
    // unchanged): the same string, compared without reading the editor.
    if (card.text == m_shownText)
        return;
    m_shownText = card.text;
    m_editor->setText(card.text);
}

QString IdeaCardView::kindTitle() const
{
    return m_title->text();
}

QString IdeaCardView::text() const
{
    return m_editor->text();
}

bool IdeaCardView::isDeleteShown() const
{
    return !m_delete->testAttribute(Qt::WA_TransparentForMouseEvents);
}

QList<QWidget*> IdeaCardView::tabStops() const
{
    return {m_delete, m_editor->textEdit()};
}

bool IdeaCardView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
        showDelete();
    return CardSurface::eventFilter(watched, event);
}

void IdeaCardView::setHovered(bool hovered)
{
    m_hovered = hovered;
    showDelete();
}

void IdeaCardView::showDelete()
{
    // The focus leaving one of the card's stops for the other keeps it.
    const QWidget* focus = QApplication::focusWidget();
    const bool shown = m_hovered || (focus && isAncestorOf(focus));
    // Hidden, the button keeps its place (the header doesn't shift) and lets
    // clicks through: nobody deletes a card by clicking where nothing shows.
    m_delete->setColor(shown ? Palette::textTertiary() : QColor(Qt::transparent));
    m_delete->setAttribute(Qt::WA_TransparentForMouseEvents, !shown);
}

} // namespace studio
