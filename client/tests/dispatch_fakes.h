// A DispatchTarget that records what the pushes asked of the main frame
// and the view, over a design the test builds.
#pragma once

#include <string>
#include <vector>

#include "client/core/dispatch_target.h"
#include "client/model/design.h"

namespace zol::testing {

class RecordingTarget : public DispatchTarget {
  public:
    bool ConnectInProgress() const override { return connecting; }
    int ServerMajor() const override { return serverMajor; }
    Design& CurrentDesign() override { return design; }
    std::int32_t CurrentDisplayId() const override { return current; }
    std::int32_t HistoryTop() const override { return top; }
    void ShowDisplay(std::int32_t displayId, bool force) override {
        calls.push_back("show " + std::to_string(displayId) + (force ? " force" : ""));
    }
    void StartTimedDisplay(std::int32_t displayId, std::int64_t ms) override {
        calls.push_back("timed " + std::to_string(displayId) + " " + std::to_string(ms));
    }
    void PostBack() override { calls.push_back("back"); }
    void ObjectChanged(std::int32_t id) override {
        calls.push_back("object " + std::to_string(id));
    }
    void UpdateTilesNamed(std::string_view name) override {
        calls.push_back("tiles " + std::string(name));
    }
    void RefreshCurrentDisplay() override { calls.push_back("refresh"); }
    void WakeScreen() override { calls.push_back("wake"); }
    void SetServerStatus(std::int32_t kind, const std::array<std::int32_t, 5>& n) override {
        calls.push_back("status " + std::to_string(kind) + " " + std::to_string(n[0]) + " " +
                        std::to_string(n[4]));
    }
    void ResetConnection() override { calls.push_back("reset"); }
    void RequestExit() override { calls.push_back("exit"); }
    void OpenUserDialog(std::string_view) override { calls.push_back("dialog"); }

    bool connecting = false;
    int serverMajor = 19;
    std::int32_t current = 0;
    std::int32_t top = 0;
    Design design;
    std::vector<std::string> calls;
};

}  // namespace zol::testing
