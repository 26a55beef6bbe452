#pragma once

// A failure of the download or install, carrying the text shown after
// "Update failed: ". Caught inside UpdateService; it never reaches a caller.

#include <QByteArray>
#include <QString>
#include <exception>

namespace studio {

class UpdateError : public std::exception {
public:
    explicit UpdateError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

    // The updater's own failures.
    static QString unpackFailed() { return QStringLiteral("The archive couldn't be unpacked."); }
    static QString noApp() { return QStringLiteral("No app found inside the update archive."); }

private:
    QString m_message;
    QByteArray m_utf8;
};

} // namespace studio
