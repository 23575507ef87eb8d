#include "serverlink/frame_splitter.h"

#include <algorithm>

#include "platform/ascii_text.h"
#include "serverlink/field_list.h"

namespace zol {
namespace {

constexpr std::string_view kGreetingPrefix = "ZOL";
constexpr std::string_view kHeaderEnd = "    ";
constexpr std::size_t kHeaderEntryLength = 4;

// The bytes could still grow into "ZOL...": "Z" or "ZO" alone.
bool IsPartialGreetingPrefix(std::string_view bytes) {
    return bytes.size() < kGreetingPrefix.size() && kGreetingPrefix.starts_with(bytes);
}

SplitResult Broken(std::size_t consumed, std::string reason) {
    return SplitResult{consumed, true, std::move(reason)};
}

}  // namespace

bool IsGreetingFrame(std::string_view bytes) {
    return bytes.size() == kGreetingFrameLength && bytes.starts_with(kGreetingPrefix);
}

SplitResult SplitFrames(std::string_view bytes, bool binding,
                        const std::function<void(std::string_view, FrameKind)>& onFrame) {
    std::size_t position = 0;
    while (position < bytes.size()) {
        std::string_view rest = bytes.substr(position);
        if (binding) {
            onFrame(rest, FrameKind::Binding);
            position = bytes.size();
            break;
        }
        if (rest.starts_with(kGreetingPrefix)) {
            if (rest.size() < kGreetingFrameLength) {
                break;
            }
            onFrame(rest.substr(0, kGreetingFrameLength), FrameKind::Greeting);
            position += kGreetingFrameLength;
            continue;
        }
        if (IsPartialGreetingPrefix(rest)) {
            break;
        }

        // A field list: its last header entry, just before the four blanks,
        // is the frame's length. Sixteen waiting bytes are not a frame merely
        // because there are sixteen: a field list arriving in pieces would
        // be cut apart.
        std::size_t headerEnd = rest.find(kHeaderEnd);
        if (headerEnd == std::string_view::npos) {
            if (rest.size() >= kMaxFieldListLength) {
                return Broken(position, "no field-list header end within 9999 bytes");
            }
            break;
        }
        if (headerEnd == 0) {
            onFrame(rest.substr(0, kHeaderEnd.size()), FrameKind::FieldList);
            position += kHeaderEnd.size();
            continue;
        }
        if (headerEnd % kHeaderEntryLength != 0) {
            return Broken(position, "field-list header not made of four-byte entries");
        }
        std::string_view lastEntry =
            rest.substr(headerEnd - kHeaderEntryLength, kHeaderEntryLength);
        if (!std::all_of(lastEntry.begin(), lastEntry.end(), IsDecimalDigit)) {
            return Broken(position, "field-list length \"" + std::string(lastEntry) +
                                        "\" is not four digits");
        }
        std::size_t length = static_cast<std::size_t>(ReadDecimal(lastEntry));
        if (length < headerEnd + kHeaderEnd.size()) {
            return Broken(position, "field-list length " + std::to_string(length) +
                                        " is shorter than its header");
        }
        if (length > rest.size()) {
            break;
        }
        onFrame(rest.substr(0, length), FrameKind::FieldList);
        position += length;
    }
    return SplitResult{position, false, {}};
}

}  // namespace zol
