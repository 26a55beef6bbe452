// A click on a card, row or tile that is a Tab stop gives it the keyboard,
// as an item view's click does: with the caret in a field of the pane, a
// click on another item, then keys, leaves every record as it was (the
// field now shows the other item, or is one the user left). And the keyboard after a relationship is
// added from the "+" menu is on the new row's label, not where it was.

#include "support/AssistFixtures.h"
#include "support/WorkspaceStage.h"

#include "design/focus/FocusRing.h"
#include "design/DesignSystem.h"
#include "design/text/GrowingTextEdit.h"
#include "design/text/PlainTextField.h"
#include "design/text/SleekTextEditor.h"
#include "design/text/SleekTextField.h"
#include "design/widgets/MenuButton.h"
#include "design/widgets/Slider.h"
#include "model/LookCatalogs.h"
#include "model/Lookup.h"
#include "views/phases/cast/CastView.h"
#include "views/phases/cast/CharacterCard.h"
#include "views/phases/cast/CharacterDetail.h"
#include "views/phases/cast/LocationCard.h"
#include "views/phases/cast/LocationDetail.h"
#include "views/phases/cast/RelationshipRow.h"
#include "views/phases/cast/RelationshipsSection.h"
#include "views/phases/cut/ClipControls.h"
#include "views/phases/cut/CutView.h"
#include "views/phases/cut/TimelineLanes.h"
#include "views/phases/footage/EngineCard.h"
#include "views/phases/footage/FootageView.h"
#include "views/phases/footage/ShotRow.h"
#include "views/phases/look/CinematographyCard.h"
#include "views/phases/look/LensCard.h"
#include "views/phases/look/LensSection.h"
#include "views/phases/look/LookView.h"
#include "views/phases/look/MoodCard.h"
#include "views/phases/look/StyleCard.h"
#include "views/phases/look/StyleGallery.h"
#include "views/phases/premiere/DeliveryPresets.h"
#include "views/phases/premiere/PremiereView.h"
#include "views/phases/premiere/PressKitCard.h"
#include "views/phases/storyboard/SceneEditor.h"
#include "views/phases/storyboard/SceneRow.h"
#include "views/phases/storyboard/ShotGrid.h"
#include "views/phases/storyboard/ShotInspector.h"
#include "views/phases/storyboard/ShotInspectorPane.h"
#include "views/phases/storyboard/StoryboardView.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QtTest>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;

namespace {

enum class Item { character, location, scene, shot, footageShot, clip, style, lens, aspect, preset };

Project production()
{
    Project p = threeAndTwo();
    Episode& episode = p.episodes.first();
    episode.scenes = {sceneWithShots(2), sceneWithShots(2)};
    episode.scenes[0].synopsis = u"The lamp fails"_s;
    episode.scenes[1].synopsis = u"The boat comes in"_s;
    for (int i = 0; i < 2; ++i) {
        TimelineClip clip;
        clip.label = u"Clip %1"_s.arg(i + 1);
        episode.timeline << clip;
    }
    return p;
}

PhaseID phaseOf(Item item)
{
    switch (item) {
    case Item::character:
    case Item::location:
        return PhaseID::cast;
    case Item::scene:
    case Item::shot:
        return PhaseID::scenes;
    case Item::footageShot:
        return PhaseID::footage;
    case Item::clip:
        return PhaseID::cut;
    case Item::style:
    case Item::lens:
    case Item::aspect:
        return PhaseID::look;
    case Item::preset:
        return PhaseID::premiere;
    }
    return PhaseID::spark;
}

// Where the caret is first, the other item clicked (at a point of the
// widget that paints it), and what holds the keyboard for it.
struct Places {
    QWidget* field = nullptr;
    QWidget* item = nullptr;
    QPoint at;
    QWidget* holder = nullptr;
};

Places placesOn(Item item, PhaseScreen* screen, const Project& p)
{
    const Episode& episode = p.episodes.first();
    switch (item) {
    case Item::character: {
        auto* cast = qobject_cast<CastView*>(screen);
        cast->selectCharacter(p.cast[0].id);
        QWidget* card = cast->characterCards().at(1);
        return {cast->characterDetail()->nameField()->lineEdit(), card, card->rect().center(), card};
    }
    case Item::location: {
        auto* cast = qobject_cast<CastView*>(screen);
        cast->setMode(CastView::locations);
        cast->selectLocation(p.locations[0].id);
        QWidget* card = cast->locationCards().at(1);
        return {cast->locationDetail()->field(&Location::name)->lineEdit(), card, card->rect().center(), card};
    }
    case Item::scene: {
        auto* board = qobject_cast<StoryboardView*>(screen);
        board->select({episode.scenes[0].id, std::nullopt});
        QWidget* row = board->rows().at(1);
        return {board->editor()->synopsisField()->lineEdit(), row, row->rect().center(), row};
    }
    case Item::shot: {
        auto* board = qobject_cast<StoryboardView*>(screen);
        board->select({episode.scenes[0].id, episode.scenes[0].shots[0].id});
        ShotGrid* grid = board->editor()->grid();
        return {board->inspectorPane()->inspector()->whatEditor()->textEdit(), grid->viewport(),
                grid->cardRect(1).center(), grid};
    }
    case Item::footageShot: {
        auto* footage = qobject_cast<FootageView*>(screen);
        QWidget* checkbox = footage->shotRow(episode.scenes[0].shots[1].id)->checkbox();
        return {footage->findChild<EngineCard*>()->takesSlider(), checkbox, checkbox->rect().center(), checkbox};
    }
    case Item::clip: {
        auto* cut = qobject_cast<CutView*>(screen);
        TimelineLanes* lanes = cut->lanes();
        lanes->tap(episode.timeline[0].id);
        return {cut->clipControls()->lengthSlider(), lanes,
                lanes->clipRect(episode.timeline[1].id).center().toPoint(), lanes};
    }
    case Item::style:
    case Item::lens:
    case Item::aspect: {
        auto* look = qobject_cast<LookView*>(screen);
        QWidget* card = look->cinematographyCard()->aspectCard(AspectRatio::classic43);
        if (item == Item::style)
            card = look->gallery()->card(look->gallery()->shownStyleIDs().at(1));
        else if (item == Item::lens)
            card = look->lensSection()->card(DirectorLens::catalog().at(1).id);
        return {look->moodCard()->notesEditor()->textEdit(), card, card->rect().center(), card};
    }
    case Item::preset: {
        auto* premiere = qobject_cast<PremiereView*>(screen);
        QWidget* card = premiere->presets()->cards().at(1);
        return {premiere->pressKit()->editor()->textEdit(), card, card->rect().center(), card};
    }
    }
    return {};
}

} // namespace

class ClickedItemKeyboardTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { DesignSystem::install(*qApp); }

    void aClickOnAnotherItemTakesTheKeyboard_data()
    {
        QTest::addColumn<Item>("item");
        QTest::newRow("Cast & World: a character") << Item::character;
        QTest::newRow("Cast & World: a location") << Item::location;
        QTest::newRow("Storyboard: a scene") << Item::scene;
        QTest::newRow("Storyboard: a shot") << Item::shot;
        QTest::newRow("Footage: a shot's checkbox") << Item::footageShot;
        QTest::newRow("The Cut: a clip") << Item::clip;
        QTest::newRow("The Look: a style") << Item::style;
        QTest::newRow("The Look: a lens") << Item::lens;
        QTest::newRow("The Look: an aspect ratio") << Item::aspect;
        QTest::newRow("Premiere: a delivery preset") << Item::preset;
    }

    void aClickOnAnotherItemTakesTheKeyboard()
    {
        QFETCH(Item, item);
        AppState app;
        Project project = production();
        project.activePhase = phaseOf(item);
        ProjectSession& session = openSession(app, project);
        WorkspaceStage<> stage(app, session);
        QVERIFY(QTest::qWaitForWindowActive(&stage.backdrop));
        const Places places = placesOn(item, stage.screen(), session.project());
        QVERIFY(places.field && places.item && places.holder);

        // The caret put in the pane's field by a click, then another item
        // clicked: the item has the keyboard, unringed (it was a click).
        QTest::mouseClick(places.field, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), places.field);
        QTest::mouseClick(places.item, Qt::LeftButton, {}, places.at);
        QCOMPARE(QApplication::focusWidget(), places.holder);
        QVERIFY(!FocusRing::showing());

        // Letters on the item change nothing at all.
        const Project chosen = session.project();
        QTest::keyClicks(QApplication::focusWidget(), u"ORROY"_s);
        QCOMPARE(session.project(), chosen);
    }

    void aNewRelationshipTakesTheKeyboardToItsLabel()
    {
        // "+" by Relationships clicked with the caret in Name, a member
        // chosen from its menu by key: what is typed next labels the new
        // relationship.
        AppState app;
        Project project = production();
        project.activePhase = PhaseID::cast;
        ProjectSession& session = openSession(app, project);
        WorkspaceStage<CastView> stage(app, session);
        QVERIFY(QTest::qWaitForWindowActive(&stage.backdrop));
        const QUuid eda = project.cast[0].id;
        stage.screen()->selectCharacter(eda);
        CharacterDetail* detail = stage.screen()->characterDetail();
        QTest::mouseClick(detail->nameField()->lineEdit(), Qt::LeftButton);

        MenuButton* add = detail->relationships()->addMenu();
        QTest::mouseClick(add, Qt::LeftButton);
        QTRY_VERIFY(add->menu()->isVisible());
        QTest::keyClick(add->menu(), Qt::Key_Down);
        QTest::keyClick(add->menu(), Qt::Key_Return);
        QTRY_VERIFY(!add->menu()->isVisible());
        const QList<CastRelationship>& added = findCastMember(session.project(), eda)->relationships;
        QCOMPARE(added.size(), 1);
        QLineEdit* label = detail->relationships()->row(added[0].id)->labelField()->lineEdit();
        QTRY_COMPARE(QApplication::focusWidget(), label);

        QTest::keyClicks(QApplication::focusWidget(), u"rival"_s);
        const CastMember& now = *findCastMember(session.project(), eda);
        QCOMPARE(now.name, u"Eda"_s);
        QCOMPARE(now.relationships[0].label, u"rival"_s);
    }
};

QTEST_MAIN(ClickedItemKeyboardTest)
#include "ClickedItemKeyboardTest.moc"
