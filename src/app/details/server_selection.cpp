// Selecting a server: the detail requests, the buttons and picture that follow
// the selection, and when the server list's pop-up menu may open.
//
// For one right click Qt delivers the press (LWMouseDown, before the list
// acts), then any selection change (LWSelectItem), then the context-menu
// request. The press switches the menu's opening on only when a row is
// already selected, and a selection change switches it off again, so a right
// click that selects a row does not open the menu. On empty space the list
// drops the selection only when the button comes up, after the request; so
// the request must also point at the selected row.

#include "app/settings/settings_dialog.h"
#include "app/shell/main_window.h"
#include "core/protocol/text_helpers.h"
#include "platform/event_pump.h"
#include "platform/udp_endpoint.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>

namespace protocol = zarnek::protocol;

void TForm1::connectDetails()
{
    connect(LW, &QTreeWidget::itemSelectionChanged, this, &TForm1::LWSelectItem);
    connect(LW, &ServerListView::listClicked, this, &TForm1::LWClick);
    connect(LW, &ServerListView::mouseDown, this, &TForm1::LWMouseDown);
    connect(LW, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const int row = LWItemIndex();
        if (PMServersAutoPopup && row >= 0 && LW->itemAt(at) == LW->topLevelItem(row))
            PMServers->popup(LW->viewport()->mapToGlobal(at));
    });
    connect(LWPlayers->header(), &QHeaderView::sectionClicked, this, &TForm1::LWPlayersColumnClick);
}

int TForm1::LWItemIndex() const
{
    const QList<QTreeWidgetItem*> selected = LW->selectedItems();
    return selected.isEmpty() ? -1 : LW->indexOfTopLevelItem(selected.first());
}

void TForm1::LWSelectItem()
{
    PMServersAutoPopup = false;
    LWPlayers->clear();
    LWRules->clear();
    m_detailAddress.clear();
    m_detailPort = -1;

    const int index = LWItemIndex();
    if (index < 0 || index >= static_cast<int>(m_rows.size()))
        return;
    const protocol::ServerRow row = m_rows[static_cast<std::size_t>(index)];
    // The cell comes from the server's own answer; a port no socket can use
    // sends nothing rather than reporting a network text in a box.
    const std::optional<int> port = zarnek::protocol::ParsePort(row.port);
    if (port && *port > 0) {
        m_detailAddress = QString::fromStdString(row.address);
        m_detailPort = *port;
        const bool old = Settings && Settings->CBOld->isChecked();
        const auto requests =
            m_protocol.DetailQueries(row.address, static_cast<std::uint16_t>(*port), old);
        // The sleeps block this thread and pump nothing, so the window and
        // its endpoint outlive the loop.
        for (std::size_t i = 0; i < requests.size(); ++i) {
            if (udp()->isClosed())
                break;
            udp()->setRemoteHost(m_detailAddress);
            udp()->setRemotePort(m_detailPort);
            udp()->send(reinterpret_cast<const char*>(requests[i].bytes.data()),
                        static_cast<int>(requests[i].bytes.size()));
            if (i < protocol::kDetailPausesMs.size())
                pump()->sleep(protocol::kDetailPausesMs[i]);
        }
    }

    SBPlay->setEnabled(true);
    SBAuto->setEnabled(true);
    Image->clear();
    if (row.gameIcon >= 0 && row.gameIcon < IList2.size())
        Image->setPixmap(IList2[row.gameIcon].pixmap(Image->size()));
}

void TForm1::LWClick()
{
    if (LWItemIndex() >= 0)
        return;
    SBPlay->setEnabled(false);
    // While auto-connect is armed, Auto is the way to switch it off.
    if (!AutoConnectOn)
        SBAuto->setEnabled(false);
    Image->clear();
    LWPlayers->clear();
    LWRules->clear();
}

void TForm1::LWMouseDown(Qt::MouseButton, Qt::KeyboardModifiers, const QPoint&)
{
    PMServersAutoPopup = LWItemIndex() >= 0;
}
