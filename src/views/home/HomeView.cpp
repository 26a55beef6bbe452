#include "views/home/HomeView.h"

namespace studio {

HomeView::HomeView(AppState& app, QWidget* parent)
    : QWidget(parent), m_app(app)
{
}

} // namespace studio
