#include "app/scanning/probe_loop.h"

#include "app/settings/settings_dialog.h"
#include "app/shell/main_window.h"
#include "platform/event_pump.h"
#include "platform/udp_endpoint.h"

ProbeLoop::ProbeLoop(TForm1& form) : form_(&form), settings_(form.Settings) {}

TForm1& ProbeLoop::form() const { return *form_; }
TSettings& ProbeLoop::settings() const { return *settings_; }

bool ProbeLoop::alive() const { return form_ && settings_ && !form_->udp()->isClosed(); }

void ProbeLoop::send(const QString& host, int port, const unsigned char* bytes, int size)
{
    if (!alive())
        return;
    UdpEndpoint* endpoint = form_->udp();
    endpoint->setRemoteHost(host);
    endpoint->setRemotePort(port);
    endpoint->send(reinterpret_cast<const char*>(bytes), size);
}

void ProbeLoop::sendInfo(const QString& host, int port)
{
    if (!alive())
        return;
    const auto info = form_->protocol().Queries().InfoQuery();
    send(host, port, info.data(), int(info.size()));
}

void ProbeLoop::sendOldInfoIfOn(const QString& host, int port)
{
    if (!alive() || !settings_->CBOld->isChecked())
        return;
    const auto old = form_->protocol().Queries().OldInfoQuery();
    send(host, port, old.data(), int(old.size()));
}

void ProbeLoop::sleep(int milliseconds)
{
    if (milliseconds > 0 && form_)
        form_->pump()->sleep(milliseconds);
}

bool ProbeLoop::pump()
{
    if (!alive())
        return false;
    form_->pump()->pump();
    return alive();
}
