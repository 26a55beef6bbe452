#pragma once

// Real display servers for the tests that run the program as a client of one
// and may end it under the program: a Weston compositor without a screen
// (its headless backend, with its desktop shell and panel) and an Xvfb
// server. Each lives in the test's own runtime folder and ends with the
// object. Both are installed by scripts/setup.

#include <QProcess>
#include <QProcessEnvironment>
#include <QSize>
#include <QString>
#include <QTemporaryFile>

namespace studio::test {

class DisplayServer {
public:
    virtual ~DisplayServer() = default;
    // Starts the server and waits until clients can connect; the reason
    // when it could not.
    virtual QString start() = 0;
    // Ends the server at once, as a crash would.
    virtual void kill() = 0;
    // The environment of a program that is to be the server's client.
    virtual QProcessEnvironment clientEnvironment(QProcessEnvironment environment) const = 0;
};

class HeadlessWeston : public DisplayServer {
public:
    // An output of `mode` (in the compositor's units) at `scale`; with
    // `xClients`, its clients are X programs on the compositor's own X server.
    HeadlessWeston(QSize mode, int scale, bool xClients = false);
    ~HeadlessWeston() override;

    static bool installed();
    QString start() override;
    void kill() override;
    QProcessEnvironment clientEnvironment(QProcessEnvironment environment) const override;
    // What the compositor said so far.
    QString output();

private:
    QSize m_mode;
    int m_scale;
    bool m_xClients;
    QString m_socket;
    QString m_xDisplay;
    QByteArray m_said;
    QProcess m_process;
    // What a sanitized build's leak check is to pass over in a client.
    QTemporaryFile m_leaks;
};

class VirtualX : public DisplayServer {
public:
    explicit VirtualX(QSize size);
    ~VirtualX() override;

    static bool installed();
    QString start() override;
    void kill() override;
    QProcessEnvironment clientEnvironment(QProcessEnvironment environment) const override;

private:
    QSize m_size;
    QString m_display;
    QProcess m_process;
};

} // namespace studio::test
