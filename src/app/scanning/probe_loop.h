#pragma once

// What the scan, the refresh and the favourites pass share: sending the info
// probe to one destination and pumping events between destinations.
//
// Inside a pump (and inside a send, while the endpoint resolves a host name)
// every other handler runs: a row clicked there sends its detail queries and
// leaves the endpoint aimed at that server, a nested refresh or scan aims it
// elsewhere, the window may close. So each send names its destination, and a
// loop asks alive() after every step that may have pumped.

#include <QPointer>
#include <QString>

class TForm1;
class TSettings;

class ProbeLoop {
public:
    explicit ProbeLoop(TForm1& form);

    // False once the window or the settings dialog is gone or the endpoint is
    // closed: the loop must end without another send.
    bool alive() const;

    // The info request, to host and port.
    void sendInfo(const QString& host, int port);
    // The old-protocol info request, when "old protocol" is on at this moment.
    void sendOldInfoIfOn(const QString& host, int port);

    // Blocks for the given milliseconds; none at all for 0 or less.
    void sleep(int milliseconds);
    // Runs the pending events; then alive().
    bool pump();

    // Valid while alive().
    TForm1& form() const;
    TSettings& settings() const;

private:
    void send(const QString& host, int port, const unsigned char* bytes, int size);

    QPointer<TForm1> form_;
    QPointer<TSettings> settings_;
};
