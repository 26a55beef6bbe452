#pragma once

// One act of the active episode on the Story screen: its title, a menu to add
// a beat or delete the act, one beat card per beat (kept by beat id, so a
// card keeps its focus and caret while beats move or change), and a dashed
// "Add beat" button. A column stands for one act id for its whole life and
// reports every user action with the act's and the beat's ids; the screen
// finds them again when it writes.

#include "model/Story.h"

#include <QUuid>
#include <QWidget>

#include <memory>

class QVBoxLayout;

namespace studio {

class BeatCard;
class DashedAddButton;
class MenuButton;
class PlainTextField;
template <typename Key, typename W>
class KeyedList;

class ActColumn : public QWidget {
    Q_OBJECT
public:
    explicit ActColumn(const QUuid& actID, QWidget* parent = nullptr);
    ~ActColumn() override;

    QUuid actID() const { return m_id; }
    // Shows the act; does nothing when it is as shown already.
    void setAct(const Act& act);

    PlainTextField* titleField() const { return m_title; }
    MenuButton* menuButton() const { return m_menu; }
    DashedAddButton* addBeatButton() const { return m_addBeat; }
    // The column's stops in the order Tab takes them: the title, the menu,
    // each beat card's, "Add beat".
    QList<QWidget*> tabStops() const;
    QList<BeatCard*> beatCards() const;
    BeatCard* beatCard(const QUuid& beatID) const;

Q_SIGNALS:
    void titleEdited(const QUuid& actID, const QString& title);
    void addBeatRequested(const QUuid& actID);
    void deleteRequested(const QUuid& actID);
    void beatTitleEdited(const QUuid& actID, const QUuid& beatID, const QString& title);
    void beatSummaryEdited(const QUuid& actID, const QUuid& beatID, const QString& summary);
    void beatChargeClicked(const QUuid& actID, const QUuid& beatID);
    void beatMoveRequested(const QUuid& actID, const QUuid& beatID, int offset);
    void beatDeleteRequested(const QUuid& actID, const QUuid& beatID);

private:
    BeatCard* makeCard(const Beat& beat);

    QUuid m_id;
    Act m_shown;
    bool m_hasShown = false;
    QVBoxLayout* m_layout;
    PlainTextField* m_title;
    MenuButton* m_menu;
    DashedAddButton* m_addBeat;
    std::unique_ptr<KeyedList<QUuid, BeatCard>> m_cards;
};

} // namespace studio
