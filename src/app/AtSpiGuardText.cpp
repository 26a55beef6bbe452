// The Text and EditableText requests the guard answers itself.
//
// Offsets a reader gives are positions in the text as the program's text
// interfaces count them (UTF-16 units). No request may leave half of a
// character in a text: a position between the two halves of a surrogate pair
// is moved before the pair (a caret inside a cluster goes before it too), and
// a range that ends inside one grows to hold it. An insertion's length counts characters, as readers count them. A
// request with an offset outside the text, or a range that runs backwards,
// changes nothing and answers false; so does an edit of a text that does not
// show; one that the object could not carry out answers false too, so a
// reader is never told that what did not happen did.

#include "app/AtSpiGuardAnswers.h"
#include "design/text/LineBoundaries.h"

#include <QAccessible>
#include <QClipboard>
#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QRect>

#include <optional>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

// A piece of text as GetBoundedRanges answers it.
struct BoundedRange {
    int start = 0;
    int end = 0;
    QString content;
    QDBusVariant data;
};

QDBusArgument& operator<<(QDBusArgument& out, const BoundedRange& range)
{
    out.beginStructure();
    out << range.start << range.end << range.content << range.data;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, BoundedRange& range)
{
    in.beginStructure();
    in >> range.start >> range.end >> range.content >> range.data;
    in.endStructure();
    return in;
}

} // namespace

Q_DECLARE_METATYPE(BoundedRange)

namespace studio::atspi {

namespace {

// How the bridge names the two coordinate systems it knows.
constexpr uint windowCoordinates = 1;
// AT-SPI's boundary types run from a character (0) to a line's end (6), its
// granularities from a character (0) to a paragraph (4).
constexpr uint lastBoundary = 6;
constexpr QAccessible::TextBoundaryType granularities[]
    = {QAccessible::CharBoundary, QAccessible::WordBoundary, QAccessible::SentenceBoundary, QAccessible::LineBoundary,
       QAccessible::ParagraphBoundary};

int intArgument(const QDBusMessage& message, int index)
{
    return message.arguments().value(index).toInt();
}

bool reply(const QDBusMessage& message, const QDBusConnection& connection, const QVariant& answer)
{
    return connection.send(message.createReply(answer));
}

// A reply of several values.
bool replyAll(const QDBusMessage& message, const QDBusConnection& connection, const QList<QVariant>& answers)
{
    return connection.send(message.createReply(answers));
}

// Whether `offset` falls between the two halves of a surrogate pair. A text
// answers a range that cuts a pair with the whole character: the two units
// around `offset` come back as they are, two of them, only when they hold no
// pair but themselves.
bool splitsPair(QAccessibleTextInterface* text, int offset)
{
    if (offset <= 0 || offset >= text->characterCount())
        return false;
    const QString around = text->text(offset - 1, offset + 1);
    return around.size() == 2 && LineBoundaries::splitsPair(around, 1);
}

int snapBack(QAccessibleTextInterface* text, int offset)
{
    return splitsPair(text, offset) ? offset - 1 : offset;
}

int snapForward(QAccessibleTextInterface* text, int offset)
{
    return splitsPair(text, offset) ? offset + 1 : offset;
}

bool inText(QAccessibleTextInterface* text, qint64 offset)
{
    return offset >= 0 && offset <= text->characterCount();
}

// The range from `start` to `end` (-1: the text's end) if it lies in the text
// and does not run backwards, grown to whole characters.
std::optional<std::pair<int, int>> rangeIn(QAccessibleTextInterface* text, int start, int end)
{
    if (end == -1)
        end = text->characterCount();
    if (!inText(text, start) || !inText(text, end) || end < start)
        return std::nullopt;
    return std::pair{snapBack(text, start), snapForward(text, end)};
}

// The first `count` characters of `text`, a surrogate pair counting one.
QString firstCharacters(const QString& text, qsizetype count)
{
    qsizetype units = 0;
    for (; units < text.size() && count > 0; --count) {
        const bool pair = text.at(units).isHighSurrogate() && units + 1 < text.size()
            && text.at(units + 1).isLowSurrogate();
        units += pair ? 2 : 1;
    }
    return text.left(units);
}

// The rectangle of the characters from `start` to `end` (not the one at
// `end`: the bridge unites that too, so a wrapped line's box would take in
// the start of the next, and a reader's review would read two lines as one
// place). One character's place can cost as
// much as laying out its whole line (half a millisecond in a megabyte
// line), so a long range is sampled: its first and last characters, then
// the middles of the stretches between them, finer and finer, for as long
// as a reader can wait. A short range is told whole.
QRect unitedRect(QAccessibleTextInterface* text, int start, int end)
{
    constexpr int whole = 512;
    constexpr qint64 waitMs = 40;
    QRect all;
    if (end - start <= whole) {
        for (int i = start; i < end; ++i)
            all |= text->characterRect(i);
        return all;
    }
    QElapsedTimer spent;
    spent.start();
    all = text->characterRect(start) | text->characterRect(end - 1);
    const qint64 span = qint64(end) - start;
    // Once the stretches are a character long, every offset was asked.
    for (qint64 parts = 2; parts / 2 < span; parts *= 2) {
        for (qint64 k = 1; k < parts; k += 2) {
            if (spent.elapsed() >= waitMs)
                return all;
            all |= text->characterRect(int(start + span * k / parts));
        }
    }
    return all;
}

QAccessibleInterface* windowOf(QAccessibleInterface* iface)
{
    for (int level = 0; iface && level < 256; ++level, iface = iface->parent()) {
        if (iface->role() == QAccessible::Window || iface->role() == QAccessible::Dialog)
            return iface;
    }
    return nullptr;
}

QList<QVariant> rangeExtents(QAccessibleInterface* iface, const QDBusMessage& message)
{
    QAccessibleTextInterface* text = iface->textInterface();
    const int count = text->characterCount();
    const int start = qBound(0, intArgument(message, 0), count);
    const int asked = intArgument(message, 1);
    // -1 runs to the end.
    const int end = asked == -1 ? count : qBound(0, asked, count);
    if (end <= start)
        return {-1, -1, 0, 0};
    QRect united = unitedRect(text, start, end);
    if (message.arguments().at(2).toUInt() == windowCoordinates) {
        if (QAccessibleInterface* window = windowOf(iface))
            united.translate(-window->rect().topLeft());
    }
    return {united.x(), united.y(), united.width(), united.height()};
}

// Selects `range` as selection `index`; whether it reads back so (an empty
// range: whether there is no such selection now).
bool select(QAccessibleTextInterface* text, int index, std::pair<int, int> range)
{
    text->setSelection(index, range.first, range.second);
    int start = -1;
    int end = -1;
    text->selection(index, &start, &end);
    if (range.first == range.second)
        return start == end || text->selectionCount() <= index;
    return start == range.first && end == range.second;
}

// Inserts `inserted` at `position` (in the text); whether the text took it
// (a one-line text on one line).
bool insert(QAccessibleInterface* iface, int position, const QString& inserted)
{
    QAccessibleTextInterface* text = iface->textInterface();
    const int before = text->characterCount();
    iface->editableTextInterface()->insertText(snapBack(text, position), inserted);
    const qsizetype grown = text->characterCount() - before;
    return grown == inserted.size() || grown == LineBoundaries::oneLine(inserted).size();
}

bool remove(QAccessibleInterface* iface, std::pair<int, int> range)
{
    QAccessibleTextInterface* text = iface->textInterface();
    const int before = text->characterCount();
    iface->editableTextInterface()->deleteText(range.first, range.second);
    return text->characterCount() == before - (range.second - range.first);
}

} // namespace

bool moveCaret(QAccessibleTextInterface* text, qint64 offset)
{
    if (!inText(text, offset))
        return false;
    const int at = snapBack(text, int(offset));
    text->setCursorPosition(at);
    // Inside a character (a cluster of several) the caret goes to its start.
    const int now = text->cursorPosition();
    if (now == at)
        return true;
    const QString character = text->text(now, std::min(at + 1, text->characterCount()));
    return now >= 0 && now < at && LineBoundaries::nextCharacter(character, 0) > at - now;
}

bool answerText(QAccessibleInterface* iface, const QDBusMessage& message, const QDBusConnection& connection)
{
    QAccessibleTextInterface* text = iface->textInterface();
    if (!text) {
        return refuse(message, connection, u"org.freedesktop.DBus.Error.UnknownInterface"_s,
                      message.path() + u" has no text"_s);
    }
    const QString member = message.member();
    if (member == u"GetRangeExtents")
        return replyAll(message, connection, rangeExtents(iface, message));
    // The text within a box: none is told (the bridge means to tell none, and
    // never answers).
    if (member == u"GetBoundedRanges") {
        static const bool registered
            = (qDBusRegisterMetaType<BoundedRange>(), qDBusRegisterMetaType<QList<BoundedRange>>(), true);
        Q_UNUSED(registered);
        return reply(message, connection, QVariant::fromValue(QList<BoundedRange>()));
    }
    if (member == u"GetTextAtOffset" || member == u"GetTextBeforeOffset" || member == u"GetTextAfterOffset") {
        const uint boundary = message.arguments().at(1).toUInt();
        if (boundary > lastBoundary) {
            return refuse(message, connection, invalidArgs,
                          u"Boundary type %1 is none of AT-SPI's (0 to %2)"_s.arg(boundary).arg(lastBoundary));
        }
        return false;
    }
    if (member == u"GetStringAtOffset") {
        const uint granularity = message.arguments().at(1).toUInt();
        constexpr uint lastGranularity = std::size(granularities) - 1;
        if (granularity > lastGranularity) {
            return refuse(message, connection, invalidArgs,
                          u"Granularity %1 is none of AT-SPI's (0 to %2)"_s.arg(granularity).arg(lastGranularity));
        }
        int start = -1;
        int end = -1;
        const QString piece = text->textAtOffset(intArgument(message, 0), granularities[granularity], &start, &end);
        return replyAll(message, connection, {piece, start, end});
    }
    // The character's code (the bridge tells the first byte of its local
    // encoding); a pair's whole character from either half; none out of range.
    if (member == u"GetCharacterAtOffset") {
        const int offset = intArgument(message, 0);
        if (offset < 0 || offset >= text->characterCount())
            return reply(message, connection, 0);
        const int start = snapBack(text, offset);
        const QString character = text->text(start, snapForward(text, start + 1));
        return reply(message, connection, character.isEmpty() ? 0 : int(character.toUcs4().value(0)));
    }
    if (member == u"SetCaretOffset")
        return reply(message, connection, moveCaret(text, intArgument(message, 0)));
    if (member == u"SetSelection") {
        const int index = intArgument(message, 0);
        const auto range = rangeIn(text, intArgument(message, 1), intArgument(message, 2));
        if (index < 0 || index >= qMax(1, text->selectionCount()) || !range)
            return reply(message, connection, false);
        return reply(message, connection, select(text, index, *range));
    }
    if (member == u"AddSelection") {
        const auto range = rangeIn(text, intArgument(message, 0), intArgument(message, 1));
        if (!range || range->first == range->second)
            return reply(message, connection, false);
        const int before = text->selectionCount();
        text->addSelection(range->first, range->second);
        return reply(message, connection, text->selectionCount() > before);
    }
    if (member == u"RemoveSelection") {
        const int index = intArgument(message, 0);
        const int before = text->selectionCount();
        if (index < 0 || index >= before)
            return reply(message, connection, false);
        text->removeSelection(index);
        return reply(message, connection, text->selectionCount() < before);
    }
    return false;
}

bool answerEditableText(QAccessibleInterface* iface, const QDBusMessage& message, const QDBusConnection& connection)
{
    QAccessibleTextInterface* text = iface->textInterface();
    const QString member = message.member();
    // A password gives nothing of itself, and a cut would take its characters
    // away with nothing to show for them: a password field refuses both, as
    // it refuses the keys.
    if ((member == u"CopyText" || member == u"CutText") && iface->state().passwordEdit)
        return reply(message, connection, false);
    if (member == u"CopyText") {
        // Without a text interface the bridge copies the object's value.
        if (!text)
            return false;
        const auto range = rangeIn(text, intArgument(message, 0), intArgument(message, 1));
        const QString copied = range ? text->text(range->first, range->second) : QString();
        if (copied.isEmpty())
            return reply(message, connection, false);
        QGuiApplication::clipboard()->setText(copied);
        return reply(message, connection, true);
    }
    // Nothing to edit: the bridge would pad the text to any offset it is told.
    // Nor is what does not show edited: the user could not see the change.
    if (!iface->editableTextInterface() || !text || !isShowing(iface))
        return reply(message, connection, false);
    if (member == u"SetTextContents") {
        const QString wanted = LineBoundaries::wholeCharacters(message.arguments().at(0).toString());
        iface->editableTextInterface()->replaceText(0, text->characterCount(), wanted);
        // A password reads as its mask, one for each of its own.
        // A one-line text takes it on one line.
        const QString now = text->text(0, text->characterCount());
        const bool masked = iface->state().passwordEdit;
        const QString line = LineBoundaries::oneLine(wanted);
        return reply(message, connection,
                     masked ? now.size() == wanted.size() || now.size() == line.size() : now == wanted || now == line);
    }
    if (member == u"InsertText") {
        const int position = intArgument(message, 0);
        const int length = intArgument(message, 2);
        if (!inText(text, position) || length < 0)
            return reply(message, connection, false);
        // As long as the reader says, in characters, and no longer than it is.
        const QString inserted = firstCharacters(message.arguments().at(1).toString(), length);
        return reply(message, connection, insert(iface, position, inserted));
    }
    if (member == u"PasteText") {
        const int position = intArgument(message, 0);
        const QString pasted = QGuiApplication::clipboard()->text();
        if (!inText(text, position) || pasted.isEmpty())
            return reply(message, connection, false);
        return reply(message, connection, insert(iface, position, pasted));
    }
    if (member == u"DeleteText" || member == u"CutText") {
        const auto range = rangeIn(text, intArgument(message, 0), intArgument(message, 1));
        if (!range || (member == u"CutText" && range->first == range->second))
            return reply(message, connection, false);
        if (member == u"CutText")
            QGuiApplication::clipboard()->setText(text->text(range->first, range->second));
        return reply(message, connection, remove(iface, *range));
    }
    return false;
}

} // namespace studio::atspi
