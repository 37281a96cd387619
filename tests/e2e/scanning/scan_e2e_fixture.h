#pragma once

// The real main window and settings dialog with the real endpoint on port
// 27005 and the real pump, for tests against the fake LAN in a private network
// namespace; and readers of what the window lists.

#include "tests/support/fake_lan/fake_lan_process.h"
#include "tests/support/fakes.h"
#include "tests/support/scan_settings.h"

#include "app/settings/settings_dialog.h"
#include "app/shell/main_window.h"
#include "app/shell/server_list_view.h"
#include "platform/event_pump.h"
#include "platform/local_address.h"
#include "platform/qt_udp_endpoint.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

// The namespace of the test holds only its loopback interface.
class LoopbackAddress : public LocalAddressProvider {
public:
    QString address() const override { return QStringLiteral("127.0.0.1"); }
    std::vector<zarnek::scanning::LanInterface> interfaces() const override {
        return {loopbackInterface()};
    }
};

inline QJsonObject server(const char* address, int port, const char* kind, const char* name) {
    return FakeLanProcess::server(QString::fromLatin1(address), port, QString::fromLatin1(kind),
                                  QString::fromLatin1(name));
}

class ScanEndToEnd : public ::testing::Test {
protected:
    void startWindow() {
        TForm1Platform platform;
        platform.udp = std::make_unique<QtUdpEndpoint>(27005);
        platform.pump = std::make_unique<QtEventPump>();
        platform.localAddress = std::make_unique<LoopbackAddress>();
        openScanWindow(form, settings, std::move(platform), dir.filePath(QStringLiteral("zarnek.ini")),
                       1);
    }

    void TearDown() override { closeScanWindow(form, settings); }

    void addRange(const char* from, const char* to) { ::addRange(*settings, from, to); }
    void addFavourite(const char* host, const char* port) { ::addFavourite(*settings, host, port); }

    // "game|address|port|name" of every row of LW, sorted.
    QStringList rows() const {
        QStringList result;
        for (int i = 0; i < form->LW->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = form->LW->topLevelItem(i);
            result << QStringList{item->text(ServerListView::Game), item->text(ServerListView::Address),
                                  item->text(ServerListView::Port), item->text(ServerListView::Name)}
                          .join(QLatin1Char('|'));
        }
        result.sort();
        return result;
    }
    QStringList knownServers() const {
        QStringList result;
        for (int i = 0; i < form->KnownServers.count; ++i)
            result << form->KnownServers.address[i] + QLatin1Char(':') + form->KnownServers.port[i];
        return result;
    }
    QStringList rowAddresses() const {
        QStringList result;
        for (int i = 0; i < form->LW->topLevelItemCount(); ++i)
            result << form->LW->topLevelItem(i)->text(ServerListView::Address) + QLatin1Char(':')
                          + form->LW->topLevelItem(i)->text(ServerListView::Port);
        return result;
    }
    // The timeout only keeps a broken run from hanging.
    bool waitForRows(int count) {
        return QTest::qWaitFor([&] { return form->LW->topLevelItemCount() >= count; }, 10000);
    }

    QTemporaryDir dir;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<TSettings> settings;
};
