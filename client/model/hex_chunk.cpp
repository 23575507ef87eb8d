#include "client/model/hex_chunk.h"

#include "platform/ascii_text.h"

namespace zol {

int AppendHexBytes(std::string_view hex, std::string& out) {
    if (hex.size() % 2 != 0)
        return kHexChunkInvalid;
    const std::size_t start = out.size();
    out.reserve(start + hex.size() / 2);
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = HexDigitValue(hex[i]);
        const int low = HexDigitValue(hex[i + 1]);
        if (high < 0 || low < 0) {
            out.resize(start);
            return kHexChunkInvalid;
        }
        out.push_back(static_cast<char>(high * 16 + low));
    }
    return 0;
}

}  // namespace zol
