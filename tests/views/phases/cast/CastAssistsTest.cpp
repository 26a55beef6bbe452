// The cast screen's two assists against a fake chat-completions service,
// through the session's runner: they fill only what is still empty when the
// reply lands, survive the target's removal, run one at a time, and report
// failures in the session's error text.

#include "model/Lookup.h"
#include "state/ProjectSession.h"
#include "state/assist/DirectorAssist.h"
#include "support/FakeChatServer.h"
#include "views/phases/cast/CastAssists.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QtTest>
#include <memory>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;

namespace {

constexpr int replyDelayMs = 250;

HttpResponse slowContent(const QString& content)
{
    HttpResponse response;
    response.body = FakeChatServer::completionBody(content);
    response.delayMs = replyDelayMs;
    return response;
}

Project castOfTwo()
{
    Project p;
    CastMember eda;
    eda.name = u"Eda"_s;
    eda.archetype = u"The Keeper"_s;
    CastMember tomas;
    tomas.name = u"Tomas"_s;
    p.cast = {eda, tomas};
    Location lighthouse;
    lighthouse.name = u"Lighthouse"_s;
    lighthouse.era = u"1970s"_s;
    lighthouse.mood = u"Lonely"_s;
    p.locations = {lighthouse};
    return p;
}

} // namespace

class CastAssistsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<FakeChatServer> m_server;

private Q_SLOTS:
    void init()
    {
        m_server = std::make_unique<FakeChatServer>();
        QVERIFY(m_server->start());
        m_server->useInSettings();
    }

    void cleanup() { m_server.reset(); }

    void fleshOutFillsWhatIsStillEmpty()
    {
        ProjectSession session(castOfTwo());
        const QUuid eda = session.project().cast[0].id;
        m_server->queueReply(slowContent(
            uR"({"fields":{"want":"To be forgiven","need":"To forgive","bio":"Born at sea","name":"Ada","Flaw":"x"}})"_s));

        session.runAssist(DirectorAssist::bind(cast::fleshOut(eda), session));
        QVERIFY(session.aiBusy());
        // While the request runs the user types a want and deletes the archetype.
        session.edit([eda](Project& p) {
            findCastMember(p, eda)->want = u"To leave"_s;
            findCastMember(p, eda)->archetype.clear();
        });
        QTRY_VERIFY(!session.aiBusy());

        QCOMPARE(session.aiError(), std::nullopt);
        const CastMember& m = *findCastMember(session.project(), eda);
        QCOMPARE(m.want, u"To leave"_s);
        QCOMPARE(m.need, u"To forgive"_s);
        QCOMPARE(m.bio, u"Born at sea"_s);
        QCOMPARE(m.name, u"Eda"_s);
        QVERIFY(m.archetype.isEmpty());
        QVERIFY(m.flaw.isEmpty());
        // The request named the empty fields only.
        const QString prompt = m_server->lastRequestBody().value("messages"_L1).toArray().last()
                                   .toObject().value("content"_L1).toString();
        QVERIFY(prompt.contains(u"Fill ONLY these empty fields: age, bio"_s));
        QVERIFY(!prompt.contains(u"empty fields: archetype"_s));
    }

    void targetRemovedDuringTheRequest_data()
    {
        QTest::addColumn<bool>("location");
        QTest::newRow("character") << false;
        QTest::newRow("location") << true;
    }

    void targetRemovedDuringTheRequest()
    {
        QFETCH(bool, location);
        ProjectSession session(castOfTwo());
        const QUuid eda = session.project().cast[0].id;
        const QUuid lighthouse = session.project().locations[0].id;
        m_server->queueReply(slowContent(location ? uR"({"era":"1890s","look":"Whitewashed"})"_s
                                                  : uR"({"fields":{"want":"To be forgiven"}})"_s));
        if (location)
            session.runAssist(DirectorAssist::bind(cast::completeLocation(lighthouse), session));
        else
            session.runAssist(DirectorAssist::bind(cast::fleshOut(eda), session));
        session.edit([&](Project& p) {
            if (location)
                p.locations.clear();
            else
                p.cast.removeFirst();
        });
        const Project afterRemoval = session.project();
        int changes = 0;
        connect(&session, &ProjectSession::projectChanged, this, [&changes] { ++changes; });
        QTRY_VERIFY(!session.aiBusy());
        QCOMPARE(m_server->requestCount(), 1);
        QCOMPARE(session.aiError(), std::nullopt);
        QCOMPARE(changes, 0);
        QCOMPARE(session.project(), afterRemoval);
    }

    void aSecondStartWhileBusySendsNothing()
    {
        ProjectSession session(castOfTwo());
        const QUuid tomas = session.project().cast[1].id;
        const QUuid lighthouse = session.project().locations[0].id;
        m_server->queueReply(slowContent(uR"({"fields":{"want":"To win"}})"_s));
        session.runAssist(DirectorAssist::bind(cast::fleshOut(tomas), session));
        session.runAssist(DirectorAssist::bind(cast::completeLocation(lighthouse), session));
        session.runAssist(DirectorAssist::bind(cast::fleshOut(tomas), session));
        QTRY_VERIFY(!session.aiBusy());
        QCOMPARE(m_server->requestCount(), 1);
        QCOMPARE(findCastMember(session.project(), tomas)->want, u"To win"_s);
        QVERIFY(findLocation(session.project(), lighthouse)->look.isEmpty());
    }

    void locationKeepsWhatTheUserWroteOrDeleted()
    {
        ProjectSession session(castOfTwo());
        const QUuid lighthouse = session.project().locations[0].id;
        m_server->queueReply(slowContent(
            uR"({"era":"1890s","mood":"Opulent","look":"Whitewashed tower","sound":"Gulls"})"_s));
        session.runAssist(DirectorAssist::bind(cast::completeLocation(lighthouse), session));
        // The era the model was told about is deleted while it answers.
        session.edit([lighthouse](Project& p) { findLocation(p, lighthouse)->era.clear(); });
        QTRY_VERIFY(!session.aiBusy());
        const Location& l = *findLocation(session.project(), lighthouse);
        QVERIFY(l.era.isEmpty());
        QCOMPARE(l.mood, u"Lonely"_s);
        QCOMPARE(l.look, u"Whitewashed tower"_s);
        QCOMPARE(l.sound, u"Gulls"_s);
    }

    void anAIErrorLeavesTheProductionAsItWas()
    {
        ProjectSession session(castOfTwo());
        const Project before = session.project();
        m_server->setStatus(429, "Rate limit reached");
        session.runAssist(DirectorAssist::bind(cast::fleshOut(before.cast[1].id), session));
        QTRY_VERIFY(!session.aiBusy());
        QCOMPARE(session.aiError(), std::optional<QString>(u"AI request failed (429). Rate limit reached"_s));
        QCOMPARE(session.project(), before);
    }
};

QTEST_MAIN(CastAssistsTest)
#include "CastAssistsTest.moc"
