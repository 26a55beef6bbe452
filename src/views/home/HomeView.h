#pragma once

// The home library of a home tab: every stored production as a poster card,
// led by the card that starts a new one; a first-run panel with the sample
// films while the library is empty; the footer with the version. It opens
// productions in tabs, saves copies and samples, reveals a production's
// folder, moves productions to the Trash after a confirmation, and presents
// the new-production sheet while the application asks for it and this
// library is the one on screen.

#include "design/widgets/AccessibleSource.h"
#include "design/widgets/Alert.h"
#include "model/Date.h"
#include "model/Project.h"

#include <QPointer>
#include <QUuid>
#include <QWidget>

#include <functional>
#include <optional>

class QMenu;
class QScrollArea;
class QSpacerItem;

namespace studio {

class AppState;
class FirstRunPanel;
class LibraryGrid;
class NewProjectCard;
class NewProjectSheet;
class ProjectPosterCard;
class SampleMenuButton;
class TextLabel;

class HomeView : public QWidget, public AccessibleSource {
    Q_OBJECT
public:
    using Clock = std::function<Date()>;
    using Revealer = std::function<bool(const QString& path)>;

    explicit HomeView(AppState& app, QWidget* parent = nullptr);
    ~HomeView() override;

    // A copy of a production as "Duplicate" makes it: a fresh id and poster
    // seed, the name followed by " Copy", created at `now`; everything else
    // (the ids inside it included) unchanged.
    static Project duplicated(const Project& source, const Date& now);
    // The confirmation's message for a production's name.
    static QString trashMessage(const QString& name);

    // What the cards and menus do. Each finds the stored production by id at
    // the moment it acts; an id no longer in the library does nothing.
    void openProject(const QUuid& id);
    // Saves a copy of the stored production; the copy's id, or nothing when
    // there was nothing to copy or the save failed (the store reports it).
    std::optional<QUuid> duplicateProject(const QUuid& id);
    void revealProject(const QUuid& id);
    // Asks for the confirmation of moving the production to the Trash.
    void requestTrash(const QUuid& id);
    // Saves a new production made from the sample and opens it (also when
    // the save failed: the tab's autosave retries).
    void addSample(const QString& sampleID);
    void requestNewProject();

    // The production waiting for the Trash confirmation, while it is up.
    std::optional<QUuid> pendingDelete() const { return m_pendingDelete; }
    Alert* trashConfirmation() const { return m_confirmation; }
    NewProjectSheet* newProjectSheet() const;

    // A new context menu for a card (the caller owns it).
    QMenu* contextMenu(const QUuid& id);

    bool showsFirstRun() const;
    NewProjectCard* newProjectCard() const;
    QList<ProjectPosterCard*> posterCards() const;
    SampleMenuButton* footerSampleMenu() const { return m_footerSamples; }
    QString footerText() const;
    QScrollArea* scrollArea() const { return m_scroll; }

    // The present moment for edit times and copies (tests); the system clock
    // by default.
    void setClock(Clock clock);
    // How a folder is shown in the file manager (tests); revealInFileManager
    // by default.
    void setRevealer(Revealer revealer);

protected:
    void showEvent(QShowEvent* event) override;
    // Read as the pane "Home" when it holds the keyboard itself (on return
    // Home), so a reader hears where it landed.
    QAccessibleInterface* accessibleFor(QObject* object) override;

private:
    void refresh();
    void syncSheet();
    void showContextMenu(const QUuid& id, const QPoint& globalPos);
    void finishTrash(const QUuid& id, bool confirmed);
    Date now() const;

    AppState& m_app;
    Clock m_clock;
    Revealer m_revealer;
    QScrollArea* m_scroll;
    QWidget* m_canvas;
    QSpacerItem* m_aboveContent;
    QSpacerItem* m_belowContent;
    FirstRunPanel* m_firstRun;
    LibraryGrid* m_grid;
    TextLabel* m_version;
    SampleMenuButton* m_footerSamples;
    std::optional<QUuid> m_pendingDelete;
    QPointer<Alert> m_confirmation;
    QPointer<NewProjectSheet> m_sheet;
};

} // namespace studio
