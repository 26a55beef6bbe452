#include "design/text/LongText.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <cmath>

namespace studio {

namespace {

// Whether a run without white space has a stretch longer than limit between
// two line break opportunities.
bool runHasUnbreakableStretch(QStringView run, qsizetype limit)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Line, run.data(), run.size());
    qsizetype previous = 0;
    for (qsizetype next = finder.toNextBoundary(); next != -1; next = finder.toNextBoundary()) {
        if (next - previous > limit)
            return true;
        previous = next;
    }
    return run.size() - previous > limit;
}

} // namespace

bool LongText::hasUnbreakableRun(QStringView text, qsizetype limit)
{
    if (text.size() <= limit)
        return false;
    // Only runs without white space longer than the limit are asked about
    // their break opportunities: prose never is.
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !text[i].isSpace())
            continue;
        if (i - start > limit && runHasUnbreakableStretch(text.sliced(start, i - start), limit))
            return true;
        start = i + 1;
    }
    return false;
}

QTextOption::WrapMode LongText::wrapMode(QStringView text)
{
    return hasUnbreakableRun(text) ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere;
}

qsizetype LongText::estimatedLines(QStringView text, qreal advance, qreal width)
{
    const qreal perLine = std::max<qreal>(1, width / std::max<qreal>(0.1, advance * 1.05));
    qsizetype lines = 0;
    for (QStringView paragraph : text.tokenize(u'\n'))
        lines += std::max<qsizetype>(1, qsizetype(std::ceil(qreal(paragraph.size()) / perLine)));
    return std::max<qsizetype>(1, lines);
}

} // namespace studio
