// What a screen reader reading on through a document gets from the guard in
// front of the accessibility bridge, over a real D-Bus connection: a Say All
// goes from the text with the keyboard along each text's flows-to relation to
// the next, so every element of a long script, the one being written among
// them, flows into the next and back, in script order, to the end; and a
// review of the screen line by line finds each wrapped line where it is shown,
// not over the start of the next.

#include "app/AtSpiGuard.h"
#include "design/DesignSystem.h"
#include "support/Listening.h"
#include "views/phases/script/ScriptPage.h"

#include <QAccessible>
#include <QApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusServer>
#include <QDir>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>

#include <memory>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

// AT-SPI's relation types, as readers number them.
constexpr uint flowsTo = 10;
constexpr uint flowsFrom = 11;

// Stands for Qt's bridge: answers whatever reaches it.
class Bridge : public QDBusVirtualObject {
public:
    using QDBusVirtualObject::QDBusVirtualObject;
    QString introspect(const QString&) const override { return QString(); }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        return message.member() != u"Introspect" && connection.send(message.createReply(u"bridge"_s));
    }
};

QString pathOf(QAccessibleInterface* iface)
{
    return AtSpiGuard::objectPath() + u'/' + QString::number(QAccessible::uniqueId(iface));
}

// The relations a reply tells: each type with the paths it relates to.
QMultiHash<uint, QString> relationsIn(const QDBusMessage& reply)
{
    QMultiHash<uint, QString> relations;
    const QDBusArgument set = reply.arguments().value(0).value<QDBusArgument>();
    set.beginArray();
    while (!set.atEnd()) {
        uint type = 0;
        set.beginStructure();
        set >> type;
        set.beginArray();
        while (!set.atEnd()) {
            QString service;
            QDBusObjectPath path;
            set.beginStructure();
            set >> service >> path;
            set.endStructure();
            relations.insert(type, path.path());
        }
        set.endArray();
        set.endStructure();
    }
    set.endArray();
    return relations;
}

} // namespace

class ReadOnTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QDBusServer> m_server;
    QDBusConnection m_served{u""_s};
    QDBusConnection m_reader{u""_s};
    Bridge* m_bridge = nullptr;

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
        test::listen();
        DesignSystem::install(*qApp);
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

    void cleanupTestCase() { QDBusConnection::disconnectFromPeer(u"reader"_s); }

    // From the element being written in the middle of a long script, a Say
    // All reads on through every element after it to the last, each once
    // and in order, and back along flows-from to the first.
    void aScriptReadsOnToItsEnd()
    {
        constexpr int count = 100;
        constexpr int written = 40;
        ScriptPage page;
        QList<ScriptElement> elements;
        for (int i = 0; i < count; ++i)
            elements << ScriptElement{.kind = i % 2 ? ScriptElementKind::dialogue : ScriptElementKind::action,
                                      .text = u"Line %1."_s.arg(i)};
        page.resize(900, 600);
        page.showElements(elements, rules::scriptChange({}, elements));
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        page.focusElement(elements[written].id);
        QAccessibleInterface* document = QAccessible::queryAccessibleInterface(&page);
        QAccessibleInterface* focused = document->focusChild();
        QVERIFY(focused);
        QCOMPARE(document->indexOfChild(focused), written);

        const auto read = [&](uint relation, QStringList& read) {
            QString path = pathOf(focused);
            for (int step = 0; step <= count && !path.isEmpty(); ++step) {
                QAccessibleInterface* element = nullptr;
                for (int i = 0; i < count && !element; ++i)
                    element = pathOf(document->child(i)) == path ? document->child(i) : nullptr;
                QVERIFY2(element, qPrintable(path));
                QCOMPARE(element->role(), QAccessible::Paragraph);
                QAccessibleTextInterface* text = element->textInterface();
                read << text->text(0, text->characterCount());
                const QMultiHash<uint, QString> relations
                    = relationsIn(ask(path, u"org.a11y.atspi.Accessible"_s, u"GetRelationSet"_s, {}));
                QVERIFY(relations.count(relation) <= 1);
                path = relations.value(relation);
            }
        };
        QStringList after;
        QStringList before;
        for (int i = written; i < count; ++i)
            after << elements[i].text;
        for (int i = written; i >= 0; --i)
            before << elements[i].text;
        QStringList forward;
        QStringList backward;
        read(flowsTo, forward);
        read(flowsFrom, backward);
        QCOMPARE(forward, after);
        QCOMPARE(backward, before);
    }

    // A line's place on the screen is that line's: a wrapped line's box ends
    // where its last character does, above the next line.
    void aWrappedLineIsWhereItIsShown()
    {
        QTextEdit edit;
        edit.setPlainText(u"The lamp turns above the harbor, slow and patient, throwing its beam across the water."_s);
        edit.resize(200, 300);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&edit);
        QAccessibleTextInterface* text = iface->textInterface();
        int start = 0;
        int end = 0;
        text->textAtOffset(0, QAccessible::LineBoundary, &start, &end);
        QVERIFY(end < text->characterCount());
        const QList<QVariant> box
            = ask(pathOf(iface), u"org.a11y.atspi.Text"_s, u"GetRangeExtents"_s, {start, end, 0u}).arguments();
        QCOMPARE(box.value(1).toInt(), text->characterRect(0).top());
        QCOMPARE(box.value(3).toInt(), text->characterRect(0).height());
    }
};

QTEST_MAIN(ReadOnTest)
#include "ReadOnTest.moc"
