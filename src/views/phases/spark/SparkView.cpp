#include "views/phases/spark/SparkView.h"

#include "design/focus/FocusOnAdded.h"
#include "design/widgets/CardSurface.h"
#include "design/widgets/Chip.h"
#include "design/widgets/FieldLabel.h"
#include "design/widgets/FlowLayout.h"
#include "design/widgets/LabeledSlider.h"
#include "design/widgets/MenuButton.h"
#include "design/widgets/PaddedCard.h"
#include "design/style/Palette.h"
#include "design/text/PlainTextEditor.h"
#include "design/text/PlainTextField.h"
#include "design/widgets/ScrollColumn.h"
#include "design/style/Shapes.h"
#include "design/text/SleekTextEditor.h"
#include "design/text/SleekTextField.h"
#include "design/widgets/Slider.h"
#include "design/style/Symbols.h"
#include "design/widgets/TagField.h"
#include "design/widgets/TextLabel.h"
#include "design/widgets/SymbolTile.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Lookup.h"
#include "state/edits/SparkEdits.h"
#include "state/rules/SparkRules.h"
#include "views/phases/spark/IdeaBoard.h"
#include "views/phases/spark/IdeaCardView.h"
#include "views/phases/spark/InterrogationCard.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

constexpr int rightColumnWidth = 340;

struct ToneDial {
    QString title;
    QString left;
    QString right;
    double ToneProfile::*field;
    edits::ToneAxis axis;
};

const QList<ToneDial>& toneDials()
{
    static const QList<ToneDial> dials = {
        {u"Brightness"_s, u"Light"_s, u"Dark"_s, &ToneProfile::brightness, edits::ToneAxis::brightness},
        {u"Reality"_s, u"Grounded"_s, u"Fantastical"_s, &ToneProfile::realism, edits::ToneAxis::realism},
        {u"Energy"_s, u"Contemplative"_s, u"Kinetic"_s, &ToneProfile::energy, edits::ToneAxis::energy},
        {u"Humor"_s, u"Earnest"_s, u"Comedic"_s, &ToneProfile::humor, edits::ToneAxis::humor},
    };
    return dials;
}

// A card of the page, handing out its padded stack.
CardSurface* card(int padding, int spacing, QVBoxLayout** stack)
{
    auto* surface = new PaddedCard(padding, spacing);
    *stack = surface->stack();
    return surface;
}

TextLabel* hint(const QString& text)
{
    auto* label = new TextLabel(text, Theme::font(type::small), Palette::textTertiary());
    label->setWordWrap(true);
    return label;
}

} // namespace

SparkView::SparkView(ScreenSession screenSession, QWidget* parent)
    : PhaseScreen(screenSession, parent)
    , m_page(new ScrollColumn(this))
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_page);
    m_page->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    QVBoxLayout* page = m_page->column();
    page->setContentsMargins(24, 24, 24, 24);
    page->setSpacing(20);
    auto* columns = new QHBoxLayout;
    columns->setSpacing(20);
    // Both columns fill the row and end in a stretch: the shorter one's spare
    // height goes below its last card, never into its cards.
    columns->addWidget(leftColumn(), 1);
    columns->addWidget(rightColumn(), 0);
    page->addLayout(columns);
    m_board = new IdeaBoard;
    page->addWidget(m_board);
    page->addStretch(1);
    connectIdeaBoard();

    requestRefresh();
}

SparkView::~SparkView() = default;

QWidget* SparkView::leftColumn()
{
    auto* column = new QWidget;
    auto* stack = new QVBoxLayout(column);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(16);

    QVBoxLayout* inner = nullptr;
    // Logline.
    stack->addWidget(card(16, 8, &inner));
    auto* header = new QHBoxLayout;
    const QString loglineLabel = u"Logline \u2014 the one-sentence movie"_s;
    header->addWidget(new FieldLabel(loglineLabel), 0, Qt::AlignVCenter);
    header->addStretch(1);
    m_loglineCounter = new TextLabel(QString(), Theme::font(type::label), Palette::textTertiary());
    m_loglineCounter->setAlignment(Qt::AlignRight);
    header->addWidget(m_loglineCounter, 0, Qt::AlignVCenter);
    inner->addLayout(header);
    m_logline = new PlainTextEditor(QString(), Theme::font(type::titleLarge, QFont::Medium));
    m_logline->setTextColor(Palette::textPrimary());
    m_logline->setMinimumTextHeight(84);
    m_logline->textEdit()->setAccessibleName(loglineLabel);
    inner->addWidget(m_logline);
    inner->addWidget(hint(u"Who wants what \u2014 and what stands in the way?"_s));
    connect(m_logline, &PlainTextEditor::textEdited, this, [this](const QString& text) {
        edit([&](Project& p) { edits::setLogline(p, text); });
    });

    // Premise.
    stack->addWidget(card(16, 8, &inner));
    m_premise = new SleekTextEditor(u"Premise \u2014 the paragraph version"_s,
                                    u"The world, the want, the wound. Write it like you'd pitch it to a friend."_s,
                                    120, 13);
    inner->addWidget(m_premise);
    connect(m_premise, &SleekTextEditor::textEdited, this, [this](const QString& text) {
        edit([&](Project& p) { edits::setPremise(p, text); });
    });

    // Argument.
    stack->addWidget(card(16, 8, &inner));
    const QString argumentLabel = u"The argument \u2014 what the film proves"_s;
    inner->addWidget(new FieldLabel(argumentLabel));
    m_argument = new PlainTextField(u"State it like a verdict: \"Vigilance isn't living.\""_s,
                                    Theme::font(type::title3, QFont::Medium));
    m_argument->lineEdit()->setAccessibleName(argumentLabel);
    m_argument->setTextColor(Palette::textPrimary());
    inner->addWidget(m_argument);
    inner->addWidget(
        hint(u"Themes are nouns. Arguments take a side \u2014 and every beat can be tested against one."_s));
    connect(m_argument, &PlainTextField::textEdited, this, [this](const QString& text) {
        edit([&](Project& p) { edits::setArgument(p, text); });
    });

    // Themes.
    stack->addWidget(card(16, 8, &inner));
    const QString themesLabel = u"Themes & motifs"_s;
    inner->addWidget(new FieldLabel(themesLabel));
    m_themes = new TagField(u"What is it really about?"_s);
    m_themes->draftEdit()->setAccessibleName(themesLabel);
    // Where the keyboard rests when a theme's × removes it.
    m_themes->setAccessibleName(themesLabel);
    inner->addWidget(m_themes);
    connect(m_themes, &TagField::tagsEdited, this, [this](const QStringList& tags) {
        edit([&](Project& p) { edits::setThemes(p, tags); });
    });

    m_interrogation = new InterrogationCard;
    stack->addWidget(m_interrogation);
    stack->addStretch(1);
    connect(m_interrogation, &InterrogationCard::answerRequested, this, [this](const QString& question) {
        QUuid added;
        edit([&](Project& p) {
            added = edits::appendIdeaCard(p, IdeaCardKind::concept_, rules::answerCardText(question));
        });
        // The question is on the board; the answer is what the user types.
        FocusOnAdded::give(m_board->revealCard(added), FocusOnAdded::Typing::follows);
    });
    return column;
}

QWidget* SparkView::rightColumn()
{
    auto* column = new QWidget;
    column->setFixedWidth(rightColumnWidth);
    auto* stack = new QVBoxLayout(column);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(14);

    QVBoxLayout* inner = nullptr;
    stack->addWidget(card(14, 8, &inner));
    m_title = new SleekTextField(u"Working title"_s, u"Untitled"_s);
    inner->addWidget(m_title);
    connect(m_title, &SleekTextField::textEdited, this, [this](const QString& text) {
        edit([&](Project& p) { edits::setWorkingTitle(p, text); });
    });

    stack->addWidget(formatCard());
    stack->addWidget(genresCard());
    stack->addWidget(toneCard());
    stack->addWidget(ratingRuntimeCard());
    stack->addStretch(1);
    return column;
}

QWidget* SparkView::formatCard()
{
    auto* surface = new CardSurface(16, Palette::surface());
    auto* row = new QHBoxLayout(surface);
    row->setContentsMargins(14, 14, 14, 14);
    row->setSpacing(11);
    m_formatTile = new SymbolTile(14);
    row->addWidget(m_formatTile, 0, Qt::AlignVCenter);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    m_formatLabel = new TextLabel(QString(), Theme::font(type::headlineLarge, QFont::DemiBold), Palette::textPrimary());
    m_targeting = new TextLabel(QString(), Theme::font(type::callout), Palette::textTertiary());
    texts->addWidget(m_formatLabel);
    texts->addWidget(m_targeting);
    row->addLayout(texts, 1);
    m_formatMenu = new MenuButton(u"Change"_s);
    m_formatMenu->setShape(MenuButton::Shape::plain);
    m_formatMenu->setPadding(0, 0);
    m_formatMenu->setLabelFont(Theme::font(type::callout, QFont::Medium));
    m_formatMenu->setLabelColor(Palette::textSecondary());
    m_formatMenu->setCursor(Qt::PointingHandCursor);
    // The word shown, and what it changes.
    m_formatMenu->setAccessibleName(u"Change format"_s);
    row->addWidget(m_formatMenu, 0, Qt::AlignVCenter);
    for (ProjectFormat format : allCases<ProjectFormat>()) {
        QAction* action = m_formatMenu->menu()->addAction(Theme::escapeMnemonic(label(format)));
        connect(action, &QAction::triggered, this,
                [this, format] { edit([format](Project& p) { edits::changeFormat(p, format); }); });
    }
    return surface;
}

QWidget* SparkView::genresCard()
{
    QVBoxLayout* inner = nullptr;
    CardSurface* surface = card(14, 9, &inner);
    inner->addWidget(new FieldLabel(u"Genres"_s));
    auto* chips = new QWidget;
    auto* flow = new FlowLayout(5, chips);
    for (Genre genre : allCases<Genre>()) {
        // Built in the state the production has, so nothing fades in on opening.
        auto* chip = new Chip(label(genre), project().idea.genres.contains(genre));
        flow->addWidget(chip);
        m_genreChips.append(chip);
        connect(chip, &QAbstractButton::clicked, this, [this, genre] {
            edit([genre](Project& p) { edits::toggleGenre(p, genre); });
        });
    }
    inner->addWidget(chips);
    return surface;
}

QWidget* SparkView::toneCard()
{
    QVBoxLayout* inner = nullptr;
    CardSurface* surface = card(14, 12, &inner);
    inner->addWidget(new FieldLabel(u"Tone dials"_s));
    for (const ToneDial& dial : toneDials()) {
        auto* slider = new LabeledSlider(dial.title, dial.left, dial.right);
        inner->addWidget(slider);
        m_toneDials.append(slider);
        const edits::ToneAxis axis = dial.axis;
        connect(slider, &LabeledSlider::valueEdited, this,
                [this, axis](double value) { edit([&](Project& p) { edits::setTone(p, axis, value); }); });
    }
    return surface;
}

QWidget* SparkView::ratingRuntimeCard()
{
    QVBoxLayout* inner = nullptr;
    CardSurface* surface = card(14, 12, &inner);

    auto* audience = new QVBoxLayout;
    audience->setSpacing(8);
    audience->addWidget(new FieldLabel(u"Audience"_s));
    auto* chips = new QWidget;
    auto* flow = new FlowLayout(5, chips);
    for (Rating rating : allCases<Rating>()) {
        auto* chip = new Chip(label(rating), project().idea.rating == rating);
        chip->setOneOf(true);
        flow->addWidget(chip);
        m_ratingChips.append(chip);
        connect(chip, &QAbstractButton::clicked, this,
                [this, rating] { edit([rating](Project& p) { edits::setRating(p, rating); }); });
    }
    audience->addWidget(chips);
    inner->addLayout(audience);

    auto* runtime = new QVBoxLayout;
    runtime->setSpacing(8);
    m_runtimeCaption = new FieldLabel;
    runtime->addWidget(m_runtimeCaption);
    auto* row = new QHBoxLayout;
    row->setSpacing(12);
    m_runtime = new Slider(runtimeMin(ProjectFormat::shortFilm), runtimeMax(ProjectFormat::shortFilm));
    m_runtime->setTint(Palette::accentDeep());
    // Whole minutes, as the label beside it shows them.
    m_runtime->setStep(1);
    m_runtime->setValueText([](double value) {
        return Slider::amount(double(rules::runtimeFromSlider(value)), 0, u"minute"_s, u"minutes"_s);
    });
    row->addWidget(m_runtime, 1, Qt::AlignVCenter);
    m_runtimeText = new TextLabel(QString(), Theme::font(type::control, QFont::DemiBold), Palette::textPrimary());
    m_runtimeText->setFixedSize(44, m_runtimeText->sizeHint().height());
    m_runtimeText->setAlignment(Qt::AlignTrailing);
    row->addWidget(m_runtimeText, 0, Qt::AlignVCenter);
    runtime->addLayout(row);
    inner->addLayout(runtime);
    connect(m_runtime, &Slider::valueEdited, this, [this](double value) {
        const qint64 minutes = rules::runtimeFromSlider(value);
        edit([minutes](Project& p) { edits::setTargetRuntime(p, minutes); });
    });
    return surface;
}

void SparkView::connectIdeaBoard()
{
    connect(m_board, &IdeaBoard::addRequested, this, [this](IdeaCardKind kind) {
        QUuid added;
        edit([&](Project& p) { added = edits::appendIdeaCard(p, kind); });
        FocusOnAdded::give(m_board->revealCard(added));
    });
    connect(m_board, &IdeaBoard::textEdited, this, [this](const QUuid& cardID, const QString& text) {
        edit([&](Project& p) { edits::setIdeaCardText(p, cardID, text); });
    });
    connect(m_board, &IdeaBoard::deleteRequested, this,
            [this](const QUuid& cardID) { edit([&](Project& p) { edits::removeIdeaCard(p, cardID); }); });
}

void SparkView::refresh()
{
    const Project& p = project();
    const ProjectIdea& idea = p.idea;

    m_logline->setText(idea.logline);
    if (m_loglineCounter->text().isEmpty() || idea.logline != m_countedLogline) {
        m_countedLogline = idea.logline;
        m_loglineCounter->setText(rules::loglineCounterText(idea.logline));
        // A box of fixed size, grown only when a count outgrows it: a label
        // whose size can change makes every keystroke lay out the whole page.
        const QSize wanted = m_loglineCounter->sizeHint().expandedTo(m_counterBox);
        if (wanted != m_counterBox) {
            m_counterBox = wanted;
            m_loglineCounter->setFixedSize(wanted);
        }
    }
    m_premise->setText(idea.premise);
    // The fields show a new text from its start unless the user is in them,
    // and leave an unchanged one where it is.
    m_argument->setText(idea.argument);
    m_themes->setTags(idea.themes);
    m_interrogation->setProjectID(p.id);

    m_title->setText(p.name);
    m_formatTile->setSymbol(symbol(p.format));
    m_formatLabel->setText(label(p.format));
    m_targeting->setText(rules::targetingText(p));
    for (Genre genre : allCases<Genre>())
        m_genreChips[qsizetype(genre)]->setOn(idea.genres.contains(genre));
    for (qsizetype i = 0; i < m_toneDials.size(); ++i)
        m_toneDials[i]->setValue(idea.tone.*(toneDials()[i].field));
    for (Rating rating : allCases<Rating>())
        m_ratingChips[qsizetype(rating)]->setOn(idea.rating == rating);

    const QString runtimeCaption = rules::runtimeCaption(p.format);
    m_runtimeCaption->setCaption(runtimeCaption);
    if (m_runtime->accessibleName() != runtimeCaption)
        m_runtime->setAccessibleName(runtimeCaption);
    if (m_runtime->minimumValue() != double(runtimeMin(p.format))
        || m_runtime->maximumValue() != double(runtimeMax(p.format)))
        m_runtime->setRange(double(runtimeMin(p.format)), double(runtimeMax(p.format)));
    // Shown at the track's end when outside the range; never written back.
    m_runtime->setValue(double(idea.targetRuntimeMinutes));
    m_runtimeText->setText(rules::runtimeText(idea.targetRuntimeMinutes));

    m_board->setCards(idea.cards);
}

} // namespace studio
