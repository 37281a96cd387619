#include "tests/support/test_form.h"

TForm1Platform makeFakePlatform(TestForm& t, const TestFormOptions& options)
{
    TForm1Platform p;
    auto udp = std::make_unique<FakeUdpEndpoint>();
    auto pump = std::make_unique<FakeEventPump>();
    auto hotKey = std::make_unique<FakeHotKey>();
    auto instance = std::make_unique<FakeSingleInstance>();
    auto address = std::make_unique<FakeLocalAddress>();
    auto launcher = std::make_unique<FakeGameLauncher>();
    hotKey->refuse = options.hotKeyRefused;
    instance->otherRunning = options.otherInstanceRunning;
    address->value = options.localAddress;
    t.udp = udp.get();
    t.pump = pump.get();
    t.hotKey = hotKey.get();
    t.instance = instance.get();
    t.localAddress = address.get();
    t.launcher = launcher.get();
    p.udp = std::move(udp);
    p.pump = std::move(pump);
    p.hotKey = std::move(hotKey);
    p.instance = std::move(instance);
    p.localAddress = std::move(address);
    p.trayAvailable = [tray = options.trayAvailable] { return tray; };
    p.launcher = std::move(launcher);
    return p;
}

TestForm makeTestForm(const TestFormOptions& options)
{
    TestForm t;
    TForm1Platform platform = makeFakePlatform(t, options);
    t.form = std::make_unique<TForm1>(std::move(platform));
    return t;
}
