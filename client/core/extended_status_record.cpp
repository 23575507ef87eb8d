#include "client/core/extended_status_record.h"

#include <algorithm>

#include "client/model/reply_fields.h"

namespace zol {

namespace {

constexpr std::int64_t kFirstLineField = 12;

}  // namespace

std::unique_ptr<ExtendedStatusRecord> MakeExtendedStatusRecord(const ReplyFields& fields) {
    auto record = std::make_unique<ExtendedStatusRecord>();
    record->number = fields.Number(4);
    for (std::size_t i = 0; i < record->dateTimes.size(); ++i)
        record->dateTimes[i] = fields.DateTime(5 + static_cast<std::int64_t>(i));
    for (std::size_t i = 0; i < record->texts.size(); ++i)
        record->texts[i] = std::string(fields.Text(8 + static_cast<std::int64_t>(i)));
    // "Number of fields minus 11" is negative for a short message.
    const std::int64_t count = std::clamp<std::int64_t>(fields.Count() - (kFirstLineField - 1), 0,
                                                        kMaxExtendedStatusLines);
    record->lines.reserve(static_cast<std::size_t>(count));
    for (std::int64_t i = 0; i < count; ++i)
        record->lines.emplace_back(fields.Text(kFirstLineField + i));
    record->lineCount = static_cast<std::int32_t>(count);
    return record;
}

}  // namespace zol
