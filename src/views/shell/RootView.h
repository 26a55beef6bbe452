#pragma once

// The content of the main window: the aurora backdrop under everything, the
// studio tab strip with its rule, and the screen of the selected tab (the
// home library of a home tab, the workspace of a production tab), built anew
// whenever another tab is selected. It also answers the settings request and
// starts the periodic update check once per process.

#include <QPointer>
#include <QUuid>
#include <QWidget>

class QVBoxLayout;

namespace studio {

class AppState;
class AuroraBackground;
class TabStrip;

class RootView : public QWidget {
    Q_OBJECT
public:
    explicit RootView(AppState& app, QWidget* parent = nullptr);
    ~RootView() override;

    TabStrip* tabStrip() const { return m_strip; }
    AuroraBackground* backdrop() const { return m_backdrop; }
    // The screen of the selected tab and the id of the tab it was built for.
    QWidget* content() const { return m_content; }
    QUuid contentTabID() const { return m_contentTabID; }

    // Places a banner of the window between the strip's rule and the screen.
    void setBanner(QWidget* banner);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void syncContent(bool selectionChanged);
    void answerSettingsRequest();
    void syncBackdrop();

    AppState& m_app;
    AuroraBackground* m_backdrop;
    QWidget* m_column;
    QVBoxLayout* m_columnLayout;
    TabStrip* m_strip;
    QPointer<QWidget> m_content;
    QUuid m_contentTabID;
    bool m_started = false;
};

} // namespace studio
