#include "design/style/Palette.h"
#include "design/style/Symbols.h"
#include "design/style/Theme.h"

#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QRawFont>
#include <QtTest>

using namespace studio;

namespace {
// Every symbol name the screens of the program draw.
const QStringList usedSymbols = {
    QStringLiteral("archivebox.fill"),
    QStringLiteral("arrow.down.circle"),
    QStringLiteral("arrow.down.circle.fill"),
    QStringLiteral("arrow.down.right.square"),
    QStringLiteral("arrow.left"),
    QStringLiteral("arrow.right"),
    QStringLiteral("arrow.right.square"),
    QStringLiteral("arrow.triangle.2.circlepath"),
    QStringLiteral("arrow.up.circle.fill"),
    QStringLiteral("bolt.fill"),
    QStringLiteral("building.2"),
    QStringLiteral("camera.filters"),
    QStringLiteral("checkmark"),
    QStringLiteral("checkmark.circle.fill"),
    QStringLiteral("checkmark.seal"),
    QStringLiteral("checkmark.seal.fill"),
    QStringLiteral("checkmark.square.fill"),
    QStringLiteral("chevron.down"),
    QStringLiteral("circle"),
    QStringLiteral("circle.dashed"),
    QStringLiteral("clock"),
    QStringLiteral("cpu"),
    QStringLiteral("cpu.fill"),
    QStringLiteral("doc.text"),
    QStringLiteral("doc.text.fill"),
    QStringLiteral("ellipsis"),
    QStringLiteral("exclamationmark.triangle.fill"),
    QStringLiteral("eye.fill"),
    QStringLiteral("figure.walk"),
    QStringLiteral("film"),
    QStringLiteral("film.fill"),
    QStringLiteral("film.stack"),
    QStringLiteral("film.stack.fill"),
    QStringLiteral("folder.fill"),
    QStringLiteral("gearshape"),
    QStringLiteral("gearshape.fill"),
    QStringLiteral("globe"),
    QStringLiteral("heart.fill"),
    QStringLiteral("heart.text.square"),
    QStringLiteral("heart.text.square.fill"),
    QStringLiteral("house.fill"),
    QStringLiteral("lightbulb.fill"),
    QStringLiteral("link"),
    QStringLiteral("lock.shield"),
    QStringLiteral("lock.shield.fill"),
    QStringLiteral("map"),
    QStringLiteral("map.fill"),
    QStringLiteral("mappin.circle.fill"),
    QStringLiteral("minus.circle"),
    QStringLiteral("minus.magnifyingglass"),
    QStringLiteral("music.note"),
    QStringLiteral("newspaper"),
    QStringLiteral("paperclip"),
    QStringLiteral("parentheses"),
    QStringLiteral("person.2"),
    QStringLiteral("person.2.fill"),
    QStringLiteral("person.badge.plus"),
    QStringLiteral("person.crop.rectangle"),
    QStringLiteral("person.fill"),
    QStringLiteral("photo.on.rectangle.angled"),
    QStringLiteral("play.fill"),
    QStringLiteral("play.rectangle.fill"),
    QStringLiteral("plus"),
    QStringLiteral("plus.magnifyingglass"),
    QStringLiteral("plus.viewfinder"),
    QStringLiteral("questionmark.bubble.fill"),
    QStringLiteral("quote.opening"),
    QStringLiteral("rectangle.on.rectangle"),
    QStringLiteral("rectangle.stack"),
    QStringLiteral("rectangle.stack.fill"),
    QStringLiteral("scissors"),
    QStringLiteral("scope"),
    QStringLiteral("slider.horizontal.3"),
    QStringLiteral("sofa.fill"),
    QStringLiteral("sparkles"),
    QStringLiteral("square"),
    QStringLiteral("square.and.arrow.up.fill"),
    QStringLiteral("square.grid.2x2"),
    QStringLiteral("square.grid.2x2.fill"),
    QStringLiteral("square.stack.3d.down.right.fill"),
    QStringLiteral("square.stack.3d.up.fill"),
    QStringLiteral("sun.max.fill"),
    QStringLiteral("text.alignleft"),
    QStringLiteral("text.append"),
    QStringLiteral("text.bubble.fill"),
    QStringLiteral("ticket.fill"),
    QStringLiteral("tray"),
    QStringLiteral("video.fill"),
    QStringLiteral("viewfinder"),
    QStringLiteral("wand.and.stars"),
    QStringLiteral("xmark"),
};
} // namespace

class SymbolsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Theme::registerFonts(); }

    void everyUsedNameIsMapped()
    {
        QStringList missing;
        for (const QString& name : usedSymbols)
            if (!Symbols::contains(name))
                missing.append(name);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1String(", "))));
    }

    void tableIsSortedAndUnique()
    {
        const QStringList names = Symbols::names();
        for (int i = 1; i < names.size(); ++i)
            QVERIFY2(names[i - 1] < names[i], qPrintable(names[i]));
        QVERIFY(!Symbols::contains(QStringLiteral("no.such.symbol")));
        QCOMPARE(Symbols::codepoint(QString()), char32_t(0));
    }

    void everyGlyphIsInTheFont()
    {
        QVERIFY2(QFile::exists(Symbols::fontPath()), "fonts-material-design-icons-iconfont is not installed");
        QVERIFY(Symbols::loadFont());
        const QRawFont raw(Symbols::fontPath(), 24);
        QVERIFY(raw.isValid());
        const QFontMetrics metrics(Symbols::glyphFont(12));
        QCOMPARE(QFontInfo(Symbols::glyphFont(12)).family(), Symbols::fontFamily());
        QStringList absent;
        for (const Symbols::Entry& e : Symbols::table()) {
            if (!raw.supportsCharacter(uint(e.codepoint)) || !metrics.inFontUcs4(uint(e.codepoint)))
                absent.append(QString::fromLatin1(e.name) + QLatin1Char('/') + QString::fromLatin1(e.material));
        }
        QVERIFY2(absent.isEmpty(), qPrintable(absent.join(QLatin1String(", "))));
    }

    void glyphsDrawInTheirBox()
    {
        for (const QString& name : Symbols::names()) {
            const QPixmap pm = Symbols::pixmap(name, 20, Qt::white);
            QVERIFY(!pm.isNull());
            const QImage img = pm.toImage();
            int inked = 0;
            int left = img.width(), right = -1, top = img.height(), bottom = -1;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    if (qAlpha(img.pixel(x, y)) > 128) {
                        ++inked;
                        left = std::min(left, x);
                        right = std::max(right, x);
                        top = std::min(top, y);
                        bottom = std::max(bottom, y);
                    }
            QVERIFY2(inked > 10, qPrintable(name));
            // Centred: the ink's middle is near the box's middle.
            const double cx = (left + right) / 2.0, cy = (top + bottom) / 2.0;
            QVERIFY2(std::abs(cx - img.width() / 2.0) < img.width() * 0.2, qPrintable(name));
            QVERIFY2(std::abs(cy - img.height() / 2.0) < img.height() * 0.2, qPrintable(name));
        }
    }

    void heavierWeightsInkMore()
    {
        const auto ink = [](QFont::Weight weight) {
            const QImage img = Symbols::pixmap(QStringLiteral("xmark"), 12, Qt::white, weight, 2.0).toImage();
            long sum = 0;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    sum += qAlpha(img.pixel(x, y));
            return sum;
        };
        QVERIFY(ink(QFont::Bold) > ink(QFont::Normal));
    }

    void unknownNamesDrawNothing()
    {
        QImage img(32, 32, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        Symbols::paint(p, QRectF(0, 0, 32, 32), QStringLiteral("not.a.symbol"), Qt::white, 20);
        p.end();
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                QCOMPARE(qAlpha(img.pixel(x, y)), 0);
    }

    void textFamilyIsSubstituted()
    {
        const QFont f = Theme::font(13);
        QCOMPARE(f.family(), Theme::textFamily());
        QCOMPARE(QFontInfo(f).family(), Theme::substituteFamily());
        QCOMPARE(QFontInfo(Theme::font(13, QFont::DemiBold)).weight(), int(QFont::DemiBold));
    }
};

QTEST_MAIN(SymbolsTest)
#include "SymbolsTest.moc"
