#include "views/phases/storyboard/TakeRow.h"

#include "design/widgets/ArtThumb.h"
#include "design/focus/FocusRing.h"
#include "design/style/Palette.h"
#include "design/style/Shapes.h"
#include "design/widgets/SpokenName.h"
#include "design/style/Symbols.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"

#include <QPainter>

using namespace Qt::StringLiterals;

namespace studio {

namespace {
constexpr int padding = 7;
constexpr int spacing = 8;
constexpr QSize thumb(52, 30);
constexpr qreal sealSize = 13;
} // namespace

TakeRow::TakeRow(QWidget* parent)
    : QAbstractButton(parent)
    , m_note(new TextLabel(QString(), Theme::font(type::callout), Palette::textSecondary(), this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setToolTip(u"Approve this take"_s);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    m_note->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TakeRow::setContent(const QString& seed, const QString& note, bool approved)
{
    m_note->setText(note.isEmpty() ? u"Take"_s : note);
    setSpokenName(this, m_note->text());
    if (seed != m_seed || approved != m_approved) {
        m_seed = seed;
        m_approved = approved;
        update();
    }
}

QSize TakeRow::sizeHint() const
{
    return QSize(200, thumb.height() + 2 * padding);
}

QSize TakeRow::minimumSizeHint() const
{
    return QSize(thumb.width() + 2 * padding, thumb.height() + 2 * padding);
}

void TakeRow::resizeEvent(QResizeEvent* event)
{
    QAbstractButton::resizeEvent(event);
    const int box = int(Symbols::boxSize(sealSize));
    const int left = padding + thumb.width() + spacing;
    const int right = width() - padding - box - spacing;
    const int h = m_note->sizeHint().height();
    m_note->setGeometry(left, (height() - h) / 2, std::max(0, right - left), h);
}

void TakeRow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF r = rect();
    shapes::paintCard(p, r, 9, Palette::surfaceHigh());
    if (hasFocus())
        FocusRing::paintRounded(p, r, 9);
    if (isDown())
        p.setOpacity(0.7);
    const QRectF frame(padding, (r.height() - thumb.height()) / 2.0, thumb.width(), thumb.height());
    ArtThumb::paint(p, frame, m_seed, 120, 68, 5);
    const qreal box = Symbols::boxSize(sealSize);
    const QRectF seal(r.width() - padding - box, (r.height() - box) / 2.0, box, box);
    Symbols::paint(p, seal, m_approved ? u"checkmark.seal.fill"_s : u"checkmark.seal"_s,
                   m_approved ? Palette::success() : Palette::textTertiary(), sealSize);
}

} // namespace studio
