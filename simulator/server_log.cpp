#include "simulator/server_log.h"

#include "simulator/wire_time.h"

namespace zol {

void ServerLog::Add(int kind, std::string text, std::chrono::system_clock::time_point when) {
    if (entries_.size() >= kCapacity) {
        entries_.pop_front();
    }
    if (text.size() > kMaxTextBytes) {
        text.resize(kMaxTextBytes);
    }
    entries_.push_back({nextNumber_++, FormatWireDateTime(when), kind, std::move(text)});
}

}  // namespace zol
