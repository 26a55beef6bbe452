#include "views/shell/AIChoiceSheet.h"

#include "design/focus/FocusOutline.h"
#include "design/focus/FocusRing.h"
#include "design/widgets/GhostButton.h"
#include "design/widgets/HairlineDivider.h"
#include "design/style/Palette.h"
#include "design/style/Shapes.h"
#include "design/widgets/SpokenName.h"
#include "design/focus/TabOrder.h"
#include "design/widgets/SymbolLabel.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "design/widgets/ToolbarIconButton.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QPainter>
#include <QPointer>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

// One offered option: its label over its detail on a card, the whole card a
// plain button.
class OptionCard : public QAbstractButton {
public:
    OptionCard(const AIChoiceOption& option, QWidget* parent)
        : QAbstractButton(parent)
    {
        setObjectName(option.id.toString(QUuid::WithoutBraces));
        setFocusPolicy(Qt::TabFocus);
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
        setAttribute(Qt::WA_TranslucentBackground);
        setSpokenName(this, option.label);

        auto* column = new QVBoxLayout(this);
        column->setContentsMargins(14, 14, 14, 14);
        column->setSpacing(6);
        auto* label = new TextLabel(option.label, Theme::font(type::subheadline, QFont::Medium), Palette::textPrimary(), this);
        label->setWordWrap(true);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        column->addWidget(label);
        if (option.detail) {
            auto* detail = new TextLabel(*option.detail, Theme::font(type::body), Palette::textSecondary(), this);
            detail->setWordWrap(true);
            detail->setAttribute(Qt::WA_TransparentForMouseEvents);
            column->addWidget(detail);
        }
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing, true);
        const QRectF r = rect();
        shapes::fillRounded(p, r, 12, Palette::surface());
        if (isDown())
            shapes::fillRounded(p, r, 12, Palette::white(level::veil));
        shapes::strokeRoundedInside(p, r, 12, Palette::hairlineStrong(), 1.0);
        if (hasFocus())
            FocusRing::paintRounded(p, r, 12);
    }
};

} // namespace

AIChoiceSheet::AIChoiceSheet(QWidget* window, const AIChoicePrompt& prompt)
    : SheetDialog(window, QSize(sheetWidth, maximumHeight))
    , m_promptID(prompt.id)
    , m_keep(new GhostButton(u"Keep what I have"_s, Palette::textPrimary(), this))
    , m_close(new ToolbarIconButton(u"xmark"_s, u"Keep what I have"_s, this))
    , m_scroll(new ScrollColumn(this))
{
    setObjectName(u"aiChoiceSheet"_s);
    setSpokenName(this, prompt.title);
    QVBoxLayout* stack = contentLayout();

    // Header: the title row, the subtitle under it, the close button.
    auto* header = new QWidget(this);
    auto* headerRow = new QHBoxLayout(header);
    headerRow->setContentsMargins(18, 18, 18, 18);
    auto* texts = new QVBoxLayout;
    texts->setContentsMargins(0, 0, 0, 0);
    texts->setSpacing(3);
    auto* titleRow = new QHBoxLayout;
    titleRow->setContentsMargins(0, 0, 0, 0);
    titleRow->setSpacing(6);
    titleRow->addWidget(new SymbolLabel(u"wand.and.stars"_s, 11, Palette::gold(), QFont::Normal, header), 0,
                        Qt::AlignVCenter);
    auto* title = new TextLabel(prompt.title, Theme::font(type::title2, QFont::Bold), Palette::textPrimary(), header);
    title->setObjectName(u"choiceTitle"_s);
    titleRow->addWidget(title, 1, Qt::AlignVCenter);
    texts->addLayout(titleRow);
    if (prompt.subtitle) {
        auto* subtitle = new TextLabel(*prompt.subtitle, Theme::font(type::body), Palette::textTertiary(), header);
        subtitle->setObjectName(u"choiceSubtitle"_s);
        subtitle->setWordWrap(true);
        texts->addWidget(subtitle);
    }
    headerRow->addLayout(texts, 1);
    m_close->setObjectName(u"choiceClose"_s);
    headerRow->addWidget(m_close, 0, Qt::AlignVCenter);
    stack->addWidget(header);
    stack->addWidget(new HairlineDivider(Qt::Horizontal, this));

    // The options, scrolling when they need more than the sheet's height.
    QWidget* list = m_scroll->content();
    QVBoxLayout* cards = m_scroll->column();
    cards->setContentsMargins(18, 18, 18, 18);
    cards->setSpacing(10);
    for (const AIChoiceOption& option : prompt.options) {
        auto* card = new OptionCard(option, list);
        const QUuid id = option.id;
        connect(card, &QAbstractButton::clicked, this, [this, id] { choose(id); });
        cards->addWidget(card);
        m_cards << card;
    }
    cards->addStretch(1);
    m_scroll->setObjectName(u"choiceOptions"_s);
    stack->addWidget(m_scroll, 1);
    stack->addWidget(new HairlineDivider(Qt::Horizontal, this));

    // Footer: "Keep what I have" at the trailing edge.
    auto* footer = new QWidget(this);
    auto* footerRow = new QHBoxLayout(footer);
    footerRow->setContentsMargins(18, 12, 18, 12);
    footerRow->addStretch(1);
    m_keep->setObjectName(u"choiceKeep"_s);
    footerRow->addWidget(m_keep);
    stack->addWidget(footer);

    connect(m_close, &QAbstractButton::clicked, this, &SheetDialog::reject);
    connect(m_keep, &QAbstractButton::clicked, this, &SheetDialog::reject);
    fitHeight(header, list, footer);

    // Tab reads the sheet as the eye does: the close button, the options,
    // "Keep what I have" (the two buttons were made first).
    QList<QWidget*> stops(m_cards.cbegin(), m_cards.cend());
    stops.append(m_keep);
    TabOrder::chain(m_close, stops);

    // The sheet comes with an assist's reply, whenever that arrives, often
    // while the user is still typing in the very field it offers to replace.
    // It waits until the keyboard rests, then opens with the keyboard on
    // itself, read out by its title (ringed while the keyboard is in use):
    // Return and Space press nothing there, and only a deliberate Tab
    // reaches an option. Esc still closes it. A word half typed where the
    // keyboard was waits there, as typed, and the keyboard goes back to it
    // when the sheet closes.
    new FocusOutline(title, this);
    setFocus(Qt::OtherFocusReason);
    markOpensByItself();
}

void AIChoiceSheet::choose(const QUuid& optionID)
{
    QPointer<AIChoiceSheet> self(this);
    Q_EMIT optionChosen(optionID);
    // The receiver may already have closed the sheet.
    if (self && isVisible())
        accept();
}

void AIChoiceSheet::fitHeight(QWidget* header, QWidget* list, QWidget* footer)
{
    // As tall as its content, up to the maximum; beyond it the list scrolls.
    const auto heightAt = [](QWidget* w, int width) {
        w->ensurePolished();
        if (QLayout* l = w->layout()) {
            l->activate();
            if (l->hasHeightForWidth())
                return l->totalHeightForWidth(width);
            return l->totalSizeHint().height();
        }
        return w->sizeHint().height();
    };
    const int content = heightAt(header, sheetWidth) + 1 + heightAt(list, sheetWidth) + 1 + heightAt(footer, sheetWidth);
    resize(sheetWidth, std::min(maximumHeight, content));
    // A scroll bar shown once (while the area was still small) would stay and
    // narrow the list; the options either fit or need it for good.
    m_scroll->setVerticalScrollBarPolicy(content > maximumHeight ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

} // namespace studio
