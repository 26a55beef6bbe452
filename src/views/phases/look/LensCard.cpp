#include "views/phases/look/LensCard.h"

#include "design/access/ChoiceAccessible.h"
#include "design/focus/FocusRing.h"
#include "design/style/Palette.h"
#include "design/style/PictureBudget.h"
#include "design/style/ReduceMotion.h"
#include "design/style/Shapes.h"
#include "design/style/Spring.h"
#include "design/style/Symbols.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/LookCatalogs.h"

#include <QCache>
#include <QHBoxLayout>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

constexpr qreal radius = 13;
constexpr QSize cardSize(236, 118);
constexpr int padding = 12;
constexpr qreal checkSize = 12;

QFont titleFont()
{
    return Theme::font(type::subheadline, QFont::Bold);
}

// The card at rest, its words laid out by labels: the title row leaves room
// for the check at its end.
QPixmap drawWords(const DirectorLens& lens, qreal dpr)
{
    QWidget words;
    words.setAttribute(Qt::WA_TranslucentBackground);
    words.setAttribute(Qt::WA_DontShowOnScreen);
    auto* stack = new QVBoxLayout(&words);
    stack->setContentsMargins(padding, padding, padding, padding);
    stack->setSpacing(5);
    auto* title = new QHBoxLayout;
    title->setSpacing(8);
    title->addWidget(new TextLabel(lens.name, titleFont(), Palette::textPrimary()), 1, Qt::AlignVCenter);
    title->addSpacing(int(Symbols::boxSize(checkSize)));
    stack->addLayout(title);
    stack->addWidget(new TextLabel(u"after "_s + lens.inspiredBy, Theme::font(type::footnote2, QFont::Medium),
                                   Palette::withOpacity(Palette::gold(), level::intense)));
    auto* philosophy = new TextLabel(lens.philosophy, Theme::font(type::label), Palette::textTertiary());
    philosophy->setWordWrap(true);
    philosophy->setMaxLines(4);
    stack->addWidget(philosophy);
    stack->addStretch(1);
    words.resize(cardSize);
    stack->activate();

    QPixmap pixmap(cardSize * dpr);
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    {
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing, true);
        const QRectF r(QPointF(0, 0), QSizeF(cardSize));
        shapes::fillRounded(p, r, radius, Palette::surface());
        shapes::strokeRoundedInside(p, r, radius, Palette::hairline(), 1.0);
    }
    words.render(&pixmap, QPoint(), QRegion(), QWidget::DrawChildren);
    return pixmap;
}

// Within their share of the process's pictures (design/style/PictureBudget.h).
QCache<QString, QPixmap>& drawings()
{
    static QCache<QString, QPixmap> cache(pictureBudget::lensCards);
    return cache;
}

} // namespace

LensCard::LensCard(const DirectorLens& lens, QWidget* parent)
    : QAbstractButton(parent)
    , m_id(lens.id)
{
    setAttribute(Qt::WA_TranslucentBackground);
    // A click gives it the keyboard, as Tab does (ringed only for the
    // keyboard): keys typed next never reach the field the user left.
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(cardSize);
    setAccessibleName(lens.name);
    // The card's other words, painted, are read after its name.
    setAccessibleDescription(u"after "_s + lens.inspiredBy + u". "_s + lens.philosophy);
    useSpring(0.35);
}

void LensCard::forgetDrawings()
{
    drawings().clear();
}

void LensCard::setSelected(bool selected, std::optional<qreal> springResponse)
{
    if (selected == m_selected)
        return;
    m_selected = selected;
    const qreal target = selected ? 1.0 : 0.0;
    if (springResponse && isVisible() && !ReduceMotion::systemPrefersReducedMotion()) {
        useSpring(*springResponse);
        m_selection->setTarget(target);
    } else {
        m_selection->jumpTo(target);
    }
    update();
    tellChoiceChanged(this);
}

void LensCard::useSpring(qreal response)
{
    if (m_selection && response == m_response)
        return;
    // Clearing the lens moves a little quicker than picking one; a new
    // spring starts where the old one stood.
    const qreal from = m_selection ? m_selection->value() : 0.0;
    delete m_selection;
    m_response = response;
    m_selection = new Spring(response, 0.85, this);
    m_selection->jumpTo(from);
    connect(m_selection, &Spring::valueChanged, this, [this](qreal) { update(); });
}

void LensCard::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF r(rect());
    const qreal dpr = devicePixelRatioF();
    const QString key = m_id + u'@' + QString::number(dpr);
    QPixmap words;
    if (const QPixmap* kept = drawings().object(key)) {
        words = *kept;
    } else if (const DirectorLens* lens = DirectorLens::find(m_id)) {
        words = drawWords(*lens, dpr);
        drawings().insert(key, new QPixmap(words), pictureBudget::cost(qsizetype(words.width()) * words.height() * 4));
    }
    if (!words.isNull())
        p.drawPixmap(0, 0, words);
    const qreal t = std::clamp(m_selection->value(), 0.0, 1.0);
    if (t > 0)
        shapes::strokeRoundedInside(p, r, radius, Palette::mix(Palette::hairline(), Palette::gold(), t), 1.0 + 0.5 * t);

    if (m_selected) {
        // The check sits at the end of the title line, centred on it.
        const qreal box = Symbols::boxSize(checkSize);
        const qreal line = QFontMetricsF(titleFont()).height();
        const QRectF check(r.width() - padding - box, padding + (line - box) / 2.0, box, box);
        Symbols::paint(p, check, u"checkmark.circle.fill"_s, Palette::gold(), checkSize);
    }
    // Inside the outline, so it reads on the chosen card's gold too.
    if (hasFocus())
        FocusRing::paintRounded(p, r.adjusted(2, 2, -2, -2), radius - 2);
}

} // namespace studio
