// The small JSON reader of the cloud relay. It reads the first JSON object
// or array of a text and yields its top-level members in order as (name,
// value text) pairs: a string value without its quotes and with its escapes
// resolved, a number, true, false or null as written, and an object or array
// as an empty value text with its members (array elements: empty names) as
// the child list. Text after the first complete value is not read, so two
// messages run together yield the members of the first.
// Pure functions; safe from any thread (no reader state is shared).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zol {

struct JsonMember {
    std::string name;
    std::string value;
    std::vector<JsonMember> children;
};

enum JsonError : int {
    kJsonOk = 0,
    kJsonBadStart = 1,       // first non-blank character is not '{' or '['
    kJsonUnexpectedEnd = 2,  // the text ends inside the value
    kJsonBadValue = 3,       // not a string, number, literal, object or array
    kJsonExpectedName = 4,   // an object member does not start with a string
    kJsonExpectedColon = 5,
    kJsonExpectedComma = 6,
    kJsonBadEscape = 7,
    kJsonTooDeep = 8,  // more nesting than kMaxJsonDepth
};

inline constexpr int kMaxJsonDepth = 64;

// Fills `members` and returns kJsonOk, or returns an error with `members`
// left empty.
int ReadJson(std::string_view text, std::vector<JsonMember>& members);

// The first member named exactly `name`, or nullptr.
const JsonMember* FindJsonMember(const std::vector<JsonMember>& members, std::string_view name);

}  // namespace zol
