// The Cast & World screen driven like a user would: selections by id that
// survive mode switches and removals, the New controls, the counts, edits from
// the panes landing in the record shown, relationships by row, and an assist
// landing in the character it was started for.

#include "design/style/AuroraBackground.h"
#include "design/widgets/Chip.h"
#include "design/widgets/EmptyStateView.h"
#include "design/widgets/GhostButton.h"
#include "design/widgets/MenuButton.h"
#include "design/text/PlainTextEditor.h"
#include "design/widgets/PillPicker.h"
#include "design/text/PlainTextField.h"
#include "design/widgets/PrimaryButton.h"
#include "design/text/SleekTextEditor.h"
#include "design/text/SleekTextField.h"
#include "design/widgets/SymbolButton.h"
#include "design/widgets/TextLabel.h"
#include "design/DesignSystem.h"
#include "model/CraftKits.h"
#include "model/Lookup.h"
#include "state/ProjectSession.h"
#include "support/AssistFixtures.h"
#include "support/ScriptedModel.h"
#include "views/phases/cast/AssistLink.h"
#include "views/phases/cast/CastView.h"
#include "views/phases/cast/CharacterCard.h"
#include "views/phases/cast/CharacterDetail.h"
#include "views/phases/cast/LocationCard.h"
#include "views/phases/cast/LocationDetail.h"
#include "views/phases/cast/LookAnchorCard.h"
#include "views/phases/cast/NewCharacterMenu.h"
#include "views/phases/cast/NewLookBadge.h"
#include "views/phases/cast/PaneArt.h"
#include "views/phases/cast/RelationshipRow.h"
#include "views/phases/cast/RelationshipsSection.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QtTest>

#include <algorithm>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;

namespace {

// The screen on the backdrop, at the size of the workspace's phase area.
struct Stage {
    explicit Stage(ProjectSession& session)
    {
        backdrop.setReduceMotion(true);
        backdrop.resize(1080, 700);
        auto* layout = new QVBoxLayout(&backdrop);
        layout->setContentsMargins(0, 0, 0, 0);
        view = new CastView(session, &backdrop);
        layout->addWidget(view);
        backdrop.show();
        QCoreApplication::processEvents();
    }
    AuroraBackground backdrop;
    CastView* view;
};

template <class Card>
Card* cardFor(const QList<Card*>& cards, const QUuid& id)
{
    for (Card* card : cards) {
        if (card->id() == id)
            return card;
    }
    return nullptr;
}

QAction* entry(QMenu* menu, const QString& text)
{
    for (QAction* action : menu->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

void clickPill(CastView* view, int index)
{
    QTest::mouseClick(view->picker()->pill(index), Qt::LeftButton);
}

} // namespace

class CastViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { DesignSystem::install(*qApp); }
    void cleanup() { ScriptedModel::uninstall(); }

    void selectionsAreIndependentOfEachOtherAndOfTheMode()
    {
        ProjectSession session(threeAndTwo());
        Stage stage(session);
        CastView* view = stage.view;
        const Project& p = session.project();
        QCOMPARE(view->placeholderText(), u"Select a character"_s);

        QTest::mouseClick(cardFor(view->characterCards(), p.cast[1].id), Qt::LeftButton);
        QCOMPARE(view->paneContent(), view->characterDetail());
        QCOMPARE(view->characterDetail()->memberID(), p.cast[1].id);
        QVERIFY(cardFor(view->characterCards(), p.cast[1].id)->isSelected());

        clickPill(view, 1);
        QCOMPARE(view->mode(), CastView::locations);
        QCOMPARE(view->placeholderText(), u"Select a location"_s);
        QTest::mouseClick(cardFor(view->locationCards(), p.locations[1].id), Qt::LeftButton);
        QCOMPARE(view->locationDetail()->locationID(), p.locations[1].id);

        clickPill(view, 0);
        QCOMPARE(view->paneContent(), view->characterDetail());
        QCOMPARE(view->characterDetail()->memberID(), p.cast[1].id);
        QCOMPARE(view->selectedLocationID(), p.locations[1].id);
    }

    void removingTheShownCharacter()
    {
        Project project = threeAndTwo();
        project.cast[0].relationships << CastRelationship{.otherID = project.cast[1].id, .label = u"rival"_s};
        ProjectSession session(project);
        Stage stage(session);
        CastView* view = stage.view;
        const QUuid tomas = project.cast[1].id;
        view->setMode(CastView::locations);
        view->selectLocation(project.locations[0].id);
        view->setMode(CastView::characters);
        view->selectCharacter(tomas);

        QTest::mouseClick(view->characterDetail()->removeButton(), Qt::LeftButton);
        QVERIFY(!findCastMember(session.project(), tomas));
        QCOMPARE(session.project().cast.size(), 2);
        QCOMPARE(view->paneContent(), view->placeholder());
        QCOMPARE(view->placeholderText(), u"Select a character"_s);
        QCOMPARE(view->selectedCharacterID(), QUuid());
        QCOMPARE(view->selectedLocationID(), project.locations[0].id);
        QVERIFY(!cardFor(view->characterCards(), tomas));
        // Eda's relationship still names the removed member.
        QCOMPARE(session.project().cast[0].relationships[0].otherID, std::optional<QUuid>(tomas));

        // Removing another character keeps the selection.
        view->selectCharacter(project.cast[2].id);
        view->removeCharacter(project.cast[0].id);
        QCOMPARE(view->selectedCharacterID(), project.cast[2].id);
        QCOMPARE(view->characterDetail()->memberID(), project.cast[2].id);
    }

    void newControlsAddSelectAndCount()
    {
        ProjectSession session(Project{});
        Stage stage(session);
        CastView* view = stage.view;
        QCOMPARE(view->picker()->titleAt(0), u"Characters · 0"_s);
        QCOMPARE(view->picker()->titleAt(1), u"Locations · 0"_s);
        QVERIFY(view->charactersEmptyState()->isVisible());
        QVERIFY(!view->charactersEmptyState()->actionButton());
        QVERIFY(view->newCharacterButton()->isVisible());
        QVERIFY(!view->newLocationButton()->isVisible());

        QAbstractButton* firstPill = view->picker()->pill(0);
        QMenu* menu = view->newCharacterButton()->menu();
        QAction* caption = entry(menu, u"Starters — a contradiction to argue with"_s);
        QVERIFY(caption && !caption->isEnabled());
        const QString mentor = CharacterStarter::catalog().at(0).label;
        entry(menu, mentor)->trigger();
        entry(menu, mentor)->trigger();
        entry(menu, u"Blank character"_s)->trigger();
        const QList<CastMember>& members = session.project().cast;
        QCOMPARE(members.size(), 3);
        QCOMPARE(members[0].role, CastRole::lead);
        QCOMPARE(members[1].role, CastRole::support);
        QCOMPARE(members[2].role, CastRole::lead);
        QCOMPARE(view->picker()->titleAt(0), u"Characters · 3"_s);
        // A new count keeps the pills (the selected one doesn't fade in again).
        QCOMPARE(view->picker()->pill(0)->text(), u"Characters · 3"_s);
        QCOMPARE(view->picker()->pill(0), firstPill);
        QVERIFY(!view->charactersEmptyState()->isVisible());
        QCOMPARE(view->characterDetail()->memberID(), members[2].id);
        QCOMPARE(view->characterDetail()->nameField()->text(), u"New Character"_s);
        // An empty editor's well holds its whole placeholder (the tells one wraps).
        QCoreApplication::processEvents();
        const SleekTextEditor* voice = view->characterDetail()->editor(&CastMember::voice);
        const SleekTextEditor* tells = view->characterDetail()->editor(&CastMember::tells);
        for (const SleekTextEditor* editor : {voice, tells}) {
            const QTextEdit* edit = editor->textEdit();
            const int margin = int(edit->document()->documentMargin());
            const QRect area = edit->viewport()->rect().adjusted(margin, margin, -margin, -margin);
            const QRect needed = QFontMetrics(edit->font()).boundingRect(area, Qt::AlignTop | Qt::TextWordWrap,
                                                                         edit->placeholderText());
            QVERIFY(needed.height() <= area.height());
        }

        clickPill(view, 1);
        QVERIFY(view->locationsEmptyState()->isVisible());
        QVERIFY(!view->locationsEmptyState()->actionButton());
        QTest::mouseClick(view->newLocationButton(), Qt::LeftButton);
        QCOMPARE(session.project().locations.size(), 1);
        const QUuid place = session.project().locations[0].id;
        QCOMPARE(view->selectedLocationID(), place);
        QCOMPARE(view->paneContent(), view->locationDetail());
        QCOMPARE(view->locationDetail()->field(&Location::name)->text(), u"New Location"_s);
        QCOMPARE(view->picker()->titleAt(1), u"Locations · 1"_s);

        QTest::mouseClick(view->locationDetail()->removeButton(), Qt::LeftButton);
        QCOMPARE(view->picker()->titleAt(1), u"Locations · 0"_s);
        QVERIFY(view->locationsEmptyState()->isVisible());
        QCOMPARE(view->placeholderText(), u"Select a location"_s);
    }

    void emptyWellsHoldTheirWholePlaceholder()
    {
        // Whatever the pane showed before (a text of two lines, then one of
        // one line), an empty editor's well grows to its whole placeholder.
        const auto holdsPlaceholder = [](const SleekTextEditor* editor) {
            const QTextEdit* edit = editor->textEdit();
            const int margin = int(edit->document()->documentMargin());
            const QRect area = edit->viewport()->rect().adjusted(margin, margin, -margin, -margin);
            const QRect needed = QFontMetrics(edit->font())
                                     .boundingRect(area, Qt::AlignTop | Qt::TextWordWrap, edit->placeholderText());
            return needed.height() <= area.height();
        };
        Project p;
        for (const QString& sound : {u"Gulls over the gallery, the lamp's motor turning, rain on the lantern glass all night."_s,
                                     u"Gulls."_s, QString()}) {
            Location l;
            l.sound = sound;
            p.locations << l;
        }
        ProjectSession session(p);
        Stage stage(session);
        CastView* view = stage.view;
        clickPill(view, 1);
        for (const Location& l : p.locations) {
            view->selectLocation(l.id);
            QCoreApplication::processEvents();
        }
        QVERIFY(holdsPlaceholder(view->locationDetail()->soundEditor()));

        // The same after New character ▸ a starter, then ▸ Blank character.
        clickPill(view, 0);
        QMenu* menu = view->newCharacterButton()->menu();
        CharacterDetail* pane = view->characterDetail();
        const QList<CharacterStarter>& starters = CharacterStarter::catalog();
        const auto wordiest = std::max_element(starters.cbegin(), starters.cend(),
                                               [](const auto& a, const auto& b) { return a.tells.size() < b.tells.size(); });
        for (const CharacterStarter& starter : starters) {
            for (const QString& choice : {wordiest->label, starter.label, u"Blank character"_s}) {
                entry(menu, choice)->trigger();
                QCoreApplication::processEvents();
            }
            QVERIFY2(holdsPlaceholder(pane->editor(&CastMember::tells)), qPrintable(starter.label));
        }

        // The remove buttons are as tall as their label and padding.
        QTRY_COMPARE(pane->removeButton()->height(), pane->removeButton()->sizeHint().height());
        clickPill(view, 1);
        QTest::mouseClick(view->newLocationButton(), Qt::LeftButton);
        GhostButton* removeLocation = view->locationDetail()->removeButton();
        QTRY_COMPARE(removeLocation->height(), removeLocation->sizeHint().height());
    }

    void editsLandInTheShownRecordWithoutReplacingTheField()
    {
        ProjectSession session(threeAndTwo());
        Stage stage(session);
        CastView* view = stage.view;
        const QUuid eda = session.project().cast[0].id;
        view->selectCharacter(eda);
        CharacterDetail* detail = view->characterDetail();
        QLineEdit* name = detail->nameField()->lineEdit();
        name->setFocus();
        name->selectAll();
        QTest::keyClicks(name, u"Edith & Co"_s);
        QCOMPARE(findCastMember(session.project(), eda)->name, u"Edith & Co"_s);
        QCOMPARE(cardFor(view->characterCards(), eda)->face().name, u"Edith & Co"_s);
        QVERIFY(name->hasFocus());
        QCOMPARE(detail->nameField()->lineEdit(), name);
        QCOMPARE(name->cursorPosition(), name->text().size());

        // A field nobody types in shows the start of a long text.
        session.edit([eda](Project& p) { findCastMember(p, eda)->want = u"To be forgiven "_s.repeated(12); });
        QCOMPARE(detail->field(&CastMember::want)->lineEdit()->cursorPosition(), 0);

        QTest::mouseClick(detail->roleChip(CastRole::cameo), Qt::LeftButton);
        QCOMPARE(findCastMember(session.project(), eda)->role, CastRole::cameo);
        int on = 0;
        for (CastRole role : allCases<CastRole>())
            on += detail->roleChip(role)->isOn() ? 1 : 0;
        QCOMPARE(on, 1);
        QCOMPARE(cardFor(view->characterCards(), eda)->face().badge, u"Cameo"_s);

        const CastMember before = *findCastMember(session.project(), eda);
        QTest::mouseClick(detail->portrait()->badge(), Qt::LeftButton);
        CastMember after = *findCastMember(session.project(), eda);
        QVERIFY(after.portraitSeed != before.portraitSeed);
        QVERIFY(!QUuid::fromString(after.portraitSeed).isNull());
        after.portraitSeed = before.portraitSeed;
        QCOMPARE(after, before);

        // The location pane writes the location it shows.
        view->setMode(CastView::locations);
        const QUuid harbour = session.project().locations[1].id;
        view->selectLocation(harbour);
        QTest::mouseClick(view->locationDetail()->kindChip(LocationKind::both), Qt::LeftButton);
        QCOMPARE(findLocation(session.project(), harbour)->kind, LocationKind::both);
        QCOMPARE(cardFor(view->locationCards(), harbour)->face().subtitle, u"Int. & Ext."_s);
        QCOMPARE(session.project().locations[0].kind, LocationKind::interior);
    }

    void relationshipsByRow()
    {
        Project project = threeAndTwo();
        ProjectSession session(project);
        Stage stage(session);
        CastView* view = stage.view;
        const QUuid eda = project.cast[0].id;
        const QUuid tomas = project.cast[1].id;
        view->selectCharacter(eda);
        RelationshipsSection* section = view->characterDetail()->relationships();
        QVERIFY(section->addMenu()->isVisible());
        QVERIFY(section->hint()->text().startsWith(u"Stories live between people."_s));

        section->addMenu()->openMenu();
        QMenu* add = section->addMenu()->menu();
        QCOMPARE(add->actions().size(), 2); // the others, not Eda herself
        entry(add, u"Tomas"_s)->trigger();
        add->close();
        section->addMenu()->openMenu();
        entry(section->addMenu()->menu(), u"Tomas"_s)->trigger();
        section->addMenu()->menu()->close();
        const QList<CastRelationship> rels = findCastMember(session.project(), eda)->relationships;
        QCOMPARE(rels.size(), 2);
        QVERIFY(!section->hint()->isVisible());
        QCOMPARE(section->rows().size(), 2);
        QCOMPARE(section->row(rels[0].id)->nameMenu()->label(), u"Tomas"_s);

        // The second row is pointed at Ruth, labelled, then the first removed.
        RelationshipRow* second = section->row(rels[1].id);
        second->nameMenu()->openMenu();
        entry(second->nameMenu()->menu(), u"Ruth"_s)->trigger();
        second->nameMenu()->menu()->close();
        QTest::keyClicks(second->labelField()->lineEdit(), u"sister"_s);
        QTest::mouseClick(section->row(rels[0].id)->removeButton(), Qt::LeftButton);
        const CastMember& now = *findCastMember(session.project(), eda);
        QCOMPARE(now.relationships.size(), 1);
        QCOMPARE(now.relationships[0].id, rels[1].id);
        QCOMPARE(now.relationships[0].otherID, std::optional<QUuid>(project.cast[2].id));
        QCOMPARE(now.relationships[0].label, u"sister"_s);
        QCOMPARE(section->row(rels[1].id), second);
        // A field nobody types in shows the start of its text.
        second->labelField()->lineEdit()->clearFocus();
        session.edit([&](Project& p) {
            findCastMember(p, eda)->relationships[0].label = u"the one who knew her before "_s.repeated(6);
        });
        QCOMPARE(second->labelField()->lineEdit()->cursorPosition(), 0);

        // A very long name never pushes the row (and its label field and
        // remove mark) past the pane's edge.
        session.edit([&](Project& p) { p.cast[2].name = u"Ruth Abernathy-Okonkwo of the Lower Harbour "_s.repeated(3); });
        QCoreApplication::processEvents();
        CharacterDetail* detail = view->characterDetail();
        QVERIFY(detail->content()->width() <= detail->viewport()->width());
        QVERIFY(second->labelField()->width() > 40);
        QVERIFY(second->removeButton()->geometry().right() < second->width());

        // With everyone else gone the row reads "Someone" and the add menu goes.
        view->removeCharacter(tomas);
        view->removeCharacter(project.cast[2].id);
        QCOMPARE(second->nameMenu()->label(), u"Someone"_s);
        QVERIFY(!section->addMenu()->isVisible());
        QTest::mouseClick(second->removeButton(), Qt::LeftButton);
        QVERIFY(section->hint()->isVisible());
        QCOMPARE(section->hint()->text(), u"Add more characters to weave relationships."_s);
    }

    // Without the mouse: the cards are stops after the New control, in the
    // gallery's order; Return or Space selects as a click does and opens the
    // pane, whose controls follow the cards, relationship rows in their place.
    // Removed from the keyboard, one after another: the keyboard goes to
    // what took the removed one's place, where Return and Space remove and
    // add nothing; after the last it rests on the list, Shift+Tab going back
    // to the control before it.
    void removingFromTheKeyboardHandsItToTheNextInPlace_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("characters") << 0;
        QTest::newRow("locations") << 1;
        QTest::newRow("relationships") << 2;
    }
    void removingFromTheKeyboardHandsItToTheNextInPlace()
    {
        QFETCH(int, kind);
        Project project = threeAndTwo();
        for (int other : {1, 2})
            project.cast[0].relationships << CastRelationship{.id = newId(), .otherID = project.cast[other].id};
        ProjectSession session(project);
        Stage stage(session);
        CastView* view = stage.view;
        stage.backdrop.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&stage.backdrop));
        if (kind == 1)
            clickPill(view, 1);
        const Project& p = session.project();
        const auto count = [&] {
            return kind == 0 ? p.cast.size() : kind == 1 ? p.locations.size() : p.cast[0].relationships.size();
        };
        RelationshipsSection* section = view->characterDetail()->relationships();
        // Removes the first; returns where the keyboard should go when
        // another follows.
        const auto removeFirst = [&]() -> QWidget* {
            QWidget* remove = nullptr;
            QWidget* next = nullptr;
            if (kind == 1) {
                view->selectLocation(p.locations[0].id);
                remove = view->locationDetail()->removeButton();
                next = p.locations.size() > 1 ? cardFor(view->locationCards(), p.locations[1].id) : nullptr;
            } else {
                view->selectCharacter(p.cast[0].id);
                remove = view->characterDetail()->removeButton();
                next = p.cast.size() > 1 ? cardFor(view->characterCards(), p.cast[1].id) : nullptr;
            }
            if (kind == 2) {
                remove = section->rows().first()->removeButton();
                next = section->rows().size() > 1 ? section->rows()[1]->labelField()->lineEdit() : nullptr;
            }
            remove->setFocus(Qt::TabFocusReason);
            QTest::keyClick(remove, Qt::Key_Space);
            return next;
        };
        for (qsizetype n = count(); n > 1; --n) {
            QWidget* next = removeFirst();
            QCOMPARE(QApplication::focusWidget(), next);
            QTest::keyClick(next, Qt::Key_Return);
            QTest::keyClick(next, Qt::Key_Space);
            QCOMPARE(count(), n - 1);
        }
        removeFirst();
        QWidget* rest = QApplication::focusWidget();
        QCOMPARE(rest->accessibleName(), (QStringList{u"Characters"_s, u"Locations"_s, u"Relationships"_s}[kind]));
        QTest::keyClick(rest, Qt::Key_Return);
        QTest::keyClick(rest, Qt::Key_Space);
        QCOMPARE(count(), 0);
        QCOMPARE(p.cast.size() + p.locations.size(), kind == 0 ? 2 : kind == 1 ? 3 : 5);
        QTest::keyClick(rest, Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), (QList<QWidget*>{view->newCharacterButton(), view->newLocationButton(),
                                                               section->addMenu()}[kind]));
    }

    void theKeyboardReachesCardsAndThePane()
    {
        Project project = threeAndTwo();
        project.cast[0].relationships << CastRelationship{.id = newId(), .otherID = project.cast[1].id};
        ProjectSession session(project);
        Stage stage(session);
        CastView* view = stage.view;
        stage.backdrop.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&stage.backdrop));
        const auto tab = [] {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            return QApplication::focusWidget();
        };

        view->newCharacterButton()->setFocus(Qt::TabFocusReason);
        for (const CastMember& member : project.cast)
            QCOMPARE(tab(), cardFor(view->characterCards(), member.id));
        CharacterCard* eda = cardFor(view->characterCards(), project.cast[0].id);
        eda->setFocus(Qt::TabFocusReason);
        QTest::keyClick(eda, Qt::Key_Return);
        QCOMPARE(view->selectedCharacterID(), project.cast[0].id);
        QCOMPARE(view->paneContent(), view->characterDetail());

        // On from the last card through the pane to "Remove character".
        CharacterDetail* detail = view->characterDetail();
        cardFor(view->characterCards(), project.cast[2].id)->setFocus(Qt::TabFocusReason);
        QList<QWidget*> walked;
        for (int i = 0; i < 60 && !walked.contains(detail->removeButton()); ++i)
            walked << tab();
        // Past "Remove character" the focus leaves the pane.
        QVERIFY(!detail->isAncestorOf(tab()));
        QCOMPARE(walked.value(0), detail->portrait()->badge());
        RelationshipRow* row = detail->relationships()->rows().first();
        const QList<QWidget*> order = {detail->relationships()->addMenu(), row->nameMenu(),
                                       row->labelField()->lineEdit(), row->removeButton(),
                                       detail->editor(&CastMember::bio)->textEdit(), detail->removeButton()};
        for (qsizetype i = 1; i < order.size(); ++i)
            QVERIFY2(walked.indexOf(order[i - 1]) >= 0 && walked.indexOf(order[i - 1]) < walked.indexOf(order[i]),
                     qPrintable(QString::number(i)));

        const auto name = [](QWidget* w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); };
        QCOMPARE(name(row->labelField()->lineEdit()), u"How they relate to Tomas"_s);
        QCOMPARE(name(detail->lookAnchor()->editor()->textEdit()), u"Signature look \u2014 consistency anchor"_s);

        // Locations the same way, Space selecting.
        clickPill(view, 1);
        view->newLocationButton()->setFocus(Qt::TabFocusReason);
        QWidget* harbour = nullptr;
        for (qsizetype i = 0; i < project.locations.size(); ++i)
            harbour = tab();
        QCOMPARE(harbour, cardFor(view->locationCards(), project.locations[1].id));
        QTest::keyClick(harbour, Qt::Key_Space);
        QCOMPARE(view->selectedLocationID(), project.locations[1].id);
        QCOMPARE(view->paneContent(), view->locationDetail());
        // The name reads before the assist link beside it.
        LocationDetail* place = view->locationDetail();
        place->field(&Location::name)->lineEdit()->setFocus(Qt::TabFocusReason);
        QCOMPARE(tab(), place->assistLink());
    }

    void anAssistLandsInTheCharacterItWasStartedFor()
    {
        ScriptedModel model;
        model.install();
        model.hold();
        model.reply(uR"({"fields":{"want":"To be forgiven"}})"_s);
        ProjectSession session(threeAndTwo());
        Stage stage(session);
        CastView* view = stage.view;
        const QUuid eda = session.project().cast[0].id;
        view->selectCharacter(eda);
        QTest::mouseClick(view->characterDetail()->assistLink(), Qt::LeftButton);
        QVERIFY(session.aiBusy());
        // The link stays usable; a second click while busy asks nothing more.
        QVERIFY(view->characterDetail()->assistLink()->isEnabled());
        view->selectCharacter(session.project().cast[1].id);
        QTest::mouseClick(view->characterDetail()->assistLink(), Qt::LeftButton);
        model.release();
        QTRY_VERIFY(!session.aiBusy());
        QCOMPARE(model.requestCount(), 1);
        QCOMPARE(findCastMember(session.project(), eda)->want, u"To be forgiven"_s);
        QVERIFY(session.project().cast[1].want.isEmpty());
        QCOMPARE(cardFor(view->characterCards(), eda)->face().subtitle, u"To be forgiven"_s);
    }

    void theScreenClosedWhileALocationCompletes()
    {
        ScriptedModel model;
        model.install();
        model.hold();
        model.reply(uR"({"era":"1890s","mood":"Salt-bitten","look":"","sound":"Gulls"})"_s);
        ProjectSession session(threeAndTwo());
        const QUuid harbour = session.project().locations[1].id;
        {
            Stage stage(session);
            clickPill(stage.view, 1);
            stage.view->selectLocation(harbour);
            QTest::mouseClick(stage.view->locationDetail()->assistLink(), Qt::LeftButton);
            QVERIFY(session.aiBusy());
        }
        // The tab's screen is gone; the reply still lands in the production.
        model.release();
        QTRY_VERIFY(!session.aiBusy());
        QVERIFY(!session.aiError());
        const Location* done = findLocation(session.project(), harbour);
        QCOMPARE(done->era, u"1890s"_s);
        QCOMPARE(done->sound, u"Gulls"_s);
        QVERIFY(findLocation(session.project(), session.project().locations[0].id)->era.isEmpty());
    }
};

QTEST_MAIN(CastViewTest)
#include "CastViewTest.moc"
