#pragma once

// One program per library. Two programs on one library would each hold their
// own copy of every production and autosave it, the later save silently
// writing over the other's edits. So the first program to start on a library
// claims it, and a later start hands over to it and ends:
//
// - on the session bus, the first program owns a name made from the
//   library's path and answers org.freedesktop.Application's Activate there,
//   as desktop applications do: a later start asks it to come to the front,
//   passing on the activation token or startup id its launcher gave it;
// - a lock file in the user's runtime folder, named after the library too,
//   is held by the first program with or without a bus: a later start that
//   cannot reach the first through a bus ends with a message saying so. A
//   lock left by a program that died is taken over.
//
// Programs on different libraries (other data folders) never meet.

#include <QObject>
#include <QString>
#include <QVariantMap>

#include <memory>

class QDeadlineTimer;
class QLockFile;
class QWidget;

namespace studio {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // What the launcher gave this start to bring a window forward with. Read
    // before the application object exists: Qt's X11 platform takes the
    // startup id out of the environment as it connects.
    struct Launch {
        QString activationToken;
        QString startupId;
    };
    static Launch launchFromEnvironment();

    // For the library at `libraryPath` (ProjectStore::rootPath()).
    SingleInstance(const QString& libraryPath, Launch launch, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Claims the library for this program, before the library is read. When
    // another program holds it, hands over to that one instead: asks it to
    // come to the front, says on stderr what became of this start, and
    // returns false; the start then ends with exitStatus().
    bool claim();
    int exitStatus() const;

    // Brings `window` (or the question over it) to the front, as a request
    // with Activate's platform data asks.
    static void bringToFront(QWidget* window, const QVariantMap& platformData);

    // The session bus name and lock file of a library.
    static QString busName(const QString& libraryPath);
    static QString lockPath(const QString& libraryPath);

Q_SIGNALS:
    // A later start asked this program to come to the front.
    void activationRequested(const QVariantMap& platformData);

private:
    enum class Name { Owned, HeldByAnother, Unavailable };
    enum class Asked { Answered, HolderGone, NoAnswer };
    Name ownBusName();
    Asked askHolderForward(const QDeadlineTimer& deadline);

    QString m_library;
    Launch m_launch;
    std::unique_ptr<QLockFile> m_lock;
    QObject* m_adaptor = nullptr;
    bool m_ownsName = false;
    int m_exitStatus = 0;
};

} // namespace studio
