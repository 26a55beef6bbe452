// The settings window: one window reused, each tab reading its settings when
// the window shows and writing every change, the connection test against a
// fake chat service, the Updates tab's row in every phase of the updater, and
// the keyboard reaching every section and showing where it is.

#include "design/widgets/GhostButton.h"
#include "design/widgets/PrimaryButton.h"
#include "design/widgets/StyledButton.h"
#include "design/widgets/SwitchToggle.h"
#include "design/widgets/SymbolLabel.h"
#include "design/widgets/TextLabel.h"
#include "design/DesignSystem.h"
#include "design/style/Theme.h"
#include "services/AIService.h"
#include "services/ProjectStore.h"
#include "services/Settings.h"
#include "services/UpdateService.h"
#include "state/AppState.h"
#include "support/FakeChatServer.h"
#include "support/FocusPictures.h"
#include "views/settings/AISettingsPage.h"
#include "views/settings/GeneralSettingsPage.h"
#include "views/settings/SettingsTextField.h"
#include "views/settings/SettingsWindow.h"
#include "views/settings/UpdateSettingsPage.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>
#include <memory>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;

namespace {

QStringList buttonTexts(const UpdateSettingsPage& page)
{
    QStringList texts;
    for (const StyledButton* b : page.statusButtons())
        texts.append(b->text());
    return texts;
}

StyledButton* statusButton(const UpdateSettingsPage& page, const QString& text)
{
    for (StyledButton* b : page.statusButtons()) {
        if (b->text() == text)
            return b;
    }
    return nullptr;
}

void type(SettingsTextField* field, const QString& text)
{
    field->lineEdit()->selectAll();
    QTest::keyClick(field->lineEdit(), Qt::Key_Backspace);
    QTest::keyClicks(field->lineEdit(), text);
}

// The AI settings pointed at `server`, which answers `status` and `body`
// after `delayMs`: long enough to see a test busy.
bool answerLate(FakeChatServer& server, int delayMs, const QByteArray& body, int status = 200)
{
    if (!server.start())
        return false;
    server.useInSettings();
    HttpResponse reply;
    reply.status = status;
    reply.body = body;
    reply.delayMs = delayMs;
    server.setReply(reply);
    return true;
}

const QStringList settingKeys = {Settings::aiAPIKeyKey,        Settings::aiBaseURLKey,
                                 Settings::aiModelKey,         Settings::updateFeedURLKey,
                                 Settings::autoCheckUpdatesKey, Settings::animatedBackdropKey};

} // namespace

class SettingsWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<AppState> m_app;
    // The window the settings stand over.
    QWidget m_host;

    // A state whose construction has written the AI defaults, with every key
    // then removed: the tabs see a fresh settings file.
    AppState& freshState()
    {
        m_app = std::make_unique<AppState>();
        for (const QString& key : settingKeys)
            Settings::instance().remove(key);
        return *m_app;
    }

private Q_SLOTS:
    void initTestCase()
    {
        DesignSystem::install(*qApp);
        m_host.resize(900, 700);
        m_host.show();
        QVERIFY(QTest::qWaitForWindowActive(&m_host));
    }

    void cleanup()
    {
        m_app.reset(); // takes its settings window with it
        QVERIFY(!SettingsWindow::current());
    }

    void oneWindowServesEveryRequest()
    {
        AppState& app = freshState();
        SettingsWindow* first = SettingsWindow::present(app, &m_host);
        first->setCurrentTab(SettingsWindow::Tab::updates);
        first->close();
        QVERIFY(!first->isVisible());

        SettingsWindow* again = SettingsWindow::present(app, &m_host);
        QCOMPARE(again, first);
        QVERIFY(again->isVisible());
        QCOMPARE(again->currentTab(), SettingsWindow::Tab::updates);
        QCOMPARE(again->windowTitle(), u"Updates"_s);
    }

    void generalTabShowsTheLibraryAndSwitchesTheBackdrop()
    {
        AppState& app = freshState();
        SettingsWindow* window = SettingsWindow::present(app, &m_host);
        GeneralSettingsPage* general = window->generalPage();
        QCOMPARE(general->libraryPathText(), ProjectStore::rootPath());
        QCOMPARE(general->aboutVersionText(),
                 u"Version "_s + app.updates().currentVersion() + u" · Built for filmmakers of one."_s);

        // Never written: on.
        QVERIFY(general->backdropSwitch()->isChecked());
        general->backdropSwitch()->click();
        QVERIFY(Settings::instance().isStoredFalse(Settings::animatedBackdropKey));
        general->backdropSwitch()->click();
        QCOMPARE(Settings::instance().value(Settings::animatedBackdropKey)->toBool(), true);

        // Read again each time the window shows.
        window->close();
        Settings::instance().setBool(Settings::animatedBackdropKey, false);
        SettingsWindow::present(app, &m_host);
        QVERIFY(!general->backdropSwitch()->isChecked());
    }

    void keyboardReachesEverySectionAndShowsWhereItIs()
    {
        AppState& app = freshState();
        SettingsWindow* window = SettingsWindow::present(app, &m_host);
        QVERIFY(QTest::qWaitForWindowActive(window));
        // Nothing opens ringed; Tab goes to the sections first.
        QCOMPARE(QApplication::focusWidget(), window);
        QWidget* ai = window->tabButtons().at(int(SettingsWindow::Tab::ai));
        QTest::keyClick(window, Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), ai);
        QTest::keyClick(ai, Qt::Key_Space);
        QCOMPARE(window->currentTab(), SettingsWindow::Tab::ai);
        QWidget* updates = window->tabButtons().at(int(SettingsWindow::Tab::updates));
        QTest::keyClick(ai, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), updates);
        QTest::keyClick(updates, Qt::Key_Return);
        QCOMPARE(window->currentTab(), SettingsWindow::Tab::updates);

        // Escape closes the window, from a field as from anywhere.
        window->updatesPage()->feedField()->lineEdit()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!window->isVisible());
        window = SettingsWindow::present(app, &m_host);
        QVERIFY(QTest::qWaitForWindowActive(window));
        // Every opening starts on the sheet itself, which a reader hears by
        // its name, not where the keyboard was when it closed.
        QCOMPARE(QApplication::focusWidget(), window);

        for (const SettingsWindow::Tab tab :
             {SettingsWindow::Tab::general, SettingsWindow::Tab::ai, SettingsWindow::Tab::updates}) {
            window->setCurrentTab(tab);
            QCOMPARE(test::stopsShowingNoFocus(window), QStringList());
        }
    }

    // A screen reader names every stop of every tab; a field by the label
    // above it; the sheet itself "Settings", whichever section it shows.
    void everyStopIsNamed()
    {
        AppState& app = freshState();
        SettingsWindow* window = SettingsWindow::present(app, &m_host);
        QVERIFY(QTest::qWaitForWindowActive(window));
        QStringList fields;
        for (const SettingsWindow::Tab tab :
             {SettingsWindow::Tab::general, SettingsWindow::Tab::ai, SettingsWindow::Tab::updates}) {
            window->setCurrentTab(tab);
            QCOMPARE(QAccessible::queryAccessibleInterface(window)->text(QAccessible::Name), u"Settings"_s);
            window->tabButtons().first()->setFocus(Qt::TabFocusReason);
            QList<QWidget*> reached;
            for (QWidget* focus = QApplication::focusWidget(); focus && !reached.contains(focus);
                 focus = QApplication::focusWidget()) {
                reached << focus;
                QAccessibleInterface* readable = QAccessible::queryAccessibleInterface(focus);
                const QString name = readable ? readable->text(QAccessible::Name) : QString();
                QVERIFY2(!name.isEmpty(), focus->metaObject()->className());
                if (qobject_cast<QLineEdit*>(focus))
                    fields << name;
                QTest::keyClick(focus, Qt::Key_Tab);
            }
        }
        QCOMPARE(fields, (QStringList{u"API key"_s, u"Base URL"_s, u"Model"_s, u"Update feed"_s}));
        // The tab bar is read before the page it shows.
        QAccessibleInterface* readableWindow = QAccessible::queryAccessibleInterface(window);
        const int bar = readableWindow->indexOfChild(
            QAccessible::queryAccessibleInterface(window->tabButtons().first()->parentWidget()));
        QWidget* pageHolder = window->generalPage();
        while (pageHolder->parentWidget() != window)
            pageHolder = pageHolder->parentWidget();
        const int page = readableWindow->indexOfChild(QAccessible::queryAccessibleInterface(pageHolder));
        QVERIFY(bar >= 0 && page > bar);
        // The section buttons read as page tabs, the shown one selected.
        for (QWidget* button : window->tabButtons()) {
            QAccessibleInterface* readable = QAccessible::queryAccessibleInterface(button);
            QCOMPARE(readable->role(), QAccessible::PageTab);
            QCOMPARE(bool(readable->state().selected), button == window->tabButtons().last());
        }
    }

    void aiTabReadsAndWritesItsKeys()
    {
        AppState& app = freshState();
        SettingsWindow* window = SettingsWindow::present(app, &m_host);
        AISettingsPage* ai = window->aiPage();
        QCOMPARE(ai->keyField()->text(), QString());
        QCOMPARE(ai->keyField()->lineEdit()->placeholderText(), u"sk-…"_s);
        QCOMPARE(ai->keyField()->lineEdit()->echoMode(), QLineEdit::Password);
        QCOMPARE(ai->baseURLField()->text(), AIService::defaultBaseURL());
        QCOMPARE(ai->modelField()->text(), u"kimi-k2.6"_s);

        window->setCurrentTab(SettingsWindow::Tab::ai);
        type(ai->keyField(), u"sk-abc"_s);
        QCOMPARE(Settings::instance().string(Settings::aiAPIKeyKey), u"sk-abc"_s);
        QTest::keyClick(ai->keyField()->lineEdit(), Qt::Key_Backspace);
        QCOMPARE(Settings::instance().string(Settings::aiAPIKeyKey), u"sk-ab"_s);
        type(ai->baseURLField(), u"http://127.0.0.1:9/v1"_s);
        QCOMPARE(Settings::instance().string(Settings::aiBaseURLKey), u"http://127.0.0.1:9/v1"_s);
        type(ai->modelField(), u"other-model"_s);
        QCOMPARE(Settings::instance().string(Settings::aiModelKey), u"other-model"_s);

        window->close();
        Settings::instance().setString(Settings::aiModelKey, u"changed-elsewhere"_s);
        SettingsWindow::present(app, &m_host);
        QCOMPARE(ai->modelField()->text(), u"changed-elsewhere"_s);

        // A stored value past a line edit's default length is shown and kept
        // whole: an edit at its end saves all of it.
        window->close();
        const QString longModel = u"model-"_s.repeated(7'000);
        Settings::instance().setString(Settings::aiModelKey, longModel);
        SettingsWindow::present(app, &m_host);
        QCOMPARE(ai->modelField()->text(), longModel);
        QTest::keyClick(ai->modelField()->lineEdit(), Qt::Key_End);
        QTest::keyClick(ai->modelField()->lineEdit(), Qt::Key_Backspace);
        QCOMPARE(Settings::instance().string(Settings::aiModelKey), longModel.chopped(1));
    }

    void testConnectionShowsTheAnswer_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("symbol");

        QTest::newRow("responding") << 200 << u"{\"ok\": true}"_s << u"Connected — test-model is responding."_s
                                    << u"checkmark.circle.fill"_s;
        QTest::newRow("odd reply counts as connected")
            << 200 << u"{\"ok\": 1}"_s << u"Connected, but the reply looked odd: "_s << u"checkmark.circle.fill"_s;
        QTest::newRow("refused key") << 401 << u"{\"error\":\"bad key\"}"_s << u"Failed: AI request failed (401)."_s
                                     << u"exclamationmark.triangle.fill"_s;
    }

    void testConnectionShowsTheAnswer()
    {
        QFETCH(int, status);
        QFETCH(QString, content);
        QFETCH(QString, prefix);
        QFETCH(QString, symbol);

        AppState& app = freshState();
        FakeChatServer server;
        QVERIFY(answerLate(server, 150, status == 200 ? FakeChatServer::completionBody(content) : content.toUtf8(),
                           status));

        SettingsWindow* window = SettingsWindow::present(app, &m_host);
        window->setCurrentTab(SettingsWindow::Tab::ai);
        AISettingsPage* ai = window->aiPage();
        QSignalSpy finished(ai, &AISettingsPage::testFinished);
        ai->testButton()->click();

        // Busy while the request runs: one test at a time.
        QVERIFY(ai->isTesting());
        QCOMPARE(ai->testButton()->text(), u"Testing…"_s);
        QVERIFY(!ai->testButton()->isEnabled());
        QVERIFY(!ai->status());
        ai->testButton()->click();

        QVERIFY(finished.wait(5000));
        QCOMPARE(server.requestCount(), 1);
        QVERIFY(!ai->isTesting());
        QCOMPARE(ai->testButton()->text(), u"Test Connection"_s);
        QVERIFY(ai->testButton()->isEnabled());
        QVERIFY2(ai->status() && ai->status()->startsWith(prefix), qPrintable(ai->status().value_or(u"none"_s)));
        QCOMPARE(ai->statusLabel()->text(), *ai->status());
        QCOMPARE(ai->statusSymbol()->name(), symbol);
        QCOMPARE(ai->statusLabel()->maxLines(), 2);
    }

    void aTestOutlivingItsWindowShowsNothing()
    {
        AppState& app = freshState();
        FakeChatServer server;
        QVERIFY(answerLate(server, 200, FakeChatServer::completionBody(u"{\"ok\": true}"_s)));

        // Closed during the test: the reopened window starts without an answer.
        SettingsWindow* window = SettingsWindow::present(app, &m_host);
        AISettingsPage* ai = window->aiPage();
        QSignalSpy finished(ai, &AISettingsPage::testFinished);
        ai->testButton()->click();
        // The requests go out on the program's one network manager.
        auto* network = QCoreApplication::instance()->findChild<QNetworkAccessManager*>();
        QVERIFY(network);
        QSignalSpy answered(network, &QNetworkAccessManager::finished);
        window->close();
        SettingsWindow::present(app, &m_host);
        QVERIFY(!ai->isTesting());
        QVERIFY(answered.wait());
        QCoreApplication::processEvents();
        QCOMPARE(finished.count(), 0);
        QVERIFY(!ai->status());

        // Destroyed during the test: the answer finds nothing to write to.
        ai->testButton()->click();
        m_app.reset();
        QVERIFY(!SettingsWindow::current());
        QVERIFY(answered.wait());
        QCoreApplication::processEvents();
        QCOMPARE(server.requestCount(), 2);
    }

    // A button busy with what Return started keeps the keyboard, and the
    // next Return presses nothing; an update check's button comes back as
    // the row's new one.
    void returnStaysOnTheButtonItPressed()
    {
        AppState& app = freshState();
        FakeChatServer server;
        QVERIFY(answerLate(server, 150, FakeChatServer::completionBody(u"{\"ok\": true}"_s)));
        SettingsWindow* window = SettingsWindow::present(app, &m_host);
        QVERIFY(QTest::qWaitForWindowActive(window));
        window->setCurrentTab(SettingsWindow::Tab::ai);
        AISettingsPage* ai = window->aiPage();
        QSignalSpy finished(ai, &AISettingsPage::testFinished);
        ai->testButton()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(ai->testButton(), Qt::Key_Return);
        QVERIFY(ai->isTesting());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), ai->testButton());
        QCOMPARE(window->currentTab(), SettingsWindow::Tab::ai);
        QVERIFY(finished.wait(5000));
        QCOMPARE(server.requestCount(), 1);
        QCOMPARE(QApplication::focusWidget(), ai->testButton());

        window->setCurrentTab(SettingsWindow::Tab::updates);
        UpdateSettingsPage* updates = window->updatesPage();
        Settings::instance().setString(Settings::updateFeedURLKey, QString());
        statusButton(*updates, u"Check for Updates"_s)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(app.updates().phase(), UpdatePhase::failed(UpdateService::invalidFeedText));
        QTRY_COMPARE(QApplication::focusWidget(), statusButton(*updates, u"Retry"_s));
        QCOMPARE(window->currentTab(), SettingsWindow::Tab::updates);
    }

    void updatesTabReadsAndWritesItsKeys()
    {
        AppState& app = freshState();
        SettingsWindow* window = SettingsWindow::present(app, &m_host);
        UpdateSettingsPage* updates = window->updatesPage();
        QCOMPARE(updates->versionText(), app.updates().currentVersion());
        QVERIFY(updates->autoCheckSwitch()->isChecked());
        QCOMPARE(updates->feedField()->text(), UpdateService::defaultFeedURL);

        updates->autoCheckSwitch()->click();
        QVERIFY(Settings::instance().isStoredFalse(Settings::autoCheckUpdatesKey));
        QVERIFY(!app.updates().automaticChecksOn());

        window->setCurrentTab(SettingsWindow::Tab::updates);
        type(updates->feedField(), u"https://example.com/feed.json"_s);
        QCOMPARE(Settings::instance().string(Settings::updateFeedURLKey), u"https://example.com/feed.json"_s);
        QCOMPARE(app.updates().feedAddress(), u"https://example.com/feed.json"_s);
        // An emptied field is stored empty, not as the built-in address.
        type(updates->feedField(), QString());
        QCOMPARE(Settings::instance().string(Settings::updateFeedURLKey), QString(u""_s));
    }

    void updatesRowFollowsThePhase_data()
    {
        QTest::addColumn<UpdatePhase>("phase");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QStringList>("texts");

        const UpdateInfo info{u"0.2.0"_s, u"Better everything."_s, u"https://example.com/a.zip"_s, std::nullopt};
        QTest::newRow("idle") << UpdatePhase::idle() << QStringList{u"Check for Updates"_s} << QStringList{};
        QTest::newRow("checking") << UpdatePhase::checking() << QStringList{} << QStringList{u"Checking…"_s};
        QTest::newRow("up to date") << UpdatePhase::upToDate() << QStringList{u"Check Again"_s}
                                    << QStringList{u"You're on the latest version."_s};
        QTest::newRow("available") << UpdatePhase::available(info) << QStringList{u"Download & Install"_s}
                                   << QStringList{u"Version 0.2.0 is available"_s, u"Better everything."_s};
        QTest::newRow("downloading") << UpdatePhase::downloading(0) << QStringList{}
                                     << QStringList{u"Downloading…"_s};
        QTest::newRow("installing") << UpdatePhase::installing() << QStringList{}
                                    << QStringList{u"Installing — the app will relaunch."_s};
        QTest::newRow("failed") << UpdatePhase::failed(u"Update failed: disk full"_s) << QStringList{u"Retry"_s}
                                << QStringList{u"Update failed: disk full"_s};
    }

    void updatesRowFollowsThePhase()
    {
        QFETCH(UpdatePhase, phase);
        QFETCH(QStringList, buttons);
        QFETCH(QStringList, texts);

        AppState& app = freshState();
        SettingsWindow* window = SettingsWindow::present(app, &m_host);
        UpdateSettingsPage* updates = window->updatesPage();
        // From another phase, so the row is really rebuilt.
        app.updates().setPhase(phase.kind == UpdatePhase::Kind::failed ? UpdatePhase::upToDate()
                                                                         : UpdatePhase::failed(u"x"_s));
        app.updates().setPhase(phase);
        QCOMPARE(buttonTexts(*updates), buttons);
        QCOMPARE(updates->statusTexts(), texts);
        QCOMPARE(updates->progressBar() != nullptr, phase.kind == UpdatePhase::Kind::downloading);
    }

    void updatesRowActions()
    {
        AppState& app = freshState();
        SettingsWindow* window = SettingsWindow::present(app, &m_host);
        UpdateSettingsPage* updates = window->updatesPage();
        // An empty feed address fails the check at once, without a request.
        Settings::instance().setString(Settings::updateFeedURLKey, QString());

        statusButton(*updates, u"Check for Updates"_s)->click();
        QTRY_COMPARE(app.updates().phase(), UpdatePhase::failed(UpdateService::invalidFeedText));
        QCOMPARE(updates->statusTexts(), QStringList{UpdateService::invalidFeedText});

        app.updates().setPhase(UpdatePhase::upToDate());
        statusButton(*updates, u"Check Again"_s)->click();
        QTRY_COMPARE(app.updates().phase(), UpdatePhase::failed(UpdateService::invalidFeedText));

        // Retry checks, also after a failed install.
        app.updates().setPhase(UpdatePhase::failed(u"Update failed: no space"_s));
        statusButton(*updates, u"Retry"_s)->click();
        QTRY_COMPARE(app.updates().phase(), UpdatePhase::failed(UpdateService::invalidFeedText));

        // The build tree is no bundle: the install ends in its first failure.
        app.updates().setPhase(UpdatePhase::available(
            UpdateInfo{u"9.0"_s, u"n"_s, u"https://example.com/a.zip"_s, std::nullopt}));
        statusButton(*updates, u"Download & Install"_s)->click();
        QTRY_COMPARE(app.updates().phase(), UpdatePhase::failed(UpdateService::notBundleText));
    }

    // A failure's text sits between its symbol and "Retry": a short one keeps
    // the button right beside it, a long one wraps to two lines at most and
    // never pushes the button out of the row.
    void failureRowKeepsRetryBesideTheMessage_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("elided");
        QTest::newRow("short") << u"Update failed: disk full"_s << false;
        QString longText = u"Couldn't reach the update feed. ("_s;
        for (int i = 0; i < 12; ++i)
            longText += u"the server answered with something that is not an update feed, "_s;
        QTest::newRow("long") << longText + u")"_s << true;
    }

    void failureRowKeepsRetryBesideTheMessage()
    {
        QFETCH(QString, message);
        QFETCH(bool, elided);
        AppState& app = freshState();
        SettingsWindow* window = SettingsWindow::present(app, &m_host);
        window->setCurrentTab(SettingsWindow::Tab::updates);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        UpdateSettingsPage* updates = window->updatesPage();
        app.updates().setPhase(UpdatePhase::failed(message));
        // The new row's widgets show, and the row lays out, once events run.
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);

        const QList<TextLabel*> labels = updates->statusRow()->findChildren<TextLabel*>();
        QCOMPARE(labels.size(), 1);
        const TextLabel* text = labels.first();
        const StyledButton* retry = statusButton(*updates, u"Retry"_s);
        QVERIFY(retry && retry->isVisible());
        QVERIFY(retry->geometry().right() < updates->statusRow()->width());
        QCOMPARE(text->isElided(), elided);
        // Where the drawn text ends: a label may be wider than its words.
        const int textEnd = text->geometry().left() + std::min(text->width(), text->sizeHint().width());
        const int gap = retry->geometry().left() - textEnd;
        QVERIFY2(gap >= 0 && gap <= 12, qPrintable(QString::number(gap)));
        const int lineHeight = QFontMetrics(Theme::font(11)).lineSpacing();
        QVERIFY(text->height() < 3 * lineHeight);
    }

    // The library path stays on one line, shortened in its middle, and the
    // button beside it stays whole.
    void longLibraryPathIsElidedInTheMiddle()
    {
        const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
        const QString deep = QString::fromLocal8Bit(dataHome) + u"/a-folder-with-a-rather-long-name"_s.repeated(6);
        qputenv("XDG_DATA_HOME", deep.toLocal8Bit());
        AppState& app = freshState();
        SettingsWindow* window = SettingsWindow::present(app, &m_host);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        qputenv("XDG_DATA_HOME", dataHome);

        GeneralSettingsPage* general = window->generalPage();
        QCOMPARE(general->libraryPathText(), deep + u"/Palisademotion/Projects"_s);
        const QString shown = general->libraryPathShownText();
        QVERIFY(shown.contains(QChar(0x2026)));
        QVERIFY(shown.startsWith(deep.left(8)));
        QVERIFY(shown.endsWith(u"/Projects"_s));
        const GhostButton* reveal = general->revealButton();
        QVERIFY(reveal->isVisible());
        QVERIFY(reveal->width() >= reveal->sizeHint().width());
        QVERIFY(reveal->mapTo(general, QPoint(reveal->width(), 0)).x() <= general->width());
    }

    void downloadBarMovesInPlace()
    {
        AppState& app = freshState();
        UpdateSettingsPage* updates = SettingsWindow::present(app, &m_host)->updatesPage();
        app.updates().setPhase(UpdatePhase::downloading(0));
        QProgressBar* bar = updates->progressBar();
        QVERIFY(bar);
        QCOMPARE(bar->value(), 0);
        app.updates().setPhase(UpdatePhase::downloading(1));
        QCOMPARE(updates->progressBar(), bar);
        QCOMPARE(bar->value(), bar->maximum());
    }
};

QTEST_MAIN(SettingsWindowTest)
#include "SettingsWindowTest.moc"
