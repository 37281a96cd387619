#pragma once

// The detail requests of one server from the command line, sent as a
// selection in the window sends them; challenges are followed by the
// protocol core, and the last players and rules answers are kept.

#include <QObject>
#include <QString>

#include <vector>

#include "core/protocol/dispatch.h"
#include "tools/query_options.h"

class EventPump;
class UdpEndpoint;
class AnswerWait;

namespace zarnek::tools {

class DetailsSession : public QObject {
public:
    DetailsSession(UdpEndpoint& udp, EventPump& pump, const QueryOptions& options);

    // Sends the requests and returns once the wait after the last send is over.
    void run();

    bool answered() const { return m_gotPlayers || m_gotRules; }
    const std::vector<protocol::TPlayers>& players() const { return m_players; }
    const std::vector<protocol::TRules>& rules() const { return m_rules; }

private:
    void send(const protocol::OutgoingDatagram& datagram);
    void received(const QByteArray& datagram, const QString& fromIp, int port);

    UdpEndpoint& m_udp;
    EventPump& m_pump;
    const QueryOptions& m_options;
    Probe m_server;
    protocol::Dispatcher m_protocol;
    AnswerWait* m_wait = nullptr;
    bool m_gotPlayers = false;
    bool m_gotRules = false;
    std::vector<protocol::TPlayers> m_players;
    std::vector<protocol::TRules> m_rules;
};

}  // namespace zarnek::tools
