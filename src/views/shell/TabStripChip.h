#pragma once

// One chip of the studio tab strip: the tab's symbol and name ("Home" or the
// production's name) and a close button. The chip only shows; the strip
// decides what a click, a close or the pointer's coming and going means.
// Tab reaches the chip, then its close button; Space or Return is a click.

#include "design/widgets/AccessibleSource.h"
#include "state/ProjectSession.h"

#include <QPointer>
#include <QUuid>
#include <QWidget>

namespace studio {

class ProjectSession;
class StudioTab;
class SymbolButton;
class SymbolLabel;
class TextLabel;

class TabStripChip : public QWidget, public AccessibleSource {
    Q_OBJECT
public:
    static constexpr int maximumChipWidth = 220;

    explicit TabStripChip(StudioTab& tab, QWidget* parent = nullptr);
    ~TabStripChip() override;

    QUuid tabID() const { return m_tabID; }
    bool isHome() const { return !m_session; }
    QString name() const;

    void setSelected(bool selected);
    bool isSelected() const { return m_selected; }
    void setHovered(bool hovered);
    bool isHovered() const { return m_hovered; }
    // Whether the chip has a close button at all (the only home tab has none).
    void setClosable(bool closable);
    bool isClosable() const { return m_closable; }
    // Whether the close button shows: on the selected or hovered chip, or
    // while it holds the keyboard (it keeps its place while hidden).
    bool isCloseButtonShown() const;
    SymbolButton* closeButton() const { return m_close; }
    // What a click does: reports the chip's tab as clicked.
    void activate();

Q_SIGNALS:
    void clicked(const QUuid& tabID);
    void closeClicked(const QUuid& tabID);
    void hoverEntered(const QUuid& tabID);
    void hoverLeft(const QUuid& tabID);

protected:
    QAccessibleInterface* accessibleFor(QObject* object) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void refreshName();
    void refreshLook();

    QUuid m_tabID;
    QPointer<ProjectSession> m_session;
    bool m_selected = false;
    bool m_hovered = false;
    bool m_closable = true;
    bool m_pressed = false;
    SymbolLabel* m_icon;
    TextLabel* m_name;
    SymbolButton* m_close;
    QMetaObject::Connection m_focusWatch;
};

} // namespace studio
