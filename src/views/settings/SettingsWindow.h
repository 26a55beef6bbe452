#pragma once

// The settings window: a separate top-level window with three tabs (General,
// AI, Updates) over a fixed 540 by 440 page. One window serves the whole run:
// opening it again raises the same window with the tab last shown. Each
// page reads its settings when the window shows and writes every change at once.

#include "design/widgets/AccessibleSource.h"

#include <QPointer>
#include <QWidget>

class QStackedWidget;

namespace studio {

class AppState;
class AISettingsPage;
class GeneralSettingsPage;
class UpdateSettingsPage;

class SettingsWindow : public QWidget, public AccessibleSource {
    Q_OBJECT
public:
    enum class Tab { general, ai, updates };

    // Shows (or raises) the settings window of this state, making it on first
    // use. It lives until the state is destroyed.
    static SettingsWindow* present(AppState& app);
    // The window present() made, if it still exists.
    static SettingsWindow* current();

    explicit SettingsWindow(AppState& app, QWidget* parent = nullptr);
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

    static constexpr QSize pageSize{540, 440};

protected:
    QAccessibleInterface* accessibleFor(QObject* object) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void refreshTabBar();

    AppState& m_app;
    QStackedWidget* m_pages;
    GeneralSettingsPage* m_general;
    AISettingsPage* m_ai;
    UpdateSettingsPage* m_updates;
    QList<QWidget*> m_tabButtons;
};

} // namespace studio
