#include "client/model/reply_fields.h"

namespace zol {

int ReplyFields::Decode(std::string_view message) {
    message_.assign(message);
    const int code = DecodeFieldSpans(message_, spans_);
    if (code != kFieldListOk)
        message_.clear();
    return code;
}

int ReplyFields::DecodeNested(std::int64_t position, ReplyFields& nested) const {
    return nested.Decode(Text(position));
}

std::string_view ReplyFields::Text(std::int64_t position) const {
    if (!Has(position))
        return {};
    const FieldSpan& span = spans_[static_cast<std::size_t>(position - 1)];
    return std::string_view(message_).substr(span.offset, span.length);
}

FieldDateTimeValue ReplyFields::DateTime(std::int64_t position) const {
    FieldDateTimeValue value;
    ParseFieldDateTime(Text(position), value);
    return value;
}

}  // namespace zol
