#include "views/phases/cast/CharacterDetail.h"

#include "design/widgets/CardSurface.h"
#include "design/widgets/Chip.h"
#include "design/widgets/FieldLabel.h"
#include "design/widgets/FlowLayout.h"
#include "design/widgets/GhostButton.h"
#include "design/style/Palette.h"
#include "design/text/SleekTextEditor.h"
#include "design/text/SleekTextField.h"
#include "design/widgets/SymbolLabel.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "views/phases/cast/AssistLink.h"
#include "views/phases/cast/LookAnchorCard.h"
#include "views/phases/cast/PaneArt.h"
#include "views/phases/cast/RelationshipsSection.h"

#include <QHBoxLayout>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

QHBoxLayout* pair(QWidget* left, QWidget* right)
{
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    row->addWidget(left, 1);
    row->addWidget(right, 1);
    return row;
}

} // namespace

CharacterDetail::CharacterDetail(QWidget* parent)
    : ScrollColumn(parent)
{
    QWidget* page = content();
    QVBoxLayout* column = this->column();
    column->setContentsMargins(18, 18, 18, 18);
    column->setSpacing(16);

    m_portrait = new PaneArt(600, 400, 190,
                             u"Re-roll the placeholder portrait. With image APIs connected, this becomes a real "
                             u"portrait generation."_s,
                             page);
    connect(m_portrait, &PaneArt::newLookRequested, this,
            [this] { request(&CharacterDetail::newLookRequested); });
    column->addWidget(m_portrait);

    column->addWidget(textField(u"Name"_s, QString(), rules::CharacterText::name));

    auto* role = new QVBoxLayout;
    role->setSpacing(8);
    role->addWidget(new FieldLabel(u"Role"_s, page));
    auto* chips = new QWidget(page);
    auto* flow = new FlowLayout(5, chips);
    for (CastRole value : allCases<CastRole>()) {
        auto* chip = new Chip(label(value), false, chips);
        chip->setOneOf(true);
        flow->addWidget(chip);
        connect(chip, &QAbstractButton::clicked, this,
                [this, value] { request(&CharacterDetail::roleChosen, value); });
        m_roles.append({value, chip});
    }
    role->addWidget(chips);
    column->addLayout(role);

    column->addLayout(pair(textField(u"Archetype"_s, u"The Mentor…"_s, rules::CharacterText::archetype),
                           textField(u"Age"_s, QString(), rules::CharacterText::age)));

    // The inner life: what drives the character's arc.
    auto* inner = new CardSurface(12, Palette::surfaceHigh(), page);
    auto* innerColumn = new QVBoxLayout(inner);
    innerColumn->setContentsMargins(12, 12, 12, 12);
    innerColumn->setSpacing(12);
    auto* header = new QHBoxLayout;
    header->setSpacing(6);
    header->addWidget(new SymbolLabel(u"heart.text.square.fill"_s, 10, Palette::accentDeep(), QFont::Normal, inner));
    header->addWidget(new TextLabel(u"INNER LIFE — THE ARC ENGINE"_s, Theme::font(type::footnote, QFont::DemiBold, 0.8),
                                    Palette::textSecondary(), inner));
    header->addStretch(1);
    m_assist = new AssistLink(u"Kimi fills only the empty fields — nothing you've written is touched."_s, inner);
    connect(m_assist, &QAbstractButton::clicked, this, [this] {
        if (!m_memberID.isNull())
            Q_EMIT assistRequested(m_memberID);
    });
    header->addWidget(m_assist);
    innerColumn->addLayout(header);
    innerColumn->addWidget(textField(u"Want — what they chase"_s, u"The external prize"_s, rules::CharacterText::want));
    innerColumn->addWidget(
        textField(u"Need — what would heal them"_s, u"The internal truth"_s, rules::CharacterText::need));
    innerColumn->addLayout(pair(textField(u"Flaw"_s, u"Trips them…"_s, rules::CharacterText::flaw),
                                textField(u"The lie they believe"_s, u"\"If I stop…\""_s, rules::CharacterText::lie)));
    innerColumn->addWidget(textField(u"Contradiction — what makes them human"_s,
                                     u"Brutal in lessons, keeps every student's first attempt"_s,
                                     rules::CharacterText::contradiction));
    auto* arc = new TextLabel(u"Want vs. need is the whole arc: they chase the want, the story makes them face the "
                              u"need."_s,
                              Theme::font(type::label), Palette::textTertiary(), inner);
    arc->setWordWrap(true);
    innerColumn->addWidget(arc);
    column->addWidget(inner);

    column->addWidget(textEditor(u"Voice & speech"_s, u"Cadence, accent, verbal tics."_s, 50, rules::CharacterText::voice));
    column->addWidget(textEditor(u"Tells & mannerisms — behavior under emotion"_s,
                                 u"What do their hands do when they lie? Rides into every shot prompt — behavior is "
                                 u"what makes AI characters feel directed."_s,
                                 56, rules::CharacterText::tells));

    m_look = new LookAnchorCard(u"Written into every shot prompt this character appears in — the single best defense "
                                u"against AI drift over a long film. Be specific: age, hair, eyes, build, wardrobe "
                                u"staples."_s,
                                page);
    connect(m_look, &LookAnchorCard::textEdited, this,
            [this](const QString& text) { request(&CharacterDetail::textEdited, rules::CharacterText::look, text); });
    column->addWidget(m_look);

    column->addWidget(textField(u"Wardrobe"_s, u"Staples they always wear"_s, rules::CharacterText::wardrobe));

    m_relationships = new RelationshipsSection(page);
    connect(m_relationships, &RelationshipsSection::addRequested, this,
            [this](const QUuid& otherID) { request(&CharacterDetail::relationshipAddRequested, otherID); });
    connect(m_relationships, &RelationshipsSection::retargetRequested, this,
            [this](const QUuid& relationshipID, const QUuid& otherID) {
                request(&CharacterDetail::relationshipRetargetRequested, relationshipID, otherID);
            });
    connect(m_relationships, &RelationshipsSection::labelEdited, this,
            [this](const QUuid& relationshipID, const QString& text) {
                request(&CharacterDetail::relationshipLabelEdited, relationshipID, text);
            });
    connect(m_relationships, &RelationshipsSection::removeRequested, this, [this](const QUuid& relationshipID) {
        request(&CharacterDetail::relationshipRemoveRequested, relationshipID);
    });
    column->addWidget(m_relationships);

    column->addWidget(textEditor(u"Bio"_s, u"Who are they when no one's watching?"_s, 64, rules::CharacterText::bio));

    m_remove = new GhostButton(u"Remove character"_s, Palette::danger(), page);
    connect(m_remove, &QAbstractButton::clicked, this, [this] {
        if (!m_memberID.isNull())
            Q_EMIT removeRequested(m_memberID);
    });
    column->addSpacing(4);
    column->addWidget(m_remove, 0, Qt::AlignLeft);
    column->addStretch(1);
}

SleekTextField* CharacterDetail::textField(const QString& label, const QString& placeholder,
                                            rules::CharacterText field)
{
    auto* input = new SleekTextField(label, placeholder);
    connect(input, &SleekTextField::textEdited, this,
            [this, field](const QString& text) { request(&CharacterDetail::textEdited, field, text); });
    m_fields.append({field, input});
    return input;
}

SleekTextEditor* CharacterDetail::textEditor(const QString& label, const QString& placeholder, qreal minHeight,
                                              rules::CharacterText field)
{
    auto* input = new SleekTextEditor(label, placeholder, minHeight, 13);
    connect(input, &SleekTextEditor::textEdited, this,
            [this, field](const QString& text) { request(&CharacterDetail::textEdited, field, text); });
    m_editors.append({field, input});
    return input;
}

SleekTextField* CharacterDetail::field(QString CastMember::*field) const
{
    for (const auto& [f, input] : m_fields) {
        if (rules::characterField(f) == field)
            return input;
    }
    return nullptr;
}

SleekTextEditor* CharacterDetail::editor(QString CastMember::*field) const
{
    for (const auto& [f, input] : m_editors) {
        if (rules::characterField(f) == field)
            return input;
    }
    return nullptr;
}

Chip* CharacterDetail::roleChip(CastRole role) const
{
    for (const auto& [value, chip] : m_roles) {
        if (value == role)
            return chip;
    }
    return nullptr;
}

template <typename Signal, typename... Args>
void CharacterDetail::request(Signal signal, const Args&... args)
{
    // The member shown now; the screen finds it by id when it writes.
    if (!m_memberID.isNull())
        Q_EMIT(this->*signal)(m_memberID, args...);
}

void CharacterDetail::setMember(const CastMember& member, const QList<CastMember>& cast)
{
    if (member.id != m_memberID) {
        m_memberID = member.id;
        verticalScrollBar()->setValue(0);
    }
    m_portrait->setSeed(member.portraitSeed);
    for (const auto& [f, input] : std::as_const(m_fields))
        input->setText(member.*rules::characterField(f));
    for (const auto& [f, input] : std::as_const(m_editors))
        input->setText(member.*rules::characterField(f));
    for (const auto& [value, chip] : std::as_const(m_roles))
        chip->setOn(member.role == value);
    m_look->setText(member.look);
    m_relationships->setMember(member, cast);
}

} // namespace studio
