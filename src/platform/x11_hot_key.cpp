#include "platform/x11_hot_key.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdlib>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

namespace {

constexpr xcb_keysym_t kNumLockKeysym = 0xff7f;

// Keysyms of the keys a hot key may use: letters and digits.
xcb_keysym_t keysymOf(Qt::Key key)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<xcb_keysym_t>('a' + (key - Qt::Key_A));
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<xcb_keysym_t>('0' + (key - Qt::Key_0));
    return 0;
}

unsigned short modifierMask(Qt::KeyboardModifiers modifiers)
{
    unsigned short mask = 0;
    if (modifiers & Qt::ShiftModifier)
        mask |= XCB_MOD_MASK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        mask |= XCB_MOD_MASK_CONTROL;
    if (modifiers & Qt::AltModifier)
        mask |= XCB_MOD_MASK_1;
    if (modifiers & Qt::MetaModifier)
        mask |= XCB_MOD_MASK_4;
    return mask;
}

}  // namespace

X11GlobalHotKey* X11GlobalHotKey::create(QObject* parent)
{
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (connection == nullptr)
        return nullptr;
    const xcb_setup_t* setup = xcb_get_setup(connection);
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(setup);
    if (screens.rem == 0)
        return nullptr;
    return new X11GlobalHotKey(connection, screens.data->root, parent);
}

X11GlobalHotKey::X11GlobalHotKey(xcb_connection_t* connection, unsigned root, QObject* parent)
    : GlobalHotKey(parent), m_connection(connection), m_root(root)
{
    // Which modifier bit NumLock sits on depends on the keyboard map.
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(m_connection);
    xcb_keycode_t* numLockCodes = symbols ? xcb_key_symbols_get_keycode(symbols, kNumLockKeysym)
                                          : nullptr;
    auto cookie = xcb_get_modifier_mapping(m_connection);
    if (auto* reply = xcb_get_modifier_mapping_reply(m_connection, cookie, nullptr)) {
        const xcb_keycode_t* map = xcb_get_modifier_mapping_keycodes(reply);
        const int perModifier = reply->keycodes_per_modifier;
        for (int mod = 0; mod < 8 && numLockCodes; ++mod)
            for (int k = 0; k < perModifier; ++k)
                for (const xcb_keycode_t* c = numLockCodes; *c; ++c)
                    if (map[mod * perModifier + k] == *c && *c != 0)
                        m_numLockMask = static_cast<unsigned short>(1u << mod);
        std::free(reply);
    }
    std::free(numLockCodes);
    if (symbols)
        xcb_key_symbols_free(symbols);
    if (m_numLockMask == 0)
        m_numLockMask = XCB_MOD_MASK_2;
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11GlobalHotKey::~X11GlobalHotKey()
{
    if (auto* app = QCoreApplication::instance())
        app->removeNativeEventFilter(this);
    const auto grabs = m_grabs;
    for (const Grab& g : grabs)
        ungrab(g);
}

unsigned short X11GlobalHotKey::lockVariants(int index) const
{
    unsigned short mask = 0;
    if (index & 1)
        mask |= XCB_MOD_MASK_LOCK;
    if (index & 2)
        mask |= m_numLockMask;
    return mask;
}

bool X11GlobalHotKey::registerKey(int id, QKeyCombination key)
{
    const xcb_keysym_t keysym = keysymOf(key.key());
    if (keysym == 0)
        return false;
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(m_connection);
    if (symbols == nullptr)
        return false;
    xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, keysym);
    xcb_key_symbols_free(symbols);
    if (codes == nullptr || codes[0] == 0) {
        std::free(codes);
        return false;
    }
    const Grab grab{id, codes[0], modifierMask(key.keyboardModifiers())};
    std::free(codes);

    bool refused = false;
    xcb_void_cookie_t cookies[4];
    for (int i = 0; i < 4; ++i)
        cookies[i] = xcb_grab_key_checked(m_connection, 1, m_root,
                                          grab.modifiers | lockVariants(i), grab.keycode,
                                          XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    for (auto& cookie : cookies) {
        if (xcb_generic_error_t* error = xcb_request_check(m_connection, cookie)) {
            refused = true;  // BadAccess: another client holds the key
            std::free(error);
        }
    }
    if (refused) {
        ungrab(grab);
        return false;
    }
    m_grabs.append(grab);
    return true;
}

void X11GlobalHotKey::ungrab(const Grab& grab)
{
    for (int i = 0; i < 4; ++i)
        xcb_ungrab_key(m_connection, grab.keycode, m_root, grab.modifiers | lockVariants(i));
    xcb_flush(m_connection);
}

void X11GlobalHotKey::unregisterKey(int id)
{
    for (qsizetype i = m_grabs.size() - 1; i >= 0; --i) {
        if (m_grabs[i].id == id) {
            ungrab(m_grabs[i]);
            m_grabs.removeAt(i);
        }
    }
}

bool X11GlobalHotKey::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t" || message == nullptr)
        return false;
    auto* event = static_cast<xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_KEY_PRESS)
        return false;
    auto* press = reinterpret_cast<xcb_key_press_event_t*>(event);
    const unsigned short state =
        press->state & ~(XCB_MOD_MASK_LOCK | m_numLockMask) & 0xff;
    for (const Grab& g : m_grabs) {
        if (g.keycode == press->detail && g.modifiers == state) {
            emit pressed(g.id);
            return true;
        }
    }
    return false;
}
