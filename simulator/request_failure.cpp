#include "simulator/request_failure.h"

#include <vector>

#include "serverlink/field_list.h"
#include "simulator/field_builder.h"

namespace zol {

namespace {

// Fields before the results: result code, object and method names.
constexpr std::size_t kReplyHeadFields = 3;

// A header entry that points beyond the end of its list.
constexpr std::string_view kUndecodableList = "0099    x";

bool IsNestedList(const std::string& text) {
    std::vector<FieldValue> fields;
    return DecodeFieldList(text, fields) == kFieldListOk && !fields.empty();
}

}  // namespace

std::string BreakNestedLists(std::string_view reply) {
    std::vector<FieldValue> fields;
    if (DecodeFieldList(reply, fields) != kFieldListOk) {
        return std::string(reply);
    }
    FieldBuilder broken;
    bool anyNested = false;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::string& text = fields[i].text;
        if (i >= kReplyHeadFields && IsNestedList(text)) {
            // The last header entry is the list's length; one byte less and
            // it points beyond the end.
            broken.Add(std::string_view(text).substr(0, text.size() - 1));
            anyNested = true;
        } else {
            broken.Add(text);
        }
    }
    if (anyNested) {
        return broken.Message();
    }
    FieldBuilder replaced;
    for (std::size_t i = 0; i < kReplyHeadFields && i < fields.size(); ++i) {
        replaced.Add(fields[i].text);
    }
    replaced.Add(kUndecodableList);
    for (std::size_t i = kReplyHeadFields + 1; i < fields.size(); ++i) {
        replaced.Add(fields[i].text);
    }
    return replaced.Message();
}

}  // namespace zol
