// A request made to fail on purpose (a fault of the control port): answered
// with a chosen result code, or with its usual reply whose nested lists do
// not decode.
#pragma once

#include <string>
#include <string_view>

namespace zol {

struct RequestFailure {
    std::string method;        // the request's method name; empty: none fails
    int resultCode = 0;        // non-zero: the reply is this code and the names
    bool undecodable = false;  // the usual reply, its nested lists cut short

    bool Matches(std::string_view requestMethod) const {
        return !method.empty() && method == requestMethod;
    }
};

// `reply` with every field from the fourth on that holds a field list cut
// by its last byte, so that it no longer decodes; a reply without such a
// field gets a fourth field that does not decode.
std::string BreakNestedLists(std::string_view reply);

}  // namespace zol
