// The long-text rules: only a stretch no line can break makes a text wrap
// anywhere; prose, ideographs and short words keep wrapping between words.

#include "design/text/LongText.h"

#include <QtTest>

using namespace studio;
using namespace Qt::StringLiterals;

class LongTextTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void onlyAnEndlessWordWrapsAnywhere_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("anywhere");
        QString word(LongText::unbreakableLength + 1, u'x');
        QTest::newRow("an endless word") << word << true;
        QTest::newRow("an endless word after prose") << u"She pastes it: "_s + word << true;
        QTest::newRow("a word as long as the limit") << word.left(LongText::unbreakableLength) << false;
        QTest::newRow("prose") << u"Salt on the glass. "_s.repeated(500) << false;
        QTest::newRow("ideographs") << QString(5000, QChar(0x706F)) << false;
        QTest::newRow("hyphenated") << u"lamp-"_s.repeated(1000) << false;
    }

    void onlyAnEndlessWordWrapsAnywhere()
    {
        QFETCH(QString, text);
        QFETCH(bool, anywhere);
        QCOMPARE(LongText::wrapMode(text) == QTextOption::WrapAnywhere, anywhere);
    }
};

QTEST_MAIN(LongTextTest)
#include "LongTextTest.moc"
