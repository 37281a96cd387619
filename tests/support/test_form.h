#pragma once

// Builds the real main window with fake adapters.

#include "app/shell/main_window.h"
#include "tests/support/fakes.h"

#include <memory>

struct TestForm {
    std::unique_ptr<TForm1> form;
    // Owned by the window; valid while it lives.
    FakeUdpEndpoint* udp = nullptr;
    FakeEventPump* pump = nullptr;
    FakeHotKey* hotKey = nullptr;
    FakeSingleInstance* instance = nullptr;
    FakeLocalAddress* localAddress = nullptr;
    FakeGameLauncher* launcher = nullptr;

    TForm1* operator->() const { return form.get(); }
};

struct TestFormOptions {
    bool hotKeyRefused = false;
    bool otherInstanceRunning = false;
    bool trayAvailable = true;
    QString localAddress = QStringLiteral("192.168.0.10");
};

TestForm makeTestForm(const TestFormOptions& options = {});

// The platform with all fakes, for a test that builds the window itself; the
// raw pointers are filled in.
TForm1Platform makeFakePlatform(TestForm& pointers, const TestFormOptions& options = {});
