#include "views/phases/story/BeatCard.h"

#include "design/access/ButtonAccessible.h"
#include "design/widgets/SpokenName.h"
#include "design/widgets/DestructiveAction.h"
#include "design/widgets/MenuButton.h"
#include "design/style/Palette.h"
#include "design/text/PlainTextEditor.h"
#include "design/text/PlainTextField.h"
#include "design/widgets/SymbolButton.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Text.h"
#include "views/phases/story/ChargeStyle.h"
#include "state/rules/StoryRules.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QTextEdit>
#include <QMenu>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace studio {

BeatCard::BeatCard(const QUuid& beatID, QWidget* parent)
    : CardSurface(12, Palette::surfaceHigh(), parent)
    , m_id(beatID)
    // A child from the first, so that its interface, made as soon as it is
    // named, is the card's.
    , m_charge(new SymbolButton(story::chargeSymbol(rules::ChargeState::flat), 11,
                                story::chargeSymbolColor(rules::ChargeState::flat), QFont::Normal, this))
    , m_title(new PlainTextField(u"Beat"_s, Theme::font(type::control, QFont::DemiBold)))
    , m_menu(new MenuButton)
    , m_summary(new PlainTextEditor(u"What happens here?"_s, Theme::font(type::body)))
{
    m_charge->setToolTip(u"Emotional charge — does this beat lift (▲) or drop (▼) your protagonist's fortunes? "
                         u"Click to cycle. Feeds the story pulse above."_s);
    m_charge->setCursor(Qt::PointingHandCursor);
    // Read by a short name and its value, the way the beat goes; the
    // description says what it is for in place of the long tool tip.
    m_charge->setAccessibleName(u"Emotional charge"_s);
    m_charge->setAccessibleDescription(u"Does this beat lift or drop your protagonist's fortunes? Space steps it."_s);
    m_title->setTextColor(Palette::textPrimary());
    m_title->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_title->lineEdit()->setAccessibleName(u"Beat title"_s);

    m_menu->setShape(MenuButton::Shape::plain);
    m_menu->setSymbol(u"ellipsis"_s, 10, Palette::textTertiary(), QFont::Medium);
    m_menu->setPadding(2, 2);
    nameMenu(QString());
    QMenu* menu = m_menu->menu();
    connect(menu->addAction(u"Move up"_s), &QAction::triggered, this, [this] { Q_EMIT moveRequested(m_id, -1); });
    connect(menu->addAction(u"Move down"_s), &QAction::triggered, this, [this] { Q_EMIT moveRequested(m_id, +1); });
    menu->addSeparator();
    connect(addDestructiveAction(menu, u"Delete beat"_s), &QAction::triggered, this,
            [this] { Q_EMIT deleteRequested(m_id); });

    m_summary->setTextColor(Palette::textSecondary());
    m_summary->setPlaceholderFont(Theme::font(type::callout));
    m_summary->setPlaceholderInset(QPointF(5, 8));
    m_summary->setTextMargin(5);
    m_summary->setMinimumTextHeight(52);
    m_summary->textEdit()->setAccessibleName(u"Beat summary"_s);

    auto* header = new QHBoxLayout;
    header->setContentsMargins(0, 0, 0, 0);
    header->setSpacing(6);
    header->addWidget(m_charge, 0, Qt::AlignVCenter);
    header->addWidget(m_title, 1, Qt::AlignVCenter);
    header->addWidget(m_menu, 0, Qt::AlignVCenter);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(11, 11, 11, 11);
    layout->setSpacing(6);
    layout->addLayout(header);
    layout->addWidget(m_summary);

    connect(m_charge, &QAbstractButton::clicked, this, [this] { Q_EMIT chargeClicked(m_id); });
    connect(m_title, &PlainTextField::textEdited, this, [this](const QString& t) { Q_EMIT titleEdited(m_id, t); });
    connect(m_summary, &PlainTextEditor::textEdited, this,
            [this](const QString& t) { Q_EMIT summaryEdited(m_id, t); });
}

void BeatCard::setBeat(const Beat& beat)
{
    if (m_hasShown && beat == m_shown)
        return;
    const rules::ChargeState state = rules::chargeState(beat.charge);
    if (!m_hasShown || state != rules::chargeState(m_shown.charge)) {
        m_charge->setSymbol(story::chargeSymbol(state));
        m_charge->setColor(story::chargeSymbolColor(state));
    }
    if (!m_hasShown || beat.title != m_shown.title)
        nameMenu(beat.title);
    m_title->setText(beat.title);
    m_summary->setText(beat.summary);
    // The hint as placeholder is painted, wrapped, in a few lines: only its
    // start is ever shaped.
    m_summary->setPlaceholder(text::displayPrefix(rules::summaryPlaceholder(beat)));
    m_shown = beat;
    m_hasShown = true;
    tellChoiceChanged(m_charge);
}

void BeatCard::nameMenu(const QString& title)
{
    // Which beat the menu moves or deletes, as the card's title shows it.
    const QString shown = text::displayPrefix(title).simplified();
    setSpokenName(m_menu, u"Beat menu "_s + (shown.isEmpty() ? u"untitled beat"_s : shown));
}

QAccessibleInterface* BeatCard::accessibleFor(QObject* object)
{
    if (object != m_charge)
        return nullptr;
    QStringList words;
    for (rules::ChargeState state : {rules::ChargeState::flat, rules::ChargeState::lift, rules::ChargeState::drop})
        words << story::chargeWord(state);
    return new SteppedButtonAccessible(m_charge, words, [this] {
        switch (rules::chargeState(m_shown.charge)) {
        case rules::ChargeState::flat: return 0;
        case rules::ChargeState::lift: return 1;
        case rules::ChargeState::drop: return 2;
        }
        return 0;
    });
}

QList<QWidget*> BeatCard::tabStops() const
{
    return {m_charge, m_title->lineEdit(), m_menu, m_summary->textEdit()};
}

} // namespace studio
