#pragma once

// Shared pieces of the director tests: the scripted model, helpers that run
// an action to its end, and a production built like the samples (an episodic
// series with every brief line present).

#include "model/Project.h"
#include "services/AIDirector.h"
#include "services/AIError.h"
#include "support/AwaitTask.h"
#include "support/ScriptedModel.h"

#include <QList>
#include <QString>
#include <QTest>
#include <exception>
#include <memory>
#include <optional>

namespace fixtures {

using namespace studio;

using studio::test::ScriptedModel;

// The value of a finished action; fails the calling test (returns nullopt)
// when it threw.
template <class T>
std::optional<T> valueOf(QCoro::Task<T> task)
{
    auto outcome = studio::test::awaitTask(std::move(task));
    if (outcome.error) {
        QTest::qFail(qPrintable(QStringLiteral("the action threw: ") + describeError(outcome.error)), __FILE__, __LINE__);
        return std::nullopt;
    }
    return outcome.value;
}

// The AIError an action threw, or nullopt when it returned or threw anything else.
template <class T>
std::optional<AIError> aiErrorOf(QCoro::Task<T> task)
{
    auto outcome = studio::test::awaitTask(std::move(task));
    if (!outcome.error)
        return std::nullopt;
    try {
        std::rethrow_exception(outcome.error);
    } catch (const AIError& e) {
        return e;
    } catch (...) {
        return std::nullopt;
    }
}

inline QString repeated(const QString& piece, int count)
{
    return piece.repeated(count);
}

inline Beat beat(const QString& title, const QString& summary = {}, const QString& hint = {})
{
    Beat b;
    b.title = title;
    b.summary = summary;
    b.hint = hint;
    return b;
}

inline Act act(const QString& title, QList<Beat> beats)
{
    Act a;
    a.title = title;
    a.beats = std::move(beats);
    return a;
}

inline CastMember member(const QString& name, CastRole role, const QString& want = {}, const QString& flaw = {})
{
    CastMember m;
    m.name = name;
    m.role = role;
    m.want = want;
    m.flaw = flaw;
    return m;
}

inline Location place(const QString& name, const QString& mood = {}, LocationKind kind = LocationKind::interior)
{
    Location l;
    l.name = name;
    l.mood = mood;
    l.kind = kind;
    return l;
}

// An episodic series with idea, tone, themes, cast, world, look and an
// episode with beats, script and a scene: every line of the brief appears.
inline Project sampleSeries()
{
    Project p;
    p.name = QStringLiteral("Salt & Signal");
    p.format = ProjectFormat::series;
    p.idea.logline = QStringLiteral("A lighthouse keeper who distrusts radios must answer the one that calls her name.");
    p.idea.argument = QStringLiteral("Vigilance isn't living");
    p.idea.premise = QStringLiteral("On a drowned coast, Eda keeps the last light burning.");
    p.idea.genres = {Genre::sciFi, Genre::drama};
    p.idea.rating = Rating::pg13;
    p.idea.tone = ToneProfile{0.8, 0.5, 0.2, 0.5};
    p.idea.themes = {QStringLiteral("memory"), QStringLiteral("duty")};
    p.idea.targetRuntimeMinutes = 22;
    p.cast = {member(QStringLiteral("Eda"), CastRole::lead, QStringLiteral("to keep the light"),
                     QStringLiteral("trusts no voice")),
              member(QStringLiteral("Tomas"), CastRole::antagonist, QStringLiteral("the island")),
              member(QStringLiteral("Wren"), CastRole::support, {}, QStringLiteral("talks too much"))};
    p.locations = {place(QStringLiteral("Lighthouse"), QStringLiteral("salt, iron, vigil"), LocationKind::both),
                   place(QStringLiteral("Radio Shack"))};
    p.look.styleID = QStringLiteral("dimensional3D");
    p.look.directorLensID = QStringLiteral("sodiumSilhouette");
    p.look.aspect = AspectRatio::scope239;

    Episode& e = p.episodes.first();
    e.number = 1;
    e.title = QStringLiteral("Keeper");
    e.synopsis = QStringLiteral("The radio wakes.");
    e.structure.kind = StructureKind::threeAct;
    e.structure.acts = {act(QStringLiteral("Setup"), {beat(QStringLiteral("Opening Image"), QStringLiteral("Eda trims the wick.")),
                                                      beat(QStringLiteral("Inciting Incident"), {}, QStringLiteral("What breaks the routine?"))}),
                        act(QStringLiteral("Confrontation"), {beat(QStringLiteral("Midpoint"))})};
    ScriptElement heading;
    heading.kind = ScriptElementKind::sceneHeading;
    heading.text = QStringLiteral("INT. LIGHTHOUSE — NIGHT");
    e.script.elements = {heading};
    SceneCard scene;
    scene.locationID = p.locations.first().id;
    scene.timeOfDay = TimeOfDay::night;
    scene.synopsis = QStringLiteral("Eda hears her name in the static.");
    scene.castIDs = {p.cast.at(0).id};
    e.scenes = {scene};
    return p;
}

} // namespace fixtures
