// A file being downloaded: its content goes to a temporary file beside the
// target, which replaces the target only when the download is complete. A
// transfer that fails or is cut off leaves the old file as it was.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace zol {

class PendingFile {
  public:
    explicit PendingFile(const std::filesystem::path& target) : target_(target) {}
    ~PendingFile() { Discard(); }
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // Each returns 0 or an errno value.
    int Create();
    int Write(const std::string& bytes);
    // Puts the complete file in place of the target.
    int Commit();

    std::int64_t Written() const { return written_; }

  private:
    void Discard();

    std::filesystem::path target_;
    std::filesystem::path path_;
    int fd_ = -1;
    std::int64_t written_ = 0;
};

// The size of a file and the sum of its bytes (unsigned, wrapping at 32
// bits), as the server states them; 0 and 0 for a file that cannot be read.
struct FileByteSum {
    std::int64_t size = 0;
    std::uint32_t byteSum = 0;
};
FileByteSum ReadFileByteSum(const std::filesystem::path& path);

}  // namespace zol
