// The result file of zolcli: each report replaces the previous one.
#pragma once

#include <string>
#include <string_view>

namespace zol {

class ResultFile {
  public:
    explicit ResultFile(std::string path) : path_(std::move(path)) {}

    // Creates or empties the file and writes `text` without terminator. Other
    // writers that take the advisory lock are kept out while it is open. A
    // file that cannot be created is skipped: false, nothing reported.
    bool Write(std::string_view text) const;

    bool Enabled() const { return !path_.empty(); }

  private:
    std::string path_;
};

}  // namespace zol
