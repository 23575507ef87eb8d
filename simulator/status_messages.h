// The server-status and extended-status messages: answered on request and
// pushed when they change.
#pragma once

#include <array>
#include <chrono>
#include <string>

#include "simulator/field_builder.h"
#include "simulator/request_router.h"

namespace zol {

// Fields 4 to 13 of "GetServerStatus": state, five numbers, server time, up
// since, sunrise, sunset.
void AddServerStatusFields(FieldBuilder& fields, const SimServerState& state,
                           std::chrono::system_clock::time_point now);

// The five status numbers; the third and fourth report the current home
// mode (its position) and schedule (its number).
std::array<int, 5> ServerStatusNumbers(const SimDesign& design);

// Fields 4 onward of "GetExtServerStatus" and of the "ExtServerStatus" push.
void AddExtendedStatusFields(FieldBuilder& fields, const SimServerState& state,
                             std::chrono::system_clock::time_point now);

std::string EncodeServerStatusPush(const SimDesign& design);
std::string EncodeExtendedStatusPush(const SimServerState& state,
                                     std::chrono::system_clock::time_point now);

}  // namespace zol
