// Every datagram that reaches the endpoint: the protocol core classifies and
// decodes it, and the window applies the outcome.
#include "display/display_text.h"
#include "app/shell/main_window.h"
#include "app/shell/server_list_view.h"
#include "platform/udp_endpoint.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>

namespace protocol = zarnek::protocol;

void TForm1::UDPDataReceived(const QByteArray& datagram, const QString& fromIP, int port)
{
    if (port < 0 || port > 65535)
        return;
    const std::string from = fromIP.toStdString();
    protocol::DatagramOutcome out = m_protocol.UDPDataReceived(
        datagram.constData(), static_cast<std::size_t>(datagram.size()), from,
        static_cast<std::uint16_t>(port), m_rows);
    switch (out.kind) {
    case protocol::OutcomeKind::AddRow:
        AddServerRow(out.row);
        break;
    case protocol::OutcomeKind::ListRules:
        if (IsDetailAnswer(fromIP, port))
            AddRules(out.rules);
        break;
    case protocol::OutcomeKind::ListPlayers:
        if (IsDetailAnswer(fromIP, port))
            AddPlayers(out.players);
        break;
    case protocol::OutcomeKind::Send:
        SendDatagrams(out.sends);
        break;
    case protocol::OutcomeKind::Nothing:
        break;
    }
}

void TForm1::UDPBufferInvalid()
{
    QMessageBox::critical(this, QStringLiteral("Error"), QStringLiteral("Invalid buffer"),
                          QMessageBox::Ok);
}

void TForm1::UDPInvalidHost() {}

void TForm1::AddServerRow(const protocol::ServerRow& row)
{
    auto iconAt = [this](int index) {
        return index >= 0 && index < IList.size() ? IList[index] : QIcon();
    };
    // A full list drops further answers (see ServerList).
    if (!m_rows.Append(row))
        return;
    auto* item = new QTreeWidgetItem;
    item->setText(ServerListView::Game, displayText(row.game));
    item->setIcon(ServerListView::Game, iconAt(row.gameIcon));
    LW->addTopLevelItem(item);
    if (LW->topLevelItemCount() >= 1 && !ScanInProgress)
        SBRefresh->setEnabled(true);
    item->setText(ServerListView::Name, displayText(row.name));
    item->setText(ServerListView::Address, displayText(row.address));
    item->setText(ServerListView::Port, displayText(row.port));
    item->setText(ServerListView::PT, displayText(row.pt));
    item->setText(ServerListView::Map, displayText(row.map));
    item->setText(ServerListView::Players, displayText(row.players));
    item->setText(ServerListView::OS, displayText(row.os));
    item->setIcon(ServerListView::OS, iconAt(row.osIcon));
    item->setText(ServerListView::A, displayText(row.a));
    item->setIcon(ServerListView::A, iconAt(row.availabilityIcon));
    for (int c = ServerListView::Name; c < ServerListView::ColumnCount; ++c)
        item->setTextAlignment(c, Qt::AlignCenter);
    LW->fitToRow(item);
    CheckAutoConnect(displayText(row.address), row.playerCount, displayText(row.playerText));
}

void TForm1::SendDatagrams(const std::vector<protocol::OutgoingDatagram>& sends)
{
    for (const protocol::OutgoingDatagram& d : sends) {
        UdpEndpoint* endpoint = udp();
        if (endpoint->isClosed())
            return;
        endpoint->setRemoteHost(QString::fromStdString(d.address));
        endpoint->setRemotePort(d.port);
        endpoint->send(reinterpret_cast<const char*>(d.bytes.data()),
                       static_cast<int>(d.bytes.size()));
    }
}

void TForm1::clearServerList()
{
    LW->clear();  // the model reset forgets the rows too
    m_rows.Clear();
    LW->fitColumns();
}
