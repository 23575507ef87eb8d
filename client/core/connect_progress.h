// How the connect sequence reports to its progress window: a state per
// stage (0 to 7) and texts for its six message lines (line 0 the failure
// text, 1 to 5 information lines). The connect dialog implements it; tests
// record the reports.
#pragma once

#include <string>

namespace zol {

inline constexpr int kConnectStages = 8;
inline constexpr int kConnectInfoLines = 5;

enum class StageState : int {
    NotBegun = 0,
    Failed = 1,
    Succeeded = 2,
    Working = 3,
    Skipped = 4,
};

class ConnectProgress {
  public:
    virtual ~ConnectProgress() = default;
    virtual void ReportStage(int stage, StageState state) = 0;
    // Texts are the wire's single-byte texts.
    virtual void ReportText(int line, const std::string& text) = 0;
};

}  // namespace zol
