#pragma once

// One element of the Script page as assistive technology reads it: a
// paragraph whose name and text are the element's text and whose
// description is its kind. While the element is being written it holds the
// live editor as its one child. A screen reader's "focus" action gives the
// element the keyboard, as a click on it does.
//
// It stands for its element by id (and, for a script holding one id twice,
// by which of the twins it is), finding the row again at every question, so
// it stays right as rows come and go around it.

#include <QAccessibleInterface>
#include <QPointer>
#include <QUuid>

namespace studio {

class ScriptElementRow;
class ScriptPage;

class ScriptElementAccessible : public QAccessibleInterface,
                                public QAccessibleTextInterface,
                                public QAccessibleActionInterface {
public:
    ScriptElementAccessible(ScriptPage* page, const QUuid& id, int twin);

    QUuid id() const { return m_id; }
    int twin() const { return m_twin; }
    // The element's row now, or -1 once it is gone.
    int row() const;

    // QAccessibleInterface
    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Paragraph; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTextInterface: the element's whole text, read only.
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int) const override { return QRect(); }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    // QAccessibleActionInterface
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    const ScriptElementRow* rowData() const;
    bool isLive() const;

    QPointer<ScriptPage> m_page;
    QUuid m_id;
    int m_twin;
};

} // namespace studio
