#include "support/AccessibleProbe.h"

#include <QAccessible>
#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QRect>

#include <cxxabi.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <typeinfo>

using namespace Qt::StringLiterals;

namespace studio::test::probe {

namespace {

// One question longer than this is a hang or a loop over far more than the
// text: every object here holds a sample production's texts.
constexpr qint64 slowMs = 500;
constexpr int deepest = 40;
constexpr int most = 6000;
constexpr int billion = 1'000'000'000;

QByteArray kindOf(QAccessibleInterface* iface)
{
    const char* mangled = typeid(*iface).name();
    int status = 0;
    char* plain = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    QByteArray kind = status == 0 && plain ? QByteArray(plain) : QByteArray(mangled);
    std::free(plain);
    kind.replace("studio::", "").replace("(anonymous namespace)::", "");
    return kind;
}

QString shown(const QString& text)
{
    QString one = text.left(40);
    one.replace(u'\n', u' ').replace(u'\t', u' ').replace(u'\r', u' ');
    return u'«' + one + (text.size() > 40 ? u"…»"_s : u"»"_s);
}

QString boundaryName(QAccessible::TextBoundaryType b)
{
    switch (b) {
    case QAccessible::CharBoundary: return u"char"_s;
    case QAccessible::WordBoundary: return u"word"_s;
    case QAccessible::SentenceBoundary: return u"sentence"_s;
    case QAccessible::ParagraphBoundary: return u"paragraph"_s;
    case QAccessible::LineBoundary: return u"line"_s;
    case QAccessible::NoBoundary: return u"none"_s;
    }
    return u"?"_s;
}

struct Object {
    QAccessibleInterface* iface = nullptr;
    QString path;
    QByteArray kind;
    QString label;
};

class Prober {
public:
    Prober(QAccessibleInterface* stranger, Progress* progress, const Skips& skips, int fd)
        : m_stranger(stranger)
        , m_progress(progress)
        , m_skips(skips)
        , m_fd(fd)
    {
    }

    void walk(QAccessibleInterface* root)
    {
        m_seen.insert(root, u"0"_s);
        visit(Object{root, u"0"_s, kindOf(root), {}}, 0);
        write("done " + QByteArray::number(m_objects) + '\n');
    }

private:
    // Asks one question: numbered, timed, and left out (nothing) when an
    // earlier run died on it or asked it already.
    template <class F>
    auto ask(const Object& o, const char* family, const QString& question, F&& f) -> std::optional<decltype(f())>
    {
        const long number = m_next++;
        const bool walking = qstrcmp(family, "tree") == 0;
        if (m_skips.questions.contains(number))
            return std::nullopt;
        if (!walking && (number < m_skips.resumeFrom || m_skips.kinds.contains(o.kind + '/' + family)))
            return std::nullopt;
        std::snprintf(m_progress->kind, sizeof m_progress->kind, "%s/%s", o.kind.constData(), family);
        std::snprintf(m_progress->object, sizeof m_progress->object, "%s", qPrintable(o.label));
        std::snprintf(m_progress->question, sizeof m_progress->question, "%s", qPrintable(question));
        m_progress->asking.store(number, std::memory_order_release);
        QElapsedTimer timer;
        timer.start();
        auto answer = f();
        if (const qint64 ms = timer.elapsed(); ms > slowMs)
            fault(o, family, question + u" takes "_s + QString::number(ms) + u" ms"_s);
        return answer;
    }

    void fault(const Object& o, const char* family, QString what)
    {
        QString label = o.label;
        label.replace(u'\n', u' ').replace(u'\t', u' ');
        what.replace(u'\n', u' ').replace(u'\t', u' ');
        write(QByteArray(family) + '\t' + o.kind + '\t' + label.toUtf8() + '\t' + what.toUtf8() + '\n');
    }

    void write(const QByteArray& bytes)
    {
        for (qsizetype done = 0; done < bytes.size();) {
            const ssize_t n = ::write(m_fd, bytes.constData() + done, size_t(bytes.size() - done));
            if (n <= 0)
                return;
            done += n;
        }
    }

    QString describe(QAccessibleInterface* iface) const
    {
        const QString at = m_seen.value(iface);
        return at.isEmpty() ? QString::fromUtf8(kindOf(iface)) : at;
    }

    void visit(Object o, int depth)
    {
        ++m_objects;
        o.label = o.path + u' ' + QString::fromUtf8(o.kind);
        QAccessibleInterface* const it = o.iface;
        const auto valid = ask(o, "tree", u"isValid()"_s, [&] { return it->isValid(); });
        if (valid && !*valid) {
            fault(o, "tree", u"is reached while it is not valid"_s);
            return;
        }
        askObject(o);
        const QList<Object> children = askChildren(o);
        if (const QAccessibleTextInterface* text = it->textInterface())
            askText(o, const_cast<QAccessibleTextInterface*>(text));
        askValueAndActions(o);
        if (depth >= deepest && !children.isEmpty()) {
            fault(o, "tree", u"has children deeper than "_s + QString::number(deepest) + u" levels"_s);
            return;
        }
        for (const Object& child : children) {
            if (m_objects >= most) {
                fault(o, "tree", u"is past the "_s + QString::number(most) + u" objects a window may hold"_s);
                return;
            }
            visit(child, depth + 1);
        }
    }

    void askObject(Object& o)
    {
        QAccessibleInterface* const it = o.iface;
        const auto role = ask(o, "tree", u"role()"_s, [&] { return it->role(); });
        const auto name = ask(o, "tree", u"text(Name)"_s, [&] { return it->text(QAccessible::Name); });
        o.label = o.path + u' ' + QString::fromUtf8(o.kind) + u' ' + shown(name.value_or(QString())) + u" role "_s
            + QString::number(role.value_or(QAccessible::NoRole), 16);
        for (QAccessible::Text t : {QAccessible::Description, QAccessible::Value, QAccessible::Help, QAccessible::Accelerator})
            ask(o, "object", u"text("_s + QString::number(t) + u')', [&] { return it->text(t); });
        ask(o, "object", u"state()"_s, [&] { return it->state(); });
        ask(o, "object", u"rect()"_s, [&] { return it->rect(); });
        ask(o, "object", u"window()"_s, [&] { return it->window(); });
        ask(o, "object", u"focusChild()"_s, [&] { return it->focusChild(); });
        ask(o, "object", u"relations()"_s, [&] { return it->relations().size(); });
    }

    QList<Object> askChildren(const Object& o)
    {
        QAccessibleInterface* const it = o.iface;
        QList<Object> children;
        const int count = ask(o, "tree", u"childCount()"_s, [&] { return it->childCount(); }).value_or(0);
        if (count < 0)
            fault(o, "tree", u"counts "_s + QString::number(count) + u" children"_s);
        for (int i = 0; i < qMin(count, most); ++i) {
            const QString question = u"child("_s + QString::number(i) + u") of "_s + QString::number(count);
            const auto child = ask(o, "tree", question, [&] { return it->child(i); });
            if (!child)
                continue;
            if (!*child) {
                fault(o, "tree", question + u" is nothing"_s);
                continue;
            }
            QAccessibleInterface* const c = *child;
            const auto index = ask(o, "children", u"indexOfChild(child "_s + QString::number(i) + u')',
                                   [&] { return it->indexOfChild(c); });
            if (index && *index != i)
                fault(o, "children", question + u" has the index "_s + QString::number(*index));
            const auto parent = ask(o, "children", question + u"->parent()"_s, [&] { return c->parent(); });
            if (parent && *parent != it)
                fault(o, "children", question + u" has another parent: "_s
                          + (*parent ? describe(*parent) : u"none"_s));
            const QString path = o.path + u'/' + QString::number(i);
            if (m_seen.contains(c)) {
                fault(o, "tree", question + u" is reached again (first at "_s + m_seen.value(c) + u')');
                continue;
            }
            m_seen.insert(c, path);
            children << Object{c, path, kindOf(c), {}};
        }
        // Children that are not there.
        for (int index : {-1, count, count + 1, billion, INT_MAX, INT_MIN}) {
            const QString question = u"child("_s + QString::number(index) + u") of "_s + QString::number(count);
            const auto child = ask(o, "children", question, [&] { return it->child(index); });
            if (child && *child)
                fault(o, "children", question + u" answers "_s + describe(*child));
        }
        const auto parent = ask(o, "tree", u"parent()"_s, [&] { return it->parent(); });
        QList<std::pair<QString, QAccessibleInterface*>> strangers{
            {u"itself"_s, it}, {u"a stranger"_s, m_stranger}, {u"nothing"_s, nullptr}};
        if (parent && *parent)
            strangers.append({u"its parent"_s, *parent});
        for (const auto& pair : strangers) {
            const QString& who = pair.first;
            QAccessibleInterface* const stranger = pair.second;
            const auto index = ask(o, "children", u"indexOfChild("_s + who + u')', [&] { return it->indexOfChild(stranger); });
            if (index && *index != -1)
                fault(o, "children", u"indexOfChild("_s + who + u") answers "_s + QString::number(*index));
        }
        askChildAt(o);
        return children;
    }

    void askChildAt(const Object& o)
    {
        QAccessibleInterface* const it = o.iface;
        for (const QPoint far : {QPoint(-100000, -100000), QPoint(INT_MAX / 2, INT_MAX / 2)}) {
            const auto at = ask(o, "children", u"childAt(far outside)"_s, [&] { return it->childAt(far.x(), far.y()); });
            if (at && *at)
                fault(o, "children", u"childAt(far outside) answers "_s + describe(*at));
        }
        const QRect area = ask(o, "tree", u"rect()"_s, [&] { return it->rect(); }).value_or(QRect());
        if (area.isEmpty())
            return;
        const QPoint inside = area.center();
        const auto at = ask(o, "children", u"childAt(inside)"_s, [&] { return it->childAt(inside.x(), inside.y()); });
        if (!at || !*at)
            return;
        const int index = *at == it ? -1 : ask(o, "children", u"indexOfChild(childAt(inside))"_s, [&] {
            return it->indexOfChild(*at);
        }).value_or(0);
        if (index < 0) {
            fault(o, "children", u"childAt(inside) answers "_s + (*at == it ? u"itself"_s : describe(*at))
                      + u", not a child"_s);
            return;
        }
        // What the bridge does for the object under a point: descend from
        // child to child until none is under it.
        const auto ends = ask(o, "children", u"childAt(inside), down to the last"_s, [&] {
            QSet<QAccessibleInterface*> passed{it};
            QAccessibleInterface* under = *at;
            for (int level = 0; under && level < 64; ++level) {
                if (passed.contains(under))
                    return false;
                passed.insert(under);
                under = under->childAt(inside.x(), inside.y());
            }
            return !under;
        });
        if (ends && !*ends)
            fault(o, "children", u"childAt(inside) leads round in a circle"_s);
    }

    void askText(const Object& o, QAccessibleTextInterface* t)
    {
        const int n = ask(o, "tree", u"characterCount()"_s, [&] { return t->characterCount(); }).value_or(0);
        if (n < 0) {
            fault(o, "text", u"counts "_s + QString::number(n) + u" characters"_s);
            return;
        }
        const QString count = u" of "_s + QString::number(n);
        QList<int> offsets;
        for (int offset : {-1, 0, n / 2, n, n + 1, billion}) {
            if (!offsets.contains(offset))
                offsets << offset;
        }
        const auto outside = [n](int offset) { return offset < 0 || offset > n; };
        askBoundaries(o, t, n, offsets);

        // Ranges.
        if (const auto whole = ask(o, "text", u"text(0, n)"_s + count, [&] { return t->text(0, n); });
            whole && whole->size() != n)
            fault(o, "text", u"text(0, n)"_s + count + u" holds "_s + QString::number(whole->size()) + u" characters"_s);
        const QList<std::pair<int, int>> nowhere{{n + 1, n + 5}, {billion, billion + 5}, {-10, -1}};
        for (const auto& range : nowhere) {
            const int from = range.first;
            const int to = range.second;
            const QString question = u"text("_s + QString::number(from) + u", "_s + QString::number(to) + u')' + count;
            if (const auto piece = ask(o, "text", question, [&] { return t->text(from, to); }); piece && !piece->isEmpty())
                fault(o, "text", question + u" answers "_s + shown(*piece));
        }
        if (const auto all = ask(o, "text", u"text(-5, 10^9)"_s + count, [&] { return t->text(-5, billion); });
            all && all->size() > n)
            fault(o, "text", u"text(-5, 10^9)"_s + count + u" answers more than the text"_s);

        // Places.
        for (int offset : offsets) {
            const QString question = u"characterRect("_s + QString::number(offset) + u')' + count;
            const auto r = ask(o, "text", question, [&] { return t->characterRect(offset); });
            if (r && outside(offset) && !r->isEmpty())
                fault(o, "text", question + u" answers a rectangle"_s);
        }
        ask(o, "text", u"the union of characterRect(0…n)"_s + count, [&] {
            QRect all;
            for (int i = 0; i <= n; ++i)
                all |= t->characterRect(i);
            return all;
        });
        const QRect area = ask(o, "tree", u"rect()"_s, [&] { return o.iface->rect(); }).value_or(QRect());
        for (const QPoint point : {area.center(), QPoint(-100000, -100000)}) {
            const auto at = ask(o, "text", u"offsetAtPoint"_s, [&] { return t->offsetAtPoint(point); });
            if (at && (*at < -1 || *at > n))
                fault(o, "text", u"offsetAtPoint answers "_s + QString::number(*at) + count);
        }

        // Caret, selections, attributes.
        if (const auto caret = ask(o, "text", u"cursorPosition()"_s, [&] { return t->cursorPosition(); });
            caret && (*caret < 0 || *caret > n))
            fault(o, "text", u"cursorPosition() answers "_s + QString::number(*caret) + count);
        const int selections = ask(o, "tree", u"selectionCount()"_s, [&] { return t->selectionCount(); }).value_or(0);
        for (int index : {-1, 0, selections, billion}) {
            int start = -2, end = -2;
            const QString question = u"selection("_s + QString::number(index) + u')';
            ask(o, "text", question, [&] { t->selection(index, &start, &end); return 0; });
            const bool unset = start == -2 && end == -2;
            if (!unset && (start < -1 || end < -1 || start > n || end > n || (start >= 0 && end < start)))
                fault(o, "text", question + u" answers "_s + QString::number(start) + u".."_s + QString::number(end) + count);
        }
        for (int offset : offsets) {
            int start = -2, end = -2;
            const QString question = u"attributes("_s + QString::number(offset) + u')';
            const auto attributes = ask(o, "text", question, [&] { return t->attributes(offset, &start, &end); });
            if (!attributes)
                continue;
            // The bridge reads every "name:value;" pair's value unchecked.
            for (const QString& pair : attributes->split(u';', Qt::SkipEmptyParts)) {
                if (pair.split(u':', Qt::SkipEmptyParts).size() < 2)
                    fault(o, "text", question + u" has an attribute without a value: "_s + shown(pair));
            }
        }
    }

    void askBoundaries(const Object& o, QAccessibleTextInterface* t, int n, const QList<int>& offsets)
    {
        enum Side { before, at, after };
        const QString count = u" of "_s + QString::number(n);
        for (Side side : {at, before, after}) {
            for (QAccessible::TextBoundaryType b :
                 {QAccessible::CharBoundary, QAccessible::WordBoundary, QAccessible::SentenceBoundary,
                  QAccessible::ParagraphBoundary, QAccessible::LineBoundary, QAccessible::NoBoundary}) {
                for (int offset : offsets) {
                    const QString question = (side == at ? u"textAtOffset("_s : side == before ? u"textBeforeOffset("_s
                                                                                               : u"textAfterOffset("_s)
                        + QString::number(offset) + u", "_s + boundaryName(b) + u')' + count;
                    int start = -2, end = -2;
                    const auto piece = ask(o, "boundaries", question, [&] {
                        return side == at ? t->textAtOffset(offset, b, &start, &end)
                            : side == before ? t->textBeforeOffset(offset, b, &start, &end)
                                             : t->textAfterOffset(offset, b, &start, &end);
                    });
                    if (!piece || piece->isEmpty())
                        continue;
                    if (offset < 0 || offset > n) {
                        fault(o, "boundaries", question + u" answers "_s + shown(*piece));
                        continue;
                    }
                    if (start < 0 || end > n || start > end) {
                        fault(o, "boundaries", question + u" answers "_s + shown(*piece) + u" at "_s
                                  + QString::number(start) + u".."_s + QString::number(end));
                        continue;
                    }
                    const auto between = ask(o, "text", u"text(start, end)"_s, [&] { return t->text(start, end); });
                    if (between && *between != *piece)
                        fault(o, "boundaries", question + u" answers "_s + shown(*piece) + u" at "_s
                                  + QString::number(start) + u".."_s + QString::number(end) + u", which holds "_s
                                  + shown(*between));
                }
            }
        }
    }

    void askValueAndActions(const Object& o)
    {
        QAccessibleInterface* const it = o.iface;
        if (QAccessibleValueInterface* value = it->valueInterface()) {
            ask(o, "value", u"currentValue()"_s, [&] { return value->currentValue(); });
            ask(o, "value", u"minimumValue()"_s, [&] { return value->minimumValue(); });
            ask(o, "value", u"maximumValue()"_s, [&] { return value->maximumValue(); });
            ask(o, "value", u"minimumStepSize()"_s, [&] { return value->minimumStepSize(); });
        }
        if (QAccessibleActionInterface* action = it->actionInterface()) {
            const QStringList names = ask(o, "action", u"actionNames()"_s, [&] { return action->actionNames(); })
                                          .value_or(QStringList());
            for (const QString& name : names) {
                ask(o, "action", u"localizedActionName("_s + name + u')', [&] { return action->localizedActionName(name); });
                ask(o, "action", u"localizedActionDescription("_s + name + u')',
                    [&] { return action->localizedActionDescription(name); });
                ask(o, "action", u"keyBindingsForAction("_s + name + u')', [&] { return action->keyBindingsForAction(name); });
            }
        }
    }

    QAccessibleInterface* m_stranger;
    Progress* m_progress;
    const Skips& m_skips;
    int m_fd;
    long m_next = 0;
    int m_objects = 0;
    QHash<QAccessibleInterface*, QString> m_seen;
};

} // namespace

void askAll(QAccessibleInterface* root, QAccessibleInterface* stranger, Progress* progress, const Skips& skips, int fd)
{
    Prober(stranger, progress, skips, fd).walk(root);
}

Fault Fault::parse(const QByteArray& line)
{
    const QList<QByteArray> parts = line.split('\t');
    if (parts.size() != 4)
        return {};
    return {parts[0], parts[1], QString::fromUtf8(parts[2]), QString::fromUtf8(parts[3])};
}

} // namespace studio::test::probe
