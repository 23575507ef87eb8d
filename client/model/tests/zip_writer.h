// Zip archives made by the tests with minizip's writer, hostile ones
// included: any entry name, a Unix mode (for links), stored or deflated.
#pragma once

#include <zip.h>

#include <filesystem>
#include <string>
#include <vector>

namespace zol::testing {

struct ZipEntry {
    std::string name;
    std::string content;
    unsigned unixMode = 0;  // e.g. 0120777 for a symbolic link; 0 writes none
    bool stored = false;    // no compression, so a test can find the bytes
};

inline bool WriteZip(const std::filesystem::path& path, const std::vector<ZipEntry>& entries) {
    zipFile zip = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
    if (zip == nullptr)
        return false;
    bool ok = true;
    for (const ZipEntry& entry : entries) {
        zip_fileinfo info{};
        info.external_fa = static_cast<uLong>(entry.unixMode) << 16;
        const uLong madeBy = entry.unixMode != 0 ? (3u << 8) | 20 : 20;  // host 3: Unix
        ok = ok && zipOpenNewFileInZip4_64(zip, entry.name.c_str(), &info, nullptr, 0, nullptr, 0,
                                           nullptr, entry.stored ? 0 : Z_DEFLATED,
                                           entry.stored ? 0 : Z_DEFAULT_COMPRESSION, 0, -MAX_WBITS,
                                           DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr, 0, madeBy, 0,
                                           0) == ZIP_OK;
        ok = ok && zipWriteInFileInZip(zip, entry.content.data(),
                                       static_cast<unsigned>(entry.content.size())) == ZIP_OK;
        ok = ok && zipCloseFileInZip(zip) == ZIP_OK;
    }
    return zipClose(zip, nullptr) == ZIP_OK && ok;
}

}  // namespace zol::testing
