// Fields on the control port's lines: joined by "|", with "%" escapes
// (%7C for "|", %25 for "%", %0A for a line feed, any byte as %XX).
#pragma once

#include <string>
#include <vector>

namespace zol {

std::string JoinControlFields(const std::vector<std::string>& fields);

// Splits at "|" and undoes the escapes; a malformed escape stays as written.
std::vector<std::string> SplitControlFields(const std::string& text);

}  // namespace zol
