#include "views/phases/footage/JobRow.h"

#include "design/style/Palette.h"
#include "design/style/Shapes.h"
#include "design/widgets/SpokenName.h"
#include "design/style/Symbols.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Text.h"
#include "state/rules/FootageRules.h"
#include "state/rules/ProgressRules.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

constexpr qreal pad = 10;
constexpr qreal partGap = 7;
constexpr qreal titleGap = 8;
constexpr qreal chipGap = 3;
constexpr qreal chipPadH = 7, chipPadV = 3;
constexpr qreal stateSymbolSize = 11;
constexpr qreal linkSize = 6;
constexpr qreal barHeight = 4;

struct Fonts {
    QFont title = Theme::font(type::callout, QFont::DemiBold);
    QFont queued = Theme::font(type::caption2, QFont::DemiBold, 0.6);
    QFont percent = Theme::font(type::footnote2, QFont::DemiBold);
    QFont chip = Theme::font(type::caption, QFont::DemiBold);
};
const Fonts& fonts()
{
    static const Fonts f;
    return f;
}

qreal titleLineHeight()
{
    return std::max(QFontMetricsF(fonts().title).height(), Symbols::boxSize(stateSymbolSize));
}

qreal chipHeight()
{
    return QFontMetricsF(fonts().chip).height() + 2 * chipPadV;
}

} // namespace

JobRow::JobRow(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void JobRow::setJob(const GenerationJob& job)
{
    // The job's lists are shared with the session's copy, so an unchanged job
    // compares at once: a render step repaints the one row that moved.
    if (m_hasJob && job == m_job)
        return;
    const bool reshaped = !m_hasJob || showsProgressBar() != (job.state == JobState::rendering);
    const bool retitled = !m_hasJob || job.title != m_job.title;
    m_job = job;
    m_hasJob = true;
    // The painted row, for assistive technology: the shot, then where its
    // job stands and the clips it was planned into.
    if (retitled)
        setSpokenName(this, m_job.title);
    if (const QString state = spokenState(); state != accessibleDescription())
        setAccessibleDescription(state);
    if (reshaped)
        updateGeometry();
    update();
}

QString JobRow::spokenState() const
{
    QString state;
    switch (m_job.state) {
    case JobState::queued:
        state = u"Queued"_s;
        break;
    case JobState::rendering:
        state = u"Rendering "_s + rules::percentText(m_job.progress);
        break;
    case JobState::done:
        state = u"Done"_s;
        break;
    case JobState::failed:
        state = u"Failed"_s;
        break;
    }
    // As many clips as a row could ever show.
    constexpr qsizetype spokenClips = 40;
    QStringList clips;
    for (qsizetype i = 0; i < m_job.clips.size() && i < spokenClips; ++i) {
        const ClipPlan& clip = m_job.clips.at(i);
        clips << (clip.chained ? u"linked "_s : QString()) + rules::shotLengthText(clip.seconds);
    }
    if (m_job.clips.size() > spokenClips)
        clips << u"…"_s;
    return state + u" · "_s + clips.join(u", "_s);
}

QString JobRow::stateText() const
{
    switch (m_job.state) {
    case JobState::queued:
        return u"QUEUED"_s;
    case JobState::rendering:
        return rules::percentText(m_job.progress);
    case JobState::done:
    case JobState::failed:
        break;
    }
    return QString();
}

QSize JobRow::sizeHint() const
{
    qreal h = pad + titleLineHeight() + partGap + chipHeight() + pad;
    if (showsProgressBar())
        h += partGap + barHeight;
    return QSize(200, int(std::ceil(h)));
}

QSize JobRow::minimumSizeHint() const
{
    return QSize(80, sizeHint().height());
}

void JobRow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    shapes::paintCard(p, QRectF(rect()), 10, Palette::surfaceHigh());
    const Fonts& f = fonts();
    const qreal inner = width() - 2 * pad;

    // Title line: the state at the trailing edge, the title in what is left.
    const qreal lineH = titleLineHeight();
    qreal stateWidth = 0;
    const QRectF line(pad, pad, inner, lineH);
    switch (m_job.state) {
    case JobState::queued:
    case JobState::rendering: {
        const bool queued = m_job.state == JobState::queued;
        const QFont& font = queued ? f.queued : f.percent;
        const QString text = stateText();
        stateWidth = QFontMetricsF(font).horizontalAdvance(text);
        p.setFont(font);
        p.setPen(queued ? Palette::textTertiary() : Palette::gold());
        p.drawText(QRectF(line.right() - stateWidth - 1, line.top(), stateWidth + 1, lineH),
                   Qt::AlignRight | Qt::AlignVCenter, text);
        break;
    }
    case JobState::done:
    case JobState::failed: {
        const bool done = m_job.state == JobState::done;
        stateWidth = Symbols::boxSize(stateSymbolSize);
        Symbols::paint(p, QRectF(line.right() - stateWidth, line.center().y() - stateWidth / 2.0, stateWidth, stateWidth),
                       done ? u"checkmark.circle.fill"_s : u"exclamationmark.triangle.fill"_s,
                       done ? Palette::success() : Palette::warn(), stateSymbolSize);
        break;
    }
    }
    const QFontMetricsF titleMetrics(f.title);
    const qreal titleWidth = std::max<qreal>(0, inner - stateWidth - titleGap);
    p.setFont(f.title);
    p.setPen(Palette::textPrimary());
    p.drawText(QRectF(line.left(), line.top(), titleWidth, lineH), Qt::AlignLeft | Qt::AlignVCenter,
               titleMetrics.elidedText(text::displayPrefix(m_job.title), Qt::ElideRight, titleWidth));

    // Clip line: chips from the leading edge; what passes the card's edge is cut.
    const bool done = m_job.state == JobState::done;
    const QFontMetricsF chipMetrics(f.chip);
    const qreal chipH = chipHeight();
    const qreal chipTop = line.bottom() + partGap;
    const qreal linkBox = Symbols::boxSize(linkSize);
    p.save();
    p.setClipRect(QRectF(pad, chipTop - 1, inner, chipH + 2));
    qreal x = pad;
    p.setFont(f.chip);
    for (const ClipPlan& clip : m_job.clips) {
        if (x >= pad + inner)
            break;
        if (clip.chained) {
            Symbols::paint(p, QRectF(x, chipTop + (chipH - linkBox) / 2.0, linkBox, linkBox), u"link"_s,
                           Palette::gold(), linkSize, QFont::Bold);
            x += linkBox + chipGap;
        }
        const QString text = rules::shotLengthText(clip.seconds);
        const QRectF chip(x, chipTop, chipMetrics.horizontalAdvance(text) + 2 * chipPadH, chipH);
        shapes::fillCapsule(p, chip, done ? Palette::withOpacity(Palette::success(), 0.85) : Palette::white(level::fill));
        p.setPen(done ? Palette::buttonInk() : Palette::textSecondary());
        p.drawText(chip, Qt::AlignCenter, text);
        x = chip.right() + chipGap;
    }
    p.restore();

    if (showsProgressBar()) {
        const QRectF track(pad, chipTop + chipH + partGap, inner, barHeight);
        shapes::fillCapsule(p, track, Palette::white(level::raised));
        const double fraction = std::isfinite(m_job.progress) ? std::clamp(m_job.progress, 0.0, 1.0) : 0.0;
        if (fraction > 0) {
            QRectF filled = track;
            filled.setWidth(std::max(track.height(), track.width() * fraction));
            shapes::fillCapsule(p, filled, Palette::gold());
        }
    }
}

} // namespace studio
