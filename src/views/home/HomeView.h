#pragma once

#include <QWidget>

namespace studio {

class AppState;

// The home library of a home tab.
class HomeView : public QWidget {
    Q_OBJECT
public:
    explicit HomeView(AppState& app, QWidget* parent = nullptr);

private:
    AppState& m_app;
};

} // namespace studio
