// What a push acts on besides the design: the main frame's navigation,
// status and connection, and the view. The main frame implements it; tests
// pass a recording fake, so the dispatch runs without widgets.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace zol {

struct Design;

class DispatchTarget {
  public:
    virtual ~DispatchTarget() = default;

    virtual bool ConnectInProgress() const = 0;
    virtual int ServerMajor() const = 0;
    virtual Design& CurrentDesign() = 0;

    // The display the view shows (0 none) and the top of the history.
    virtual std::int32_t CurrentDisplayId() const = 0;
    virtual std::int32_t HistoryTop() const = 0;
    // The main frame's show-display rules, with the force flag.
    virtual void ShowDisplay(std::int32_t displayId, bool force) = 0;
    // Makes `displayId` the timed display and (re)starts timer 15.
    virtual void StartTimedDisplay(std::int32_t displayId, std::int64_t milliseconds) = 0;
    // Posts UI command 9 (back).
    virtual void PostBack() = 0;

    // The view: tiles of the current display that show an object or display,
    // tiles by name, the whole current display.
    virtual void ObjectChanged(std::int32_t id) = 0;
    virtual void UpdateTilesNamed(std::string_view tileName) = 0;
    virtual void RefreshCurrentDisplay() = 0;

    virtual void WakeScreen() = 0;
    virtual void SetServerStatus(std::int32_t kind, const std::array<std::int32_t, 5>& numbers) = 0;

    // "ClientOperation" 0 (reset and connect again) and 1 (exit); both wait
    // for the outer event loop when a modal window is open.
    virtual void ResetConnection() = 0;
    virtual void RequestExit() = 0;
    // "UserDialog": the whole push, for the server-driven dialog it asks for.
    virtual void OpenUserDialog(std::string_view message) = 0;
};

}  // namespace zol
