#include "views/phases/cast/GalleryCard.h"

#include "design/widgets/ArtThumb.h"
#include "design/access/ChoiceAccessible.h"
#include "design/focus/FocusRing.h"
#include "design/style/Palette.h"
#include "design/style/PictureBudget.h"
#include "design/style/Shapes.h"
#include "design/widgets/SpokenName.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Text.h"

#include <QCache>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

constexpr qreal radius = 14;
constexpr qreal pad = 10;
constexpr qreal lineGap = 2;
constexpr qreal badgeInset = 7;
constexpr qreal badgePadH = 6, badgePadV = 3;

struct Fonts {
    QFont name = Theme::font(type::control, QFont::DemiBold);
    QFont subtitle = Theme::font(type::label);
    QFont badge = Theme::font(type::caption2, QFont::DemiBold, 0.6);
};
const Fonts& fonts()
{
    static const Fonts f;
    return f;
}

// A text as one line of a card: line breaks read as spaces, and a name pasted
// from a whole document is cut before it is measured.
QString lineOf(const QString& s)
{
    QString line = text::displayPrefix(s);
    for (QChar& c : line) {
        if (c == u'\n' || c == u'\r' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = u' ';
    }
    return line;
}

// The seed as it goes into a picture's key: itself, or for a seed far longer
// than any the program makes (a hostile file's), its length and hash.
QString seedKey(const QString& seed)
{
    constexpr qsizetype longest = 64;
    if (seed.size() <= longest)
        return seed;
    return QString::number(seed.size()) + u'#' + QString::number(qHash(seed), 16);
}

// Finished card pictures, keyed by everything drawn into them, so a repaint (a
// scroll, the pane's edits showing through) is one copy instead of a clipped
// rescale of the art and fresh text. Bounded by their share of the process's
// pictures (design/style/PictureBudget.h), so a long scroll keeps only the pictures
// of the last screens.
QCache<QString, QPixmap>& pictures()
{
    static QCache<QString, QPixmap> cache(pictureBudget::galleryCards);
    return cache;
}

} // namespace

GalleryCard::GalleryCard(const QUuid& id, qreal artWidth, qreal artHeight, qreal pictureHeight, QWidget* parent)
    : QAbstractButton(parent)
    , m_id(id)
    , m_artWidth(artWidth)
    , m_artHeight(artHeight)
    , m_pictureHeight(pictureHeight)
{
    setAttribute(Qt::WA_TranslucentBackground);
    // A Tab stop that a click gives the keyboard too, ringed only for the
    // keyboard: keys typed after choosing another card never reach the
    // pane's fields, which show that card now.
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    connect(this, &QAbstractButton::clicked, this, [this] { Q_EMIT chosen(m_id); });
}

void GalleryCard::setFace(Face face)
{
    if (face == m_face)
        return;
    m_face = std::move(face);
    setSpokenName(this, lineOf(m_face.name));
    // The badge (painted in capitals) and the subtitle, read as words after
    // the name.
    QStringList words;
    for (const QString& part : {lineOf(m_face.badge), lineOf(m_face.subtitle)}) {
        if (!part.isEmpty())
            words << part;
    }
    const QString description = spokenName(words.join(u" · "_s));
    if (accessibleDescription() != description)
        setAccessibleDescription(description);
    update();
    tellChoiceChanged(this);
}

int GalleryCard::heightForWidth(int) const
{
    const qreal text = QFontMetricsF(fonts().name).height() + lineGap + QFontMetricsF(fonts().subtitle).height();
    return int(std::ceil(m_pictureHeight + 2 * pad + text));
}

QSize GalleryCard::sizeHint() const
{
    return QSize(180, heightForWidth(180));
}

QSize GalleryCard::minimumSizeHint() const
{
    return QSize(int(2 * pad), heightForWidth(0));
}

QPixmap GalleryCard::picture(const QSize& size, qreal dpr) const
{
    const QString key = seedKey(m_face.seed) + u'\x1f' + lineOf(m_face.badge) + u'\x1f' + lineOf(m_face.name) + u'\x1f'
        + lineOf(m_face.subtitle) + u'\x1f' + QString::number(m_artWidth) + u'x' + QString::number(m_artHeight)
        + u'/' + QString::number(m_pictureHeight) + u'|' + QString::number(size.width()) + u'x'
        + QString::number(size.height()) + u'@' + QString::number(dpr, 'f', 2);
    if (const QPixmap* found = pictures().object(key))
        return *found;
    QPixmap pixmap((QSizeF(size) * dpr).toSize());
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        paintPicture(painter, QSizeF(size));
    }
    pictures().insert(key, new QPixmap(pixmap), pictureBudget::cost(qsizetype(pixmap.width()) * pixmap.height() * 4));
    return pixmap;
}

void GalleryCard::paintPicture(QPainter& p, const QSizeF& size) const
{
    const Fonts& f = fonts();
    const QRectF card(QPointF(0, 0), size);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setClipPath(shapes::roundedRect(card, radius));
    p.fillRect(card, Palette::surface());
    const QRectF picture(0, 0, card.width(), m_pictureHeight);
    ArtThumb::paint(p, picture, m_face.seed, m_artWidth, m_artHeight);

    if (!m_face.badge.isEmpty()) {
        const QString badge = text::upper(lineOf(m_face.badge));
        const QFontMetricsF metrics(f.badge);
        const QSizeF box(metrics.horizontalAdvance(badge) + 2 * badgePadH, metrics.height() + 2 * badgePadV);
        const QRectF at(picture.right() - badgeInset - box.width(), picture.bottom() - badgeInset - box.height(),
                        box.width(), box.height());
        shapes::fillCapsule(p, at, Palette::black(level::soft));
        p.setFont(f.badge);
        p.setPen(Palette::white(level::nearFull));
        p.drawText(at, Qt::AlignCenter, badge);
    }

    const qreal width = std::max<qreal>(0, card.width() - 2 * pad);
    const QFontMetricsF nameMetrics(f.name), subtitleMetrics(f.subtitle);
    const QRectF nameRect(pad, m_pictureHeight + pad, width, nameMetrics.height());
    p.setFont(f.name);
    p.setPen(Palette::textPrimary());
    p.drawText(nameRect, Qt::AlignLeft | Qt::AlignVCenter,
               nameMetrics.elidedText(lineOf(m_face.name), Qt::ElideRight, width));
    const QRectF subtitleRect(pad, nameRect.bottom() + lineGap, width, subtitleMetrics.height());
    p.setFont(f.subtitle);
    p.setPen(Palette::textTertiary());
    p.drawText(subtitleRect, Qt::AlignLeft | Qt::AlignVCenter,
               subtitleMetrics.elidedText(lineOf(m_face.subtitle), Qt::ElideRight, width));
}

void GalleryCard::paintEvent(QPaintEvent*)
{
    const QRectF card = rect();
    if (card.isEmpty())
        return;
    QPainter p(this);
    // At the resolution of what is painted on (a screen, or an image twice
    // the size), so the copy is never scaled up.
    const qreal dpr = std::clamp(std::round(std::abs(p.deviceTransform().m11()) * 4.0) / 4.0, 1.0, 4.0);
    p.drawPixmap(QPointF(0, 0), picture(size(), dpr));
    if (m_face.selected)
        FocusRing::paintChosen(p, card, radius);
    if (hasFocus()) {
        p.setRenderHint(QPainter::Antialiasing, true);
        FocusRing::paintRounded(p, card, radius);
    }
}

} // namespace studio
