#pragma once

// The global shortcuts of the desktop portal, for Wayland sessions, where no
// program may grab keys for the whole desktop. The desktop binds the key (it
// may ask the user to confirm once) and tells the program when it is pressed.

#include "platform/hot_key.h"

#include <QDBusConnection>
#include <QHash>
#include <QString>
#include <QVariantMap>
#include <optional>

class PortalGlobalHotKey : public GlobalHotKey {
    Q_OBJECT
public:
    // Talks to the portal on the given bus (the session bus in the program).
    explicit PortalGlobalHotKey(const QDBusConnection& bus, QObject* parent = nullptr);
    ~PortalGlobalHotKey() override;

    // False when the bus has no portal, the portal has no global shortcuts,
    // or the desktop (or the user) declined the key.
    bool registerKey(int id, QKeyCombination key) override;
    void unregisterKey(int id) override;

    // The portal's form of a key: "SHIFT+ALT+s".
    static QString triggerOf(QKeyCombination key);

private:
    bool openSession();
    void closeSession();
    // Calls a portal method that answers through a request object, and waits
    // for that answer; nothing when the call failed or was declined.
    std::optional<QVariantMap> request(const QString& method, QList<QVariant> arguments,
                                       QVariantMap options);
    void activated(const QString& sessionHandle, const QString& shortcutId);

    QDBusConnection m_bus;
    QString m_session;
    QHash<QString, int> m_ids;  // shortcut id -> hot key id
    int m_tokens = 0;
};
