// The item the file manager is asked to show: a URI any file manager parses
// back to the same file, whatever the name holds.

#include "services/FileReveal.h"

#include <QDir>
#include <QTest>
#include <QUrl>

using namespace studio;
using namespace Qt::StringLiterals;

class FileRevealTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void itemURIIsEncodedAndNamesTheSameFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("spaces and a dash") << u"Palisademotion Exports/Night Ferry — Festival.json"_s;
        QTest::newRow("accents and a right-to-left script") << u"Été à Zürich/ليلة.json"_s;
        QTest::newRow("URI delimiters") << u"50% #2 ?draft [a].json"_s;
    }

    void itemURIIsEncodedAndNamesTheSameFile()
    {
        QFETCH(QString, name);
        const QString path = QDir::tempPath() + u'/' + name;
        const QString uri = fileManagerItemURI(path);
        QVERIFY2(uri.startsWith(u"file:///"_s), qPrintable(uri));
        for (const QChar c : uri)
            QVERIFY2(c.unicode() > 0x20 && c.unicode() < 0x7F, qPrintable(uri));
        QCOMPARE(QUrl(uri, QUrl::StrictMode).toLocalFile(), path);
    }
};

QTEST_GUILESS_MAIN(FileRevealTest)
#include "FileRevealTest.moc"
