// The floor of the first-paint benchmark: a Qt Widgets program that opens one
// empty window.

#include "FirstPaint.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(1320, 860);
    new studio::bench::FirstPaintWatch(&window);
    window.show();
    return app.exec();
}
