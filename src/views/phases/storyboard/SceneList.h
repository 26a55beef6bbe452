#pragma once

// The storyboard's scene list, inside its scroll area: every scene has its
// place, but a row widget exists only for the scenes in view and a screen's
// height either side of it (and for a row holding the focus), so a feature's
// hundred scenes cost what a dozen do. Rows are kept by scene id while they
// stay in reach; scrolling builds the rows it brings in.

#include "design/LazyKeyedList.h"

#include <QList>
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

    QScrollArea* m_page;
    Create m_create;
    QList<Entry> m_entries;
    LazyKeyedList<QUuid, SceneRow> m_built;
    int m_rowHeight;
};

} // namespace studio
