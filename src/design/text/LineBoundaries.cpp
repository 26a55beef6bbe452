#include "design/text/LineBoundaries.h"

#include <QString>
#include <QTextLayout>

#include <algorithm>

namespace studio {

namespace {

// Whether a cluster can neither reach back over this character nor on past
// it: no mark, joiner, format character, half of a pair or character of a
// script whose clusters follow rules of their own. Between two such
// characters lies a cluster boundary whatever comes before, so the clusters
// after it can be found from there on.
bool isPlain(QChar c)
{
    const QChar s = LineBoundaries::shown(c);
    if (s.isSurrogate())
        return false;
    switch (s.category()) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
    case QChar::Other_Format:
    case QChar::Other_Control:
    case QChar::Other_PrivateUse:
        return false;
    default:
        break;
    }
    const char16_t u = s.unicode();
    return u < 0x0900 || (u >= 0x2000 && u < 0x2C00) || (u >= 0x3040 && u < 0xA000);
}

// Whether the clusters after `at` are found by starting there.
bool isFreshStart(QStringView text, qsizetype at)
{
    return at <= 0 || at >= text.size() || (isPlain(text[at - 1]) && isPlain(text[at]));
}

// The clusters in text[from, to), as a line edit showing the text finds them;
// and the caret position `step` of them finds from `position`.
qsizetype stepInPiece(QStringView text, qsizetype from, qsizetype to, qsizetype position, bool forward)
{
    QString piece(to - from, Qt::Uninitialized);
    for (qsizetype i = from; i < to; ++i)
        piece[i - from] = LineBoundaries::shown(text[i]);
    QTextLayout layout(piece);
    const int at = int(position - from);
    return from + (forward ? layout.nextCursorPosition(at) : layout.previousCursorPosition(at));
}

qsizetype characterStep(QStringView text, qsizetype position, bool forward)
{
    const qsizetype size = text.size();
    if (forward ? position >= size || position < 0 : position <= 0 || position > size)
        return position;
    // Look at the characters around the caret only, from a fresh start before
    // it to one after it; a cluster longer than that widens the look.
    for (qsizetype reach = 256;; reach *= 4) {
        qsizetype from = forward ? position : position - 1;
        const qsizetype fromLimit = std::max<qsizetype>(0, from - reach);
        while (from > fromLimit && !isFreshStart(text, from))
            --from;
        qsizetype to = forward ? position + 1 : position;
        const qsizetype toLimit = std::min(size, to + reach);
        while (to < toLimit && !isFreshStart(text, to))
            ++to;
        const qsizetype found = stepInPiece(text, from, to, position, forward);
        const bool atLooseEdge = forward ? found == to && !isFreshStart(text, to)
                                         : found == from && !isFreshStart(text, from);
        if (!atLooseEdge)
            return found;
    }
}

} // namespace

QChar LineBoundaries::shown(QChar c)
{
    const char16_t u = c.unicode();
    if ((u < 0x20 && u != u'\t') || u == QChar::LineSeparator || u == QChar::ParagraphSeparator
        || u == QChar::ObjectReplacementCharacter)
        return QChar(u' ');
    return c;
}

bool LineBoundaries::isWordSeparator(QChar c)
{
    switch (c.unicode()) {
    case u'.': case u',': case u'?': case u'!': case u'@': case u'#': case u'$': case u':':
    case u';': case u'-': case u'<': case u'>': case u'[': case u']': case u'(': case u')':
    case u'{': case u'}': case u'=': case u'/': case u'+': case u'%': case u'&': case u'^':
    case u'*': case u'\'': case u'"': case u'`': case u'~': case u'|': case u'\\':
        return true;
    default:
        return false;
    }
}

qsizetype LineBoundaries::nextCharacter(QStringView text, qsizetype position)
{
    return characterStep(text, position, true);
}

qsizetype LineBoundaries::previousCharacter(QStringView text, qsizetype position)
{
    return characterStep(text, position, false);
}

qsizetype LineBoundaries::nextWord(QStringView text, qsizetype position)
{
    const qsizetype size = text.size();
    if (position < 0 || position >= size)
        return position;
    if (isWordSeparator(text[position])) {
        ++position;
        while (position < size && isWordSeparator(text[position]))
            ++position;
    } else {
        while (position < size && !isSpace(text[position]) && !isWordSeparator(text[position]))
            ++position;
    }
    while (position < size && isSpace(text[position]))
        ++position;
    return position;
}

qsizetype LineBoundaries::previousWord(QStringView text, qsizetype position)
{
    if (position <= 0 || position > text.size())
        return position;
    while (position > 0 && isSpace(text[position - 1]))
        --position;
    if (position > 0 && isWordSeparator(text[position - 1])) {
        --position;
        while (position > 0 && isWordSeparator(text[position - 1]))
            --position;
    } else {
        while (position > 0 && !isSpace(text[position - 1]) && !isWordSeparator(text[position - 1]))
            --position;
    }
    return position;
}

qsizetype LineBoundaries::characterStart(QStringView text, qsizetype position)
{
    if (position <= 0 || position >= text.size())
        return std::clamp<qsizetype>(position, 0, text.size());
    return previousCharacter(text, position + 1);
}

QString LineBoundaries::oneLine(const QString& text)
{
    const auto breaks = [](QChar c) {
        return c == u'\n' || c == u'\r' || c == u'\t' || c == u'\v' || c == u'\f' || c == QChar::LineSeparator
               || c == QChar::ParagraphSeparator;
    };
    if (std::none_of(text.cbegin(), text.cend(), breaks))
        return text;
    QString line;
    line.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            continue;
        line += breaks(c) ? QChar(u' ') : c;
    }
    return line;
}

QString LineBoundaries::wholeCharacters(const QString& text)
{
    const auto alone = [&text](qsizetype i) {
        const QChar c = text[i];
        if (c.isHighSurrogate())
            return i + 1 >= text.size() || !text[i + 1].isLowSurrogate();
        if (c.isLowSurrogate())
            return i == 0 || !text[i - 1].isHighSurrogate();
        return false;
    };
    qsizetype i = 0;
    while (i < text.size() && !alone(i))
        ++i;
    if (i == text.size())
        return text;
    QString whole = text.left(i);
    for (; i < text.size(); ++i) {
        if (!alone(i))
            whole += text[i];
    }
    return whole;
}

} // namespace studio
