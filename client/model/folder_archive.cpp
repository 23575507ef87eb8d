#include "client/model/folder_archive.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unzip.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <utility>
#include <vector>

namespace zol {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kCannotOpenText =
    "Can't open zip file transfered from the server to the client";
constexpr std::size_t kMaxComponentLength = 255;
constexpr unsigned kMadeOnUnix = 3;  // the "version made by" host of Unix zips

struct Entry {
    std::string path;  // below the folder
    bool isFolder = false;
};

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::string UnzipErrorText(int code, std::string_view entry) {
    std::string text = "Unzip error ";
    switch (code) {
        case UNZ_ERRNO:
            text += std::string("(") + std::strerror(errno) + ")";
            break;
        case UNZ_BADZIPFILE:
            text += "(bad zip file)";
            break;
        case UNZ_CRCERROR:
            text += "(CRC error)";
            break;
        case UNZ_INTERNALERROR:
            text += "(internal error)";
            break;
        default:
            text += std::to_string(code);
            break;
    }
    if (!entry.empty())
        text += " in " + Quoted(entry);
    return text;
}

ArchiveResult Fail(int code, std::string text) {
    return ArchiveResult{code, std::move(text)};
}

class Unzip {
  public:
    explicit Unzip(const fs::path& path) : file_(unzOpen64(path.c_str())) {}
    ~Unzip() {
        if (file_ != nullptr)
            unzClose(file_);
    }
    Unzip(const Unzip&) = delete;
    Unzip& operator=(const Unzip&) = delete;
    unzFile get() const { return file_; }

  private:
    unzFile file_;
};

// The stored name and information of the current entry.
int CurrentEntry(unzFile zip, unz_file_info64& info, std::string& name) {
    int result = unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0);
    if (result != UNZ_OK)
        return result;
    std::vector<char> buffer(info.size_filename + 1, '\0');
    result =
        unzGetCurrentFileInfo64(zip, &info, buffer.data(), buffer.size(), nullptr, 0, nullptr, 0);
    name.assign(buffer.data(), info.size_filename);
    return result;
}

// Links, devices and pipes, as the Unix mode of a zip made on Unix says.
bool IsSpecialFile(const unz_file_info64& info) {
    if ((info.version >> 8) != kMadeOnUnix)
        return false;
    const unsigned long type = (info.external_fa >> 16) & S_IFMT;
    return type != 0 && type != S_IFREG && type != S_IFDIR;
}

// Reads the central directory and checks every entry before anything is
// written.
ArchiveResult ListEntries(unzFile zip, const ArchiveLimits& limits, std::vector<Entry>& entries) {
    std::int64_t claimed = 0;
    for (int result = unzGoToFirstFile(zip); result != UNZ_END_OF_LIST_OF_FILE;
         result = unzGoToNextFile(zip)) {
        if (result != UNZ_OK)
            return Fail(ArchiveDamaged, UnzipErrorText(result, {}));
        if (static_cast<std::int64_t>(entries.size()) >= limits.maxEntries) {
            return Fail(ArchiveTooLarge, "The zip file from the server holds more than " +
                                             std::to_string(limits.maxEntries) + " entries");
        }
        unz_file_info64 info{};
        std::string name;
        if (int error = CurrentEntry(zip, info, name))
            return Fail(ArchiveDamaged, UnzipErrorText(error, {}));
        Entry entry;
        std::string refusal;
        entry.path = SafeEntryPath(name, entry.isFolder, refusal);
        if (refusal.empty() && IsSpecialFile(info))
            refusal = "a link or special file";
        if (refusal.empty() && (info.flag & 1) != 0)
            refusal = "encrypted";
        if (!refusal.empty()) {
            return Fail(ArchiveUnsafeEntry, "The zip file from the server holds the entry " +
                                                Quoted(name) + " that is refused: " + refusal);
        }
        claimed += static_cast<std::int64_t>(std::min<ZPOS64_T>(
            info.uncompressed_size, static_cast<ZPOS64_T>(limits.maxTotalBytes) + 1));
        if (claimed > limits.maxTotalBytes)
            break;  // reported below with the same text as when unpacking
        entries.push_back(std::move(entry));
    }
    if (claimed > limits.maxTotalBytes) {
        return Fail(ArchiveTooLarge, "The zip file from the server unpacks to more than " +
                                         std::to_string(limits.maxTotalBytes) + " bytes");
    }
    return {};
}

int WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return errno != 0 ? errno : EIO;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return 0;
}

ArchiveResult WriteFailed(const fs::path& path, int error) {
    return Fail(ArchiveWriteFailed,
                "Can't write " + Quoted(path.string()) + ": " + std::strerror(error));
}

// Unpacks the current entry into `target`, counting against `total`.
ArchiveResult ExtractFile(unzFile zip, const fs::path& target, const ArchiveLimits& limits,
                          std::int64_t& total, const std::string& entryName) {
    if (int error = unzOpenCurrentFile(zip))
        return Fail(ArchiveDamaged, UnzipErrorText(error, entryName));
    const int fd =
        ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) {
        const int error = errno;
        unzCloseCurrentFile(zip);
        return WriteFailed(target, error);
    }
    ArchiveResult result;
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        const int got =
            unzReadCurrentFile(zip, buffer.data(), static_cast<unsigned>(buffer.size()));
        if (got == 0)
            break;
        if (got < 0) {
            result = Fail(ArchiveDamaged, UnzipErrorText(got, entryName));
            break;
        }
        total += got;
        if (total > limits.maxTotalBytes) {
            result = Fail(ArchiveTooLarge, "The zip file from the server unpacks to more than " +
                                               std::to_string(limits.maxTotalBytes) + " bytes");
            break;
        }
        if (int error = WriteAll(fd, buffer.data(), static_cast<std::size_t>(got))) {
            result = WriteFailed(target, error);
            break;
        }
    }
    if (::close(fd) != 0 && result.code == ArchiveOk)
        result = WriteFailed(target, errno);
    const int closed = unzCloseCurrentFile(zip);  // checks the CRC of a whole entry
    if (result.code == ArchiveOk && closed != UNZ_OK)
        result = Fail(ArchiveDamaged, UnzipErrorText(closed, entryName));
    return result;
}

ArchiveResult ExtractEntries(unzFile zip, const std::vector<Entry>& entries,
                             const fs::path& staging, const ArchiveLimits& limits) {
    std::int64_t total = 0;
    std::size_t index = 0;
    for (int result = unzGoToFirstFile(zip);
         result != UNZ_END_OF_LIST_OF_FILE && index < entries.size();
         result = unzGoToNextFile(zip), ++index) {
        if (result != UNZ_OK)
            return Fail(ArchiveDamaged, UnzipErrorText(result, {}));
        const Entry& entry = entries[index];
        const fs::path target = staging / entry.path;
        std::error_code ec;
        fs::create_directories(entry.isFolder ? target : target.parent_path(), ec);
        if (ec)
            return WriteFailed(target, ec.value());
        if (entry.isFolder)
            continue;
        ArchiveResult extracted = ExtractFile(zip, target, limits, total, entry.path);
        if (extracted.code != ArchiveOk)
            return extracted;
    }
    return {};
}

// A fresh folder beside the target's entries (same file system, so renames
// are atomic); empty when none can be made.
fs::path MakeScratchFolder(const fs::path& folder, std::string_view prefix) {
    std::string pattern = (folder / (std::string(prefix) + "XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr)
        return {};
    return fs::path(pattern);
}

// Moves every top-level entry of `staging` into `folder`; what it replaces
// goes to `trash`. On a failure everything moved so far goes back.
ArchiveResult MoveIntoPlace(const fs::path& staging, const fs::path& folder,
                            const fs::path& trash) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(staging, ec); !ec && it != fs::directory_iterator();
         it.increment(ec))
        names.push_back(it->path().filename().string());
    if (ec)
        return WriteFailed(staging, ec.value());

    std::vector<std::pair<std::string, bool>> done;  // name, replaced an entry
    for (const std::string& name : names) {
        const fs::path target = folder / name;
        struct stat existing {};
        const bool replaces = ::lstat(target.c_str(), &existing) == 0;
        int error = 0;
        if (replaces && ::rename(target.c_str(), (trash / name).c_str()) != 0)
            error = errno;
        if (error == 0 && ::rename((staging / name).c_str(), target.c_str()) != 0) {
            error = errno;
            if (replaces)
                ::rename((trash / name).c_str(), target.c_str());
        }
        if (error != 0) {
            for (auto it = done.rbegin(); it != done.rend(); ++it) {
                ::rename((folder / it->first).c_str(), (staging / it->first).c_str());
                if (it->second)
                    ::rename((trash / it->first).c_str(), (folder / it->first).c_str());
            }
            return WriteFailed(target, error);
        }
        done.emplace_back(name, replaces);
    }
    return {};
}

}  // namespace

std::string SafeEntryPath(std::string_view storedName, bool& isFolder, std::string& refusal) {
    refusal.clear();
    isFolder = !storedName.empty() && (storedName.back() == '/' || storedName.back() == '\\');
    if (storedName.empty()) {
        refusal = "an empty name";
    } else if (storedName.find('\0') != std::string_view::npos) {
        refusal = "a zero byte in the name";
    } else if (storedName.front() == '/' || storedName.front() == '\\') {
        refusal = "an absolute path";
    } else if (storedName.find(':') != std::string_view::npos) {
        refusal = "a drive letter or stream name";
    }
    std::string path;
    std::size_t start = 0;
    while (refusal.empty() && start <= storedName.size()) {
        const std::size_t end = storedName.find_first_of("/\\", start);
        const std::string_view part = storedName.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        start = end == std::string_view::npos ? storedName.size() + 1 : end + 1;
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            refusal = "a parent folder step";
        } else if (part.size() > kMaxComponentLength) {
            refusal = "a name part longer than " + std::to_string(kMaxComponentLength) + " bytes";
        } else {
            if (!path.empty())
                path += '/';
            path.append(part);
        }
    }
    if (refusal.empty() && path.empty() && !isFolder)
        refusal = "no file name";
    if (!refusal.empty())
        path.clear();
    return path;
}

ArchiveResult ExtractFolderArchive(const fs::path& archive, const fs::path& folder,
                                   const ArchiveLimits& limits) {
    Unzip zip(archive);
    if (zip.get() == nullptr)
        return Fail(ArchiveCannotOpen, std::string(kCannotOpenText));
    std::vector<Entry> entries;
    ArchiveResult result = ListEntries(zip.get(), limits, entries);
    if (result.code != ArchiveOk)
        return result;

    const fs::path staging = MakeScratchFolder(folder, ".FolderFiles.new.");
    if (staging.empty())
        return WriteFailed(folder, errno);
    result = ExtractEntries(zip.get(), entries, staging, limits);
    if (result.code == ArchiveOk) {
        const fs::path trash = MakeScratchFolder(folder, ".FolderFiles.old.");
        result = trash.empty() ? WriteFailed(folder, errno) : MoveIntoPlace(staging, folder, trash);
        std::error_code ignored;
        if (!trash.empty())
            fs::remove_all(trash, ignored);
    }
    std::error_code ignored;
    fs::remove_all(staging, ignored);
    return result;
}

}  // namespace zol
