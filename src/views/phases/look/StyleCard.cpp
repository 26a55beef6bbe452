#include "views/phases/look/StyleCard.h"

#include "design/widgets/ArtThumb.h"
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
#include <QHash>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

constexpr qreal radius = 13;
constexpr int artHeight = 96;
constexpr qreal checkSize = 14;
constexpr qreal checkInset = 7;
constexpr int wordsInset = 10;
constexpr int nameGap = 3;

// The preset's name over its blurb, laid out as labels lay them out.
struct Words {
    explicit Words(const StylePreset& preset)
        : name(preset.name, Theme::font(type::control, QFont::DemiBold), Palette::textPrimary())
        , blurb(preset.blurb, Theme::font(type::label), Palette::textTertiary())
    {
        blurb.setWordWrap(true);
        blurb.setMaxLines(2);
    }
    // Lays both out in the card's width; returns the card's height.
    int place(int cardWidth)
    {
        const int width = std::max(0, cardWidth - 2 * wordsInset);
        const int nameHeight = name.heightForWidth(width);
        name.setGeometry(wordsInset, artHeight + wordsInset, width, nameHeight);
        blurb.setGeometry(wordsInset, artHeight + wordsInset + nameHeight + nameGap, width,
                          blurb.heightForWidth(width));
        return blurb.geometry().bottom() + 1 + wordsInset;
    }
    TextLabel name;
    TextLabel blurb;
};

QHash<QString, int>& heights()
{
    static QHash<QString, int> kept;
    return kept;
}

QHash<QString, int>& naturalWidths()
{
    static QHash<QString, int> kept;
    return kept;
}

// Within their share of the process's pictures (design/style/PictureBudget.h).
QCache<QString, QPixmap>& drawings()
{
    static QCache<QString, QPixmap> kept(pictureBudget::styleCards);
    return kept;
}

// The card at rest: surface, art, hairline outline and words.
QPixmap drawCard(const StylePreset& preset, const QSize& size, qreal dpr)
{
    QPixmap pixmap(size * dpr);
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF r(QPointF(0, 0), QSizeF(size));
    const QPainterPath shape = shapes::roundedRect(r, radius);
    p.fillPath(shape, Palette::surface());
    p.save();
    p.setClipPath(shape);
    ArtThumb::paint(p, QRectF(0, 0, r.width(), artHeight), u"style-"_s + preset.id, 400, 220);
    p.restore();
    shapes::strokeRoundedInside(p, r, radius, Palette::hairline(), 1.0);
    Words words(preset);
    words.place(size.width());
    for (TextLabel* label : {&words.name, &words.blurb})
        label->render(&p, label->pos(), QRegion(), QWidget::DrawChildren);
    return pixmap;
}

} // namespace

StyleCard::StyleCard(const StylePreset& preset, QWidget* parent)
    : QAbstractButton(parent)
    , m_id(preset.id)
    , m_selection(new Spring(0.35, 0.85, this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    // A click gives it the keyboard, as Tab does (ringed only for the
    // keyboard): keys typed next never reach the field the user left.
    setFocusPolicy(Qt::StrongFocus);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setAccessibleName(preset.name);
    // The blurb, painted under the name, is read after it.
    setAccessibleDescription(preset.blurb);
    connect(m_selection, &Spring::valueChanged, this, qOverload<>(&QWidget::update));
}

void StyleCard::forgetDrawings()
{
    heights().clear();
    naturalWidths().clear();
    drawings().clear();
}

int StyleCard::heightForWidth(int width) const
{
    // Grids ask at several widths while they settle; each answer is the same
    // for every card of this style.
    const QString key = m_id + u'|' + QString::number(width);
    if (const auto it = heights().constFind(key); it != heights().cend())
        return *it;
    const StylePreset* preset = StylePreset::find(m_id);
    const int height = preset ? Words(*preset).place(width) : artHeight;
    heights().insert(key, height);
    return height;
}

QSize StyleCard::sizeHint() const
{
    auto it = naturalWidths().constFind(m_id);
    if (it == naturalWidths().cend()) {
        int natural = 2 * wordsInset;
        if (const StylePreset* preset = StylePreset::find(m_id)) {
            Words words(*preset);
            natural += std::max(words.name.sizeHint().width(), words.blurb.sizeHint().width());
        }
        it = naturalWidths().insert(m_id, natural);
    }
    return {*it, heightForWidth(*it)};
}

QSize StyleCard::minimumSizeHint() const
{
    return {2 * wordsInset, heightForWidth(2 * wordsInset)};
}

void StyleCard::setSelected(bool selected, bool animated)
{
    if (selected == m_selected)
        return;
    m_selected = selected;
    const qreal target = selected ? 1.0 : 0.0;
    if (animated && isVisible() && !ReduceMotion::systemPrefersReducedMotion())
        m_selection->setTarget(target);
    else
        m_selection->jumpTo(target);
    update();
    tellChoiceChanged(this);
}

void StyleCard::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const qreal dpr = devicePixelRatioF();
    const QString key = m_id + u'|' + QString::number(width()) + u'x' + QString::number(height()) + u'@'
        + QString::number(dpr);
    QPixmap resting;
    if (const QPixmap* kept = drawings().object(key)) {
        resting = *kept;
    } else {
        const StylePreset* preset = StylePreset::find(m_id);
        if (!preset)
            return;
        resting = drawCard(*preset, size(), dpr);
        drawings().insert(key, new QPixmap(resting),
                          pictureBudget::cost(qsizetype(resting.width()) * resting.height() * 4));
    }
    p.drawPixmap(0, 0, resting);

    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF r(rect());
    const qreal t = std::clamp(m_selection->value(), 0.0, 1.0);
    if (t > 0) {
        const qreal box = Symbols::boxSize(checkSize);
        const QRectF check(r.right() - checkInset - box, checkInset, box, box);
        p.setOpacity(t);
        Symbols::paint(p, check, u"checkmark.circle.fill"_s, Palette::gold(), checkSize);
        p.setOpacity(1.0);
        shapes::strokeRoundedInside(p, r, radius, Palette::mix(Palette::hairline(), Palette::gold(), t),
                                    1.0 + 0.5 * t);
    }
    // Inside the outline, so it reads on the chosen card's gold too.
    if (hasFocus())
        FocusRing::paintRounded(p, r.adjusted(2, 2, -2, -2), radius - 2);
}

} // namespace studio
