#include "model/Json.h"
#include "services/AIError.h"

#include <QTest>
#include <stdexcept>

using namespace studio;

// The texts an assist failure shows in the error banner and behind "Failed: ".
class AIErrorTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void descriptions_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("expected");
        QTest::newRow("http with message") << 0 << QStringLiteral("AI request failed (404). Model not found");
        QTest::newRow("http with empty body") << 1 << QStringLiteral("AI request failed (502). ");
        QTest::newRow("parsing") << 2 << QStringLiteral("Couldn't read the model's reply. No JSON object found.");
        QTest::newRow("parsing keeps detail untrimmed") << 3 << QStringLiteral("Couldn't read the model's reply.  two\n");
        QTest::newRow("missingKey") << 4 << QStringLiteral("No AI key set. Add one in Settings \u2192 AI.");
        QTest::newRow("badURL") << 5 << QStringLiteral("The AI base URL isn't valid.");
        QTest::newRow("emptyResponse") << 6 << QStringLiteral("The model returned an empty reply.");
        QTest::newRow("badKey") << 7
                                << QStringLiteral("The AI key contains a line break. Paste it again in Settings \u2192 AI.");
    }

    void descriptions()
    {
        QFETCH(int, which);
        QFETCH(QString, expected);
        const AIError errors[] = {
            AIError::http(404, QStringLiteral("Model not found")),
            AIError::http(502, QString()),
            AIError::parsing(QStringLiteral("No JSON object found.")),
            AIError::parsing(QStringLiteral(" two\n")),
            AIError::missingKey(),
            AIError::badURL(),
            AIError::emptyResponse(),
            AIError::badKey(),
        };
        const AIError& error = errors[which];
        QCOMPARE(error.description(), expected);
        QCOMPARE(QString::fromUtf8(error.what()), expected);
        QCOMPARE(describeError(std::make_exception_ptr(error)), expected);
    }

    void payloads()
    {
        const AIError http = AIError::http(401, QStringLiteral("nope"));
        QCOMPARE(http.kind(), AIError::Kind::http);
        QCOMPARE(http.statusCode(), 401);
        QCOMPARE(http.message(), QStringLiteral("nope"));
        const AIError parsing = AIError::parsing(QStringLiteral("detail"));
        QCOMPARE(parsing.kind(), AIError::Kind::parsing);
        QCOMPARE(parsing.message(), QStringLiteral("detail"));
    }

    // Whatever reaches the assist runner has a text to show.
    void describesOtherFailures_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("expected");
        QTest::newRow("transport") << 0 << QStringLiteral("Connection refused");
        QTest::newRow("decoding") << 1 << QStringLiteral("The AI service's reply couldn't be read (choices: missing key).");
        QTest::newRow("any exception") << 2 << QStringLiteral("disk full");
        QTest::newRow("not an exception") << 3 << QStringLiteral("Unknown error.");
        QTest::newRow("nothing") << 4 << QString();
    }

    void describesOtherFailures()
    {
        QFETCH(int, which);
        QFETCH(QString, expected);
        std::exception_ptr error;
        switch (which) {
        case 0: error = std::make_exception_ptr(TransportError(QNetworkReply::ConnectionRefusedError,
                                                               QStringLiteral("Connection refused"))); break;
        case 1: error = std::make_exception_ptr(DecodingError(QStringLiteral("choices: missing key"))); break;
        case 2: error = std::make_exception_ptr(std::runtime_error("disk full")); break;
        case 3: error = std::make_exception_ptr(42); break;
        default: break;
        }
        QCOMPARE(describeError(error), expected);
    }
};

QTEST_GUILESS_MAIN(AIErrorTest)
#include "AIErrorTest.moc"
