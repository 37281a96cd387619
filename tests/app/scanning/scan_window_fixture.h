#pragma once

// The real main window and settings dialog with the recording endpoint and
// the scripted pump of scan_fakes.h, in the state prepareForScan leaves them.

#include "tests/app/scanning/scan_fakes.h"
#include "tests/support/fakes.h"
#include "tests/support/scan_settings.h"

#include "app/settings/settings_dialog.h"
#include "app/shell/main_window.h"

#include <QTemporaryDir>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>
#include <string>

// An interface that is up and can broadcast.
inline zarnek::scanning::LanInterface lan(const char* name, const char* address,
                                          const char* netmask) {
    return {name, true, false, true, address, netmask};
}

// The machine of these tests has its loopback interface and the interfaces
// given, whatever the machine running them has.
inline std::unique_ptr<LocalAddressProvider> localAddress(
    const QString& address, const std::vector<zarnek::scanning::LanInterface>& others = {}) {
    auto local = std::make_unique<FakeLocalAddress>();
    local->value = address;
    local->interfaceList = {loopbackInterface()};
    local->interfaceList.insert(local->interfaceList.end(), others.begin(), others.end());
    return local;
}

class ScanWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        TForm1Platform platform;
        endpoint = new RecordingEndpoint(log);
        platform.udp.reset(endpoint);
        pump = new ScriptedPump(log);
        platform.pump.reset(pump);
        platform.localAddress = localAddress(QStringLiteral("127.0.0.1"));
        openScanWindow(form, settings, std::move(platform), dir.filePath(QStringLiteral("zarnek.ini")),
                       0);
    }

    void TearDown() override { closeScanWindow(form, settings); }

    void addRange(const char* from, const char* to, bool checked = true) {
        ::addRange(*settings, from, to, checked);
    }
    void addFavourite(const char* host, const char* port) { ::addFavourite(*settings, host, port); }
    QStringList sends() const { return log.events.filter(QStringLiteral("send")); }

    // A listed server as a decoder makes it.
    static zarnek::protocol::ServerRow row(const std::string& address, const std::string& port) {
        zarnek::protocol::ServerRow r;
        r.game = "1.6";
        r.name = "Server " + address;
        r.address = address;
        r.port = port;
        r.answerPort = static_cast<std::uint16_t>(std::stoi(port));
        r.players = "1/16";
        return r;
    }

    ScanLog log;
    RecordingEndpoint* endpoint = nullptr;
    ScriptedPump* pump = nullptr;
    QTemporaryDir dir;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<TSettings> settings;
};
