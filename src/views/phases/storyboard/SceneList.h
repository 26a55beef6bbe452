#pragma once

// The storyboard's scene list, inside its scroll area: every scene has its
// place, but a row widget exists only for the scenes in view and a screen's
// height either side of it, so a feature's hundred scenes cost what a dozen
// do. Rows are kept by scene id while they stay in reach; scrolling builds
// the rows it brings in. Tab goes from row to row in scene order: the rows
// built follow the list's anchor in the window's Tab order, the first and
// the last row are always built (where Tab and Shift+Tab enter the list),
// and so are the focused row and its neighbours (where the focus goes next).

#include "design/widgets/LazyKeyedList.h"

#include <QList>
#include <QPointer>
#include <QUuid>
#include <QWidget>

#include <functional>

class QScrollArea;

namespace studio {

class SceneRow;

class SceneList : public QWidget {
    Q_OBJECT
public:
    struct Entry {
        QUuid sceneID;
        QString slug;
        QString detail;
        bool selected = false;
    };
    // create(sceneID) makes a row (connected by the screen); the list parents
    // and places it.
    using Create = std::function<SceneRow*(const QUuid&)>;

    SceneList(QScrollArea* page, Create create, QWidget* parent = nullptr);

    void setEntries(const QList<Entry>& entries);
    // The Tab stop the rows follow (the last control above the list).
    void setTabAnchor(QWidget* anchor) { m_tabAnchor = anchor; }
    // The rows built, in scene order.
    QList<SceneRow*> rows() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void follow();
    // Places the row of the entry at that index and shows the entry on it.
    void showRow(SceneRow* row, qsizetype index) const;
    int rowTop(qsizetype index) const;
    // The place of the row holding the focus, or -1.
    qsizetype focusedIndex() const;

    QScrollArea* m_page;
    Create m_create;
    QList<Entry> m_entries;
    LazyKeyedList<QUuid, SceneRow> m_built;
    int m_rowHeight;
    QPointer<QWidget> m_tabAnchor;
};

} // namespace studio
