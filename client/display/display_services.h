// What the view and its tiles take from the program around them: the
// design, the settings, the way to the server, the person and the main
// frame. The main frame fills it from the application; tests fill it with
// fakes. Everything is used on the user-interface thread only.
#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <string_view>

#include "client/model/clock.h"
#include "client/model/icon_set.h"

namespace zol {

struct ClientSettings;
struct Design;
class ExtendedStatusReceivers;
class RequestChannel;
class UserReporter;

struct DisplayServices {
    // The document's design; null when there is none.
    std::function<Design*()> design;
    const ClientSettings* settings = nullptr;
    RequestChannel* channel = nullptr;
    UserReporter* reporter = nullptr;
    // Receives "show a display" and UI commands (the main frame).
    std::function<QObject*()> mainFrame;
    // Displays in the navigation history beyond the home display.
    std::function<int()> historyCount;
    // False while there is no connection or the design is loading: refresh
    // ticks then do nothing.
    std::function<bool()> refreshAllowed;
    // An icon set by name (ignoring case), for the default layout theme.
    IconSetLookup iconSets;
    // Makes the timers of one window (by id, as the original's timers);
    // null makes Qt timers.
    std::function<std::unique_ptr<Clock>()> makeClock;
    // Told after the view re-placed its tiles (the status bar's layout).
    std::function<void()> afterResize;
    // Where status tiles register for the server's status pushes; none
    // means they show what they read and get no pushes.
    ExtendedStatusReceivers* statusReceivers = nullptr;
    // The screen's DPI as the program uses it (settings overrides included).
    int screenDpi = 96;
};

}  // namespace zol
