#include "views/phases/storyboard/SceneRow.h"

#include "design/widgets/DestructiveAction.h"
#include "design/focus/FocusRing.h"
#include "design/focus/KeyboardActivation.h"
#include "design/style/Palette.h"
#include "design/style/PictureBudget.h"
#include "design/access/ChoiceAccessible.h"
#include "design/style/Shapes.h"
#include "design/widgets/SpokenName.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Text.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QCache>
#include <QImage>

#include <bit>
#include <cmath>

using namespace Qt::StringLiterals;

namespace studio {

namespace {
constexpr int padding = 8;
constexpr int badge = 22;
constexpr int spacing = 9;
constexpr int lineGap = 2;
constexpr qreal radius = 10;

const QFont& slugFont()
{
    static const QFont font = Theme::font(type::callout, QFont::DemiBold);
    return font;
}

const QFont& detailFont()
{
    static const QFont font = Theme::font(type::footnote);
    return font;
}

const QFont& badgeFont()
{
    static const QFont font = Theme::font(type::body, QFont::Bold);
    return font;
}

int lineHeight(const QFont& font)
{
    return int(std::ceil(QFontMetricsF(font).height()));
}

// One line of text, elided at the end to the width it has.
QString elided(const QFont& font, const QString& text, qreal width)
{
    const QString line = text::displayPrefix(text).replace(u'\n', u' ');
    return QFontMetricsF(font).elidedText(line, Qt::ElideRight, width);
}

// The badge's disc, painted once per colour, pixel ratio and the fraction of
// a pixel it sits at: an antialiased disc drawn as a path is handed by the
// raster engine to its thread pool, for far more than its pixels cost. The
// few variants a process meets are kept, within their share of the process's
// pictures (design/style/PictureBudget.h). The disc carries its ratio, so the
// ratio is keyed exactly.
QImage badgeDisc(const QColor& color, qreal ratio, const QPointF& fraction)
{
    static QCache<QByteArray, QImage> discs(pictureBudget::badgeDiscs);
    const qint64 parts[] = {qint64(color.rgba64()), std::bit_cast<qint64>(ratio),
                            qint64(std::llround(fraction.x() * 256)), qint64(std::llround(fraction.y() * 256))};
    const QByteArray key(reinterpret_cast<const char*>(parts), sizeof parts);
    if (const QImage* found = discs.object(key))
        return *found;
    const int side = int(std::ceil(badge * ratio + 1));
    QImage disc(side, side, QImage::Format_ARGB32_Premultiplied);
    disc.fill(Qt::transparent);
    {
        QPainter p(&disc);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        p.drawEllipse(QRectF(fraction, QSizeF(badge * ratio, badge * ratio)));
    }
    disc.setDevicePixelRatio(ratio);
    discs.insert(key, new QImage(disc), pictureBudget::cost(disc.sizeInBytes()));
    return disc;
}

void drawBadgeDisc(QPainter& p, const QRectF& circle, const QColor& color)
{
    const QTransform t = p.deviceTransform();
    if (t.type() > QTransform::TxScale || t.m11() != t.m22() || !(t.m11() > 0)
        || p.compositionMode() != QPainter::CompositionMode_SourceOver) {
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        p.drawEllipse(circle);
        return;
    }
    const qreal ratio = t.m11();
    const QPointF device = t.map(circle.topLeft());
    const QPointF origin(std::floor(device.x()), std::floor(device.y()));
    p.drawImage(t.inverted().map(origin), badgeDisc(color, ratio, device - origin));
}

void prepare(QStaticText& text, const QString& line, const QFont& font)
{
    text.setText(line);
    text.setTextFormat(Qt::PlainText);
    text.setPerformanceHint(QStaticText::AggressiveCaching);
    text.prepare(QTransform(), font);
}

} // namespace

SceneRow::SceneRow(const QUuid& sceneID, QWidget* parent)
    : QWidget(parent)
    , m_sceneID(sceneID)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setFocusPolicy(Qt::StrongFocus);
}

QSize SceneRow::sizeHint() const
{
    const int text = lineHeight(slugFont()) + lineGap + lineHeight(detailFont());
    return {padding + badge + spacing + padding, std::max(badge, text) + 2 * padding};
}

QSize SceneRow::minimumSizeHint() const
{
    return sizeHint();
}

void SceneRow::setContent(int number, const QString& slug, const QString& detail, bool selected)
{
    if (number == m_number && selected == m_selected && slug == m_slug && detail == m_detail)
        return;
    const bool selectionChanged = selected != m_selected;
    m_number = number;
    m_selected = selected;
    m_slug = slug;
    m_detail = detail;
    m_lines = {};
    // Read out as the row shows it: number, heading line, shots and length.
    setSpokenName(this, QString::number(number) + u". "_s + spokenName(slug) + u", "_s + detail);
    if (selectionChanged)
        tellChoiceChanged(this);
    update();
}

const SceneRow::Lines& SceneRow::lines(int width) const
{
    // A row is painted again and again (hover, scrolling, selection); its
    // texts are measured once per width.
    if (m_lines.width != width || m_lines.slug.isNull()) {
        const qreal room = std::max(0, width - (padding + badge + spacing) - padding);
        m_lines = {width, elided(slugFont(), m_slug, room), elided(detailFont(), m_detail, room), {}, {}};
        prepare(m_lines.slugText, m_lines.slug, slugFont());
        prepare(m_lines.detailText, m_lines.detail, detailFont());
    }
    return m_lines;
}

void SceneRow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    const QRectF r = rect();
    if (m_selected) {
        shapes::fillRounded(p, r, radius, Palette::surfaceHigh());
        shapes::strokeRoundedInside(p, r, radius, Palette::hairlineStrong(), 1.0);
    }
    const QRectF circle(padding, (r.height() - badge) / 2.0, badge, badge);
    drawBadgeDisc(p, circle, m_selected ? Palette::accent() : Palette::white(level::tint));
    p.setFont(badgeFont());
    p.setPen(m_selected ? Palette::buttonInk() : Palette::textTertiary());
    p.drawText(circle, Qt::AlignCenter, QString::number(m_number));

    // Both lines are laid out once per text and width, then drawn as they are.
    const qreal left = padding + badge + spacing;
    const int slugHeight = lineHeight(slugFont());
    const Lines& shown = lines(width());
    p.setFont(slugFont());
    p.setPen(Palette::textPrimary());
    p.drawStaticText(QPointF(left, padding), shown.slugText);
    p.setFont(detailFont());
    p.setPen(Palette::textTertiary());
    p.drawStaticText(QPointF(left, padding + slugHeight + lineGap), shown.detailText);
    if (hasFocus())
        FocusRing::paintRounded(p, r, radius);
}

void SceneRow::keyPressEvent(QKeyEvent* event)
{
    // Space and Return select the scene as a click does.
    if (KeyboardActivation::isActivationPress(*event))
        Q_EMIT clicked(m_sceneID);
    else
        QWidget::keyPressEvent(event);
}

void SceneRow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT clicked(m_sceneID);
    QWidget::mousePressEvent(event);
}

void SceneRow::contextMenuEvent(QContextMenuEvent* event)
{
    const QUuid id = m_sceneID;
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    connect(menu->addAction(u"Move up"_s), &QAction::triggered, this, [this, id] { Q_EMIT moveRequested(id, -1); });
    connect(menu->addAction(u"Move down"_s), &QAction::triggered, this, [this, id] { Q_EMIT moveRequested(id, 1); });
    menu->addSeparator();
    connect(addDestructiveAction(menu, u"Delete scene"_s), &QAction::triggered, this,
            [this, id] { Q_EMIT deleteRequested(id); });
    // From the keyboard (the Menu key, Shift+F10) the menu opens over the row.
    menu->popup(event->reason() == QContextMenuEvent::Mouse ? event->globalPos()
                                                            : mapToGlobal(rect().center()));
}


// Read out as an item of the scene list, selected while its scene is.
QAccessibleInterface* SceneRow::accessibleFor(QObject* object)
{
    if (object != this)
        return nullptr;
    return new ChoiceAccessible(this, ChoiceAccessible::Kind::item, [this] { return isSelected(); });
}

} // namespace studio
