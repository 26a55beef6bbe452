#include "views/phases/look/LookHero.h"

#include "design/widgets/ArtThumb.h"
#include "design/widgets/CardSurface.h"
#include "design/widgets/FlowLayout.h"
#include "design/widgets/KeyedList.h"
#include "design/style/Palette.h"
#include "design/style/Shapes.h"
#include "design/widgets/SymbolLabel.h"
#include "design/widgets/TextLabel.h"
#include "design/widgets/TextCapsule.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/LookCatalogs.h"
#include "model/Text.h"

#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

#include <cmath>

using namespace Qt::StringLiterals;

namespace studio {

namespace {
constexpr qreal heroRadius = 18;
constexpr int artWidth = 280;
constexpr int artHeight = 196;

QString artSeed(const QString& styleID)
{
    return u"style-"_s + styleID;
}
} // namespace

// The chosen style's card: the art at its leading edge, clipped with the
// card to its rounded shape.
class StyleHeroCard : public CardSurface {
public:
    explicit StyleHeroCard(QWidget* parent)
        : CardSurface(heroRadius, Palette::surface(), parent)
    {
    }

    void setSeed(const QString& seed)
    {
        if (seed == m_seed)
            return;
        m_seed = seed;
        update();
    }
    void setArtFrame(QWidget* frame) { m_frame = frame; }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        CardSurface::paintEvent(event);
        if (!m_frame || m_seed.isEmpty())
            return;
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setClipPath(shapes::roundedRect(QRectF(rect()), heroRadius));
        ArtThumb::paint(p, QRectF(m_frame->geometry()), m_seed, 640, 400);
    }

private:
    QString m_seed;
    QWidget* m_frame = nullptr;
};

LookHero::LookHero(QWidget* parent)
    : QWidget(parent)
    , m_placeholder(new CardSurface(heroRadius, Palette::surface(), this))
    , m_card(new StyleHeroCard(this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    stack->addWidget(m_placeholder);
    stack->addWidget(m_card);

    // The invitation.
    auto* invite = new QHBoxLayout(m_placeholder);
    invite->setContentsMargins(18, 18, 18, 18);
    invite->setSpacing(12);
    invite->addWidget(new SymbolLabel(u"camera.filters"_s, 20, Palette::gold(), QFont::Light), 0, Qt::AlignVCenter);
    auto* words = new QVBoxLayout;
    words->setSpacing(3);
    words->addWidget(new TextLabel(u"Pick a visual world"_s, Theme::font(type::title3, QFont::DemiBold), Palette::textPrimary()));
    auto* message = new TextLabel(u"One choice below drives every storyboard frame, every generated shot, every "
                                  u"prompt. You can change it anytime \u2014 the whole film follows."_s,
                                  Theme::font(type::body), Palette::textSecondary());
    message->setWordWrap(true);
    words->addWidget(message);
    invite->addLayout(words, 1);

    // The chosen style.
    auto* row = new QHBoxLayout(m_card);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    auto* artFrame = new QWidget(m_card);
    artFrame->setAttribute(Qt::WA_TranslucentBackground);
    artFrame->setAttribute(Qt::WA_TransparentForMouseEvents);
    artFrame->setFixedSize(artWidth, artHeight);
    m_card->setArtFrame(artFrame);
    row->addWidget(artFrame, 0, Qt::AlignVCenter);

    auto* details = new QVBoxLayout;
    details->setContentsMargins(20, 20, 20, 20);
    details->setSpacing(9);
    details->addWidget(new TextLabel(u"THE LOOK"_s, Theme::font(type::footnote, QFont::DemiBold, 1.4), Palette::gold()));
    m_name = new TextLabel(QString(), Theme::font(type::display2, QFont::Bold), Palette::textPrimary());
    m_name->setWordWrap(true);
    details->addWidget(m_name);
    m_blurb = new TextLabel(QString(), Theme::font(type::bodyLarge), Palette::textSecondary());
    m_blurb->setWordWrap(true);
    details->addWidget(m_blurb);
    auto* keywordBox = new QWidget;
    keywordBox->setAttribute(Qt::WA_TranslucentBackground);
    m_keywordFlow = new FlowLayout(4, keywordBox);
    m_keywords = std::make_unique<KeyedList<QString, TextCapsule>>(m_keywordFlow);
    details->addWidget(keywordBox);
    auto* engine = new QHBoxLayout;
    engine->setSpacing(6);
    engine->addWidget(new SymbolLabel(u"cpu"_s, 9, Palette::textTertiary()), 0, Qt::AlignTop);
    m_engineNotes = new TextLabel(QString(), Theme::font(type::label), Palette::textTertiary());
    m_engineNotes->setWordWrap(true);
    engine->addWidget(m_engineNotes, 1, Qt::AlignTop);
    details->addLayout(engine);
    // The text takes the rest of the row, leading; its lines wrap there.
    row->addLayout(details, 1);

    display(nullptr);
}

LookHero::~LookHero() = default;

void LookHero::display(const StylePreset* preset)
{
    m_placeholder->setVisible(!preset);
    m_card->setVisible(preset);
    m_shownID = preset ? preset->id : QString();
    if (!preset)
        return;
    m_card->setSeed(artSeed(preset->id));
    m_name->setText(preset->name);
    m_blurb->setText(preset->blurb);
    m_engineNotes->setText(preset->engineNotes);
    m_keywords->sync(
        preset->keywords, [](const QString& k) { return k; },
        [](const QString& k) { return new TextCapsule(k); }, [](TextCapsule*, const QString&, int) {});
}

QStringList LookHero::shownKeywords() const
{
    QStringList keywords;
    for (TextCapsule* capsule : m_keywords->widgets())
        keywords.append(capsule->text());
    return keywords;
}

} // namespace studio
