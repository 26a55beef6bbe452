#include "views/phases/cut/CutView.h"

#include "design/widgets/AccessibleSource.h"
#include "design/widgets/Alert.h"
#include "design/widgets/EmptyStateView.h"
#include "design/widgets/FieldLabel.h"
#include "design/focus/FocusHandOver.h"
#include "design/focus/FocusOnAdded.h"
#include "design/widgets/GhostButton.h"
#include "design/widgets/PrimaryButton.h"
#include "design/widgets/HairlineDivider.h"
#include "design/widgets/HorizontalStrip.h"
#include "design/style/Palette.h"
#include "design/widgets/ScrollColumn.h"
#include "design/style/Shapes.h"
#include "design/widgets/Slider.h"
#include "design/widgets/SpokenName.h"
#include "design/widgets/SymbolLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Lookup.h"
#include "model/Text.h"
#include "state/ProjectSession.h"
#include "state/edits/CutEdits.h"
#include "state/rules/CutRules.h"
#include "views/phases/cut/ClipControls.h"
#include "views/phases/cut/CueTile.h"
#include "views/phases/cut/MusicCuesSection.h"
#include "views/phases/cut/TimelineLanes.h"

#include <QAccessibleWidget>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

#include <cmath>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

const QList<TimelineClip>& noClips()
{
    static const QList<TimelineClip> none;
    return none;
}

const QList<MusicCue>& noCues()
{
    static const QList<MusicCue> none;
    return none;
}

QColor toneColor(rules::RuntimeTone tone)
{
    switch (tone) {
    case rules::RuntimeTone::tooShort:
        return Palette::warn();
    case rules::RuntimeTone::onTarget:
        return Palette::success();
    case rules::RuntimeTone::tooLong:
        return Palette::danger();
    }
    return Palette::warn();
}

} // namespace

// The toolbar's chip: a status dot and the cut length against the target on
// a faint capsule, read as its text.
class RuntimeChipLabel : public QWidget, public AccessibleSource {
public:
    RuntimeChipLabel()
        : m_font(Theme::font(type::callout, QFont::Medium))
    {
        setAttribute(Qt::WA_TranslucentBackground);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    }
    void setChip(const rules::RuntimeChip& chip)
    {
        if (chip == m_chip)
            return;
        const bool resized = chip.text != m_chip.text;
        m_chip = chip;
        if (resized) {
            m_shown = text::displayPrefix(m_chip.text);
            setSpokenName(this, m_chip.text);
            updateGeometry();
        }
        update();
    }
    const rules::RuntimeChip& chip() const { return m_chip; }

    QSize sizeHint() const override
    {
        const QFontMetricsF metrics(m_font);
        const qreal width = padH + dot + spacing + metrics.horizontalAdvance(m_shown) + padH;
        return QSize(int(std::ceil(width)), int(std::ceil(std::max(metrics.height(), dot) + 2 * padV)));
    }

protected:
    QAccessibleInterface* accessibleFor(QObject* object) override
    {
        return object == this ? new QAccessibleWidget(this, QAccessible::StaticText) : nullptr;
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF box(rect());
        shapes::fillCapsule(p, box, Palette::white(level::wash));
        shapes::strokeCapsuleInside(p, box, Palette::hairline(), 1);
        p.setPen(Qt::NoPen);
        p.setBrush(toneColor(m_chip.tone));
        p.drawEllipse(QRectF(padH, box.center().y() - dot / 2, dot, dot));
        p.setFont(m_font);
        p.setPen(Palette::textSecondary());
        const qreal left = padH + dot + spacing;
        p.drawText(QRectF(left, 0, box.width() - left - padH, box.height()), Qt::AlignLeft | Qt::AlignVCenter,
                   QFontMetricsF(m_font).elidedText(m_shown, Qt::ElideRight, box.width() - left - padH + 1));
    }

private:
    static constexpr qreal padH = 10;
    static constexpr qreal padV = 5;
    static constexpr qreal dot = 5;
    static constexpr qreal spacing = 6;
    QFont m_font;
    rules::RuntimeChip m_chip;
    QString m_shown;
};

CutView::CutView(ScreenSession screenSession, QWidget* parent)
    : PhaseScreen(screenSession, parent)
    , m_zoom(rules::defaultTimelineZoom)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(toolbar());
    column->addWidget(new HairlineDivider(Qt::Horizontal, this));

    m_empty = new EmptyStateView(
        u"scissors"_s, u"Nothing on the timeline"_s,
        u"Assemble pulls every storyboard shot \u2014 in scene order \u2014 onto the timeline as one rough cut. "
        "Then trim, reorder and pace it."_s,
        u"Assemble from Storyboard"_s, [this] { assemble(); }, this);
    column->addWidget(m_empty, 1);

    m_page = new ScrollColumn(this);
    m_page->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QVBoxLayout* page = m_page->column();
    page->setContentsMargins(20, 20, 20, 20);
    page->setSpacing(18);
    page->addWidget(timelineBlock());
    m_controls = new ClipControls;
    m_controls->hide();
    page->addWidget(m_controls);
    m_music = new MusicCuesSection;
    page->addWidget(m_music);
    page->addStretch(1);
    column->addWidget(m_page, 1);

    connectControls();
    connectMusic();
    requestRefresh();
}

CutView::~CutView() = default;

QWidget* CutView::toolbar()
{
    auto* bar = new QWidget(this);
    bar->setAttribute(Qt::WA_TranslucentBackground);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(20, 11, 20, 11);
    row->setSpacing(12);

    m_assemble = new GhostButton(u"square.stack.3d.down.right.fill"_s, u"Assemble from Storyboard"_s,
                                 Palette::textPrimary(), bar);
    m_assemble->setCursor(Qt::PointingHandCursor);
    row->addWidget(m_assemble, 0, Qt::AlignVCenter);
    connect(m_assemble, &QAbstractButton::clicked, this, &CutView::assembleRequested);

    m_chip = new RuntimeChipLabel;
    row->addWidget(m_chip, 0, Qt::AlignVCenter);
    row->addStretch(1);

    m_zoomControl = new QWidget(bar);
    m_zoomControl->setAttribute(Qt::WA_TranslucentBackground);
    auto* zoom = new QHBoxLayout(m_zoomControl);
    zoom->setContentsMargins(0, 0, 0, 0);
    zoom->setSpacing(8);
    // The magnifiers only decorate the slider; they don't change the zoom.
    zoom->addWidget(new SymbolLabel(u"minus.magnifyingglass"_s, 10, Palette::textTertiary()), 0, Qt::AlignVCenter);
    m_zoomSlider = new Slider(rules::minimumTimelineZoom, rules::maximumTimelineZoom);
    m_zoomSlider->setTint(Palette::accentDeep());
    m_zoomSlider->setAccessibleName(u"Zoom"_s);
    // No number shows: the zoom is said against the timeline's usual one.
    m_zoomSlider->setValueText([](double zoom) {
        return QString::number(qRound(zoom / rules::defaultTimelineZoom * 100)) + u"%"_s;
    });
    m_zoomSlider->setFixedWidth(120);
    m_zoomSlider->setValue(m_zoom);
    zoom->addWidget(m_zoomSlider, 0, Qt::AlignVCenter);
    zoom->addWidget(new SymbolLabel(u"plus.magnifyingglass"_s, 10, Palette::textTertiary()), 0, Qt::AlignVCenter);
    row->addWidget(m_zoomControl, 0, Qt::AlignVCenter);
    connect(m_zoomSlider, &Slider::valueEdited, this, [this](double zoom) {
        m_zoom = zoom;
        m_lanes->setZoom(zoom);
    });
    return bar;
}

QWidget* CutView::timelineBlock()
{
    auto* block = new QWidget;
    block->setAttribute(Qt::WA_TranslucentBackground);
    auto* stack = new QVBoxLayout(block);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(8);
    stack->addWidget(new FieldLabel(u"Picture"_s));
    m_strip = new HorizontalStrip(0, block);
    m_lanes = new TimelineLanes;
    m_lanes->setZoom(m_zoom);
    m_strip->setContent(m_lanes);
    m_strip->setIndicatorShown(true);
    stack->addWidget(m_strip);
    connect(m_lanes, &TimelineLanes::clipTapped, this, &CutView::toggleSelection);
    return block;
}

void CutView::connectControls()
{
    connect(m_controls, &ClipControls::moveRequested, this, [this](const QUuid& clipID, int offset) {
        editActiveEpisode([&](Project& p, const QUuid& episodeID) { edits::moveClip(p, episodeID, clipID, offset); });
    });
    connect(m_controls, &ClipControls::secondsEdited, this, [this](const QUuid& clipID, double seconds) {
        editActiveEpisode([&](Project& p, const QUuid& ep) { edits::retimeClip(p, ep, clipID, seconds); });
    });
    connect(m_controls, &ClipControls::cutRequested, this, [this](const QUuid& clipID) {
        // The controls go with the clip; a keyboard that pressed "Cut" goes
        // back to the lanes, on the clip now in the cut one's place.
        QWidget* focus = window()->focusWidget();
        const bool fromKeyboard = focus && m_controls->isAncestorOf(focus);
        bool removed = false;
        editActiveEpisode(
            [&](Project& p, const QUuid& episodeID) { removed = edits::removeClip(p, episodeID, clipID); });
        if (!removed)
            return;
        select(QUuid());
        if (fromKeyboard && m_lanes->isVisible())
            m_lanes->setFocus(Qt::OtherFocusReason);
    });
}

void CutView::connectMusic()
{
    connect(m_music, &MusicCuesSection::addRequested, this, [this] {
        QUuid added;
        editActiveEpisode([&added](Project& p, const QUuid& episodeID) { added = edits::addMusicCue(p, episodeID); });
        FocusOnAdded::give(m_music->tile(added));
    });
    connect(m_music, &MusicCuesSection::nameEdited, this, [this](const QUuid& cueID, const QString& name) {
        editActiveEpisode([&](Project& p, const QUuid& ep) { edits::renameMusicCue(p, ep, cueID, name); });
    });
    connect(m_music, &MusicCuesSection::moodEdited, this, [this](const QUuid& cueID, const QString& mood) {
        editActiveEpisode([&](Project& p, const QUuid& ep) { edits::setMusicCueMood(p, ep, cueID, mood); });
    });
    connect(m_music, &MusicCuesSection::deleteRequested, this, [this](const QUuid& cueID) {
        editActiveEpisode([&](Project& p, const QUuid& episodeID) { edits::removeMusicCue(p, episodeID, cueID); });
    });
}

void CutView::assembleRequested()
{
    const Episode* episode = activeEpisode();
    if (!episode || episode->timeline.isEmpty()) {
        assemble();
        return;
    }
    if (m_alert)
        return;
    m_confirmReassemble = true;
    m_alert = Alert::confirmation(
        window(), u"Re-assemble the cut?"_s,
        u"This rebuilds the timeline from the storyboard in scene order, replacing your current arrangement."_s,
        u"Replace timeline"_s);
    connect(m_alert, &Alert::answered, this, [this](bool confirmed) {
        m_confirmReassemble = false;
        if (confirmed)
            assemble();
    });
    m_alert->open();
}

void CutView::assemble()
{
    // Every earlier clip, with its trims, order and removals, is replaced in
    // one edit, and the selection goes with them.
    bool assembled = false;
    editActiveEpisode(
        [&](Project& p, const QUuid& episodeID) { assembled = edits::assembleTimeline(p, episodeID); });
    if (!assembled)
        return;
    select(QUuid());
    // The keyboard goes on to the clips just made, never stays on the
    // button, whose next press would ask to assemble them all again.
    FocusOnAdded::give(m_lanes);
}

void CutView::toggleSelection(const QUuid& clipID)
{
    select(clipID == m_selectedClipID ? QUuid() : clipID);
}

void CutView::select(const QUuid& clipID)
{
    if (clipID == m_selectedClipID)
        return;
    m_selectedClipID = clipID;
    requestRefresh();
}

QString CutView::runtimeChipText() const
{
    return m_chip->chip().text;
}

Alert* CutView::reassembleAlert() const
{
    return m_alert;
}

bool CutView::isEmptyStateShown() const
{
    return !m_empty->isHidden();
}

bool CutView::areClipControlsShown() const
{
    return !m_controls->isHidden();
}

void CutView::refresh()
{
    const Episode* episode = activeEpisode();
    const QList<TimelineClip>& timeline = episode ? episode->timeline : noClips();
    m_chip->setChip(rules::runtimeChip(project(), episode));

    const bool hasClips = !timeline.isEmpty();
    m_zoomControl->setVisible(hasClips);
    // The keyboard that assembled from the empty state goes on to the lanes.
    // One that cut the last clip rests on the screen where the clip stood
    // (FocusHandOver), never on the empty state's button, whose Return
    // would assemble the cut again.
    m_lanes->setTimeline(timeline);
    if (hasClips) {
        m_page->setVisible(true);
        if (m_empty->isVisible())
            handOverFocus(m_empty, m_lanes);
        m_empty->setVisible(false);
    } else {
        m_empty->setVisible(true);
        m_page->setVisible(false);
    }

    m_lanes->setSelectedClipID(m_selectedClipID);
    const TimelineClip* selected = episode && !m_selectedClipID.isNull() ? findClip(*episode, m_selectedClipID)
                                                                         : nullptr;
    if (selected)
        m_controls->setClip(*selected);
    m_controls->setVisible(selected != nullptr);

    m_music->setCues(episode ? episode->musicCues : noCues());
}

} // namespace studio
