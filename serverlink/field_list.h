// The field-list codec: every message body exchanged with the server (apart
// from the 16-byte greeting frames) is a FieldList, an ordered list of text
// fields behind a header of four-digit decimal end offsets and four blanks.
//
//   "0018" "0027" "    " "ZOLApp" "TimeStamp"   (27 bytes)
//
// Pure functions without state; safe to call from any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace zol {

// A message is at most this long, header included (four-digit offsets).
inline constexpr std::size_t kMaxFieldListLength = 9999;

enum FieldKind : std::int32_t {
    FieldNumber = 0,
    FieldDateTime = 1,
    FieldText = 2,
};

// A calendar date-time to the second, as carried in 14-digit fields.
struct FieldDateTimeValue {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool valid = false;

    bool operator==(const FieldDateTimeValue&) const = default;
};

// One decoded field. `text` is always the field exactly as received; `number`
// is set only for FieldNumber, `dateTime` only for FieldDateTime.
struct FieldValue {
    FieldKind kind = FieldText;
    std::int32_t number = 0;
    std::string text;
    FieldDateTimeValue dateTime;
};

// Decoder result codes.
inline constexpr int kFieldListOk = 0;
inline constexpr int kFieldListNoTerminator = 1;     // no four-blank header terminator
inline constexpr int kFieldListBadHeaderLength = 2;  // header length not a multiple of 4
inline constexpr int kFieldListBadHeaderChar = 3;    // entry holds other than '-' and digits
inline constexpr int kFieldListOffsetPastEnd = 4;    // entry points beyond the message

// Appends one field to a message under construction. `totalCount` is the
// number of fields the finished message holds, the same on every call;
// `header` and `data` start empty, and the message is header + data.
void AppendField(std::string_view field, int totalCount, std::string& header, std::string& data);

// Builds a message field by field with AppendField.
class FieldList {
  public:
    explicit FieldList(int totalCount) : totalCount_(totalCount) {}
    FieldList(std::initializer_list<std::string_view> fields);

    FieldList& Add(std::string_view field);
    FieldList& Add(std::int64_t number);

    // The finished message. With no field added it is the four blanks alone.
    std::string Message() const;

  private:
    int totalCount_;
    std::string header_;
    std::string data_;
};

// Decodes a message. On success returns 0 and replaces `values` with the
// fields; on failure returns 1..4 and leaves `values` empty. Never reads
// outside `message`.
int DecodeFieldList(std::string_view message, std::vector<FieldValue>& values);

// Where one field's text lies in its message.
struct FieldSpan {
    std::size_t offset = 0;
    std::size_t length = 0;
};

// DecodeFieldList without copying or classifying the fields: the same checks
// and codes, the texts left in place. For readers of large replies that look
// at a few fields of many.
int DecodeFieldSpans(std::string_view message, std::vector<FieldSpan>& spans);

// What FieldValue::number holds for a field of this text: its value when the
// field is a number (not a date-time), else 0.
std::int32_t FieldNumberOf(std::string_view text);

// Recognises the 14-digit form YYYYMMDDhhmmss of a valid Gregorian date-time
// (year 100..9999).
bool ParseFieldDateTime(std::string_view text, FieldDateTimeValue& dateTime);

// Reads a text as the C library's decimal conversion does: an optional minus,
// then digits up to the first other character; no digits give 0. Values
// beyond 32 bits saturate instead of overflowing.
std::int32_t ReadDecimal(std::string_view text);

}  // namespace zol
