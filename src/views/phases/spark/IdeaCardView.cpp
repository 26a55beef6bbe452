#include "views/phases/spark/IdeaCardView.h"

#include "design/Palette.h"
#include "design/PlainTextEditor.h"
#include "design/PointerHover.h"
#include "design/SymbolButton.h"
#include "design/SymbolLabel.h"
#include "design/TextLabel.h"
#include "design/Theme.h"
#include "model/Project.h"
#include "model/Text.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace studio {

namespace {
constexpr int cardWidth = 230;
constexpr qreal editorMinHeight = 84;
} // namespace

IdeaCardView::IdeaCardView(const QUuid& cardID, QWidget* parent)
    : CardSurface(14, Palette::surfaceHigh(), parent)
    , m_cardID(cardID)
    , m_symbol(new SymbolLabel(symbol(m_kind), 9.5, Palette::gold(), QFont::Medium, this))
    , m_title(new TextLabel(QString(), Theme::font(8.5, QFont::DemiBold, 0.7), Palette::textTertiary(), this))
    , m_delete(new SymbolButton(u"xmark"_s, 8, Palette::textTertiary(), QFont::Bold, this))
    , m_editor(new PlainTextEditor(QString(), Theme::font(12), this))
{
    setFixedWidth(cardWidth);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Maximum);
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(13, 13, 13, 13);
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

    m_delete->setAccessibleName(u"Delete"_s);
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

void IdeaCardView::setHovered(bool hovered)
{
    m_hovered = hovered;
    // Hidden, the button keeps its place (the header doesn't shift) and lets
    // clicks through: nobody deletes a card by clicking where nothing shows.
    m_delete->setColor(hovered ? Palette::textTertiary() : QColor(Qt::transparent));
    m_delete->setAttribute(Qt::WA_TransparentForMouseEvents, !hovered);
    m_delete->setFocusPolicy(hovered ? Qt::TabFocus : Qt::NoFocus);
}

} // namespace studio
