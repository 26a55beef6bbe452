#include "views/phases/story/ActColumn.h"

#include "design/widgets/DestructiveAction.h"
#include "design/widgets/SpokenName.h"
#include "design/widgets/KeyedList.h"
#include "design/widgets/MenuButton.h"
#include "design/style/Palette.h"
#include "design/text/PlainTextField.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Text.h"
#include "views/phases/story/BeatCard.h"
#include "views/phases/story/DashedAddButton.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace studio {

namespace {
constexpr int columnWidth = 268;
} // namespace

ActColumn::ActColumn(const QUuid& actID, QWidget* parent)
    : QWidget(parent)
    , m_id(actID)
    , m_layout(new QVBoxLayout(this))
    , m_title(new PlainTextField(u"Act title"_s, Theme::font(type::headline, QFont::Bold)))
    , m_menu(new MenuButton)
    , m_addBeat(new DashedAddButton(DashedAddButton::Shape::bar, u"Add beat"_s))
{
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedWidth(columnWidth);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Maximum);

    m_title->setTextColor(Palette::textPrimary());
    m_title->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_title->lineEdit()->setAccessibleName(u"Act title"_s);
    m_menu->setShape(MenuButton::Shape::plain);
    m_menu->setSymbol(u"ellipsis"_s, 11, Palette::textTertiary(), QFont::Medium);
    m_menu->setPadding(2, 2);
    m_menu->setAccessibleName(u"Act menu"_s);
    QMenu* menu = m_menu->menu();
    connect(menu->addAction(u"Add beat"_s), &QAction::triggered, this, [this] { Q_EMIT addBeatRequested(m_id); });
    menu->addSeparator();
    connect(addDestructiveAction(menu, u"Delete act"_s), &QAction::triggered, this,
            [this] { Q_EMIT deleteRequested(m_id); });

    auto* header = new QHBoxLayout;
    header->setContentsMargins(4, 0, 4, 0);
    header->addWidget(m_title, 1, Qt::AlignVCenter);
    header->addWidget(m_menu, 0, Qt::AlignVCenter);

    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(10);
    m_layout->addLayout(header);
    m_layout->addWidget(m_addBeat);
    m_cards = std::make_unique<KeyedList<QUuid, BeatCard>>(m_layout, 1);

    connect(m_title, &PlainTextField::textEdited, this, [this](const QString& t) { Q_EMIT titleEdited(m_id, t); });
    connect(m_addBeat, &QAbstractButton::clicked, this, [this] { Q_EMIT addBeatRequested(m_id); });
}

ActColumn::~ActColumn() = default;

void ActColumn::setAct(const Act& act)
{
    if (m_hasShown && act == m_shown)
        return;
    m_title->setText(act.title);
    // Heard by its title; the keyboard rests here when the act's last beat
    // is deleted.
    setSpokenName(this, act.title.isEmpty() ? u"Act"_s : act.title);
    // The menu says which act it adds to or deletes.
    const QString title = text::displayPrefix(act.title).simplified();
    setSpokenName(m_menu, u"Act menu "_s + (title.isEmpty() ? u"untitled act"_s : title));
    m_cards->sync(
        act.beats, [](const Beat& beat) { return beat.id; }, [this](const Beat& beat) { return makeCard(beat); },
        [](BeatCard* card, const Beat& beat, int) { card->setBeat(beat); });
    m_shown = act;
    m_hasShown = true;
}

BeatCard* ActColumn::makeCard(const Beat& beat)
{
    auto* card = new BeatCard(beat.id, this);
    connect(card, &BeatCard::titleEdited, this,
            [this](const QUuid& beatID, const QString& t) { Q_EMIT beatTitleEdited(m_id, beatID, t); });
    connect(card, &BeatCard::summaryEdited, this,
            [this](const QUuid& beatID, const QString& t) { Q_EMIT beatSummaryEdited(m_id, beatID, t); });
    connect(card, &BeatCard::chargeClicked, this,
            [this](const QUuid& beatID) { Q_EMIT beatChargeClicked(m_id, beatID); });
    connect(card, &BeatCard::moveRequested, this,
            [this](const QUuid& beatID, int offset) { Q_EMIT beatMoveRequested(m_id, beatID, offset); });
    connect(card, &BeatCard::deleteRequested, this,
            [this](const QUuid& beatID) { Q_EMIT beatDeleteRequested(m_id, beatID); });
    return card;
}

QList<BeatCard*> ActColumn::beatCards() const
{
    return m_cards->widgets();
}

BeatCard* ActColumn::beatCard(const QUuid& beatID) const
{
    return m_cards->widget(beatID);
}

QList<QWidget*> ActColumn::tabStops() const
{
    QList<QWidget*> stops{m_title->lineEdit(), m_menu};
    for (BeatCard* card : m_cards->widgets())
        stops.append(card->tabStops());
    stops.append(m_addBeat);
    return stops;
}

} // namespace studio
