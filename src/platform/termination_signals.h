#pragma once

// SIGTERM, SIGINT and SIGHUP (a desktop logging out, a kill) end the program in
// order instead of killing it, so the settings are still written. The signal
// handler only writes the signal number into a socket pair; the event loop
// reads it and raises `received`.

#include <QObject>

class QSocketNotifier;

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // Installs the handlers. Call it first in main(), before the application
    // object exists, so a signal that comes early is kept until the loop runs.
    static bool install();

    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void received(int signalNumber);

private:
    void readSignal();
    QSocketNotifier* m_notifier = nullptr;
};
