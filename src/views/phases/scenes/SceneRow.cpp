#include "views/phases/scenes/SceneRow.h"

#include "design/DestructiveAction.h"
#include "design/Palette.h"
#include "design/Shapes.h"
#include "design/TextLabel.h"
#include "design/Theme.h"
#include "model/Text.h"

#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace studio {

namespace {
constexpr int padding = 8;
constexpr int badge = 22;
constexpr int spacing = 9;
constexpr qreal radius = 10;
} // namespace

SceneRow::SceneRow(const QUuid& sceneID, QWidget* parent)
    : QWidget(parent)
    , m_sceneID(sceneID)
    , m_slug(new TextLabel(QString(), Theme::font(10.5, QFont::DemiBold), Palette::textPrimary(), this))
    , m_detail(new TextLabel(QString(), Theme::font(9), Palette::textTertiary(), this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setFocusPolicy(Qt::ClickFocus);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(padding + badge + spacing, padding, padding, padding);
    row->setSpacing(0);
    auto* text = new QVBoxLayout;
    text->setContentsMargins(0, 0, 0, 0);
    text->setSpacing(2);
    text->addWidget(m_slug);
    text->addWidget(m_detail);
    row->addLayout(text, 1);
    setMinimumHeight(badge + 2 * padding);
}

QString SceneRow::detailText(qsizetype shots, double totalSeconds)
{
    return QString::number(shots) + u" shots · "_s + QString::number(text::saturatingInt64(totalSeconds)) + u's';
}

void SceneRow::setContent(int number, const QString& slug, const QString& detail, bool selected)
{
    m_slug->setText(slug);
    m_detail->setText(detail);
    if (number != m_number || selected != m_selected) {
        m_number = number;
        m_selected = selected;
        update();
    }
}

QString SceneRow::slug() const
{
    return m_slug->text();
}

QString SceneRow::detail() const
{
    return m_detail->text();
}

void SceneRow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF r = rect();
    if (m_selected) {
        shapes::fillRounded(p, r, radius, Palette::surfaceHigh());
        shapes::strokeRoundedInside(p, r, radius, Palette::hairlineStrong(), 1.0);
    }
    const QRectF circle(padding, (r.height() - badge) / 2.0, badge, badge);
    p.setPen(Qt::NoPen);
    p.setBrush(m_selected ? Palette::accent() : Palette::white(0.06));
    p.drawEllipse(circle);
    p.setFont(Theme::font(11, QFont::Bold));
    p.setPen(m_selected ? Palette::buttonInk() : Palette::textTertiary());
    p.drawText(circle, Qt::AlignCenter, QString::number(m_number));
}

void SceneRow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT clicked(m_sceneID);
    QWidget::mousePressEvent(event);
}

void SceneRow::contextMenuEvent(QContextMenuEvent* event)
{
    const QUuid id = m_sceneID;
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    connect(menu->addAction(u"Move up"_s), &QAction::triggered, this, [this, id] { Q_EMIT moveRequested(id, -1); });
    connect(menu->addAction(u"Move down"_s), &QAction::triggered, this, [this, id] { Q_EMIT moveRequested(id, 1); });
    menu->addSeparator();
    connect(addDestructiveAction(menu, u"Delete scene"_s), &QAction::triggered, this,
            [this, id] { Q_EMIT deleteRequested(id); });
    menu->popup(event->reason() == QContextMenuEvent::Mouse ? event->globalPos()
                                                            : mapToGlobal(rect().center()));
}

} // namespace studio
