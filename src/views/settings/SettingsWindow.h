#pragma once

// The settings: a sheet over the main window (SheetDialog.h), with three
// tabs (General, AI, Updates) over a 540 by 440 page (which scrolls in a
// window too low for it) and a close button; Esc closes it too. One sheet serves the whole run: opening it
// again shows the same sheet with the tab last shown. Each page reads its
// settings when the sheet shows and writes every change at once. A reader
// hears it as a dialog named by the tab it shows.

#include "design/widgets/SheetDialog.h"

#include <QPointer>

class QStackedWidget;

namespace studio {

class AppState;
class AISettingsPage;
class GeneralSettingsPage;
class UpdateSettingsPage;

class ToolbarIconButton;

class SettingsWindow : public SheetDialog {
    Q_OBJECT
public:
    enum class Tab { general, ai, updates };

    // Shows the settings of this state over the window of `presenter` (the
    // view under the tab strip), making them on first use. They live until
    // the state, or the window, is destroyed.
    static SettingsWindow* present(AppState& app, QWidget* presenter);
    // The settings present() made, if they still exist.
    static SettingsWindow* current();

    SettingsWindow(AppState& app, QWidget* presenter);
    ~SettingsWindow() override;

    AppState& app() const { return m_app; }
    Tab currentTab() const;
    void setCurrentTab(Tab tab);
    static QString tabLabel(Tab tab);

    GeneralSettingsPage* generalPage() const { return m_general; }
    AISettingsPage* aiPage() const { return m_ai; }
    UpdateSettingsPage* updatesPage() const { return m_updates; }
    // The tab bar's buttons, in tab order.
    QList<QWidget*> tabButtons() const { return m_tabButtons; }
    ToolbarIconButton* closeButton() const { return m_close; }

    static constexpr QSize pageSize{540, 440};

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void refreshTabBar();

    AppState& m_app;
    QStackedWidget* m_pages;
    GeneralSettingsPage* m_general;
    AISettingsPage* m_ai;
    UpdateSettingsPage* m_updates;
    QList<QWidget*> m_tabButtons;
    ToolbarIconButton* m_close;
};

} // namespace studio
