// The decoded fields of a reply, or of a list nested in one field, read by
// their 1-based position. A position the message does not reach (even one
// computed from a wild count) reads as an empty text and the number 0.
//
// The fields stay in the message and are classified only when read: a large
// reply is mostly nested lists of which each field is read once.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "serverlink/field_list.h"

namespace zol {

class ReplyFields {
  public:
    ReplyFields() = default;

    // Decodes `message`; 0, or the decoder's code (the fields stay empty).
    int Decode(std::string_view message);
    // Decodes the text of field `position` as a list of its own.
    int DecodeNested(std::int64_t position, ReplyFields& nested) const;

    std::int64_t Count() const { return static_cast<std::int64_t>(spans_.size()); }
    bool Has(std::int64_t position) const { return position >= 1 && position <= Count(); }
    // Valid while this object lives and is not decoded again.
    std::string_view Text(std::int64_t position) const;
    // The field's number: 0 for a field that is not a decimal number.
    std::int32_t Number(std::int64_t position) const { return FieldNumberOf(Text(position)); }
    // The field's date-time; not valid unless it is one.
    FieldDateTimeValue DateTime(std::int64_t position) const;

  private:
    std::string message_;
    std::vector<FieldSpan> spans_;
};

}  // namespace zol
