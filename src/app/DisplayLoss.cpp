#include "app/DisplayLoss.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMetaObject>
#include <QMutex>
#include <QThread>
#include <QWaitCondition>

#include <atomic>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

std::atomic<DisplayLoss*> s_installed{nullptr};
// Set once the save has begun (on the interface thread), and once it is done.
std::atomic<bool> s_saving{false};
QMutex s_mutex;
QWaitCondition s_savedCondition;
bool s_saved = false;

// How long a thread that reports the loss waits for the interface thread to
// save before Qt ends the program all the same.
constexpr int saveWaitMilliseconds = 10000;

} // namespace

DisplayLoss::DisplayLoss(std::function<void()> save)
    : m_save(std::move(save))
    , m_previous(qInstallMessageHandler(&DisplayLoss::onMessage))
{
    s_saving = false;
    {
        QMutexLocker lock(&s_mutex);
        s_saved = false;
    }
    s_installed = this;
}

DisplayLoss::~DisplayLoss()
{
    s_installed = nullptr;
    qInstallMessageHandler(m_previous);
}

bool DisplayLoss::announcesLoss(const QString& message)
{
    // Qt 6's xcb and Wayland platforms, word for word, before they end the
    // process.
    return message.startsWith(u"The Wayland connection broke"_s)
        || message.startsWith(u"The Wayland connection experienced a fatal error"_s)
        || message.startsWith(u"The X11 connection broke"_s);
}

void DisplayLoss::onMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    DisplayLoss* self = s_installed.load();
    const QtMessageHandler previous = self ? self->m_previous : nullptr;
    // The warning is told first: it says why the program ends, should the
    // save itself not come back.
    if (previous)
        previous(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    if (self && type != QtDebugMsg && type != QtInfoMsg && announcesLoss(message))
        self->saveOnce();
}

void DisplayLoss::saveOnce()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread()) {
        saveHere();
        return;
    }
    // Qt's Wayland platform reads the display on threads of its own, and both
    // they and the interface thread may report the loss: whichever reports,
    // the save runs on the interface thread, and a thread that reported waits
    // for it before Qt ends the program.
    QMetaObject::invokeMethod(app, [] {
        if (DisplayLoss* self = s_installed.load())
            self->saveHere();
    }, Qt::QueuedConnection);
    QMutexLocker lock(&s_mutex);
    QDeadlineTimer deadline(saveWaitMilliseconds);
    while (!s_saved) {
        if (!s_savedCondition.wait(&s_mutex, deadline))
            break;
    }
}

void DisplayLoss::saveHere()
{
    if (s_saving.exchange(true))
        return;
    m_save();
    QMutexLocker lock(&s_mutex);
    s_saved = true;
    s_savedCondition.wakeAll();
}

} // namespace studio
