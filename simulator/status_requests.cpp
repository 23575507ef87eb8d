// Requests about the house as a whole: home modes, schedules, server status,
// alerts, extended status, label formatting and the state refresh.
#include <chrono>

#include "simulator/design_entries.h"
#include "simulator/request_router.h"
#include "simulator/status_messages.h"
#include "simulator/text_formatter.h"

namespace zol {

namespace {

HandlerResult GetHomeModeNames(RequestContext& context) {
    HandlerResult result;
    for (const std::string& name : context.Design().homeModeNames) {
        result.results.Add(name);
    }
    return result;
}

HandlerResult GetScheduleNames(RequestContext& context) {
    HandlerResult result;
    for (const SimSchedule& schedule : context.Design().schedules) {
        result.results.Add(schedule.number).Add(schedule.name);
    }
    return result;
}

HandlerResult GetServerStatus(RequestContext& context) {
    HandlerResult result;
    AddServerStatusFields(result.results, context.state, std::chrono::system_clock::now());
    return result;
}

HandlerResult SetHomeMode(RequestContext& context) {
    SimDesign& design = context.Design();
    const int mode = context.Number(3);
    if (mode < 0 || mode >= static_cast<int>(design.homeModeNames.size())) {
        return HandlerResult::Code(kResultLookupError);
    }
    design.currentHomeMode = mode;
    context.Log(kLogStatus, "Home mode " + design.homeModeNames[static_cast<std::size_t>(mode)]);
    context.Push(EncodeServerStatusPush(design));
    return {};
}

// The clients name a schedule by its number (as "GetScheduleNames" lists
// it), not by its position.
HandlerResult SetCurrentSchedule(RequestContext& context) {
    SimDesign& design = context.Design();
    const int number = context.Number(3);
    if (!context.IsNumber(3) || design.FindSchedule(number) == nullptr) {
        return HandlerResult::Code(kResultLookupError);
    }
    design.currentSchedule = number;
    context.Log(kLogStatus, "Schedule " + design.FindSchedule(number)->name);
    context.Push(EncodeServerStatusPush(design));
    return {};
}

HandlerResult RefreshState(RequestContext& context) {
    // The simulator keeps no history of changes, so it reports every object.
    const SimDesign& design = context.Design();
    const int major = context.Config().versionMajor;
    for (const SimObject& object : design.objects) {
        context.Push(EncodeObjectUpdate(object, design.designTimeStamp, major),
                     PushAudience::kRequester);
    }
    return {};
}

HandlerResult FormatText(RequestContext& context) {
    HandlerResult result;
    result.results.Add(
        FormatPlaceholders(context.Text(3), context.Design(), std::chrono::system_clock::now()));
    return result;
}

HandlerResult GetAlertReport(RequestContext& context) {
    const SimDesign& design = context.Design();
    HandlerResult result;
    result.results.Add(static_cast<int>(design.alerts.size())).Add(design.alertSeverity);
    for (const SimAlertEntry& alert : design.alerts) {
        FieldBuilder entry;
        entry.Add(alert.message).Add(alert.timeStamp);
        result.results.Add(entry.Message());
    }
    return result;
}

HandlerResult GetExtServerStatus(RequestContext& context) {
    HandlerResult result;
    AddExtendedStatusFields(result.results, context.state, std::chrono::system_clock::now());
    return result;
}

}  // namespace

void RegisterStatusRequests(RequestRouter& router) {
    router.Register("GetHomeModeNames", GetHomeModeNames);
    router.Register("GetScheduleNames", GetScheduleNames);
    router.Register("GetServerStatus", GetServerStatus);
    router.Register("SetHomeMode", SetHomeMode);
    router.Register("SetCurrentSchedule", SetCurrentSchedule);
    router.Register("RefreshState", RefreshState);
    router.Register("FormatText", FormatText);
    router.Register("GetAlertReport", GetAlertReport);
    router.Register("GetExtServerStatus", GetExtServerStatus);
}

}  // namespace zol
