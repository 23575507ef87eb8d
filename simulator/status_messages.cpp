#include "simulator/status_messages.h"

#include "simulator/wire_time.h"

namespace zol {

std::array<int, 5> ServerStatusNumbers(const SimDesign& design) {
    std::array<int, 5> numbers = design.serverStatus.numbers;
    numbers[2] = design.currentHomeMode;
    numbers[3] = design.currentSchedule;
    return numbers;
}

void AddServerStatusFields(FieldBuilder& fields, const SimServerState& state,
                           std::chrono::system_clock::time_point now) {
    const SimServerStatus& status = state.design.serverStatus;
    fields.Add(status.state);
    for (int number : ServerStatusNumbers(state.design)) {
        fields.Add(number);
    }
    fields.Add(FormatWireDateTime(now))
        .Add(FormatWireDateTime(state.startTime))
        .Add(TodayAtWireDateTime(status.sunrise, now))
        .Add(TodayAtWireDateTime(status.sunset, now));
}

void AddExtendedStatusFields(FieldBuilder& fields, const SimServerState& state,
                             std::chrono::system_clock::time_point now) {
    const SimExtendedStatus& status = state.design.extendedStatus;
    fields.Add(status.number)
        .Add(FormatWireDateTime(now))
        .Add(FormatWireDateTime(state.startTime))
        .Add(TodayAtWireDateTime(state.design.serverStatus.sunrise, now))
        .Add(status.upTime.empty() ? FormatUpTime(state.startTime, now) : status.upTime)
        .Add(status.firstDate)
        .Add(status.secondDate)
        .Add(status.title);
    for (const std::string& line : status.lines) {
        fields.Add(line);
    }
}

std::string EncodeServerStatusPush(const SimDesign& design) {
    FieldBuilder push;
    push.Add(0).Add("ZOLApp").Add("ServerStatus").Add(design.serverStatus.state);
    for (int number : ServerStatusNumbers(design)) {
        push.Add(number);
    }
    return push.Message();
}

std::string EncodeExtendedStatusPush(const SimServerState& state,
                                     std::chrono::system_clock::time_point now) {
    FieldBuilder push;
    push.Add(0).Add("ZOLApp").Add("ExtServerStatus");
    AddExtendedStatusFields(push, state, now);
    return push.Message();
}

}  // namespace zol
