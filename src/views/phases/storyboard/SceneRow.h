#pragma once

// One row of the storyboard's scene list: the scene's number in a badge, its
// heading line, and its shot count with the whole seconds it runs. A click
// selects the scene; the context menu moves it or deletes it. The row is a
// Tab stop: Space and Return select, the Menu key and Shift+F10 open the
// menu. The row paints itself (no child widgets), so a list of a feature's
// scenes is cheap to build, show and tear down.

#include "design/widgets/AccessibleSource.h"
#include <QStaticText>
#include <QUuid>
#include <QWidget>

namespace studio {

class SceneRow : public QWidget, public AccessibleSource {
    Q_OBJECT
public:
    explicit SceneRow(const QUuid& sceneID, QWidget* parent = nullptr);

    QUuid sceneID() const { return m_sceneID; }
    void setContent(int number, const QString& slug, const QString& detail, bool selected);
    int number() const { return m_number; }
    bool isSelected() const { return m_selected; }
    QString slug() const { return m_slug; }
    QString detail() const { return m_detail; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void clicked(const QUuid& sceneID);
    void moveRequested(const QUuid& sceneID, int offset);
    void deleteRequested(const QUuid& sceneID);

protected:
    QAccessibleInterface* accessibleFor(QObject* object) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QUuid m_sceneID;
    int m_number = 0;
    bool m_selected = false;
    struct Lines {
        int width = -1;
        QString slug;
        QString detail;
        QStaticText slugText;
        QStaticText detailText;
    };
    const Lines& lines(int width) const;

    QString m_slug;
    QString m_detail;
    mutable Lines m_lines;
};

} // namespace studio
