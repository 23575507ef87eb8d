// DailyLog: a plain-text trace kept in one file per calendar day
// ("<folder>/<base>_MMDD.log"), pruned of old days when opened, appended to
// with "\r\n" line ends and flushed after every entry so it survives a crash.
//
// Thread-safety: every member may be called from any thread; one entry is
// written whole before another thread's entry starts.
#pragma once

#include <ctime>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>

namespace zol {

class DailyLog {
  public:
    // Supplies the current local date and time (tests pass a fixed day).
    using LocalClock = std::function<std::tm()>;

    // `keepDays` is the retention N: opening deletes the files of the days
    // N, N+1 and N+2 before today; 0 or less deletes nothing.
    DailyLog(std::filesystem::path folder, int keepDays, LocalClock clock = LocalNow);
    ~DailyLog();
    DailyLog(const DailyLog&) = delete;
    DailyLog& operator=(const DailyLog&) = delete;

    // Prunes, opens (or creates) today's file for appending and writes the
    // separator line. False when the file cannot be opened or another writer
    // holds it; the log then stays closed and writes do nothing.
    bool OpenDailyLog(std::string_view baseName);
    void Close();
    bool IsOpen() const;
    std::filesystem::path CurrentFile() const;

    // One entry: with `timeStamp` an "hh:mm:ss " prefix (placed after any
    // leading CR/LF characters of the text), with `lineEnd` a closing "\r\n".
    void WriteLogText(std::string_view text, bool lineEnd, bool timeStamp);
    // One time-stamped entry of raw bytes, always ended with "\r\n".
    void WriteLogLine(std::string_view bytes);

    // The base name with each of < > : / \ | ? * and '.' replaced by '_'.
    static std::string CleanBaseName(std::string_view baseName);
    // "<folder>/<cleanBase>_MMDD.log".
    static std::filesystem::path LogFilePath(const std::filesystem::path& folder,
                                             std::string_view cleanBase, int month, int day);
    static std::tm LocalNow();

  private:
    void PruneOldFiles(std::string_view cleanBase, const std::tm& today) const;
    void WriteWhole(std::string_view bytes);
    std::string TimePrefix() const;

    const std::filesystem::path folder_;
    const int keepDays_;
    const LocalClock clock_;
    mutable std::mutex mutex_;
    int fd_ = -1;
    std::filesystem::path currentFile_;
};

}  // namespace zol
