#pragma once

// The paper page of the Script screen: one row per element of the active
// episode's script, kept by element id, or the empty state while the script
// has none. It carries the editing flow: Return inserts the kind that usually
// follows and moves the focus to it on the next turn, the remove mark removes
// its element, the kind menu retypes it (id and text stay), and under the row
// whose text has the focus hang its suggestion chips (the cast's names under a
// character cue, prefix, locations and times under a scene heading).
//
// Every operation names its element by id and resolves the active episode at
// the moment it runs; an element gone by then means nothing happens. The
// focused and hovered element ids are the screen's view state: they start
// empty and are never saved.

#include "model/Project.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <QWidget>
#include <functional>
#include <optional>

#include "design/KeyedList.h"
#include "views/phases/script/ScriptChips.h"

class QVBoxLayout;

namespace studio {

class GhostButton;
class PrimaryButton;
class ProjectSession;
class ScriptElementRow;

class ScriptPage : public QWidget {
    Q_OBJECT
public:
    explicit ScriptPage(ProjectSession& session, QWidget* parent = nullptr);
    ~ScriptPage() override;

    // Shows the active episode's script as it is now.
    void refresh();

    QUuid focusedID() const { return m_focusedID; }
    QUuid hoveredID() const { return m_hoveredID; }
    // Gives the element's text the keyboard focus (and its chips); the second
    // form is for an element just added: focused at once when its row exists,
    // else on the next turn of the event loop, and brought into view then.
    void focusElement(const QUuid& id);
    void focusElementLater(const QUuid& id);

    // The editing operations, by element id, in the active episode.
    void insertAfter(const QUuid& id);
    void remove(const QUuid& id);
    void changeKind(const QUuid& id, ScriptElementKind kind);
    // A name chip under a character cue: the whole text becomes the name in capitals.
    void pickCastName(const QUuid& id, const QString& name);
    // A heading chip: one part of the heading replaced, the rest kept.
    void pickHeadingPart(const QUuid& id, const std::optional<QString>& prefix, const std::optional<QString>& location,
                         const std::optional<QString>& time);

    // While an assist runs the AI draft button reads "Writing…" and is off.
    void setAssistBusy(bool busy);

    ScriptElementRow* row(const QUuid& id) const;
    QList<ScriptElementRow*> rows() const { return m_rows.widgets(); }
    QWidget* emptyState() const { return m_empty; }
    // The chips under the focused row, or null when none show.
    QWidget* chips() const;
    QStringList chipLabels() const;
    PrimaryButton* addHeadingButton() const { return m_addHeading; }
    GhostButton* aiDraftButton() const { return m_aiDraft; }

Q_SIGNALS:
    void addSceneHeadingRequested();
    void aiDraftRequested();
    // A row took the focus from the program (after Return or an append); the
    // screen scrolls it into view.
    void revealRequested(QWidget* row);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ScriptElementRow* makeRow(const ScriptElement& element);
    void setHoveredID(const QUuid& id);
    void textFocusChanged(const QUuid& id, bool focused);
    void placeChips();
    QList<ScriptChips::Entry> chipEntries(const ScriptElement& element);
    const ScriptElement* findShown(const QUuid& id) const;
    bool editElement(const QUuid& id, const std::function<void(ScriptElement&, const Project&)>& change);
    bool editScript(const std::function<void(ScriptDocument&)>& change);
    void parkFocusIfLeaving(const QList<ScriptElement>& elements);

    ProjectSession& m_session;
    QVBoxLayout* m_column;
    QWidget* m_empty;
    PrimaryButton* m_addHeading;
    GhostButton* m_aiDraft;
    ScriptChips* m_chips;
    QPointer<ScriptElementRow> m_chipHost;
    KeyedList<QUuid, ScriptElementRow> m_rows;
    QUuid m_focusedID;
    QUuid m_hoveredID;
};

} // namespace studio
