#pragma once

// One fragment of the idea board: the kind's symbol and title, a delete button
// that shows (and answers a click) only while the pointer is over the card or
// the keyboard focus is in it, and the card's text in an editor that grows
// with it. The delete button is a Tab stop before the text, so the keyboard
// reaches it as the pointer does. The card knows its id only; the board's
// screen writes the edits into the production by that id.

#include "design/widgets/CardSurface.h"
#include "model/Enums.h"

#include <QList>
#include <QString>
#include <QUuid>

namespace studio {

struct IdeaCard;
class PlainTextEditor;
class SymbolButton;
class SymbolLabel;
class TextLabel;

class IdeaCardView : public CardSurface {
    Q_OBJECT
public:
    explicit IdeaCardView(const QUuid& cardID, QWidget* parent = nullptr);

    // Every card is this wide; its height follows its text.
    static int cardWidth();
    // The card's height for a text, without building a card: exact for a
    // text that fits the editor's least height, close for a longer one.
    static int estimatedHeight(const QString& text);

    QUuid cardID() const { return m_cardID; }
    // Shows the card as the production holds it now; the text is set only
    // when it differs from what the editor shows, so the caret stays.
    void setCard(const IdeaCard& card);

    QString kindTitle() const;
    QString text() const;
    // Whether the delete button is drawn and answers clicks.
    bool isDeleteShown() const;
    // The card's stops in the order Tab takes them.
    QList<QWidget*> tabStops() const;
    SymbolButton* deleteButton() const { return m_delete; }
    PlainTextEditor* editor() const { return m_editor; }

Q_SIGNALS:
    void textEdited(const QUuid& cardID, const QString& text);
    void deleteRequested(const QUuid& cardID);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setHovered(bool hovered);
    void showDelete();

    QUuid m_cardID;
    IdeaCardKind m_kind = IdeaCardKind::concept_;
    bool m_hovered = false;
    QString m_shownText;
    SymbolLabel* m_symbol;
    TextLabel* m_title;
    SymbolButton* m_delete;
    PlainTextEditor* m_editor;
};

} // namespace studio
