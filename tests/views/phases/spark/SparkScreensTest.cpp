// Renders the Spark screen in the workspace, at the window's least size and
// wide, for every sample production, new productions, long texts with a full
// idea board, and an assist running, into PNGs (when SCREENSHOT_DIR is set).

#include "support/PhaseScreenPictures.h"

#include "design/DesignSystem.h"
#include "services/ProjectStore.h"
#include "views/phases/spark/SparkView.h"

#include <QtTest>

using namespace studio;
using namespace studio::test;
using namespace Qt::StringLiterals;

namespace {

Project longTexts()
{
    Project p = SampleFactory::cloudFarmer();
    p.name = u"The Extraordinarily Long Working Title of a Production That Never Learned to Stop"_s;
    p.idea.logline = QString(u"A retired lighthouse keeper who counts every ship that never arrives "_s).repeated(6);
    p.idea.themes = {u"Vigilance"_s, u"Grief as a weather system that never quite clears"_s, u"Salt"_s};
    p.idea.cards.clear();
    const QList<IdeaCardKind> kinds = allCases<IdeaCardKind>();
    for (int i = 0; i < 40; ++i)
        p.idea.cards << IdeaCard{.id = newId(), .kind = kinds.at(i % kinds.size()),
                                 .text = QString(u"Fragment %1 of the board, "_s.arg(i + 1)).repeated(1 + i % 4)};
    p.idea.genres = allCases<Genre>();
    p.format = ProjectFormat::anthology;
    return p;
}

} // namespace

class SparkScreensTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { DesignSystem::install(*qApp); }
    void cleanup() { ScriptedModel::uninstall(); }

    void productions_data()
    {
        QTest::addColumn<Project>("project");
        QTest::addColumn<QString>("name");
        for (const SampleFactory::Sample& sample : SampleFactory::registry())
            QTest::newRow(qPrintable(sample.id)) << sample.make() << sample.id;
        QTest::newRow("made") << Project::make() << u"made"_s;
        ProjectStore store;
        QTest::newRow("created") << store.create(QString(), ProjectFormat::series, 6, {}, 28) << u"created"_s;
        QTest::newRow("long") << longTexts() << u"long"_s;
    }

    void productions()
    {
        QFETCH(Project, project);
        QFETCH(QString, name);
        pictureAtBothSizes<SparkView>(project, PhaseID::spark, u"spark"_s, name);
    }

    void assistRunning()
    {
        pictureAssistRunning<SparkView>(PhaseID::spark, u"spark"_s, u"Brainstorm idea fragments"_s);
    }
};

QTEST_MAIN(SparkScreensTest)
#include "SparkScreensTest.moc"
