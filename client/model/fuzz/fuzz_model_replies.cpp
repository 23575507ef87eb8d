// Feeds the model's loaders arbitrary replies: the first byte picks the load
// (design, names, status, DPI, time stamp, display entries, tiles of each
// generation, a file transfer), the rest are the reply frames in turn; when
// they run out, requests time out. Checks what the loaders promise: counts
// within their slots, no read or write outside what arrived, a file either
// complete or left as it was.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "client/model/display_entry.h"
#include "client/model/display_loader.h"
#include "client/model/request_catalogue.h"
#include "client/model/request_channel.h"
#include "client/model/server_file.h"
#include "client/model/user_reporter.h"

namespace zol {
namespace {

class FrameChannel : public RequestChannel {
  public:
    explicit FrameChannel(FuzzedDataProvider& input) : input_(input) {}
    int SendRequest(std::string_view, std::int32_t& resultCode, std::string& reply) override {
        if (input_.remaining_bytes() == 0)
            return 1;
        reply = input_.ConsumeRandomLengthString(kMaxFieldListLength + 16);
        std::vector<FieldValue> fields;
        DecodeFieldList(reply, fields);
        resultCode = fields.empty() ? 0 : ReadDecimal(fields[0].text);
        return 0;
    }

  private:
    FuzzedDataProvider& input_;
};

class SilentReporter : public UserReporter {
  public:
    void ShowMessage(std::string_view) override {}
    int ShowAlert(AlertKind, std::string_view) override { return 1; }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
};

void Require(bool condition) {
    if (!condition)
        std::abort();
}

void CheckDisplay(const DisplayRecord& display) {
    Require(display.objectCount == static_cast<std::int32_t>(display.objectIds.size()));
    Require(display.iconPositions.size() <= display.objectIds.size());
}

void FuzzDesign(RequestChannel& channel, int major) {
    Design design;
    std::string token;
    std::string failure;
    LoadDesign(channel, major, design, token, failure);
    for (const auto& object : design.objects) {
        Require(object->textCount >= 0 && object->textCount <= kMaxObjectSlots);
        Require(object->buttonCount >= 0 && object->buttonCount <= kMaxObjectSlots);
    }
}

void FuzzNamesAndStatus(RequestChannel& channel) {
    Design design;
    std::string failure;
    LoadModeAndScheduleNames(channel, design, failure);
    Require(design.homeModeCount >= 0);
    Require(design.scheduleCount >= 0 && design.scheduleCount <= kMaxSchedules);
    ServerStatus status;
    RequestServerStatus(channel, "fuzz", status, failure);
    std::int32_t dpi = 0;
    if (RequestReferenceDpi(channel, dpi, failure) == 0)
        Require(dpi > 0);
    std::string name;
    std::string time;
    RequestTimeStamp(channel, name, time, failure);
}

// Display entries straight from frames: LoadDisplays itself would fetch
// background files named by the input.
void FuzzDisplayEntries(FuzzedDataProvider& input) {
    while (input.remaining_bytes() > 0) {
        ReplyFields entry;
        entry.Decode(input.ConsumeRandomLengthString(kMaxFieldListLength));
        DisplayRecord display;
        DecodeDisplayEntry(entry, {}, display);
        CheckDisplay(display);
    }
}

void FuzzTiles(RequestChannel& channel, int build) {
    DisplayRecord display;
    display.name = "Fuzz";
    std::string failure;
    LoadDisplayTiles(channel, GreetingValues{18, 0, build, 1, 14}, display, failure);
}

void FuzzFile(RequestChannel& channel) {
    static const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("zol-fuzz-model-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::filesystem::path local = dir / "file.bin";
    SilentReporter reporter;
    int present = 7;
    const int code = FetchServerFile(channel, reporter, "file.bin", local, present);
    Require(code == 0 ? (present == 0 || present == 1) : present == 0);
    // Nothing but the file itself is left behind.
    Require(std::distance(std::filesystem::directory_iterator(dir), {}) <= 1);
}

}  // namespace
}  // namespace zol

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const int operation = input.ConsumeIntegralInRange<int>(0, 7);
    zol::FrameChannel channel(input);
    switch (operation) {
        case 0:
            zol::FuzzDesign(channel, 19);
            break;
        case 1:
            zol::FuzzDesign(channel, 13);
            break;
        case 2:
            zol::FuzzNamesAndStatus(channel);
            break;
        case 3:
            zol::FuzzDisplayEntries(input);
            break;
        case 4:
            zol::FuzzTiles(channel, 11);
            break;
        case 5:
            zol::FuzzTiles(channel, 8);
            break;
        case 6:
            zol::FuzzTiles(channel, 0);
            break;
        default:
            zol::FuzzFile(channel);
            break;
    }
    return 0;
}
