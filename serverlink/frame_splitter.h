// Cutting the server's byte stream into frames. The stream has no length
// prefix of its own: a 16-byte greeting frame begins with ZOL, and a field
// list's length is its last header entry, the four digits before the four
// blanks that end the header. Pure functions; the server link feeds them the
// bytes of its stream buffer.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace zol {

inline constexpr std::size_t kGreetingFrameLength = 16;

enum class FrameKind {
    Greeting,   // 16 bytes beginning with ZOL
    FieldList,  // a field list, cut at the length in its header
    Binding,    // everything waiting while the relay binds the connection
};

struct SplitResult {
    std::size_t consumed = 0;  // bytes cut into frames (or dropped, see below)
    bool protocolError = false;
    std::string reason;  // what was wrong, when protocolError is set
};

// True for a 16-byte frame that begins with ZOL.
bool IsGreetingFrame(std::string_view bytes);

// Cuts complete frames from the front of `bytes` and hands each to `onFrame`,
// in order. An incomplete frame at the end stays (not counted in consumed).
// A header whose last entry is not a usable length, or 9,999 bytes without a
// header terminator, is a protocol error: the pass stops there, and the
// stream cannot be trusted any more.
SplitResult SplitFrames(std::string_view bytes, bool binding,
                        const std::function<void(std::string_view, FrameKind)>& onFrame);

}  // namespace zol
