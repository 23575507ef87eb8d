#include "serverlink/daily_log.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <iomanip>
#include <locale>
#include <sstream>
#include <system_error>

namespace zol {
namespace {

// The separator's date and time in the user's locale formats; a broken
// locale setting falls back to the classic one rather than failing the log.
std::string LocaleDateTime(const std::tm& when) {
    std::locale userLocale = std::locale::classic();
    try {
        userLocale = std::locale("");
    } catch (const std::runtime_error&) {
    }
    std::ostringstream out;
    out.imbue(userLocale);
    out << std::put_time(&when, "%x %X");
    return out.str();
}

std::chrono::year_month_day DateOf(const std::tm& when) {
    return std::chrono::year_month_day{std::chrono::year{when.tm_year + 1900},
                                       std::chrono::month{static_cast<unsigned>(when.tm_mon + 1)},
                                       std::chrono::day{static_cast<unsigned>(when.tm_mday)}};
}

}  // namespace

DailyLog::DailyLog(std::filesystem::path folder, int keepDays, LocalClock clock)
    : folder_(std::move(folder)), keepDays_(keepDays), clock_(std::move(clock)) {}

DailyLog::~DailyLog() {
    Close();
}

std::tm DailyLog::LocalNow() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

std::string DailyLog::CleanBaseName(std::string_view baseName) {
    std::string clean(baseName);
    for (char& c : clean) {
        switch (c) {
            case '<':
            case '>':
            case ':':
            case '/':
            case '\\':
            case '|':
            case '?':
            case '*':
            case '.':
                c = '_';
                break;
            default:
                break;
        }
    }
    return clean;
}

std::filesystem::path DailyLog::LogFilePath(const std::filesystem::path& folder,
                                            std::string_view cleanBase, int month, int day) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "_%02d%02d.log", month, day);
    return folder / (std::string(cleanBase) + suffix);
}

void DailyLog::PruneOldFiles(std::string_view cleanBase, const std::tm& today) const {
    if (keepDays_ <= 0)
        return;
    const std::chrono::sys_days todayDays{DateOf(today)};
    for (int back = keepDays_; back <= keepDays_ + 2; ++back) {
        const std::chrono::year_month_day old{todayDays - std::chrono::days{back}};
        std::error_code ignored;
        std::filesystem::remove(
            LogFilePath(folder_, cleanBase, static_cast<int>(static_cast<unsigned>(old.month())),
                        static_cast<int>(static_cast<unsigned>(old.day()))),
            ignored);
    }
}

bool DailyLog::OpenDailyLog(std::string_view baseName) {
    Close();
    const std::string cleanBase = CleanBaseName(baseName);
    const std::tm today = clock_();
    PruneOldFiles(cleanBase, today);

    std::filesystem::path file = LogFilePath(folder_, cleanBase, today.tm_mon + 1, today.tm_mday);
    // 0600: entries can carry the relay credential.
    int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    // Other writers are kept out, as the day's file has one owner at a time.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    std::lock_guard lock(mutex_);
    fd_ = fd;
    currentFile_ = std::move(file);
    WriteWhole("\r\n\r\n######## " + LocaleDateTime(today) + "\r\n");
    return true;
}

void DailyLog::Close() {
    std::lock_guard lock(mutex_);
    if (fd_ >= 0) {
        ::close(fd_);  // releases the lock as well
        fd_ = -1;
    }
    currentFile_.clear();
}

bool DailyLog::IsOpen() const {
    std::lock_guard lock(mutex_);
    return fd_ >= 0;
}

std::filesystem::path DailyLog::CurrentFile() const {
    std::lock_guard lock(mutex_);
    return currentFile_;
}

std::string DailyLog::TimePrefix() const {
    const std::tm now = clock_();
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%02d:%02d:%02d ", now.tm_hour, now.tm_min, now.tm_sec);
    return prefix;
}

void DailyLog::WriteLogText(std::string_view text, bool lineEnd, bool timeStamp) {
    std::string entry;
    entry.reserve(text.size() + 12);
    if (timeStamp) {
        const std::size_t breaks = text.find_first_not_of("\r\n");
        const std::size_t split = breaks == std::string_view::npos ? text.size() : breaks;
        entry.append(text.substr(0, split));
        entry.append(TimePrefix());
        entry.append(text.substr(split));
    } else {
        entry.append(text);
    }
    if (lineEnd)
        entry.append("\r\n");
    std::lock_guard lock(mutex_);
    WriteWhole(entry);
}

void DailyLog::WriteLogLine(std::string_view bytes) {
    std::string entry = TimePrefix();
    entry.append(bytes);
    entry.append("\r\n");
    std::lock_guard lock(mutex_);
    WriteWhole(entry);
}

// Caller holds mutex_. One write per entry reaches the file at once, so the
// log needs no further flushing to survive a crash of the program.
void DailyLog::WriteWhole(std::string_view bytes) {
    if (fd_ < 0)
        return;
    while (!bytes.empty()) {
        ssize_t written = ::write(fd_, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return;  // a full disk costs log lines, never the relay
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

}  // namespace zol
