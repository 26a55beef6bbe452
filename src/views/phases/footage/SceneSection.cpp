#include "views/phases/footage/SceneSection.h"

#include "design/style/Palette.h"
#include "design/widgets/PlainButton.h"
#include "design/widgets/SpokenName.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Lookup.h"
#include "model/PromptComposer.h"
#include "model/Text.h"
#include "state/rules/FootageRules.h"

#include <QAbstractButton>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

constexpr int rowSpacing = 8;

} // namespace

SceneSection::SceneSection(const QUuid& sceneID, QWidget* parent)
    : QWidget(parent)
    , m_sceneID(sceneID)
    , m_title(new TextLabel(QString(), Theme::font(type::label, QFont::DemiBold, 0.8), Palette::textTertiary(), this))
    , m_selectScene(new PlainButton(QString(), u"Select scene"_s, Theme::font(type::label, QFont::Medium), Palette::textTertiary(), this))
    , m_rows(new QVBoxLayout(this), 1)
{
    setAttribute(Qt::WA_TranslucentBackground);
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(rowSpacing);
    auto* header = new QHBoxLayout;
    header->setContentsMargins(0, 0, 0, 0);
    header->setSpacing(8);
    header->addWidget(m_title, 1, Qt::AlignVCenter);
    header->addWidget(m_selectScene, 0, Qt::AlignVCenter);
    layout->addLayout(header);

    connect(m_selectScene, &QAbstractButton::clicked, this, [this] { Q_EMIT selectSceneClicked(m_sceneID); });
}

int SceneSection::foldedHeight(qsizetype shotCount)
{
    // The heading is one line whatever it says: measured once on a section
    // of its own.
    static const int heading = [] {
        const SceneSection probe{QUuid()};
        return probe.layout()->itemAt(0)->sizeHint().height();
    }();
    const qint64 rows = std::max<qsizetype>(0, shotCount);
    return int(std::min<qint64>(heading + rows * (rowSpacing + ShotRow::lineHeight()), QWIDGETSIZE_MAX));
}

QList<QWidget*> SceneSection::focusStops() const
{
    QList<QWidget*> stops{m_selectScene};
    for (ShotRow* row : m_rows.widgets())
        stops << row->focusStops();
    return stops;
}

QString SceneSection::titleText() const
{
    return m_title->text();
}

void SceneSection::sync(const SceneCard& scene, qsizetype sceneNumber, const Context& context)
{
    // The open row's prompt reads the whole production and profile: a
    // section holding it (now or before) is always brought up to date.
    const bool holdsExpandedRow = !context.expandedShotID.isNull() && findShot(scene, context.expandedShotID);
    if (m_shown && !holdsExpandedRow && !m_shown->holdsExpandedRow && m_shown->number == sceneNumber
        && m_shown->maxClipSeconds == context.profile->maxClipSeconds
        && m_shown->selectionVersion == context.selectionVersion && m_shown->locations == context.project->locations
        && m_shown->scene == scene)
        return;
    m_shown = Shown{scene, sceneNumber, context.project->locations, context.profile->maxClipSeconds,
                    context.selectionVersion, holdsExpandedRow};

    const QString title = rules::manifestSceneTitle(scene, sceneNumber, context.project->locations);
    m_title->setText(title);
    // Which scene's shots it selects.
    setSpokenName(m_selectScene, u"Select scene "_s + QString::number(sceneNumber) + u" — "_s
                                     + text::displayPrefix(scene.slug(context.project->locations)).simplified());
    m_rows.sync(
        scene.shots, [](const Shot& shot) { return shot.id; },
        [this](const Shot& shot) {
            auto* row = new ShotRow(shot.id, this);
            connect(row, &ShotRow::selectionToggled, this, &SceneSection::selectionToggled);
            connect(row, &ShotRow::disclosureToggled, this, &SceneSection::disclosureToggled);
            return row;
        },
        [&](ShotRow* row, const Shot& shot, int) {
            // Numbered by the place in the stored list (a duplicate id keeps its number's gap).
            const qsizetype shotNumber = &shot - scene.shots.constData() + 1;
            ShotRow::Face face;
            face.title = rules::shotRowTitle(shot, sceneNumber, shotNumber);
            face.size = spokenSize(shot.size);
            face.description = shot.what;
            face.length = rules::shotLengthText(shot.seconds);
            face.clips = rules::clipCount(shot.seconds, context.profile->maxClipSeconds);
            face.status = shot.status();
            face.seed = shot.bestSeed();
            face.selected = context.selection->contains(shot.id);
            face.expanded = !context.expandedShotID.isNull() && shot.id == context.expandedShotID;
            row->setFace(face);
            if (face.expanded)
                row->setPrompt(PromptComposer::prompt(shot, scene, *context.project),
                               PromptComposer::references(shot, scene, *context.project, *context.profile));
        });
}

} // namespace studio
