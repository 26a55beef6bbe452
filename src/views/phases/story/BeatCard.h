#pragma once

// One beat of an act on the Story screen: the charge button cycling flat,
// lift and drop, the title, a menu to move the beat within its act or delete
// it, and the summary. A card stands for one beat id for its whole life; it
// shows whatever the screen hands it and reports the user's edits by that id.

#include "design/widgets/AccessibleSource.h"
#include "design/widgets/CardSurface.h"
#include "model/Story.h"

#include <QUuid>

namespace studio {

class MenuButton;
class PlainTextEditor;
class PlainTextField;
class SymbolButton;

class BeatCard : public CardSurface, public AccessibleSource {
    Q_OBJECT
public:
    explicit BeatCard(const QUuid& beatID, QWidget* parent = nullptr);

    // Shows the beat; does nothing when it is as shown already.
    void setBeat(const Beat& beat);

    SymbolButton* chargeButton() const { return m_charge; }
    PlainTextField* titleField() const { return m_title; }
    MenuButton* menuButton() const { return m_menu; }
    PlainTextEditor* summaryEditor() const { return m_summary; }
    // The card's stops in the order Tab takes them.
    QList<QWidget*> tabStops() const;

protected:
    // The charge reads as a spin button whose value is its word.
    QAccessibleInterface* accessibleFor(QObject* object) override;

Q_SIGNALS:
    void titleEdited(const QUuid& beatID, const QString& title);
    void summaryEdited(const QUuid& beatID, const QString& summary);
    void chargeClicked(const QUuid& beatID);
    // -1 one place up, +1 one place down.
    void moveRequested(const QUuid& beatID, int offset);
    void deleteRequested(const QUuid& beatID);

private:
    void nameMenu(const QString& title);

    QUuid m_id;
    Beat m_shown;
    bool m_hasShown = false;
    SymbolButton* m_charge;
    PlainTextField* m_title;
    MenuButton* m_menu;
    PlainTextEditor* m_summary;
};

} // namespace studio
