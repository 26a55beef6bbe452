#pragma once

// The window's banner for storage failures: the store's message ("Save
// failed: …", "Couldn't read …") with a close button. A new failure shows
// again even when its text repeats the last one. A save failure lasts only
// until a later save of the same production succeeds (the store tries it
// again on its own) or the production goes to the Trash: the banner then
// shows the failure of another production still not saved, or goes.

#include "design/widgets/MessageBanner.h"

#include <QList>
#include <QUuid>
#include <utility>

namespace studio {

class StoreErrorBanner : public MessageBanner {
    Q_OBJECT
public:
    explicit StoreErrorBanner(QWidget* parent = nullptr);

    // Shows a failure; production is the one whose save failed, null for a
    // failure that is not a save's.
    void showFailure(const QString& message, const QUuid& production = QUuid());
    // The production's document was written: its save failure is over.
    void productionSaved(const QUuid& production);
    // The production went to the Trash: its save failure is over too.
    void productionTrashed(const QUuid& production);

private:
    void forget(const QUuid& production);

    // The productions whose last save failed, oldest failure first, with
    // their messages; forgotten when the banner is dismissed.
    QList<std::pair<QUuid, QString>> m_failedSaves;
    // The production whose failure is shown; null for another failure.
    QUuid m_shown;
};

} // namespace studio
