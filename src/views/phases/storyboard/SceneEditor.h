#pragma once

// The centre of the Storyboard screen: the selected scene's header (interior
// or exterior, location, time of day, synopsis, the cast in the scene) over
// the grid of its shots and the tiles that add shots. The editor knows its
// scene by id and reports each user action as a request carrying that id;
// the screen turns the requests into edits.

#include "model/Project.h"

#include <QUuid>
#include <QWidget>
#include <memory>
#include <optional>

namespace studio {

class Chip;
class FlowLayout;
class HorizontalStrip;
class MenuButton;
class PillPicker;
class PlainTextField;
class ShotGrid;
template <typename Key, typename W>
class KeyedList;

class SceneEditor : public QWidget {
    Q_OBJECT
public:
    explicit SceneEditor(QWidget* parent = nullptr);
    ~SceneEditor() override;

    // The scene on show, with the production's cast, locations and aspect.
    void showScene(const Project& project, const SceneCard& scene, const std::optional<QUuid>& selectedShot);
    QUuid sceneID() const { return m_sceneID; }
    // The AI tile follows the session's busy flag.
    void setBusy(bool busy);


    // The parts, for tests.
    HorizontalStrip* headingRow() const { return m_heading; }
    PillPicker* settingPicker() const { return m_setting; }
    PillPicker* timePicker() const { return m_time; }
    MenuButton* locationMenu() const { return m_location; }
    PlainTextField* locationField() const { return m_locationText; }
    PlainTextField* synopsisField() const { return m_synopsis; }
    ShotGrid* grid() const { return m_grid; }

Q_SIGNALS:
    void settingRequested(const QUuid& sceneID, SceneSetting setting);
    // A production location, or a null id for "Custom…".
    void locationRequested(const QUuid& sceneID, const QUuid& locationID);
    void locationTextRequested(const QUuid& sceneID, const QString& text);
    void timeRequested(const QUuid& sceneID, TimeOfDay time);
    void synopsisRequested(const QUuid& sceneID, const QString& text);
    void castToggleRequested(const QUuid& sceneID, const QUuid& memberID);
    void shotPicked(const QUuid& sceneID, const QUuid& shotID);
    void addShotRequested(const QUuid& sceneID);
    void recipeShotRequested(const QUuid& sceneID, const QString& recipeID);
    void coverageRequested(const QUuid& sceneID, const QString& packID);
    void shotMoveRequested(const QUuid& sceneID, const QUuid& shotID, int offset);
    void shotDeleteRequested(const QUuid& sceneID, const QUuid& shotID);
    void shotListRequested(const QUuid& sceneID);

private:
    QWidget* buildHeader();
    // The location menu's items, from the locations last shown.
    void fillLocationMenu();

    QUuid m_sceneID;
    QList<Location> m_locations;
    HorizontalStrip* m_heading;
    PillPicker* m_setting;
    MenuButton* m_location;
    PlainTextField* m_locationText;
    QWidget* m_timeLine;
    PillPicker* m_time;
    PlainTextField* m_synopsis;
    QWidget* m_cast;
    FlowLayout* m_castFlow;
    std::unique_ptr<KeyedList<QUuid, Chip>> m_castChips;
    ShotGrid* m_grid;
};

} // namespace studio
