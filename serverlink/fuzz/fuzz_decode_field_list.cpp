// Feeds arbitrary bytes to the decoder and checks what it promises: no read
// outside the message, codes 0..4 only, and on success every field's text is
// a piece of the message and its kind agrees with its text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "serverlink/field_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view message(reinterpret_cast<const char*>(data), size);
    std::vector<zol::FieldValue> values;
    int rc = zol::DecodeFieldList(message, values);
    if (rc < 0 || rc > 4) std::abort();
    if (rc != 0) {
        if (!values.empty()) std::abort();
        return 0;
    }
    for (const auto& v : values) {
        if (!v.text.empty() && message.find(v.text) == std::string_view::npos) std::abort();
        if (v.kind == zol::FieldDateTime && (!v.dateTime.valid || v.text.size() != 14)) std::abort();
        if (v.kind != zol::FieldNumber && v.number != 0) std::abort();
    }
    // Re-encoding the decoded texts must decode to the same texts.
    zol::FieldList rebuilt(static_cast<int>(values.size()));
    for (const auto& v : values) rebuilt.Add(v.text);
    std::string again = rebuilt.Message();
    if (again.size() <= zol::kMaxFieldListLength) {
        std::vector<zol::FieldValue> second;
        // Texts holding four blanks would end the rebuilt header early only if
        // the header itself had none; the header never does, so this decodes.
        if (zol::DecodeFieldList(again, second) != 0 || second.size() != values.size()) std::abort();
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (second[i].text != values[i].text) std::abort();
        }
    }
    return 0;
}
