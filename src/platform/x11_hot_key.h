#pragma once

#include "platform/hot_key.h"

#include <QAbstractNativeEventFilter>
#include <QList>

struct xcb_connection_t;

// Grabs the key on the X root window through Qt's own XCB connection, once for
// each combination of NumLock and CapsLock, so the key works whatever their
// state.
class X11GlobalHotKey : public GlobalHotKey, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    // Null when the application does not run on X11.
    static X11GlobalHotKey* create(QObject* parent = nullptr);
    ~X11GlobalHotKey() override;

    bool registerKey(int id, QKeyCombination key) override;
    void unregisterKey(int id) override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    X11GlobalHotKey(xcb_connection_t* connection, unsigned root, QObject* parent);
    struct Grab {
        int id;
        unsigned char keycode;
        unsigned short modifiers;
    };
    void ungrab(const Grab& grab);
    unsigned short lockVariants(int index) const;

    xcb_connection_t* m_connection;
    unsigned m_root;
    unsigned short m_numLockMask = 0;
    QList<Grab> m_grabs;
};
