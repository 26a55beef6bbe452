#pragma once

// The header's episode picker of an episodic production: a capsule showing
// the active episode that opens a menu to choose another episode, add one, or
// remove the current one. Choosing changes only the session's active episode;
// adding and removing change the production.

#include "design/widgets/MenuButton.h"
#include "model/Project.h"

namespace studio {

class ProjectSession;

class EpisodePicker : public MenuButton {
    Q_OBJECT
public:
    explicit EpisodePicker(ProjectSession& session, QWidget* parent = nullptr);

    // Re-reads the active episode's label.
    void refresh();
    QString labelText() const { return label(); }

    // Rebuilds menu()'s items from the episodes; runs each time it opens.
    void rebuildMenu();

    // "Ep 3", "Ep 3 — Pilot"; "Seg 2" for an anthology. A long title is cut
    // to what a label shows (text::displayPrefix) before it is joined.
    static QString episodeLabel(ProjectFormat format, const Episode& episode);
    // A new episode numbered after the highest number, titled "<noun> <n>",
    // with the format's default structure; appended and made active.
    static void addEpisode(ProjectSession& session);
    // Removes the active episode and makes the first remaining one active (a
    // fresh id when none remains). An active id that names no episode removes
    // nothing and makes the first episode active.
    static void removeCurrentEpisode(ProjectSession& session);

Q_SIGNALS:
    // An episode was added from the menu (and made active).
    void episodeAdded();

private:
    ProjectSession& m_session;
};

} // namespace studio
