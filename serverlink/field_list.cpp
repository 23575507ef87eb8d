#include "serverlink/field_list.h"
#include "platform/ascii_text.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <limits>

namespace zol {
namespace {

constexpr std::string_view kTerminator = "    ";

bool IsDigitOrMinus(char c) {
    return IsDecimalDigit(c) || c == '-';
}

bool AllDigitsOrMinus(std::string_view s) {
    return std::all_of(s.begin(), s.end(), IsDigitOrMinus);
}

int TwoDigits(const char* p) {
    return (p[0] - '0') * 10 + (p[1] - '0');
}

bool IsLeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return (m == 2 && IsLeapYear(y)) ? 29 : kDays[m - 1];
}

void Classify(FieldValue& value) {
    if (ParseFieldDateTime(value.text, value.dateTime)) {
        value.kind = FieldDateTime;
    } else if (AllDigitsOrMinus(value.text)) {
        value.kind = FieldNumber;
        value.number = ReadDecimal(value.text);
    } else {
        value.kind = FieldText;
    }
}

// A date-time has exactly 14 digits; anything else needs no calendar check.
bool IsDateTimeField(std::string_view text) {
    FieldDateTimeValue ignored;
    return text.size() == 14 && ParseFieldDateTime(text, ignored);
}

// Checks the header and reports each field's place: `onCount(n)` once, then
// `onField(k, start, length)` for k = 0 .. n-1 as the header is read. A
// failure code may come after some fields were reported.
template <typename OnCount, typename OnField>
int WalkFieldHeader(std::string_view message, OnCount onCount, OnField onField) {
    std::size_t terminator = message.find(kTerminator);
    if (terminator == std::string_view::npos)
        return kFieldListNoTerminator;
    if (terminator % 4 != 0)
        return kFieldListBadHeaderLength;
    std::size_t count = terminator / 4;
    onCount(count);
    const auto length = static_cast<std::int64_t>(message.size());
    std::int64_t previous = static_cast<std::int64_t>(terminator) + 4;
    for (std::size_t k = 0; k < count; ++k) {
        std::string_view entry = message.substr(4 * k, 4);
        std::int64_t end = 0;
        if (IsDecimalDigit(entry[0]) && IsDecimalDigit(entry[1]) && IsDecimalDigit(entry[2]) &&
            IsDecimalDigit(entry[3])) {
            // The usual entry, read without the general reader: every field
            // of every nested list has one.
            end = (entry[0] - '0') * 1000 + (entry[1] - '0') * 100 + (entry[2] - '0') * 10 +
                  (entry[3] - '0');
        } else {
            if (!AllDigitsOrMinus(entry))
                return kFieldListBadHeaderChar;
            end = ReadDecimal(entry);
        }
        if (end > length)
            return kFieldListOffsetPastEnd;
        // A negative offset ("-123") would otherwise start the next field
        // before the message; no field starts before byte 0.
        std::int64_t start = std::max<std::int64_t>(previous, 0);
        const std::int64_t fieldLength = end > start ? end - start : 0;
        onField(k, static_cast<std::size_t>(fieldLength > 0 ? start : 0),
                static_cast<std::size_t>(fieldLength));
        previous = end;
    }
    return kFieldListOk;
}

}  // namespace

std::int32_t ReadDecimal(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && text[i] == '-') {
        negative = true;
        ++i;
    }
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; i < text.size() && IsDecimalDigit(text[i]); ++i) {
        value = std::min<std::int64_t>(value * 10 + (text[i] - '0'), kLimit);
    }
    if (negative)
        value = -value;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

void AppendField(std::string_view field, int totalCount, std::string& header, std::string& data) {
    data.append(field);
    if (!header.empty())
        header.resize(header.size() - std::min(header.size(), kTerminator.size()));
    char entry[16];
    long long end = static_cast<long long>(data.size()) + 4LL * totalCount + 4;
    int n = std::snprintf(entry, sizeof entry, "%04lld", end);
    header.append(entry, static_cast<std::size_t>(n));
    header.append(kTerminator);
}

FieldList::FieldList(std::initializer_list<std::string_view> fields)
    : totalCount_(static_cast<int>(fields.size())) {
    for (std::string_view f : fields)
        Add(f);
}

FieldList& FieldList::Add(std::string_view field) {
    AppendField(field, totalCount_, header_, data_);
    return *this;
}

FieldList& FieldList::Add(std::int64_t number) {
    return Add(std::to_string(number));
}

std::string FieldList::Message() const {
    if (header_.empty())
        return std::string(kTerminator);
    std::string message;
    message.reserve(header_.size() + data_.size());
    message.append(header_).append(data_);
    return message;
}

bool ParseFieldDateTime(std::string_view text, FieldDateTimeValue& dateTime) {
    dateTime = FieldDateTimeValue{};
    if (text.size() != 14 || !std::all_of(text.begin(), text.end(), IsDecimalDigit))
        return false;
    const char* p = text.data();
    int year = TwoDigits(p) * 100 + TwoDigits(p + 2);
    int month = TwoDigits(p + 4);
    int day = TwoDigits(p + 6);
    int hour = TwoDigits(p + 8);
    int minute = TwoDigits(p + 10);
    int second = TwoDigits(p + 12);
    if (year < 100 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) ||
        hour > 23 || minute > 59 || second > 59) {
        return false;
    }
    dateTime = FieldDateTimeValue{year, month, day, hour, minute, second, true};
    return true;
}

int DecodeFieldSpans(std::string_view message, std::vector<FieldSpan>& spans) {
    spans.clear();
    const int code = WalkFieldHeader(
        message, [&spans](std::size_t count) { spans.resize(count); },
        [&spans](std::size_t k, std::size_t start, std::size_t length) {
            spans[k] = {start, length};
        });
    if (code != kFieldListOk)
        spans.clear();
    return code;
}

int DecodeFieldList(std::string_view message, std::vector<FieldValue>& values) {
    values.clear();
    const int code = WalkFieldHeader(
        message, [&values](std::size_t count) { values.resize(count); },
        [&values, message](std::size_t k, std::size_t start, std::size_t length) {
            values[k].text.assign(message.substr(start, length));
            Classify(values[k]);
        });
    if (code != kFieldListOk)
        values.clear();
    return code;
}

std::int32_t FieldNumberOf(std::string_view text) {
    return !IsDateTimeField(text) && AllDigitsOrMinus(text) ? ReadDecimal(text) : 0;
}

}  // namespace zol
