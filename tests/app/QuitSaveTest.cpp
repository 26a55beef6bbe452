// Every way the program ends saves every open production: the test starts
// itself as the program (the same start-up as main()), with three productions
// open and edited but never saved, and ends it by SIGTERM, SIGINT, SIGHUP,
// the quit action and the window's close. Then it reads the documents on disk.
// With a library that takes no save, the first SIGTERM asks; a second signal,
// or SIGHUP (a logout sends SIGTERM and SIGHUP together), saves once more and
// ends the program without asking, and a hang after it doesn't keep it alive.
// A tag half typed when a sheet opened by itself is kept, however it ends.

#include "app/MainWindow.h"
#include "app/StudioApp.h"
#include "app/TerminationSignals.h"
#include "design/widgets/Alert.h"
#include "design/widgets/TagField.h"
#include "services/ProjectStore.h"
#include "services/SampleFactory.h"
#include "state/AppState.h"
#include "state/ProjectSession.h"
#include "state/StudioTab.h"
#include "views/phases/look/LookView.h"
#include "views/phases/look/MoodCard.h"
#include "views/shell/AIChoiceSheet.h"
#include "views/shell/ProjectWorkspaceView.h"
#include "views/shell/RootView.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <unistd.h>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

const QString childFlag = u"--run-studio"_s;
const QString draftFlag = u"--with-a-draft"_s;
const QString halfTypedTag = u"elegi"_s;

QString markerFor(int index)
{
    return u"Edited before the end %1"_s.arg(index);
}

// The child's next line of output; empty if it ends without one.
QString nextLine(QProcess& child)
{
    const auto lineOrEnd = [&child] { return child.canReadLine() || child.state() == QProcess::NotRunning; };
    if (!QTest::qWaitFor(lineOrEnd, 30000))
        return QString();
    return QString::fromUtf8(child.readLine()).trimmed();
}

// Tells the parent, on a line of its own, each question the program shows:
// "asking <text>|<destructive button>|<button Return presses>".
class QuestionReporter : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* alert = qobject_cast<Alert*>(watched);
        if (alert && event->type() == QEvent::Show) {
            std::printf("asking %s|%s|%s\n", qPrintable(alert->text()),
                        qPrintable(alert->destructiveButton() ? alert->destructiveButton()->text() : QString()),
                        qPrintable(alert->returnButton() ? alert->returnButton()->text() : QString()));
            std::fflush(stdout);
        }
        return QObject::eventFilter(watched, event);
    }
};

// Types half a mood word into The Look of the production on screen, and
// has an assist's choice come up: the sheet takes the keyboard from the word.
bool typeATagUnderASheet(StudioApp& studio)
{
    ProjectSession* session = studio.state().selectedTab()->session();
    session->edit([](Project& p) { p.activePhase = PhaseID::look; });
    auto* workspace = qobject_cast<ProjectWorkspaceView*>(studio.window().rootView()->content());
    auto* look = workspace ? qobject_cast<LookView*>(workspace->phaseScreen()) : nullptr;
    if (!look)
        return false;
    QLineEdit* draft = look->moodCard()->moodWords()->draftEdit();
    draft->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(draft, halfTypedTag);
    AIChoicePrompt prompt;
    prompt.title = u"Recommend a look"_s;
    prompt.options.append(AIChoiceOption{newId(), u"A look"_s, std::nullopt, [](Project&) {}});
    session->setChoicePrompt(prompt);
    return QTest::qWaitFor([&] { return workspace->choiceSheet() && workspace->choiceSheet()->isVisible(); })
        && !draft->hasFocus() && draft->text() == halfTypedTag;
}

// The program as main() runs it, with three productions open (and a home
// tab), each renamed without a save (and, with a draft, a tag half typed
// under a sheet in the last). It prints their ids, then waits for the way it
// is told to end: "signal" (the parent sends them), "quit" (the Quit action)
// or "close" (the window's close); "stuck" hangs once a signal has had the
// program save, with a short deadline.
int runStudio(int argc, char** argv, const QString& ending, bool withDraft)
{
    QApplication qapp(argc, argv);
    StudioApp::configure(qapp);
    QuestionReporter questions;
    qapp.installEventFilter(&questions);
    if (ending == u"stuck"_s)
        TerminationSignals::setDeadline(std::chrono::seconds(2));
    StudioApp studio;
    AppState& app = studio.state();
    const QList<Project> samples{SampleFactory::lighthouse(), SampleFactory::cloudFarmer(),
                                 SampleFactory::counterCulture()};
    QStringList ids;
    for (int i = 0; i < samples.size(); ++i) {
        app.openProject(samples[i]);
        app.selectedTab()->session()->edit([i](Project& p) { p.name = markerFor(i); });
        ids.append(samples[i].id.toString(QUuid::WithoutBraces));
    }
    if (ending == u"stuck"_s) {
        // The interface thread hangs once the save and quit has begun (after
        // the program's own handler, connected first, has saved).
        const auto hang = [] {
            std::printf("stuck\n");
            std::fflush(stdout);
            for (;;)
                ::pause();
        };
        QObject::connect(TerminationSignals::instance(), &TerminationSignals::quitRequested, &studio, hang);
        QObject::connect(TerminationSignals::instance(), &TerminationSignals::endRequired, &studio, hang);
    }
    studio.show();
    QTimer::singleShot(0, &studio, [&] {
        if (withDraft && !typeATagUnderASheet(studio)) {
            std::printf("no sheet over the draft\n");
            std::fflush(stdout);
            return;
        }
        std::printf("ready %s\n", qPrintable(ids.join(u' ')));
        std::fflush(stdout);
        if (ending == u"quit"_s)
            studio.window().quitAction()->trigger();
        else if (ending == u"close"_s)
            studio.window().close();
    });
    return qapp.exec();
}

// Starts the program in the given way of ending; the ids of its three
// productions once it is ready.
QStringList startStudio(QProcess& child, const QString& ending, bool withDraft = false)
{
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QStringList arguments{childFlag, ending};
    if (withDraft)
        arguments.append(draftFlag);
    child.start(QCoreApplication::applicationFilePath(), arguments);
    if (!child.waitForStarted())
        return {};
    const QString line = nextLine(child);
    if (!line.startsWith(u"ready "_s))
        return {};
    return line.mid(6).split(u' ');
}

// A file where the library's folder belongs: no save can be written.
void blockLibrary()
{
    QVERIFY(QDir().mkpath(QFileInfo(ProjectStore::rootPath()).path()));
    QFile blocker(ProjectStore::rootPath());
    QVERIFY(blocker.open(QIODevice::WriteOnly));
}

QJsonObject stored(const QString& id)
{
    QFile file(ProjectStore::folderPath(QUuid::fromString(id)) + u"/project.json"_s);
    if (!file.open(QIODevice::ReadOnly))
        return QJsonObject();
    return QJsonDocument::fromJson(file.readAll()).object();
}

QString storedName(const QString& id)
{
    return stored(id).value(u"name"_s).toString();
}

} // namespace

class QuitSaveTest : public QObject {
    Q_OBJECT

    static void sendSignal(const QProcess& child, int signal)
    {
        QCOMPARE(::kill(pid_t(child.processId()), signal), 0);
    }

private Q_SLOTS:
    void init()
    {
        QFile::remove(ProjectStore::rootPath());
        QDir(ProjectStore::rootPath()).removeRecursively();
    }

    void everyEndingSavesEveryOpenProduction_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << u"signal"_s << int(SIGTERM);
        QTest::newRow("SIGINT") << u"signal"_s << int(SIGINT);
        QTest::newRow("SIGHUP") << u"signal"_s << int(SIGHUP);
        QTest::newRow("quit action") << u"quit"_s << 0;
        QTest::newRow("window closed") << u"close"_s << 0;
    }

    void everyEndingSavesEveryOpenProduction()
    {
        QFETCH(QString, ending);
        QFETCH(int, signal);
        QProcess child;
        const QStringList ids = startStudio(child, ending);
        QCOMPARE(ids.size(), 3);

        if (signal != 0) {
            // Nothing is on disk until the program ends.
            for (const QString& id : ids)
                QVERIFY(storedName(id).isEmpty());
            sendSignal(child, signal);
        }
        if (child.state() != QProcess::NotRunning)
            QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);

        for (int i = 0; i < ids.size(); ++i)
            QCOMPARE(storedName(ids[i]), markerFor(i));
        // Only the three productions: the home tab has nothing to save.
        QCOMPARE(QDir(ProjectStore::rootPath()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 3);
    }

    // A tag half typed as an assist's sheet came up is kept, in each way the
    // program ends.
    void aHalfTypedTagUnderASheetIsKept_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::addColumn<int>("signal");
        QTest::newRow("window closed") << u"close"_s << 0;
        QTest::newRow("quit action") << u"quit"_s << 0;
        QTest::newRow("SIGTERM") << u"signal"_s << int(SIGTERM);
        QTest::newRow("SIGHUP") << u"signal"_s << int(SIGHUP);
    }

    void aHalfTypedTagUnderASheetIsKept()
    {
        QFETCH(QString, ending);
        QFETCH(int, signal);
        QProcess child;
        const QStringList ids = startStudio(child, ending, true);
        QCOMPARE(ids.size(), 3);
        if (signal != 0)
            sendSignal(child, signal);
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);
        const QJsonArray words = stored(ids.last()).value(u"look"_s).toObject().value(u"moodWords"_s).toArray();
        QVERIFY2(words.contains(halfTypedTag), qPrintable(QJsonDocument(words).toJson(QJsonDocument::Compact)));
    }

    // The first signal asks while nothing can be saved; the second, sent
    // once the library takes saves again, saves and ends the program.
    void aSecondSignalSavesOnceMoreAndEnds_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::newRow("SIGTERM twice") << int(SIGTERM) << int(SIGTERM);
        QTest::newRow("SIGINT, then SIGHUP") << int(SIGINT) << int(SIGHUP);
    }

    void aSecondSignalSavesOnceMoreAndEnds()
    {
        QFETCH(int, first);
        QFETCH(int, second);
        blockLibrary();
        QProcess child;
        const QStringList ids = startStudio(child, u"signal"_s);
        QCOMPARE(ids.size(), 3);

        sendSignal(child, first);
        QCOMPARE(nextLine(child), u"asking Quit without saving?|Quit Anyway|Cancel"_s);
        QCOMPARE(child.state(), QProcess::Running);

        QVERIFY(QFile::remove(ProjectStore::rootPath()));
        sendSignal(child, second);
        QVERIFY2(child.waitForFinished(30000), "the second signal left the program running");
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);
        for (int i = 0; i < ids.size(); ++i)
            QCOMPARE(storedName(ids[i]), markerFor(i));
    }

    // A logout: nobody is left to answer, and the program ends though
    // nothing it holds can be saved.
    void theEndOfTheSessionEndsTheProgramUnsaved_data()
    {
        QTest::addColumn<QList<int>>("sent");
        QTest::newRow("SIGTERM and SIGHUP together") << QList<int>{SIGTERM, SIGHUP};
        QTest::newRow("SIGHUP and SIGTERM together") << QList<int>{SIGHUP, SIGTERM};
        QTest::newRow("SIGHUP") << QList<int>{SIGHUP};
    }

    void theEndOfTheSessionEndsTheProgramUnsaved()
    {
        QFETCH(QList<int>, sent);
        blockLibrary();
        QProcess child;
        QCOMPARE(startStudio(child, u"signal"_s).size(), 3);

        for (const int signal : sent)
            sendSignal(child, signal);
        QVERIFY2(child.waitForFinished(30000), "the program outlived its session");
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);
    }

    // A program that hangs while it quits is still ended by the signal that
    // required its end, once its deadline is over.
    void theSignalThatEndsTheProgramEndsItThoughItHangs_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::newRow("SIGTERM twice") << int(SIGTERM) << int(SIGTERM);
        QTest::newRow("SIGINT, then SIGTERM") << int(SIGINT) << int(SIGTERM);
        QTest::newRow("SIGHUP alone") << int(SIGHUP) << 0;
    }

    void theSignalThatEndsTheProgramEndsItThoughItHangs()
    {
        QFETCH(int, first);
        QFETCH(int, second);
        QProcess child;
        const QStringList ids = startStudio(child, u"stuck"_s);
        QCOMPARE(ids.size(), 3);

        sendSignal(child, first);
        QCOMPARE(nextLine(child), u"stuck"_s);
        // The first signal saved before the hang.
        for (int i = 0; i < ids.size(); ++i)
            QCOMPARE(storedName(ids[i]), markerFor(i));

        if (second != 0)
            sendSignal(child, second);
        QVERIFY2(child.waitForFinished(30000), "the program outlived its session");
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        QCOMPARE(child.exitCode(), second != 0 ? second : first);
    }
};

int main(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (QString::fromLocal8Bit(argv[i]) == childFlag)
            return runStudio(argc, argv, QString::fromLocal8Bit(argv[i + 1]),
                             i + 2 < argc && QString::fromLocal8Bit(argv[i + 2]) == draftFlag);
    }
    QCoreApplication app(argc, argv);
    QuitSaveTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "QuitSaveTest.moc"
