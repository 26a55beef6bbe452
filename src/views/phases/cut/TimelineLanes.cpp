#include "views/phases/cut/TimelineLanes.h"

#include "design/widgets/ArtThumb.h"
#include "design/focus/FocusInView.h"
#include "design/focus/FocusRing.h"
#include "design/focus/KeyboardActivation.h"
#include "design/style/Palette.h"
#include "design/style/PictureBudget.h"
#include "design/style/Shapes.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Text.h"
#include "views/phases/cut/TimelineLanesAccessible.h"

#include <QCache>
#include <QKeyEvent>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <utility>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

constexpr qreal clipRadius = 7;
constexpr qreal dialogueRadius = 4;
// Inside the widest outline, in whole pixels.
constexpr qreal ringInset = 2;
// The label and the length keep clear of the ring a focused tile shows
// inside its outline.
constexpr qreal rowPadding = ringInset + FocusRing::width + 2;
constexpr qreal rowSpacing = 4;
// The picture behind a tile is composed at this size and fills the tile.
constexpr qreal artWidth = 200;
constexpr qreal artHeight = 112;
constexpr qreal maximumCachedWidth = 4096;
const QFont& labelFont()
{
    static const QFont font = Theme::font(type::caption, QFont::DemiBold);
    return font;
}
const QFont& secondsFont()
{
    static const QFont font = Theme::font(type::caption2);
    return font;
}
const QFont& captionFont()
{
    static const QFont font = Theme::font(type::micro, QFont::DemiBold, 0.7);
    return font;
}

// Finished tile faces, so a scroll frame copies pictures instead of scaling
// and clipping each one again. Shared by every timeline, within their share
// of the process's pictures (design/style/PictureBudget.h).
QCache<QString, QPixmap>& faces()
{
    static QCache<QString, QPixmap> kept(pictureBudget::clipFaces);
    return kept;
}

} // namespace

TimelineLanes::TimelineLanes(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    // Tab reaches the clips; a click puts the keyboard on the clip clicked
    // (mousePressEvent), as on a shot card, and one beside the clips leaves
    // it where it was.
    setFocusPolicy(Qt::TabFocus);
    // One stop for all the clips, walked by the arrow keys.
    setProperty("studioArrowGroup", true);
    setAccessibleName(u"Picture"_s);
    relayout();
}

void TimelineLanes::setTimeline(const QList<TimelineClip>& timeline)
{
    if (timeline == m_timeline)
        return;
    // Clips that come, go or move are told one by one, those going first.
    PaintedItemsAccessible::Splice told;
    PaintedItemsAccessible* accessible = PaintedItemsAccessible::changing(this, timeline, told);
    m_timeline = timeline;
    m_indexOf.clear();
    m_indexOf.reserve(m_timeline.size());
    for (qsizetype i = m_timeline.size() - 1; i >= 0; --i)
        m_indexOf.insert(m_timeline[i].id, int(i)); // the first of a repeated id wins
    // A walked clip that left the timeline hands the keyboard to the clip
    // now in its place.
    if (const int at = indexOf(m_current); at >= 0) {
        m_currentIndex = at;
    } else if (m_timeline.isEmpty()) {
        m_current = QUuid();
        m_currentIndex = 0;
    } else {
        m_currentIndex = std::clamp(m_currentIndex, 0, int(m_timeline.size()) - 1);
        m_current = m_timeline.at(m_currentIndex).id;
    }
    relayout();
    if (hasFocus())
        FocusInView::revealCaret(this);
    if (accessible) {
        accessible->itemsChanged(told);
        // A clip's name reads its label and length, which a change may have
        // given it anew.
        accessible->namesMayHaveChanged();
    }
}

void TimelineLanes::setZoom(double zoom)
{
    if (!std::isfinite(zoom) || zoom == m_zoom)
        return;
    m_zoom = zoom;
    relayout();
}

void TimelineLanes::setSelectedClipID(const QUuid& clipID)
{
    if (clipID == m_selected)
        return;
    // Only the two tiles whose outline changes are repainted.
    const QRectF before = clipRect(m_selected);
    const QUuid was = std::exchange(m_selected, clipID);
    const QRectF after = clipRect(m_selected);
    if (!before.isEmpty())
        update(before.toAlignedRect());
    if (!after.isEmpty())
        update(after.toAlignedRect());
    PaintedItemsAccessible::selectionChanged(this, was);
    PaintedItemsAccessible::selectionChanged(this, clipID);
}

QRectF TimelineLanes::clipRect(const QUuid& clipID) const
{
    const int index = indexOf(clipID);
    return index < 0 ? QRectF() : m_layout.clips[index];
}

QRectF TimelineLanes::dialogueRect(const QUuid& clipID) const
{
    const int index = indexOf(clipID);
    return index < 0 ? QRectF() : m_layout.dialogue[index];
}

int TimelineLanes::indexOf(const QUuid& clipID) const
{
    return clipID.isNull() ? -1 : m_indexOf.value(clipID, -1);
}

void TimelineLanes::tap(const QUuid& clipID)
{
    if (indexOf(clipID) >= 0)
        Q_EMIT clipTapped(clipID);
}

QSize TimelineLanes::sizeHint() const
{
    // A widget can't be wider than Qt allows; tiles beyond that edge (only a
    // corrupt cut of absurd lengths reaches it) are not reachable.
    const qreal width = std::min<qreal>(std::ceil(m_layout.size.width()), QWIDGETSIZE_MAX);
    return QSize(int(width), int(std::ceil(m_layout.size.height())));
}

void TimelineLanes::relayout()
{
    m_layout = rules::laneLayout(m_timeline, m_zoom);
    m_pressed = -1;
    setFixedSize(sizeHint());
    updateGeometry();
    update();
}

void TimelineLanes::paintEvent(QPaintEvent* event)
{
    if (m_timeline.isEmpty())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF exposed = QRectF(event->rect()).adjusted(-1, 0, 1, 0);
    // Tiles run left to right: start at the first one reaching into the
    // exposed part and stop at the first one past it.
    const auto first = std::partition_point(m_layout.clips.cbegin(), m_layout.clips.cend(),
                                            [&](const QRectF& r) { return r.right() < exposed.left(); });
    const int begin = int(first - m_layout.clips.cbegin());
    for (int i = begin; i < m_layout.clips.size() && m_layout.clips[i].left() <= exposed.right(); ++i) {
        paintClip(p, i);
        const QRectF& lane = m_layout.dialogue[i];
        const QColor fill = m_timeline[i].hasDialogue ? Palette::withOpacity(Palette::accentDeep(), level::soft)
                                                      : Palette::white(level::veil);
        shapes::fillRounded(p, lane, dialogueRadius, fill);
    }

    // The lane's caption lies over the dialogue row at its leading edge.
    const QRectF row = m_layout.dialogue.first();
    if (exposed.left() < 200) {
        p.setFont(captionFont());
        p.setPen(Palette::textTertiary());
        p.drawText(QRectF(6, row.top(), 200, row.height()), Qt::AlignLeft | Qt::AlignVCenter,
                   u"DIALOGUE"_s);
    }
}

void TimelineLanes::paintClip(QPainter& p, int index)
{
    const TimelineClip& clip = m_timeline[index];
    const QRectF tile = m_layout.clips[index];
    // A tile wider than any screen (a corrupt length) is painted directly.
    if (tile.width() > maximumCachedWidth) {
        paintTileFace(p, tile, clip);
    } else {
        const qreal dpr = p.device() ? p.device()->devicePixelRatioF() : devicePixelRatioF();
        const QString key = clip.seed + u'\x1f' + text::displayPrefix(clip.label) + u'\x1f'
            + rules::tileSecondsText(clip.seconds) + u'\x1f' + QString::number(tile.width(), 'f', 2) + u'x'
            + QString::number(tile.height(), 'f', 2) + u'\x1f' + QString::number(dpr, 'f', 2);
        const QPixmap* face = faces().object(key);
        if (!face) {
            const QSize pixels = (tile.size() * dpr).toSize().expandedTo(QSize(1, 1));
            auto* rendered = new QPixmap(pixels);
            rendered->setDevicePixelRatio(dpr);
            rendered->fill(Qt::transparent);
            {
                QPainter painter(rendered);
                painter.setRenderHint(QPainter::Antialiasing);
                paintTileFace(painter, QRectF(QPointF(0, 0), tile.size()), clip);
            }
            p.drawPixmap(tile.topLeft(), *rendered);
            faces().insert(key, rendered, pictureBudget::cost(qsizetype(pixels.width()) * pixels.height() * 4));
        } else {
            p.drawPixmap(tile.topLeft(), *face);
        }
    }

    if (clip.id == m_selected)
        shapes::strokeRoundedInside(p, tile, clipRadius, Palette::gold(), 1.5);
    else
        shapes::strokeRoundedInside(p, tile, clipRadius, Palette::hairline(), 1);
    // The ring goes just inside the outline, so a selected clip keeps its
    // gold edge while the keyboard stands on it.
    if (hasFocus() && m_ringShown && index == m_currentIndex && clip.id == m_current)
        FocusRing::paintRounded(p, tile.adjusted(ringInset, ringInset, -ringInset, -ringInset), clipRadius - ringInset);
}

void TimelineLanes::paintTileFace(QPainter& p, const QRectF& tile, const TimelineClip& clip)
{
    ArtThumb::paint(p, tile, clip.seed, artWidth, artHeight, clipRadius);

    p.save();
    p.setClipPath(shapes::roundedRect(tile, clipRadius), Qt::IntersectClip);
    QLinearGradient shade(QPointF(0, tile.center().y()), QPointF(0, tile.bottom()));
    shade.setColorAt(0, Qt::transparent);
    shade.setColorAt(1, Palette::black(level::strong));
    p.fillRect(QRectF(tile.left(), tile.center().y(), tile.width(), tile.height() / 2), shade);

    // The label and the length in a row along the bottom, clear of the ring.
    const QFontMetricsF labelMetrics(labelFont());
    const QFontMetricsF secondsMetrics(secondsFont());
    const qreal rowHeight = std::max(labelMetrics.height(), secondsMetrics.height());
    const QRectF row(tile.left() + rowPadding, tile.bottom() - rowPadding - rowHeight,
                     tile.width() - 2 * rowPadding, rowHeight);
    const QString seconds = rules::tileSecondsText(clip.seconds);
    const qreal secondsWidth = std::min(secondsMetrics.horizontalAdvance(seconds), row.width());
    p.setFont(secondsFont());
    p.setPen(Palette::white(level::strong));
    p.drawText(QRectF(row.right() - secondsWidth, row.top(), secondsWidth, row.height()),
               Qt::AlignRight | Qt::AlignVCenter, seconds);
    const qreal labelWidth = std::max<qreal>(0, row.width() - secondsWidth - rowSpacing);
    const QString label = labelMetrics.elidedText(text::displayPrefix(clip.label), Qt::ElideRight, labelWidth);
    p.setFont(labelFont());
    p.setPen(Palette::white(level::almost));
    p.drawText(QRectF(row.left(), row.top(), labelWidth, row.height()), Qt::AlignLeft | Qt::AlignVCenter, label);
    p.restore();
}

QVariant TimelineLanes::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query == Qt::ImCursorRectangle) {
        const QRectF tile = clipRect(m_current);
        if (!tile.isEmpty())
            return tile.toAlignedRect();
    }
    return QWidget::inputMethodQuery(query);
}

void TimelineLanes::walkTo(int index, bool reveal)
{
    if (m_timeline.isEmpty())
        return;
    index = std::clamp(index, 0, int(m_timeline.size()) - 1);
    const QRectF before = clipRect(m_current);
    m_current = m_timeline.at(index).id;
    m_currentIndex = index;
    if (!before.isEmpty())
        update(before.toAlignedRect());
    update(m_layout.clips.at(index).toAlignedRect());
    // Every page around the lanes shows the walked clip (the lanes tell it
    // as their caret).
    if (reveal)
        FocusInView::revealCaret(this);
    if (hasFocus())
        PaintedItemsAccessible::tellFocus(this, index);
}

void TimelineLanes::keyPressEvent(QKeyEvent* event)
{
    const int current = indexOf(m_current);
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (m_timeline.isEmpty() || !plain) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
        walkTo(current - 1);
        break;
    case Qt::Key_Right:
        walkTo(current + 1);
        break;
    case Qt::Key_Home:
        walkTo(0);
        break;
    case Qt::Key_End:
        walkTo(int(m_timeline.size()) - 1);
        break;
    default:
        // Space or Return taps the walked clip as a click does (a held key
        // taps it once, not on and off).
        if (KeyboardActivation::isActivationPress(*event)) {
            if (current >= 0)
                tap(m_current);
            break;
        }
        QWidget::keyPressEvent(event);
        return;
    }
    // The keyboard at work shows where it stands.
    if (!m_ringShown) {
        m_ringShown = true;
        if (const QRectF tile = clipRect(m_current); !tile.isEmpty())
            update(tile.toAlignedRect());
    }
    event->accept();
}

void TimelineLanes::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    // The ring shows for the keyboard, not for a click; a window or a menu
    // giving the focus back leaves it as it was.
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
        m_ringShown = reason != Qt::MouseFocusReason;
    // The keyboard comes back to the clip it left, else to the selected
    // clip, else to the first.
    int index = indexOf(m_current);
    if (index < 0)
        index = indexOf(m_selected);
    walkTo(std::max(index, 0), reason != Qt::MouseFocusReason);
}

void TimelineLanes::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    const QRectF tile = clipRect(m_current);
    if (!tile.isEmpty())
        update(tile.toAlignedRect());
}

void TimelineLanes::mousePressEvent(QMouseEvent* event)
{
    const int at = rules::clipIndexAt(m_layout, event->position());
    m_pressed = event->button() == Qt::LeftButton ? at : -1;
    // The keyboard goes straight to the clip clicked, which is in view
    // already: taking it, the lanes come to that clip first.
    if (at >= 0 && hasFocus()) {
        walkTo(at, false);
    } else if (at >= 0) {
        m_current = m_timeline.at(at).id;
        m_currentIndex = at;
        setFocus(Qt::MouseFocusReason);
    }
    event->accept();
}

void TimelineLanes::mouseReleaseEvent(QMouseEvent* event)
{
    // A tap: pressed and released on the same tile.
    const int pressed = std::exchange(m_pressed, -1);
    if (event->button() != Qt::LeftButton || pressed < 0)
        return;
    if (rules::clipIndexAt(m_layout, event->position()) != pressed)
        return;
    Q_EMIT clipTapped(m_timeline[pressed].id);
}


QAccessibleInterface* TimelineLanes::accessibleFor(QObject* object)
{
    return object == this ? new TimelineLanesAccessible(this) : nullptr;
}

} // namespace studio
