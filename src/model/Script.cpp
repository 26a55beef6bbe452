#include "model/Script.h"
#include "model/Text.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace studio {

const QList<ScriptElementKindRow>& EnumTable<ScriptElementKind>::rows()
{
    static const QList<ScriptElementKindRow> table = {
        {ScriptElementKind::sceneHeading, u"sceneHeading"_s, u"Scene Heading"_s},
        {ScriptElementKind::action, u"action"_s, u"Action"_s},
        {ScriptElementKind::character, u"character"_s, u"Character"_s},
        {ScriptElementKind::parenthetical, u"parenthetical"_s, u"Parenthetical"_s},
        {ScriptElementKind::dialogue, u"dialogue"_s, u"Dialogue"_s},
        {ScriptElementKind::transition, u"transition"_s, u"Transition"_s},
    };
    return table;
}

ScriptElement ScriptElement::fromJson(const json::Reader& r)
{
    return ScriptElement{
        .id = r.required<QUuid>("id"_L1),
        .kind = r.required<ScriptElementKind>("kind"_L1),
        .text = r.required<QString>("text"_L1),
    };
}

void ScriptElement::toJson(json::Writer& w) const
{
    w.set("id"_L1, id);
    w.set("kind"_L1, kind);
    w.set("text"_L1, text);
}

namespace {

constexpr double actionCharactersPerLine = 58.0;
constexpr double dialogueCharactersPerLine = 34.0;

double wrappedLines(const QString& text, double charactersPerLine)
{
    return std::max(std::ceil(double(text::graphemeCount(text)) / charactersPerLine), 1.0);
}

} // namespace

double ScriptDocument::estimatedLines(const ScriptElement& e)
{
    switch (e.kind) {
    case ScriptElementKind::sceneHeading:
    case ScriptElementKind::character:
    case ScriptElementKind::transition:
        return 2.0;
    case ScriptElementKind::action:
        return wrappedLines(e.text, actionCharactersPerLine) + 1.0;
    case ScriptElementKind::parenthetical:
        return 1.0;
    case ScriptElementKind::dialogue:
        return wrappedLines(e.text, dialogueCharactersPerLine);
    }
    return 0.0;
}

double ScriptDocument::estimatedPages() const
{
    double lines = 0.0;
    for (const ScriptElement& e : elements)
        lines += ScriptDocument::estimatedLines(e);
    return lines / linesPerPage;
}

double ScriptDocument::dialogueShare() const
{
    qint64 dialogue = 0;
    qint64 action = 0;
    for (const ScriptElement& e : elements) {
        if (e.kind == ScriptElementKind::dialogue)
            dialogue += text::graphemeCount(e.text);
        else if (e.kind == ScriptElementKind::action)
            action += text::graphemeCount(e.text);
    }
    const qint64 total = dialogue + action;
    return total == 0 ? 0.0 : double(dialogue) / double(total);
}

ScriptDocument ScriptDocument::fromJson(const json::Reader& r)
{
    return ScriptDocument{.elements = r.required<QList<ScriptElement>>("elements"_L1)};
}

void ScriptDocument::toJson(json::Writer& w) const
{
    w.set("elements"_L1, elements);
}

} // namespace studio
