#pragma once

// Stand-ins for the platform adapters, for tests that build the real windows.

#include "platform/event_pump.h"
#include "platform/game_launcher.h"
#include "platform/hot_key.h"
#include "platform/local_address.h"
#include "platform/single_instance.h"
#include "platform/udp_endpoint.h"
#include "platform/url_opener.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <vector>

// Records every send; a test injects datagrams as if they had arrived.
class FakeUdpEndpoint : public UdpEndpoint {
    Q_OBJECT
public:
    struct Sent {
        QString host;
        int port;
        QByteArray bytes;
    };
    std::vector<Sent> sent;

    using UdpEndpoint::UdpEndpoint;
    void close() override { m_closed = true; }
    bool isClosed() const override { return m_closed; }

    // Raises dataReceived at once, as the real endpoint does inside a pump.
    void inject(const QByteArray& datagram, const QString& fromIp, int port);

protected:
    void transmit(const QByteArray& datagram, const QString& host, int port) override;

private:
    bool m_closed = false;
};

// Counts pumps and sleeps; runs a scripted action at the k-th pump (counted
// from 1) and, if set, one at every pump.
class FakeEventPump : public EventPump {
public:
    int pumps = 0;
    std::vector<int> sleeps;  // every sleep, in milliseconds
    // Also let Qt run its pending events at each pump (timers, queued calls).
    bool processEvents = false;

    void at(int k, std::function<void()> action) { m_actions[k] = std::move(action); }
    void onEveryPump(std::function<void()> action) { m_every = std::move(action); }

    void pump() override;
    void sleep(int milliseconds) override { sleeps.push_back(milliseconds); }
    int sleptMilliseconds() const;

private:
    std::map<int, std::function<void()>> m_actions;
    std::function<void()> m_every;
};

class FakeHotKey : public GlobalHotKey {
    Q_OBJECT
public:
    bool refuse = false;
    std::vector<int> registered;  // ids held now

    using GlobalHotKey::GlobalHotKey;
    bool registerKey(int id, QKeyCombination key) override;
    void unregisterKey(int id) override;
    QKeyCombination lastKey;
    // As if the user pressed the key.
    void press(int id) { emit pressed(id); }
};

class FakeSingleInstance : public SingleInstance {
    Q_OBJECT
public:
    bool otherRunning = false;
    int handOvers = 0;
    bool serving = false;

    using SingleInstance::SingleInstance;
    bool handOverToRunning() override;
    void serve() override { serving = true; }
    // As if a second instance had asked.
    void requestRestore() { emit restoreRequested(); }
};

// The loopback interface as the system lists it: up, 127.0.0.1/8.
inline zarnek::scanning::LanInterface loopbackInterface()
{
    zarnek::scanning::LanInterface lo;
    lo.name = "lo";
    lo.up = true;
    lo.loopback = true;
    lo.address = "127.0.0.1";
    lo.netmask = "255.0.0.0";
    return lo;
}

class FakeLocalAddress : public LocalAddressProvider {
public:
    QString value;
    std::vector<zarnek::scanning::LanInterface> interfaceList;
    QString address() const override { return value; }
    std::vector<zarnek::scanning::LanInterface> interfaces() const override { return interfaceList; }
};

class FakeUrlOpener : public UrlOpener {
public:
    std::vector<QUrl> opened;
    bool open(const QUrl& url) override
    {
        opened.push_back(url);
        return true;
    }
};

// Records every game start instead of starting anything.
class FakeGameLauncher : public GameLauncher {
public:
    struct Launch {
        QString program;
        QStringList arguments;
        QString parameterText;
    };
    std::vector<Launch> launches;

    void launch(const QString& program, const QStringList& arguments,
                const QString& parameterText) override
    {
        launches.push_back({program, arguments, parameterText});
    }
};
