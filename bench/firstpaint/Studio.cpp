// The program as main() starts it, up to its window's first paint.

#include "FirstPaint.h"

#include "app/MainWindow.h"
#include "app/StudioApp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    studio::StudioApp::configure(app);
    studio::StudioApp studio;
    new studio::bench::FirstPaintWatch(&studio.window());
    studio.show();
    return app.exec();
}
