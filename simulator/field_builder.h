// Collects the fields of one message before its count is known, then encodes
// them with the field-list codec. Nested lists (a whole field list carried as
// the text of one field) are built with a second FieldBuilder.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zol {

class FieldBuilder {
  public:
    FieldBuilder& Add(std::string_view text);
    FieldBuilder& Add(std::int64_t number);
    FieldBuilder& Add(int number) { return Add(static_cast<std::int64_t>(number)); }
    FieldBuilder& Append(const FieldBuilder& other);

    std::size_t Count() const { return fields_.size(); }
    // Length of the encoded message: four bytes per header entry, four
    // blanks, the texts.
    std::size_t EncodedLength() const { return 4 * fields_.size() + 4 + textLength_; }
    std::string Message() const;

  private:
    std::vector<std::string> fields_;
    std::size_t textLength_ = 0;
};

}  // namespace zol
