#include "views/phases/spark/InterrogationCard.h"

#include "design/widgets/GhostButton.h"
#include "design/style/Palette.h"
#include "design/style/ReduceMotion.h"
#include "design/style/Shapes.h"
#include "design/widgets/SymbolLabel.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/CraftKits.h"
#include "state/rules/SparkRules.h"

#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QPainter>
#include <QPointer>
#include <QVBoxLayout>
#include <QVariantAnimation>

using namespace Qt::StringLiterals;

namespace studio {

namespace {
constexpr qreal cornerRadius = 16;
constexpr int fadeMilliseconds = 200;

// The outgoing question, drawn over the incoming one while it fades out.
class FadingPicture : public QWidget {
public:
    FadingPicture(const QPixmap& picture, QWidget* parent)
        : QWidget(parent)
        , m_picture(picture)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_TranslucentBackground);
    }
    void setOpacity(qreal opacity)
    {
        m_opacity = opacity;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setOpacity(m_opacity);
        p.drawPixmap(0, 0, m_picture);
    }

private:
    QPixmap m_picture;
    qreal m_opacity = 1;
};

} // namespace

// The question text. Each new question (even the same words after a full
// round of the deck) fades in while the one before fades out.
class QuestionFade : public QWidget {
public:
    explicit QuestionFade(QWidget* parent)
        : QWidget(parent)
        , m_label(new TextLabel(QString(), Theme::font(type::title2, QFont::Medium), Palette::textPrimary(), this))
        , m_effect(new QGraphicsOpacityEffect(m_label))
        , m_animation(new QVariantAnimation(this))
    {
        m_label->setWordWrap(true);
        m_effect->setOpacity(1);
        m_effect->setEnabled(false);
        m_label->setGraphicsEffect(m_effect);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_label);
        m_animation->setDuration(fadeMilliseconds);
        m_animation->setEasingCurve(QEasingCurve::OutCubic);
        m_animation->setStartValue(0.0);
        m_animation->setEndValue(1.0);
        connect(m_animation, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
            const qreal t = v.toReal();
            m_effect->setOpacity(t);
            if (m_outgoing)
                m_outgoing->setOpacity(1 - t);
        });
        connect(m_animation, &QVariantAnimation::finished, this, &QuestionFade::settle);
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    }

    QString text() const { return m_label->text(); }

    void setText(const QString& text, bool fade)
    {
        m_animation->stop();
        settle();
        if (fade && isVisible() && !ReduceMotion::systemPrefersReducedMotion()) {
            m_outgoing = new FadingPicture(m_label->grab(), this);
            m_outgoing->setGeometry(m_label->geometry());
            m_outgoing->show();
            m_effect->setOpacity(0);
            m_effect->setEnabled(true);
            m_label->setText(text);
            m_animation->start();
        } else {
            m_label->setText(text);
        }
    }

private:
    void settle()
    {
        m_effect->setOpacity(1);
        m_effect->setEnabled(false);
        delete m_outgoing;
    }

    TextLabel* m_label;
    QGraphicsOpacityEffect* m_effect;
    QVariantAnimation* m_animation;
    QPointer<FadingPicture> m_outgoing;
};

InterrogationCard::InterrogationCard(QWidget* parent)
    : QWidget(parent)
    , m_counter(new TextLabel(QString(), Theme::font(type::footnote), Palette::textTertiary(), this))
    , m_question(new QuestionFade(this))
    , m_next(new GhostButton(u"arrow.triangle.2.circlepath"_s, u"Next question"_s, Palette::textPrimary(), this))
    , m_answer(new GhostButton(u"arrow.down.right.square"_s, u"Answer on the board"_s, Palette::gold(), this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(16, 16, 16, 16);
    stack->setSpacing(10);

    auto* header = new QHBoxLayout;
    header->setSpacing(6);
    header->addWidget(new SymbolLabel(u"questionmark.bubble.fill"_s, 10, Palette::gold()), 0, Qt::AlignVCenter);
    header->addWidget(new TextLabel(u"INTERROGATE THE IDEA"_s, Theme::font(type::footnote, QFont::DemiBold, 0.8), Palette::gold()),
                      0, Qt::AlignVCenter);
    header->addStretch(1);
    header->addWidget(m_counter, 0, Qt::AlignVCenter);
    stack->addLayout(header);

    stack->addWidget(m_question);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    buttons->addWidget(m_next, 0, Qt::AlignVCenter);
    buttons->addWidget(m_answer, 0, Qt::AlignVCenter);
    buttons->addStretch(1);
    stack->addLayout(buttons);

    auto* footnote = new TextLabel(
        u"Questions a director asks an idea until it confesses. Good answers become fragments below."_s,
        Theme::font(type::label), Palette::textTertiary(), this);
    footnote->setWordWrap(true);
    stack->addWidget(footnote);

    connect(m_next, &QAbstractButton::clicked, this, &InterrogationCard::nextQuestion);
    connect(m_answer, &QAbstractButton::clicked, this, [this] { Q_EMIT answerRequested(question()); });
}

void InterrogationCard::setProjectID(const QUuid& projectID)
{
    if (projectID == m_projectID && m_index >= 0)
        return;
    m_projectID = projectID;
    showIndex(false);
}

QString InterrogationCard::question() const
{
    return m_question->text();
}

QString InterrogationCard::counterText() const
{
    return m_counter->text();
}

void InterrogationCard::nextQuestion()
{
    ++m_presses;
    showIndex(true);
}

void InterrogationCard::showIndex(bool fade)
{
    const QStringList& deck = InterrogationDeck::questions();
    m_index = rules::interrogationIndex(m_projectID, m_presses);
    m_counter->setText(rules::interrogationCounter(m_index, int(deck.size())));
    m_question->setText(deck.value(m_index), fade);
}

void InterrogationCard::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = rect();
    shapes::fillRounded(p, r, cornerRadius, Palette::withOpacity(Palette::gold(), 0.05));
    shapes::strokeRoundedInside(p, r, cornerRadius, Palette::withOpacity(Palette::gold(), 0.22), 1.0);
}

} // namespace studio
