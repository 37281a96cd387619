#pragma once

// A system-wide hot key delivered to the main window.

#include <QKeyCombination>
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
