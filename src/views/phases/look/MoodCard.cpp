#include "views/phases/look/MoodCard.h"

#include "design/widgets/FieldLabel.h"
#include "design/focus/FocusRing.h"
#include "design/widgets/LabeledSlider.h"
#include "design/widgets/PaddedCard.h"
#include "design/style/Palette.h"
#include "design/widgets/SectionHeader.h"
#include "design/text/SleekTextEditor.h"
#include "design/widgets/TagField.h"
#include "design/style/Tokens.h"
#include "state/rules/LookRules.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

constexpr qreal swatchSide = 22;
// The swatch's room around its circle holds the focus ring clear of the
// colour and of the chosen swatch's white ring.
constexpr int swatchRoom = 28;
// The circles stand 8 apart.
constexpr int swatchSpacing = 8 - (swatchRoom - int(swatchSide));

} // namespace

AccentSwatch::AccentSwatch(const QString& hex, QWidget* parent)
    : LookOption(parent)
    , m_hex(hex)
    , m_color(rules::swatchColor(hex))
{
    setFixedSize(swatchRoom, swatchRoom);
    // Heard by its colour's name: the screen shows a colour, no digits.
    QString name = LookChoices::accentNames().value(hex, hex);
    if (!name.isEmpty())
        name[0] = name[0].toUpper();
    setAccessibleName(name);
}

void AccentSwatch::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF r(QRectF(rect()).center() - QPointF(swatchSide, swatchSide) / 2.0, QSizeF(swatchSide, swatchSide));
    p.setPen(Qt::NoPen);
    p.setBrush(m_color);
    p.drawEllipse(r);
    // The ring lies inside the circle's edge.
    const qreal ring = isSelected() ? 2.0 : 1.0;
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(isSelected() ? Palette::white(level::full) : Palette::white(level::edge), ring));
    p.drawEllipse(r.adjusted(ring / 2, ring / 2, -ring / 2, -ring / 2));
    if (hasFocus())
        FocusRing::paintCircle(p, rect());
}

MoodCard::MoodCard(QWidget* parent)
    : QWidget(parent)
    , m_moodWords(new TagField(u"Elegiac, kinetic, tender\u2026"_s))
    , m_grain(new LabeledSlider(u"Texture"_s, u"Pristine"_s, u"Heavy grain"_s))
    , m_temperature(new LabeledSlider(u"Temperature"_s, u"Cool"_s, u"Warm"_s))
    , m_contrast(new LabeledSlider(u"Contrast"_s, u"Soft"_s, u"Hard"_s))
    , m_notes(new SleekTextEditor(u"Director's notes on the look"_s,
                                  u"Rules of the world: when do we move the camera? What colors are forbidden? "
                                  u"What does the light do when things go wrong?"_s,
                                  96, 13))
{
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedWidth(320);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* surface = new PaddedCard(18, 16);
    outer->addWidget(surface);
    QVBoxLayout* card = surface->stack();
    card->addWidget(new SectionHeader(u"Mood & Color"_s, u"Words and accents that ride along in every prompt."_s));

    auto* words = new QVBoxLayout;
    words->setSpacing(8);
    words->addWidget(new FieldLabel(u"Mood words"_s));
    words->addWidget(m_moodWords);
    m_moodWords->draftEdit()->setAccessibleName(u"Mood words"_s);
    // Where the keyboard rests when a word's × removes it.
    m_moodWords->setAccessibleName(u"Mood words"_s);
    card->addLayout(words);
    connect(m_moodWords, &TagField::tagsEdited, this, &MoodCard::moodWordsEdited);

    auto* accent = new QVBoxLayout;
    accent->setSpacing(8);
    accent->addWidget(new FieldLabel(u"Accent color"_s));
    auto* swatches = new QHBoxLayout;
    swatches->setSpacing(swatchSpacing);
    for (const QString& hex : LookChoices::accentSwatches()) {
        auto* swatch = new AccentSwatch(hex);
        swatches->addWidget(swatch, 0, Qt::AlignVCenter);
        m_swatches.append(swatch);
        connect(swatch, &QAbstractButton::clicked, this, [this, hex] { Q_EMIT accentPicked(hex); });
    }
    swatches->addStretch(1);
    accent->addLayout(swatches);
    card->addLayout(accent);

    auto* character = new QVBoxLayout;
    character->setSpacing(10);
    character->addWidget(new FieldLabel(u"Image character"_s));
    for (LabeledSlider* slider : {m_grain, m_temperature, m_contrast})
        character->addWidget(slider);
    card->addLayout(character);
    connect(m_grain, &LabeledSlider::valueEdited, this, &MoodCard::grainEdited);
    connect(m_temperature, &LabeledSlider::valueEdited, this, &MoodCard::temperatureEdited);
    connect(m_contrast, &LabeledSlider::valueEdited, this, &MoodCard::contrastEdited);

    card->addWidget(m_notes);
    connect(m_notes, &SleekTextEditor::textEdited, this, &MoodCard::notesEdited);
}

void MoodCard::display(const LookSpec& look)
{
    m_moodWords->setTags(look.moodWords);
    // Exact and case-sensitive: a stored "d8c49a" chooses no swatch.
    for (AccentSwatch* swatch : std::as_const(m_swatches))
        swatch->setSelected(swatch->hex() == look.accentHex);
    m_grain->setValue(look.grain);
    m_temperature->setValue(look.temperature);
    m_contrast->setValue(look.contrast);
    m_notes->setText(look.notes);
}

} // namespace studio
