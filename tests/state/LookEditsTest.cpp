// The look's rules and edits: chip toggles that keep what no chip offers, the
// lens that is put down by a second click, the colour a swatch string names,
// the gallery's filter and the category the stored style belongs to.

#include "model/LookCatalogs.h"
#include "state/edits/LookEdits.h"
#include "state/rules/LookRules.h"

#include <QtTest>

using namespace studio;
using namespace Qt::StringLiterals;

class LookEditsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void toggledFirst_data()
    {
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("off: appended") << QStringList{u"Deep focus"_s} << u"Anamorphic flares"_s
                                       << QStringList{u"Deep focus"_s, u"Anamorphic flares"_s};
        QTest::newRow("on: removed") << QStringList{u"Deep focus"_s, u"Anamorphic flares"_s} << u"Deep focus"_s
                                     << QStringList{u"Anamorphic flares"_s};
        QTest::newRow("stored twice: first copy only")
            << QStringList{u"Golden hour"_s, u"Candlelit"_s, u"Golden hour"_s} << u"Golden hour"_s
            << QStringList{u"Candlelit"_s, u"Golden hour"_s};
        QTest::newRow("foreign entries stay") << QStringList{u"Sodium haze"_s, u"Candlelit"_s} << u"Candlelit"_s
                                              << QStringList{u"Sodium haze"_s};
        QTest::newRow("exact match only") << QStringList{u"golden hour"_s} << u"Golden hour"_s
                                          << QStringList{u"golden hour"_s, u"Golden hour"_s};
        QTest::newRow("empty list") << QStringList{} << u"Firelight"_s << QStringList{u"Firelight"_s};
    }

    void toggledFirst()
    {
        QFETCH(QStringList, list);
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        QCOMPARE(rules::toggledFirst(list, text), expected);
    }

    void chipsAndLens()
    {
        Project p;
        p.look.lightingMood = {u"Sodium haze"_s};
        edits::toggleLightingMood(p, u"Candlelit"_s);
        edits::toggleLensFeel(p, u"Deep focus"_s);
        QCOMPARE(p.look.lightingMood, (QStringList{u"Sodium haze"_s, u"Candlelit"_s}));
        QCOMPARE(p.look.lensFeel, QStringList{u"Deep focus"_s});

        const QString lens = DirectorLens::catalog().first().id;
        edits::toggleDirectorLens(p, lens);
        QCOMPARE(p.look.directorLensID, std::optional<QString>(lens));
        edits::toggleDirectorLens(p, lens);
        QVERIFY(!p.look.directorLensID);
        edits::toggleDirectorLens(p, lens);
        QVERIFY(edits::clearDirectorLens(p));
        QVERIFY(!edits::clearDirectorLens(p));
    }

    void swatchColor_data()
    {
        QTest::addColumn<QString>("hex");
        QTest::addColumn<QColor>("expected");
        const QColor gold = QColor::fromRgb(0xD8, 0xC4, 0x9A);
        QTest::newRow("upper case") << u"9FB4C4"_s << QColor::fromRgb(159, 180, 196);
        QTest::newRow("lower case") << u"9fb4c4"_s << QColor::fromRgb(159, 180, 196);
        QTest::newRow("short number") << u"FF"_s << QColor::fromRgb(0, 0, 255);
        QTest::newRow("bits above 24 ignored") << u"FFFF123456"_s << QColor::fromRgb(0x12, 0x34, 0x56);
        QTest::newRow("leading zeros") << u"0000000000000000000000A89AC4"_s << QColor::fromRgb(0xA8, 0x9A, 0xC4);
        QTest::newRow("empty") << QString() << gold;
        QTest::newRow("hash") << u"#9FB4C4"_s << gold;
        QTest::newRow("0x prefix") << u"0x9FB4C4"_s << gold;
        QTest::newRow("0x alone") << u"0x"_s << gold;
        QTest::newRow("leading space") << u" 9FB4C4"_s << gold;
        QTest::newRow("trailing space") << u"9FB4C4 "_s << gold;
        QTest::newRow("not hexadecimal") << u"GGGGGG"_s << gold;
        QTest::newRow("sign") << u"-1"_s << gold;
        QTest::newRow("full-width digits") << u"\uFF11\uFF12\uFF13"_s << gold;
        QTest::newRow("past 64 bits") << u"1FFFFFFFFFFFFFFFF"_s << gold;
        QTest::newRow("64 bits exactly") << u"FFFFFFFFFFFFFFFF"_s << QColor::fromRgb(255, 255, 255);
    }

    void swatchColor()
    {
        QFETCH(QString, hex);
        QFETCH(QColor, expected);
        QCOMPARE(rules::swatchColor(hex), expected);
    }

    void aspectShapesFollowTheirRatio()
    {
        for (AspectRatio aspect : allCases<AspectRatio>()) {
            const QSizeF shape = rules::aspectShapeSize(aspect);
            if (aspect == AspectRatio::vertical916) {
                QVERIFY(shape.height() > shape.width());
                continue;
            }
            QCOMPARE(shape.width(), 54.0);
            QVERIFY(qFuzzyCompare(shape.width() / shape.height(), ratio(aspect)));
        }
    }

    void galleryAndCategory()
    {
        // Every preset shows under its own category only, in catalog order.
        const StylePreset* first = StylePreset::catalog().constData();
        qsizetype shown = 0;
        for (StyleCategory category : allCases<StyleCategory>()) {
            qsizetype last = -1;
            for (const StylePreset* preset : rules::presetsIn(category)) {
                QCOMPARE(preset->category, category);
                QVERIFY(preset - first > last);
                last = preset - first;
                ++shown;
            }
        }
        QCOMPARE(shown, StylePreset::catalog().size());

        const StylePreset& anime = *rules::presetsIn(StyleCategory::anime).value(0);
        QCOMPARE(rules::categoryOfStyle(anime.id), StyleCategory::anime);
        QCOMPARE(rules::categoryOfStyle(std::nullopt), std::nullopt);
        QCOMPARE(rules::categoryOfStyle(u"noSuchStyle"_s), std::nullopt);
        QCOMPARE(rules::categoryOfStyle(anime.id.toUpper()), std::nullopt);
        QVERIFY(rules::librarySubtitle().startsWith(QString::number(StylePreset::catalog().size()) + u" worlds"_s));
    }
};

QTEST_GUILESS_MAIN(LookEditsTest)
#include "LookEditsTest.moc"
