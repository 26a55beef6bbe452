#include "views/phases/premiere/PremierePoster.h"

#include "design/widgets/ArtThumb.h"
#include "design/widgets/CardSurface.h"
#include "design/focus/FocusRing.h"
#include "design/style/Palette.h"
#include "design/style/Shapes.h"
#include "design/style/Symbols.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Text.h"
#include "state/rules/PremiereRules.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QLinearGradient>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

constexpr int posterWidth = 250;
constexpr int posterHeight = 350;
constexpr qreal cornerRadius = 16;

// "New poster": a symbol and a label, no bezel; dims while pressed.
class StripButton : public QAbstractButton {
public:
    StripButton(const QString& symbol, const QString& label)
        : m_symbol(symbol)
        , m_font(Theme::font(type::label, QFont::Medium))
    {
        setText(label);
        setCursor(Qt::PointingHandCursor);
        setFocusPolicy(Qt::TabFocus);
    }

    QSize sizeHint() const override
    {
        const QFontMetricsF fm(m_font);
        return QSize(int(std::ceil(2 * pad + symbolBox() + gap + fm.horizontalAdvance(text()))) + 2,
                     int(std::ceil(2 * pad + std::max(fm.height(), symbolBox()))));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        if (isDown())
            p.setOpacity(0.6);
        const QColor color = Palette::textSecondary();
        const QRectF box(pad, (height() - symbolBox()) / 2.0, symbolBox(), symbolBox());
        Symbols::paint(p, box, m_symbol, color, 9.5, QFont::Medium);
        p.setFont(m_font);
        p.setPen(color);
        p.drawText(QRectF(box.right() + gap, 0, width() - box.right() - gap - pad, height()),
                   Qt::AlignLeft | Qt::AlignVCenter, text());
        if (hasFocus())
            FocusRing::paintRounded(p, rect(), 6);
    }

private:
    static constexpr qreal gap = 4;
    // Room for the focus ring around the symbol and label.
    static constexpr qreal pad = FocusRing::width + 1.5;
    qreal symbolBox() const { return 12; }

    QString m_symbol;
    QFont m_font;
};

} // namespace

// The art and its fade, drawn once per seed and size and then copied.
class PremierePoster::Art : public QWidget {
public:
    Art()
    {
        setFixedSize(posterWidth, posterHeight);
        setAttribute(Qt::WA_TranslucentBackground);
    }
    void setSeed(const QString& seed)
    {
        if (seed == m_seed)
            return;
        m_seed = seed;
        m_cache = QPixmap();
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        const qreal dpr = devicePixelRatioF();
        if (m_cache.isNull() || m_cache.devicePixelRatio() != dpr) {
            m_cache = QPixmap((QSizeF(size()) * dpr).toSize());
            m_cache.setDevicePixelRatio(dpr);
            m_cache.fill(Qt::transparent);
            QPainter p(&m_cache);
            p.setRenderHint(QPainter::Antialiasing);
            // The card's rounded top corners; the bottom runs on into the strip.
            const QRectF area(rect());
            p.setClipPath(shapes::roundedRect(area.adjusted(0, 0, 0, 2 * cornerRadius), cornerRadius));
            ArtThumb::paint(p, area, m_seed, 600, 840);
            QLinearGradient fade(area.center().x(), area.center().y(), area.center().x(), area.bottom());
            fade.setColorAt(0, Palette::black(level::none));
            fade.setColorAt(1, Palette::black(level::intense));
            p.fillRect(area, fade);
        }
        QPainter p(this);
        p.drawPixmap(0, 0, m_cache);
    }

private:
    QString m_seed;
    QPixmap m_cache;
};

PremierePoster::PremierePoster(QWidget* parent)
    : QWidget(parent)
    , m_art(new Art)
{
    setFixedWidth(posterWidth);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* card = new CardSurface(cornerRadius, Palette::surface());
    outer->addWidget(card);
    auto* stack = new QVBoxLayout(card);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    stack->addWidget(m_art);

    auto* over = new QVBoxLayout(m_art);
    over->setContentsMargins(18, 18, 18, 18);
    over->setSpacing(5);
    over->addStretch(1);
    m_title = new TextLabel(QString(), Theme::font(type::display3, QFont::Bold, 1.5), Palette::white(level::full));
    m_title->setWordWrap(true);
    m_title->setAlignment(Qt::AlignHCenter);
    // However long the name, it stays on the poster.
    m_title->setMaxLines(8);
    over->addWidget(m_title);
    m_genres = new TextLabel(QString(), Theme::font(type::footnote, QFont::Normal, 0.8), Palette::white(level::strong));
    m_genres->setWordWrap(true);
    m_genres->setAlignment(Qt::AlignHCenter);
    over->addWidget(m_genres);

    auto* strip = new QHBoxLayout;
    strip->setContentsMargins(10, 10, 10, 10);
    strip->addWidget(new TextLabel(u"One-sheet"_s, Theme::font(type::label), Palette::textTertiary()), 0, Qt::AlignVCenter);
    strip->addStretch(1);
    m_newPoster = new StripButton(u"arrow.triangle.2.circlepath"_s, u"New poster"_s);
    strip->addWidget(m_newPoster, 0, Qt::AlignVCenter);
    stack->addLayout(strip);
    connect(m_newPoster, &QAbstractButton::clicked, this, &PremierePoster::newPosterRequested);
}

void PremierePoster::setPoster(const QString& name, const QList<Genre>& genres, const QString& seed)
{
    m_seed = seed;
    m_art->setSeed(seed);
    // Only the start of a huge name is upper-cased: no more is ever shown.
    m_title->setText(text::upper(text::displayPrefix(name)));
    const QString line = rules::posterGenreLine(genres);
    m_genres->setText(line);
    m_genres->setVisible(!genres.isEmpty());
}

} // namespace studio
