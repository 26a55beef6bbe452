#pragma once

// The changes a screenplay goes through, from the Script screen and from the
// assists alike. Each names its episode and element by id and does nothing
// (false, or a null id) when its target is gone.

#include "model/Project.h"
#include "state/rules/ScriptRules.h"

#include <QList>
#include <QUuid>

namespace studio::edits {

// A new element of that kind at the very end of the script (a transition
// starts as "CUT TO:", every other kind empty); its id.
QUuid appendScriptElement(Project& project, const QUuid& episodeID, ScriptElementKind kind);
// A new empty element of the kind that follows the element's own, directly
// after it; its id. The element itself is left as it is.
QUuid insertScriptElementAfter(Project& project, const QUuid& episodeID, const QUuid& elementID);
bool removeScriptElement(Project& project, const QUuid& episodeID, const QUuid& elementID);
// Retypes the element; its id and text stay.
bool setScriptElementKind(Project& project, const QUuid& episodeID, const QUuid& elementID, ScriptElementKind kind);
bool setScriptElementText(Project& project, const QUuid& episodeID, const QUuid& elementID, const QString& text);
// A suggestion chip picked under the element (see rules::textAfterChip).
bool pickScriptChip(Project& project, const QUuid& episodeID, const QUuid& elementID, const rules::ScriptChip& chip);
// Writes the draft built from the story into the episode's script, only while
// that script is empty.
bool draftScriptFromStory(Project& project, const QUuid& episodeID);
// A drafted passage lands after whatever the episode's script holds by now.
bool landScriptDraft(Project& project, const QUuid& episodeID, const QList<ScriptElement>& elements);

} // namespace studio::edits
