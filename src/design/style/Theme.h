#pragma once

// Fonts and the application-wide look. Every text of the program is set in
// "Helvetica Neue" at fixed sizes; that family is mapped to Inter here, in one
// place, because Helvetica Neue is not available on Linux.

#include <QFont>
#include <QPalette>
#include <QString>

class QApplication;

namespace studio {

class Theme {
public:
    // The family every text asks for; resolved to Inter by substitution.
    static QString textFamily();
    // The family the text family is substituted by.
    static QString substituteFamily();

    // Registers the substitution and the symbol font. Idempotent; install()
    // and font() call it, so tests need not.
    static void registerFonts();

    // A text font for a size given in points of the design, which are used as
    // device-independent pixels. Inter sets wider and with a taller x-height
    // than the family the sizes were chosen for, so the size is scaled by
    // textScale to keep line lengths and visual weight close to the design.
    // kerning is the extra letter spacing in points (0.9 for captions).
    static QFont font(qreal size, QFont::Weight weight = QFont::Normal, qreal kerning = 0);
    static constexpr qreal textScale = 0.94;
    // The pixel size font() gives for a design size, and back.
    static qreal pixelSize(qreal size);
    static qreal designSize(const QFont& font);

    // The dark application palette (placeholder text and links readable on
    // dark surfaces).
    static QPalette palette();
    // The style sheet of menus on dark (each menu is given it as it is
    // polished: see AppStyle). Menu entries take their text colour from
    // the palette (ButtonText), so an entry can carry a colour of its own.
    static QString styleSheet();

    // Fusion style with the application's look (AppStyle) and mnemonic
    // underlines only while Alt is held, the dark palette and the default
    // font.
    static void install(QApplication& app);

    // Button and action texts treat '&' as a mnemonic marker; user text is
    // escaped so it shows as typed.
    static QString escapeMnemonic(const QString& text);
};

} // namespace studio
