#include "views/shell/EpisodePicker.h"

#include "design/widgets/DestructiveAction.h"
#include "design/style/Palette.h"
#include "design/style/Symbols.h"
#include "design/style/Theme.h"
#include "model/Lookup.h"
#include "model/Text.h"
#include "state/ProjectSession.h"
#include "state/edits/EpisodeEdits.h"

#include <QMenu>
#include <QPointer>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace studio {

namespace {
constexpr int maximumLabelWidth = 300;
}

EpisodePicker::EpisodePicker(ProjectSession& session, QWidget* parent)
    : MenuButton(QString(), parent)
    , m_session(session)
{
    setObjectName(u"episodePicker"_s);
    setSymbol(u"rectangle.stack.fill"_s, 9, Palette::gold());
    setChevron(true, 7, Palette::textTertiary());
    // A long episode title is cut at the end rather than widening the header
    // (and with it the window) to the title's length.
    setMaximumWidth(maximumLabelWidth);
    connect(this, &MenuButton::aboutToOpen, this, &EpisodePicker::rebuildMenu);
    refresh();
}

QString EpisodePicker::episodeLabel(ProjectFormat format, const Episode& episode)
{
    QString label = (format == ProjectFormat::anthology ? u"Seg "_s : u"Ep "_s) + QString::number(episode.number);
    if (!episode.title.isEmpty())
        label += u" \u2014 "_s + text::displayPrefix(episode.title); // never a copy of a megabyte to show its start
    return label;
}

void EpisodePicker::addEpisode(ProjectSession& session)
{
    QUuid added;
    session.edit([&added](Project& p) { added = edits::addEpisode(p); });
    session.setActiveEpisodeID(added);
}

void EpisodePicker::removeCurrentEpisode(ProjectSession& session)
{
    const QUuid active = session.activeEpisodeID();
    session.edit([active](Project& p) { edits::removeEpisode(p, active); });
    const QList<Episode>& remaining = session.project().episodes;
    session.setActiveEpisodeID(remaining.isEmpty() ? newId() : remaining.first().id);
}

void EpisodePicker::refresh()
{
    const Project& project = m_session.project();
    const QString label = project.episodes.isEmpty() ? episodeLabel(project.format, Episode{})
                                                     : episodeLabel(project.format, m_session.activeEpisode());
    setLabel(text::displayPrefix(label));
}

void EpisodePicker::rebuildMenu()
{
    QMenu* items = menu();
    items->clear();
    const Project& project = m_session.project();
    const QString noun = episodeNoun(project.format);
    QPointer<ProjectSession> session(&m_session);

    // Items act by id on the production as it is when chosen.
    for (const Episode& episode : project.episodes) {
        QAction* item = items->addAction(Theme::escapeMnemonic(text::displayPrefix(episodeLabel(project.format, episode))));
        if (episode.id == m_session.activeEpisodeID())
            item->setIcon(Symbols::icon(u"checkmark"_s, 11, Palette::textPrimary()));
        const QUuid id = episode.id;
        connect(item, &QAction::triggered, this, [session, id] {
            if (session)
                session->setActiveEpisodeID(id);
        });
    }
    items->addSeparator();
    QAction* add = items->addAction(u"Add "_s + noun);
    add->setObjectName(u"addEpisode"_s);
    connect(add, &QAction::triggered, this, [this, session] {
        if (!session)
            return;
        addEpisode(*session);
        Q_EMIT episodeAdded();
    });
    if (project.episodes.size() >= 2) {
        QAction* remove = addDestructiveAction(items, u"Remove current "_s + noun.toLower());
        remove->setObjectName(u"removeEpisode"_s);
        connect(remove, &QAction::triggered, this, [session] {
            if (session)
                removeCurrentEpisode(*session);
        });
    }
}

} // namespace studio
