#pragma once

// One scan from the command line, run the way the window runs its scan: the
// info request (and the old one) to each destination, a pause, the event
// pump; every answer goes through the protocol core exactly as in the
// window, and the rows come out in the order they were added.

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/protocol/dispatch.h"
#include "core/scanning/broadcast_plan.h"
#include "tools/query_options.h"
#include "tools/query_output.h"

class EventPump;
class UdpEndpoint;
class AnswerWait;

namespace zarnek::tools {

class ScanSession : public QObject {
public:
    ScanSession(UdpEndpoint& udp, EventPump& pump, const QueryOptions& options);

    // Probes the broadcast destinations first, as the window's broadcast
    // phase does before its ranges, then every probe; returns once the wait
    // after the last send is over.
    void run(const std::vector<scanning::BroadcastDestination>& broadcast);

    const std::vector<ListedServer>& servers() const { return m_servers; }
    // Destinations probed, the broadcast address counting as one.
    int probed() const { return m_probed; }

private:
    void probeBroadcast(const std::vector<scanning::BroadcastDestination>& broadcast);
    void probe(const std::string& address, std::uint16_t port, int delayMs);
    void send(const std::string& address, std::uint16_t port, protocol::ByteView bytes);
    void received(const QByteArray& datagram, const QString& fromIp, int port);
    std::optional<int> pingOf(const protocol::ServerRow& row) const;

    using Sender = std::pair<std::string, std::uint16_t>;

    UdpEndpoint& m_udp;
    EventPump& m_pump;
    const QueryOptions& m_options;
    protocol::Dispatcher m_protocol;
    protocol::ServerList m_rows;  // what the repeated-answer test sees
    std::vector<ListedServer> m_servers;
    int m_probed = 0;
    AnswerWait* m_wait = nullptr;

    QElapsedTimer m_clock;
    std::map<Sender, qint64> m_firstSend;        // first probe to each destination
    std::map<std::string, qint64> m_firstSendTo; // first probe to each address
    std::optional<qint64> m_broadcastSent;        // the first broadcast send
    std::map<std::uint16_t, qint64> m_broadcastSentTo; // first broadcast to each port
    std::map<Sender, qint64> m_firstAnswer;      // first datagram from each sender
};

}  // namespace zarnek::tools
