#include "views/phases/scenes/ShotInspectorPane.h"

#include "design/Palette.h"
#include "design/SymbolLabel.h"
#include "design/TextLabel.h"
#include "design/Theme.h"
#include "model/Lookup.h"
#include "model/ShotRecipe.h"
#include "state/assist/DirectorAssist.h"
#include "views/phases/scenes/ScenesView.h"
#include "views/phases/scenes/ShotInspector.h"

#include <QStackedLayout>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

QWidget* makePlaceholder(QWidget* parent)
{
    auto* box = new QWidget(parent);
    auto* column = new QVBoxLayout(box);
    column->setSpacing(10);
    column->addStretch(1);
    column->addWidget(new SymbolLabel(u"viewfinder"_s, 26, Palette::textTertiary(), QFont::Light, box), 0,
                      Qt::AlignHCenter);
    column->addWidget(new TextLabel(u"Select a shot to direct it"_s, Theme::font(12.5, QFont::Medium),
                                    Palette::textTertiary(), box),
                      0, Qt::AlignHCenter);
    column->addStretch(1);
    return box;
}

} // namespace

ShotInspectorPane::ShotInspectorPane(ScenesView& screen, QWidget* parent)
    : QWidget(parent)
    , m_screen(screen)
    , m_stack(new QStackedLayout(this))
    , m_placeholder(makePlaceholder(this))
    , m_inspector(new ShotInspector(this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    m_stack->addWidget(m_placeholder);
    m_stack->addWidget(m_inspector);

    connect(m_inspector, &ShotInspector::reframeRequested, this,
            [this] { editShown([](Shot& s) { StoryboardEdits::reframe(s); }); });
    connect(m_inspector, &ShotInspector::sizePicked, this,
            [this](ShotSize size) { editShown([size](Shot& s) { s.size = size; }); });
    connect(m_inspector, &ShotInspector::movePicked, this,
            [this](CameraMove move) { editShown([move](Shot& s) { s.move = move; }); });
    connect(m_inspector, &ShotInspector::recipePicked, this, [this](const QString& id) {
        if (const ShotRecipe* recipe = ShotRecipe::find(id)) {
            const ShotRecipe chosen = *recipe;
            editShown([chosen](Shot& s) { StoryboardEdits::applyRecipe(s, chosen); });
        }
    });
    connect(m_inspector, &ShotInspector::recipeCleared, this,
            [this] { editShown([](Shot& s) { StoryboardEdits::clearRecipe(s); }); });
    connect(m_inspector, &ShotInspector::secondsEdited, this,
            [this](double seconds) { editShown([seconds](Shot& s) { s.seconds = seconds; }); });
    connect(m_inspector, &ShotInspector::whatEdited, this,
            [this](const QString& text) { editShown([text](Shot& s) { s.what = text; }); });
    connect(m_inspector, &ShotInspector::dialogueEdited, this,
            [this](const QString& text) { editShown([text](Shot& s) { s.dialogue = text; }); });
    connect(m_inspector, &ShotInspector::approvalToggled, this, [this](const QUuid& takeID) {
        editShown([takeID](Shot& s) { StoryboardEdits::toggleApproval(s, takeID); });
    });
    connect(m_inspector, &ShotInspector::describeRequested, this, &ShotInspectorPane::describe);
    connect(m_inspector, &ShotInspector::deleteRequested, this, &ShotInspectorPane::deleteShot);
}

void ShotInspectorPane::showSelection(const Project& project, const Episode* episode, const StoryboardSelection& selection)
{
    const SceneCard* scene = episode && selection.sceneID ? findScene(*episode, *selection.sceneID) : nullptr;
    const Shot* shot = scene && selection.shotID ? findShot(*scene, *selection.shotID) : nullptr;
    if (!shot) {
        m_shown.reset();
        m_stack->setCurrentWidget(m_placeholder);
        return;
    }
    m_shown = Shown{scene->id, shot->id};
    m_inspector->showShot(*shot, project.look.aspect);
    m_stack->setCurrentWidget(m_inspector);
}

void ShotInspectorPane::editShown(const std::function<void(Shot&)>& change)
{
    if (!m_shown)
        return;
    const Shown shown = *m_shown;
    m_screen.editBoard([shown, change](Project& p, const QUuid& episodeID, const StoryboardSelection& current) {
        StoryboardEdits::editShot(p, episodeID, shown.sceneID, shown.shotID, change);
        return current;
    });
}

void ShotInspectorPane::deleteShot()
{
    m_screen.editBoard([](Project& p, const QUuid& episodeID, const StoryboardSelection& current) {
        if (!current.sceneID || !current.shotID)
            return current;
        return StoryboardEdits::deleteShot(p, episodeID, *current.sceneID, *current.shotID, current);
    });
}

void ShotInspectorPane::describe()
{
    const QUuid episodeID = m_screen.activeEpisodeID();
    if (!m_shown || !m_screen.activeEpisode())
        return;
    const QUuid sceneID = m_shown->sceneID;
    const QUuid shotID = m_shown->shotID;
    m_screen.runAssist(DirectorAssist::work(
        m_screen.session(), [=](const Project& p) { return findShot(p, episodeID, sceneID, shotID); },
        [=](const AIDirector& d, const Project& p, const Shot& shot) {
            return d.describeShot(p, *findScene(p, episodeID, sceneID), shot);
        },
        [=](const Project&, const Shot&, const AIDirector::ShotDescription& reply) {
            return AssistOutcome{[=](Project& p) {
                                     StoryboardEdits::landDescription(p, episodeID, sceneID, shotID, reply.what);
                                 },
                                 std::nullopt};
        }));
}

} // namespace studio
