#pragma once

// A system-wide hot key delivered to the main window.

#include <QHash>
#include <QKeyCombination>
#include <QList>
#include <QObject>

class GlobalHotKey : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // False when the system refuses the key (another program holds it) or has
    // no global hot keys at all.
    virtual bool registerKey(int id, QKeyCombination key) = 0;
    virtual void unregisterKey(int id) = 0;

signals:
    void pressed(int id);
};

// For platforms without global hot keys (Wayland, offscreen): every
// registration is refused.
class NoGlobalHotKey : public GlobalHotKey {
    Q_OBJECT
public:
    using GlobalHotKey::GlobalHotKey;
    bool registerKey(int, QKeyCombination) override { return false; }
    void unregisterKey(int) override {}
};

// Tries several ways in order and keeps the first that takes the key: under
// Wayland the portal first, then an X11 grab, which there only sees keys while
// one of the X11 windows has the focus.
class FirstWorkingHotKey : public GlobalHotKey {
    Q_OBJECT
public:
    using GlobalHotKey::GlobalHotKey;
    // Takes ownership.
    void add(GlobalHotKey* way);
    bool registerKey(int id, QKeyCombination key) override;
    void unregisterKey(int id) override;

private:
    QList<GlobalHotKey*> m_ways;
    QHash<int, GlobalHotKey*> m_holders;
};
