#include "views/home/ProjectPosterCard.h"

#include "design/widgets/ArtThumb.h"
#include "design/focus/FocusRing.h"
#include "design/style/Palette.h"
#include "design/style/PictureBudget.h"
#include "design/style/PointerHover.h"
#include "design/style/PlaceholderArt.h"
#include "design/widgets/ProgressRing.h"
#include "design/style/Shapes.h"
#include "design/style/SoftShadow.h"
#include "design/widgets/SpokenName.h"
#include "design/style/Spring.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Text.h"

#include <QCache>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QRegularExpression>
#include <QThreadPool>

#include <algorithm>
#include <array>
#include <cmath>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

// "3h 28m", "2h", "12 min" as a reader says them: "3 hours 28 minutes".
QString spokenRuntime(const QString& shown)
{
    static const QRegularExpression part(u"(\\d+)\\s*(h|m|min)\\b"_s);
    QStringList words;
    for (const QRegularExpressionMatch& m : part.globalMatch(shown)) {
        const QString n = m.captured(1);
        const bool hours = m.captured(2) == u"h";
        words << n + (hours ? (n == u"1" ? u" hour"_s : u" hours"_s) : (n == u"1" ? u" minute"_s : u" minutes"_s));
    }
    return words.isEmpty() ? shown : words.join(u' ');
}

// What the card shows besides its name, in words: the format (painted in
// capitals), the running time, the episodes and the phases ready.
QString spokenDetails(const ProjectPosterCard::Face& face)
{
    QStringList parts{face.format, spokenRuntime(face.runtime)};
    if (!face.episodes.isEmpty())
        parts << face.episodes.mid(2);
    parts << QString::number(face.completed) + u" of "_s + QString::number(face.total) + u" phases ready"_s;
    return parts.join(u" · "_s);
}


constexpr qreal pad = 13;           // around the poster's texts and the status row
constexpr qreal statusPadV = 11;
constexpr qreal ringSize = 20;
constexpr qreal ringLine = 2;
constexpr qreal ringGap = 7;
constexpr qreal artWidth = 600;
constexpr qreal artHeight = 380;
constexpr qreal restShadowOpacity = 0.2, hoverShadowOpacity = 0.45;
constexpr qreal restShadowBlur = 8, hoverShadowBlur = 18;
constexpr qreal shadowY = 6;
constexpr qreal hoverScale = 1.015;

struct Fonts {
    QFont name = Theme::font(type::title, QFont::Bold);
    QFont badge = Theme::font(type::footnote2, QFont::DemiBold, 0.8);
    QFont detail = Theme::font(type::small);
    QFont count = Theme::font(type::small, QFont::Medium);
};
const Fonts& fonts()
{
    static const Fonts f;
    return f;
}

// Finished card pictures, keyed by everything drawn into them. Bounded by
// their share of the process's pictures (design/style/PictureBudget.h), so
// scrolling through a large library keeps only the pictures of the last few
// screens.
QCache<QString, QPixmap>& pictures()
{
    static QCache<QString, QPixmap> cache(pictureBudget::posterCards);
    return cache;
}

} // namespace

ProjectPosterCard::Face ProjectPosterCard::Face::of(const Project& project)
{
    Face f;
    f.posterSeed = project.posterSeed;
    f.name = text::displayPrefix(project.name); // all a card can show, and all it shapes
    f.format = title(project.format);
    f.badge = text::upper(f.format);
    f.runtime = project.runtimeLabel();
    if (isEpisodic(project.format)) {
        const qsizetype n = project.episodes.size();
        f.episodes = u"· "_s + QString::number(n) + u' ' + episodeNoun(project.format).toLower()
            + (n == 1 ? QString() : u"s"_s);
    }
    f.completed = project.completedPhases.size();
    f.total = allCases<PhaseID>().size();
    f.modifiedAt = project.modifiedAt;
    return f;
}

QString ProjectPosterCard::Face::phaseCount() const
{
    return QString::number(completed) + u'/' + QString::number(total);
}

QString ProjectPosterCard::relativeText(double elapsed)
{
    struct Unit {
        double seconds;
        const char* one;
        const char* many;
    };
    static constexpr std::array<Unit, 7> units = {{
        {365.0 * 86400, "year", "years"},
        {365.0 / 12.0 * 86400, "month", "months"}, // a twelfth of the year, so 364 days are 11 months
        {7.0 * 86400, "week", "weeks"},
        {86400, "day", "days"},
        {3600, "hour", "hours"},
        {60, "minute", "minutes"},
        {1, "second", "seconds"},
    }};
    for (const Unit& unit : units) {
        const std::int64_t count = text::saturatingInt64(elapsed / unit.seconds);
        if (count >= 1 || &unit == &units.back()) {
            const std::int64_t shown = std::max<std::int64_t>(count, 0);
            return QString::number(shown) + u' ' + QLatin1StringView(shown == 1 ? unit.one : unit.many)
                + u" ago"_s;
        }
    }
    return QString();
}

QString ProjectPosterCard::editedLabel(const Date& modifiedAt, const Date& now)
{
    const double elapsed = now.secondsSinceReference() - modifiedAt.secondsSinceReference();
    // Also a date in the future (a clock set back) and a time that is no
    // number at all.
    if (!(elapsed >= 90) || !std::isfinite(elapsed))
        return u"Edited just now"_s;
    return u"Edited "_s + relativeText(elapsed);
}

ProjectPosterCard::ProjectPosterCard(const Project& project, QWidget* parent)
    : QAbstractButton(parent)
    , m_id(project.id)
    , m_face(Face::of(project))
{
    setAttribute(Qt::WA_TranslucentBackground);
    // Reached with Tab; a click leaves the focus where it was.
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setSpokenName(this, m_face.name);
    setAccessibleDescription(spokenDetails(m_face));
    // A card that the grid moves under a still pointer (or away from it)
    // follows the pointer, not only its enter and leave.
    connect(new PointerHover(this), &PointerHover::changed, this, &ProjectPosterCard::setHovering);
}

void ProjectPosterCard::setProject(const Project& project)
{
    m_id = project.id;
    Face next = Face::of(project);
    if (next == m_face)
        return;
    m_face = std::move(next);
    setSpokenName(this, m_face.name);
    if (const QString details = spokenDetails(m_face); accessibleDescription() != details)
        setAccessibleDescription(details);
    update();
}

void ProjectPosterCard::setClock(Clock clock)
{
    m_clock = std::move(clock);
    update();
}

QString ProjectPosterCard::editedText() const
{
    return editedLabel(m_face.modifiedAt, m_clock ? m_clock() : Date::now());
}

qreal ProjectPosterCard::statusHeight() const
{
    // The same for every card: the layout asks each of them, often, and a
    // library holds hundreds.
    static const qreal height = [] {
        const qreal text = std::max(QFontMetricsF(fonts().detail).height(), QFontMetricsF(fonts().count).height());
        return 2 * statusPadV + std::max(ringSize, std::ceil(text));
    }();
    return height;
}

int ProjectPosterCard::heightForWidth(int) const
{
    return int(std::ceil(posterHeight + statusHeight())) + 2 * cellMargin;
}

QSize ProjectPosterCard::sizeHint() const
{
    return QSize(300 + 2 * cellMargin, heightForWidth(300));
}

QSize ProjectPosterCard::minimumSizeHint() const
{
    return QSize(2 * cellMargin + 2 * int(pad), heightForWidth(0));
}

QRectF ProjectPosterCard::cardRect() const
{
    return QRectF(rect()).adjusted(cellMargin, cellMargin, -cellMargin, -cellMargin);
}

qreal ProjectPosterCard::hoverAmount() const
{
    return m_hover ? std::clamp<qreal>(m_hover->value(), 0.0, 1.0) : (m_hovering ? 1.0 : 0.0);
}

void ProjectPosterCard::setHovering(bool hovering)
{
    if (hovering == m_hovering)
        return;
    m_hovering = hovering;
    if (!m_hover) {
        m_hover = new Spring(0.3, 0.8, this);
        connect(m_hover, &Spring::valueChanged, this, [this] {
            update();
            Q_EMIT hoverAmountChanged();
        });
    }
    m_hover->setTarget(hovering ? 1.0 : 0.0);
}

qreal ProjectPosterCard::shadowReach()
{
    return SoftShadow::reach(hoverShadowBlur) + shadowY + 4;
}

void ProjectPosterCard::paintShadow(QPainter& p, const QRectF& card) const
{
    const qreal t = hoverAmount();
    const qreal scale = 1.0 + (hoverScale - 1.0) * t;
    p.save();
    // The shadow is rendered for the card at rest and scaled with it, so the
    // hover animation reuses the same two pictures.
    p.translate(card.center());
    p.scale(scale, scale);
    p.translate(-card.center());
    if (t < 1.0)
        SoftShadow::paint(p, card, radius, Palette::black(restShadowOpacity * (1.0 - t)), restShadowBlur,
                          QPointF(0, shadowY));
    if (t > 0.0)
        SoftShadow::paint(p, card, radius, Palette::black(hoverShadowOpacity * t), hoverShadowBlur,
                          QPointF(0, shadowY));
    p.restore();
}

void ProjectPosterCard::paintPicture(QPainter& p, const QSizeF& size) const
{
    const Fonts& f = fonts();
    const QRectF whole(QPointF(0, 0), size);
    const QRectF poster(0, 0, size.width(), posterHeight);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.save();
    p.setClipPath(shapes::roundedRect(whole, radius));
    p.fillRect(whole, Palette::surface());

    ArtThumb::paint(p, poster, m_face.posterSeed, artWidth, artHeight);
    QLinearGradient shade(0, posterHeight / 2.0, 0, posterHeight);
    shade.setColorAt(0, Palette::black(level::none));
    shade.setColorAt(1, Palette::black(level::vivid));
    p.fillRect(QRectF(0, posterHeight / 2.0, size.width(), posterHeight / 2.0), shade);

    // Name over the badge row, both at the poster's bottom-left.
    const QFontMetricsF nameMetrics(f.name), badgeMetrics(f.badge), detailMetrics(f.detail);
    const qreal inner = std::max<qreal>(0, size.width() - 2 * pad);
    const qreal badgeHeight = badgeMetrics.height() + 6;
    const qreal rowHeight = std::max(badgeHeight, detailMetrics.height());
    const qreal rowTop = posterHeight - pad - rowHeight;
    const qreal nameTop = rowTop - 5 - nameMetrics.height();
    p.setFont(f.name);
    p.setPen(Qt::white);
    p.drawText(QRectF(pad, nameTop, inner, nameMetrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
               nameMetrics.elidedText(m_face.name, Qt::ElideRight, inner));

    qreal x = pad;
    const qreal badgeWidth = badgeMetrics.horizontalAdvance(m_face.badge) + 14;
    const QRectF badge(x, rowTop + (rowHeight - badgeHeight) / 2.0, badgeWidth, badgeHeight);
    shapes::fillCapsule(p, badge, Palette::white(level::edgeStrong));
    p.setFont(f.badge);
    p.setPen(Palette::white(level::intense));
    p.drawText(badge, Qt::AlignCenter, m_face.badge);
    x = badge.right() + 6;
    p.setFont(f.detail);
    p.setPen(Palette::white(level::medium));
    for (const QString& piece : {m_face.runtime, m_face.episodes}) {
        if (piece.isEmpty())
            continue;
        const qreal w = detailMetrics.horizontalAdvance(piece);
        p.drawText(QRectF(x, rowTop, w + 1, rowHeight), Qt::AlignLeft | Qt::AlignVCenter, piece);
        x += w + 6;
    }

    // Phase progress at the right end of the status row.
    const QFontMetricsF countMetrics(f.count);
    const QString count = m_face.phaseCount();
    const qreal countWidth = countMetrics.horizontalAdvance(count);
    const qreal rowMid = posterHeight + (size.height() - posterHeight) / 2.0;
    const qreal countLeft = size.width() - pad - countWidth;
    p.setFont(f.count);
    p.setPen(Palette::textSecondary());
    p.drawText(QRectF(countLeft, rowMid - countMetrics.height() / 2.0, countWidth + 1, countMetrics.height()),
               Qt::AlignLeft | Qt::AlignVCenter, count);
    const double fraction = m_face.total > 0 ? double(m_face.completed) / double(m_face.total) : 0.0;
    ProgressRing::paint(p, QRectF(countLeft - ringGap - ringSize, rowMid - ringSize / 2.0, ringSize, ringSize),
                        fraction, ringLine);
    p.restore();

    shapes::strokeRoundedInside(p, whole, radius, Palette::hairline(), 1.0);
}

QPixmap ProjectPosterCard::picture(const QSize& size, qreal dpr) const
{
    const QString key = m_face.posterSeed + u'\x1f' + m_face.name + u'\x1f' + m_face.badge + u'\x1f'
        + m_face.runtime + u'\x1f' + m_face.episodes + u'\x1f' + m_face.phaseCount() + u'\x1f'
        + QString::number(size.width()) + u'x' + QString::number(size.height()) + u'@'
        + QString::number(dpr, 'f', 2);
    if (const QPixmap* found = pictures().object(key))
        return *found;
    QPixmap pixmap((QSizeF(size) * dpr).toSize());
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    {
        QPainter p(&pixmap);
        paintPicture(p, QSizeF(size));
    }
    pictures().insert(key, new QPixmap(pixmap), pictureBudget::cost(qsizetype(pixmap.width()) * pixmap.height() * 4));
    return pixmap;
}

void ProjectPosterCard::composeArtAhead(const QStringList& seeds, qreal devicePixelRatio)
{
    // At the resolution picture() will ask for: the card's own ratio in
    // quarter steps, which the poster art rounds up to half steps.
    const qreal card = std::clamp(std::round(devicePixelRatio * 4.0) / 4.0, 1.0, 4.0);
    const qreal ratio = std::clamp(std::ceil(card * 2.0 - 1e-6) / 2.0, 1.0, 4.0);
    for (const QString& seed : seeds)
        QThreadPool::globalInstance()->start([seed, ratio] { PlaceholderArt::image(seed, artWidth, artHeight, ratio); });
}

void ProjectPosterCard::clearPictureCache()
{
    pictures().clear();
}

void ProjectPosterCard::paintEvent(QPaintEvent*)
{
    const QRectF card = cardRect();
    if (card.isEmpty())
        return;
    QPainter p(this);
    const qreal t = hoverAmount();
    if (t > 0) {
        const qreal scale = 1.0 + (hoverScale - 1.0) * t;
        p.translate(card.center());
        p.scale(scale, scale);
        p.translate(-card.center());
    }
    const QSize size = card.size().toSize();
    if (t > 0) {
        // Scaled, the picture is drawn afresh so its text stays sharp; only
        // the card under the pointer pays for it.
        p.save();
        p.translate(card.topLeft());
        paintPicture(p, QSizeF(size));
        p.restore();
    } else {
        // At the resolution of what is painted on (a screen, or an image twice
        // the size), so the copy is never scaled up.
        // (The device's own ratio is not enough: rendering into an image may
        // pass through a device of ratio 1 with a scale.)
        const qreal dpr = std::clamp(std::round(std::abs(p.deviceTransform().m11()) * 4.0) / 4.0, 1.0, 4.0);
        p.drawPixmap(card.topLeft(), picture(size, dpr));
    }

    // The edit time is worked out at every drawing, so it advances whenever
    // the card is redrawn.
    const Fonts& f = fonts();
    const QFontMetricsF metrics(f.detail);
    const qreal countRoom = QFontMetricsF(f.count).horizontalAdvance(m_face.phaseCount()) + ringGap + ringSize;
    const qreal available = std::max<qreal>(0, card.width() - 2 * pad - countRoom - 8);
    const QRectF status(card.left() + pad, card.top() + posterHeight, available, card.height() - posterHeight);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setFont(f.detail);
    p.setPen(Palette::textTertiary());
    p.drawText(status, Qt::AlignLeft | Qt::AlignVCenter, metrics.elidedText(editedText(), Qt::ElideRight, available));
    if (hasFocus())
        FocusRing::paintRounded(p, card, radius);
}

void ProjectPosterCard::contextMenuEvent(QContextMenuEvent* event)
{
    // Asked for from the keyboard, the menu opens on the card, wherever the
    // pointer happens to be.
    const QPoint at = event->reason() == QContextMenuEvent::Mouse ? event->globalPos()
                                                                  : mapToGlobal(cardRect().center().toPoint());
    Q_EMIT contextMenuRequested(m_id, at);
    event->accept();
}

bool ProjectPosterCard::hitButton(const QPoint& pos) const
{
    return cardRect().contains(pos);
}

} // namespace studio
