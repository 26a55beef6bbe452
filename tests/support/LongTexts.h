#pragma once

// Long texts the tests give editors and fields: a word with no break in it,
// as a paste can bring, and sentences over and over.

#include <QString>

namespace studio::test {

inline QString endlessWord(qsizetype length)
{
    QString word(length, Qt::Uninitialized);
    for (qsizetype i = 0; i < length; ++i)
        word[i] = QChar(char16_t(u'a' + i % 26));
    return word;
}

inline QString prose(qsizetype length)
{
    const QString sentence = QStringLiteral("The keeper counts the ships that never come. ");
    return sentence.repeated(length / sentence.size() + 1).left(length);
}

} // namespace studio::test
