// The portal's global shortcuts against a stand-in portal on a private bus.
#include "platform/portal_hot_key.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QKeyCombination kShiftAltS(Qt::ShiftModifier | Qt::AltModifier, Qt::Key_S);

// A dbus-daemon of the test's own and, on it, the stand-in portal.
struct PrivateBus {
    QTemporaryDir dir;
    QProcess daemon;
    QProcess portal;
    QString address;
    QDBusConnection bus{QString()};

    explicit PrivateBus(const char* mode)
    {
        address = QStringLiteral("unix:path=") + dir.filePath(QStringLiteral("bus"));
        daemon.start(QStringLiteral("dbus-daemon"),
                     {QStringLiteral("--session"), QStringLiteral("--nofork"),
                      QStringLiteral("--nopidfile"), QStringLiteral("--address=") + address,
                      QStringLiteral("--print-address")});
        if (!daemon.waitForReadyRead(30000))
            return;
        if (mode) {
            portal.start(QStringLiteral("/usr/bin/python3"),
                         {QStringLiteral(ZARNEK_FAKE_PORTAL), address, QString::fromLatin1(mode)});
            if (!portal.waitForReadyRead(30000))
                return;
        }
        bus = QDBusConnection::connectToBus(address, QStringLiteral("portal-test"));
    }
    ~PrivateBus()
    {
        QDBusConnection::disconnectFromBus(QStringLiteral("portal-test"));
        for (QProcess* p : {&portal, &daemon}) {
            if (p->state() != QProcess::NotRunning) {
                p->terminate();
                p->waitForFinished(10000);
            }
        }
    }

    QDBusMessage control(const char* method, const QList<QVariant>& arguments = {})
    {
        auto call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.portal.Desktop"),
            QStringLiteral("/org/freedesktop/portal/desktop"), QStringLiteral("org.zarnek.FakePortal"),
            QString::fromLatin1(method));
        call.setArguments(arguments);
        return bus.call(call);
    }
    QStringList calls() { return control("Calls").arguments().value(0).toStringList(); }
};

}  // namespace

TEST(PortalHotKey, TriggerTexts)
{
    const std::pair<QKeyCombination, const char*> cases[] = {
        {kShiftAltS, "SHIFT+ALT+s"},
        {QKeyCombination(Qt::ControlModifier | Qt::MetaModifier, Qt::Key_7), "CTRL+LOGO+7"},
        {QKeyCombination(Qt::NoModifier, Qt::Key_Z), "z"},
        {QKeyCombination(Qt::AltModifier, Qt::Key_F1), ""},  // no keys beyond letters and digits
    };
    for (auto [key, text] : cases)
        EXPECT_EQ(PortalGlobalHotKey::triggerOf(key), QString::fromLatin1(text)) << text;
}

TEST(PortalHotKey, BindsTheKeyAndTogglesOnItsActivation)
{
    PrivateBus b("accept");
    ASSERT_TRUE(b.bus.isConnected());
    PortalGlobalHotKey key(b.bus);
    QSignalSpy pressed(&key, &GlobalHotKey::pressed);
    ASSERT_TRUE(key.registerKey(1, kShiftAltS));
    EXPECT_EQ(b.calls(), (QStringList{QStringLiteral("CreateSession"),
                                      QStringLiteral("BindShortcuts same-session 1 SHIFT+ALT+s "
                                                     "Hide or show the window")}));

    // Only this program's session and its own shortcut count. A call to the
    // portal answers after the signals it sent before, so once it returned
    // and the events ran, every earlier signal has been seen.
    b.control("ActivateOther", {QStringLiteral("1")});
    b.control("Activate", {QStringLiteral("9")});
    b.calls();
    QCoreApplication::processEvents();
    EXPECT_EQ(pressed.count(), 0);
    b.control("Activate", {QStringLiteral("1")});
    ASSERT_TRUE(pressed.wait(30000));
    ASSERT_EQ(pressed.count(), 1);
    EXPECT_EQ(pressed[0][0].toInt(), 1);

    // Letting the key go closes the session; no press comes after.
    key.unregisterKey(1);
    b.control("Activate", {QStringLiteral("1")});
    const QStringList calls = b.calls();
    QCoreApplication::processEvents();
    ASSERT_EQ(calls.size(), 3);
    EXPECT_TRUE(calls[2].startsWith(QStringLiteral("Close "))) << calls[2].toStdString();
    EXPECT_EQ(pressed.count(), 1);
}

TEST(PortalHotKey, RefusedWhenDeclinedOrAbsent)
{
    for (const char* mode : {"decline", "no-shortcuts", static_cast<const char*>(nullptr)}) {
        PrivateBus b(mode);
        ASSERT_TRUE(b.bus.isConnected()) << (mode ? mode : "no portal");
        PortalGlobalHotKey key(b.bus);
        EXPECT_FALSE(key.registerKey(1, kShiftAltS)) << (mode ? mode : "no portal");
    }
    // No session bus at all.
    PortalGlobalHotKey offline(QDBusConnection(QStringLiteral("nothing")));
    EXPECT_FALSE(offline.registerKey(1, kShiftAltS));
}
