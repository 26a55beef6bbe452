// Alerts, the failure banner and tool tips.

#include "design/widgets/Alert.h"
#include "design/widgets/TextLabel.h"
#include "design/widgets/MessageBanner.h"
#include "design/style/Palette.h"
#include "design/widgets/SymbolButton.h"
#include "design/DesignSystem.h"
#include "support/FocusPictures.h"
#include "support/Screenshots.h"
#include "support/ShapedWindow.h"

#include <QAccessible>
#include <QApplication>
#include <QAbstractButton>
#include <QSignalSpy>
#include <QToolTip>
#include <QtTest>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {
TextLabel* labelShowing(const Alert* alert, const QString& text)
{
    for (TextLabel* label : alert->findChildren<TextLabel*>()) {
        if (label->text() == text)
            return label;
    }
    return nullptr;
}

QWidget* shownToolTip()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->inherits("QTipLabel") && w->isVisible())
            return w;
    }
    return nullptr;
}

// Whether the button, as the alert shows it, has pixels of that colour.
bool showsColour(QAbstractButton* button, const QColor& colour)
{
    QWidget* window = button->window();
    const QImage picture = window->grab(QRect(button->mapTo(window, QPoint()), button->size())).toImage();
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QColor c = picture.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green())
                    + std::abs(c.blue() - colour.blue()) < 24)
                return true;
        }
    }
    return false;
}
} // namespace

class NoticesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setApplicationDisplayName(u"Palisademotion"_s);
        DesignSystem::install(*static_cast<QApplication*>(QCoreApplication::instance()));
    }

    void confirmationAnswers_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("escape") << u"escape"_s << false;
        QTest::newRow("return") << u"return"_s << false; // Cancel is the default
        QTest::newRow("cancel") << u"cancel"_s << false;
        QTest::newRow("closed") << u"closed"_s << false;
        QTest::newRow("destructive") << u"destructive"_s << true;
        QTest::newRow("space") << u"space"_s << false; // the keyboard starts on Cancel
        QTest::newRow("tab, return") << u"tab return"_s << true;
        QTest::newRow("tab, space") << u"tab space"_s << true;
        QTest::newRow("tab, tab, return") << u"tab tab return"_s << false;
    }
    void confirmationAnswers()
    {
        QFETCH(QString, how);
        QWidget window;
        window.resize(600, 400);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QPointer<Alert> alert = Alert::confirmation(&window, u"Delete scene?"_s, u"Its shots go with it."_s,
                                                    u"Delete Scene"_s);
        QSignalSpy answered(alert.data(), &Alert::answered);
        alert->open();
        QCOMPARE(QApplication::focusWidget(), alert->cancelButton());
        const auto press = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); };
        if (how.contains(u' ') || how == u"space"_s) {
            for (const QString& key : how.split(u' '))
                press(key == u"tab"_s ? Qt::Key_Tab : key == u"space"_s ? Qt::Key_Space : Qt::Key_Return);
        } else if (how == u"escape"_s)
            QTest::keyClick(alert, Qt::Key_Escape);
        else if (how == u"return"_s)
            QTest::keyClick(alert, Qt::Key_Return);
        else if (how == u"cancel"_s)
            alert->cancelButton()->click();
        else if (how == u"closed"_s)
            alert->close();
        else
            alert->destructiveButton()->click();
        QCOMPARE(answered.size(), 1);
        QTEST(answered.first().first().toBool(), "confirmed");
        QTRY_VERIFY(!alert); // it goes once answered
    }

    void buttonsAreTheDesignsCapsules()
    {
        QWidget window;
        window.resize(600, 400);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        Alert* alert = Alert::confirmation(&window, u"Move to Trash?"_s,
                                           u"“Rain” and its files will move to the Trash."_s, u"Move to Trash"_s);
        alert->open();
        test::writeScreenshot(&window, u"design-alert-buttons"_s);
        // The destructive label in the danger colour; the default button on
        // the primary button's ivory.
        QVERIFY(showsColour(alert->destructiveButton(), Palette::danger()));
        QVERIFY(!showsColour(alert->cancelButton(), Palette::danger()));
        QCOMPARE(alert->returnButton(), alert->cancelButton());
        QVERIFY(showsColour(alert->cancelButton(), Palette::ivory()));

        // The keyboard starts on the default button, and it shows.
        QCOMPARE(QApplication::focusWidget(), alert->cancelButton());
        const QImage focused = test::pictureInWindow(alert->cancelButton());
        QTest::keyClick(alert->cancelButton(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), alert->destructiveButton());
        QVERIFY(test::showsRing(test::pictureInWindow(alert->cancelButton()), focused));
        alert->close();
    }

    void textsShowAsTyped()
    {
        Alert* alert = Alert::confirmation(nullptr, u"Move to Trash?"_s,
                                           u"“Rock & <b>Roll</b>” and its files will move to the Trash."_s,
                                           u"Delete Rock & Roll"_s);
        QCOMPARE(alert->informativeText(), u"“Rock & <b>Roll</b>” and its files will move to the Trash."_s);
        // The button shows its '&' instead of underlining the next letter.
        QAbstractButton* destructive = alert->destructiveButton();
        QCOMPARE(destructive->text(), u"Delete Rock && Roll"_s);
        QVERIFY(destructive->shortcut().isEmpty());
        delete alert;
    }

    void wideEnoughForTitleAndMessage_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("spokenTitle");
        QTest::newRow("trash") << u"Move to Trash?"_s
                               << u"“The Lighthouse Keeper” and its files will move to the Trash."_s << QString();
        QTest::newRow("about") << u"Palisademotion"_s << u"Version 0.1.0"_s << u"About Palisademotion"_s;
        QTest::newRow("long message")
            << u"Switch the story engine?"_s
            << u"The acts and beats of this episode are replaced by the new engine’s structure. Beats you wrote are "
               u"kept in a list under the acts so nothing is lost, and you can move them back one by one."_s
            << QString();
    }
    void wideEnoughForTitleAndMessage()
    {
        QFETCH(QString, title);
        QFETCH(QString, message);
        QFETCH(QString, spokenTitle);
        QWidget window;
        window.resize(1000, 700);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        Alert* alert = spokenTitle.isEmpty()
            ? Alert::confirmation(&window, title, message, u"Go Ahead"_s)
            : Alert::information(&window, title, message, spokenTitle);
        alert->open();
        test::writeScreenshot(&window, u"design-alert-"_s + QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'-'));

        // Inside the window, centred over it, its title shown inside on one
        // line, whole, and named so for a reader.
        const QRect placed(alert->mapTo(&window, QPoint()), alert->size());
        QVERIFY(window.rect().contains(placed));
        QVERIFY(std::abs(placed.center().x() - window.rect().center().x()) <= 1);
        QVERIFY(std::abs(placed.center().y() - window.rect().center().y()) <= 1);
        TextLabel* shownTitle = labelShowing(alert, title);
        QVERIFY(shownTitle && shownTitle->isVisible() && !shownTitle->isElided());
        QCOMPARE(shownTitle->height(), shownTitle->heightForWidth(QWIDGETSIZE_MAX));
        QCOMPARE(QAccessible::queryAccessibleInterface(alert)->text(QAccessible::Name),
                 spokenTitle.isEmpty() ? title : spokenTitle);
        // A short message keeps to one line, a long one wraps on a few.
        TextLabel* label = labelShowing(alert, message);
        QVERIFY(label && label->isVisible() && !label->isElided());
        const int line = label->fontMetrics().lineSpacing();
        const int lines = (label->height() + line / 2) / line;
        if (label->fontMetrics().horizontalAdvance(message) < 380)
            QCOMPARE(lines, 1);
        else
            QVERIFY2(lines <= 3, qPrintable(QString::number(lines)));
        alert->close();
    }

    void toolTipIsARoundedPanel()
    {
        QWidget window;
        window.resize(300, 200);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QToolTip::showText(window.mapToGlobal(QPoint(40, 40)),
                           u"Phases marked ready fill the project's progress ring."_s, &window);
        QWidget* tip = nullptr;
        QTRY_VERIFY((tip = shownToolTip()));
        test::writeImage(tip->grab().toImage(), u"design-tool-tip"_s);
        // Cut to the panel's rounded shape and opaque wherever the shape
        // keeps it, at every scale: no corner shows black on a screen
        // without a compositing window manager.
        const QStringList faults = test::roundedWindowFaults(tip, 6);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.mid(0, 5).join(u"; "_s)));
        QVERIFY(tip->mask().contains(QPoint(tip->width() / 2, 0)));
        QVERIFY(tip->mask().contains(QPoint(0, tip->height() / 2)));
        QToolTip::hideText();
    }

    void bannerDismissesAndShowsAgain()
    {
        MessageBanner banner;
        QSignalSpy dismissed(&banner, &MessageBanner::dismissed);
        banner.resize(500, banner.sizeHint().height());
        banner.showMessage(u"Save failed: disk full"_s);
        QVERIFY(QTest::qWaitForWindowExposed(&banner));
        QCOMPARE(banner.message(), u"Save failed: disk full"_s);
        QTest::mouseClick(banner.closeButton(), Qt::LeftButton);
        QCOMPARE(dismissed.size(), 1);
        QVERIFY(banner.isHidden());
        // The same failure again is news again.
        banner.showMessage(u"Save failed: disk full"_s);
        QVERIFY(banner.isVisible());
    }
};

QTEST_MAIN(NoticesTest)
#include "NoticesTest.moc"
