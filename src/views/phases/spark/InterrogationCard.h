#pragma once

// The foot of the Spark screen's left column: one question of the
// interrogation deck at a time. The deck opens where the production's id puts
// it; "Next question" walks on (the count lives as long as the card, so the
// production's own first question returns whenever the screen is built
// again); "Answer on the board" hands the question shown to the screen, which
// turns it into a concept card.

#include <QUuid>
#include <QWidget>

namespace studio {

class GhostButton;
class TextLabel;
class QuestionFade;

class InterrogationCard : public QWidget {
    Q_OBJECT
public:
    explicit InterrogationCard(QWidget* parent = nullptr);

    // Shows the question for the production's id at the current count. The
    // same id again changes nothing (no fade, the question stays).
    void setProjectID(const QUuid& projectID);

    QString question() const;
    QString counterText() const;
    GhostButton* nextButton() const { return m_next; }
    GhostButton* answerButton() const { return m_answer; }

Q_SIGNALS:
    // "Answer on the board", with the question shown at the click.
    void answerRequested(const QString& question);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void nextQuestion();
    void showIndex(bool fade);

    QUuid m_projectID;
    qint64 m_presses = 0;
    int m_index = -1;
    TextLabel* m_counter;
    QuestionFade* m_question;
    GhostButton* m_next;
    GhostButton* m_answer;
};

} // namespace studio
