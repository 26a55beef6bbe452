// The changes a screenplay goes through, by episode and element id: where new
// elements go, what stays as it was, and nothing at all when the target is gone.

#include "model/Lookup.h"
#include "model/Project.h"
#include "state/edits/ScriptEdits.h"

#include <QtTest>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

using K = ScriptElementKind;

ScriptElement element(K kind, const QString& text = QString())
{
    return ScriptElement{.kind = kind, .text = text};
}

QList<ScriptElement>& script(Project& p)
{
    return p.episodes.first().script.elements;
}

} // namespace

class ScriptEditsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void insertAndAppend()
    {
        Project p;
        script(p) = {element(K::dialogue, u"Go."_s), element(K::transition, u"CUT TO:"_s)};
        const QUuid episode = p.episodes.first().id;
        const QUuid first = script(p)[0].id;

        // Directly after the element, empty, of the kind that follows; the
        // element itself is left as it is.
        const QUuid cue = edits::insertScriptElementAfter(p, episode, first);
        QCOMPARE(script(p).size(), 3);
        QCOMPARE(script(p)[1].id, cue);
        QCOMPARE(script(p)[1].kind, K::character);
        QCOMPARE(script(p)[1].text, QString());
        QCOMPARE(script(p)[0].text, u"Go."_s);
        // After a transition comes an empty heading, not "CUT TO:".
        const QUuid heading = edits::insertScriptElementAfter(p, episode, script(p)[2].id);
        QCOMPARE(script(p)[3].id, heading);
        QCOMPARE(script(p)[3].kind, K::sceneHeading);
        QCOMPARE(script(p)[3].text, QString());

        // Appending always goes to the end; only a transition starts with text.
        const QUuid cut = edits::appendScriptElement(p, episode, K::transition);
        const QUuid line = edits::appendScriptElement(p, episode, K::dialogue);
        QCOMPARE(script(p).size(), 6);
        QCOMPARE(script(p)[4].id, cut);
        QCOMPARE(script(p)[4].text, u"CUT TO:"_s);
        QCOMPARE(script(p)[5].id, line);
        QCOMPARE(script(p)[5].text, QString());
    }

    void changesKeepIdsAndText()
    {
        Project p;
        script(p) = {element(K::sceneHeading, u"ext. pier - night"_s), element(K::dialogue, u"Run."_s)};
        p.locations << Location{};
        p.locations[0].name = u"Boathouse"_s;
        const QUuid episode = p.episodes.first().id;
        const QUuid heading = script(p)[0].id;
        const QUuid line = script(p)[1].id;

        QVERIFY(edits::setScriptElementKind(p, episode, line, K::transition));
        QCOMPARE(script(p)[1].id, line);
        QCOMPARE(script(p)[1].text, u"Run."_s);
        QVERIFY(edits::setScriptElementText(p, episode, line, u"Run!"_s));
        QCOMPARE(script(p)[1].text, u"Run!"_s);
        QVERIFY(edits::pickScriptChip(p, episode, heading, {rules::ScriptChip::Part::location, u"Boathouse"_s}));
        QCOMPARE(script(p)[0].text, u"EXT. BOATHOUSE \u2014 NIGHT"_s);
        QVERIFY(edits::removeScriptElement(p, episode, heading));
        QCOMPARE(script(p).size(), 1);
        QCOMPARE(script(p)[0].id, line);
    }

    void goneTargetsChangeNothing()
    {
        Project p;
        script(p) = {element(K::action, u"Rain."_s)};
        const QUuid episode = p.episodes.first().id;
        const QUuid there = script(p)[0].id;
        const QUuid gone = QUuid::createUuid();
        const Project before = p;
        QVERIFY(edits::insertScriptElementAfter(p, episode, gone).isNull());
        QVERIFY(edits::insertScriptElementAfter(p, gone, there).isNull());
        QVERIFY(edits::appendScriptElement(p, gone, K::action).isNull());
        QVERIFY(!edits::removeScriptElement(p, episode, gone));
        QVERIFY(!edits::setScriptElementKind(p, episode, gone, K::dialogue));
        QVERIFY(!edits::setScriptElementText(p, gone, there, u"Hail."_s));
        QVERIFY(!edits::pickScriptChip(p, episode, gone, {rules::ScriptChip::Part::time, u"DAY"_s}));
        QVERIFY(!edits::draftScriptFromStory(p, gone));
        QVERIFY(!edits::landScriptDraft(p, gone, {element(K::action, u"Fog."_s)}));
        QCOMPARE(p, before);
    }

    void draftsLandInTheirEpisode()
    {
        Project p;
        p.episodes << Episode{};
        const QUuid first = p.episodes[0].id;
        const QUuid second = p.episodes[1].id;
        Act act;
        act.beats << Beat{};
        act.beats[0].summary = u"She waits."_s;
        p.episodes[1].structure.acts = {act};

        // The story draft only into an empty script.
        QVERIFY(edits::draftScriptFromStory(p, second));
        QCOMPARE(p.episodes[1].script.elements.size(), 2);
        const ScriptDocument written = p.episodes[1].script;
        QVERIFY(!edits::draftScriptFromStory(p, second));
        QCOMPARE(p.episodes[1].script, written);

        // A drafted passage goes after what the asked episode holds by now.
        QVERIFY(edits::landScriptDraft(p, second, {element(K::action, u"Fog."_s)}));
        QCOMPARE(p.episodes[1].script.elements.size(), 3);
        QCOMPARE(p.episodes[1].script.elements.last().text, u"Fog."_s);
        QVERIFY(p.episodes[0].script.elements.isEmpty());
        QVERIFY(edits::landScriptDraft(p, first, {element(K::action, u"Bell."_s)}));
        QCOMPARE(p.episodes[0].script.elements.size(), 1);
    }
};

QTEST_MAIN(ScriptEditsTest)
#include "ScriptEditsTest.moc"
