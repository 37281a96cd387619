// The scan driver: the Scan and Stop buttons, the Scan button's cool-down.
//
// A scan is one long call of SBScanAllClick. It probes the favourites, the
// broadcast address and the checked ranges one destination at a time and runs
// the event pump after every probe; answers become rows inside that pump. The
// pump runs every other handler re-entrantly, so the loop re-reads each list
// entry when its turn comes and checks after every pump that the window, the
// settings dialog and the endpoint are still there.

#include "platform/broadcast_address.h"
#include "app/scanning/scan_lists.h"
#include "app/settings/settings_dialog.h"
#include "app/shell/main_window.h"
#include "app/shell/server_list_view.h"
#include "core/scanning/port_text.h"
#include "core/scanning/range_walk.h"
#include "platform/event_pump.h"
#include "platform/local_address.h"
#include "platform/udp_endpoint.h"

#include <algorithm>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QSpinBox>
#include <QTimer>
#include <QTreeWidget>

namespace {

const char kStopped[] = " Scan stoped.";

std::optional<int> portOf(const QLineEdit* edit)
{
    return zarnek::scanning::portNumber(edit->text().toStdString());
}

void showWarning(QWidget* parent, const QString& text)
{
    QMessageBox::warning(parent, QStringLiteral("Warning"), text, QMessageBox::Ok);
}

// Everything one scan needs between its steps; ends the scan when the window,
// the settings dialog or the endpoint went away inside a pump.
class ScanRun {
public:
    explicit ScanRun(TForm1& form) : form_(&form), settings_(form.Settings) {}

    bool alive() const { return form_ && settings_ && !form_->udp()->isClosed(); }

    void sendInfo()
    {
        const auto info = form_->protocol().Queries().InfoQuery();
        form_->udp()->send(reinterpret_cast<const char*>(info.data()), int(info.size()));
    }

    void sendOldInfoIfOn()
    {
        if (!settings_->CBOld->isChecked())
            return;
        const auto old = form_->protocol().Queries().OldInfoQuery();
        form_->udp()->send(reinterpret_cast<const char*>(old.data()), int(old.size()));
    }

    void sleep(int milliseconds)
    {
        if (milliseconds > 0)
            form_->pump()->sleep(milliseconds);
    }

    int delay() const { return settings_->SEDelay->value(); }

    // The checkpoint after a probe: true when Stop was clicked.
    bool stopped()
    {
        if (!form_->StopRequested)
            return false;
        form_->setStatusText(0, QLatin1String(kStopped));
        return true;
    }

    // The pump, then the activity text and the probe counter of the
    // destination just probed. False when the scan must end at once.
    bool pumpAndCount(const QString& destination)
    {
        form_->pump()->pump();
        if (!alive())
            return false;
        form_->setStatusText(0, QLatin1Char(' ') + destination);
        count();
        return true;
    }

    void count()
    {
        form_->setStatusText(1, QString::number(form_->statusText(1).toInt() + 1));
    }

    TSettings& settings() const { return *settings_; }

private:
    QPointer<TForm1> form_;
    QPointer<TSettings> settings_;
};

}  // namespace

void TForm1::SBScanAllClick()
{
    if (!Settings || ScanInProgress)
        return;
    TSettings& settings = *Settings;

    const bool gamePort = RGIndex() == 0;
    const bool hltvPort = RGIndex() == 1;
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
        showWarning(this, refusal);
        if (Settings)
            Settings->showNonModal();
        return;
    }
    // A port text that is no number can only come from a hand-edited file,
    // one above 65535 also from typing five digits; refusing them here keeps
    // the scan from stopping half-way with its buttons disabled, or from
    // probing a port nobody chose.
    const QLineEdit* portEdit = hltvPort ? settings.HLTVport : settings.CSport;
    const std::optional<int> clickedPort = portOf(portEdit);
    if (!clickedPort && (gamePort || hltvPort)) {
        const QString text = portEdit->text();
        const bool digits = std::all_of(text.begin(), text.end(),
                                        [](QChar c) { return c >= u'0' && c <= u'9'; });
        const QString message = digits ? QStringLiteral("'%1' is not a valid port number")
                                       : QStringLiteral("'%1' is not a valid integer value");
        QMessageBox::critical(this, QStringLiteral("Error"), message.arg(text), QMessageBox::Ok);
        return;
    }

    ScanInProgress = true;
    if (!AutoConnectOn)
        SBAuto->setEnabled(false);
    setRGEnabled(false);
    SBPlay->setEnabled(false);
    SBScanAll->setEnabled(false);
    SBRefresh->setEnabled(false);
    SBStop->setEnabled(true);
    clearServerList();
    LWPlayers->clear();
    StopRequested = false;
    setStatusText(1, QStringLiteral("0"));

    ScanRun run(*this);

    // Favourites: each probed at its own port, the pause split around the
    // info request.
    const int favourites = entryCount(settings.LVFav);
    for (int i = 0; i < favourites; ++i) {
        const auto favourite = favouriteAt(run.settings().LVFav, i);
        if (!favourite)
            break;
        if (!favourite->port)
            continue;
        udp()->setRemoteHost(favourite->host);
        udp()->setRemotePort(*favourite->port);
        const int half = run.delay() / 2;
        run.sleep(half);
        run.sendInfo();
        run.sleep(half);
        run.sendOldInfoIfOn();
        if (run.stopped())
            return;
        if (!run.pumpAndCount(favourite->host))
            return;
    }

    // Broadcast and ranges go to the scan port, read again now; should the
    // user have emptied it meanwhile, the one checked at the click serves.
    int scanPort = udp()->remotePort();
    if (RGIndex() == 0 || RGIndex() == 1) {
        const auto now = portOf(RGIndex() == 1 ? run.settings().HLTVport : run.settings().CSport);
        scanPort = now.value_or(clickedPort.value_or(scanPort));
    }
    udp()->setRemotePort(scanPort);

    if (run.settings().CBBroadcast->isChecked()) {
        const QString target = scanBroadcastAddress(localAddress()->address());
        if (!target.isEmpty()) {
            udp()->setRemoteHost(target);
            run.sendInfo();
            run.sendOldInfoIfOn();
        }
        run.count();
    }

    const int ranges = entryCount(run.settings().LWranges);
    for (int r = 0; r < ranges; ++r) {
        const auto range = rangeAt(run.settings().LWranges, r);
        if (!range)
            break;
        if (!range->checked)
            continue;
        auto walk = zarnek::scanning::walkRange(range->from.toStdString(), range->to.toStdString());
        if (!walk)
            continue;
        bool rangeGone = false;
        while (const auto address = walk->next()) {
            const QString text = QString::fromStdString(zarnek::scanning::quadText(*address));
            udp()->setRemoteHost(text);
            // The endpoint is shared: a server selected inside the pump has
            // had its detail queries sent to its own port, and the rest of the
            // range must not be probed there.
            udp()->setRemotePort(scanPort);
            run.sendInfo();
            run.sleep(run.delay());
            run.sendOldInfoIfOn();
            if (run.stopped())
                return;
            if (!run.pumpAndCount(text))
                return;
            if (r >= entryCount(run.settings().LWranges)) {
                rangeGone = true;
                break;
            }
        }
        if (rangeGone)
            break;
    }

    // Completion.
    const int rows = LW->topLevelItemCount();
    KnownServers.count = std::min(rows, 41);
    for (int i = 0; i < KnownServers.count; ++i) {
        KnownServers.address[i] = LW->topLevelItem(i)->text(ServerListView::Address);
        KnownServers.port[i] = LW->topLevelItem(i)->text(ServerListView::Port);
    }
    setStatusText(0, QStringLiteral(" Scan complete"));
    setRGEnabled(true);
    ScanCooldown = 3;
    if (!Timer->isActive())
        Timer->start();
    SBStop->setEnabled(false);
    ScanInProgress = false;
    if (LW->topLevelItemCount() > 0)
        SBRefresh->setEnabled(true);
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
