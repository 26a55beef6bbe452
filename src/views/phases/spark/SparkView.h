#pragma once

// The Spark screen: one scrolling page where the idea of the production is
// written down. The logline, premise, argument, themes and the interrogation
// card on the left; working title, format, genres, tone dials, audience and
// runtime in a 340-point column on the right; the idea board below both.
// Every control writes its one field through the session's edit door as the
// user changes it; refresh() shows whatever the production holds now (an
// assist's result, a logline picked in the choice sheet) without moving the
// question, the scroll position or the focus.

#include "model/Enums.h"
#include "views/phases/PhaseScreen.h"

#include <QList>

namespace studio {

class Chip;
class FieldLabel;
class SymbolTile;
class IdeaBoard;
class InterrogationCard;
class LabeledSlider;
class MenuButton;
class PlainTextEditor;
class PlainTextField;
class ScrollColumn;
class SleekTextEditor;
class SleekTextField;
class Slider;
class TagField;
class TextLabel;

class SparkView : public PhaseScreen {
    Q_OBJECT
public:
    explicit SparkView(ScreenSession screenSession, QWidget* parent = nullptr);
    ~SparkView() override;

    ScrollColumn* page() const { return m_page; }
    PlainTextEditor* loglineEditor() const { return m_logline; }
    TextLabel* loglineCounter() const { return m_loglineCounter; }
    PlainTextField* argumentField() const { return m_argument; }
    TagField* themesField() const { return m_themes; }
    InterrogationCard* interrogationCard() const { return m_interrogation; }
    SleekTextField* titleField() const { return m_title; }
    MenuButton* formatMenu() const { return m_formatMenu; }
    Chip* genreChip(Genre genre) const { return m_genreChips.value(qsizetype(genre)); }
    LabeledSlider* toneDial(int index) const { return m_toneDials.value(index); }
    FieldLabel* runtimeCaption() const { return m_runtimeCaption; }
    Slider* runtimeSlider() const { return m_runtime; }
    TextLabel* runtimeText() const { return m_runtimeText; }
    IdeaBoard* ideaBoard() const { return m_board; }

private:
    void refresh() override;
    QWidget* leftColumn();
    QWidget* rightColumn();
    QWidget* formatCard();
    QWidget* genresCard();
    QWidget* toneCard();
    QWidget* ratingRuntimeCard();
    void connectIdeaBoard();

    ScrollColumn* m_page;
    PlainTextEditor* m_logline = nullptr;
    TextLabel* m_loglineCounter = nullptr;
    // The logline the counter was last counted for (counting is not free for
    // a long text, and most refreshes follow an edit elsewhere).
    QString m_countedLogline;
    QSize m_counterBox{0, 0};
    SleekTextEditor* m_premise = nullptr;
    PlainTextField* m_argument = nullptr;
    TagField* m_themes = nullptr;
    InterrogationCard* m_interrogation = nullptr;
    SleekTextField* m_title = nullptr;
    SymbolTile* m_formatTile = nullptr;
    TextLabel* m_formatLabel = nullptr;
    TextLabel* m_targeting = nullptr;
    MenuButton* m_formatMenu = nullptr;
    QList<Chip*> m_genreChips;     // in Genre order
    QList<LabeledSlider*> m_toneDials;
    QList<Chip*> m_ratingChips;    // in Rating order
    FieldLabel* m_runtimeCaption = nullptr;
    Slider* m_runtime = nullptr;
    TextLabel* m_runtimeText = nullptr;
    IdeaBoard* m_board = nullptr;
};

} // namespace studio
