#include "design/style/Symbols.h"

#include <QFile>
#include <QFontDatabase>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>

#include <algorithm>
#include <cmath>

namespace studio {

const QList<Symbols::Entry>& Symbols::table()
{
    // Platform name, Material glyph name, code point. Where the platform has an
    // outlined and a filled form and Material only one, both map to it.
    static const QList<Entry> entries = [] {
        QList<Entry> list = {
        {"archivebox.fill", "archive", 0xe149},
        {"arrow.down.circle", "arrow_circle_down", 0xf181},
        {"arrow.down.circle.fill", "circle", 0xef4a},
        {"arrow.down.right.square", "input", 0xe890},
        {"arrow.left", "arrow_back", 0xe5c4},
        {"arrow.right", "arrow_forward", 0xe5c8},
        {"arrow.right.square", "exit_to_app", 0xe879},
        {"arrow.triangle.2.circlepath", "autorenew", 0xe863},
        {"arrow.up.circle.fill", "circle", 0xef4a},
        {"bolt.fill", "bolt", 0xea0b},
        {"building.2", "apartment", 0xea40},
        {"camera.filters", "camera", 0xe3af},
        {"checkmark", "check", 0xe5ca},
        {"checkmark.circle.fill", "check_circle", 0xe86c},
        {"checkmark.seal", "task_alt", 0xe2e6},
        {"checkmark.seal.fill", "verified", 0xef76},
        {"checkmark.square.fill", "check_box", 0xe834},
        {"chevron.down", "expand_more", 0xe5cf},
        {"circle", "radio_button_unchecked", 0xe836},
        {"circle.dashed", "pending", 0xef64},
        {"clock", "schedule", 0xe8b5},
        {"cpu", "memory", 0xe322},
        {"cpu.fill", "memory", 0xe322},
        {"doc.text", "article", 0xef42},
        {"doc.text.fill", "description", 0xe873},
        {"ellipsis", "more_horiz", 0xe5d3},
        {"exclamationmark.triangle.fill", "warning", 0xe002},
        {"eye.fill", "visibility", 0xe8f4},
        {"figure.walk", "directions_walk", 0xe536},
        {"film", "theaters", 0xe8da},
        {"film.fill", "movie", 0xe02c},
        {"film.stack", "video_library", 0xe04a},
        {"film.stack.fill", "video_library", 0xe04a},
        {"folder.fill", "folder", 0xe2c7},
        {"gearshape", "settings", 0xe8b8},
        {"gearshape.fill", "settings", 0xe8b8},
        {"globe", "public", 0xe80b},
        {"heart.fill", "favorite", 0xe87d},
        {"heart.text.square", "psychology", 0xea4a},
        {"heart.text.square.fill", "psychology", 0xea4a},
        {"house.fill", "home", 0xe88a},
        {"lightbulb.fill", "lightbulb", 0xe0f0},
        {"link", "link", 0xe157},
        {"lock.shield", "security", 0xe32a},
        {"lock.shield.fill", "security", 0xe32a},
        {"map", "map", 0xe55b},
        {"map.fill", "map", 0xe55b},
        {"mappin.circle.fill", "location_on", 0xe0c8},
        {"minus.circle", "remove_circle_outline", 0xe15d},
        {"minus.magnifyingglass", "zoom_out", 0xe900},
        {"music.note", "music_note", 0xe405},
        {"newspaper", "newspaper", 0xeb81},
        {"paperclip", "attach_file", 0xe226},
        {"parentheses", "data_object", 0xead3},
        {"person.2", "people", 0xe7fb},
        {"person.2.fill", "people", 0xe7fb},
        {"person.badge.plus", "person_add", 0xe7fe},
        {"person.crop.rectangle", "account_box", 0xe851},
        {"person.fill", "person", 0xe7fd},
        {"photo.on.rectangle.angled", "photo_library", 0xe413},
        {"play.fill", "play_arrow", 0xe037},
        {"play.rectangle.fill", "smart_display", 0xf06a},
        {"plus", "add", 0xe145},
        {"plus.magnifyingglass", "zoom_in", 0xe8ff},
        {"plus.viewfinder", "add_a_photo", 0xe439},
        {"questionmark.bubble.fill", "contact_support", 0xe94c},
        {"quote.opening", "format_quote", 0xe244},
        {"rectangle.on.rectangle", "filter_none", 0xe3e0},
        {"rectangle.stack", "layers", 0xe53b},
        {"rectangle.stack.fill", "layers", 0xe53b},
        {"scissors", "content_cut", 0xe14e},
        {"scope", "gps_fixed", 0xe1b3},
        {"slider.horizontal.3", "tune", 0xe429},
        {"sofa.fill", "weekend", 0xe16b},
        {"sparkles", "auto_awesome", 0xe65f},
        {"square", "check_box_outline_blank", 0xe835},
        {"square.and.arrow.up.fill", "ios_share", 0xe6b8},
        {"square.grid.2x2", "grid_view", 0xe9b0},
        {"square.grid.2x2.fill", "grid_view", 0xe9b0},
        {"square.stack.3d.down.right.fill", "dynamic_feed", 0xea14},
        {"square.stack.3d.up.fill", "library_books", 0xe02f},
        {"sun.max.fill", "wb_sunny", 0xe430},
        {"text.alignleft", "format_align_left", 0xe236},
        {"text.append", "playlist_add", 0xe03b},
        {"text.bubble.fill", "chat", 0xe0b7},
        {"ticket.fill", "confirmation_number", 0xe638},
        {"tray", "inbox", 0xe156},
        {"video.fill", "videocam", 0xe04b},
        {"viewfinder", "crop_free", 0xe3c2},
        {"wand.and.stars", "auto_fix_high", 0xe663},
        {"xmark", "close", 0xe5cd},
        };
        std::sort(list.begin(), list.end(),
                  [](const Entry& a, const Entry& b) { return qstrcmp(a.name, b.name) < 0; });
        return list;
    }();
    return entries;
}

QStringList Symbols::names()
{
    QStringList list;
    for (const Entry& e : table())
        list.append(QString::fromLatin1(e.name));
    return list;
}

char32_t Symbols::codepoint(const QString& name)
{
    const QByteArray key = name.toLatin1();
    const auto& entries = table();
    const auto it = std::lower_bound(entries.begin(), entries.end(), key,
                                     [](const Entry& e, const QByteArray& k) { return qstrcmp(e.name, k.constData()) < 0; });
    if (it != entries.end() && key == it->name)
        return it->codepoint;
    return 0;
}

bool Symbols::contains(const QString& name)
{
    return codepoint(name) != 0;
}

QString Symbols::fontPath()
{
    return QStringLiteral(
        "/usr/share/fonts/truetype/material-design-icons-iconfont/MaterialIcons-Regular.ttf");
}

namespace {
QString& registeredFamily()
{
    static QString family = QStringLiteral("Material Icons");
    return family;
}
} // namespace

bool Symbols::loadFont()
{
    static const bool loaded = [] {
        if (!QFile::exists(fontPath()))
            return false;
        const int id = QFontDatabase::addApplicationFont(fontPath());
        if (id < 0)
            return false;
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (!families.isEmpty())
            registeredFamily() = families.constFirst();
        return true;
    }();
    return loaded;
}

QString Symbols::fontFamily()
{
    loadFont();
    return registeredFamily();
}

QFont Symbols::glyphFont(qreal size)
{
    QFont f(fontFamily());
    f.setPixelSize(std::max(1, int(std::lround(boxSize(size)))));
    f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoFontMerging));
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

namespace {
// Extra outline width, as a fraction of the glyph size, that gives the single
// weight of the font the feel of the heavier weights.
qreal strokeFraction(QFont::Weight weight)
{
    if (weight >= QFont::Bold)
        return 0.055;
    if (weight >= QFont::DemiBold)
        return 0.035;
    if (weight >= QFont::Medium)
        return 0.015;
    return 0.0;
}

void drawGlyph(QPainter& p, const QRectF& box, char32_t cp, const QColor& color, qreal pixelSize,
               QFont::Weight weight)
{
    QFont f(Symbols::fontFamily());
    f.setPixelSize(std::max(1, int(std::lround(pixelSize))));
    f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoFontMerging));
    f.setHintingPreference(QFont::PreferNoHinting);
    const QString text = QString::fromUcs4(&cp, 1);
    // Material glyphs sit on the baseline of a square em box; centre the em box.
    QPainterPath path;
    path.addText(0, 0, f, text);
    const qreal em = f.pixelSize();
    const QFontMetricsF fm(f);
    const qreal ascent = fm.ascent();
    const qreal descent = fm.descent();
    const qreal advance = fm.horizontalAdvance(text);
    const qreal lineCentre = (ascent - descent) / 2.0; // baseline-relative
    const QPointF origin(box.center().x() - advance / 2.0, box.center().y() + lineCentre);
    Q_UNUSED(em);
    path.translate(origin);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPath(path);
    const qreal stroke = strokeFraction(weight) * pixelSize;
    if (stroke > 0) {
        QPen pen(color, stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }
    p.restore();
}
// Filled forms the font lacks: its disc with the arrow cut out of it.
char32_t cutOut(const QString& name)
{
    if (name == QLatin1StringView("arrow.up.circle.fill"))
        return 0xe5d8; // arrow_upward
    if (name == QLatin1StringView("arrow.down.circle.fill"))
        return 0xe5db; // arrow_downward
    return 0;
}
} // namespace

QPixmap Symbols::pixmap(const QString& name, qreal size, const QColor& color, QFont::Weight weight,
                        qreal devicePixelRatio)
{
    const char32_t cp = codepoint(name);
    const qreal box = boxSize(size);
    if (!std::isfinite(box) || box <= 0 || box > 1024 || !std::isfinite(devicePixelRatio)
        || devicePixelRatio <= 0 || devicePixelRatio > 8)
        return QPixmap();
    const int side = std::max(1, int(std::ceil(box * devicePixelRatio)));
    const QString key = QStringLiteral("studio-symbol|%1|%2|%3|%4|%5")
                            .arg(name)
                            .arg(size, 0, 'f', 2)
                            .arg(color.rgba(), 8, 16)
                            .arg(int(weight))
                            .arg(devicePixelRatio, 0, 'f', 2);
    QPixmap pm;
    if (QPixmapCache::find(key, &pm))
        return pm;
    pm = QPixmap(side, side);
    pm.fill(Qt::transparent);
    if (cp != 0) {
        QPainter p(&pm);
        drawGlyph(p, QRectF(0, 0, side, side), cp, color, box * devicePixelRatio, weight);
        if (const char32_t hole = cutOut(name)) {
            p.setCompositionMode(QPainter::CompositionMode_DestinationOut);
            drawGlyph(p, QRectF(0, 0, side, side), hole, Qt::black, box * devicePixelRatio * 0.62, QFont::Normal);
        }
    }
    pm.setDevicePixelRatio(devicePixelRatio);
    QPixmapCache::insert(key, pm);
    return pm;
}

QIcon Symbols::icon(const QString& name, qreal size, const QColor& color, QFont::Weight weight)
{
    QIcon icon;
    icon.addPixmap(pixmap(name, size, color, weight, 1.0));
    icon.addPixmap(pixmap(name, size, color, weight, 2.0));
    return icon;
}

void Symbols::paint(QPainter& painter, const QRectF& rect, const QString& name, const QColor& color,
                    qreal size, QFont::Weight weight)
{
    if (codepoint(name) == 0 || rect.isEmpty())
        return;
    if (size <= 0 || !std::isfinite(size))
        size = std::min(rect.width(), rect.height()) / boxScale;
    const qreal dpr = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QPixmap pm = pixmap(name, size, color, weight, dpr);
    if (pm.isNull())
        return;
    const QSizeF logical = QSizeF(pm.size()) / pm.devicePixelRatio();
    // On the device pixel grid, so the glyph stays as sharp as it was drawn.
    const QPointF device = painter.transform().map(
        QPointF(rect.center().x() - logical.width() / 2.0, rect.center().y() - logical.height() / 2.0));
    const QPointF snapped(std::round(device.x() * dpr) / dpr, std::round(device.y() * dpr) / dpr);
    const QPointF topLeft = painter.transform().inverted().map(snapped);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawPixmap(QRectF(topLeft, logical), pm, QRectF(pm.rect()));
    painter.restore();
}

} // namespace studio
