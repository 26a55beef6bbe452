#include "views/phases/storyboard/ShotTiles.h"

#include "design/widgets/BusyIndicator.h"
#include "design/focus/FocusRing.h"
#include "design/style/Palette.h"
#include "design/style/Shapes.h"
#include "design/style/Symbols.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/CraftKits.h"
#include "model/ShotRecipe.h"

#include <QFontMetricsF>
#include <QMenu>
#include <QPainter>

#include <cmath>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

constexpr qreal radius = 13;
constexpr qreal tileIconSize = 18;
constexpr qreal labelSpacing = 8;

struct TileLook {
    QString icon;
    QColor ink;     // icon and title
    QString title;
    QString caption;
    QColor fill;
    QColor outline;
    bool dashed;
};

TileLook look(ShotTile::Kind kind)
{
    switch (kind) {
    case ShotTile::Kind::add:
        return {u"plus.viewfinder"_s, Palette::textTertiary(), u"Add shot"_s, QString(), Palette::white(level::trace),
                Palette::hairline(), true};
    case ShotTile::Kind::recipe:
        return {u"wand.and.stars"_s, Palette::gold(), u"Recipe shot"_s, u"Signature shots from the masters"_s,
                Palette::withOpacity(Palette::gold(), 0.04), Palette::withOpacity(Palette::gold(), 0.30), true};
    case ShotTile::Kind::coverage:
        return {u"square.stack.3d.down.right.fill"_s, Palette::accentDeep(), u"Coverage pack"_s,
                u"How directors actually shoot a scene"_s, Palette::white(level::whisper), Palette::hairlineStrong(), true};
    case ShotTile::Kind::ai:
        break;
    }
    return {u"sparkles"_s, Palette::gold(), u"AI shot list"_s, u"Kimi plans coverage for this scene"_s,
            Palette::withOpacity(Palette::gold(), 0.05), Palette::withOpacity(Palette::gold(), 0.35), false};
}

const QFont& titleFont()
{
    static const QFont f = Theme::font(type::callout, QFont::Medium);
    return f;
}

const QFont& captionFont()
{
    static const QFont f = Theme::font(type::footnote2);
    return f;
}

qreal labelHeight(bool hasCaption)
{
    qreal h = Symbols::boxSize(tileIconSize) + labelSpacing + QFontMetricsF(titleFont()).height();
    if (hasCaption)
        h += labelSpacing + QFontMetricsF(captionFont()).height();
    return h;
}

} // namespace

ShotTile::ShotTile(Kind kind, QWidget* parent)
    : QAbstractButton(parent)
    , m_kind(kind)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setAccessibleName(title());
    if (kind == Kind::ai) {
        m_spinner = new BusyIndicator(tileIconSize, this);
        m_spinner->hide();
    }
}

QString ShotTile::title() const
{
    if (m_kind == Kind::ai && m_busy)
        return u"Thinking…"_s;
    return look(m_kind).title;
}

void ShotTile::setBusy(bool busy)
{
    if (m_kind != Kind::ai || busy == m_busy)
        return;
    m_busy = busy;
    setEnabled(!busy);
    m_spinner->setVisible(busy);
    placeSpinner();
    setAccessibleName(title());
    update();
}

void ShotTile::setMinimumTileHeight(int height)
{
    if (height == m_minimumHeight)
        return;
    m_minimumHeight = height;
    updateGeometry();
}

QSize ShotTile::sizeHint() const
{
    const QFontMetricsF caption(captionFont());
    const int width = int(std::ceil(std::max(QFontMetricsF(titleFont()).horizontalAdvance(look(m_kind).title),
                                             caption.horizontalAdvance(look(m_kind).caption))))
        + 24;
    const int height = std::max(m_minimumHeight, int(std::ceil(labelHeight(!look(m_kind).caption.isEmpty()))) + 24);
    return QSize(width, height);
}

QSize ShotTile::minimumSizeHint() const
{
    return QSize(0, m_minimumHeight);
}

void ShotTile::resizeEvent(QResizeEvent* event)
{
    QAbstractButton::resizeEvent(event);
    placeSpinner();
}

void ShotTile::placeSpinner()
{
    if (!m_spinner)
        return;
    const TileLook l = look(m_kind);
    const qreal top = (height() - labelHeight(!l.caption.isEmpty())) / 2.0;
    const qreal box = Symbols::boxSize(tileIconSize);
    m_spinner->move(int(std::round(width() / 2.0 - m_spinner->width() / 2.0)),
                    int(std::round(top + box / 2.0 - m_spinner->height() / 2.0)));
}

void ShotTile::paintEvent(QPaintEvent*)
{
    const TileLook l = look(m_kind);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF r = rect();
    shapes::fillRounded(p, r, radius, l.fill);
    if (l.dashed)
        shapes::strokeDashedRoundedInside(p, r, radius, l.outline, 1.0, 5, 4);
    else
        shapes::strokeRoundedInside(p, r, radius, l.outline, 1.0);
    if (hasFocus())
        FocusRing::paintRounded(p, r, radius);
    if (isDown())
        p.setOpacity(0.7);

    const QFontMetricsF tfm(titleFont()), cfm(captionFont());
    const qreal box = Symbols::boxSize(tileIconSize);
    qreal y = (r.height() - labelHeight(!l.caption.isEmpty())) / 2.0;
    if (!m_busy)
        Symbols::paint(p, QRectF(0, y, r.width(), box), l.icon, l.ink, tileIconSize, QFont::Light);
    y += box + labelSpacing;
    const qreal textWidth = std::max<qreal>(0, r.width() - 16);
    const QString shownTitle = tfm.elidedText(title(), Qt::ElideRight, textWidth);
    p.setFont(titleFont());
    p.setPen(l.ink);
    p.drawText(QPointF((r.width() - tfm.horizontalAdvance(shownTitle)) / 2.0, y + tfm.ascent()), shownTitle);
    if (!l.caption.isEmpty()) {
        y += tfm.height() + labelSpacing;
        const QString shownCaption = cfm.elidedText(l.caption, Qt::ElideRight, textWidth);
        p.setFont(captionFont());
        p.setPen(Palette::textTertiary());
        p.drawText(QPointF((r.width() - cfm.horizontalAdvance(shownCaption)) / 2.0, y + cfm.ascent()), shownCaption);
    }
}

ShotTiles::ShotTiles(QWidget* parent)
    : QObject(parent)
{
    for (ShotTile::Kind kind : {ShotTile::Kind::add, ShotTile::Kind::recipe, ShotTile::Kind::coverage,
                                ShotTile::Kind::ai}) {
        auto* tile = new ShotTile(kind, parent);
        m_tiles << tile;
        connect(tile, &QAbstractButton::clicked, this, [this, tile] {
            switch (tile->kind()) {
            case ShotTile::Kind::add:
                Q_EMIT addShotRequested();
                break;
            case ShotTile::Kind::ai:
                Q_EMIT aiShotListRequested();
                break;
            case ShotTile::Kind::recipe:
            case ShotTile::Kind::coverage:
                openMenu(tile);
                break;
            }
        });
    }
}

void ShotTiles::setBusy(bool busy)
{
    tile(ShotTile::Kind::ai)->setBusy(busy);
}

void ShotTiles::setMinimumTileHeight(int height)
{
    for (ShotTile* tile : std::as_const(m_tiles))
        tile->setMinimumTileHeight(height);
}

void ShotTiles::fillRecipeMenu(QMenu& menu, QObject* receiver, const std::function<void(const QString&)>& picked)
{
    for (const ShotRecipe& recipe : ShotRecipe::catalog()) {
        QAction* action = menu.addAction(Theme::escapeMnemonic(recipe.name + u" — after "_s + recipe.inspiredBy));
        QObject::connect(action, &QAction::triggered, receiver, [picked, id = recipe.id] { picked(id); });
    }
}

void ShotTiles::fillCoverageMenu(QMenu& menu, QObject* receiver, const std::function<void(const QString&)>& picked)
{
    for (const CoveragePack& pack : CoveragePack::catalog()) {
        QAction* action = menu.addAction(Theme::escapeMnemonic(pack.name + u" ("_s
                                                               + QString::number(pack.shots.size()) + u" shots) — "_s
                                                               + pack.blurb));
        QObject::connect(action, &QAction::triggered, receiver, [picked, id = pack.id] { picked(id); });
    }
}

void ShotTiles::openMenu(ShotTile* tile)
{
    auto* menu = new QMenu(tile);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (tile->kind() == ShotTile::Kind::recipe)
        fillRecipeMenu(*menu, this, [this](const QString& id) { Q_EMIT recipeShotRequested(id); });
    else
        fillCoverageMenu(*menu, this, [this](const QString& id) { Q_EMIT coverageRequested(id); });
    menu->popup(tile->mapToGlobal(QPoint(0, tile->height())));
}

} // namespace studio
