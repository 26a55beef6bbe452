// The guard in front of the accessibility bridge, over a real D-Bus
// connection between two peers: what it answers itself (ranges clamped to the
// text, children out of range, text within a box, insertions, requests of the
// wrong form) and that it hands everything else to the bridge unchanged.

#include "app/AtSpiGuard.h"
#include "design/style/Theme.h"
#include "support/Listening.h"

#include <QAccessible>
#include <QApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusServer>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

// Stands for Qt's bridge: answers whatever reaches it (but leaves the
// introspection to D-Bus, as the bridge does), and keeps what did.
class Bridge : public QDBusVirtualObject {
public:
    using QDBusVirtualObject::QDBusVirtualObject;
    QStringList asked;
    QString introspect(const QString&) const override { return u"<interface name=\"org.a11y.atspi.Accessible\"/>"_s; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        if (message.member() == u"Introspect")
            return false;
        asked << message.member();
        return connection.send(message.createReply(u"bridge"_s));
    }
};

QString pathOf(QObject* object)
{
    return AtSpiGuard::objectPath() + u'/' + QString::number(QAccessible::uniqueId(QAccessible::queryAccessibleInterface(object)));
}

} // namespace

class AtSpiGuardTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QDBusServer> m_server;
    QDBusConnection m_served{u""_s};
    QDBusConnection m_reader{u""_s};
    Bridge* m_bridge = nullptr;
    QWidget m_window;
    QLineEdit* m_field = nullptr;
    QLabel* m_label = nullptr;

    QDBusMessage ask(const QString& path, const QString& interface, const QString& member, const QVariantList& arguments)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(QString(), path, interface, member);
        call.setArguments(arguments);
        QDBusPendingCallWatcher watcher(m_reader.asyncCall(call, 5000));
        QSignalSpy finished(&watcher, &QDBusPendingCallWatcher::finished);
        if (!watcher.isFinished())
            finished.wait(5000);
        return watcher.reply();
    }

private Q_SLOTS:
    void initTestCase()
    {
        Theme::install(*qApp);
        auto* column = new QVBoxLayout(&m_window);
        m_field = new QLineEdit(u"The Last Lighthouse"_s, &m_window);
        m_label = new QLabel(u"Working title"_s, &m_window);
        column->addWidget(m_label);
        column->addWidget(m_field);
        m_window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_window));

        m_server = std::make_unique<QDBusServer>(u"unix:tmpdir="_s + QDir::tempPath());
        QVERIFY(m_server->isConnected());
        connect(m_server.get(), &QDBusServer::newConnection, this, [this](const QDBusConnection& connection) {
            if (m_bridge)
                return;
            m_served = connection;
            m_bridge = new Bridge(this);
            m_served.registerVirtualObject(AtSpiGuard::objectPath(), m_bridge, QDBusConnection::SubPath);
            QVERIFY(AtSpiGuard::guard(m_served));
        });
        m_reader = QDBusConnection::connectToPeer(m_server->address(), u"reader"_s);
        QVERIFY(m_reader.isConnected());
        QTRY_VERIFY(m_bridge);
    }

    void cleanupTestCase()
    {
        QDBusConnection::disconnectFromPeer(u"reader"_s);
    }

    void init() { m_bridge->asked.clear(); }

    void rangeExtentsAreThoseOfTheTextThere()
    {
        QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(m_field)->textInterface();
        const int count = text->characterCount();
        QRect whole;
        for (int i = 0; i <= count; ++i)
            whole |= text->characterRect(i);
        QVERIFY(!whole.isEmpty());

        // Past both ends, as far as a reader may ask, and nowhere.
        const QList<QVariant> all = ask(pathOf(m_field), u"org.a11y.atspi.Text"_s, u"GetRangeExtents"_s,
                                        {-5, 1'000'000'000, 0u}).arguments();
        QCOMPARE(all, (QList<QVariant>{whole.x(), whole.y(), whole.width(), whole.height()}));
        const QList<QVariant> none = ask(pathOf(m_field), u"org.a11y.atspi.Text"_s, u"GetRangeExtents"_s,
                                         {count + 5, count + 9, 0u}).arguments();
        QCOMPARE(none, (QList<QVariant>{-1, -1, 0, 0}));
        QVERIFY(m_bridge->asked.isEmpty());
    }

    void rangeExtentsOfALongLineSpanItsEnds()
    {
        // Too long to ask every character of: a line's two ends bound it.
        QLineEdit line(QString(200'000, u'x'));
        line.show();
        QVERIFY(QTest::qWaitForWindowExposed(&line));
        QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(&line)->textInterface();
        const QRect ends = text->characterRect(0) | text->characterRect(text->characterCount() - 1);
        const QList<QVariant> all = ask(pathOf(&line), u"org.a11y.atspi.Text"_s, u"GetRangeExtents"_s,
                                        {-5, 1'000'000'000, 0u}).arguments();
        QCOMPARE(all, (QList<QVariant>{ends.x(), ends.y(), ends.width(), ends.height()}));
    }

    void childrenThatAreNotThereAreNoObject()
    {
        const int count = QAccessible::queryAccessibleInterface(&m_window)->childCount();
        for (int index : {-1, count, count + 1, 1'000'000'000}) {
            const QDBusMessage reply
                = ask(pathOf(&m_window), u"org.a11y.atspi.Accessible"_s, u"GetChildAtIndex"_s, {index});
            QCOMPARE(reply.signature(), u"(so)"_s);
            const QDBusArgument object = reply.arguments().value(0).value<QDBusArgument>();
            QString service;
            QDBusObjectPath path;
            object.beginStructure();
            object >> service >> path;
            object.endStructure();
            QCOMPARE(path.path(), u"/org/a11y/atspi/null"_s);
        }
        QVERIFY(m_bridge->asked.isEmpty());
        ask(pathOf(&m_window), u"org.a11y.atspi.Accessible"_s, u"GetChildAtIndex"_s, {0});
        QCOMPARE(m_bridge->asked, QStringList{u"GetChildAtIndex"_s});
    }

    void textWithinABoxIsAnswered()
    {
        const QDBusMessage reply = ask(pathOf(m_field), u"org.a11y.atspi.Text"_s, u"GetBoundedRanges"_s,
                                       {-100000, -100000, 1'000'000'000, 1'000'000'000, 0u, 0u, 0u});
        QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
        QCOMPARE(reply.signature(), u"a(iisv)"_s);
    }

    void insertionsAreAsLongAsTheirText()
    {
        m_field->setText(u"Lighthouse"_s);
        QDBusMessage reply = ask(pathOf(m_field), u"org.a11y.atspi.EditableText"_s, u"InsertText"_s,
                                 {0, u"The "_s, 4000});
        QCOMPARE(reply.arguments(), QList<QVariant>{true});
        QCOMPARE(m_field->text(), u"The Lighthouse"_s);
        ask(pathOf(m_field), u"org.a11y.atspi.EditableText"_s, u"InsertText"_s, {0, u"Last "_s, -3});
        QCOMPARE(m_field->text(), u"The Lighthouse"_s);

        // A text nobody can edit is not padded to where the reader points.
        reply = ask(pathOf(m_label), u"org.a11y.atspi.EditableText"_s, u"InsertText"_s, {1'000'000'000, u"x"_s, 1});
        QCOMPARE(reply.arguments(), QList<QVariant>{false});
        QCOMPARE(m_label->text(), u"Working title"_s);
        QVERIFY(m_bridge->asked.isEmpty());
    }

    void requestsOfTheWrongFormAreRefused_data()
    {
        QTest::addColumn<QString>("interface");
        QTest::addColumn<QString>("member");
        QTest::addColumn<QVariantList>("arguments");
        QTest::newRow("child without an index") << u"org.a11y.atspi.Accessible"_s << u"GetChildAtIndex"_s << QVariantList{};
        QTest::newRow("word without a boundary") << u"org.a11y.atspi.Text"_s << u"GetTextAtOffset"_s << QVariantList{3};
        QTest::newRow("property without a name")
            << u"org.freedesktop.DBus.Properties"_s << u"Get"_s << QVariantList{u"org.a11y.atspi.Accessible"_s};
        QTest::newRow("insertion without a length")
            << u"org.a11y.atspi.EditableText"_s << u"InsertText"_s << QVariantList{0, u"x"_s};
    }
    void requestsOfTheWrongFormAreRefused()
    {
        QFETCH(QString, interface);
        QFETCH(QString, member);
        QFETCH(QVariantList, arguments);
        const QDBusMessage reply = ask(pathOf(m_field), interface, member, arguments);
        QCOMPARE(reply.type(), QDBusMessage::ErrorMessage);
        QCOMPARE(reply.errorName(), u"org.freedesktop.DBus.Error.InvalidArgs"_s);
        QVERIFY(m_bridge->asked.isEmpty());
    }

    void everythingElseGoesToTheBridge()
    {
        QCOMPARE(ask(pathOf(m_field), u"org.a11y.atspi.Accessible"_s, u"GetRole"_s, {}).arguments(),
                 QList<QVariant>{u"bridge"_s});
        QCOMPARE(ask(pathOf(m_field), u"org.a11y.atspi.Text"_s, u"GetTextAtOffset"_s, {3, 1u}).arguments(),
                 QList<QVariant>{u"bridge"_s});
        QCOMPARE(ask(AtSpiGuard::objectPath() + u"/root"_s, u"org.a11y.atspi.Application"_s, u"GetLocale"_s, {0u})
                     .arguments(),
                 QList<QVariant>{u"bridge"_s});
        QCOMPARE(m_bridge->asked, (QStringList{u"GetRole"_s, u"GetTextAtOffset"_s, u"GetLocale"_s}));
        const QDBusMessage introspection = ask(pathOf(m_field), u"org.freedesktop.DBus.Introspectable"_s,
                                               u"Introspect"_s, {});
        QVERIFY(introspection.arguments().value(0).toString().contains(u"org.a11y.atspi.Accessible"_s));

        // Guarded once, however often asked.
        QVERIFY(AtSpiGuard::guard(m_served));
        auto* guard = qobject_cast<AtSpiGuard*>(m_served.objectRegisteredAt(AtSpiGuard::objectPath()));
        QVERIFY(guard);
        QCOMPARE(guard->parent(), m_bridge);
    }

    // Last: accessibility stays on from here.
    void takesItsPlaceWhenAccessibilityComesOn()
    {
        QDBusConnection bus = QDBusConnection::connectToPeer(m_server->address(), u"a11y"_s);
        QVERIFY(bus.isConnected());
        Bridge bridge;
        bus.registerVirtualObject(AtSpiGuard::objectPath(), &bridge, QDBusConnection::SubPath);
        AtSpiGuard::install();
        QVERIFY(!QAccessible::isActive());
        test::listen();
        QTRY_VERIFY(qobject_cast<AtSpiGuard*>(bus.objectRegisteredAt(AtSpiGuard::objectPath())));
        QDBusConnection::disconnectFromPeer(u"a11y"_s);
    }
};

QTEST_MAIN(AtSpiGuardTest)
#include "AtSpiGuardTest.moc"
