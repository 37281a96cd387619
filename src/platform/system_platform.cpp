#include "platform/system_platform.h"

#include "platform/x11_hot_key.h"

std::unique_ptr<GlobalHotKey> makeSystemHotKey()
{
    if (X11GlobalHotKey* x11 = X11GlobalHotKey::create())
        return std::unique_ptr<GlobalHotKey>(x11);
    return std::make_unique<NoGlobalHotKey>();
}
