#pragma once

// System-symbol names drawn with the Material Icons font. The screens name
// their symbols by the platform names the design uses ("wand.and.stars",
// "chevron.down", ...); one table maps each to a Material glyph of like
// meaning. A symbol is drawn at a size given in points (like a text size), a
// weight and a colour.

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QRectF>
#include <QString>
#include <QStringList>

class QPainter;

namespace studio {

class Symbols {
public:
    struct Entry {
        const char* name;      // the symbol name the screens use
        const char* material;  // the Material Icons glyph name standing in for it
        char32_t codepoint;    // that glyph's code point in the font
    };

    // Every mapped symbol, sorted by name.
    static const QList<Entry>& table();
    static QStringList names();
    static bool contains(const QString& name);
    // The glyph's code point, or 0 for a name the table does not know.
    static char32_t codepoint(const QString& name);

    // Registers MaterialIcons-Regular.ttf with the application (once). False
    // when the font file is missing; symbols then fall back to any installed
    // "Material Icons" family, and draw nothing without one.
    static bool loadFont();
    static QString fontPath();
    static QString fontFamily();

    // Material glyphs fill about 20/24 of their square, platform symbols about
    // a text's cap height and more; a symbol of size s is drawn in a square of
    // s * boxScale pixels so both read alike next to text.
    static constexpr qreal boxScale = 1.3;
    static qreal boxSize(qreal size) { return size * boxScale; }
    static QFont glyphFont(qreal size);

    // Draws the symbol centred in rect at the given size (0: as large as the
    // rect allows). Weights above medium thicken the glyph's outline; the font
    // has one weight only.
    static void paint(QPainter& painter, const QRectF& rect, const QString& name, const QColor& color,
                      qreal size = 0, QFont::Weight weight = QFont::Normal);
    // The symbol in a square pixmap of boxSize(size) device-independent pixels.
    static QPixmap pixmap(const QString& name, qreal size, const QColor& color,
                          QFont::Weight weight = QFont::Normal, qreal devicePixelRatio = 1.0);
    static QIcon icon(const QString& name, qreal size, const QColor& color,
                      QFont::Weight weight = QFont::Normal);
};

} // namespace studio
