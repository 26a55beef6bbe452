#include "views/phases/cast/LocationDetail.h"

#include "design/widgets/Chip.h"
#include "design/widgets/FieldLabel.h"
#include "design/widgets/FlowLayout.h"
#include "design/widgets/GhostButton.h"
#include "design/style/Palette.h"
#include "design/text/SleekTextEditor.h"
#include "design/text/SleekTextField.h"
#include "design/focus/TabOrder.h"
#include "views/phases/cast/AssistLink.h"
#include "views/phases/cast/LookAnchorCard.h"
#include "views/phases/cast/PaneArt.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace studio {

LocationDetail::LocationDetail(QWidget* parent)
    : ScrollColumn(parent)
{
    QWidget* page = content();
    QVBoxLayout* column = this->column();
    column->setContentsMargins(18, 18, 18, 18);
    column->setSpacing(14);

    m_art = new PaneArt(600, 340, 160, QString(), page);
    connect(m_art, &PaneArt::newLookRequested, this,
            [this] { request(&LocationDetail::newLookRequested); });
    column->addWidget(m_art);

    auto* nameRow = new QHBoxLayout;
    nameRow->setSpacing(10);
    SleekTextField* name = textField(u"Name"_s, QString(), rules::LocationText::name);
    nameRow->addWidget(name, 1, Qt::AlignBottom);
    m_assist = new AssistLink(u"Kimi fills only the empty fields — era, mood, look anchor, sound."_s, page);
    connect(m_assist, &QAbstractButton::clicked, this, [this] {
        if (!m_locationID.isNull())
            Q_EMIT assistRequested(m_locationID);
    });
    auto* linkBox = new QVBoxLayout;
    linkBox->setContentsMargins(0, 0, 0, 9);
    linkBox->addWidget(m_assist);
    nameRow->addLayout(linkBox);
    nameRow->setAlignment(linkBox, Qt::AlignBottom);
    column->addLayout(nameRow);
    // The link reads after the name beside it.
    TabOrder::chain(name->lineEdit(), {m_assist});

    auto* type = new QVBoxLayout;
    type->setSpacing(8);
    type->addWidget(new FieldLabel(u"Type"_s, page));
    auto* chips = new QWidget(page);
    auto* flow = new FlowLayout(5, chips);
    for (LocationKind value : allCases<LocationKind>()) {
        auto* chip = new Chip(label(value), false, chips);
        chip->setOneOf(true);
        flow->addWidget(chip);
        connect(chip, &QAbstractButton::clicked, this,
                [this, value] { request(&LocationDetail::kindChosen, value); });
        m_kinds.append({value, chip});
    }
    type->addWidget(chips);
    column->addLayout(type);

    auto* eraMood = new QHBoxLayout;
    eraMood->setSpacing(10);
    eraMood->addWidget(textField(u"Era"_s, u"1970s, far future…"_s, rules::LocationText::era), 1);
    eraMood->addWidget(textField(u"Mood"_s, u"Lonely, opulent…"_s, rules::LocationText::mood), 1);
    column->addLayout(eraMood);

    m_look = new LookAnchorCard(u"Architecture, materials, light sources, landmark details. Every scene set here "
                                u"inherits this description."_s,
                                page);
    connect(m_look, &LookAnchorCard::textEdited, this,
            [this](const QString& text) { request(&LocationDetail::textEdited, rules::LocationText::look, text); });
    column->addWidget(m_look);

    m_sound = new SleekTextEditor(u"What you hear here"_s,
                                  u"Steam wand shriek, bell over the door, regulars arguing about the crossword. "
                                  u"Grounds the writing now; feeds sound generation later."_s,
                                  52, 13, page);
    connect(m_sound, &SleekTextEditor::textEdited, this,
            [this](const QString& text) { request(&LocationDetail::textEdited, rules::LocationText::sound, text); });
    column->addWidget(m_sound);

    m_remove = new GhostButton(u"Remove location"_s, Palette::danger(), page);
    connect(m_remove, &QAbstractButton::clicked, this, [this] {
        if (!m_locationID.isNull())
            Q_EMIT removeRequested(m_locationID);
    });
    column->addSpacing(4);
    column->addWidget(m_remove, 0, Qt::AlignLeft);
    column->addStretch(1);
}

SleekTextField* LocationDetail::textField(const QString& label, const QString& placeholder,
                                           rules::LocationText field)
{
    auto* input = new SleekTextField(label, placeholder);
    connect(input, &SleekTextField::textEdited, this,
            [this, field](const QString& text) { request(&LocationDetail::textEdited, field, text); });
    m_fields.append({field, input});
    return input;
}

SleekTextField* LocationDetail::field(QString Location::*field) const
{
    for (const auto& [f, input] : m_fields) {
        if (rules::locationField(f) == field)
            return input;
    }
    return nullptr;
}

Chip* LocationDetail::kindChip(LocationKind kind) const
{
    for (const auto& [value, chip] : m_kinds) {
        if (value == kind)
            return chip;
    }
    return nullptr;
}

template <typename Signal, typename... Args>
void LocationDetail::request(Signal signal, const Args&... args)
{
    if (!m_locationID.isNull())
        Q_EMIT(this->*signal)(m_locationID, args...);
}

void LocationDetail::setLocation(const Location& location)
{
    if (location.id != m_locationID) {
        m_locationID = location.id;
        verticalScrollBar()->setValue(0);
    }
    m_art->setSeed(location.artSeed);
    for (const auto& [f, input] : std::as_const(m_fields))
        input->setText(location.*rules::locationField(f));
    for (const auto& [value, chip] : std::as_const(m_kinds))
        chip->setOn(location.kind == value);
    m_look->setText(location.look);
    m_sound->setText(location.sound);
}

} // namespace studio
