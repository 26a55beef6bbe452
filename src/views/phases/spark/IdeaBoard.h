#pragma once

// The idea board at the foot of the Spark screen: its header with the "Add
// fragment" menu, then either the empty state or one sideways strip of idea
// cards in the production's order. The board only shows and asks: the screen
// writes every change into the production.
//
// A production can hold thousands of fragments, and the strip shows a few at
// a time: only the cards in view (and a margin either side) are built, kept
// by card id while they stay there; the others are places of known width and
// estimated height. A card being typed in is never rebuilt nor dropped.

#include "design/widgets/LazyKeyedList.h"
#include "model/Enums.h"
#include "model/Project.h"

#include <QList>
#include <QUuid>
#include <QWidget>

namespace studio {

class HorizontalStrip;
class IdeaCardView;
class MenuButton;

class IdeaBoard : public QWidget {
    Q_OBJECT
public:
    explicit IdeaBoard(QWidget* parent = nullptr);
    ~IdeaBoard() override;

    void setCards(const QList<IdeaCard>& cards);

    bool isEmptyStateShown() const;
    // The cards built now, in the production's order.
    QList<IdeaCardView*> cardViews() const;
    // The card with that id when it is built, else null.
    IdeaCardView* cardView(const QUuid& cardID) const;
    // Scrolls the strip to the card with that id and returns it built (null
    // when the board has no such card).
    IdeaCardView* revealCard(const QUuid& cardID);
    MenuButton* addMenu() const { return m_add; }
    HorizontalStrip* strip() const { return m_strip; }

Q_SIGNALS:
    void addRequested(IdeaCardKind kind);
    void textEdited(const QUuid& cardID, const QString& text);
    void deleteRequested(const QUuid& cardID);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Row;

    int cardLeft(qsizetype index) const;
    IdeaCardView* build(qsizetype index);
    // Builds the cards in view, drops those far out of it, and places them.
    void fillView();
    void place();
    // The row's size from the cards' heights (measured where built).
    void resizeRow();

    MenuButton* m_add;
    QWidget* m_empty;
    HorizontalStrip* m_strip;
    Row* m_row;
    QList<IdeaCard> m_cards;
    QList<int> m_heights;
    LazyKeyedList<QUuid, IdeaCardView> m_views;
    bool m_placing = false;
};

} // namespace studio
