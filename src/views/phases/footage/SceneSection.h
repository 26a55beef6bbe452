#pragma once

// One scene of the footage manifest: its heading with "Select scene", then
// one row per shot, kept by the shot's id.

#include "design/widgets/KeyedList.h"
#include "model/Board.h"
#include "model/Generation.h"
#include "model/Project.h"
#include "views/phases/footage/ShotRow.h"

#include <QSet>
#include <QUuid>
#include <QWidget>

#include <optional>

class QAbstractButton;

namespace studio {

class TextLabel;

class SceneSection : public QWidget {
    Q_OBJECT
public:
    // What every section reads besides its own scene.
    struct Context {
        const Project* project = nullptr;
        const GenerationProfile* profile = nullptr;
        const QSet<QUuid>* selection = nullptr;
        // Changes whenever the selection does, so a section can tell at once.
        quint64 selectionVersion = 0;
        QUuid expandedShotID;
    };

    explicit SceneSection(const QUuid& sceneID, QWidget* parent = nullptr);

    // The height of a section of that many shots with every row folded.
    static int foldedHeight(qsizetype shotCount);
    // Shows the scene as the sceneNumber-th of its episode (counted from 1).
    // A section whose scene and context are as last shown is left alone.
    void sync(const SceneCard& scene, qsizetype sceneNumber, const Context& context);

    QString titleText() const;
    QAbstractButton* selectSceneButton() const { return m_selectScene; }
    ShotRow* row(const QUuid& shotID) const { return m_rows.widget(shotID); }
    // What takes the keyboard focus in the section, in reading order.
    QList<QWidget*> focusStops() const;

Q_SIGNALS:
    void selectSceneClicked(const QUuid& sceneID);
    void selectionToggled(const QUuid& shotID);
    void disclosureToggled(const QUuid& shotID);

private:
    QUuid m_sceneID;
    TextLabel* m_title;
    QAbstractButton* m_selectScene;
    KeyedList<QUuid, ShotRow> m_rows;

    // What the rows show now. The lists share their data with the production
    // they came from, so comparing an unchanged scene costs next to nothing.
    struct Shown {
        SceneCard scene;
        qsizetype number = 0;
        QList<Location> locations;
        double maxClipSeconds = 0;
        quint64 selectionVersion = 0;
        bool holdsExpandedRow = false;
    };
    std::optional<Shown> m_shown;
};

} // namespace studio
