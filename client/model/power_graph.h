// The bar graph of a power display ("GetDisplayGraph"): bars of one value or
// stacked from segments, each segment standing for a design object or a
// display, with its colour; and the live values that device changes give.
//
// Thread-safety: the user-interface thread only (the request blocks it).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zol {

class RequestChannel;
class UserReporter;
class ReplyFields;
struct Design;

struct GraphSegment {
    std::string label;  // "Location - Name", the display's name, or empty
    std::int32_t objectId = 0;
    std::int64_t value = 0;   // watts
    std::uint32_t color = 0;  // 0x00BBGGRR
    bool operator==(const GraphSegment&) const = default;
};

struct GraphBar {
    std::string name;
    std::int64_t value = 0;  // the total
    bool stacked = false;
    std::vector<GraphSegment> segments;
    bool operator==(const GraphBar&) const = default;
};

struct PowerGraph {
    std::string graphTitle;
    bool stacked = false;  // as the last bar read says
    std::vector<GraphBar> bars;
};

// One bar from its own field list: six fields make a single-value bar,
// anything else a stacked one with (fields - 2) / 5 segments (none for a
// list shorter than that). Labels are filled from `design`.
GraphBar ReadGraphBar(const ReplyFields& bar, const Design& design);

// Sends "GetDisplayGraph" for the display named `displayName` and replaces
// `graph` with what arrived. Bars are read only as far as the reply holds
// them (whatever its count says); a bar that does not decode ends the
// reading, keeping the bars before it. With `report` failures are shown.
// Returns 0 or the failure's code.
int ReadPowerGraph(RequestChannel& channel, UserReporter& reporter, std::string_view displayName,
                   const Design& design, bool report, PowerGraph& graph);

// The top of the axis for the largest bar value: 10 below 10, then the next
// multiple of 100, 1000, 10000 below each tenfold step, else of 100000.
std::int64_t AxisMaximum(std::int64_t largestValue);

// A segment's share of its bar, in whole percent; 0 for a bar total of 0.
int SegmentPercent(std::int64_t value, std::int64_t total);

// What `objectId` draws now: metered × level ÷ 100 for a design object; for
// a display, the sum of that over the objects located in it. False for an
// id that is neither.
bool LivePower(const Design& design, std::int32_t id, std::int64_t& watts);

// Applies a change of `objectId` to a graph that is not stacked: the
// segments of that id, or else those of the display the object is located
// in, take the live value. True when any value changed.
bool ApplyObjectChange(PowerGraph& graph, const Design& design, std::int32_t objectId);

}  // namespace zol
