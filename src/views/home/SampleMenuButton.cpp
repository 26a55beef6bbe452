#include "views/home/SampleMenuButton.h"

#include "design/Palette.h"
#include "design/Shapes.h"
#include "design/Symbols.h"
#include "design/Theme.h"
#include "services/SampleFactory.h"

#include <QFontMetricsF>
#include <QMenu>
#include <QPainter>

#include <cmath>

using namespace Qt::StringLiterals;

namespace studio {

namespace {
constexpr qreal padH = 14, padV = 7;
constexpr qreal chevronSize = 8;
constexpr qreal gap = 6;
} // namespace

SampleMenuButton::SampleMenuButton(Look look, QWidget* parent)
    : QAbstractButton(parent)
    , m_look(look)
    , m_menu(new QMenu(this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAccessibleName(label());
    for (const SampleFactory::Sample& sample : SampleFactory::registry()) {
        QAction* item = m_menu->addAction(Theme::escapeMnemonic(sample.name + u" — "_s + sample.blurb));
        const QString id = sample.id;
        connect(item, &QAction::triggered, this, [this, id] { Q_EMIT sampleChosen(id); });
    }
    connect(this, &QAbstractButton::clicked, this, [this] {
        m_menu->popup(mapToGlobal(QPoint(0, height() + 4)));
    });
}

QString SampleMenuButton::label() const
{
    return m_look == Look::capsule ? u"Explore a sample film"_s : u"Add a sample film"_s;
}

QFont SampleMenuButton::labelFont() const
{
    if (m_look == Look::capsule)
        return Theme::font(12.5, QFont::Medium);
    QFont f = Theme::font(10);
    f.setUnderline(true);
    return f;
}

QSize SampleMenuButton::sizeHint() const
{
    const QFontMetricsF metrics(labelFont());
    const qreal text = metrics.horizontalAdvance(label());
    if (m_look == Look::link)
        return QSize(int(std::ceil(text)) + 1, int(std::ceil(metrics.height())));
    const qreal chevron = Symbols::boxSize(chevronSize);
    const qreal height = std::max(metrics.height(), chevron) + 2 * padV;
    return QSize(int(std::ceil(text + gap + chevron + 2 * padH)), int(std::ceil(height)));
}

void SampleMenuButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    const QRectF r(rect());
    const QFont font = labelFont();
    p.setFont(font);
    if (m_look == Look::link) {
        p.setPen(Palette::textTertiary());
        p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, label());
        return;
    }
    shapes::fillCapsule(p, r, Palette::white(isDown() ? 0.08 : 0.05));
    shapes::strokeCapsuleInside(p, r, Palette::hairlineStrong(), 1.0);
    const qreal text = QFontMetricsF(font).horizontalAdvance(label());
    p.setPen(Palette::textPrimary());
    p.drawText(QRectF(padH, 0, text + 1, r.height()), Qt::AlignLeft | Qt::AlignVCenter, label());
    const qreal chevron = Symbols::boxSize(chevronSize);
    Symbols::paint(p, QRectF(padH + text + gap, (r.height() - chevron) / 2.0, chevron, chevron),
                   u"chevron.down"_s, Palette::textTertiary(), chevronSize, QFont::DemiBold);
}

} // namespace studio
