#include "simulator/request_log.h"

#include <cstdio>
#include <ctime>

#include "serverlink/field_list.h"
#include "simulator/control_escape.h"

namespace zol {

void RequestLog::Add(int connectionId, std::string frame) {
    if (entries_.size() >= kCapacity) {
        entries_.pop_front();
    }
    entries_.push_back({std::chrono::system_clock::now(), connectionId, std::move(frame)});
}

std::string RequestLog::Describe(const LoggedRequest& entry) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(entry.arrival);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(entry.arrival.time_since_epoch())
            .count() %
        1000;
    std::tm parts{};
    localtime_r(&seconds, &parts);
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02dT%02d:%02d:%02d.%03lld", parts.tm_year + 1900,
                  parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec,
                  static_cast<long long>(millis));

    std::vector<FieldValue> fields;
    std::vector<std::string> texts;
    if (entry.frame.size() != 16 && DecodeFieldList(entry.frame, fields) == kFieldListOk) {
        for (const FieldValue& field : fields) {
            texts.push_back(field.text);
        }
    } else {
        texts.push_back(entry.frame);
    }
    return std::string(stamp) + " " + std::to_string(entry.connectionId) + " " +
           JoinControlFields(texts);
}

}  // namespace zol
