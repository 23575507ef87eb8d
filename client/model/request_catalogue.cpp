#include "client/model/request_catalogue.h"

#include <algorithm>

#include "client/model/design_entry.h"
#include "client/model/load_limits.h"
#include "client/model/load_request.h"
#include "client/model/request_channel.h"
#include "client/model/server_error.h"
#include "client/model/start_requests.h"

namespace zol {

namespace {

// Appends the objects of one "GetDesign" part.
int DecodeDesignPart(LoadRequest& request, int serverMajor, Design& design) {
    ReplyFields reply;
    if (int code = request.Decode(reply))
        return code;
    ReplyFields entries;
    if (int code = reply.DecodeNested(4, entries))
        return request.DecodeFailed(code);
    for (std::int64_t i = 1; i <= entries.Count(); ++i) {
        if (design.objects.size() >= static_cast<std::size_t>(kMaxDesignObjects)) {
            return request.LimitReached(kMaxDesignObjects, "objects");
        }
        ReplyFields fields;
        if (int code = entries.DecodeNested(i, fields))
            return request.DecodeFailed(code);
        auto object = std::make_unique<DesignObject>();
        DecodeDesignObject(fields, serverMajor, *object);
        design.objects.push_back(std::move(object));
    }
    return 0;
}

int LoadDesignParts(RequestChannel& channel, int serverMajor, Design& design,
                    std::string& failureText) {
    LoadRequest request(channel, "ZOLApp.GetDesign", failureText);
    for (int part = 0;; ++part) {
        if (part == kMaxDesignParts) {
            return request.LimitReached(kMaxDesignParts, "parts");
        }
        if (int error = request.Send(DesignPartRequest(part)))
            return error;
        if (request.ResultCode() != 0)
            return 0;  // the design is complete
        if (int code = DecodeDesignPart(request, serverMajor, design))
            return code;
    }
}

// The title, or the failure of its request.
int LoadDesignTitle(RequestChannel& channel, Design& design, std::string& failureText) {
    LoadRequest request(channel, "ZOL.GetDesignTitle", failureText);
    ReplyFields reply;
    if (int code = request.Exchange(DesignTitleRequest(), &reply))
        return code;
    design.designTitle = reply.Text(4);
    return 0;
}

// Nothing about the cloud token stops the load: a failed or empty answer
// keeps the token the client has, so a later relay connect still works.
void RefreshCloudToken(RequestChannel& channel, std::string& cloudToken) {
    std::string ignored;
    LoadRequest request(channel, "ZOLApp.GetCloudToken", ignored);
    if (request.Send(CloudTokenRequest()) != 0 || request.ResultCode() != 0)
        return;
    ReplyFields reply;
    if (request.Decode(reply) == 0 && !reply.Text(4).empty())
        cloudToken = reply.Text(4);
}

}  // namespace

int RequestTimeStamp(RequestChannel& channel, std::string& designName, std::string& designTime,
                     std::string& failureText) {
    LoadRequest request(channel, "ZOLApp.TimeStamp", failureText);
    ReplyFields reply;
    if (int code = request.Exchange(FieldList{"ZOLApp", "TimeStamp"}.Message(), &reply))
        return code;
    designName = reply.Text(4);
    designTime = reply.Text(5);
    return 0;
}

int RequestReferenceDpi(RequestChannel& channel, std::int32_t& dpi, std::string& failureText) {
    LoadRequest request(channel, "ZOLApp.GetReferenceDPI", failureText);
    if (int error = request.Send(ReferenceDpiRequest()))
        return error;
    if (request.ResultCode() == kServerUnknownRequest) {
        dpi = kDefaultReferenceDpi;
        return 0;
    }
    if (request.ResultCode() != 0)
        return request.Failed();
    ReplyFields reply;
    if (int code = request.Decode(reply))
        return code;
    // The DPI divides screen sizes later; nothing at or below zero can.
    dpi = reply.Number(4) > 0 ? reply.Number(4) : kDefaultReferenceDpi;
    return 0;
}

int LoadDesign(RequestChannel& channel, int serverMajor, Design& design, std::string& cloudToken,
               std::string& failureText) {
    if (int code = LoadDesignParts(channel, serverMajor, design, failureText))
        return code;
    if (int code = LoadDesignTitle(channel, design, failureText))
        return code;
    RefreshCloudToken(channel, cloudToken);
    return 0;
}

int LoadModeAndScheduleNames(RequestChannel& channel, Design& design, std::string& failureText) {
    {
        LoadRequest request(channel, "ZOLApp.GetHomeModeNames", failureText);
        ReplyFields reply;
        if (int code = request.Exchange(FieldList{"ZOLApp", "GetHomeModeNames"}.Message(), &reply))
            return code;
        for (int i = 0; i < kMaxHomeModeNames; ++i)
            design.homeModeNames[static_cast<std::size_t>(i)] = reply.Text(4 + i);
        design.homeModeCount =
            static_cast<std::int32_t>(std::max<std::int64_t>(0, reply.Count() - 3));
    }
    LoadRequest request(channel, "ZOLApp.GetScheduleNames", failureText);
    ReplyFields reply;
    if (int code = request.Exchange(FieldList{"ZOLApp", "GetScheduleNames"}.Message(), &reply))
        return code;
    const std::int64_t pairs = std::max<std::int64_t>(0, reply.Count() - 3) / 2;
    design.scheduleCount = static_cast<std::int32_t>(std::min<std::int64_t>(pairs, kMaxSchedules));
    for (int i = 0; i < kMaxSchedules; ++i) {
        const bool kept = i < design.scheduleCount;
        design.scheduleNumbers[static_cast<std::size_t>(i)] = kept ? reply.Number(4 + 2 * i) : 0;
        design.scheduleNames[static_cast<std::size_t>(i)] =
            kept ? reply.Text(5 + 2 * i) : std::string_view();
    }
    return 0;
}

int ReadServerStatus(RequestChannel& channel, ServerStatus& status, std::string& failureText) {
    LoadRequest request(channel, "ZOLApp.GetServerStatus", failureText);
    ReplyFields reply;
    if (int code = request.Exchange(FieldList{"ZOLApp", "GetServerStatus"}.Message(), &reply))
        return code;
    const std::int32_t state = reply.Number(4);
    status.state = state == 1 ? 2 : state == 2 ? 3 : 1;
    for (std::size_t i = 0; i < status.numbers.size(); ++i)
        status.numbers[i] = reply.Number(5 + static_cast<std::int64_t>(i));
    status.snapshot = {reply.DateTime(10), reply.DateTime(11), reply.DateTime(12),
                       reply.DateTime(13)};
    return 0;
}

int RequestServerStatus(RequestChannel& channel, std::string_view clientName, ServerStatus& status,
                        std::string& failureText) {
    if (int code = ReadServerStatus(channel, status, failureText))
        return code;
    LoadRequest request(channel, "ZOLApp.SetClientOptions", failureText);
    return request.Exchange(
        FieldList{"ZOLApp", "SetClientOptions", kClientOptionsValue, clientName}.Message(),
        nullptr);
}

}  // namespace zol
