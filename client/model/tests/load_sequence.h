// The loading part of the GUI's connect sequence, straight through: what
// the end-to-end tests and the load benchmark run against zolsim.
#pragma once

#include <string>

#include "client/model/display_loader.h"
#include "client/model/request_catalogue.h"

namespace zol::testing {

struct LoadedHouse {
    std::int32_t referenceDpi = 0;
    Design design;
    std::string cloudToken;
    ServerStatus status;
};

// Reference DPI, design, displays and tiles, mode and schedule names,
// server status: 0, or the first failure with its text.
inline int LoadHouse(RequestChannel& channel, UserReporter& reporter,
                     const DisplayLoadContext& context, LoadedHouse& house, std::string& failure) {
    if (int code = RequestReferenceDpi(channel, house.referenceDpi, failure))
        return code;
    if (int code = LoadDesign(channel, context.server.serverMajor, house.design, house.cloudToken,
                              failure))
        return code;
    DisplayList displays;
    if (int code = LoadDisplays(channel, reporter, context, displays, failure))
        return code;
    if (int code = LoadModeAndScheduleNames(channel, house.design, failure))
        return code;
    house.design.AppendDisplays(std::move(displays));
    return RequestServerStatus(channel, "Model test", house.status, failure);
}

}  // namespace zol::testing
