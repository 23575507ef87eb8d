// Feeds arbitrary text to the INI reader and reads every key a theme has:
// no read outside the text, values never longer than asked for.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "client/model/profile_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const zol::ProfileFile profile = zol::ProfileFile::Parse(text);
    for (const char* key : {"cxStandard", "cyStandard", "cxCell", "cyCell"})
        profile.GetInt("Metrics", key, 0);
    for (const char* key : {"type", "FontPointMin", "FontPointMax", "TextStartX"})
        profile.GetInt("Feature", key, 7);
    if (profile.GetString("Feature", "Font", "Calibri", 63).size() > 63)
        std::abort();
    // Whatever the text's first section and key are, looking them up works.
    const std::size_t close = text.find(']');
    if (!text.empty() && text.front() == '[' && close != std::string_view::npos)
        profile.GetString(text.substr(1, close - 1), text.substr(close + 1), "", 5);
    return 0;
}
