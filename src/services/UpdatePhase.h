#pragma once

// Where the updater stands. The settings window and the tab strip show it.

#include "services/UpdateInfo.h"

#include <QString>

namespace studio {

struct UpdatePhase {
    enum class Kind {
        idle,        // nothing has happened yet
        checking,    // a feed request is under way
        upToDate,    // the feed's version is not newer than the running one
        available,   // the feed announces a newer version (info)
        downloading, // the archive is being fetched (progress 0…1)
        installing,  // unpacking and replacing the bundle; the app quits from here
        failed,      // message, shown as it stands
    };

    Kind kind = Kind::idle;
    UpdateInfo info;     // available
    double progress = 0; // downloading
    QString message;     // failed

    static UpdatePhase idle() { return {}; }
    static UpdatePhase checking() { return of(Kind::checking); }
    static UpdatePhase upToDate() { return of(Kind::upToDate); }
    static UpdatePhase available(UpdateInfo info)
    {
        UpdatePhase p = of(Kind::available);
        p.info = std::move(info);
        return p;
    }
    static UpdatePhase downloading(double progress)
    {
        UpdatePhase p = of(Kind::downloading);
        p.progress = progress;
        return p;
    }
    static UpdatePhase installing() { return of(Kind::installing); }
    static UpdatePhase failed(QString message)
    {
        UpdatePhase p = of(Kind::failed);
        p.message = std::move(message);
        return p;
    }

    // A download or an install is running: the bundle may be half replaced.
    bool isBusy() const { return kind == Kind::downloading || kind == Kind::installing; }

    friend bool operator==(const UpdatePhase&, const UpdatePhase&) = default;

private:
    static UpdatePhase of(Kind kind)
    {
        UpdatePhase p;
        p.kind = kind;
        return p;
    }
};

} // namespace studio
