// The guard in front of the accessibility bridge, over a real D-Bus
// connection between two peers: what it answers itself (ranges clamped to the
// text, children out of range, text within a box, properties, edits, carets
// and selections, requests of the wrong form or for what is not there) and
// that it hands everything else to the bridge unchanged.

#include "app/AtSpiGuard.h"
#include "app/AtSpiGuardAnswers.h"
#include "design/style/QtPrivateState.h"
#include "design/DesignSystem.h"
#include "design/widgets/MenuButton.h"
#include "design/widgets/Slider.h"
#include "design/widgets/TextLabel.h"
#include "support/Listening.h"
#include "views/phases/script/ScriptPage.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusServer>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QSlider>
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
    if (object == qApp)
        return AtSpiGuard::objectPath() + u"/root"_s;
    return AtSpiGuard::objectPath() + u'/' + QString::number(QAccessible::uniqueId(QAccessible::queryAccessibleInterface(object)));
}

const QString textInterface = u"org.a11y.atspi.Text"_s;
const QString editableInterface = u"org.a11y.atspi.EditableText"_s;
const QString propertiesInterface = u"org.freedesktop.DBus.Properties"_s;

// A property's value as it reads: an object reference by its path.
QVariantMap readable(QVariantMap properties)
{
    for (QVariant& value : properties) {
        if (value.canConvert<QDBusArgument>()) {
            const QDBusArgument reference = value.value<QDBusArgument>();
            QString service;
            QDBusObjectPath path;
            reference.beginStructure();
            reference >> service >> path;
            reference.endStructure();
            value = path.path();
        }
    }
    return properties;
}

// Warnings that the guard could not take its place.
int s_unguarded = 0;
QtMessageHandler s_nextHandler = nullptr;
void countUnguarded(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.contains(u"accessibility bridge"_s))
        ++s_unguarded;
    s_nextHandler(type, context, message);
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
    QSlider* m_slider = nullptr;

    QObject* objectNamed(const QString& name)
    {
        return name == u"field" ? static_cast<QObject*>(m_field)
            : name == u"label"  ? static_cast<QObject*>(m_label)
            : name == u"slider" ? static_cast<QObject*>(m_slider)
            : name == u"root"   ? static_cast<QObject*>(qApp)
                                : static_cast<QObject*>(&m_window);
    }

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
        DesignSystem::install(*qApp);
        auto* column = new QVBoxLayout(&m_window);
        m_field = new QLineEdit(u"The Last Lighthouse"_s, &m_window);
        m_label = new QLabel(u"Working title"_s, &m_window);
        m_slider = new QSlider(Qt::Horizontal, &m_window);
        m_slider->setRange(10, 90);
        m_slider->setValue(30);
        column->addWidget(m_label);
        column->addWidget(m_field);
        column->addWidget(m_slider);
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
        for (int i = 0; i < count; ++i)
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

    void everyInterfaceTellsItsProperties_data()
    {
        QTest::addColumn<QString>("object");
        QTest::addColumn<QString>("interface");
        QTest::addColumn<QVariantMap>("properties");
        m_field->setText(u"The Last Lighthouse"_s);
        m_field->setCursorPosition(4);
        QTest::newRow("a field") << u"field"_s << u"org.a11y.atspi.Accessible"_s
                                 << QVariantMap{{u"Name"_s, m_field->accessibleName()},
                                                {u"Description"_s, QString()},
                                                {u"Parent"_s, pathOf(&m_window)},
                                                {u"ChildCount"_s, 0}};
        QTest::newRow("its text") << u"field"_s << textInterface
                                  << QVariantMap{{u"CharacterCount"_s, 19}, {u"CaretOffset"_s, 4}};
        QTest::newRow("its editing") << u"field"_s << editableInterface << QVariantMap{};
        QTest::newRow("its place") << u"field"_s << u"org.a11y.atspi.Component"_s << QVariantMap{};
        QTest::newRow("a slider's value") << u"slider"_s << u"org.a11y.atspi.Value"_s
                                          << QVariantMap{{u"MinimumValue"_s, 10.0},
                                                         {u"MaximumValue"_s, 90.0},
                                                         {u"MinimumIncrement"_s, 1.0},
                                                         {u"CurrentValue"_s, 30.0}};
        QTest::newRow("the application") << u"root"_s << u"org.a11y.atspi.Application"_s
                                         << QVariantMap{{u"ToolkitName"_s, u"Qt"_s},
                                                        {u"Version"_s, QString::fromLatin1(qVersion())},
                                                        {u"Id"_s, 0}};
    }
    void everyInterfaceTellsItsProperties()
    {
        QFETCH(QString, object);
        QFETCH(QString, interface);
        QFETCH(QVariantMap, properties);
        const QDBusMessage reply = ask(pathOf(objectNamed(object)), propertiesInterface, u"GetAll"_s, {interface});
        QCOMPARE(reply.signature(), u"a{sv}"_s);
        QCOMPARE(readable(qdbus_cast<QVariantMap>(reply.arguments().value(0))), properties);
        QVERIFY(m_bridge->asked.isEmpty());
    }

    void propertiesThatCannotBeReadOrWrittenSaySo_data()
    {
        QTest::addColumn<QString>("object");
        QTest::addColumn<QVariantList>("arguments");
        QTest::addColumn<QString>("error");
        const auto set = [](const QString& interface, const QString& name, const QVariant& value) {
            return QVariantList{interface, name, QVariant::fromValue(QDBusVariant(value))};
        };
        QTest::newRow("caret set to a word") << u"field"_s << set(textInterface, u"CaretOffset"_s, u"x"_s)
                                             << u"InvalidArgs"_s;
        QTest::newRow("caret set past the end") << u"field"_s << set(textInterface, u"CaretOffset"_s, 1'000'000'000)
                                                << u"InvalidArgs"_s;
        QTest::newRow("value set to a word") << u"slider"_s
                                             << set(u"org.a11y.atspi.Value"_s, u"CurrentValue"_s, u"x"_s)
                                             << u"InvalidArgs"_s;
        QTest::newRow("name set") << u"field"_s << set(u"org.a11y.atspi.Accessible"_s, u"Name"_s, u"x"_s)
                                  << u"PropertyReadOnly"_s;
        QTest::newRow("unknown property read") << u"field"_s << QVariantList{textInterface, u"Colour"_s}
                                               << u"UnknownProperty"_s;
        QTest::newRow("property of no interface read")
            << u"field"_s << QVariantList{u"org.a11y.atspi.Value"_s, u"CurrentValue"_s} << u"UnknownInterface"_s;
        // All properties of an interface the object lacks, or nobody has.
        QTest::newRow("a field's value")
            << u"field"_s << QVariantList{u"org.a11y.atspi.Value"_s} << u"UnknownInterface"_s;
        QTest::newRow("a window's text") << u"window"_s << QVariantList{textInterface} << u"UnknownInterface"_s;
        QTest::newRow("a field as the application") << u"field"_s << QVariantList{u"org.a11y.atspi.Application"_s}
                                                    << u"UnknownInterface"_s;
        QTest::newRow("no interface") << u"root"_s << QVariantList{u"org.example.Nothing"_s} << u"UnknownInterface"_s;
    }
    void propertiesThatCannotBeReadOrWrittenSaySo()
    {
        QFETCH(QString, object);
        QFETCH(QVariantList, arguments);
        QFETCH(QString, error);
        m_field->setText(u"Lighthouse"_s);
        m_field->setCursorPosition(2);
        const QString member = QStringList{u"GetAll"_s, u"Get"_s, u"Set"_s}.at(arguments.size() - 1);
        const QDBusMessage reply = ask(pathOf(objectNamed(object)), propertiesInterface, member, arguments);
        QCOMPARE(reply.errorName(), u"org.freedesktop.DBus.Error."_s + error);
        // It names what is not there, or what cannot be set.
        QVERIFY(reply.errorMessage().contains(arguments.at(error == u"UnknownInterface" ? 0 : 1).toString()));
        QCOMPARE(m_field->cursorPosition(), 2);
        QCOMPARE(m_slider->value(), 30);
        QVERIFY(m_bridge->asked.isEmpty());
    }

    void applicationIdSetIsTold()
    {
        const QString root = pathOf(qApp);
        const QString application = u"org.a11y.atspi.Application"_s;
        ask(root, propertiesInterface, u"Set"_s, {application, u"Id"_s, QVariant::fromValue(QDBusVariant(7))});
        QCOMPARE(m_bridge->asked, QStringList{u"Set"_s});
        const QDBusMessage reply = ask(root, propertiesInterface, u"GetAll"_s, {application});
        QCOMPARE(qdbus_cast<QVariantMap>(reply.arguments().value(0)).value(u"Id"_s), QVariant(7));
    }

    void caretSetAsAPropertyMoves()
    {
        m_field->setText(u"Lighthouse"_s);
        const QDBusMessage reply = ask(pathOf(m_field), propertiesInterface, u"Set"_s,
                                       {textInterface, u"CaretOffset"_s, QVariant::fromValue(QDBusVariant(5))});
        QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
        QCOMPARE(m_field->cursorPosition(), 5);
    }

    // Edits a reader asks, in range and out of it: false changes nothing,
    // and no text or clipboard is ever left with half a character.
    void editsDoWhatTheyAnswer_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("member");
        QTest::addColumn<QVariantList>("arguments");
        QTest::addColumn<bool>("done");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("clipboard");
        const QString abc = u"abc"_s;
        const QString kept = u"kept"_s;
        QTest::newRow("insert counts characters") << u"ab"_s << u"InsertText"_s << QVariantList{1, u"é🎬x"_s, 2}
                                                  << true << u"aé🎬b"_s << kept;
        QTest::newRow("insert between halves") << u"😀b"_s << u"InsertText"_s << QVariantList{1, u"x"_s, 1} << true
                                               << u"x😀b"_s << kept;
        QTest::newRow("insert before the start") << abc << u"InsertText"_s << QVariantList{-1, u"x"_s, 1} << false
                                                 << abc << kept;
        QTest::newRow("insert past the end") << abc << u"InsertText"_s << QVariantList{8, u"x"_s, 1} << false << abc
                                             << kept;
        QTest::newRow("insert far out") << abc << u"InsertText"_s << QVariantList{1'000'000'000, u"x"_s, 1} << false
                                        << abc << kept;
        QTest::newRow("insert a negative length") << abc << u"InsertText"_s << QVariantList{0, u"x"_s, -3} << false
                                                  << abc << kept;
        QTest::newRow("delete backwards") << abc << u"DeleteText"_s << QVariantList{2, 1} << false << abc << kept;
        QTest::newRow("delete past the end") << abc << u"DeleteText"_s << QVariantList{1, 8} << false << abc << kept;
        QTest::newRow("delete before the start") << abc << u"DeleteText"_s << QVariantList{-2, 1} << false << abc
                                                 << kept;
        QTest::newRow("delete half a pair") << u"a😀b"_s << u"DeleteText"_s << QVariantList{1, 2} << true << u"ab"_s
                                            << kept;
        QTest::newRow("cut backwards") << abc << u"CutText"_s << QVariantList{2, 1} << false << abc << kept;
        QTest::newRow("cut half a pair") << u"a😀b"_s << u"CutText"_s << QVariantList{2, 4} << true << u"a"_s
                                         << u"😀b"_s;
        QTest::newRow("copy nothing") << abc << u"CopyText"_s << QVariantList{1, 1} << false << abc << kept;
        QTest::newRow("copy backwards") << abc << u"CopyText"_s << QVariantList{2, 1} << false << abc << kept;
        QTest::newRow("copy past the end") << abc << u"CopyText"_s << QVariantList{1, 9} << false << abc << kept;
        QTest::newRow("copy half a pair") << u"a😀b"_s << u"CopyText"_s << QVariantList{0, 2} << true << u"a😀b"_s
                                          << u"a😀"_s;
        QTest::newRow("paste between halves") << u"😀"_s << u"PasteText"_s << QVariantList{1} << true << u"kept😀"_s
                                              << kept;
        // A line takes text on one line, as a paste goes into it.
        QTest::newRow("contents on one line") << abc << u"SetTextContents"_s << QVariantList{u"a\nb\r\nc\td"_s}
                                              << true << u"a b c d"_s << kept;
        QTest::newRow("insert on one line") << abc << u"InsertText"_s << QVariantList{1, u"x\ny"_s, 3} << true
                                            << u"ax ybc"_s << kept;
    }
    void editsDoWhatTheyAnswer()
    {
        QFETCH(QString, before);
        QFETCH(QString, member);
        QFETCH(QVariantList, arguments);
        QFETCH(bool, done);
        QFETCH(QString, after);
        QFETCH(QString, clipboard);
        m_field->setText(before);
        QGuiApplication::clipboard()->setText(u"kept"_s);
        const QDBusMessage reply = ask(pathOf(m_field), editableInterface, member, arguments);
        QCOMPARE(reply.arguments(), QList<QVariant>{done});
        QCOMPARE(m_field->text(), after);
        QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
        QVERIFY(m_bridge->asked.isEmpty());
    }

    void caretAndSelectionGoOnlyWhereTheTextIs_data()
    {
        QTest::addColumn<QString>("member");
        QTest::addColumn<QVariantList>("arguments");
        QTest::addColumn<bool>("done");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("selected");
        // The field holds "a😀bc" and a family (four people joined in one
        // character), its caret after the "a".
        QTest::newRow("caret past the end") << u"SetCaretOffset"_s << QVariantList{17} << false << 1 << QString();
        QTest::newRow("caret before the start") << u"SetCaretOffset"_s << QVariantList{-1} << false << 1 << QString();
        QTest::newRow("caret between halves") << u"SetCaretOffset"_s << QVariantList{2} << true << 1 << QString();
        QTest::newRow("caret in the text") << u"SetCaretOffset"_s << QVariantList{4} << true << 4 << QString();
        // Before it, as the arrow keys leave a caret: typing keeps it whole.
        QTest::newRow("caret inside the family") << u"SetCaretOffset"_s << QVariantList{8} << true << 5 << QString();
        QTest::newRow("selection past the end")
            << u"SetSelection"_s << QVariantList{0, 0, 19} << false << 1 << QString();
        QTest::newRow("selection before the start") << u"SetSelection"_s << QVariantList{0, -4, 2} << false << 1
                                                    << QString();
        QTest::newRow("a second selection") << u"SetSelection"_s << QVariantList{1, 0, 2} << false << 1 << QString();
        QTest::newRow("selection in the text") << u"SetSelection"_s << QVariantList{0, 3, 5} << true << 5 << u"bc"_s;
        QTest::newRow("selection of half a pair") << u"SetSelection"_s << QVariantList{0, 0, 2} << true << 3
                                                  << u"a😀"_s;
        QTest::newRow("added selection past the end") << u"AddSelection"_s << QVariantList{2, 40} << false << 1
                                                      << QString();
        QTest::newRow("no selection removed") << u"RemoveSelection"_s << QVariantList{0} << false << 1 << QString();
    }
    void caretAndSelectionGoOnlyWhereTheTextIs()
    {
        QFETCH(QString, member);
        QFETCH(QVariantList, arguments);
        QFETCH(bool, done);
        QFETCH(int, caret);
        QFETCH(QString, selected);
        m_field->setText(u"a😀bc\U0001F468\u200D\U0001F469\u200D\U0001F467\u200D\U0001F466"_s);
        m_field->setCursorPosition(1);
        const QDBusMessage reply = ask(pathOf(m_field), textInterface, member, arguments);
        QCOMPARE(reply.arguments(), QList<QVariant>{done});
        QCOMPARE(m_field->cursorPosition(), caret);
        QCOMPARE(m_field->selectedText(), selected);
        QVERIFY(m_bridge->asked.isEmpty());
    }

    // What does not show (in a hidden page: a field, a painted element, a
    // slider) takes no edit, no value and not the keyboard, however a reader
    // asks; once shown it does.
    void whatDoesNotShowRefusesEditsAndFocus_data()
    {
        QTest::addColumn<QString>("interface");
        QTest::addColumn<QString>("member");
        QTest::addColumn<QVariantList>("arguments");
        QTest::addColumn<QString>("object");
        const QString component = u"org.a11y.atspi.Component"_s;
        const QString action = u"org.a11y.atspi.Action"_s;
        const QString value = u"org.a11y.atspi.Value"_s;
        const QVariantList valueSet{value, u"CurrentValue"_s, QVariant::fromValue(QDBusVariant(50.0))};
        QTest::newRow("contents set") << editableInterface << u"SetTextContents"_s << QVariantList{u"x"_s} << u"field"_s;
        QTest::newRow("insert") << editableInterface << u"InsertText"_s << QVariantList{0, u"x"_s, 1} << u"field"_s;
        QTest::newRow("focus grabbed") << component << u"GrabFocus"_s << QVariantList{} << u"field"_s;
        QTest::newRow("focus as an action") << action << u"DoAction"_s
                                            << QVariantList{QAccessibleActionInterface::setFocusAction()} << u"field"_s;
        QTest::newRow("element's focus") << component << u"GrabFocus"_s << QVariantList{} << u"element"_s;
        QTest::newRow("value set") << propertiesInterface << u"Set"_s << valueSet << u"slider"_s;
        QTest::newRow("value set by the method") << value << u"SetCurrentValue"_s << valueSet << u"slider"_s;
        QTest::newRow("value increased") << action << u"DoAction"_s
                                         << QVariantList{QAccessibleActionInterface::increaseAction()} << u"slider"_s;
        QTest::newRow("value decreased") << action << u"DoAction"_s
                                         << QVariantList{QAccessibleActionInterface::decreaseAction()} << u"slider"_s;
    }
    void whatDoesNotShowRefusesEditsAndFocus()
    {
        QFETCH(QString, interface);
        QFETCH(QString, member);
        QFETCH(QVariantList, arguments);
        QFETCH(QString, object);
        auto* page = new QWidget(&m_window);
        std::unique_ptr<QWidget> gone(page);
        page->hide();
        auto* field = new QLineEdit(u"Kept"_s, page);
        auto* script = new ScriptPage(page);
        const QList<ScriptElement> elements{{.kind = ScriptElementKind::action, .text = u"Kept."_s}};
        script->showElements(elements, rules::scriptChange({}, elements));
        auto* slider = new Slider(10, 90, page);
        slider->setValue(30);
        QAccessibleInterface* iface = object == u"element" ? QAccessible::queryAccessibleInterface(script)->child(0)
                                      : object == u"slider" ? QAccessible::queryAccessibleInterface(slider)
                                                            : QAccessible::queryAccessibleInterface(field);
        if (member == u"DoAction")
            arguments = {int(atspi::actionNamesOf(iface).indexOf(arguments.at(0).toString()))};
        const QString path = atspi::pathOf(iface);
        // A value's Set is answered (a reader reads the value back), with nothing done.
        const QDBusMessage refused = ask(path, interface, member, arguments);
        QCOMPARE(refused.type(), QDBusMessage::ReplyMessage);
        QVERIFY(refused.arguments() == QList<QVariant>{false} || (object == u"slider" && refused.arguments().isEmpty()));
        QCOMPARE(field->text(), u"Kept"_s);
        QCOMPARE(slider->position(), 30.0);
        QVERIFY(!iface->state().focused);
        QVERIFY(m_bridge->asked.isEmpty());

        page->show();
        const QList<QVariant> shown = ask(path, interface, member, arguments).arguments();
        QVERIFY(shown == QList<QVariant>{true} || shown == QList<QVariant>{u"bridge"_s});
    }

    // A password field gives nothing of itself: a reader's cut takes none of
    // its characters and copies nothing, a copy puts no mask on the
    // clipboard.
    void aPasswordFieldRefusesCutAndCopy_data()
    {
        QTest::addColumn<QString>("member");
        QTest::newRow("cut") << u"CutText"_s;
        QTest::newRow("copy") << u"CopyText"_s;
    }
    void aPasswordFieldRefusesCutAndCopy()
    {
        QFETCH(QString, member);
        QLineEdit secret(u"sk-SECRETkey123"_s, &m_window);
        secret.setEchoMode(QLineEdit::Password);
        secret.show();
        QGuiApplication::clipboard()->setText(u"kept"_s);
        QCOMPARE(ask(pathOf(&secret), editableInterface, member, {0, 3}).arguments(), QList<QVariant>{false});
        QCOMPARE(secret.text(), u"sk-SECRETkey123"_s);
        QCOMPARE(QGuiApplication::clipboard()->text(), u"kept"_s);
        QVERIFY(m_bridge->asked.isEmpty());
    }

    // A password field's role reads as the bridge tells it, password text.
    void aPasswordFieldNamesItsRole()
    {
        QLineEdit secret(&m_window);
        secret.setEchoMode(QLineEdit::Password);
        for (const QString& member : {u"GetRoleName"_s, u"GetLocalizedRoleName"_s}) {
            QCOMPARE(ask(pathOf(&secret), u"org.a11y.atspi.Accessible"_s, member, {}).arguments(),
                     QList<QVariant>{u"password text"_s});
        }
        QVERIFY(m_bridge->asked.isEmpty());
    }

    // The menu a pull-down drops reads as a menu, which makes its button a
    // menu button to a reader; any other menu is the bridge's to tell.
    void aPullDownsMenuReadsAsAMenu()
    {
        MenuButton pullDown(u"Assist"_s, &m_window);
        pullDown.menu()->addAction(u"Draft the premise"_s);
        const QString accessible = u"org.a11y.atspi.Accessible"_s;
        const QString menu = pathOf(pullDown.menu());
        QCOMPARE(ask(menu, accessible, u"GetRole"_s, {}).arguments(), QList<QVariant>{33u}); // a menu
        QCOMPARE(ask(menu, accessible, u"GetRoleName"_s, {}).arguments(), QList<QVariant>{u"menu"_s});
        QVERIFY(m_bridge->asked.isEmpty());
        QMenu context(&m_window);
        ask(pathOf(&context), accessible, u"GetRole"_s, {});
        QCOMPARE(m_bridge->asked, QStringList{u"GetRole"_s});
    }

    // A value's words, which the bridge never tells, as the attribute a
    // reader speaks in place of the number; anything without a value is the
    // bridge's to answer.
    void aValueIsToldInWords()
    {
        Slider runtime(3, 40, &m_window);
        runtime.setValue(12);
        runtime.setValueText([](double minutes) { return Slider::amount(minutes, 0, u"minute"_s, u"minutes"_s); });
        const QDBusMessage reply = ask(pathOf(&runtime), u"org.a11y.atspi.Accessible"_s, u"GetAttributes"_s, {});
        const auto attributes = qdbus_cast<QMap<QString, QString>>(reply.arguments().value(0));
        QCOMPARE(attributes, (QMap<QString, QString>{{u"valuetext"_s, u"12 minutes"_s}}));
        QVERIFY(m_bridge->asked.isEmpty());
        QCOMPARE(ask(pathOf(m_label), u"org.a11y.atspi.Accessible"_s, u"GetAttributes"_s, {}).arguments(),
                 QList<QVariant>{u"bridge"_s});
    }

    void labelsAreNotSelectedOutOfRange()
    {
        TextLabel label(u"Working title"_s, QFont(), Qt::white, &m_window);
        QVERIFY(QAccessible::queryAccessibleInterface(&label)->textInterface());
        for (const QString& member : {u"SetSelection"_s, u"AddSelection"_s}) {
            QVariantList arguments{0, 1'000'000};
            if (member == u"SetSelection")
                arguments.prepend(0);
            QCOMPARE(ask(pathOf(&label), textInterface, member, arguments).arguments(), QList<QVariant>{false});
        }
        QVERIFY(m_bridge->asked.isEmpty());
    }

    void unknownBoundariesAndActionsSaySo_data()
    {
        QTest::addColumn<QString>("object");
        QTest::addColumn<QString>("interface");
        QTest::addColumn<QString>("member");
        QTest::addColumn<QVariantList>("arguments");
        QTest::addColumn<QString>("says");
        QTest::newRow("text at an unknown boundary")
            << u"field"_s << textInterface << u"GetTextAtOffset"_s << QVariantList{0, 99u} << u"99"_s;
        QTest::newRow("text before it")
            << u"field"_s << textInterface << u"GetTextBeforeOffset"_s << QVariantList{3, 7u} << u"7"_s;
        QTest::newRow("text after it")
            << u"field"_s << textInterface << u"GetTextAfterOffset"_s << QVariantList{3, 99u} << u"99"_s;
        QTest::newRow("string of an unknown granularity")
            << u"field"_s << textInterface << u"GetStringAtOffset"_s << QVariantList{0, 5u} << u"5"_s;
        QTest::newRow("action of nothing to do")
            << u"window"_s << u"org.a11y.atspi.Action"_s << u"DoAction"_s << QVariantList{0} << u"no actions"_s;
        QTest::newRow("name of an action not there")
            << u"field"_s << u"org.a11y.atspi.Action"_s << u"GetName"_s << QVariantList{1'000'000'000}
            << u"no action 1000000000"_s;
    }
    void unknownBoundariesAndActionsSaySo()
    {
        QFETCH(QString, object);
        QFETCH(QString, interface);
        QFETCH(QString, member);
        QFETCH(QVariantList, arguments);
        QFETCH(QString, says);
        const QDBusMessage reply = ask(pathOf(objectNamed(object)), interface, member, arguments);
        QCOMPARE(reply.errorName(), u"org.freedesktop.DBus.Error.InvalidArgs"_s);
        QVERIFY2(reply.errorMessage().contains(says), qPrintable(reply.errorMessage()));
        QVERIFY(m_bridge->asked.isEmpty());
    }

    void charactersAreToldWhole()
    {
        m_field->setText(u"é😀"_s);
        for (const auto& [offset, character] : {std::pair{0, 0xe9}, {1, 0x1f600}, {2, 0x1f600}, {3, 0}, {-1, 0}}) {
            QCOMPARE(ask(pathOf(m_field), textInterface, u"GetCharacterAtOffset"_s, {offset}).arguments(),
                     QList<QVariant>{character});
        }
    }

    void stringsAtAnOffsetAreTold()
    {
        m_field->setText(u"The Last Lighthouse"_s);
        QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(m_field)->textInterface();
        int start = -1;
        int end = -1;
        const QString word = text->textAtOffset(5, QAccessible::WordBoundary, &start, &end);
        QVERIFY(!word.isEmpty());
        const QDBusMessage reply = ask(pathOf(m_field), textInterface, u"GetStringAtOffset"_s, {5, 1u});
        QCOMPARE(reply.arguments(), (QList<QVariant>{word, start, end}));
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
        s_nextHandler = qInstallMessageHandler(countUnguarded);
        // A connection where nothing answers readers: the guard cannot stand
        // there, and says so once.
        QDBusConnection bus = QDBusConnection::connectToPeer(m_server->address(), u"a11y"_s);
        QVERIFY(bus.isConnected());
        AtSpiGuard::install();
        QVERIFY(!QAccessible::isActive());
        test::listen();
        QTRY_COMPARE(s_unguarded, 1);

        Bridge bridge;
        bus.registerVirtualObject(AtSpiGuard::objectPath(), &bridge, QDBusConnection::SubPath);
        // Not in front of a bridge of another Qt than the program's.
        QtPrivateState::assumeRunningQtIsBuildQt(false);
        QVERIFY(!AtSpiGuard::guard(bus));
        QCOMPARE(bus.objectRegisteredAt(AtSpiGuard::objectPath()), &bridge);
        QtPrivateState::assumeRunningQtIsBuildQt(true);
        QAccessible::setActive(false);
        QAccessible::setActive(true);
        QTRY_VERIFY(qobject_cast<AtSpiGuard*>(bus.objectRegisteredAt(AtSpiGuard::objectPath())));
        QCOMPARE(s_unguarded, 1);
        QDBusConnection::disconnectFromPeer(u"a11y"_s);
        qInstallMessageHandler(s_nextHandler);
    }
};

QTEST_MAIN(AtSpiGuardTest)
#include "AtSpiGuardTest.moc"
