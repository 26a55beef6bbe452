#include "views/shell/AssistMenu.h"

#include "design/style/Palette.h"
#include "design/style/Symbols.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "state/AppState.h"
#include "state/ProjectSession.h"
#include "state/assist/AssistActions.h"

#include <QGraphicsDropShadowEffect>
#include <QLinearGradient>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace studio {

namespace {
constexpr qreal wandSize = 10;
constexpr qreal spinnerSide = 10;
constexpr int spinnerSpokes = 8;

const QString idleText = u"Assist"_s;
const QString busyText = u"Thinking\u2026"_s;
} // namespace

AssistMenu::AssistMenu(AppState& app, ProjectSession& session, QWidget* parent)
    : MenuButton(idleText, parent)
    , m_app(app)
    , m_session(session)
    , m_spin(new QTimer(this))
{
    setObjectName(u"assistMenu"_s);
    setToolTip(u"Kimi-powered assists for this phase. Results fill blanks or arrive as options \u2014 your words "
               u"are never silently replaced."_s);
    const QColor ink = Palette::buttonInk();
    setLabelColor(ink);
    setSymbol(u"wand.and.stars"_s, wandSize, ink, QFont::Medium);
    setPadding(12, 6);
    QLinearGradient gold(0, 0, 0, 1);
    gold.setCoordinateMode(QGradient::ObjectMode);
    gold.setColorAt(0, Palette::goldLight());
    gold.setColorAt(1, Palette::goldDeep());
    setFill(gold, gold);
    setBorder(Palette::white(level::dim), 0.5);
    setPressedOpacity(0.88);
    // Busy, the capsule keeps its look: the spinner says why it is closed.
    setDimsWhenDisabled(false);

    // The shadow reaches beyond the capsule, which a widget can't paint itself.
    auto* shadow = new QGraphicsDropShadowEffect(this);
    shadow->setColor(Palette::black(level::muted));
    shadow->setBlurRadius(14);
    shadow->setOffset(0, 3);
    setGraphicsEffect(shadow);

    m_spin->setInterval(80);
    connect(m_spin, &QTimer::timeout, this, [this] {
        m_spinStep = (m_spinStep + 1) % spinnerSpokes;
        update();
    });
    connect(this, &MenuButton::aboutToOpen, this, &AssistMenu::rebuildMenu);
    refresh();
}

QString AssistMenu::labelText() const
{
    return m_busy ? busyText : idleText;
}

void AssistMenu::refresh()
{
    const bool busy = m_session.aiBusy();
    if (busy == m_busy && isEnabled() == !busy)
        return;
    m_busy = busy;
    setEnabled(!busy);
    setLabel(labelText());
    if (busy) {
        menu()->hide();
        m_spin->start();
    } else {
        m_spin->stop();
    }
    updateGeometry();
    update();
}

void AssistMenu::rebuildMenu()
{
    QMenu* items = menu();
    items->clear();
    QPointer<ProjectSession> session(&m_session);
    for (const AssistAction& action : AssistActions::forSession(m_session)) {
        QAction* item = items->addAction(Symbols::icon(action.icon, 11, Palette::textPrimary()),
                                         Theme::escapeMnemonic(action.title));
        // The work holds the session by QPointer and the target episode by id.
        connect(item, &QAction::triggered, this, [session, work = action.work] {
            if (session)
                session->runAssist(work);
        });
    }
    items->addSeparator();
    QAction* settings = items->addAction(u"AI settings\u2026"_s);
    settings->setObjectName(u"aiSettings"_s);
    QPointer<AppState> app(&m_app);
    connect(settings, &QAction::triggered, this, [app] {
        if (app)
            app->setShowSettingsRequest(true);
    });
}

QSizeF AssistMenu::leadSize() const
{
    if (!m_busy)
        return MenuButton::leadSize();
    return {spinnerSide, spinnerSide};
}

void AssistMenu::paintLead(QPainter& p, const QRectF& box)
{
    if (!m_busy) {
        MenuButton::paintLead(p, box);
        return;
    }
    // A small spoked spinner: the spokes fade behind the leading one.
    const QColor ink = Palette::buttonInk();
    p.save();
    p.translate(box.center());
    QPen pen(ink, 1.3, Qt::SolidLine, Qt::RoundCap);
    for (int i = 0; i < spinnerSpokes; ++i) {
        const int age = (m_spinStep - i + spinnerSpokes) % spinnerSpokes;
        QColor c = ink;
        c.setAlphaF(1.0 - 0.8 * age / qreal(spinnerSpokes - 1));
        pen.setColor(c);
        p.setPen(pen);
        p.save();
        p.rotate(360.0 * i / spinnerSpokes);
        p.drawLine(QPointF(0, -spinnerSide * 0.22), QPointF(0, -spinnerSide * 0.48));
        p.restore();
    }
    p.restore();
}

} // namespace studio
