#include "design/widgets/PillPicker.h"

#include "design/widgets/AccessibleSource.h"
#include "design/focus/FocusRing.h"
#include "design/style/Palette.h"
#include "design/style/Shapes.h"
#include "design/widgets/SpokenName.h"
#include "design/style/Spring.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Text.h"

#include <QAbstractButton>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace studio {

// One option of the picker: a reader reads it as a radio button of its
// group, checked while selected.
class PillButton : public QAbstractButton {
public:
    PillButton(const QString& title, QWidget* parent)
        : QAbstractButton(parent)
        , m_title(text::displayPrefix(title))
        , m_spring(new Spring(0.3, 0.8, this))
    {
        setFocusPolicy(Qt::TabFocus);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        setAttribute(Qt::WA_TranslucentBackground);
        QAbstractButton::setText(Theme::escapeMnemonic(m_title));
        setSpokenName(this, m_title);
        connect(m_spring, &Spring::valueChanged, this, qOverload<>(&QWidget::update));
    }

    void setTitle(const QString& title)
    {
        m_title = text::displayPrefix(title);
        QAbstractButton::setText(Theme::escapeMnemonic(m_title));
        setSpokenName(this, m_title);
        updateGeometry();
        update();
    }

    void setSelected(bool selected, bool animated)
    {
        if (selected == m_selected)
            return;
        m_selected = selected;
        if (animated)
            m_spring->setTarget(selected ? 1.0 : 0.0);
        else
            m_spring->jumpTo(selected ? 1.0 : 0.0);
        updateGeometry();
        tellChoiceChanged(this);
    }
    bool isSelected() const { return m_selected; }

    QSize sizeHint() const override
    {
        const QFontMetricsF fm(font(m_selected));
        return QSize(int(std::ceil(fm.horizontalAdvance(m_title) + 24)), int(std::ceil(fm.height() + 10)));
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing, true);
        if (!isEnabled())
            p.setOpacity(0.45);
        const qreal t = std::clamp(m_spring->value(), 0.0, 1.0);
        const QRectF r = rect();
        if (t > 0)
            shapes::fillCapsule(p, r, Palette::withOpacity(Palette::accent(), t));
        if (hasFocus())
            FocusRing::paintCapsule(p, r);
        const QFont f = font(m_selected);
        const QFontMetricsF fm(f);
        p.setFont(f);
        p.setPen(Palette::mix(Palette::textSecondary(), Palette::buttonInk(), t));
        const QString shown = fm.elidedText(m_title, Qt::ElideRight, std::max<qreal>(0, r.width() - 24));
        const qreal x = r.center().x() - fm.horizontalAdvance(shown) / 2.0;
        const qreal baseline = r.center().y() + (fm.ascent() - fm.descent()) / 2.0;
        p.drawText(QPointF(x, baseline), shown);
    }

private:
    QFont font(bool selected) const { return selected ? m_semibold : m_regular; }

    QString m_title;
    QFont m_regular = Theme::font(type::body);
    QFont m_semibold = Theme::font(type::body, QFont::DemiBold);
    bool m_selected = false;
    Spring* m_spring;
};

PillPicker::PillPicker(QWidget* parent)
    : QWidget(parent)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(3, 3, 3, 3);
    row->setSpacing(3);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAttribute(Qt::WA_TranslucentBackground);
}

void PillPicker::setVariantOptions(const QList<std::pair<QVariant, QString>>& options)
{
    const QVariant selected = m_selected >= 0 ? m_options[m_selected].first : QVariant();
    const bool same = options.size() == m_options.size()
        && std::equal(options.begin(), options.end(), m_options.begin());
    if (same)
        return;
    const bool sameValues = options.size() == m_options.size()
        && std::equal(options.begin(), options.end(), m_options.begin(),
                      [](const auto& a, const auto& b) { return a.first == b.first; });
    if (sameValues) {
        // Only titles changed (a count in a title): the pills stay, so the
        // selected one doesn't fade in again.
        for (int i = 0; i < m_options.size(); ++i) {
            if (options[i].second != m_options[i].second)
                m_pills[i]->setTitle(options[i].second);
        }
        m_options = options;
        return;
    }
    qDeleteAll(m_pills);
    m_pills.clear();
    m_options = options;
    m_selected = -1;
    auto* row = static_cast<QHBoxLayout*>(layout());
    for (int i = 0; i < m_options.size(); ++i) {
        auto* pill = new PillButton(m_options[i].second, this);
        row->addWidget(pill);
        connect(pill, &QAbstractButton::clicked, this, [this, i] {
            if (i == m_selected)
                return;
            select(i);
            Q_EMIT picked(i);
        });
        m_pills.append(pill);
    }
    if (selected.isValid())
        setSelectedVariant(selected);
}

void PillPicker::setSelectedVariant(const QVariant& value)
{
    int index = -1;
    for (int i = 0; i < m_options.size(); ++i) {
        if (m_options[i].first == value) {
            index = i;
            break;
        }
    }
    if (index == m_selected)
        return;
    m_selected = index;
    for (int i = 0; i < m_pills.size(); ++i)
        m_pills[i]->setSelected(i == index, isVisible());
}

void PillPicker::select(int index)
{
    m_selected = index;
    for (int i = 0; i < m_pills.size(); ++i)
        m_pills[i]->setSelected(i == index, true);
}

QVariant PillPicker::valueAt(int index) const
{
    return index >= 0 && index < m_options.size() ? m_options[index].first : QVariant();
}

QString PillPicker::titleAt(int index) const
{
    return index >= 0 && index < m_options.size() ? m_options[index].second : QString();
}

QAbstractButton* PillPicker::pill(int index) const
{
    return index >= 0 && index < m_pills.size() ? m_pills[index] : nullptr;
}

void PillPicker::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    shapes::fillCapsule(p, rect(), Palette::white(level::wash));
    shapes::strokeCapsuleInside(p, rect(), Palette::hairline(), 1.0);
}

} // namespace studio
