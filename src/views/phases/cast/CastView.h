#pragma once

// The Cast & World screen: a gallery of the production's characters or
// locations on the left, switched by a pill picker, and a 390-point detail
// pane on the right editing the selected one.
//
// View state, which lives only as long as the screen: the mode (characters or
// locations) and one selection per kind, independent of each other and of the
// mode (switching to Locations and back shows the same character again). A
// selection is an id; the pane looks it up at every refresh and shows its
// placeholder when no record has it.

#include "views/phases/PhaseScreen.h"

#include <QUuid>

#include <memory>

class QStackedWidget;

namespace studio {

class AdaptiveGridLayout;
class CharacterCard;
class CharacterDetail;
class EmptyStateView;
class LocationCard;
class LocationDetail;
class NewCharacterMenu;
class PillPicker;
class PrimaryButton;
class ScrollColumn;
class SymbolLabel;
class TextLabel;
struct CharacterStarter;
template <typename Key, typename W>
class KeyedList;

class CastView : public PhaseScreen {
    Q_OBJECT
public:
    enum Mode { characters = 0, locations = 1 };

    explicit CastView(ScreenSession screenSession, QWidget* parent = nullptr);
    ~CastView() override;

    Mode mode() const { return m_mode; }
    void setMode(Mode mode);
    QUuid selectedCharacterID() const { return m_selectedCharacterID; }
    QUuid selectedLocationID() const { return m_selectedLocationID; }
    void selectCharacter(const QUuid& memberID);
    void selectLocation(const QUuid& locationID);

    // The New controls: a blank character (no starter) or one from a starter,
    // and a new location; each is selected at once.
    void addCharacter(const CharacterStarter* starter);
    void addLocation();
    // Removes the character (location) with that id, if it is still there;
    // the selection of that kind is cleared only when it named it.
    void removeCharacter(const QUuid& memberID);
    void removeLocation(const QUuid& locationID);

    // The screen's parts, for tests.
    PillPicker* picker() const { return m_picker; }
    NewCharacterMenu* newCharacterButton() const { return m_newCharacter; }
    PrimaryButton* newLocationButton() const { return m_newLocation; }
    QList<CharacterCard*> characterCards() const;
    QList<LocationCard*> locationCards() const;
    EmptyStateView* charactersEmptyState() const { return m_noCharacters; }
    EmptyStateView* locationsEmptyState() const { return m_noLocations; }
    // The pane's current page: the character detail, the location detail or
    // the placeholder.
    QWidget* paneContent() const;
    CharacterDetail* characterDetail() const { return m_characterDetail; }
    LocationDetail* locationDetail() const { return m_locationDetail; }
    QWidget* placeholder() const { return m_placeholder; }
    QString placeholderText() const;

private:
    void refresh() override;
    void buildGallery(QWidget* gallery);
    void buildPane(QWidget* pane);
    void connectCharacterDetail();
    void connectLocationDetail();
    void refreshCharacters(const Project& project);
    void refreshLocations(const Project& project);
    void refreshPane(const Project& project);
    template <typename Card>
    void orderTabStops(const QList<Card*>& cards);

    Mode m_mode = characters;
    QUuid m_selectedCharacterID;
    QUuid m_selectedLocationID;

    PillPicker* m_picker = nullptr;
    NewCharacterMenu* m_newCharacter = nullptr;
    PrimaryButton* m_newLocation = nullptr;
    ScrollColumn* m_scroll = nullptr;
    EmptyStateView* m_noCharacters = nullptr;
    EmptyStateView* m_noLocations = nullptr;
    QWidget* m_characterGrid = nullptr;
    QWidget* m_locationGrid = nullptr;
    std::unique_ptr<KeyedList<QUuid, CharacterCard>> m_characterCards;
    std::unique_ptr<KeyedList<QUuid, LocationCard>> m_locationCards;

    QStackedWidget* m_pane = nullptr;
    QWidget* m_placeholder = nullptr;
    SymbolLabel* m_placeholderSymbol = nullptr;
    TextLabel* m_placeholderText = nullptr;
    CharacterDetail* m_characterDetail = nullptr;
    LocationDetail* m_locationDetail = nullptr;
};

} // namespace studio
