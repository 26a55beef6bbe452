#include "views/phases/premiere/ExportBar.h"

#include "design/focus/FocusHandOver.h"
#include "design/focus/FocusRing.h"
#include "design/widgets/GhostButton.h"
#include "design/style/Palette.h"
#include "design/widgets/PrimaryButton.h"
#include "design/style/Shapes.h"
#include "design/widgets/SymbolLabel.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "state/rules/ProgressRules.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

// The card's corner, as every padded card has it.
constexpr int cornerRadius = 16;

// A thin linear progress indicator: a hairline track and a gold fill.
class ProgressLine : public QWidget {
public:
    ProgressLine()
    {
        setFixedSize(180, 6);
        setAttribute(Qt::WA_TranslucentBackground);
    }
    void setValue(double value)
    {
        const double v = std::isfinite(value) ? std::clamp(value, 0.0, 1.0) : 0.0;
        if (v == m_value)
            return;
        m_value = v;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF track = QRectF(rect()).adjusted(0, 1, 0, -1);
        p.fillPath(shapes::capsule(track), Palette::hairlineStrong());
        if (m_value > 0) {
            QRectF done = track;
            done.setWidth(std::max(track.height(), track.width() * m_value));
            p.fillPath(shapes::capsule(done), Palette::gold());
        }
    }

private:
    double m_value = 0;
};

QHBoxLayout* rowOf(QWidget* row, int spacing)
{
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    return layout;
}

} // namespace

ExportBar::ExportBar(const QString& locationText, QWidget* parent)
    : PaddedCard(16, 12, parent)
{
    setAccessibleName(u"Export"_s);
    QVBoxLayout* stack = this->stack();

    auto* main = new QWidget;
    QHBoxLayout* row = rowOf(main, 12);
    row->addWidget(new SymbolLabel(u"folder.fill"_s, 12, Palette::gold()), 0, Qt::AlignVCenter);
    m_location = new TextLabel(locationText, Theme::font(type::body), Palette::textSecondary());
    row->addWidget(m_location, 1, Qt::AlignVCenter);
    m_progress = new ProgressLine;
    row->addWidget(m_progress, 0, Qt::AlignVCenter);
    m_percent = new TextLabel(QString(), Theme::font(type::body, QFont::Medium), Palette::textSecondary());
    // Wide enough for "100%", so the bar doesn't move while the figure grows.
    m_percent->setMinimumWidth(QFontMetrics(Theme::font(type::body, QFont::Medium)).horizontalAdvance(u"100%"_s) + 2);
    row->addWidget(m_percent, 0, Qt::AlignVCenter);
    m_export = new PrimaryButton(u"square.and.arrow.up.fill"_s, QString(), true);
    row->addWidget(m_export, 0, Qt::AlignVCenter);
    stack->addWidget(main);
    // The row is as tall as the button even while the progress shows.
    main->setMinimumHeight(m_export->sizeHint().height());
    m_progress->hide();
    m_percent->hide();

    m_success = new QWidget;
    row = rowOf(m_success, 8);
    row->addWidget(new SymbolLabel(u"checkmark.seal.fill"_s, 12, Palette::success()), 0, Qt::AlignVCenter);
    auto* written = new TextLabel(u"Export manifest written \u2014 the full delivery spec for this cut. Real "
                                  u"rendering arrives with the video APIs."_s,
                                  Theme::font(type::callout), Palette::textSecondary());
    written->setWordWrap(true);
    row->addWidget(written, 0, Qt::AlignVCenter);
    m_reveal = new GhostButton(u"Reveal in Finder"_s, Palette::textPrimary());
    row->addWidget(m_reveal, 0, Qt::AlignVCenter);
    row->addStretch(1);
    stack->addWidget(m_success);
    m_success->hide();

    m_error = new QWidget;
    row = rowOf(m_error, 8);
    row->addWidget(new SymbolLabel(u"exclamationmark.triangle.fill"_s, 12, Palette::warn()), 0, Qt::AlignVCenter);
    m_errorText = new TextLabel(QString(), Theme::font(type::callout), Palette::textSecondary());
    m_errorText->setWordWrap(true);
    row->addWidget(m_errorText, 1, Qt::AlignVCenter);
    stack->addWidget(m_error);
    m_error->hide();

    connect(m_export, &QAbstractButton::clicked, this, &ExportBar::exportRequested);
    connect(m_reveal, &QAbstractButton::clicked, this, &ExportBar::revealRequested);
}

void ExportBar::paintEvent(QPaintEvent* event)
{
    PaddedCard::paintEvent(event);
    // The bar holds the focus only while a run stands in the button's place.
    if (hasFocus()) {
        QPainter p(this);
        FocusRing::paintRounded(p, QRectF(rect()), cornerRadius);
    }
}

void ExportBar::setState(const ExportBarState& state)
{
    m_export->setText(state.buttonText);
    static_cast<ProgressLine*>(m_progress)->setValue(state.progress);
    m_percent->setText(rules::percentText(state.progress));
    // Hide before showing, so the row never holds both at once. The
    // keyboard that pressed Export waits on the bar while the progress
    // stands in the button's place, and is on the button when it is back.
    if (state.exporting) {
        handOverFocus(m_export, this);
        m_export->setVisible(false);
        m_progress->setVisible(true);
        m_percent->setVisible(true);
        setAccessibleDescription(m_percent->text());
    } else {
        m_progress->setVisible(false);
        m_percent->setVisible(false);
        m_export->setVisible(true);
        setAccessibleDescription(QString());
        if (window()->focusWidget() == this)
            m_export->setFocus(Qt::OtherFocusReason);
    }
    m_success->setVisible(state.exportedPath.has_value());
    m_errorText->setText(state.error.value_or(QString()));
    m_error->setVisible(state.error.has_value());
}

} // namespace studio
