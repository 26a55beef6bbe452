#pragma once

// The centre of the Storyboard screen: the selected scene's header (interior
// or exterior, location, time of day, synopsis, the cast in the scene) over
// the grid of its shots and the tiles that add shots. The editor knows its
// scene by id; each of its actions finds the active episode and the scene
// again when it runs.

#include "model/Project.h"

#include <QUuid>
#include <QWidget>
#include <memory>
#include <optional>

namespace studio {

class Chip;
class FlowLayout;
class MenuButton;
class PillPicker;
class PlainTextField;
class ScenesView;
class ShotGrid;
template <typename Key, typename W>
class KeyedList;

class SceneEditor : public QWidget {
    Q_OBJECT
public:
    explicit SceneEditor(ScenesView& screen, QWidget* parent = nullptr);
    ~SceneEditor() override;

    // The scene on show, with the production's cast, locations and aspect.
    void showScene(const Project& project, const SceneCard& scene, const std::optional<QUuid>& selectedShot);
    QUuid sceneID() const { return m_sceneID; }
    // The AI tile follows the session's busy flag.
    void setBusy(bool busy);

    // The grid's actions.
    void addShot();
    void addRecipeShot(const QString& recipeID);
    void applyCoverage(const QString& packID);
    void moveShot(const QUuid& shotID, int offset);
    void deleteShot(const QUuid& shotID);
    void aiShotList();

    // The parts, for tests.
    PillPicker* settingPicker() const { return m_setting; }
    PillPicker* timePicker() const { return m_time; }
    MenuButton* locationMenu() const { return m_location; }
    PlainTextField* locationField() const { return m_locationText; }
    PlainTextField* synopsisField() const { return m_synopsis; }
    QWidget* castRow() const { return m_cast; }
    QList<Chip*> castChips() const;
    ShotGrid* grid() const { return m_grid; }

private:
    QWidget* buildHeader();
    // The location menu's items, from the production as it is when it opens.
    void fillLocationMenu();
    // One edit of this editor's scene, found in the active episode when it runs.
    void editScene(const std::function<void(SceneCard&)>& change);

    ScenesView& m_screen;
    QUuid m_sceneID;
    PillPicker* m_setting;
    MenuButton* m_location;
    PlainTextField* m_locationText;
    PillPicker* m_time;
    PlainTextField* m_synopsis;
    QWidget* m_cast;
    FlowLayout* m_castFlow;
    std::unique_ptr<KeyedList<QUuid, Chip>> m_castChips;
    ShotGrid* m_grid;
};

} // namespace studio
