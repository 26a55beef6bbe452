#include "views/phases/cast/CastView.h"

#include "design/focus/FocusOnAdded.h"
#include "design/widgets/AccessibleSource.h"
#include "design/widgets/AdaptiveGridLayout.h"
#include "design/widgets/EmptyStateView.h"
#include "design/widgets/HairlineDivider.h"
#include "design/widgets/KeyedList.h"
#include "design/style/Palette.h"
#include "design/text/PlainTextField.h"
#include "design/widgets/PillPicker.h"
#include "design/widgets/PrimaryButton.h"
#include "design/widgets/ScrollColumn.h"
#include "design/widgets/SymbolLabel.h"
#include "design/focus/TabOrder.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Lookup.h"
#include "state/ProjectSession.h"
#include "state/edits/CastEdits.h"
#include "state/rules/CastRules.h"
#include "views/phases/cast/CastAssists.h"
#include "views/phases/cast/CharacterCard.h"
#include "views/phases/cast/CharacterDetail.h"
#include "views/phases/cast/LocationCard.h"
#include "views/phases/cast/LocationDetail.h"
#include "views/phases/cast/NewCharacterMenu.h"
#include "views/phases/cast/RelationshipRow.h"
#include "views/phases/cast/RelationshipsSection.h"

#include <QHBoxLayout>
#include <QStackedWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

constexpr int paneWidth = 390;

// The pill picker's two options with the counts of the production.
QList<std::pair<int, QString>> modeOptions(const Project& p)
{
    return {
        {CastView::characters, u"Characters · "_s + QString::number(p.cast.size())},
        {CastView::locations, u"Locations · "_s + QString::number(p.locations.size())},
    };
}

QWidget* gridHost(int minimumColumn, int maximumColumn, AdaptiveGridLayout*& layout, QWidget* parent)
{
    auto* host = new QWidget(parent);
    host->setAttribute(Qt::WA_TranslucentBackground);
    layout = new AdaptiveGridLayout(minimumColumn, maximumColumn, 12, 12, host);
    return host;
}

} // namespace

CastView::CastView(ScreenSession screenSession, QWidget* parent)
    : PhaseScreen(screenSession, parent)
{
    setObjectName(u"castView"_s);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    auto* gallery = new QWidget(this);
    gallery->setAttribute(Qt::WA_TranslucentBackground);
    buildGallery(gallery);
    row->addWidget(gallery, 1);
    row->addWidget(new HairlineDivider(Qt::Vertical, this));
    auto* pane = new QWidget(this);
    pane->setAttribute(Qt::WA_TranslucentBackground);
    pane->setFixedWidth(paneWidth);
    buildPane(pane);
    row->addWidget(pane);
    requestRefresh();
}

CastView::~CastView() = default;

void CastView::buildGallery(QWidget* gallery)
{
    auto* column = new QVBoxLayout(gallery);
    column->setContentsMargins(20, 20, 20, 20);
    column->setSpacing(14);

    auto* header = new QHBoxLayout;
    header->setContentsMargins(0, 0, 0, 0);
    m_picker = new PillPicker(gallery);
    // The pills exist from the start, so they take the focus before the New
    // controls and the cards.
    m_picker->setOptions<int>(modeOptions(project()));
    connect(m_picker, &PillPicker::picked, this,
            [this](int index) { setMode(Mode(m_picker->value<int>(index))); });
    header->addWidget(m_picker);
    header->addStretch(1);
    m_newCharacter = new NewCharacterMenu(gallery);
    connect(m_newCharacter, &NewCharacterMenu::characterRequested, this, &CastView::addCharacter);
    header->addWidget(m_newCharacter);
    m_newLocation = new PrimaryButton(u"plus"_s, u"New location"_s, false, gallery);
    connect(m_newLocation, &QAbstractButton::clicked, this, &CastView::addLocation);
    header->addWidget(m_newLocation);
    column->addLayout(header);

    m_scroll = new ScrollColumn(gallery);
    QWidget* content = m_scroll->content();
    QVBoxLayout* stack = m_scroll->column();
    m_noCharacters = new EmptyStateView(
        u"person.2"_s, u"No one lives here yet"_s,
        u"Characters carry the film. Start blank, or pick a starter — each one is a contradiction worth arguing "
        u"with, not a stock character."_s,
        std::nullopt, {}, content);
    m_noLocations = new EmptyStateView(
        u"map"_s, u"No world yet"_s,
        u"Locations are sets. Describing each one once — era, mood, signature details, what it sounds like — keeps "
        u"every scene shot there looking and feeling like the same place."_s,
        std::nullopt, {}, content);
    AdaptiveGridLayout* characterLayout = nullptr;
    AdaptiveGridLayout* locationLayout = nullptr;
    m_characterGrid = gridHost(150, 200, characterLayout, content);
    m_locationGrid = gridHost(190, 260, locationLayout, content);
    setChoiceGroup(m_characterGrid, u"Characters"_s);
    setChoiceGroup(m_locationGrid, u"Locations"_s);
    m_characterCards = std::make_unique<KeyedList<QUuid, CharacterCard>>(characterLayout);
    m_locationCards = std::make_unique<KeyedList<QUuid, LocationCard>>(locationLayout);
    for (QWidget* part : {static_cast<QWidget*>(m_noCharacters), m_characterGrid,
                          static_cast<QWidget*>(m_noLocations), m_locationGrid}) {
        part->hide();
        stack->addWidget(part);
    }
    stack->addStretch(1);
    column->addWidget(m_scroll, 1);
}

void CastView::buildPane(QWidget* pane)
{
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_pane = new QStackedWidget(pane);
    layout->addWidget(m_pane);

    m_placeholder = new QWidget(m_pane);
    m_placeholder->setAttribute(Qt::WA_TranslucentBackground);
    auto* placeholderColumn = new QVBoxLayout(m_placeholder);
    placeholderColumn->setSpacing(10);
    placeholderColumn->addStretch(1);
    m_placeholderSymbol = new SymbolLabel(u"person.crop.rectangle"_s, 26, Palette::textTertiary(), QFont::Light,
                                          m_placeholder);
    placeholderColumn->addWidget(m_placeholderSymbol, 0, Qt::AlignHCenter);
    m_placeholderText = new TextLabel(QString(), Theme::font(type::subheadline, QFont::Medium), Palette::textTertiary(),
                                      m_placeholder);
    m_placeholderText->setAlignment(Qt::AlignHCenter);
    placeholderColumn->addWidget(m_placeholderText, 0, Qt::AlignHCenter);
    placeholderColumn->addStretch(1);
    m_pane->addWidget(m_placeholder);

    m_characterDetail = new CharacterDetail(m_pane);
    connectCharacterDetail();
    connect(m_characterDetail, &CharacterDetail::assistRequested, this,
            [this](const QUuid& id) { runAssist(cast::fleshOut(id)); });
    connect(m_characterDetail, &CharacterDetail::removeRequested, this, &CastView::removeCharacter);
    m_pane->addWidget(m_characterDetail);

    m_locationDetail = new LocationDetail(m_pane);
    connectLocationDetail();
    connect(m_locationDetail, &LocationDetail::assistRequested, this,
            [this](const QUuid& id) { runAssist(cast::completeLocation(id)); });
    connect(m_locationDetail, &LocationDetail::removeRequested, this, &CastView::removeLocation);
    m_pane->addWidget(m_locationDetail);
}

void CastView::connectCharacterDetail()
{
    CharacterDetail* d = m_characterDetail;
    connect(d, &CharacterDetail::textEdited, this,
            [this](const QUuid& id, rules::CharacterText field, const QString& text) {
                edit([&](Project& p) { edits::setCharacterText(p, id, field, text); });
            });
    connect(d, &CharacterDetail::roleChosen, this, [this](const QUuid& id, CastRole role) {
        edit([&](Project& p) { edits::setCharacterRole(p, id, role); });
    });
    connect(d, &CharacterDetail::newLookRequested, this, [this](const QUuid& id) {
        edit([&, seed = newSeed()](Project& p) { edits::setPortraitSeed(p, id, seed); });
    });
    connect(d, &CharacterDetail::relationshipAddRequested, this, [this](const QUuid& id, const QUuid& otherID) {
        QUuid added;
        edit([&](Project& p) { added = edits::addRelationship(p, id, otherID); });
        // Whom the relationship is with is chosen; how they relate is what
        // the user types next. The keyboard goes to the new row's label, not
        // back to where it was before the menu (the Name field, perhaps,
        // scrolled out of view), and the page follows it.
        FocusOnAdded::give(m_characterDetail->relationships()->row(added));
    });
    connect(d, &CharacterDetail::relationshipRetargetRequested, this,
            [this](const QUuid& id, const QUuid& relationshipID, const QUuid& otherID) {
                edit([&](Project& p) { edits::retargetRelationship(p, id, relationshipID, otherID); });
            });
    connect(d, &CharacterDetail::relationshipLabelEdited, this,
            [this](const QUuid& id, const QUuid& relationshipID, const QString& label) {
                edit([&](Project& p) { edits::setRelationshipLabel(p, id, relationshipID, label); });
            });
    connect(d, &CharacterDetail::relationshipRemoveRequested, this,
            [this](const QUuid& id, const QUuid& relationshipID) {
                edit([&](Project& p) { edits::removeRelationship(p, id, relationshipID); });
            });
}

void CastView::connectLocationDetail()
{
    LocationDetail* d = m_locationDetail;
    connect(d, &LocationDetail::textEdited, this,
            [this](const QUuid& id, rules::LocationText field, const QString& text) {
                edit([&](Project& p) { edits::setLocationText(p, id, field, text); });
            });
    connect(d, &LocationDetail::kindChosen, this, [this](const QUuid& id, LocationKind kind) {
        edit([&](Project& p) { edits::setLocationKind(p, id, kind); });
    });
    connect(d, &LocationDetail::newLookRequested, this, [this](const QUuid& id) {
        edit([&, seed = newSeed()](Project& p) { edits::setLocationArtSeed(p, id, seed); });
    });
}

void CastView::setMode(Mode mode)
{
    if (mode == m_mode)
        return;
    m_mode = mode;
    requestRefresh();
}

void CastView::selectCharacter(const QUuid& memberID)
{
    if (memberID == m_selectedCharacterID)
        return;
    m_selectedCharacterID = memberID;
    requestRefresh();
}

void CastView::selectLocation(const QUuid& locationID)
{
    if (locationID == m_selectedLocationID)
        return;
    m_selectedLocationID = locationID;
    requestRefresh();
}

void CastView::addCharacter(const CharacterStarter* starter)
{
    QUuid added;
    if (!edit([&](Project& p) { added = edits::addNewCharacter(p, starter); }))
        return;
    selectCharacter(added);
    // The pane shows the new member: its name is what the user types next.
    FocusOnAdded::give(m_characterDetail);
}

void CastView::addLocation()
{
    QUuid added;
    if (!edit([&](Project& p) { added = edits::addNewLocation(p); }))
        return;
    selectLocation(added);
    FocusOnAdded::give(m_locationDetail);
}

void CastView::removeCharacter(const QUuid& memberID)
{
    // Removed from the pane, the character hands the keyboard on as one
    // deleted from its card: to the card now in its place.
    m_characterCards->removingFrom(m_characterDetail, memberID);
    if (edit([&](Project& p) { edits::removeCharacter(p, memberID); }))
        selectCharacter(rules::selectionAfterRemoving(m_selectedCharacterID, memberID));
}

void CastView::removeLocation(const QUuid& locationID)
{
    m_locationCards->removingFrom(m_locationDetail, locationID);
    if (edit([&](Project& p) { edits::removeLocation(p, locationID); }))
        selectLocation(rules::selectionAfterRemoving(m_selectedLocationID, locationID));
}

QList<CharacterCard*> CastView::characterCards() const
{
    return m_characterCards->widgets();
}

QList<LocationCard*> CastView::locationCards() const
{
    return m_locationCards->widgets();
}

QWidget* CastView::paneContent() const
{
    return m_pane->currentWidget();
}

QString CastView::placeholderText() const
{
    return m_placeholderText->text();
}

void CastView::refresh()
{
    const Project& p = project();
    m_picker->setOptions<int>(modeOptions(p));
    m_picker->setSelection<int>(m_mode);
    m_newCharacter->setVisible(m_mode == characters);
    m_newLocation->setVisible(m_mode == locations);
    // The gallery is heard by what it holds; the keyboard rests there when
    // the last card of it is removed.
    const QString galleryName = m_mode == characters ? u"Characters"_s : u"Locations"_s;
    if (m_scroll->content()->accessibleName() != galleryName)
        m_scroll->content()->setAccessibleName(galleryName);
    // Only the gallery on show follows the production; the other catches up
    // when the picker switches to it.
    if (m_mode == characters)
        refreshCharacters(p);
    else
        refreshLocations(p);
    refreshPane(p);
}

void CastView::refreshCharacters(const Project& p)
{
    m_locationGrid->hide();
    m_noLocations->hide();
    m_characterCards->sync(
        p.cast, [](const CastMember& m) { return m.id; },
        [this](const CastMember& m) {
            auto* card = new CharacterCard(m.id);
            connect(card, &GalleryCard::chosen, this, &CastView::selectCharacter);
            return card;
        },
        [this](CharacterCard* card, const CastMember& m, int) {
            card->setMember(m, m.id == m_selectedCharacterID);
        });
    m_noCharacters->setVisible(p.cast.isEmpty());
    m_characterGrid->setVisible(!p.cast.isEmpty());
    orderTabStops(m_characterCards->widgets());
}

void CastView::refreshLocations(const Project& p)
{
    m_characterGrid->hide();
    m_noCharacters->hide();
    m_locationCards->sync(
        p.locations, [](const Location& l) { return l.id; },
        [this](const Location& l) {
            auto* card = new LocationCard(l.id);
            connect(card, &GalleryCard::chosen, this, &CastView::selectLocation);
            return card;
        },
        [this](LocationCard* card, const Location& l, int) {
            card->setLocation(l, l.id == m_selectedLocationID);
        });
    m_noLocations->setVisible(p.locations.isEmpty());
    m_locationGrid->setVisible(!p.locations.isEmpty());
    orderTabStops(m_locationCards->widgets());
}

template <typename Card>
void CastView::orderTabStops(const QList<Card*>& cards)
{
    // Cards built after the screen would come last in the window's Tab
    // order, after the detail pane: they follow the New controls, in the
    // gallery's order, and the pane follows them.
    TabOrder::chain(m_newLocation, QList<QWidget*>(cards.cbegin(), cards.cend()));
}

void CastView::refreshPane(const Project& p)
{
    QWidget* page = m_placeholder;
    if (m_mode == characters) {
        const CastMember* member = m_selectedCharacterID.isNull() ? nullptr : findCastMember(p, m_selectedCharacterID);
        if (member) {
            m_characterDetail->setMember(*member, p.cast);
            page = m_characterDetail;
        } else {
            m_placeholderSymbol->setName(u"person.crop.rectangle"_s);
            m_placeholderText->setText(u"Select a character"_s);
        }
    } else {
        const Location* location = m_selectedLocationID.isNull() ? nullptr : findLocation(p, m_selectedLocationID);
        if (location) {
            m_locationDetail->setLocation(*location);
            page = m_locationDetail;
        } else {
            m_placeholderSymbol->setName(u"photo.on.rectangle.angled"_s);
            m_placeholderText->setText(u"Select a location"_s);
        }
    }
    m_pane->setCurrentWidget(page);
}

} // namespace studio
