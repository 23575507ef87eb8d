#include "simulator/push_effects.h"

#include <algorithm>
#include <vector>

#include "platform/ascii_text.h"
#include "serverlink/field_list.h"
#include "simulator/design_entries.h"

namespace zol {

namespace {

// The clients keep at most this many extended-status lines.
constexpr std::size_t kMaxStatusLines = 128;

// Fields numbered from 1; a missing field reads as 0 and "".
class PushFields {
  public:
    explicit PushFields(std::vector<FieldValue> fields) : fields_(std::move(fields)) {}

    std::size_t Count() const { return fields_.size(); }
    int Number(std::size_t n) const { return n >= 1 && n <= Count() ? fields_[n - 1].number : 0; }
    const std::string& Text(std::size_t n) const {
        static const std::string kEmpty;
        return n >= 1 && n <= Count() ? fields_[n - 1].text : kEmpty;
    }

  private:
    std::vector<FieldValue> fields_;
};

// A pushed design time stamp is taken only when it is one; the clients
// compare it with "TimeStamp" answers later.
void TakeTimeStamp(const std::string& stamp, SimDesign& design) {
    FieldDateTimeValue parsed;
    if (ParseFieldDateTime(stamp, parsed)) {
        design.designTimeStamp = stamp;
    }
}

void ApplyUpdate(const PushFields& push, SimServerState& state) {
    SimDesign& design = state.design;
    // n button states follow field 7; j is the field after them.
    const std::size_t n = std::min<std::size_t>(std::max(push.Number(7), 0), push.Count());
    const std::size_t j = 8 + n;
    if (SimObject* object = design.FindObject(push.Number(4))) {
        object->level = push.Number(5);
        object->suspendState = push.Number(6);
        const std::size_t kept = std::min<std::size_t>(n, kMaxButtons);
        if (object->buttonStates.size() < kept) {
            object->buttonStates.resize(kept, 0);
        }
        for (std::size_t i = 0; i < kept; ++i) {
            object->buttonStates[i] = push.Number(8 + i);
        }
        object->ownIconName = push.Text(j);
        object->caption = push.Text(j + 1);
        object->ownLevel = push.Number(j + 2);
        TakeTimeStamp(push.Text(j + 3), design);
        if (state.config.versionMajor >= kExtendedEntriesMajor) {
            object->reserved4 = push.Number(j + 4);
            object->errorCondition = push.Number(j + 5);
            if (push.Count() >= j + 6) {
                object->statusText = push.Text(j + 6);
                object->overlayText = push.Text(j + 7);
                object->overlaySize = push.Number(j + 8);
                object->overlayColor = push.Number(j + 9);
            }
        }
    } else if (SimDisplay* display = design.FindDisplay(push.Number(4))) {
        display->level = push.Number(5);
        display->ownIconName = push.Text(j);
        display->caption = push.Text(j + 1);
        display->ownLevel = push.Number(j + 2);
        TakeTimeStamp(push.Text(j + 3), design);
    }
}

void ApplyServerStatus(const PushFields& push, SimDesign& design) {
    design.serverStatus.state = push.Number(4);
    for (std::size_t i = 0; i < design.serverStatus.numbers.size(); ++i) {
        design.serverStatus.numbers[i] = push.Number(5 + i);
    }
    // The third and fourth numbers are the home mode and the schedule.
    design.currentHomeMode = design.serverStatus.numbers[2];
    design.currentSchedule = design.serverStatus.numbers[3];
}

void ApplyExtendedStatus(const PushFields& push, SimExtendedStatus& status) {
    status.number = push.Number(4);
    status.upTime = push.Text(8);
    status.firstDate = push.Text(9);
    status.secondDate = push.Text(10);
    status.title = push.Text(11);
    status.lines.clear();
    for (std::size_t n = 12; n <= push.Count() && status.lines.size() < kMaxStatusLines; ++n) {
        status.lines.push_back(push.Text(n));
    }
}

void ApplyTileUpdate(const PushFields& push, SimDesign& design) {
    for (SimDisplay& display : design.displays) {
        for (SimTile& tile : display.tiles) {
            if (!EqualsNoCase(tile.tileName, push.Text(4))) {
                continue;
            }
            if (push.Number(5) != 0) {
                tile.label = push.Text(6);
            }
            if (push.Number(11) != 0) {
                tile.backColor = push.Number(12);
                tile.labelColor = push.Number(13);
            }
            if (push.Number(9) != 0 && tile.tileType == kTileText) {
                tile.text = push.Text(10);
            }
            if (push.Number(7) != 0 && tile.tileType == kTileImage) {
                tile.imageName = push.Text(8);
            }
        }
    }
}

void ApplyTextDisplayChange(const PushFields& push, SimDesign& design) {
    SimDisplay* display = design.FindDisplay(push.Number(4));
    if (display == nullptr) {
        return;
    }
    display->text = push.Text(5);
    if (!display->tiles.empty()) {
        SimTile& first = display->tiles.front();
        first.backColor = push.Number(6);
        first.labelColor = push.Number(7);
        if (first.tileType == kTileText) {
            first.text = push.Text(5);
        }
    }
}

}  // namespace

void ApplyPushToHouse(std::string_view message, SimServerState& state,
                      std::chrono::system_clock::time_point now) {
    std::vector<FieldValue> fields;
    if (DecodeFieldList(message, fields) != kFieldListOk || fields.size() <= 3 ||
        fields[1].text != "ZOLApp") {
        return;
    }
    const PushFields push(std::move(fields));
    const std::string& kind = push.Text(3);
    if (kind == "Update") {
        ApplyUpdate(push, state);
    } else if (kind == "ServerStatus") {
        ApplyServerStatus(push, state.design);
    } else if (kind == "ExtServerStatus") {
        ApplyExtendedStatus(push, state.design.extendedStatus);
    } else if (kind == "TileUpdate") {
        ApplyTileUpdate(push, state.design);
    } else if (kind == "TextDisplayChange") {
        ApplyTextDisplayChange(push, state.design);
    } else if (kind == "LogAdd") {
        state.log.Add(push.Number(4), push.Text(5), now);
    }
}

}  // namespace zol
