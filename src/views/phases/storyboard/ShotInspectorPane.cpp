#include "views/phases/storyboard/ShotInspectorPane.h"

#include "design/style/Palette.h"
#include "design/widgets/SymbolLabel.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Lookup.h"
#include "views/phases/storyboard/ShotInspector.h"

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
    column->addWidget(new TextLabel(u"Select a shot to direct it"_s, Theme::font(type::subheadline, QFont::Medium),
                                    Palette::textTertiary(), box),
                      0, Qt::AlignHCenter);
    column->addStretch(1);
    return box;
}

} // namespace

template <typename Signal, typename... Args>
void ShotInspectorPane::request(Signal signal, Args&&... args)
{
    if (!m_shown)
        return;
    const Shown shown = *m_shown;
    Q_EMIT(this->*signal)(shown.sceneID, shown.shotID, std::forward<Args>(args)...);
}

ShotInspectorPane::ShotInspectorPane(QWidget* parent)
    : QWidget(parent)
    , m_stack(new QStackedLayout(this))
    , m_placeholder(makePlaceholder(this))
    , m_inspector(new ShotInspector(this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    // Heard by a name wherever the keyboard is in it, or rests on it.
    setAccessibleName(u"Shot details"_s);
    m_stack->addWidget(m_placeholder);
    m_stack->addWidget(m_inspector);

    connect(m_inspector, &ShotInspector::reframeRequested, this,
            [this] { request(&ShotInspectorPane::reframeRequested); });
    connect(m_inspector, &ShotInspector::sizePicked, this,
            [this](ShotSize size) { request(&ShotInspectorPane::sizeRequested, size); });
    connect(m_inspector, &ShotInspector::movePicked, this,
            [this](CameraMove move) { request(&ShotInspectorPane::moveRequested, move); });
    connect(m_inspector, &ShotInspector::recipePicked, this,
            [this](const QString& id) { request(&ShotInspectorPane::recipeRequested, id); });
    connect(m_inspector, &ShotInspector::recipeCleared, this,
            [this] { request(&ShotInspectorPane::recipeClearRequested); });
    connect(m_inspector, &ShotInspector::secondsEdited, this,
            [this](double seconds) { request(&ShotInspectorPane::secondsRequested, seconds); });
    connect(m_inspector, &ShotInspector::whatEdited, this,
            [this](const QString& text) { request(&ShotInspectorPane::whatRequested, text); });
    connect(m_inspector, &ShotInspector::dialogueEdited, this,
            [this](const QString& text) { request(&ShotInspectorPane::dialogueRequested, text); });
    connect(m_inspector, &ShotInspector::approvalToggled, this,
            [this](const QUuid& takeID) { request(&ShotInspectorPane::approvalRequested, takeID); });
    connect(m_inspector, &ShotInspector::describeRequested, this,
            [this] { request(&ShotInspectorPane::describeRequested); });
    connect(m_inspector, &ShotInspector::deleteRequested, this,
            [this] { request(&ShotInspectorPane::deleteRequested); });
}

void ShotInspectorPane::showSelection(const Project& project, const Episode* episode,
                                      const rules::StoryboardSelection& selection)
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

} // namespace studio
