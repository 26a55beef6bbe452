#include "views/shell/EpisodePicker.h"

#include "design/Palette.h"
#include "design/Shapes.h"
#include "design/Symbols.h"
#include "design/Theme.h"
#include "model/Text.h"
#include "state/ProjectSession.h"

#include <QFontMetricsF>
#include <QMenu>
#include <QPainter>
#include <QPointer>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace studio {

namespace {
constexpr qreal padH = 11;
constexpr qreal padV = 6;
constexpr qreal spacing = 6;
constexpr qreal stackSymbol = 9;
constexpr qreal chevronSymbol = 7;

QFont labelFont()
{
    return Theme::font(11.5, QFont::DemiBold);
}
} // namespace

EpisodePicker::EpisodePicker(ProjectSession& session, QWidget* parent)
    : QAbstractButton(parent)
    , m_session(session)
    , m_menu(new QMenu(this))
{
    setObjectName(u"episodePicker"_s);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAttribute(Qt::WA_TranslucentBackground);
    connect(m_menu, &QMenu::aboutToShow, this, &EpisodePicker::rebuildMenu);
    connect(this, &QAbstractButton::clicked, this, &EpisodePicker::openMenu);
    refresh();
}

QString EpisodePicker::episodeLabel(ProjectFormat format, const Episode& episode)
{
    QString label = (format == ProjectFormat::anthology ? u"Seg "_s : u"Ep "_s) + QString::number(episode.number);
    if (!episode.title.isEmpty())
        label += u" \u2014 "_s + episode.title;
    return label;
}

void EpisodePicker::addEpisode(ProjectSession& session)
{
    const Project& project = session.project();
    qint64 highest = 0;
    for (const Episode& episode : project.episodes)
        highest = std::max(highest, episode.number);
    // Numbers are never reused and gaps stay; a corrupt maximum can't wrap around.
    const qint64 number = highest == std::numeric_limits<qint64>::max() ? highest : highest + 1;

    Episode episode;
    episode.number = number;
    episode.title = episodeNoun(project.format) + u" "_s + QString::number(number);
    episode.structure.kind = defaultStructure(project.format);
    episode.structure.acts = structureTemplate(episode.structure.kind);
    const QUuid id = episode.id;

    QPointer<ProjectSession> alive(&session);
    session.edit([&episode](Project& p) { p.episodes << episode; });
    if (alive)
        session.setActiveEpisodeID(id);
}

void EpisodePicker::removeCurrentEpisode(ProjectSession& session)
{
    const QUuid active = session.activeEpisodeID();
    QPointer<ProjectSession> alive(&session);
    session.edit([active](Project& p) {
        p.episodes.removeIf([active](const Episode& e) { return e.id == active; });
    });
    if (!alive)
        return;
    const QList<Episode>& remaining = session.project().episodes;
    session.setActiveEpisodeID(remaining.isEmpty() ? newId() : remaining.first().id);
}

void EpisodePicker::refresh()
{
    const Project& project = m_session.project();
    // Only the start of a very long title is measured and painted.
    const QString label = text::displayPrefix(project.episodes.isEmpty()
                                                  ? episodeLabel(project.format, Episode{})
                                                  : episodeLabel(project.format, m_session.activeEpisode()));
    if (label == m_label)
        return;
    m_label = label;
    setAccessibleName(label);
    updateGeometry();
    update();
}

void EpisodePicker::rebuildMenu()
{
    m_menu->clear();
    const Project& project = m_session.project();
    const QString noun = episodeNoun(project.format);
    QPointer<ProjectSession> session(&m_session);

    // Items act by id on the production as it is when chosen.
    for (const Episode& episode : project.episodes) {
        QAction* item
            = m_menu->addAction(Theme::escapeMnemonic(text::displayPrefix(episodeLabel(project.format, episode))));
        if (episode.id == m_session.activeEpisodeID())
            item->setIcon(Symbols::icon(u"checkmark"_s, 11, Palette::textPrimary()));
        const QUuid id = episode.id;
        connect(item, &QAction::triggered, this, [session, id] {
            if (session)
                session->setActiveEpisodeID(id);
        });
    }
    m_menu->addSeparator();
    QAction* add = m_menu->addAction(u"Add "_s + noun);
    add->setObjectName(u"addEpisode"_s);
    connect(add, &QAction::triggered, this, [session] {
        if (session)
            addEpisode(*session);
    });
    if (project.episodes.size() >= 2) {
        QAction* remove = m_menu->addAction(u"Remove current "_s + noun.toLower());
        remove->setObjectName(u"removeEpisode"_s);
        connect(remove, &QAction::triggered, this, [session] {
            if (session)
                removeCurrentEpisode(*session);
        });
    }
}

void EpisodePicker::openMenu()
{
    m_menu->popup(mapToGlobal(QPoint(0, height() + 4)));
}

QSize EpisodePicker::sizeHint() const
{
    const QFontMetricsF fm(labelFont());
    const qreal w = Symbols::boxSize(stackSymbol) + spacing + fm.horizontalAdvance(m_label) + spacing
        + Symbols::boxSize(chevronSymbol) + 2 * padH;
    const qreal h = std::max(fm.height(), Symbols::boxSize(stackSymbol)) + 2 * padV;
    return QSize(int(std::ceil(w)), int(std::ceil(h)));
}

void EpisodePicker::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF r = rect();
    shapes::fillCapsule(p, r, isDown() ? Palette::white(0.09) : Palette::white(0.05));
    shapes::strokeCapsuleInside(p, r, hasFocus() ? Palette::hairlineStrong() : Palette::hairline(), 1.0);

    const QFont font = labelFont();
    const QFontMetricsF fm(font);
    qreal x = padH;
    const qreal stackBox = Symbols::boxSize(stackSymbol);
    Symbols::paint(p, QRectF(x, r.center().y() - stackBox / 2, stackBox, stackBox), u"rectangle.stack.fill"_s,
                   Palette::gold(), stackSymbol);
    x += stackBox + spacing;
    const qreal chevronBox = Symbols::boxSize(chevronSymbol);
    const qreal textWidth = std::max<qreal>(0, r.width() - padH - chevronBox - spacing - x);
    p.setFont(font);
    p.setPen(Palette::textPrimary());
    QString shown = m_label;
    shown.replace(u'\n', u' ');
    p.drawText(QPointF(x, r.center().y() + (fm.ascent() - fm.descent()) / 2),
               fm.elidedText(shown, Qt::ElideRight, textWidth));
    x += textWidth + spacing;
    Symbols::paint(p, QRectF(x, r.center().y() - chevronBox / 2, chevronBox, chevronBox), u"chevron.down"_s,
                   Palette::textTertiary(), chevronSymbol, QFont::DemiBold);
}

} // namespace studio
