#pragma once

// Stand-ins for the scan tests: an endpoint and a pump that write into one
// shared log, so a test sees sends, sleeps and pumps in the order they
// happened, and a pump that runs a scripted action at a chosen pump.

#include "platform/event_pump.h"
#include "platform/udp_endpoint.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>

struct ScanLog {
    QStringList events;
    int sends = 0;
    int pumps = 0;
    int sleeps = 0;
};

// Records every send as "send <host>:<port> <length>".
class RecordingEndpoint : public UdpEndpoint {
public:
    explicit RecordingEndpoint(ScanLog& log) : log_(log) {}
    void close() override { closed_ = true; }
    bool isClosed() const override { return closed_; }

protected:
    void transmit(const QByteArray& datagram, const QString& host, int port) override {
        if (closed_) return;
        ++log_.sends;
        log_.events << QStringLiteral("send %1:%2 %3").arg(host).arg(port).arg(datagram.size());
    }

private:
    ScanLog& log_;
    bool closed_ = false;
};

// Records "sleep <ms>" and "pump"; the action for pump k (counted from 1)
// runs inside that pump, followed by the application's pending events.
class ScriptedPump : public EventPump {
public:
    explicit ScriptedPump(ScanLog& log) : log_(log) {}
    void pump() override {
        ++log_.pumps;
        log_.events << QStringLiteral("pump");
        const auto it = actions.find(log_.pumps);
        if (it != actions.end()) it->second();
        if (everyPump) everyPump(log_.pumps);
        QCoreApplication::processEvents();
    }
    void sleep(int milliseconds) override {
        ++log_.sleeps;
        log_.events << QStringLiteral("sleep %1").arg(milliseconds);
        if (everySleep) everySleep(milliseconds);
    }
    std::map<int, std::function<void()>> actions;
    std::function<void(int)> everyPump;
    // Runs during each sleep (with its length), where no event is handled.
    std::function<void(int)> everySleep;

private:
    ScanLog& log_;
};
