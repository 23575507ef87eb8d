#include "simulator/frame_reader.h"

#include <cctype>

#include "serverlink/field_list.h"
#include "simulator/greeting.h"

namespace zol {

namespace {

constexpr std::string_view kTerminator = "    ";

bool IsDigits(std::string_view text) {
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}

}  // namespace

FrameReader::Status FrameReader::Next(std::string& frame) {
    if (buffer_.empty()) {
        return Status::kNeedMore;
    }
    const std::string_view head(buffer_.data(), std::min<std::size_t>(buffer_.size(), 3));
    if (std::string_view("ZOL").substr(0, head.size()) == head) {
        if (buffer_.size() < kGreetingLength) {
            return Status::kNeedMore;
        }
        frame = buffer_.substr(0, kGreetingLength);
        buffer_.erase(0, kGreetingLength);
        return Status::kFrame;
    }
    // Only the first 9,999 bytes can hold a header; a terminator further on
    // belongs to a stream that is not field lists.
    const std::size_t searched = std::min(buffer_.size(), kMaxFieldListLength);
    const std::size_t terminator = std::string_view(buffer_.data(), searched).find(kTerminator);
    if (terminator == std::string_view::npos) {
        return buffer_.size() >= kMaxFieldListLength ? Status::kMalformed : Status::kNeedMore;
    }
    std::size_t length = kTerminator.size();  // the empty list: four blanks alone
    if (terminator > 0) {
        const std::string_view entry(buffer_.data() + terminator - 4, 4);
        if (terminator % 4 != 0 || !IsDigits(entry)) {
            return Status::kMalformed;
        }
        length = static_cast<std::size_t>(ReadDecimal(entry));
        if (length < terminator + kTerminator.size()) {
            return Status::kMalformed;
        }
    }
    if (length > buffer_.size()) {
        return Status::kNeedMore;
    }
    frame = buffer_.substr(0, length);
    buffer_.erase(0, length);
    return Status::kFrame;
}

}  // namespace zol
