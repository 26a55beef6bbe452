#include "state/rules/PremiereRules.h"

#include "model/Text.h"
#include "model/Timeline.h"
#include "services/ExportManifest.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace studio::rules {

QList<PremiereFigure> premiereFigures(const Project& project)
{
    const DeliveryCounts counts = countDelivery(project);
    QList<PremiereFigure> figures;
    if (isEpisodic(project.format))
        figures << PremiereFigure{QString::number(counts.episodes), episodeNoun(project.format).toLower() + u"s"_s,
                              u"rectangle.stack"_s};
    figures << PremiereFigure{QString::number(counts.scenes), u"scenes"_s, u"square.grid.2x2"_s}
            << PremiereFigure{QString::number(counts.shots), u"shots"_s, u"viewfinder"_s}
            << PremiereFigure{QString::number(counts.takes), u"takes"_s, u"film"_s}
            << PremiereFigure{cutLengthText(counts.assembledSeconds), u"assembled"_s, u"scissors"_s};
    return figures;
}

QList<ReadinessItem> readinessChecklist(const Project& project)
{
    const QList<Episode>& episodes = project.episodes;
    auto everyEpisode = [&](auto&& holds) { return std::all_of(episodes.begin(), episodes.end(), holds); };

    bool castAnchored = !project.cast.isEmpty();
    for (const CastMember& member : project.cast)
        castAnchored = castAnchored && !member.look.isEmpty();

    bool anyShot = false;
    bool everyShotTaken = true;
    for (const Episode& episode : episodes) {
        for (const SceneCard& scene : episode.scenes) {
            for (const Shot& shot : scene.shots) {
                anyShot = true;
                everyShotTaken = everyShotTaken && !shot.takes.isEmpty();
            }
        }
    }

    return {
        {u"Logline written"_s, u"The one-sentence north star."_s, !text::trimmed(project.idea.logline).isEmpty(),
         PhaseID::spark},
        {u"Cast anchored"_s, u"Every character has a signature look for consistency."_s, castAnchored,
         PhaseID::cast},
        {u"Visual style locked"_s, u"One world, every frame."_s, project.look.styleID.has_value(), PhaseID::look},
        {u"Script on the page"_s, u"Words exist for every episode."_s,
         everyEpisode([](const Episode& e) { return !e.script.elements.isEmpty(); }), PhaseID::script},
        {u"Storyboard planned"_s, u"Scenes broken into shots."_s, everyEpisode([](const Episode& e) {
             return std::any_of(e.scenes.begin(), e.scenes.end(),
                                [](const SceneCard& s) { return !s.shots.isEmpty(); });
         }),
         PhaseID::scenes},
        {u"Footage rendered"_s, u"Every planned shot has at least one take."_s, anyShot && everyShotTaken,
         PhaseID::footage},
        {u"Cut assembled"_s, u"A timeline exists for every episode."_s,
         everyEpisode([](const Episode& e) { return !e.timeline.isEmpty(); }), PhaseID::cut},
    };
}

qsizetype readyCount(const QList<ReadinessItem>& items)
{
    return std::count_if(items.begin(), items.end(), [](const ReadinessItem& item) { return item.ok; });
}

QString readinessText(const QList<ReadinessItem>& items)
{
    return QString::number(readyCount(items)) + u" of "_s + QString::number(items.size()) + u" ready"_s;
}

QString posterGenreLine(const QList<Genre>& genres)
{
    QStringList labels;
    for (Genre genre : genres)
        labels << label(genre);
    return labels.join(u" \u00B7 "_s);
}

QString exportButtonText(const QString& presetID)
{
    const ExportPreset* preset = ExportPreset::find(presetID);
    return u"Export "_s + (preset ? preset->name : u"Master"_s);
}

QString presetSpecText(const QString& codec, const QString& resolution, const QString& container)
{
    return codec + u" \u00B7 "_s + resolution + u" \u00B7 "_s + container;
}

QString exportLocationText(const QString& videosFolder)
{
    QString name = QFileInfo(QDir::cleanPath(videosFolder)).fileName();
    if (name.isEmpty())
        name = QDir::cleanPath(videosFolder);
    return u"Exports to "_s + name + u" \u203A "_s + exportFolderName();
}

} // namespace studio::rules
