#include "views/phases/storyboard/SceneEditor.h"

#include "design/widgets/Chip.h"
#include "design/widgets/FlowLayout.h"
#include "design/widgets/HairlineDivider.h"
#include "design/widgets/HorizontalStrip.h"
#include "design/widgets/KeyedList.h"
#include "design/widgets/MenuButton.h"
#include "design/style/Palette.h"
#include "design/widgets/PillPicker.h"
#include "design/text/PlainTextField.h"
#include "design/focus/FocusOutline.h"
#include "design/focus/TabOrder.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Text.h"
#include "views/phases/storyboard/ShotGrid.h"
#include "views/phases/storyboard/ShotTiles.h"
#include "views/phases/storyboard/StoryboardButtons.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <cmath>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

// A cast chip that measures its name once per text and state: the cast row
// of a large cast is asked for its size many times while the header settles.
class CastChip : public Chip {
public:
    using Chip::Chip;

    QSize sizeHint() const override
    {
        if (m_measuredText != text() || m_measuredOn != isOn() || !m_measured.isValid()) {
            m_measured = Chip::sizeHint();
            m_measuredText = text();
            m_measuredOn = isOn();
        }
        return m_measured;
    }

private:
    mutable QSize m_measured;
    mutable QString m_measuredText;
    mutable bool m_measuredOn = false;
};

// Room beside a field for its focus ring.
const int ringRoom = int(std::ceil(FocusOutline::outset));

// The heading row. Nothing around it scrolls down, so where the row doesn't
// fit, a plain turn of the wheel over it scrolls it sideways too.
class HeadingStrip : public HorizontalStrip {
public:
    using HorizontalStrip::HorizontalStrip;

protected:
    void wheelEvent(QWheelEvent* event) override
    {
        HorizontalStrip::wheelEvent(event);
        if (event->isAccepted() || horizontalScrollBar()->maximum() == 0)
            return;
        // The same travel turned sideways: down moves towards the row's end.
        QWheelEvent sideways(event->position(), event->globalPosition(), event->pixelDelta().transposed(),
                             event->angleDelta().transposed(), event->buttons(), event->modifiers(),
                             event->phase(), event->inverted(), event->source());
        HorizontalStrip::wheelEvent(&sideways);
        event->setAccepted(sideways.isAccepted());
    }
};

} // namespace

SceneEditor::SceneEditor(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(buildHeader());
    column->addWidget(new HairlineDivider(Qt::Horizontal, this));
    m_grid = new ShotGrid(this);
    column->addWidget(m_grid, 1);

    connect(m_grid, &ShotGrid::shotPicked, this, [this](const QUuid& id) { Q_EMIT shotPicked(m_sceneID, id); });
    connect(m_grid, &ShotGrid::moveRequested, this,
            [this](const QUuid& id, int offset) { Q_EMIT shotMoveRequested(m_sceneID, id, offset); });
    connect(m_grid, &ShotGrid::deleteRequested, this,
            [this](const QUuid& id) { Q_EMIT shotDeleteRequested(m_sceneID, id); });
    ShotTiles* tiles = m_grid->tiles();
    connect(tiles, &ShotTiles::addShotRequested, this, [this] { Q_EMIT addShotRequested(m_sceneID); });
    connect(tiles, &ShotTiles::recipeShotRequested, this,
            [this](const QString& id) { Q_EMIT recipeShotRequested(m_sceneID, id); });
    connect(tiles, &ShotTiles::coverageRequested, this,
            [this](const QString& id) { Q_EMIT coverageRequested(m_sceneID, id); });
    connect(tiles, &ShotTiles::aiShotListRequested, this, [this] { Q_EMIT shotListRequested(m_sceneID); });
}

SceneEditor::~SceneEditor() = default;

QWidget* SceneEditor::buildHeader()
{
    auto* header = new QWidget(this);
    auto* column = new QVBoxLayout(header);
    column->setContentsMargins(16, 16, 16, 16);
    column->setSpacing(10);

    // The heading: interior or exterior and the location on one line that
    // keeps the location menu's whole name (where the pane is narrower, that
    // line scrolls sideways instead of wrapping), then the time of day, on
    // the same line where the pane is wide enough, else whole on the next.
    auto* headingLines = new QWidget(header);
    auto* headingFlow = new FlowLayout(10, headingLines);
    m_heading = new HeadingStrip(10, headingLines);
    m_heading->setIndicatorShown(true);
    QHBoxLayout* heading = m_heading->row();
    m_setting = new PillPicker(header);
    m_setting->setOptions(QList<std::pair<SceneSetting, QString>>{{SceneSetting::interior, u"INT"_s},
                                                                  {SceneSetting::exterior, u"EXT"_s}});
    connect(m_setting, &PillPicker::picked, this, [this](int index) {
        const auto setting = m_setting->value<SceneSetting>(index);
        Q_EMIT settingRequested(m_sceneID, setting);
    });
    heading->insertWidget(heading->count() - 1, m_setting, 0, Qt::AlignVCenter);

    auto* location = new QWidget(header);
    auto* locationRow = new QHBoxLayout(location);
    // The heading's last control: room after it for the name's focus ring,
    // which the row would cut at its end.
    locationRow->setContentsMargins(0, 0, ringRoom, 0);
    locationRow->setSpacing(7);
    m_location = new MenuButton(QString(), location);
    m_location->setSymbol(u"mappin.circle.fill"_s, 10, Palette::gold());
    m_location->setLabelFont(Theme::font(type::bodyLarge, QFont::Medium));
    m_location->setLabelColor(Palette::textPrimary());
    m_location->setChevron(true, 7, Palette::textTertiary());
    m_location->setPadding(10, 6);
    m_location->setSpacing(5);
    // Always its ideal size: the row scrolls rather than cut the name.
    m_location->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_location->setCursor(Qt::PointingHandCursor);
    connect(m_location, &MenuButton::aboutToOpen, this, &SceneEditor::fillLocationMenu);
    locationRow->addWidget(m_location);
    m_locationText = new PlainTextField(u"Location name"_s, Theme::font(type::bodyLarge), location);
    m_locationText->setFixedWidth(140);
    m_locationText->lineEdit()->setAccessibleName(u"Location name"_s);
    connect(m_locationText, &PlainTextField::textEdited, this,
            [this](const QString& text) { Q_EMIT locationTextRequested(m_sceneID, text); });
    locationRow->addWidget(m_locationText);
    heading->insertWidget(heading->count() - 1, location, 0, Qt::AlignVCenter);

    // Centred in a line as tall as the heading's, so that beside it the
    // pills stand level with interior and exterior.
    m_timeLine = new QWidget(headingLines);
    auto* timeLine = new QVBoxLayout(m_timeLine);
    timeLine->setContentsMargins(0, 0, 0, 0);
    m_time = new PillPicker(m_timeLine);
    timeLine->addWidget(m_time, 0, Qt::AlignVCenter | Qt::AlignLeft);
    QList<std::pair<TimeOfDay, QString>> times;
    for (TimeOfDay time : allCases<TimeOfDay>())
        times.append({time, label(time)});
    m_time->setOptions(times);
    connect(m_time, &PillPicker::picked, this, [this](int index) {
        const auto time = m_time->value<TimeOfDay>(index);
        Q_EMIT timeRequested(m_sceneID, time);
    });
    headingFlow->addWidget(m_heading);
    headingFlow->addWidget(m_timeLine);
    column->addWidget(headingLines);

    m_synopsis = new PlainTextField(u"What happens in this scene?"_s, Theme::font(type::control), header);
    m_synopsis->setTextColor(Palette::textSecondary());
    m_synopsis->lineEdit()->setAccessibleName(u"Synopsis"_s);
    connect(m_synopsis, &PlainTextField::textEdited, this,
            [this](const QString& text) { Q_EMIT synopsisRequested(m_sceneID, text); });
    column->addWidget(m_synopsis);

    m_cast = new QWidget(header);
    m_castFlow = new FlowLayout(5, m_cast);
    m_castFlow->setContentsMargins(0, 0, 0, 0);
    m_castChips = std::make_unique<KeyedList<QUuid, Chip>>(m_castFlow);
    column->addWidget(m_cast);
    return header;
}

void SceneEditor::showScene(const Project& project, const SceneCard& scene, const std::optional<QUuid>& selectedShot)
{
    const bool otherScene = scene.id != m_sceneID;
    if (otherScene) {
        m_sceneID = scene.id;
        m_grid->verticalScrollBar()->setValue(0);
        // Another scene's heading reads from its start (INT or EXT first),
        // wherever the last one was scrolled to.
        m_heading->horizontalScrollBar()->setValue(0);
    }
    m_locations = project.locations;
    m_setting->setSelection(scene.setting);
    m_location->setLabel(scene.locationName(project.locations));
    m_locationText->setVisible(!scene.locationID.has_value());
    m_locationText->setText(scene.locationText);
    if (!otherScene && m_locationText->lineEdit()->hasFocus()) {
        // The name typed grows the menu before the field: keep the field
        // being typed in on screen once the row has been laid out again.
        QTimer::singleShot(0, this, [this] { m_heading->ensureWidgetVisible(m_locationText, ringRoom, 0); });
    }
    m_timeLine->setMinimumHeight(m_heading->sizeHint().height());
    m_time->setSelection(scene.timeOfDay);
    m_synopsis->setText(scene.synopsis);

    m_cast->setVisible(!project.cast.isEmpty());
    m_castChips->sync(
        project.cast, [](const CastMember& m) { return m.id; },
        [this](const CastMember& m) {
            auto* chip = new CastChip(m.name, false);
            connect(chip, &QAbstractButton::clicked, this,
                    [this, id = m.id] { Q_EMIT castToggleRequested(m_sceneID, id); });
            return chip;
        },
        [&](Chip* chip, const CastMember& m, int) {
            chip->setText(m.name);
            chip->setOn(scene.castIDs.contains(m.id));
        });
    // Chips made for new members join the window's Tab order at its end;
    // they belong after the synopsis, in cast order.
    const QList<Chip*> chips = m_castChips->widgets();
    TabOrder::chain(m_synopsis->lineEdit(), QList<QWidget*>(chips.cbegin(), chips.cend()));

    m_grid->setShots(scene.shots, project.look.aspect);
    m_grid->setSelectedShot(selectedShot);
}

void SceneEditor::fillLocationMenu()
{
    QMenu* menu = m_location->menu();
    menu->clear();
    // Neither kind of item touches the free text: it comes back with "Custom…".
    connect(menu->addAction(u"Custom…"_s), &QAction::triggered, this,
            [this] { Q_EMIT locationRequested(m_sceneID, QUuid()); });
    if (!m_locations.isEmpty())
        menu->addSeparator();
    for (const Location& location : m_locations) {
        connect(menu->addAction(Theme::escapeMnemonic(text::displayPrefix(location.name))), &QAction::triggered, this,
                [this, id = location.id] { Q_EMIT locationRequested(m_sceneID, id); });
    }
}

void SceneEditor::setBusy(bool busy)
{
    m_grid->setBusy(busy);
}

} // namespace studio
