#include "client/model/power_graph.h"

#include <algorithm>
#include <cctype>

#include "client/model/design.h"
#include "client/model/reported_exchange.h"
#include "client/model/server_error.h"
#include "client/model/user_reporter.h"
#include "serverlink/field_list.h"

namespace zol {

namespace {

constexpr std::int64_t kFirstBarField = 7;
constexpr std::int64_t kSingleBarFields = 6;
constexpr std::int64_t kSegmentFields = 5;
constexpr std::string_view kOperation = "ZOLApp.GetDisplayGraph";

std::uint32_t ColorFrom(const ReplyFields& fields, std::int64_t red) {
    auto channel = [&](std::int64_t i) {
        return static_cast<std::uint32_t>(std::clamp(fields.Number(red + i), 0, 255));
    };
    return channel(0) | (channel(1) << 8) | (channel(2) << 16);
}

std::string SegmentLabel(const Design& design, std::int32_t id) {
    if (const DesignObject* object = design.FindObject(id))
        return FullObjectName(*object);
    if (const DisplayRecord* display = design.FindDisplay(id))
        return display->name;
    return {};
}

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

std::int64_t ObjectPower(const DesignObject& object) {
    return std::int64_t{object.metered} * object.level / 100;
}

// Sets the segments of `id` to `watts`; the bars follow. True on a change.
bool SetSegments(PowerGraph& graph, std::int32_t id, std::int64_t watts, bool& found) {
    bool changed = false;
    for (GraphBar& bar : graph.bars) {
        for (GraphSegment& segment : bar.segments) {
            if (segment.objectId != id)
                continue;
            found = true;
            if (segment.value == watts)
                continue;
            bar.value += watts - segment.value;
            segment.value = watts;
            changed = true;
        }
    }
    return changed;
}

}  // namespace

GraphBar ReadGraphBar(const ReplyFields& fields, const Design& design) {
    GraphBar bar;
    bar.name = std::string(fields.Text(1));
    if (fields.Count() == kSingleBarFields) {
        GraphSegment segment;
        segment.objectId = fields.Number(2);
        segment.value = fields.Number(3);
        segment.color = ColorFrom(fields, 4);
        segment.label = SegmentLabel(design, segment.objectId);
        bar.value = segment.value;
        bar.segments.push_back(std::move(segment));
        return bar;
    }
    bar.stacked = true;
    bar.value = fields.Number(2);
    const std::int64_t count = std::max<std::int64_t>(0, (fields.Count() - 2) / kSegmentFields);
    for (std::int64_t i = 0; i < count; ++i) {
        const std::int64_t first = 3 + i * kSegmentFields;
        GraphSegment segment;
        segment.objectId = fields.Number(first);
        segment.value = fields.Number(first + 1);
        segment.color = ColorFrom(fields, first + 2);
        segment.label = SegmentLabel(design, segment.objectId);
        bar.segments.push_back(std::move(segment));
    }
    return bar;
}

int ReadPowerGraph(RequestChannel& channel, UserReporter& reporter, std::string_view displayName,
                   const Design& design, bool report, PowerGraph& graph) {
    graph = PowerGraph{};
    ReportedExchange exchange = RunReportedRequest(
        channel, reporter, FieldList({"ZOLApp", "GetDisplayGraph", "0", displayName}), kOperation,
        report);
    if (exchange.code != 0)
        return exchange.code;
    const ReplyFields& fields = exchange.fields;
    graph.graphTitle = std::string(fields.Text(4));
    // The count is the server's word; only the bars that came are read.
    const std::int64_t present = std::max<std::int64_t>(0, fields.Count() - (kFirstBarField - 1));
    const std::int64_t count = std::clamp<std::int64_t>(fields.Number(5), 0, present);
    for (std::int64_t i = 0; i < count; ++i) {
        ReplyFields bar;
        if (int code = fields.DecodeNested(kFirstBarField + i, bar)) {
            if (report)
                reporter.ShowMessage(ServerDecodeErrorText(kOperation, code));
            return code;
        }
        graph.bars.push_back(ReadGraphBar(bar, design));
        graph.stacked = graph.bars.back().stacked;
    }
    return 0;
}

std::int64_t AxisMaximum(std::int64_t value) {
    if (value < 10)
        return 10;
    const std::int64_t step = value < 1000     ? 100
                              : value < 10000  ? 1000
                              : value < 100000 ? 10000
                                               : 100000;
    // Rounded up without overflow: values come from the wire.
    const std::int64_t steps = value / step + (value % step != 0 ? 1 : 0);
    return steps * step;
}

int SegmentPercent(std::int64_t value, std::int64_t total) {
    if (total == 0)
        return 0;
    return static_cast<int>(std::clamp<std::int64_t>(value * 100 / total, -100000, 100000));
}

bool LivePower(const Design& design, std::int32_t id, std::int64_t& watts) {
    if (const DesignObject* object = design.FindObject(id)) {
        watts = ObjectPower(*object);
        return true;
    }
    const DisplayRecord* display = design.FindDisplay(id);
    if (display == nullptr)
        return false;
    watts = 0;
    for (const auto& object : design.objects) {
        if (SameName(object->location, display->name))
            watts += ObjectPower(*object);
    }
    return true;
}

bool ApplyObjectChange(PowerGraph& graph, const Design& design, std::int32_t objectId) {
    if (graph.stacked)
        return false;
    const DesignObject* object = design.FindObject(objectId);
    if (object != nullptr && object->objectKind != ObjectKindDevice &&
        object->objectKind != ObjectKindController)
        return false;
    std::int64_t watts = 0;
    bool found = false;
    bool changed = false;
    if (LivePower(design, objectId, watts))
        changed = SetSegments(graph, objectId, watts, found);
    if (found || object == nullptr)
        return changed;
    for (const auto& display : design.displays) {
        if (!SameName(display->name, object->location))
            continue;
        if (LivePower(design, display->displayId, watts))
            changed = SetSegments(graph, display->displayId, watts, found) || changed;
        break;
    }
    return changed;
}

}  // namespace zol
