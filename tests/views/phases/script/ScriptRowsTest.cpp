// The Script page's rows: a changed span spliced in by id, rows stacked again
// after one changes height, and a script holding one id twice.

#include "state/rules/ScriptRules.h"
#include "views/phases/script/ScriptRows.h"

#include <QtTest>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

using K = ScriptElementKind;

ScriptElement element(K kind, const QString& text)
{
    return ScriptElement{.kind = kind, .text = text};
}

void show(ScriptRows& rows, const QList<ScriptElement>& elements)
{
    rows.splice(elements, rules::scriptChange(rows.elements(), elements));
    rows.place();
}

// Every element has its row, in order, one under the other; an id finds its
// first row, and each row's top finds the row.
bool stackedInOrder(const ScriptRows& rows, const QList<ScriptElement>& elements)
{
    if (rows.count() != elements.size())
        return false;
    for (int i = 0; i < rows.count(); ++i) {
        const QUuid id = elements[i].id;
        int first = 0;
        while (elements[first].id != id)
            ++first;
        if (rows.row(i).id() != id || rows.indexOf(id) != first || rows.rowAtY(rows.top(i)) != i || (i > 0 && rows.top(i) != rows.top(i - 1) + rows.height(i - 1)))
            return false;
    }
    return true;
}

} // namespace

class ScriptRowsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void splicesByIdAndStacksRows()
    {
        ScriptRows rows(40);
        rows.setWidth(480);
        const ScriptElement heading = element(K::sceneHeading, u"INT. HARBOR - NIGHT"_s);
        const ScriptElement action = element(K::action, u"Rain drums on the tin roof."_s);
        const ScriptElement cue = element(K::character, u"MARA"_s);
        show(rows, {heading, action, cue});
        QVERIFY(stackedInOrder(rows, {heading, action, cue}));
        QCOMPARE(rows.top(0), 40);

        // A row inserted in the middle: those that stay keep their layout.
        rows.layOutAround(0, 2000, 0, QUuid(), [](int) {});
        const ScriptElement inserted = element(K::action, u"A lamp swings."_s);
        show(rows, {heading, inserted, action, cue});
        QVERIFY(stackedInOrder(rows, {heading, inserted, action, cue}));
        QVERIFY(rows.row(rows.indexOf(action.id)).isLaidOut());
        QVERIFY(!rows.row(rows.indexOf(inserted.id)).isLaidOut());

        // A row grows: the rows below move down with it.
        const int below = rows.top(2);
        rows.row(1).setExactHeight(rows.width(), 300);
        rows.resized(1);
        rows.place();
        QVERIFY(stackedInOrder(rows, {heading, inserted, action, cue}));
        QVERIFY(rows.top(2) > below);

        // One id twice: the first is found, then the other once it is gone;
        // a row removed is not found at all.
        ScriptElement twin = action;
        twin.text = u"Rain again."_s;
        show(rows, {heading, action, inserted, twin, cue});
        QVERIFY(stackedInOrder(rows, {heading, action, inserted, twin, cue}));
        QCOMPARE(rows.indexOf(action.id), 1);
        show(rows, {heading, inserted, twin});
        QVERIFY(stackedInOrder(rows, {heading, inserted, twin}));
        QCOMPARE(rows.indexOf(action.id), 2);
        QCOMPARE(rows.indexOf(cue.id), -1);
    }
};

QTEST_MAIN(ScriptRowsTest)
#include "ScriptRowsTest.moc"
