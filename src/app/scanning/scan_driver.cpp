// The scan driver: the Scan and Stop buttons, the Scan button's cool-down.
//
// A scan is one long call of SBScanAllClick: its checks, its start, the three
// phases of ScanRun (favourites, broadcast, ranges) and its completion. Stop
// works through the pump of a phase, which ends the scan at its next
// checkpoint.

#include "app/scanning/known_servers.h"
#include "app/scanning/scan_lists.h"
#include "app/scanning/scan_run.h"
#include "app/settings/settings_dialog.h"
#include "app/shell/main_window.h"
#include "app/shell/server_list_view.h"
#include "core/protocol/text_helpers.h"
#include "platform/udp_endpoint.h"

#include <algorithm>
#include <optional>

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

namespace {

void showWarning(QWidget* parent, const QString& text)
{
    QMessageBox::warning(parent, QStringLiteral("Warning"), text, QMessageBox::Ok);
}

// The checks before a scan, in their order. Gives the number of the port text
// at the click (itself nothing when no port is selected and the game port is
// no number), or nothing at all when a check failed and said so.
std::optional<std::optional<int>> scanPreconditions(TForm1& form)
{
    if (!form.Settings || form.ScanInProgress)
        return std::nullopt;
    TSettings& settings = *form.Settings;

    const bool gamePort = form.RGIndex() == 0;
    const bool hltvPort = form.RGIndex() == 1;
    QString refusal;
    if (entryCount(settings.LWranges) == 0 && entryCount(settings.LVFav) == 0
        && !settings.CBBroadcast->isChecked())
        refusal = QStringLiteral(
            "IP ranges, Favorites list is empty and Broadcast is disabled. Please set it in Options.");
    else if (settings.CSport->text().isEmpty() && gamePort)
        refusal = QStringLiteral("Game port is empty. Please set it in Options.");
    else if (settings.HLTVport->text().isEmpty() && hltvPort)
        refusal = QStringLiteral("HLTV port is empty. Please set it in Options.");
    if (!refusal.isEmpty()) {
        showWarning(&form, refusal);
        if (form.Settings)
            form.Settings->showNonModal();
        return std::nullopt;
    }
    // A port text that is no number can only come from a hand-edited file,
    // one above 65535 also from typing five digits; refusing them here keeps
    // the scan from stopping half-way with its buttons disabled, or from
    // probing a port nobody chose.
    const QLineEdit* portEdit = hltvPort ? settings.HLTVport : settings.CSport;
    const std::optional<int> clickedPort =
        zarnek::protocol::ParsePort(portEdit->text().toStdString());
    if (!clickedPort && (gamePort || hltvPort)) {
        const QString text = portEdit->text();
        const bool digits = std::all_of(text.begin(), text.end(),
                                        [](QChar c) { return c >= u'0' && c <= u'9'; });
        const QString message = digits ? QStringLiteral("'%1' is not a valid port number")
                                       : QStringLiteral("'%1' is not a valid integer value");
        QMessageBox::critical(&form, QStringLiteral("Error"), message.arg(text), QMessageBox::Ok);
        return std::nullopt;
    }
    return clickedPort;
}

void beginScan(TForm1& form)
{
    form.ScanInProgress = true;
    if (!form.AutoConnectOn)
        form.SBAuto->setEnabled(false);
    form.setRGEnabled(false);
    form.SBPlay->setEnabled(false);
    form.SBScanAll->setEnabled(false);
    form.SBRefresh->setEnabled(false);
    form.SBStop->setEnabled(true);
    form.clearServerList();
    form.LWPlayers->clear();
    form.StopRequested = false;
    form.setStatusText(1, QStringLiteral("0"));
}

void completeScan(TForm1& form)
{
    QTreeWidget* list = form.LW;
    rememberKnownServers(form);
    form.setStatusText(0, QStringLiteral(" Scan complete"));
    form.setRGEnabled(true);
    form.ScanCooldown = 3;
    if (!form.Timer->isActive())
        form.Timer->start();
    form.SBStop->setEnabled(false);
    form.ScanInProgress = false;
    if (list->topLevelItemCount() > 0)
        form.SBRefresh->setEnabled(true);
}

}  // namespace

void TForm1::SBScanAllClick()
{
    const auto portAtClick = scanPreconditions(*this);
    if (!portAtClick)
        return;
    beginScan(*this);
    ScanRun run(*this);
    if (!run.probeFavourites())
        return;
    // The broadcast and the ranges go to the scan port.
    const int scanPort = run.scanPort(*portAtClick);
    udp()->setRemotePort(scanPort);
    if (!run.probeBroadcast(scanPort) || !run.probeRanges(scanPort))
        return;
    completeScan(*this);
}

void TForm1::SBStopClick()
{
    StopRequested = true;
    ScanInProgress = false;
    ScanCooldown = 3;
    if (!Timer->isActive())
        Timer->start();
    SBStop->setEnabled(false);
    setRGEnabled(true);
    if (LW->topLevelItemCount() > 0)
        SBRefresh->setEnabled(true);
}

void TForm1::TimerTimer()
{
    SBScanAll->setText(QStringLiteral("Wait ") + QString::number(ScanCooldown));
    if (ScanCooldown == 0) {
        Timer->stop();
        SBScanAll->setText(QStringLiteral("Scan"));
        if (!AutoConnectOn)
            SBScanAll->setEnabled(true);
    }
    --ScanCooldown;
}
