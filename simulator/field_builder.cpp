#include "simulator/field_builder.h"

#include "serverlink/field_list.h"

namespace zol {

FieldBuilder& FieldBuilder::Add(std::string_view text) {
    fields_.emplace_back(text);
    textLength_ += text.size();
    return *this;
}

FieldBuilder& FieldBuilder::Add(std::int64_t number) {
    return Add(std::to_string(number));
}

FieldBuilder& FieldBuilder::Append(const FieldBuilder& other) {
    for (const std::string& field : other.fields_) {
        Add(field);
    }
    return *this;
}

std::string FieldBuilder::Message() const {
    FieldList list(static_cast<int>(fields_.size()));
    for (const std::string& field : fields_) {
        list.Add(field);
    }
    return list.Message();
}

}  // namespace zol
