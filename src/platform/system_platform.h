#pragma once

// The real adapters of the system the program runs on.

#include "platform/event_pump.h"
#include "platform/hot_key.h"
#include "platform/local_address.h"
#include "platform/single_instance.h"
#include "platform/udp_endpoint.h"

#include <memory>

// The X11 key grab when the application runs on X11, otherwise the version
// that refuses every key.
std::unique_ptr<GlobalHotKey> makeSystemHotKey();
