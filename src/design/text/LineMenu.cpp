#include "design/text/LineMenu.h"

#include "design/text/LineBuffer.h"
#include "design/text/LineKeys.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>

namespace studio {

void LineMenu::takeOver(QMenu* menu, QLineEdit* edit, LineBuffer& buffer, QObject* context,
                        const std::function<void()>& before, const std::function<void()>& done)
{
    // The line edit's own entries act on what it holds: they act on the
    // buffer instead, and are enabled by it.
    const bool readOnly = edit->isReadOnly();
    LineBuffer* b = &buffer;
    for (QAction* action : menu->actions()) {
        const QString name = action->text().section(u'\t', 0, 0);
        std::function<void()> act;
        bool enabled = action->isEnabled();
        if (name == QLineEdit::tr("&Undo")) {
            act = [b] { b->undo(); };
            enabled = !readOnly && b->isUndoAvailable();
        } else if (name == QLineEdit::tr("&Redo")) {
            act = [b] { b->redo(); };
            enabled = !readOnly && b->isRedoAvailable();
        } else if (name == QLineEdit::tr("Cu&t")) {
            act = [b] {
                if (b->hasSelectedText()) {
                    LineKeys::copy(*b);
                    b->del();
                }
            };
            enabled = !readOnly && b->hasSelectedText();
        } else if (name == QLineEdit::tr("&Copy")) {
            act = [b] { LineKeys::copy(*b); };
            enabled = b->hasSelectedText();
        } else if (name == QLineEdit::tr("&Paste")) {
            act = [b] { b->paste(QGuiApplication::clipboard()->text()); };
        } else if (name == QLineEdit::tr("Delete")) {
            act = [b] { b->removeSelection(); };
            enabled = !readOnly && b->hasSelectedText();
        } else if (name == QLineEdit::tr("Select All")) {
            act = [b] { b->selectAll(); };
            enabled = !b->text().isEmpty() && !b->allSelected();
        } else {
            continue;
        }
        QObject::disconnect(action, nullptr, edit, nullptr);
        for (QObject* child : edit->children())
            QObject::disconnect(action, nullptr, child, nullptr);
        QObject::connect(action, &QAction::triggered, context, [act, before, done] {
            before();
            act();
            done();
        });
        action->setEnabled(enabled);
    }
}

} // namespace studio
