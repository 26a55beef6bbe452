#include "views/phases/storyboard/ShotInspector.h"

#include "design/widgets/ArtThumb.h"
#include "design/widgets/Chip.h"
#include "design/widgets/FieldLabel.h"
#include "design/widgets/FlowLayout.h"
#include "design/widgets/GhostButton.h"
#include "design/widgets/KeyedList.h"
#include "design/style/Palette.h"
#include "design/widgets/ScrollColumn.h"
#include "design/text/SleekTextEditor.h"
#include "design/widgets/Slider.h"
#include "design/focus/TabOrder.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/ShotRecipe.h"
#include "model/Text.h"
#include "state/rules/StoryboardRules.h"
#include "views/phases/storyboard/ShotTiles.h"
#include "views/phases/storyboard/StoryboardButtons.h"
#include "views/phases/storyboard/TakeRow.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QMenu>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

constexpr int previewInset = 8;

// Keeps the "Reframe" capsule in the preview's bottom trailing corner.
class CornerKeeper : public QObject {
public:
    CornerKeeper(QWidget* host, QWidget* corner)
        : QObject(host)
        , m_host(host)
        , m_corner(corner)
    {
        host->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_host && event->type() == QEvent::Resize) {
            const QSize s = m_corner->sizeHint();
            m_corner->setGeometry(m_host->width() - previewInset - s.width(),
                                  m_host->height() - previewInset - s.height(), s.width(), s.height());
        }
        return false;
    }

private:
    QWidget* m_host;
    QWidget* m_corner;
};

QVBoxLayout* vbox(QWidget* host, int spacing)
{
    auto* layout = new QVBoxLayout(host);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    return layout;
}

} // namespace

ShotInspector::ShotInspector(QWidget* parent)
    : QWidget(parent)
    , m_scroll(new ScrollColumn(this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    vbox(this, 0)->addWidget(m_scroll);

    QWidget* page = m_scroll->content();
    QVBoxLayout* column = m_scroll->column();
    column->setContentsMargins(16, 16, 16, 16);
    column->setSpacing(14);
    buildPreview(column);
    buildChips(column);
    buildRecipe(column);
    buildDuration(column);
    buildTexts(column);
    buildTakes(column);
    m_delete = new GhostButton(u"Delete shot"_s, Palette::danger(), page);
    connect(m_delete, &QAbstractButton::clicked, this, &ShotInspector::deleteRequested);
    column->addWidget(m_delete, 0, Qt::AlignLeft);
    column->addStretch(1);
}

ShotInspector::~ShotInspector() = default;

QWidget* ShotInspector::section(QBoxLayout* column, int spacing)
{
    auto* box = new QWidget(column->parentWidget());
    vbox(box, spacing);
    column->addWidget(box);
    return box;
}

void ShotInspector::buildPreview(QBoxLayout* column)
{
    m_preview = new ArtThumb(QString(), 560, 560 / ratio(m_aspect), column->parentWidget());
    m_preview->setCornerRadius(12);
    m_preview->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_preview->setFixedHeight(int(std::round(previewHeight(m_aspect))));
    m_reframe = new OverlayButton(u"arrow.triangle.2.circlepath"_s, u"Reframe"_s, m_preview);
    new CornerKeeper(m_preview, m_reframe);
    connect(m_reframe, &QAbstractButton::clicked, this, &ShotInspector::reframeRequested);
    column->addWidget(m_preview);
}

void ShotInspector::buildChips(QBoxLayout* column)
{
    QWidget* sizes = section(column, 8);
    sizes->layout()->addWidget(new FieldLabel(u"Shot size"_s, sizes));
    auto* sizeFlow = new FlowLayout(4);
    for (ShotSize size : allCases<ShotSize>()) {
        auto* chip = new Chip(abbrev(size), false, sizes);
        chip->setOneOf(true);
        // Shown as letters, said as words.
        chip->setAccessibleDescription(spokenSize(size));
        connect(chip, &QAbstractButton::clicked, this, [this, size] { Q_EMIT sizePicked(size); });
        sizeFlow->addWidget(chip);
        m_sizeChips << chip;
    }
    static_cast<QBoxLayout*>(sizes->layout())->addLayout(sizeFlow);
    m_sizeLabel = new TextLabel(QString(), Theme::font(type::label), Palette::textTertiary(), sizes);
    sizes->layout()->addWidget(m_sizeLabel);

    QWidget* moves = section(column, 8);
    moves->layout()->addWidget(new FieldLabel(u"Camera"_s, moves));
    auto* moveFlow = new FlowLayout(4);
    for (CameraMove move : allCases<CameraMove>()) {
        auto* chip = new Chip(label(move), false, moves);
        chip->setOneOf(true);
        connect(chip, &QAbstractButton::clicked, this, [this, move] { Q_EMIT movePicked(move); });
        moveFlow->addWidget(chip);
        m_moveChips << chip;
    }
    static_cast<QBoxLayout*>(moves->layout())->addLayout(moveFlow);
}

void ShotInspector::buildRecipe(QBoxLayout* column)
{
    QWidget* box = section(column, 8);
    auto* header = new QHBoxLayout;
    header->setContentsMargins(0, 0, 0, 0);
    header->addWidget(new FieldLabel(u"Signature recipe"_s, box));
    header->addStretch(1);
    m_clear = new PlainButton(QString(), u"Clear"_s, Theme::font(type::label), Palette::textTertiary(), box);
    connect(m_clear, &QAbstractButton::clicked, this, &ShotInspector::recipeCleared);
    header->addWidget(m_clear);
    static_cast<QBoxLayout*>(box->layout())->addLayout(header);

    m_recipeMenu = new RecipeMenuButton(box);
    ShotTiles::fillRecipeMenu(*m_recipeMenu->menu(), this,
                              [this](const QString& id) { Q_EMIT recipePicked(id); });
    box->layout()->addWidget(m_recipeMenu);

    m_phrase = new TextLabel(QString(), Theme::font(type::footnote), Palette::textTertiary(), box);
    m_phrase->setWordWrap(true);
    box->layout()->addWidget(m_phrase);
    // Named before any shot is shown: a reader reads the hidden pane too.
    showRecipe(std::nullopt);
}

void ShotInspector::showRecipe(const std::optional<QString>& recipeID)
{
    m_clear->setVisible(recipeID.has_value());
    m_recipeMenu->setLabel(rules::recipeTitle(recipeID));
    // An id that names no recipe still reads as set.
    m_recipeMenu->setLabelColor(recipeID ? Palette::textPrimary() : Palette::textTertiary());
    const ShotRecipe* recipe = recipeID ? ShotRecipe::find(*recipeID) : nullptr;
    m_phrase->setText(recipe ? recipe->phrase : QString());
    m_phrase->setVisible(recipe != nullptr);
}

void ShotInspector::buildDuration(QBoxLayout* column)
{
    QWidget* box = section(column, 8);
    box->layout()->addWidget(new FieldLabel(u"Duration"_s, box));
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);
    m_slider = new Slider(1.0, 20.0, box);
    m_slider->setStep(0.5);
    m_slider->setTint(Palette::accentDeep());
    m_slider->setAccessibleName(u"Duration"_s);
    m_slider->setValueText([](double seconds) { return Slider::amount(seconds, 1, u"second"_s, u"seconds"_s); });
    connect(m_slider, &Slider::valueEdited, this, &ShotInspector::secondsEdited);
    m_duration = new TextLabel(QString(), Theme::font(type::control, QFont::DemiBold), Palette::textPrimary(), box);
    m_duration->setFixedWidth(42);
    m_duration->setAlignment(Qt::AlignRight);
    row->addWidget(m_slider, 1);
    row->addWidget(m_duration);
    static_cast<QBoxLayout*>(box->layout())->addLayout(row);
}

void ShotInspector::buildTexts(QBoxLayout* column)
{
    QWidget* box = section(column, 6);
    m_describe = new PlainButton(u"wand.and.stars"_s, u"Describe with AI"_s, Theme::font(type::label, QFont::Medium),
                                 Palette::gold(), box);
    connect(m_describe, &QAbstractButton::clicked, this, &ShotInspector::describeRequested);
    box->layout()->addWidget(m_describe);
    box->layout()->setAlignment(m_describe, Qt::AlignLeft);
    m_what = new SleekTextEditor(u"What we see"_s, u"The action inside this frame."_s, 64, 13, box);
    connect(m_what, &SleekTextEditor::textEdited, this, &ShotInspector::whatEdited);
    box->layout()->addWidget(m_what);

    m_dialogue = new SleekTextEditor(u"Dialogue in shot"_s, u"Spoken over or in this shot."_s, 46, 13,
                                     column->parentWidget());
    connect(m_dialogue, &SleekTextEditor::textEdited, this, &ShotInspector::dialogueEdited);
    column->addWidget(m_dialogue);
}

void ShotInspector::buildTakes(QBoxLayout* column)
{
    m_takes = section(column, 6);
    m_takesLabel = new FieldLabel(QString(), m_takes);
    m_takes->layout()->addWidget(m_takesLabel);
    auto* rows = new QWidget(m_takes);
    m_takeLayout = vbox(rows, 6);
    m_takes->layout()->addWidget(rows);
    m_takeRows = std::make_unique<KeyedList<QUuid, TakeRow>>(m_takeLayout);
}

QList<TakeRow*> ShotInspector::takeRows() const
{
    return m_takeRows->widgets();
}

qreal ShotInspector::previewHeight(AspectRatio aspect)
{
    // 264 / 0.5625 would fill the pane with one frame.
    return 264.0 / (aspect == AspectRatio::vertical916 ? 0.85 : ratio(aspect));
}

void ShotInspector::showShot(const Shot& shot, AspectRatio aspect)
{
    if (aspect != m_aspect) {
        m_aspect = aspect;
        m_preview->setFixedHeight(int(std::round(previewHeight(aspect))));
    }
    m_preview->setArtSize(560, 560 / ratio(aspect));
    m_preview->setSeed(shot.bestSeed());

    const QList<ShotSize> sizes = allCases<ShotSize>();
    for (qsizetype i = 0; i < m_sizeChips.size(); ++i)
        m_sizeChips[i]->setOn(sizes[i] == shot.size);
    m_sizeLabel->setText(label(shot.size));
    const QList<CameraMove> moves = allCases<CameraMove>();
    for (qsizetype i = 0; i < m_moveChips.size(); ++i)
        m_moveChips[i]->setOn(moves[i] == shot.move);

    showRecipe(shot.recipeID);

    m_slider->setValue(shot.seconds);
    m_duration->setText(text::format("%.1f", shot.seconds) + u's');

    m_describe->setVisible(shot.what.isEmpty());
    m_what->setText(shot.what);
    m_dialogue->setText(shot.dialogue);

    m_takes->setVisible(!shot.takes.isEmpty());
    m_takesLabel->setCaption(u"Takes · "_s + QString::number(shot.takes.size()));
    m_takeRows->sync(
        shot.takes, [](const Take& t) { return t.id; },
        [this](const Take& t) {
            auto* row = new TakeRow;
            connect(row, &QAbstractButton::clicked, this, [this, id = t.id] { Q_EMIT approvalToggled(id); });
            return row;
        },
        [&](TakeRow* row, const Take& t, int) { row->setContent(t.seed, t.note, shot.approvedTakeID == t.id); });
    // Rows made for new takes join the window's Tab order at its end; they
    // belong between the dialogue and "Delete shot", in take order.
    QList<QWidget*> stops;
    for (TakeRow* row : m_takeRows->widgets())
        stops << row;
    stops << m_delete;
    TabOrder::chain(m_dialogue->textEdit(), stops);
}

} // namespace studio
