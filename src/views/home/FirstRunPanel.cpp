#include "views/home/FirstRunPanel.h"

#include "design/widgets/ArtThumb.h"
#include "design/style/Palette.h"
#include "design/widgets/PrimaryButton.h"
#include "design/style/Shapes.h"
#include "design/widgets/SymbolLabel.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "views/home/SampleMenuButton.h"

#include <QHBoxLayout>
#include <QLinearGradient>
#include <QPainter>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

constexpr qreal panelRadius = 20;
constexpr int bannerHeight = 250;

// The banner: the welcome art filling the panel's width (its top corners
// follow the panel's), darkened towards the bottom under the two texts.
class WelcomeBanner : public QWidget {
public:
    explicit WelcomeBanner(QWidget* parent)
        : QWidget(parent)
    {
        setAttribute(Qt::WA_TranslucentBackground);
        setFixedHeight(bannerHeight);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(22, 22, 22, 22);
        layout->setSpacing(8);
        layout->addStretch(1);
        layout->addWidget(new TextLabel(u"From spark to premiere."_s, Theme::font(type::display, QFont::Bold), Qt::white));
        auto* line = new TextLabel(
            u"Dream it, design it, deliver it — one project, nine simple phases, films from three minutes to four hours."_s,
            Theme::font(type::subheadline), Palette::white(level::bright));
        line->setWordWrap(true);
        line->setMaximumWidth(480);
        layout->addWidget(line, 0, Qt::AlignLeft);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        // Kept between repaints; the picture changes only with the width.
        const qreal dpr = devicePixelRatioF();
        if (m_picture.size() != (QSizeF(size()) * dpr).toSize() || m_picture.devicePixelRatio() != dpr) {
            m_picture = QPixmap((QSizeF(size()) * dpr).toSize());
            m_picture.setDevicePixelRatio(dpr);
            m_picture.fill(Qt::transparent);
            QPainter p(&m_picture);
            p.setRenderHint(QPainter::Antialiasing, true);
            const QRectF r(rect());
            // Only the top corners are rounded: the action row continues below.
            p.setClipPath(shapes::roundedRect(r.adjusted(0, 0, 0, panelRadius * 2), panelRadius));
            ArtThumb::paint(p, r, u"welcome-hero"_s, 1200, 480);
            QLinearGradient shade(r.topLeft(), r.bottomLeft());
            shade.setColorAt(0, Palette::black(level::none));
            shade.setColorAt(1, Palette::black(level::bright));
            p.fillRect(r, shade);
        }
        QPainter p(this);
        p.drawPixmap(0, 0, m_picture);
    }

private:
    QPixmap m_picture;
};

// The hairline of the panel, drawn over its content like the card
// surface's outline.
QWidget* miniStep(const QString& symbol, const QString& label)
{
    auto* step = new QWidget;
    auto* row = new QHBoxLayout(step);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    row->addWidget(new SymbolLabel(symbol, 10, Palette::gold(), QFont::Medium), 0, Qt::AlignVCenter);
    row->addWidget(new TextLabel(label, Theme::font(type::body, QFont::Medium), Palette::textSecondary()), 0,
                   Qt::AlignVCenter);
    return step;
}

QWidget* arrow()
{
    return new SymbolLabel(u"arrow.right"_s, 8, Palette::textTertiary());
}

} // namespace

FirstRunPanel::FirstRunPanel(QWidget* parent)
    : CardSurface(panelRadius, Palette::surface(), parent)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(new WelcomeBanner(this));

    auto* actions = new QHBoxLayout;
    actions->setContentsMargins(20, 20, 20, 20);
    actions->setSpacing(12);
    m_start = new PrimaryButton(u"Start a new production"_s, true);
    m_samples = new SampleMenuButton(SampleMenuButton::Look::capsule);
    actions->addWidget(m_start, 0, Qt::AlignVCenter);
    actions->addWidget(m_samples, 0, Qt::AlignVCenter);
    actions->addStretch(1);
    auto* steps = new QHBoxLayout;
    steps->setSpacing(18);
    steps->addWidget(miniStep(u"sparkles"_s, u"Dream"_s), 0, Qt::AlignVCenter);
    steps->addWidget(arrow(), 0, Qt::AlignVCenter);
    steps->addWidget(miniStep(u"camera.filters"_s, u"Design"_s), 0, Qt::AlignVCenter);
    steps->addWidget(arrow(), 0, Qt::AlignVCenter);
    steps->addWidget(miniStep(u"ticket.fill"_s, u"Deliver"_s), 0, Qt::AlignVCenter);
    actions->addLayout(steps);
    column->addLayout(actions);

    connect(m_start, &QAbstractButton::clicked, this, &FirstRunPanel::newProductionRequested);
    connect(m_samples, &SampleMenuButton::sampleChosen, this, &FirstRunPanel::sampleChosen);
}

} // namespace studio
