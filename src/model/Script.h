#pragma once

// The screenplay of an episode: a flat list of typed elements.

#include "model/Enum.h"
#include "model/Json.h"

#include <QList>
#include <QString>
#include <QUuid>

namespace studio {

enum class ScriptElementKind { sceneHeading, action, character, parenthetical, dialogue, transition };

struct ScriptElementKindRow {
    ScriptElementKind value;
    QString raw;
    QString label;
};

template <>
struct EnumTable<ScriptElementKind> {
    static constexpr const char* typeName = "ScriptElementKind";
    static const QList<ScriptElementKindRow>& rows();
};

struct ScriptElement {
    QUuid id = newId(); // fresh for every new element
    ScriptElementKind kind = ScriptElementKind::action;
    QString text;

    static ScriptElement fromJson(const json::Reader& r); // strict
    void toJson(json::Writer& w) const;
    friend bool operator==(const ScriptElement&, const ScriptElement&) = default;
};

struct ScriptDocument {
    QList<ScriptElement> elements;

    // Estimated lines of every element over 55 lines a page (a page is
    // roughly a minute of screen time); lengths are user-perceived characters.
    double estimatedPages() const;
    // What one element adds to that estimate, in lines; a page holds linesPerPage.
    static double estimatedLines(const ScriptElement& element);
    static constexpr double linesPerPage = 55.0;
    // Dialogue characters over dialogue plus action characters; 0 when both are empty.
    double dialogueShare() const;

    static ScriptDocument fromJson(const json::Reader& r); // strict
    void toJson(json::Writer& w) const;
    friend bool operator==(const ScriptDocument&, const ScriptDocument&) = default;
};

} // namespace studio
