#include "model/CraftKits.h"
#include "model/Generation.h"
#include "model/LookCatalogs.h"
#include "model/ShotRecipe.h"
#include "model/Timeline.h"

#include <QSet>
#include <QTest>
#include <cmath>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

template <class Row>
QStringList idsOf(const QList<Row>& rows)
{
    QStringList ids;
    for (const Row& row : rows)
        ids.append(row.id);
    return ids;
}

// Every id is unique and finds its own row, exactly and case-sensitively.
template <class Row>
void checkLookups(const QList<Row>& rows)
{
    const QStringList ids = idsOf(rows);
    QCOMPARE(QSet<QString>(ids.begin(), ids.end()).size(), ids.size());
    for (const Row& row : rows) {
        QCOMPARE(Row::find(row.id), &row);
        QString otherCase = row.id;
        otherCase[0] = otherCase[0].isUpper() ? otherCase[0].toLower() : otherCase[0].toUpper();
        QCOMPARE(Row::find(otherCase), nullptr);
        QCOMPARE(Row::find(row.id + u' '), nullptr);
    }
    QCOMPARE(Row::find(QString()), nullptr);
}

} // namespace

class CatalogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sizesAndLookups()
    {
        QCOMPARE(ShotRecipe::catalog().size(), 18);
        QCOMPARE(CharacterStarter::catalog().size(), 8);
        QCOMPARE(CoveragePack::catalog().size(), 5);
        QCOMPARE(StylePreset::catalog().size(), 22);
        QCOMPARE(DirectorLens::catalog().size(), 14);
        QCOMPARE(ExportPreset::catalog().size(), 4);
        QCOMPARE(InterrogationDeck::questions().size(), 22);
        checkLookups(ShotRecipe::catalog());
        checkLookups(CharacterStarter::catalog());
        checkLookups(CoveragePack::catalog());
        checkLookups(StylePreset::catalog());
        checkLookups(DirectorLens::catalog());
        checkLookups(ExportPreset::catalog());
        QCOMPARE(idsOf(ExportPreset::catalog()), (QStringList{u"streaming"_s, u"theatrical"_s, u"web"_s, u"archive"_s}));
        QCOMPARE(ShotRecipe::find(u"awePushIn")->name, u"The Awe Push-In"_s);
    }

    void recipesAreFilmable()
    {
        for (const ShotRecipe& r : ShotRecipe::catalog()) {
            QVERIFY2(r.seconds >= 2 && r.seconds <= 15 && std::fmod(r.seconds * 2, 1.0) == 0, qPrintable(r.id));
            QVERIFY(!r.name.isEmpty() && !r.phrase.isEmpty());
            // One or two names; two are joined by " / ".
            QVERIFY(!r.inspiredBy.isEmpty() && r.inspiredBy.count(u" / "_s) <= 1 && !r.inspiredBy.contains(u"//"_s));
        }
    }

    void starters()
    {
        for (const CharacterStarter& s : CharacterStarter::catalog()) {
            QVERIFY2(s.lie.size() > 2 && s.lie.startsWith(u'"') && s.lie.endsWith(u'"'), qPrintable(s.id));
            QVERIFY(!s.want.contains(u'"') && !s.tells.contains(u'"'));
        }
        const CharacterStarter& mentor = CharacterStarter::catalog().first();
        const CastMember m = CastMember::from(mentor);
        const CastMember again = CastMember::from(mentor);
        QCOMPARE(m.name, u"The Reluctant Mentor"_s);
        QCOMPARE(m.role, CastRole::support);
        QCOMPARE(m.archetype, u"The Mentor"_s);
        QCOMPARE(m.lie, u"\"The student will only repeat my failure.\""_s);
        QCOMPARE(m.tells, mentor.tells);
        QCOMPARE(m.contradiction, mentor.contradiction);
        QVERIFY(m.age.isEmpty() && m.bio.isEmpty() && m.voice.isEmpty() && m.look.isEmpty() && m.wardrobe.isEmpty());
        QVERIFY(m.id != again.id && m.portraitSeed != again.portraitSeed);
    }

    void coveragePackAppendsNewShots()
    {
        QList<int> sizes;
        for (const CoveragePack& pack : CoveragePack::catalog())
            sizes.append(int(pack.shots.size()));
        QCOMPARE(sizes, (QList<int>{4, 3, 4, 3, 2}));

        SceneCard scene;
        scene.shots = {Shot{}, Shot{}};
        const CoveragePack* dialogue = CoveragePack::find(u"dialogue");
        QVERIFY(dialogue);
        for (const CoveragePack::PackShot& packShot : dialogue->shots)
            scene.shots.append(packShot.makeShot());
        QCOMPARE(scene.shots.size(), 6);
        QSet<QUuid> ids;
        QSet<QString> seeds;
        for (qsizetype i = 0; i < 4; ++i) {
            const Shot& shot = scene.shots[2 + i];
            const CoveragePack::PackShot& source = dialogue->shots[i];
            QCOMPARE(shot.size, source.size);
            QCOMPARE(shot.move, source.move);
            QCOMPARE(shot.seconds, source.seconds);
            QCOMPARE(shot.what, source.what);
            QVERIFY(shot.dialogue.isEmpty() && shot.takes.isEmpty() && !shot.recipeID && !shot.approvedTakeID);
            ids << shot.id;
            seeds << shot.frameSeed;
        }
        QCOMPARE(ids.size(), 4);
        QCOMPARE(seeds.size(), 4);
    }

    void styleCategoriesRunInBlocks()
    {
        QList<StyleCategory> runs;
        QList<int> lengths;
        for (const StylePreset& s : StylePreset::catalog()) {
            if (runs.isEmpty() || runs.last() != s.category) {
                runs.append(s.category);
                lengths.append(0);
            }
            ++lengths.last();
            QVERIFY(!s.keywords.isEmpty() && !s.engineNotes.isEmpty());
        }
        QCOMPARE(runs, allCases<StyleCategory>());
        QCOMPARE(lengths, (QList<int>{8, 4, 7, 3}));
    }

    void lensesCarryTheirDoctrine()
    {
        for (const DirectorLens& l : DirectorLens::catalog()) {
            QVERIFY2(!l.inspiredBy.isEmpty() && !l.philosophy.isEmpty() && !l.keywords.isEmpty(), qPrintable(l.id));
            QVERIFY(!l.movement.isEmpty() && !l.light.isEmpty() && !l.editing.isEmpty());
        }
    }

    void lookChoices()
    {
        QCOMPARE(LookChoices::lensFeels().size(), 8);
        QCOMPARE(LookChoices::lightingMoods().size(), 10);
        const QStringList& swatches = LookChoices::accentSwatches();
        QCOMPARE(swatches.size(), 8);
        QCOMPARE(LookChoices::accentNames().size(), 8);
        for (const QString& hex : swatches) {
            QVERIFY2(LookChoices::accentNames().contains(hex), qPrintable(hex));
            QCOMPARE(hex, hex.toUpper());
        }
        QCOMPARE(swatches.first(), LookSpec{}.accentHex);
    }

    void generationProfileDefaults()
    {
        const GenerationProfile p;
        QVERIFY(GenerationProfile::resolutions().contains(p.resolution));
        QCOMPARE(json::decode<GenerationProfile>(json::encodeCompact(p)), p);
    }

    void questionsAreDistinct()
    {
        const QStringList& q = InterrogationDeck::questions();
        QCOMPARE(QSet<QString>(q.begin(), q.end()).size(), q.size());
        for (const QString& question : q)
            QVERIFY(question.endsWith(u'?'));
    }
};

QTEST_GUILESS_MAIN(CatalogTest)
#include "CatalogTest.moc"
