#pragma once

// The scene sections of the footage manifest, built only for the part of the
// page the user can see (and half a screen around it). A feature has a
// hundred scenes and hundreds of shots; opening the screen, refreshing it and
// leaving it cost what is in view, not the length of the storyboard.
//
// The list knows each scene's id and shot count, so it can tell where every
// section stands without building it: a folded section's height follows from
// its shot count alone. Sections are created as the page scrolls to them and
// dropped once far out of view; the one holding the open row (pinned) and
// the one holding the keyboard focus stay. The screen says how a section is
// made and brought up to date, and reads the production when it does.

#include "design/widgets/LazyKeyedList.h"
#include "views/phases/footage/SceneSection.h"

#include <QList>
#include <QUuid>
#include <QWidget>

#include <functional>

namespace studio {

class ScrollColumn;

class ManifestList : public QWidget {
    Q_OBJECT
public:
    struct Entry {
        QUuid sceneID;
        qsizetype shotCount = 0;
        bool pinned = false;
        friend bool operator==(const Entry&, const Entry&) = default;
    };
    using Create = std::function<SceneSection*(const QUuid& sceneID, QWidget* parent)>;
    // Brings a section up to date with the scene at that place of the episode.
    using Sync = std::function<void(SceneSection* section, qsizetype index)>;

    ManifestList(ScrollColumn* page, Create create, Sync sync, QWidget* parent = nullptr);

    // The focus stop Tab leaves right before the list's first one.
    void setFocusAnchor(std::function<QWidget*()> anchor) { m_focusAnchor = std::move(anchor); }

    // The episode's scenes in order; every section built is synced anew.
    void setEntries(const QList<Entry>& entries);

    // The sections built now, in scene order.
    QList<SceneSection*> sections() const;
    SceneSection* section(const QUuid& sceneID) const { return m_built.widget(sceneID); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return QSize(0, sizeHint().height()); }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    // Builds the sections that came into reach, drops those far out of it,
    // and places them all.
    void follow();
    // Puts the built sections where they belong and takes the height of
    // them all.
    void place();
    // Puts the built sections' focus stops in scene order after the anchor.
    void orderFocus();
    int heightAt(qsizetype index) const;
    // The part of the list in reach: what the page shows and half a page
    // above and below it.
    std::pair<int, int> reach() const;

    ScrollColumn* m_page;
    Create m_create;
    Sync m_sync;
    QList<Entry> m_entries;
    LazyKeyedList<QUuid, SceneSection> m_built;
    std::function<QWidget*()> m_focusAnchor;
    int m_height = 0;
    bool m_following = false;
};

} // namespace studio
