#include "views/shell/AssistMenu.h"

#include "design/Palette.h"
#include "design/Shapes.h"
#include "design/Symbols.h"
#include "design/Theme.h"
#include "state/AppState.h"
#include "state/ProjectSession.h"
#include "state/assist/AssistActions.h"

#include <QFontMetricsF>
#include <QGraphicsDropShadowEffect>
#include <QLinearGradient>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace studio {

namespace {
constexpr qreal padH = 12;
constexpr qreal padV = 6;
constexpr qreal spacing = 6;
constexpr qreal wandSize = 10;
constexpr qreal spinnerSide = 10;
constexpr int spinnerSpokes = 8;

QFont labelFont()
{
    return Theme::font(11.5, QFont::DemiBold);
}

const QString idleText = u"Assist"_s;
const QString busyText = u"Thinking\u2026"_s;
} // namespace

AssistMenu::AssistMenu(AppState& app, ProjectSession& session, QWidget* parent)
    : QAbstractButton(parent)
    , m_app(app)
    , m_session(session)
    , m_menu(new QMenu(this))
    , m_spin(new QTimer(this))
{
    setObjectName(u"assistMenu"_s);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAttribute(Qt::WA_TranslucentBackground);
    setToolTip(u"Kimi-powered assists for this phase. Results fill blanks or arrive as options \u2014 your words "
               u"are never silently replaced."_s);

    // The shadow reaches beyond the capsule, which a widget can't paint itself.
    auto* shadow = new QGraphicsDropShadowEffect(this);
    shadow->setColor(Palette::black(0.3));
    shadow->setBlurRadius(14);
    shadow->setOffset(0, 3);
    setGraphicsEffect(shadow);

    m_spin->setInterval(80);
    connect(m_spin, &QTimer::timeout, this, [this] {
        m_spinStep = (m_spinStep + 1) % spinnerSpokes;
        update();
    });
    connect(m_menu, &QMenu::aboutToShow, this, &AssistMenu::rebuildMenu);
    connect(this, &QAbstractButton::clicked, this, &AssistMenu::openMenu);
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
    setAccessibleName(labelText());
    if (busy) {
        m_menu->hide();
        m_spin->start();
    } else {
        m_spin->stop();
    }
    updateGeometry();
    update();
}

void AssistMenu::rebuildMenu()
{
    m_menu->clear();
    QPointer<ProjectSession> session(&m_session);
    for (const AssistAction& action : AssistActions::forSession(m_session)) {
        QAction* item = m_menu->addAction(Symbols::icon(action.icon, 11, Palette::textPrimary()),
                                          Theme::escapeMnemonic(action.title));
        // The work holds the session by QPointer and the target episode by id.
        connect(item, &QAction::triggered, this, [session, work = action.work] {
            if (session)
                session->runAssist(work);
        });
    }
    m_menu->addSeparator();
    QAction* settings = m_menu->addAction(u"AI settings\u2026"_s);
    settings->setObjectName(u"aiSettings"_s);
    QPointer<AppState> app(&m_app);
    connect(settings, &QAction::triggered, this, [app] {
        if (app)
            app->setShowSettingsRequest(true);
    });
}

void AssistMenu::openMenu()
{
    if (m_session.aiBusy())
        return;
    m_menu->popup(mapToGlobal(QPoint(0, height() + 4)));
}

QSize AssistMenu::sizeHint() const
{
    const QFontMetricsF fm(labelFont());
    const qreal lead = m_busy ? spinnerSide : Symbols::boxSize(wandSize);
    const qreal w = lead + spacing + fm.horizontalAdvance(labelText()) + 2 * padH;
    const qreal h = std::max(fm.height(), lead) + 2 * padV;
    return QSize(int(std::ceil(w)), int(std::ceil(h)));
}

void AssistMenu::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF r = rect();
    if (isDown())
        p.setOpacity(0.88);

    QLinearGradient gradient(r.topLeft(), r.bottomLeft());
    gradient.setColorAt(0, QColor(0xE8, 0xD9, 0xB5));
    gradient.setColorAt(1, QColor(0xC9, 0xB3, 0x87));
    shapes::fillCapsule(p, r, gradient);
    shapes::strokeCapsuleInside(p, r, Palette::white(0.35), 0.5);
    if (hasFocus())
        shapes::strokeCapsuleInside(p, r, Palette::accentDeep(), 1.5);

    const QColor ink = Palette::buttonInk();
    qreal x = padH;
    if (m_busy) {
        // A small spoked spinner: the spokes fade behind the leading one.
        const QPointF centre(x + spinnerSide / 2, r.center().y());
        p.save();
        p.translate(centre);
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
        x += spinnerSide + spacing;
    } else {
        const qreal box = Symbols::boxSize(wandSize);
        Symbols::paint(p, QRectF(x, r.center().y() - box / 2, box, box), u"wand.and.stars"_s, ink, wandSize,
                       QFont::Medium);
        x += box + spacing;
    }
    const QFont font = labelFont();
    const QFontMetricsF fm(font);
    p.setFont(font);
    p.setPen(ink);
    p.drawText(QPointF(x, r.center().y() + (fm.ascent() - fm.descent()) / 2), labelText());
}

} // namespace studio
