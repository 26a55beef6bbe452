#include "views/shell/WorkspaceHeader.h"

#include "design/access/ChoiceAccessible.h"
#include "design/focus/FocusRing.h"
#include "design/style/Palette.h"
#include "design/style/Shapes.h"
#include "design/style/Spring.h"
#include "design/style/Symbols.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Lookup.h"
#include "state/ProjectSession.h"
#include "state/assist/AssistActions.h"
#include "state/edits/EpisodeEdits.h"
#include "views/shell/AssistMenu.h"
#include "views/shell/EpisodePicker.h"

#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace studio {

namespace {
constexpr qreal readyPadH = 11;
constexpr qreal readyPadV = 6;
constexpr qreal readySpacing = 6;
constexpr qreal readySymbol = 11;

QFont readyFont()
{
    return Theme::font(type::body, QFont::Medium);
}
} // namespace

// ---- MarkReadyButton --------------------------------------------------------

MarkReadyButton::MarkReadyButton(ProjectSession& session, QWidget* parent)
    : QAbstractButton(parent)
    , m_session(session)
    // Known before anything names the button: its interface may be made by
    // the first name or tool tip set, and reads the mark from then on.
    , m_ready(session.project().completedPhases.contains(session.project().activePhase))
    , m_blend(new Spring(0.35, 0.8, this))
{
    setObjectName(u"markReady"_s);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAttribute(Qt::WA_TranslucentBackground);
    setToolTip(u"Phases marked ready fill the project's progress ring."_s);
    connect(m_blend, &Spring::valueChanged, this, qOverload<>(&QWidget::update));
    connect(this, &QAbstractButton::clicked, this, [this] {
        // Only the button's own change blends; a phase switch shows the new state at once.
        m_animate = true;
        toggle(m_session);
        m_animate = false;
    });
    m_blend->jumpTo(m_ready ? 1.0 : 0.0);
    setAccessibleName(labelText());
}

void MarkReadyButton::toggle(ProjectSession& session)
{
    session.edit([](Project& p) { edits::togglePhaseReady(p, p.activePhase); });
}

QString MarkReadyButton::labelText() const
{
    return m_ready ? u"Phase ready"_s : u"Mark ready"_s;
}

void MarkReadyButton::refresh()
{
    const Project& project = m_session.project();
    const bool ready = project.completedPhases.contains(project.activePhase);
    if (ready == m_ready)
        return;
    m_ready = ready;
    setAccessibleName(labelText());
    tellChoiceChanged(this);
    if (m_animate)
        m_blend->setTarget(ready ? 1.0 : 0.0);
    else
        m_blend->jumpTo(ready ? 1.0 : 0.0);
    updateGeometry();
    update();
}

QAccessibleInterface* MarkReadyButton::accessibleFor(QObject* object)
{
    if (object != this)
        return nullptr;
    return new ChoiceAccessible(this, ChoiceAccessible::Kind::anyOf, [this] { return m_ready; });
}

QSize MarkReadyButton::sizeHint() const
{
    const QFontMetricsF fm(readyFont());
    const qreal box = Symbols::boxSize(readySymbol);
    const qreal w = box + readySpacing + fm.horizontalAdvance(labelText()) + 2 * readyPadH;
    const qreal h = std::max(fm.height(), box) + 2 * readyPadV;
    return QSize(int(std::ceil(w)), int(std::ceil(h)));
}

void MarkReadyButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF r = rect();
    const qreal t = std::clamp(m_blend->value(), 0.0, 1.0);
    const QColor success = Palette::success();
    if (isDown())
        p.setOpacity(0.8);

    shapes::fillCapsule(p, r, Palette::mix(Palette::white(level::wash), Palette::withOpacity(success, 0.1), t));
    shapes::strokeCapsuleInside(p, r, Palette::mix(Palette::hairline(), Palette::withOpacity(success, 0.3), t), 1.0);
    if (hasFocus())
        FocusRing::paintCapsule(p, r);

    const qreal box = Symbols::boxSize(readySymbol);
    qreal x = readyPadH;
    Symbols::paint(p, QRectF(x, r.center().y() - box / 2, box, box),
                   m_ready ? u"checkmark.circle.fill"_s : u"circle"_s,
                   Palette::mix(Palette::textTertiary(), success, t), readySymbol);
    x += box + readySpacing;
    const QFont font = readyFont();
    const QFontMetricsF fm(font);
    p.setFont(font);
    p.setPen(Palette::mix(Palette::textSecondary(), success, t));
    p.drawText(QPointF(x, r.center().y() + (fm.ascent() - fm.descent()) / 2), labelText());
}

// ---- WorkspaceHeader -------------------------------------------------------

QString WorkspaceHeader::phaseTitle(PhaseID phase)
{
    return title(phase);
}

QString WorkspaceHeader::phaseTagline(PhaseID phase)
{
    switch (phase) {
    case PhaseID::spark:
        return u"What if\u2026? Capture the idea while it's hot."_s;
    case PhaseID::story:
        return u"Shape the journey, beat by beat."_s;
    case PhaseID::cast:
        return u"Who lives here? Faces, voices, places."_s;
    case PhaseID::script:
        return u"The words on the page."_s;
    case PhaseID::look:
        return u"How it feels before a single frame exists."_s;
    case PhaseID::scenes:
        return u"Every scene, every shot, planned visually."_s;
    case PhaseID::footage:
        return u"Bring shots to life, within the engine's limits."_s;
    case PhaseID::cut:
        return u"Order, pacing, music. The film takes shape."_s;
    case PhaseID::premiere:
        return u"Final checks, then out into the world."_s;
    }
    return QString();
}

WorkspaceHeader::WorkspaceHeader(AppState& app, ProjectSession& session, QWidget* parent)
    : QWidget(parent)
    , m_session(session)
    , m_title(new TextLabel(QString(), Theme::font(type::display3, QFont::Bold), Palette::textPrimary(), this))
    , m_tagline(new TextLabel(QString(), Theme::font(type::callout), Palette::textTertiary(), this))
    , m_picker(new EpisodePicker(session, this))
    , m_assist(new AssistMenu(app, session, this))
    , m_ready(new MarkReadyButton(session, this))
{
    setObjectName(u"workspaceHeader"_s);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    m_title->setObjectName(u"phaseTitle"_s);
    m_tagline->setObjectName(u"phaseTagline"_s);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(20, 13, 20, 13);
    row->setSpacing(14);
    auto* texts = new QVBoxLayout;
    texts->setContentsMargins(0, 0, 0, 0);
    texts->setSpacing(2);
    texts->addWidget(m_title);
    texts->addWidget(m_tagline);
    row->addLayout(texts, 1);
    row->addWidget(m_picker, 0, Qt::AlignVCenter);
    row->addWidget(m_assist, 0, Qt::AlignVCenter);
    row->addWidget(m_ready, 0, Qt::AlignVCenter);
    refresh();
}

void WorkspaceHeader::refresh()
{
    const Project& project = m_session.project();
    m_title->setText(phaseTitle(project.activePhase));
    m_tagline->setText(phaseTagline(project.activePhase));
    m_picker->refresh();
    m_picker->setHidden(!isEpisodic(project.format));
    m_assist->refresh();
    m_assist->setHidden(AssistActions::forSession(m_session).isEmpty());
    m_ready->refresh();
}

QString WorkspaceHeader::titleText() const
{
    return m_title->text();
}

QString WorkspaceHeader::taglineText() const
{
    return m_tagline->text();
}

} // namespace studio

