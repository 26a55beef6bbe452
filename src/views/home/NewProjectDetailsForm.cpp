#include "views/home/NewProjectDetailsForm.h"

#include "design/widgets/CardSurface.h"
#include "design/widgets/Chip.h"
#include "design/widgets/FieldLabel.h"
#include "design/widgets/FlowLayout.h"
#include "design/style/Palette.h"
#include "design/style/Shapes.h"
#include "design/text/SleekTextField.h"
#include "design/widgets/Slider.h"
#include "design/widgets/SpokenName.h"
#include "design/widgets/SymbolLabel.h"
#include "design/widgets/TextLabel.h"
#include "design/widgets/TextCapsule.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "state/rules/NewProjectDraft.h"

#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QVBoxLayout>

#include <cmath>

using namespace Qt::StringLiterals;

namespace studio {

using rules::NewProjectDraft;

namespace {

constexpr int pillsMaximumWidth = 240;

QVBoxLayout* block(QWidget* parent, QVBoxLayout* form)
{
    auto* box = new QWidget(parent);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    form->addWidget(box);
    return column;
}

// A slider with its value at the right, framed 64 points wide.
QHBoxLayout* sliderRow(Slider* slider, TextLabel* value)
{
    auto* row = new QHBoxLayout;
    row->setSpacing(14);
    slider->setTint(Palette::accentDeep());
    row->addWidget(slider, 1, Qt::AlignVCenter);
    value->setFixedWidth(64);
    value->setAlignment(Qt::AlignRight);
    row->addWidget(value, 0, Qt::AlignVCenter);
    return row;
}

} // namespace

NewProjectDetailsForm::NewProjectDetailsForm(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    auto* form = new QVBoxLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->setSpacing(22);

    m_title = new SleekTextField(u"Title"_s, u"Untitled — great films have started with less"_s, this);
    form->addWidget(m_title);
    connect(m_title, &SleekTextField::textEdited, this, &NewProjectDetailsForm::nameEdited);
    connect(m_title->lineEdit(), &QLineEdit::returnPressed, this, &NewProjectDetailsForm::submitted);

    QVBoxLayout* genres = block(this, form);
    genres->addWidget(new FieldLabel(u"Genres"_s));
    auto* chipBox = new QWidget;
    auto* flow = new FlowLayout(6, chipBox);
    for (Genre genre : allCases<Genre>()) {
        auto* chip = new Chip(label(genre), false, chipBox);
        flow->addWidget(chip);
        m_chips.insert(genre, chip);
        connect(chip, &QAbstractButton::clicked, this, [this, genre] { Q_EMIT genreToggled(genre); });
    }
    genres->addWidget(chipBox);

    QVBoxLayout* runtime = block(this, form);
    m_runtimeCaption = new FieldLabel(QString());
    runtime->addWidget(m_runtimeCaption);
    m_runtime = new Slider(3, 40);
    // Whole minutes and whole episodes, as the labels beside them show.
    m_runtime->setStep(1);
    m_runtime->setValueText([](double minutes) { return Slider::amount(minutes, 0, u"minute"_s, u"minutes"_s); });
    m_runtimeValue = new TextLabel(QString(), Theme::font(type::headline, QFont::DemiBold), Palette::textPrimary());
    runtime->addLayout(sliderRow(m_runtime, m_runtimeValue));
    connect(m_runtime, &Slider::valueEdited, this, &NewProjectDetailsForm::runtimeEdited);

    QVBoxLayout* episodes = block(this, form);
    m_episodeBlock = episodes->parentWidget();
    m_episodesCaption = new FieldLabel(QString());
    episodes->addWidget(m_episodesCaption);
    m_episodes = new Slider(NewProjectDraft::minimumEpisodes, NewProjectDraft::maximumEpisodes);
    m_episodes->setStep(1);
    m_episodesValue = new TextLabel(QString(), Theme::font(type::headline, QFont::DemiBold), Palette::textPrimary());
    episodes->addLayout(sliderRow(m_episodes, m_episodesValue));
    m_seasonTotal = new TextLabel(QString(), Theme::font(type::small), Palette::textTertiary());
    episodes->addWidget(m_seasonTotal);
    connect(m_episodes, &Slider::valueEdited, this, &NewProjectDetailsForm::episodesEdited);

    QVBoxLayout* structureBlock = block(this, form);
    structureBlock->addWidget(new FieldLabel(u"Story engine"_s));
    auto* card = new CardSurface(12, Palette::surface());
    auto* row = new QHBoxLayout(card);
    row->setContentsMargins(14, 14, 14, 14);
    row->setSpacing(10);
    row->addWidget(new SymbolLabel(u"map.fill"_s, 12, Palette::gold()), 0, Qt::AlignVCenter);
    auto* names = new QVBoxLayout;
    names->setSpacing(2);
    m_structureLabel = new TextLabel(QString(), Theme::font(type::subheadline, QFont::DemiBold), Palette::textPrimary());
    m_structureBlurb = new TextLabel(QString(), Theme::font(type::callout), Palette::textTertiary());
    m_structureBlurb->setWordWrap(true);
    names->addWidget(m_structureLabel);
    names->addWidget(m_structureBlurb);
    row->addLayout(names, 1);
    m_pillBox = new QWidget;
    m_pills = new FlowLayout(4, m_pillBox);
    row->addWidget(m_pillBox, 0, Qt::AlignVCenter);
    structureBlock->addWidget(card);
    form->addStretch(1);
}

void NewProjectDetailsForm::display(const NewProjectDraft& draft)
{
    m_title->setText(draft.name);
    for (auto it = m_chips.cbegin(); it != m_chips.cend(); ++it)
        it.value()->setOn(draft.hasGenre(it.key()));

    const ProjectFormat format = draft.format;
    // The captions are paintings of their own; the sliders that take the
    // keyboard carry their words.
    m_runtimeCaption->setCaption(draft.runtimeCaption());
    setSpokenName(m_runtime, draft.runtimeCaption());
    m_runtime->setRange(double(runtimeMin(format)), double(runtimeMax(format)));
    m_runtime->setValue(draft.runtime);
    m_runtimeValue->setText(draft.runtimeText());

    m_episodeBlock->setVisible(isEpisodic(format));
    m_episodesCaption->setCaption(draft.episodesCaption());
    setSpokenName(m_episodes, draft.episodesCaption());
    m_episodes->setValue(draft.episodeCount);
    m_episodesValue->setText(draft.episodesText());
    m_seasonTotal->setText(draft.seasonTotal());

    const StructureKind structure = draft.structure();
    if (m_structureShown && structure == m_shownStructure)
        return;
    m_structureShown = true;
    m_shownStructure = structure;
    m_structureLabel->setText(label(structure));
    m_structureBlurb->setText(blurb(structure));
    while (QLayoutItem* item = m_pills->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    // The structure's acts are made afresh each time; only their titles show.
    const QList<Act> acts = structureTemplate(structure);
    int natural = 0;
    for (qsizetype i = 0; i < std::min<qsizetype>(4, acts.size()); ++i) {
        auto* pill = new TextCapsule(acts[i].title, m_pillBox);
        natural += (i > 0 ? m_pills->flowSpacing() : 0) + pill->width();
        m_pills->addWidget(pill);
    }
    // The pills take the width they need, wrapping only past 240 points, and
    // sit at the card's trailing edge.
    m_pillBox->setFixedWidth(std::min(natural, pillsMaximumWidth));
}

QString NewProjectDetailsForm::runtimeCaption() const { return m_runtimeCaption->caption(); }
QString NewProjectDetailsForm::runtimeText() const { return m_runtimeValue->text(); }
bool NewProjectDetailsForm::showsEpisodes() const { return !m_episodeBlock->isHidden(); }
QString NewProjectDetailsForm::episodesCaption() const { return m_episodesCaption->caption(); }
QString NewProjectDetailsForm::episodesText() const { return m_episodesValue->text(); }
QString NewProjectDetailsForm::seasonTotal() const { return m_seasonTotal->text(); }
QString NewProjectDetailsForm::structureLabel() const { return m_structureLabel->text(); }
QString NewProjectDetailsForm::structureBlurb() const { return m_structureBlurb->text(); }

QStringList NewProjectDetailsForm::structurePills() const
{
    QStringList titles;
    for (int i = 0; i < m_pills->count(); ++i) {
        if (auto* pill = dynamic_cast<TextCapsule*>(m_pills->itemAt(i)->widget()))
            titles.append(pill->text());
    }
    return titles;
}

} // namespace studio
