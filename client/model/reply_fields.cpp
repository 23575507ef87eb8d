#include "client/model/reply_fields.h"

namespace zol {

namespace {

const std::string kEmpty;

}  // namespace

int ReplyFields::Decode(std::string_view message) {
    return DecodeFieldList(message, values_);
}

int ReplyFields::DecodeNested(std::int64_t position, ReplyFields& nested) const {
    return nested.Decode(Text(position));
}

const FieldValue* ReplyFields::Field(std::int64_t position) const {
    return Has(position) ? &values_[static_cast<std::size_t>(position - 1)] : nullptr;
}

const std::string& ReplyFields::Text(std::int64_t position) const {
    const FieldValue* field = Field(position);
    return field ? field->text : kEmpty;
}

std::int32_t ReplyFields::Number(std::int64_t position) const {
    const FieldValue* field = Field(position);
    return field && field->kind == FieldNumber ? field->number : 0;
}

}  // namespace zol
