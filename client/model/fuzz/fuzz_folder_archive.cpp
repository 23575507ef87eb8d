// Arbitrary bytes as the zip archive of an HTML folder, through the whole
// extraction into a scratch folder. Checks what the extraction promises:
// nothing is written beside the target folder, nothing outside it is
// touched, and the target holds no links and no scratch folders afterwards.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "client/model/folder_archive.h"

namespace fs = std::filesystem;

namespace {

const fs::path& Scratch() {
    static const fs::path scratch = [] {
        std::string pattern = (fs::temp_directory_path() / "zol-fuzz-archive-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        return fs::path(pattern);
    }();
    return scratch;
}

void CheckTarget(const fs::path& target) {
    for (auto it = fs::recursive_directory_iterator(target);
         it != fs::recursive_directory_iterator(); ++it) {
        if (it->is_symlink())
            std::abort();
        if (it->path().filename().string().rfind(".FolderFiles.", 0) == 0)
            std::abort();  // a scratch folder left behind
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path archive = Scratch() / "FolderFiles.zip";
    const fs::path target = Scratch() / "page";
    fs::remove_all(target);
    fs::create_directories(target);
    std::ofstream(target / "page.html") << "page";
    {
        std::ofstream out(archive, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    zol::ArchiveLimits limits;
    limits.maxEntries = 200;
    limits.maxTotalBytes = 4 << 20;
    const zol::ArchiveResult result = zol::ExtractFolderArchive(archive, target, limits);
    if ((result.code == zol::ArchiveOk) != result.text.empty())
        std::abort();
    // Only the archive and the target beside each other.
    int entries = 0;
    for (const auto& entry : fs::directory_iterator(Scratch())) {
        (void)entry;
        ++entries;
    }
    if (entries != 2)
        std::abort();
    CheckTarget(target);
    if (result.code != zol::ArchiveOk && !fs::exists(target / "page.html"))
        std::abort();  // a failure left the folder as it was
    return 0;
}
