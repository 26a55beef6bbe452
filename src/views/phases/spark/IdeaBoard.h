#pragma once

// The idea board at the foot of the Spark screen: its header with the "Add
// fragment" menu, then either the empty state or one sideways strip of idea
// cards in the production's order, kept by card id (a card being typed in is
// never rebuilt). The board only shows and asks: the screen writes every
// change into the production.

#include "model/Enums.h"

#include <QList>
#include <QUuid>
#include <QWidget>

#include <memory>

namespace studio {

struct IdeaCard;
class HorizontalStrip;
class IdeaCardView;
class MenuButton;
template <typename Key, typename W>
class KeyedList;

class IdeaBoard : public QWidget {
    Q_OBJECT
public:
    explicit IdeaBoard(QWidget* parent = nullptr);
    ~IdeaBoard() override;

    void setCards(const QList<IdeaCard>& cards);

    bool isEmptyStateShown() const;
    QList<IdeaCardView*> cardViews() const;
    IdeaCardView* cardView(const QUuid& cardID) const;
    MenuButton* addMenu() const { return m_add; }
    HorizontalStrip* strip() const { return m_strip; }

Q_SIGNALS:
    void addRequested(IdeaCardKind kind);
    void textEdited(const QUuid& cardID, const QString& text);
    void deleteRequested(const QUuid& cardID);

private:
    MenuButton* m_add;
    QWidget* m_empty;
    HorizontalStrip* m_strip;
    std::unique_ptr<KeyedList<QUuid, IdeaCardView>> m_cards;
};

} // namespace studio
