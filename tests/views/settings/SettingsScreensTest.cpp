// Pictures of the settings window: each tab, and the Updates tab in every
// phase of the updater (written when SCREENSHOT_DIR is set).

#include "design/widgets/PrimaryButton.h"
#include "design/widgets/TextLabel.h"
#include "design/DesignSystem.h"
#include "services/UpdateService.h"
#include "state/AppState.h"
#include "support/Screenshots.h"
#include "views/settings/AISettingsPage.h"
#include "views/settings/GeneralSettingsPage.h"
#include "views/settings/SettingsWindow.h"
#include "views/settings/UpdateSettingsPage.h"

#include <QApplication>
#include <QTest>

using namespace studio;
using namespace Qt::StringLiterals;

class SettingsScreensTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        DesignSystem::install(*qApp);
    }

    void everyTab()
    {
        AppState app;
        QWidget host;
        host.resize(900, 700);
        host.show();
        SettingsWindow* window = SettingsWindow::present(app, &host);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        test::SettledPicture settled(window);
        QCOMPARE(window->size().width(), SettingsWindow::pageSize.width());
        QVERIFY(window->size().height() > SettingsWindow::pageSize.height());

        const struct {
            SettingsWindow::Tab tab;
            QWidget* page;
            const char* name;
        } tabs[] = {{SettingsWindow::Tab::general, window->generalPage(), "settings-general"},
                    {SettingsWindow::Tab::ai, window->aiPage(), "settings-ai"},
                    {SettingsWindow::Tab::updates, window->updatesPage(), "settings-updates-idle"}};
        for (const auto& t : tabs) {
            window->setCurrentTab(t.tab);
            QTRY_VERIFY(t.page->isVisible());
            QTRY_VERIFY(settled());
            test::writeScreenshot(window, QString::fromLatin1(t.name));
        }
    }

    void updatesTabInEachPhase()
    {
        AppState app;
        QWidget host;
        host.resize(900, 700);
        host.show();
        SettingsWindow* window = SettingsWindow::present(app, &host);
        window->setCurrentTab(SettingsWindow::Tab::updates);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        test::SettledPicture settled(window);
        const QString longText = u"Couldn't reach the update feed. (The server at updates.example.com answered with "
                                 u"something that is not an update feed: unexpected character at offset 0, and a "
                                 u"good deal more text that must not take more than two lines.)"_s;
        const QList<std::pair<const char*, UpdatePhase>> phases = {
            {"checking", UpdatePhase::checking()},
            {"up-to-date", UpdatePhase::upToDate()},
            {"available", UpdatePhase::available(UpdateInfo{
                              u"0.2.0"_s,
                              u"Faster storyboards, a new export preset for festivals, and fixes all over. Cast "
                              u"portraits keep their seed when you duplicate a production. The Cut remembers its "
                              u"zoom. And a fourth line that the card must cut."_s,
                              u"https://example.com/a.zip"_s, std::nullopt})},
            {"downloading", UpdatePhase::downloading(0)},
            {"installing", UpdatePhase::installing()},
            {"failed", UpdatePhase::failed(longText)},
            {"failed-short", UpdatePhase::failed(UpdateService::invalidFeedText)},
        };
        for (const auto& [name, phase] : phases) {
            app.updates().setPhase(phase);
            QTRY_VERIFY(settled());
            test::writeScreenshot(window, u"settings-updates-"_s + QString::fromLatin1(name));
        }
    }

    void aiTabWithAnswers()
    {
        AppState app;
        QWidget host;
        host.resize(900, 700);
        host.show();
        SettingsWindow* window = SettingsWindow::present(app, &host);
        window->setCurrentTab(SettingsWindow::Tab::ai);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        window->aiPage()->testButton()->click(); // no key: fails at once or soon
        QTRY_VERIFY(!window->aiPage()->isTesting());
        QTRY_VERIFY(window->aiPage()->statusLabel()->isVisible());
        test::SettledPicture settled(window);
        QTRY_VERIFY(settled());
        test::writeScreenshot(window, u"settings-ai-failed"_s);
    }
};

QTEST_MAIN(SettingsScreensTest)
#include "SettingsScreensTest.moc"
