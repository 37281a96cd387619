#pragma once

// Only one instance of the program runs per user and desktop session.

#include <QObject>
#include <QString>

class QLocalServer;

class SingleInstance : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // When another instance runs, asks it to restore its window and returns
    // true; this process must then end without touching anything.
    virtual bool handOverToRunning() = 0;
    // Starts answering later instances; each of their requests raises
    // restoreRequested.
    virtual void serve() = 0;

signals:
    void restoreRequested();
};

// A per-user local socket named after the program's title and the desktop
// (the X display), as instances on different desktops do not see each other's
// windows. A second instance connects to it, sends its request and ends.
class LocalSocketInstance : public SingleInstance {
    Q_OBJECT
public:
    explicit LocalSocketInstance(const QString& title, const QString& desktop = QString(),
                                 QObject* parent = nullptr);
    ~LocalSocketInstance() override;

    bool handOverToRunning() override;
    void serve() override;

    // The full path of the socket, in privateFolder(); the user id in its name
    // keeps users apart where they share a folder (root's runtime folder).
    QString socketPath() const { return m_path; }

    // A folder only this user can write to: the runtime folder (which Qt
    // creates with mode 0700 when XDG_RUNTIME_DIR is not set), or, when that
    // is not the user's alone, a folder of the user's own created the same way.
    static QString privateFolder();

private:
    static bool ownedAndPrivate(const QString& folder);
    void answer();
    bool askRunning();

    QString m_path;
    QLocalServer* m_server = nullptr;
};
