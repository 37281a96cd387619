// Auto-connect on the main window: the Auto button and its pop-up entry, the
// poll of the target every five seconds, the ways of switching it off, and
// what the window does when an answer from the target is listed.
#include "app/joining/auto_connect_dialog.h"
#include "app/settings/settings_dialog.h"
#include "display/display_text.h"
#include "app/shell/main_window.h"
#include "core/protocol/server_row.h"
#include "platform/udp_endpoint.h"

#include <QApplication>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

namespace protocol = zarnek::protocol;

namespace {
const QString kDisabled = QStringLiteral(" Autoconnect disabled.");
}

void TForm1::setAutoButtonArmed(bool armed)
{
    QPalette palette = SBAuto->palette();
    palette.setColor(QPalette::ButtonText, armed ? Qt::red : Qt::black);
    SBAuto->setPalette(palette);
}

void TForm1::DisarmAutoConnect()
{
    setTrayCycling(false);
    TimerAuto->stop();
    AutoConnectOn = false;
    setAutoButtonArmed(false);
}

void TForm1::SBAutoClick()
{
    if (!AutoConnectOn) {
        if (FormAuto)
            FormAuto->openForSelection();
        return;
    }
    DisarmAutoConnect();
    SBScanAll->setEnabled(true);
    SBRefresh->setEnabled(true);
    if (FormAuto)
        FormAuto->hide();
    setStatusText(2, kDisabled);
}

void TForm1::AutoClick() { SBAutoClick(); }

void TForm1::TimerAutoTimer()
{
    clearServerList();
    UdpEndpoint* endpoint = udp();
    bool portIsNumber = false;
    const int port = AutoPort.toInt(&portIsNumber, 10);
    // A closed endpoint (the window is closing) sends nothing; the target's
    // port is always a number, as rows are made with numeric ports.
    if (!endpoint->isClosed() && portIsNumber) {
        endpoint->setRemoteHost(AutoTarget);
        endpoint->setRemotePort(port);
        const auto info = protocol().Queries().InfoQuery();
        endpoint->send(reinterpret_cast<const char*>(info.data()), static_cast<int>(info.size()));
        if (Settings && Settings->CBOld->isChecked()) {
            const auto old = protocol().Queries().OldInfoQuery();
            endpoint->send(reinterpret_cast<const char*>(old.data()), static_cast<int>(old.size()));
        }
    }
    ++AutoMissed;
    if (AutoMissed != 4)
        return;
    DisarmAutoConnect();
    SBScanAll->setEnabled(true);
    SBRefresh->setEnabled(true);
    QMessageBox::information(this, QStringLiteral("Auto connect"),
                             QStringLiteral("Server is not avalible, autoconnect disabled."),
                             QMessageBox::Ok);
    setStatusText(2, kDisabled);
}

void TForm1::CheckAutoConnect(const QString& senderAddress, std::optional<int> playerCount,
                              const QString& playerText)
{
    const QString comparison = FormAuto ? FormAuto->CB->currentText() : QString();
    const auto decision = protocol::CheckAutoConnect(AutoConnectOn, wireText(AutoTarget),
                                                     wireText(comparison), AutoNeed,
                                                     wireText(senderAddress), playerCount);
    if (decision == protocol::AutoConnectDecision::Nothing)
        return;
    AutoMissed = 0;
    SBPlay->setEnabled(false);
    if (decision != protocol::AutoConnectDecision::Fire)
        return;

    DisarmAutoConnect();
    // The target's own row, so that an answer from another server listed in
    // between cannot send the player elsewhere. The answer that fired comes
    // from the target's address; when it came from another port of it, that
    // row stands in.
    QTreeWidgetItem* target = nullptr;
    for (int i = 0; i < LW->topLevelItemCount() && !target; ++i) {
        QTreeWidgetItem* item = LW->topLevelItem(i);
        if (item->text(ServerListView::Address) == AutoTarget &&
            item->text(ServerListView::Port) == AutoPort)
            target = item;
    }
    if (!target)
        target = LW->topLevelItem(LW->topLevelItemCount() - 1);
    LW->setCurrentItem(target);
    SBScanAll->setEnabled(true);
    SBPlay->setEnabled(true);

    if (FormAuto && FormAuto->CBAsk->isChecked()) {
        QApplication::beep();
        // A window hidden in the tray stays hidden (it may still count as
        // minimised there); the question box comes up on its own.
        if (isVisible()) {
            if (isMinimized())
                showNormal();
            raise();
            activateWindow();
        }
        const QString question = displayText(
            protocol::AutoConnectQuestion(wireText(senderAddress), wireText(playerText)));
        const auto answer = QMessageBox::question(this, QStringLiteral("Confirm"), question,
                                                  QMessageBox::Yes | QMessageBox::No);
        if (answer != QMessageBox::Yes) {
            setStatusText(2, kDisabled);
            return;
        }
    }
    SBPlayClick();
    setStatusText(2, kDisabled);
}
