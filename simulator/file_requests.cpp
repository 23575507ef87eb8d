// Files the server hands out: pictures and sounds ("GetFile"), theme icons
// ("GetThemeIcons", "GetThemeIcon") and zipped HTML folders
// ("GetDisplayHTMLFolder"), all as hexadecimal chunks.
#include <algorithm>
#include <exception>
#include <string>

#include "simulator/hex_chunks.h"
#include "simulator/request_router.h"

namespace zol {

namespace {

// Triples per "GetThemeIcons" reply; each is at most a few hundred bytes.
constexpr int kThemeIconsPerReply = 20;

// The client writes its 32-bit byte sum with "%d", so large sums arrive
// negative; read the whole text as a wide integer.
long long ReadWireInteger(const std::string& text) {
    try {
        std::size_t used = 0;
        const long long value = std::stoll(text, &used, 10);
        return used == text.size() ? value : -1;
    } catch (const std::exception&) {
        return -1;
    }
}

bool ChunkExists(const std::string& bytes, int chunk) {
    return chunk >= 0 && static_cast<std::size_t>(chunk) < ChunkCount(bytes.size());
}

// Fields: "File", name, chunk, then for chunk 0 the local size and byte sum.
// Reply fields 4 to 8: name, chunk, size, byte sum, hexadecimal bytes.
HandlerResult GetFile(RequestContext& context) {
    const std::string& name = context.Text(4);
    const std::string* bytes = context.Design().FindFile(name);
    const int chunk = context.Number(5);
    if (bytes == nullptr) {
        return HandlerResult::Code(kResultNotSupported);
    }
    const std::uint32_t sum = ByteSum(*bytes);
    if (chunk == 0 && context.FieldCount() >= 7 &&
        ReadWireInteger(context.Text(6)) == static_cast<long long>(bytes->size()) &&
        static_cast<std::uint32_t>(ReadWireInteger(context.Text(7))) == sum) {
        return HandlerResult::Code(kResultSuspended);
    }
    if (!ChunkExists(*bytes, chunk)) {
        return HandlerResult::Code(kResultNoMoreData);
    }
    HandlerResult result;
    result.results.Add(name)
        .Add(chunk)
        .Add(static_cast<std::int64_t>(bytes->size()))
        .Add(static_cast<std::int32_t>(sum))
        .Add(ToHex(FileChunk(*bytes, static_cast<std::size_t>(chunk))));
    return result;
}

const SimThemeIconSet* FindIconSet(const SimDesign& design, const std::string& name) {
    for (const SimThemeIconSet& set : design.themeIconSets) {
        if (set.name == name) {
            return &set;
        }
    }
    return nullptr;
}

// Fields: set name, cursor. Reply: 4 set name, 5 next cursor, 6 onward
// triples of file name, size, byte sum; -1 once the list is complete.
HandlerResult GetThemeIcons(RequestContext& context) {
    const SimThemeIconSet* set = FindIconSet(context.Design(), context.Text(3));
    const int cursor = context.Number(4);
    if (set == nullptr || cursor < 0 || static_cast<std::size_t>(cursor) >= set->fileNames.size()) {
        return HandlerResult::Code(kResultLookupError);
    }
    const std::size_t end =
        std::min(set->fileNames.size(), static_cast<std::size_t>(cursor) + kThemeIconsPerReply);
    HandlerResult result;
    result.results.Add(set->name).Add(static_cast<std::int64_t>(end));
    for (std::size_t i = static_cast<std::size_t>(cursor); i < end; ++i) {
        const std::string& fileName = set->fileNames[i];
        const std::string* bytes = context.Design().FindFile(set->name + "/" + fileName);
        const std::string empty;
        const std::string& content = bytes ? *bytes : empty;
        result.results.Add(fileName)
            .Add(static_cast<std::int64_t>(content.size()))
            .Add(WireByteSum(content));
    }
    return result;
}

// Fields: set name, file name, chunk. Reply: 4 set, 5 file, 6 chunk, 7 hex.
HandlerResult GetThemeIcon(RequestContext& context) {
    const std::string* bytes = context.Design().FindFile(context.Text(3) + "/" + context.Text(4));
    const int chunk = context.Number(5);
    if (bytes == nullptr) {
        return HandlerResult::Code(kResultNotSupported);
    }
    if (!ChunkExists(*bytes, chunk)) {
        return HandlerResult::Code(kResultNoMoreData);
    }
    HandlerResult result;
    result.results.Add(context.Text(3))
        .Add(context.Text(4))
        .Add(chunk)
        .Add(ToHex(FileChunk(*bytes, static_cast<std::size_t>(chunk))));
    return result;
}

// Fields: display name, chunk. Reply: 4 display name, 5 hex of the zip.
HandlerResult GetDisplayHtmlFolder(RequestContext& context) {
    const SimDisplay* display = context.Design().FindDisplayByName(context.Text(3));
    if (display == nullptr || display->htmlFolderFile.empty()) {
        return HandlerResult::Code(kResultLookupError);
    }
    const std::string* bytes = context.Design().FindFile(display->htmlFolderFile);
    const int chunk = context.Number(4);
    if (bytes == nullptr) {
        return HandlerResult::Code(kResultNotSupported);
    }
    if (!ChunkExists(*bytes, chunk)) {
        return HandlerResult::Code(kResultNoMoreData);
    }
    HandlerResult result;
    result.results.Add(display->name)
        .Add(ToHex(FileChunk(*bytes, static_cast<std::size_t>(chunk))));
    return result;
}

}  // namespace

void RegisterFileRequests(RequestRouter& router) {
    router.Register("GetFile", GetFile);
    router.Register("GetThemeIcons", GetThemeIcons);
    router.Register("GetThemeIcon", GetThemeIcon);
    router.Register("GetDisplayHTMLFolder", GetDisplayHtmlFolder);
}

}  // namespace zol
