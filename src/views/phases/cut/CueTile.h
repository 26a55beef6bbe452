#pragma once

// One music cue of the cut: the note symbol, the cue's name and mood in two
// borderless fields, and the small cross that deletes it. The tile knows its
// cue's id only; the screen writes each keystroke into the production by
// that id. A refresh shows the stored text without moving the caret of a
// field being typed in.

#include "design/widgets/CardSurface.h"

#include <QUuid>

namespace studio {

struct MusicCue;
class PlainTextField;
class SymbolButton;

class CueTile : public CardSurface {
    Q_OBJECT
public:
    explicit CueTile(const QUuid& cueID, QWidget* parent = nullptr);

    QUuid cueID() const { return m_cueID; }
    void setCue(const MusicCue& cue);

    PlainTextField* nameField() const { return m_name; }
    PlainTextField* moodField() const { return m_mood; }
    SymbolButton* deleteButton() const { return m_delete; }

Q_SIGNALS:
    void nameEdited(const QUuid& cueID, const QString& name);
    void moodEdited(const QUuid& cueID, const QString& mood);
    void deleteRequested(const QUuid& cueID);

private:
    QUuid m_cueID;
    PlainTextField* m_name;
    PlainTextField* m_mood;
    SymbolButton* m_delete;
};

} // namespace studio
