#pragma once

#include "design/SleekTextEditor.h"

#include <QCoreApplication>
#include <QResizeEvent>

namespace studio {

// Shows a text in a detail pane's editor, whose well must hold its text or,
// while empty, its whole placeholder. The well measures itself when its
// document changes size or its width changes; a one-line text emptied (or
// written into an empty well) leaves the document's size as it was, so the
// well is told its width again to measure what it now shows.
inline void showWellText(SleekTextEditor* editor, const QString& text)
{
    const bool wasEmpty = editor->text().isEmpty();
    editor->setText(text);
    if (wasEmpty != text.isEmpty()) {
        QResizeEvent again(editor->size(), editor->size());
        QCoreApplication::sendEvent(editor, &again);
    }
}

} // namespace studio
