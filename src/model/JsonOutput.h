#pragma once

#include <QByteArray>
#include <QLatin1StringView>
#include <QStringView>
#include <QUuid>

namespace studio::json {

// The text of a document being written, in QJsonDocument's layout: indented
// with four spaces per level or compact, strings escaped and numbers
// formatted exactly as QJsonDocument::toJson writes them, so files keep their
// bytes whichever writer made them. Each encode has its own; nothing is
// shared between threads.
class Output {
public:
    enum class Style { indented, compact };
    explicit Output(Style style);

    bool indented() const { return m_indented; }

    void put(char c)
    {
        *room(1) = c;
        ++m_used;
    }
    void put(const char* text, qsizetype size);
    // A line break and the indentation of a member at that depth (indented
    // style only).
    void breakLine(int depth);

    void string(QStringView s);
    void string(QLatin1StringView s);
    void integer(qint64 n);
    void number(double d); // throws EncodingError for NaN and infinities
    void boolean(bool b) { b ? put("true", 4) : put("false", 5); }
    // Upper-case canonical text, as uuidString() gives it.
    void uuid(const QUuid& id);

    QByteArray take();

private:
    char* room(qsizetype size)
    {
        if (m_bytes.size() - m_used < size)
            grow(size);
        return m_bytes.data() + m_used;
    }
    void grow(qsizetype size);

    QByteArray m_bytes; // allocated ahead; only the first m_used bytes are written
    qsizetype m_used = 0;
    bool m_indented;
};

} // namespace studio::json
