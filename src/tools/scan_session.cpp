#include "tools/scan_session.h"

#include "platform/event_pump.h"
#include "platform/udp_endpoint.h"
#include "tools/answer_wait.h"

namespace zarnek::tools {

namespace {

constexpr int kWaitCap = 4;

bool isInfoRequest(const protocol::Bytes& bytes) { return bytes.size() > 4 && bytes[4] == 'T'; }

}  // namespace

ScanSession::ScanSession(UdpEndpoint& udp, EventPump& pump, const QueryOptions& options)
    : m_udp(udp), m_pump(pump), m_options(options)
{
    connect(&m_udp, &UdpEndpoint::dataReceived, this, &ScanSession::received);
}

void ScanSession::run(const std::vector<scanning::BroadcastDestination>& broadcast)
{
    m_clock.start();
    m_protocol.ServerListCleared();
    probeBroadcast(broadcast);
    for (const Probe& p : m_options.probes)
        probe(p.address, p.port, m_options.delayMs);

    AnswerWait wait(m_options.waitMs, kWaitCap);
    m_wait = &wait;
    wait.run();
    m_wait = nullptr;
}

// As in the window: every port of a network paced like a probe, the pump
// only between two networks, and the old single target without a pause.
void ScanSession::probeBroadcast(const std::vector<scanning::BroadcastDestination>& broadcast)
{
    if (broadcast.empty())
        return;
    m_broadcastSent = m_clock.elapsed();
    for (std::size_t k = 0; k < broadcast.size(); ++k) {
        if (k > 0)
            m_pump.pump();
        for (const std::uint16_t port : broadcast[k].ports) {
            m_broadcastSentTo.try_emplace(port, m_clock.elapsed());
            send(broadcast[k].address, port, m_protocol.Queries().InfoQuery());
            if (!broadcast[k].localAddressOnly)
                m_pump.sleep(m_options.delayMs);
            if (m_options.old)
                send(broadcast[k].address, port, m_protocol.Queries().OldInfoQuery());
        }
    }
    ++m_probed;
}

void ScanSession::probe(const std::string& address, std::uint16_t port, int delayMs)
{
    const qint64 now = m_clock.elapsed();
    m_firstSend.try_emplace({address, port}, now);
    m_firstSendTo.try_emplace(address, now);
    send(address, port, m_protocol.Queries().InfoQuery());
    m_pump.sleep(delayMs);
    if (m_options.old)
        send(address, port, m_protocol.Queries().OldInfoQuery());
    ++m_probed;
    m_pump.pump();
}

void ScanSession::send(const std::string& address, std::uint16_t port, protocol::ByteView bytes)
{
    if (m_udp.isClosed())
        return;
    m_udp.setRemoteHost(QString::fromStdString(address));
    m_udp.setRemotePort(port);
    m_udp.send(reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()));
}

void ScanSession::received(const QByteArray& datagram, const QString& fromIp, int port)
{
    if (port <= 0 || port > 65535)
        return;
    const std::string from = fromIp.toStdString();
    const auto senderPort = static_cast<std::uint16_t>(port);
    // A host that sends from ever new ports or spoofed addresses must not grow
    // the map without end: a bound well above the rows the list can hold
    // (a sender past it just gets no ping).
    if (m_firstAnswer.size() < 4 * protocol::ServerList::kMaxRows)
        m_firstAnswer.try_emplace({from, senderPort}, m_clock.elapsed());

    protocol::DatagramOutcome out = m_protocol.UDPDataReceived(
        datagram.constData(), static_cast<std::size_t>(datagram.size()), from, senderPort, m_rows);
    switch (out.kind) {
    case protocol::OutcomeKind::AddRow:
        if (!m_rows.Append(out.row))
            break;
        m_servers.push_back(ListedServer{std::move(out.row), std::nullopt});
        m_servers.back().pingMs = pingOf(m_servers.back().row);
        break;
    case protocol::OutcomeKind::Send:
        for (const protocol::OutgoingDatagram& d : out.sends) {
            send(d.address, d.port, d.bytes);
            // A challenged info request asks for a row: read its answer too.
            if (isInfoRequest(d.bytes) && m_wait)
                m_wait->sentAgain();
        }
        break;
    case protocol::OutcomeKind::ListRules:
    case protocol::OutcomeKind::ListPlayers:
    case protocol::OutcomeKind::Nothing:
        break;
    }
}

std::optional<int> ScanSession::pingOf(const protocol::ServerRow& row) const
{
    const auto answered = m_firstAnswer.find({row.address, row.answerPort});
    if (answered == m_firstAnswer.end())
        return std::nullopt;
    const qint64 at = answered->second;
    // The direct probe when the answer followed it; an answer that came
    // before it can only be an answer to the broadcast probe.
    std::optional<qint64> sent;
    if (const auto s = m_firstSend.find({row.address, row.answerPort}); s != m_firstSend.end())
        sent = s->second;
    else if (const auto a = m_firstSendTo.find(row.address); a != m_firstSendTo.end())
        sent = a->second;
    if ((!sent || at < *sent) && m_broadcastSent) {
        const auto toPort = m_broadcastSentTo.find(row.answerPort);
        sent = toPort != m_broadcastSentTo.end() ? toPort->second : *m_broadcastSent;
    }
    if (!sent || at < *sent)
        return std::nullopt;
    return static_cast<int>(at - *sent);
}

}  // namespace zarnek::tools
