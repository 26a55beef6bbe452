#pragma once

// The sheet in which a production starts. Step 0 is the grid of the six
// formats; picking one presets the runtime and moves on. Step 1 names and
// shapes the production (title, genres, runtime, episodes of season one) and
// previews the story structure the format brings. "Create Production" has the
// store create and save it, opens it in a new tab and closes the sheet.
// However the sheet closes, the application's new-production request is
// cleared; every presentation starts afresh.

#include "design/widgets/SheetDialog.h"
#include "state/rules/NewProjectDraft.h"

#include <QHash>

#include <optional>

class QAbstractButton;
class QScrollArea;

namespace studio {

class AppState;
class FormatCard;
class GhostButton;
class NewProjectDetailsForm;
class PrimaryButton;
class Spring;
class TextLabel;
class ToolbarIconButton;

class NewProjectSheet : public SheetDialog {
    Q_OBJECT
public:
    NewProjectSheet(AppState& app, QWidget* window);
    ~NewProjectSheet() override;

    // The sheet presented for this application and not yet closed, if any.
    static NewProjectSheet* openFor(const AppState& app);

    const rules::NewProjectDraft& draft() const { return m_draft; }
    // Closed (by any route); it is deleted from the event loop.
    bool isFinished() const { return m_finished; }

    // What the controls do.
    void pickFormat(ProjectFormat format);
    void goBack();
    // Creates, opens and closes; returns the production created (nothing
    // once the sheet has closed).
    std::optional<Project> createProduction();

    QString title() const;
    QString subtitle() const;
    FormatCard* formatCard(ProjectFormat format) const { return m_formatCards.value(format); }
    NewProjectDetailsForm* details() const { return m_details; }
    QAbstractButton* closeButton() const;
    QAbstractButton* backButton() const;
    QAbstractButton* createButton() const;
    bool showsTip() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Moves the keyboard from a format card to the one `rows` down and
    // `columns` across in the grid, if there is one.
    void stepInGrid(FormatCard* from, int rows, int columns);
    void display();
    void fadeIn();

    AppState& m_app;
    rules::NewProjectDraft m_draft;
    TextLabel* m_title;
    TextLabel* m_subtitle;
    ToolbarIconButton* m_close;
    QScrollArea* m_scroll;
    QWidget* m_formatGrid;
    QHash<ProjectFormat, FormatCard*> m_formatCards;
    NewProjectDetailsForm* m_details;
    GhostButton* m_back;
    PrimaryButton* m_create;
    TextLabel* m_tip;
    Spring* m_fade = nullptr;
    int m_shownStep = -1;
    bool m_finished = false;
};

} // namespace studio
