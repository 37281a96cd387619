#include "tools/details_session.h"

#include "platform/event_pump.h"
#include "platform/udp_endpoint.h"
#include "tools/answer_wait.h"

namespace zarnek::tools {

namespace {

constexpr int kWaitCap = 4;

}  // namespace

DetailsSession::DetailsSession(UdpEndpoint& udp, EventPump& pump, const QueryOptions& options)
    : m_udp(udp), m_pump(pump), m_options(options), m_server(options.probes.at(0))
{
    connect(&m_udp, &UdpEndpoint::dataReceived, this, &DetailsSession::received);
}

void DetailsSession::run()
{
    const auto requests = m_protocol.DetailQueries(m_server.address, m_server.port, m_options.old);
    for (std::size_t i = 0; i < requests.size(); ++i) {
        send(requests[i]);
        if (i < protocol::kDetailPausesMs.size() && i + 1 < requests.size())
            m_pump.sleep(protocol::kDetailPausesMs[i]);
    }
    AnswerWait wait(m_options.waitMs, kWaitCap);
    m_wait = &wait;
    wait.run();
    m_wait = nullptr;
}

void DetailsSession::send(const protocol::OutgoingDatagram& datagram)
{
    if (m_udp.isClosed())
        return;
    m_udp.setRemoteHost(QString::fromStdString(datagram.address));
    m_udp.setRemotePort(datagram.port);
    m_udp.send(reinterpret_cast<const char*>(datagram.bytes.data()),
               static_cast<int>(datagram.bytes.size()));
}

void DetailsSession::received(const QByteArray& datagram, const QString& fromIp, int port)
{
    // Only the queried server is listened to: the window lists whatever
    // answer came last, but here a stray datagram from another host would
    // print someone else's players under this server's name.
    if (port != m_server.port || fromIp.toStdString() != m_server.address)
        return;
    protocol::DatagramOutcome out =
        m_protocol.UDPDataReceived(datagram.constData(), static_cast<std::size_t>(datagram.size()),
                                   m_server.address, m_server.port, {});
    switch (out.kind) {
    case protocol::OutcomeKind::ListPlayers:
        m_gotPlayers = true;
        m_players = std::move(out.players);
        break;
    case protocol::OutcomeKind::ListRules:
        m_gotRules = true;
        m_rules = std::move(out.rules);
        break;
    case protocol::OutcomeKind::Send:
        for (const protocol::OutgoingDatagram& d : out.sends) {
            // The follow-up of a challenge; a challenged info request (for
            // a server that is not listed) is of no use here.
            if (d.bytes.size() > 4 && d.bytes[4] == 'T')
                continue;
            send(d);
        }
        if (m_wait)
            m_wait->sentAgain();
        break;
    case protocol::OutcomeKind::AddRow:
    case protocol::OutcomeKind::Nothing:
        break;
    }
}

}  // namespace zarnek::tools
