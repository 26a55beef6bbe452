#include "views/phases/storyboard/SceneRow.h"

#include "design/DestructiveAction.h"
#include "design/Palette.h"
#include "design/Shapes.h"
#include "design/Theme.h"
#include "design/Tokens.h"
#include "model/Text.h"

#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

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

} // namespace

SceneRow::SceneRow(const QUuid& sceneID, QWidget* parent)
    : QWidget(parent)
    , m_sceneID(sceneID)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setFocusPolicy(Qt::ClickFocus);
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
    m_number = number;
    m_selected = selected;
    m_slug = slug;
    m_detail = detail;
    m_lines = {};
    update();
}

const SceneRow::Lines& SceneRow::lines(int width) const
{
    // A row is painted again and again (hover, scrolling, selection); its
    // texts are measured once per width.
    if (m_lines.width != width || m_lines.slug.isNull()) {
        const qreal room = std::max(0, width - (padding + badge + spacing) - padding);
        m_lines = {width, elided(slugFont(), m_slug, room), elided(detailFont(), m_detail, room)};
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
    p.setPen(Qt::NoPen);
    p.setBrush(m_selected ? Palette::accent() : Palette::white(level::tint));
    p.drawEllipse(circle);
    p.setFont(badgeFont());
    p.setPen(m_selected ? Palette::buttonInk() : Palette::textTertiary());
    p.drawText(circle, Qt::AlignCenter, QString::number(m_number));

    const qreal left = padding + badge + spacing;
    const qreal room = std::max<qreal>(0, r.width() - left - padding);
    const int slugHeight = lineHeight(slugFont());
    const Lines& shown = lines(width());
    p.setFont(slugFont());
    p.setPen(Palette::textPrimary());
    p.drawText(QRectF(left, padding, room, slugHeight), Qt::AlignLeft | Qt::AlignTop, shown.slug);
    p.setFont(detailFont());
    p.setPen(Palette::textTertiary());
    p.drawText(QRectF(left, padding + slugHeight + lineGap, room, lineHeight(detailFont())),
               Qt::AlignLeft | Qt::AlignTop, shown.detail);
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
    menu->popup(event->reason() == QContextMenuEvent::Mouse ? event->globalPos()
                                                            : mapToGlobal(rect().center()));
}

} // namespace studio
