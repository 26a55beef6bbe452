#include "state/edits/ScriptEdits.h"

#include "model/Lookup.h"

using namespace Qt::StringLiterals;

namespace studio::edits {

QUuid appendScriptElement(Project& project, const QUuid& episodeID, ScriptElementKind kind)
{
    Episode* episode = findEpisode(project, episodeID);
    if (!episode)
        return {};
    ScriptElement element;
    element.kind = kind;
    if (kind == ScriptElementKind::transition)
        element.text = u"CUT TO:"_s;
    episode->script.elements.append(element);
    return element.id;
}

QUuid insertScriptElementAfter(Project& project, const QUuid& episodeID, const QUuid& elementID)
{
    Episode* episode = findEpisode(project, episodeID);
    const ScriptElement* found = episode ? findScriptElement(*episode, elementID) : nullptr;
    if (!found)
        return {};
    QList<ScriptElement>& elements = episode->script.elements;
    // The look-up detached the list, so the pointer is into this very list.
    const qsizetype at = found - elements.constData();
    ScriptElement element;
    element.kind = rules::nextScriptKind(found->kind);
    elements.insert(at + 1, element);
    return element.id;
}

bool removeScriptElement(Project& project, const QUuid& episodeID, const QUuid& elementID)
{
    Episode* episode = findEpisode(project, episodeID);
    return episode && removeByID(episode->script.elements, elementID);
}

bool setScriptElementKind(Project& project, const QUuid& episodeID, const QUuid& elementID, ScriptElementKind kind)
{
    ScriptElement* element = findScriptElement(project, episodeID, elementID);
    if (!element || element->kind == kind)
        return false;
    element->kind = kind;
    return true;
}

bool setScriptElementText(Project& project, const QUuid& episodeID, const QUuid& elementID, const QString& text)
{
    ScriptElement* element = findScriptElement(project, episodeID, elementID);
    if (!element || element->text == text)
        return false;
    element->text = text;
    return true;
}

bool pickScriptChip(Project& project, const QUuid& episodeID, const QUuid& elementID, const rules::ScriptChip& chip)
{
    const ScriptElement* element = findScriptElement(std::as_const(project), episodeID, elementID);
    if (!element)
        return false;
    return setScriptElementText(project, episodeID, elementID,
                                rules::textAfterChip(element->text, chip, project.locations));
}

bool draftScriptFromStory(Project& project, const QUuid& episodeID)
{
    Episode* episode = findEpisode(project, episodeID);
    if (!episode || !episode->script.elements.isEmpty())
        return false;
    episode->script.elements = rules::storyDraft(*episode, project.locations);
    return !episode->script.elements.isEmpty();
}

bool landScriptDraft(Project& project, const QUuid& episodeID, const QList<ScriptElement>& elements)
{
    Episode* episode = findEpisode(project, episodeID);
    if (!episode || elements.isEmpty())
        return false;
    episode->script.elements << elements;
    return true;
}

} // namespace studio::edits
