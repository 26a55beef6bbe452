#include "design/style/Theme.h"

#include "design/style/AppStyle.h"
#include "design/style/MnemonicStyle.h"
#include "design/style/Palette.h"
#include "design/style/PictureBudget.h"
#include "design/style/Symbols.h"
#include "design/style/Tokens.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPixmapCache>
#include <QStyleFactory>

#include <cmath>

namespace studio {

namespace {
// Qt converts point sizes with the paint device's logical resolution, which is
// 96 dpi for widgets and images alike. Point sizes keep fractional sizes
// (12.5, 9.5) that pixel sizes would round away.
constexpr qreal pointsPerPixel = 72.0 / 96.0;

QString cssColor(const QColor& c)
{
    return QStringLiteral("rgba(%1, %2, %3, %4)")
        .arg(c.red())
        .arg(c.green())
        .arg(c.blue())
        .arg(QString::number(c.alphaF(), 'f', 3));
}
} // namespace

QString Theme::textFamily()
{
    return QStringLiteral("Helvetica Neue");
}

QString Theme::substituteFamily()
{
    return QStringLiteral("Inter");
}

void Theme::registerFonts()
{
    static const bool done = [] {
        QFont::insertSubstitution(textFamily(), substituteFamily());
        Symbols::loadFont();
        return true;
    }();
    Q_UNUSED(done);
}

qreal Theme::pixelSize(qreal size)
{
    if (!std::isfinite(size) || size <= 0)
        size = 13;
    return size * textScale;
}

qreal Theme::designSize(const QFont& font)
{
    if (font.pixelSize() > 0)
        return font.pixelSize() / textScale;
    return font.pointSizeF() / pointsPerPixel / textScale;
}

QFont Theme::font(qreal size, QFont::Weight weight, qreal kerning)
{
    registerFonts();
    QFont f(textFamily());
    f.setPointSizeF(pixelSize(size) * pointsPerPixel);
    f.setWeight(weight);
    f.setStyleStrategy(QFont::PreferAntialias);
    f.setHintingPreference(QFont::PreferNoHinting);
    if (kerning != 0)
        f.setLetterSpacing(QFont::AbsoluteSpacing, kerning);
    return f;
}

QPalette Theme::palette()
{
    QPalette p;
    const QColor window(0x0E, 0x0E, 0x10);
    const auto all = [&p](QPalette::ColorRole role, const QColor& c) {
        p.setColor(QPalette::All, role, c);
    };
    all(QPalette::Window, window);
    all(QPalette::WindowText, Palette::textPrimary());
    all(QPalette::Base, Palette::surface());
    all(QPalette::AlternateBase, Palette::surfaceHigh());
    all(QPalette::Text, Palette::textPrimary());
    all(QPalette::PlaceholderText, Palette::textTertiary());
    all(QPalette::Button, Palette::surfaceHigh());
    all(QPalette::ButtonText, Palette::textPrimary());
    all(QPalette::BrightText, Palette::white(level::full));
    all(QPalette::ToolTipBase, Palette::surfaceHigh());
    all(QPalette::ToolTipText, Palette::textPrimary());
    all(QPalette::Highlight, Palette::accentDeep());
    all(QPalette::HighlightedText, Palette::buttonInk());
    all(QPalette::Link, Palette::gold());
    all(QPalette::LinkVisited, Palette::accentDeep());
    all(QPalette::Light, QColor(0x3A, 0x3A, 0x40));
    all(QPalette::Midlight, QColor(0x2A, 0x2A, 0x2F));
    all(QPalette::Mid, QColor(0x22, 0x22, 0x26));
    all(QPalette::Dark, QColor(0x0A, 0x0A, 0x0C));
    all(QPalette::Shadow, QColor(0, 0, 0));
    const QColor disabledText = Palette::textTertiary();
    p.setColor(QPalette::Disabled, QPalette::WindowText, disabledText);
    p.setColor(QPalette::Disabled, QPalette::Text, disabledText);
    p.setColor(QPalette::Disabled, QPalette::ButtonText, disabledText);
    p.setColor(QPalette::Disabled, QPalette::Highlight, Palette::hairlineStrong());
    return p;
}

QString Theme::styleSheet()
{
    const QString tertiary = cssColor(Palette::textTertiary());
    const QString hairline = cssColor(Palette::hairline());
    const QString strong = cssColor(Palette::hairlineStrong());
    const QString high = cssColor(Palette::surfaceHigh());
    const QString accentDeep = cssColor(Palette::accentDeep());
    const QString ink = cssColor(Palette::buttonInk());
    const QString css = QStringLiteral(R"(
QMenu {
    background-color: %4; border: 1px solid %3; padding: 5px 0px;
}
QMenu::item { padding: 5px 22px 5px 12px; background: transparent; border-radius: 5px; margin: 0px 5px; }
QMenu::item:selected { background-color: %5; color: %6; }
QMenu::item:disabled { color: %1; }
QMenu::separator { height: 1px; background: %2; margin: 4px 10px; }
QMenu::icon { padding-left: 6px; }
)");
    return css.arg(tertiary, hairline, strong, high, accentDeep, ink);
}

void Theme::install(QApplication& app)
{
    registerFonts();
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
        auto* look = new AppStyle(fusion);
        auto* style = new MnemonicStyle(look);
        QApplication::setStyle(style);
        // The style lives as long as it is the application's; the filter goes
        // with it.
        app.installEventFilter(style);
    }
    QApplication::setPalette(palette());
    QApplication::setFont(font(13));
    // Qt's own pixmap cache keeps the symbols and the style's pieces: its
    // bound is their share of the process's pictures.
    QPixmapCache::setCacheLimit(pictureBudget::qtPixmaps);
}

QString Theme::escapeMnemonic(const QString& text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('&'), QLatin1String("&&"));
    return escaped;
}

} // namespace studio
