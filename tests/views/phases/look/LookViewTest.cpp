// The look screen against a session: what a click stores (one edit per
// action, toggles by the stored list, no style ever cleared), the gallery's
// category following the stored style only when the screen appears, values
// shown without being written back, and typing that survives a change
// landing meanwhile.

#include "design/widgets/Chip.h"
#include "design/widgets/GhostButton.h"
#include "design/widgets/LabeledSlider.h"
#include "design/widgets/PillPicker.h"
#include "design/text/SleekTextEditor.h"
#include "design/widgets/Slider.h"
#include "design/widgets/TagField.h"
#include "design/DesignSystem.h"
#include "model/LookCatalogs.h"
#include "state/ProjectSession.h"
#include "state/assist/AssistResults.h"
#include "state/rules/LookRules.h"
#include "views/phases/look/CinematographyCard.h"
#include "views/phases/look/LensCard.h"
#include "views/phases/look/LensSection.h"
#include "views/phases/look/LookHero.h"
#include "views/phases/look/LookView.h"
#include "views/phases/look/MoodCard.h"
#include "views/phases/look/StyleCard.h"
#include "views/phases/look/StyleGallery.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QTextEdit>
#include <QtTest>

#include <cmath>
#include <memory>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

Project withLook(const LookSpec& look)
{
    Project p;
    p.name = u"Look test"_s;
    p.activePhase = PhaseID::look;
    p.look = look;
    return p;
}

// A session and its look screen; counts the production's changes.
struct Fixture {
    ProjectSession session;
    LookView view;
    int changes = 0;

    explicit Fixture(const LookSpec& look = {})
        : session(withLook(look))
        , view(session)
    {
        view.resize(1080, 700);
        QObject::connect(&session, &ProjectSession::projectChanged, &view, [this] { ++changes; });
    }
    const LookSpec& look() const { return session.project().look; }
    bool show()
    {
        view.show();
        return QTest::qWaitForWindowExposed(&view);
    }
    QStringList selectedStyles() const
    {
        QStringList ids;
        for (const QString& id : view.gallery()->shownStyleIDs()) {
            if (view.gallery()->card(id)->isSelected())
                ids.append(id);
        }
        return ids;
    }
    QStringList selectedLenses() const
    {
        QStringList ids;
        for (const DirectorLens& lens : DirectorLens::catalog()) {
            if (view.lensSection()->card(lens.id)->isSelected())
                ids.append(lens.id);
        }
        return ids;
    }
    void pickCategory(StyleCategory category)
    {
        PillPicker* picker = view.gallery()->categoryPicker();
        for (int i = 0; i < picker->count(); ++i) {
            if (picker->value<StyleCategory>(i) == category)
                picker->pill(i)->click();
        }
    }
};

QStringList idsOf(const QList<const StylePreset*>& presets)
{
    QStringList ids;
    for (const StylePreset* preset : presets)
        ids.append(preset->id);
    return ids;
}

const StylePreset& firstIn(StyleCategory category)
{
    return *rules::presetsIn(category).value(0);
}

// The stops Tab reaches from the window's first, once round, in order.
QList<QWidget*> tabStops(QWidget* window)
{
    QList<QWidget*> stops;
    QTest::keyClick(window, Qt::Key_Tab);
    while (QWidget* focus = QApplication::focusWidget()) {
        if (stops.contains(focus) || stops.size() > 1000)
            break;
        stops << focus;
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    return stops;
}

} // namespace

class LookViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { DesignSystem::install(*qApp); }

    void newProductionInvitesAChoice()
    {
        Fixture f;
        QVERIFY(f.show());
        QCOMPARE(f.view.hero()->shownStyleID(), QString());
        QCOMPARE(f.view.category(), StyleCategory::liveAction);
        QCOMPARE(f.view.gallery()->shownStyleIDs(), idsOf(rules::presetsIn(StyleCategory::liveAction)));
        QVERIFY(f.selectedStyles().isEmpty());
        QVERIFY(f.selectedLenses().isEmpty());
        QVERIFY(f.view.lensSection()->clearButton()->isHidden());
        QVERIFY(!f.view.lensSection()->showsDoctrine());
        QVERIFY(f.view.cinematographyCard()->aspectCard(AspectRatio::scope239)->isSelected());
        QVERIFY(f.view.moodCard()->swatches().value(0)->isSelected());
        QCOMPARE(f.changes, 0);
    }

    // A swatch shows a colour, no text: a reader hears the colour's name,
    // never its digits spelt out.
    void aSwatchIsHeardByItsColoursName()
    {
        Fixture f;
        QVERIFY(f.show());
        const QList<AccentSwatch*> swatches = f.view.moodCard()->swatches();
        QVERIFY(!swatches.isEmpty());
        for (AccentSwatch* swatch : swatches) {
            const QString name = QAccessible::queryAccessibleInterface(swatch)->text(QAccessible::Name);
            QCOMPARE(name.toLower(), LookChoices::accentNames().value(swatch->hex()));
        }
    }

    void categoryFollowsTheStoredStyleWhenTheScreenAppears()
    {
        const StylePreset& anime = firstIn(StyleCategory::anime);
        Fixture f(LookSpec{.styleID = anime.id});
        QVERIFY(f.show());
        QCOMPARE(f.view.category(), StyleCategory::anime);
        QCOMPARE(f.selectedStyles(), QStringList{anime.id});

        // A recommended look lands while the screen is shown: the hero
        // follows, the gallery stays where it is.
        const StylePreset& cinema = firstIn(StyleCategory::liveAction);
        AIDirector::LookRecommendation r;
        r.styleID = cinema.id;
        AssistResults::apply(f.session, AssistResults::recommendLook(r));
        QVERIFY(f.session.choicePrompt());
        QVERIFY(f.session.applyChoice(f.session.choicePrompt()->options.value(0).id));
        QCOMPARE(f.look().styleID, cinema.id);
        QCOMPARE(f.view.hero()->shownStyleID(), cinema.id);
        QCOMPARE(f.view.category(), StyleCategory::anime);
        QVERIFY(f.selectedStyles().isEmpty());

        // Picking a category filters the gallery and stores nothing.
        const int before = f.changes;
        f.pickCategory(StyleCategory::stylized);
        QCOMPARE(f.view.category(), StyleCategory::stylized);
        QCOMPARE(f.view.gallery()->shownStyleIDs(), idsOf(rules::presetsIn(StyleCategory::stylized)));
        QCOMPARE(f.view.hero()->shownStyleID(), cinema.id);
        QCOMPARE(f.changes, before);

        // The next appearance opens on the stored style's category again.
        f.view.hide();
        QVERIFY(f.show());
        QCOMPARE(f.view.category(), cinema.category);
        QCOMPARE(f.selectedStyles(), QStringList{cinema.id});
    }

    void aStyleIsChosenButNeverCleared()
    {
        Fixture f;
        QVERIFY(f.show());
        const QString id = f.view.gallery()->shownStyleIDs().value(2);
        StyleCard* card = f.view.gallery()->card(id);
        card->click();
        QCOMPARE(f.look().styleID, id);
        QCOMPARE(f.changes, 1);
        QCOMPARE(f.view.hero()->shownStyleID(), id);
        QCOMPARE(f.view.hero()->shownKeywords(), StylePreset::find(id)->keywords);
        QCOMPARE(f.selectedStyles(), QStringList{id});
        // The same card widget, kept across the change.
        QCOMPARE(f.view.gallery()->card(id), card);

        card->click();
        QCOMPARE(f.look().styleID, id);
        QCOMPARE(f.selectedStyles(), QStringList{id});
    }

    void unknownStoredIdsShowNothingSelected()
    {
        Fixture f(LookSpec{.styleID = u"retiredStyle"_s, .directorLensID = u"retiredLens"_s});
        QVERIFY(f.show());
        QCOMPARE(f.view.hero()->shownStyleID(), QString());
        QCOMPARE(f.view.category(), StyleCategory::liveAction);
        QVERIFY(f.selectedStyles().isEmpty());
        QVERIFY(f.selectedLenses().isEmpty());
        QVERIFY(!f.view.lensSection()->showsDoctrine());
        // The unknown lens can still be removed.
        QVERIFY(!f.view.lensSection()->clearButton()->isHidden());
        f.view.lensSection()->clearButton()->click();
        QCOMPARE(f.look().directorLensID, std::nullopt);
        QVERIFY(f.view.lensSection()->clearButton()->isHidden());
        QCOMPARE(f.look().styleID, u"retiredStyle"_s);
    }

    void lensCardsToggle()
    {
        Fixture f;
        QVERIFY(f.show());
        const DirectorLens& a = DirectorLens::catalog().value(0);
        const DirectorLens& b = DirectorLens::catalog().value(3);
        LensSection* lenses = f.view.lensSection();

        lenses->card(a.id)->click();
        QCOMPARE(f.look().directorLensID, a.id);
        QCOMPARE(f.selectedLenses(), QStringList{a.id});
        QVERIFY(!lenses->clearButton()->isHidden());
        QCOMPARE(lenses->doctrineTexts(), (QStringList{a.movement, a.light, a.editing}));

        lenses->card(b.id)->click();
        QCOMPARE(f.look().directorLensID, b.id);
        QCOMPARE(lenses->doctrineTexts(), (QStringList{b.movement, b.light, b.editing}));

        lenses->card(b.id)->click();
        QCOMPARE(f.look().directorLensID, std::nullopt);
        QVERIFY(f.selectedLenses().isEmpty());
        QVERIFY(lenses->clearButton()->isHidden());
        QVERIFY(!lenses->showsDoctrine());

        lenses->card(a.id)->click();
        lenses->clearButton()->click();
        QCOMPARE(f.look().directorLensID, std::nullopt);
        QCOMPARE(f.changes, 5);
    }

    void chipsToggleTheFirstStoredCopy()
    {
        Fixture f(LookSpec{.lightingMood = {u"Golden hour"_s, u"Sodium haze"_s, u"Golden hour"_s}});
        QVERIFY(f.show());
        CinematographyCard* card = f.view.cinematographyCard();
        Chip* golden = card->lightingChip(u"Golden hour"_s);
        QVERIFY(golden->isOn());
        golden->click();
        QCOMPARE(f.look().lightingMood, (QStringList{u"Sodium haze"_s, u"Golden hour"_s}));
        QVERIFY(golden->isOn());
        golden->click();
        QCOMPARE(f.look().lightingMood, QStringList{u"Sodium haze"_s});
        QVERIFY(!golden->isOn());

        card->lensFeelChip(u"Deep focus"_s)->click();
        card->lensFeelChip(u"Anamorphic flares"_s)->click();
        QCOMPARE(f.look().lensFeel, (QStringList{u"Deep focus"_s, u"Anamorphic flares"_s}));
        QCOMPARE(f.changes, 4);
    }

    void storedChipsShowOnAtOnce()
    {
        // The screen opens with its stored chips already on, not fading in.
        Fixture f(LookSpec{.lensFeel = {u"Deep focus"_s}});
        QVERIFY(f.show());
        Chip* shown = f.view.cinematographyCard()->lensFeelChip(u"Deep focus"_s);
        Chip reference(u"Deep focus"_s, true);
        reference.resize(shown->size());
        QCOMPARE(shown->grab().toImage(), reference.grab().toImage());
    }

    void framePicksStoreTheirValue()
    {
        Fixture f(LookSpec{.accentHex = u"d8c49a"_s});
        QVERIFY(f.show());
        // Same digits, other case: no swatch is chosen.
        for (AccentSwatch* swatch : f.view.moodCard()->swatches())
            QVERIFY(!swatch->isSelected());
        AccentSwatch* steel = f.view.moodCard()->swatches().value(1);
        steel->click();
        QCOMPARE(f.look().accentHex, steel->hex());
        QVERIFY(steel->isSelected());

        AspectCard* vertical = f.view.cinematographyCard()->aspectCard(AspectRatio::vertical916);
        vertical->click();
        QCOMPARE(f.look().aspect, AspectRatio::vertical916);
        QVERIFY(vertical->isSelected());
        QVERIFY(!f.view.cinematographyCard()->aspectCard(AspectRatio::scope239)->isSelected());

        PillPicker* rates = f.view.cinematographyCard()->frameRatePicker();
        rates->pill(4)->click();
        QCOMPARE(f.look().frameRate, rates->value<FrameRate>(4));
        QCOMPARE(rates->selectedIndex(), 4);
        QCOMPARE(f.changes, 3);
    }

    void slidersWriteOnlyWhatTheUserMoves()
    {
        Fixture f(LookSpec{.grain = 1.7, .temperature = -0.25, .contrast = 0.5});
        QVERIFY(f.show());
        QCoreApplication::processEvents();
        QCOMPARE(f.changes, 0);
        QCOMPARE(f.look().grain, 1.7);
        QCOMPARE(f.look().temperature, -0.25);

        Slider* contrast = f.view.moodCard()->contrastSlider()->slider();
        contrast->setFocus();
        QTest::keyClick(contrast, Qt::Key_End);
        QCOMPARE(f.look().contrast, 1.0);
        QCOMPARE(f.look().grain, 1.7);
        QCOMPARE(f.changes, 1);
    }

    void everyMoodWordIsShown()
    {
        Fixture f(LookSpec{.moodWords = {u"Elegiac"_s, u"Weathered"_s, u"Warm amidst ruin"_s, u"Salt-bitten"_s,
                                         u"Lonely but not alone"_s, u"Tidal"_s}});
        QVERIFY(f.show());
        // The words wrap to several rows and the field grows to hold them.
        TagField* words = f.view.moodCard()->moodWords();
        QTRY_COMPARE(words->height(), words->heightForWidth(words->width()));
        QVERIFY(words->height() > words->draftEdit()->height() * 2);
    }

    // With the keyboard alone: every style of the shown category (whichever
    // it is), every lens, aspect ratio and accent is a Tab stop in reading
    // order, and Space or Return picks it as a click does.
    void keyboardReachesEveryChoice()
    {
        Fixture f;
        QVERIFY(f.show());
        QApplication::setActiveWindow(&f.view);
        QVERIFY(QTest::qWaitForWindowActive(&f.view));
        f.pickCategory(StyleCategory::anime);

        QList<QWidget*> choices;
        const auto add = [&choices](QWidget* w) { choices << w; };
        for (const QString& id : f.view.gallery()->shownStyleIDs())
            add(f.view.gallery()->card(id));
        for (const DirectorLens& lens : DirectorLens::catalog())
            add(f.view.lensSection()->card(lens.id));
        for (AspectRatio aspect : allCases<AspectRatio>())
            add(f.view.cinematographyCard()->aspectCard(aspect));
        for (AccentSwatch* swatch : f.view.moodCard()->swatches())
            add(swatch);
        const QList<QWidget*> stops = tabStops(&f.view);
        qsizetype last = -1;
        for (QWidget* choice : std::as_const(choices)) {
            const qsizetype at = stops.indexOf(choice);
            QVERIFY2(at > last, qPrintable(choice->accessibleName() + u" is not reached in reading order"_s));
            last = at;
        }
        // The styles come right after the category picker.
        PillPicker* categories = f.view.gallery()->categoryPicker();
        QCOMPARE(stops.indexOf(choices.first()), stops.indexOf(categories->pill(categories->count() - 1)) + 1);

        const QString styleID = f.view.gallery()->shownStyleIDs().value(1);
        StyleCard* style = f.view.gallery()->card(styleID);
        style->setFocus(Qt::TabFocusReason);
        QTest::keyClick(style, Qt::Key_Space);
        QCOMPARE(f.look().styleID, styleID);

        const DirectorLens& lens = DirectorLens::catalog().value(2);
        LensCard* lensCard = f.view.lensSection()->card(lens.id);
        lensCard->setFocus(Qt::TabFocusReason);
        QTest::keyClick(lensCard, Qt::Key_Return);
        QCOMPARE(f.look().directorLensID, lens.id);

        AspectCard* aspect = f.view.cinematographyCard()->aspectCard(AspectRatio::classic43);
        aspect->setFocus(Qt::TabFocusReason);
        QTest::keyClick(aspect, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(f.look().aspect, AspectRatio::classic43);

        AccentSwatch* swatch = f.view.moodCard()->swatches().last();
        swatch->setFocus(Qt::TabFocusReason);
        QTest::keyClick(swatch, Qt::Key_Return);
        QCOMPARE(f.look().accentHex, swatch->hex());
        QCOMPARE(f.changes, 4);

        // The mood words' field is read out by its label.
        QCOMPARE(f.view.moodCard()->moodWords()->draftEdit()->accessibleName(), u"Mood words"_s);
    }

    void typingSurvivesAChangeLandingMeanwhile()
    {
        Fixture f;
        QVERIFY(f.show());
        QApplication::setActiveWindow(&f.view);
        QTextEdit* notes = f.view.moodCard()->notesEditor()->textEdit();
        notes->setFocus();
        QTest::keyClicks(notes, u"Keep it low"_s);
        QCOMPARE(f.look().notes, u"Keep it low"_s);
        QCOMPARE(f.changes, 11);

        // A look recommendation lands while the user types.
        AIDirector::LookRecommendation r;
        r.styleID = firstIn(StyleCategory::stylized).id;
        r.notes = u"Hard light only."_s;
        AssistResults::apply(f.session, AssistResults::recommendLook(r));
        QVERIFY(f.session.applyChoice(f.session.choicePrompt()->options.value(0).id));
        QCOMPARE(f.view.hero()->shownStyleID(), r.styleID.value());

        QTest::keyClicks(notes, u" and warm"_s);
        // The notes the user is writing are theirs: the recommendation's
        // notes go only into empty ones, and the caret stayed put.
        QCOMPARE(f.look().notes, u"Keep it low and warm"_s);
        QCOMPARE(notes->toPlainText(), u"Keep it low and warm"_s);

        // Mood words commit on Return.
        QLineEdit* draft = f.view.moodCard()->moodWords()->draftEdit();
        draft->setFocus();
        QTest::keyClicks(draft, u"  Tender "_s);
        QTest::keyClick(draft, Qt::Key_Return);
        QCOMPARE(f.look().moodWords, QStringList{u"Tender"_s});
    }
};

QTEST_MAIN(LookViewTest)
#include "LookViewTest.moc"
