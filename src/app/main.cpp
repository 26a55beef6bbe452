#include "app/SingleInstance.h"
#include "app/StudioApp.h"
#include "services/ProjectStore.h"

#include <QApplication>

int main(int argc, char** argv)
{
    // Before Qt's platform takes the launcher's startup id from the environment.
    const studio::SingleInstance::Launch launch = studio::SingleInstance::launchFromEnvironment();
    QApplication app(argc, argv);
    studio::StudioApp::configure(app);
    // One program per library: a later start brings the first one forward and ends.
    studio::SingleInstance instance(studio::ProjectStore::rootPath(), launch);
    if (!instance.claim())
        return instance.exitStatus();
    studio::StudioApp studio;
    studio.answer(instance);
    studio.show();
    return app.exec();
}
