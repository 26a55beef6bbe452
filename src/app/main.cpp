#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Palisademotion"));
    QApplication::setApplicationName(QStringLiteral("Palisademotion"));
    QApplication::setApplicationVersion(QStringLiteral(STUDIO_VERSION));

    QWidget window;
    window.setWindowTitle(QStringLiteral("Palisademotion"));
    window.resize(1080, 700);
    window.show();
    return app.exec();
}
