// The "UserDialogReport" request that answers a server-driven dialog, and
// the sink it goes out through. Reports are sent without waiting for the
// reply; a failure to send is not shown to anyone.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zol {

class ServerLink;

inline constexpr int kReportActivity = 0;
inline constexpr int kReportFinal = 1;
inline constexpr int kClosedOk = 1;
inline constexpr int kClosedCancel = 2;  // cancelled, No, timed out, or not shown

struct UserDialogReport {
    int reportKind = kReportFinal;
    int closingCode = kClosedCancel;
    std::int32_t dialogId = 0;
    int answerType = 0;
    std::string answer;

    // "ZOLApp", "UserDialogReport" and the five fields.
    std::string Message() const;
    // The report telling that the user started to respond: all numbers 0.
    static UserDialogReport Activity() { return {kReportActivity, 0, 0, 0, {}}; }
};

class UserDialogReportSink {
  public:
    virtual ~UserDialogReportSink() = default;
    virtual void Send(const UserDialogReport& report) = 0;
};

// Sends on the client's server link with the no-wait option.
class LinkReportSink : public UserDialogReportSink {
  public:
    explicit LinkReportSink(ServerLink& link) : link_(link) {}
    void Send(const UserDialogReport& report) override;

  private:
    ServerLink& link_;
};

}  // namespace zol
