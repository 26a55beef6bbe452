#include "app/StudioApp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    studio::StudioApp::configure(app);
    studio::StudioApp studio;
    studio.show();
    return app.exec();
}
