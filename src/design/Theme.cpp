#include "design/Theme.h"

#include "design/MnemonicStyle.h"
#include "design/Palette.h"
#include "design/Symbols.h"
#include "design/Tokens.h"

#include <QApplication>
#include <QFontDatabase>
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
    const QString primary = cssColor(Palette::textPrimary());
    const QString secondary = cssColor(Palette::textSecondary());
    const QString tertiary = cssColor(Palette::textTertiary());
    const QString hairline = cssColor(Palette::hairline());
    const QString strong = cssColor(Palette::hairlineStrong());
    const QString high = cssColor(Palette::surfaceHigh());
    const QString accentDeep = cssColor(Palette::accentDeep());
    const QString ink = cssColor(Palette::buttonInk());
    QString css = QStringLiteral(R"(
QToolTip {
    color: %1; background-color: %6; border: 1px solid %5;
    border-radius: 6px; padding: 4px 7px;
}
QMenu {
    background-color: %6; border: 1px solid %5; padding: 5px 0px;
}
QMenu::item { padding: 5px 22px 5px 12px; background: transparent; border-radius: 5px; margin: 0px 5px; }
QMenu::item:selected { background-color: %7; color: %8; }
QMenu::item:disabled { color: %3; }
QMenu::separator { height: 1px; background: %4; margin: 4px 10px; }
QMenu::icon { padding-left: 6px; }
QScrollArea { background: transparent; border: none; }
QScrollArea > QWidget#qt_scrollarea_viewport { background: transparent; }
QComboBox QAbstractItemView {
    color: %1; background-color: %6; border: 1px solid %5;
    selection-background-color: %7; selection-color: %8; outline: 0px;
}
QScrollBar:vertical { background: transparent; width: 10px; margin: 2px 1px 2px 1px; }
QScrollBar:horizontal { background: transparent; height: 10px; margin: 1px 2px 1px 2px; }
QScrollBar::handle:vertical { background: %5; border-radius: 4px; min-height: 28px; }
QScrollBar::handle:horizontal { background: %5; border-radius: 4px; min-width: 28px; }
QScrollBar::handle:hover { background: %2; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0px; height: 0px; border: none; background: none; }
QScrollBar::add-page, QScrollBar::sub-page { background: none; }
QLineEdit, QPlainTextEdit, QTextEdit, QAbstractSpinBox, QComboBox {
    selection-background-color: %7; selection-color: %8;
}
QLineEdit[studioPlain="true"], QPlainTextEdit[studioPlain="true"], QTextEdit[studioPlain="true"] {
    background: transparent; border: none; padding: 0px;
}
QMessageBox, QDialog { background-color: #121214; }
)");
    return css.arg(primary, secondary, tertiary, hairline, strong, high, accentDeep, ink);
}

void Theme::install(QApplication& app)
{
    registerFonts();
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
        auto* style = new MnemonicStyle(fusion);
        QApplication::setStyle(style);
        // The style lives as long as it is the application's (or the base of
        // its style sheet style); the filter goes with it.
        app.installEventFilter(style);
    }
    QApplication::setPalette(palette());
    QApplication::setFont(font(13));
    app.setStyleSheet(styleSheet());
}

QString Theme::escapeMnemonic(const QString& text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('&'), QLatin1String("&&"));
    return escaped;
}

} // namespace studio
