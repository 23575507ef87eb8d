// The settings the connection-watch task reads on its worker thread while
// the settings pages (on the user-interface thread) may change them. The
// application publishes a fresh copy whenever they change
// (CZOLClientApp::SettingsChanged); the task takes a snapshot each pass and
// never reads ClientSettings itself.
#pragma once

#include <cstdint>

#include "client/core/client_settings.h"
#include "platform/published_value.h"

namespace zol {

struct WatchSettings {
    std::int32_t keepAliveEnable = 0;
    std::int32_t keepAliveTime = 0;  // minutes between keep-alive pings
    std::int32_t autoReconnect = 0;
    std::int32_t autoReconnectTime = 0;  // seconds between reconnect attempts

    static WatchSettings From(const ClientSettings& settings) {
        return {settings.keepAliveEnable, settings.keepAliveTime, settings.autoReconnect,
                settings.autoReconnectTime};
    }

    bool operator==(const WatchSettings&) const = default;
};

using PublishedWatchSettings = Published<WatchSettings>;

}  // namespace zol
