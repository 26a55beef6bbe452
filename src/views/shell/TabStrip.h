#pragma once

// The window's top bar: the brand, one chip per studio tab (a click, Space or
// Return selects, the close button closes), the new-tab button (kept in view
// after the chips, which scroll sideways once they outgrow the strip), the
// "Update ready" pill while the updater offers a version, and the settings
// gear. Tab crosses it as it reads. A press on the strip's empty area moves
// the window.

#include "design/widgets/KeyedList.h"
#include "views/shell/TabStripChip.h"

#include <QUuid>
#include <QWidget>

class QAbstractButton;
class QHBoxLayout;
class QScrollArea;

namespace studio {

class AppState;
class UpdatePill;

class TabStrip : public QWidget {
    Q_OBJECT
public:
    explicit TabStrip(AppState& app, QWidget* parent = nullptr);
    ~TabStrip() override;

    QList<TabStripChip*> chips() const { return m_chips.widgets(); }
    TabStripChip* chip(const QUuid& tabID) const { return m_chips.widget(tabID); }
    QAbstractButton* newTabButton() const { return m_newTab; }
    UpdatePill* updatePill() const { return m_pill; }
    QAbstractButton* settingsButton() const { return m_gear; }

    // The chip under the pointer (null when none).
    QUuid hoveredID() const { return m_hoveredID; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void syncChips();
    void orderFocus();
    void refreshChips();
    void refreshPill();
    void revealSelectedChipLater();
    void revealSelectedChip();
    void hoverEntered(const QUuid& id);
    void hoverLeft(const QUuid& id);

    AppState& m_app;
    QUuid m_hoveredID;
    QScrollArea* m_scroll;
    QHBoxLayout* m_chipRow;
    KeyedList<QUuid, TabStripChip> m_chips;
    QAbstractButton* m_newTab;
    UpdatePill* m_pill;
    QAbstractButton* m_gear;
};

} // namespace studio
