#include "state/rules/PhaseRailStatus.h"

#include "model/LookCatalogs.h"
#include "model/Text.h"

using namespace Qt::StringLiterals;

namespace studio::rules {

namespace {

QString number(qsizetype n)
{
    return QString::number(n);
}

const QString dot = u" \u00B7 "_s;

} // namespace

QString PhaseRailStatus::text(const Project& project, const Episode& episode, PhaseID phase)
{
    switch (phase) {
    case PhaseID::spark:
        if (text::isBlank(project.idea.logline))
            return u"Needs a logline"_s;
        if (project.idea.cards.isEmpty())
            return u"Logline set"_s;
        return u"Logline set"_s + dot + number(project.idea.cards.size()) + u" fragments"_s;
    case PhaseID::story: {
        qsizetype total = 0;
        qsizetype written = 0;
        for (const Act& act : episode.structure.acts) {
            for (const Beat& beat : act.beats) {
                ++total;
                if (!beat.summary.isEmpty())
                    ++written;
            }
        }
        return number(written) + u"/"_s + number(total) + u" beats written"_s;
    }
    case PhaseID::cast:
        return number(project.cast.size()) + u" cast"_s + dot + number(project.locations.size()) + u" places"_s;
    case PhaseID::script:
        return scriptText(scriptTally(episode.script.elements));
    case PhaseID::look:
        if (project.look.styleID) {
            if (const StylePreset* preset = StylePreset::find(*project.look.styleID))
                return preset->name;
        }
        return u"No style chosen"_s;
    case PhaseID::scenes: {
        if (episode.scenes.isEmpty())
            return u"No scenes yet"_s;
        qsizetype shots = 0;
        for (const SceneCard& scene : episode.scenes)
            shots += scene.shots.size();
        return number(episode.scenes.size()) + u" scenes"_s + dot + number(shots) + u" shots"_s;
    }
    case PhaseID::footage: {
        qsizetype shots = 0;
        qsizetype rendered = 0;
        for (const SceneCard& scene : episode.scenes) {
            for (const Shot& shot : scene.shots) {
                ++shots;
                if (!shot.takes.isEmpty())
                    ++rendered;
            }
        }
        if (shots == 0)
            return u"Nothing to render"_s;
        return number(rendered) + u"/"_s + number(shots) + u" shots rendered"_s;
    }
    case PhaseID::cut: {
        if (episode.timeline.isEmpty())
            return u"Not assembled"_s;
        double sum = 0;
        for (const TimelineClip& clip : episode.timeline)
            sum += clip.seconds;
        // Truncated toward zero; a corrupt duration saturates instead of overflowing.
        const qint64 s = text::saturatingInt64(sum);
        if (s < 60)
            return QString::number(s) + u"s assembled"_s;
        return QString::number(s / 60) + u"m "_s + QString::number(s % 60) + u"s assembled"_s;
    }
    case PhaseID::premiere:
        return number(project.completedPhases.size()) + u"/"_s + number(allCases<PhaseID>().size())
            + u" phases ready"_s;
    }
    return QString();
}

QString PhaseRailStatus::scriptText(const ScriptTally& script)
{
    const double pages = script.lines / ScriptDocument::linesPerPage;
    if (pages >= 0.1)
        return text::format("~%.1f pages", pages);
    return u"Blank page"_s;
}

double PhaseRailStatus::readyFraction(const Project& project)
{
    return double(project.completedPhases.size()) / double(allCases<PhaseID>().size());
}

} // namespace studio::rules
