#include "views/phases/look/LookView.h"

#include "design/widgets/ScrollColumn.h"
#include "model/LookCatalogs.h"
#include "state/edits/LookEdits.h"
#include "state/rules/LookRules.h"
#include "views/phases/look/CinematographyCard.h"
#include "views/phases/look/LensCard.h"
#include "views/phases/look/LensSection.h"
#include "views/phases/look/LookHero.h"
#include "views/phases/look/MoodCard.h"
#include "views/phases/look/StyleCard.h"
#include "views/phases/look/StyleGallery.h"

#include <QHBoxLayout>
#include <QScopeGuard>
#include <QShowEvent>
#include <QVBoxLayout>

namespace studio {

LookView::LookView(ScreenSession screenSession, QWidget* parent)
    : PhaseScreen(screenSession, parent)
    , m_page(new ScrollColumn(this))
    , m_hero(new LookHero)
    , m_gallery(new StyleGallery)
    , m_lens(new LensSection)
    , m_cinematography(new CinematographyCard)
    , m_mood(new MoodCard)
{
    setAttribute(Qt::WA_TranslucentBackground);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_page);

    QVBoxLayout* column = m_page->column();
    column->setContentsMargins(24, 24, 24, 24);
    column->setSpacing(22);
    column->addWidget(m_hero);
    column->addWidget(m_gallery);
    column->addWidget(m_lens);
    auto* cards = new QHBoxLayout;
    cards->setSpacing(18);
    cards->addWidget(m_cinematography, 1, Qt::AlignTop);
    cards->addWidget(m_mood, 0, Qt::AlignTop);
    column->addLayout(cards);
    column->addStretch(1);

    connect(m_gallery, &StyleGallery::categoryPicked, this, &LookView::setCategory);
    connect(m_gallery, &StyleGallery::styleChosen, this,
            [this](const QString& id) { editLook([&](Project& p) { edits::chooseStyle(p, id); }, 0.35); });
    connect(m_lens, &LensSection::lensClicked, this,
            [this](const QString& id) { editLook([&](Project& p) { edits::toggleDirectorLens(p, id); }, 0.35); });
    connect(m_lens, &LensSection::clearClicked, this,
            [this] { editLook([](Project& p) { edits::clearDirectorLens(p); }, 0.3); });

    connect(m_cinematography, &CinematographyCard::aspectPicked, this,
            [this](AspectRatio aspect) { editLook([&](Project& p) { edits::setAspect(p, aspect); }); });
    connect(m_cinematography, &CinematographyCard::frameRatePicked, this,
            [this](FrameRate rate) { editLook([&](Project& p) { edits::setFrameRate(p, rate); }); });
    connect(m_cinematography, &CinematographyCard::lensFeelToggled, this,
            [this](const QString& text) { editLook([&](Project& p) { edits::toggleLensFeel(p, text); }); });
    connect(m_cinematography, &CinematographyCard::lightingMoodToggled, this,
            [this](const QString& text) { editLook([&](Project& p) { edits::toggleLightingMood(p, text); }); });

    connect(m_mood, &MoodCard::moodWordsEdited, this,
            [this](const QStringList& words) { editLook([&](Project& p) { edits::setMoodWords(p, words); }); });
    connect(m_mood, &MoodCard::accentPicked, this,
            [this](const QString& hex) { editLook([&](Project& p) { edits::setAccent(p, hex); }); });
    connect(m_mood, &MoodCard::grainEdited, this,
            [this](double value) { editLook([&](Project& p) { edits::setGrain(p, value); }); });
    connect(m_mood, &MoodCard::temperatureEdited, this,
            [this](double value) { editLook([&](Project& p) { edits::setTemperature(p, value); }); });
    connect(m_mood, &MoodCard::contrastEdited, this,
            [this](double value) { editLook([&](Project& p) { edits::setContrast(p, value); }); });
    connect(m_mood, &MoodCard::notesEdited, this,
            [this](const QString& notes) { editLook([&](Project& p) { edits::setLookNotes(p, notes); }); });

    // The screen appears right after it is built; taking the stored style's
    // category now shows the gallery in place at once instead of moving the
    // category picker while the screen comes up.
    syncCategory();
    requestRefresh();
}

void LookView::forgetDrawings()
{
    StyleCard::forgetDrawings();
    LensCard::forgetDrawings();
}

void LookView::refresh()
{
    const LookSpec& look = project().look;
    // Most changes of the production are elsewhere (a beat, a take); the
    // look's widgets are left alone unless the look itself changed.
    if (m_shown && *m_shown == look)
        return;
    m_shown = look;
    const LookSpec& shown = *m_shown;
    m_hero->display(shown.styleID ? StylePreset::find(*shown.styleID) : nullptr);
    m_gallery->display(m_category, shown.styleID, m_spring.has_value());
    m_lens->display(shown.directorLensID, m_spring);
    m_cinematography->display(shown);
    m_mood->display(shown);
}

void LookView::showEvent(QShowEvent* event)
{
    PhaseScreen::showEvent(event);
    // Each time the screen appears (not when the window comes back from
    // being minimised), the gallery opens on the stored style's category.
    if (!event->spontaneous())
        syncCategory();
}

void LookView::syncCategory()
{
    if (const auto category = rules::categoryOfStyle(project().look.styleID))
        setCategory(*category);
}

void LookView::setCategory(StyleCategory category)
{
    if (category == m_category)
        return;
    m_category = category;
    m_gallery->display(m_category, project().look.styleID, false);
}

void LookView::editLook(const std::function<void(Project&)>& change, std::optional<qreal> springResponse)
{
    m_spring = springResponse;
    const auto reset = qScopeGuard([this] { m_spring.reset(); });
    edit(change);
}

} // namespace studio
