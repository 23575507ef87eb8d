#include "client/display/tiles/power_graph_layout.h"

#include <algorithm>

namespace zol {

namespace {

constexpr int kMaxBarWidth = 30;
constexpr int kSlotLeftGap = 2;   // a bar starts this far right of its slot
constexpr int kSlotRightGap = 1;  // and ends this far before the slot's end

int HeightFor(std::int64_t value, std::int64_t axisMaximum, int plotHeight) {
    const std::int64_t clamped = std::clamp<std::int64_t>(value, 0, axisMaximum);
    return static_cast<int>(clamped * plotHeight / axisMaximum);
}

}  // namespace

GraphGeometry LayOutGraph(const PowerGraph& graph, const QRect& plot) {
    GraphGeometry geometry;
    geometry.plot = plot;
    std::int64_t largest = 0;
    for (const GraphBar& bar : graph.bars)
        largest = std::max(largest, bar.value);
    geometry.axisMaximum = AxisMaximum(largest);
    const int count = static_cast<int>(graph.bars.size());
    if (count == 0 || plot.width() <= 0 || plot.height() <= 0)
        return geometry;
    const int slot = plot.width() / count;
    const int groupLeft = plot.left() + (plot.width() - slot * count) / 2;
    const int bottom = plot.top() + plot.height();  // one past the plot
    for (int i = 0; i < count; ++i) {
        const GraphBar& bar = graph.bars[static_cast<std::size_t>(i)];
        const int slotLeft = groupLeft + i * slot;
        int width = std::max(0, slot - kSlotLeftGap - kSlotRightGap);
        int left = slotLeft + kSlotLeftGap;
        if (width > kMaxBarWidth) {
            left = slotLeft + (slot - kMaxBarWidth) / 2;
            width = kMaxBarWidth;
        }
        const int height = HeightFor(bar.value, geometry.axisMaximum, plot.height());
        geometry.bars.emplace_back(left, bottom - height, width, height);
        std::vector<QRect> pieces;
        if (bar.stacked) {
            int top = bottom;
            for (const GraphSegment& segment : bar.segments) {
                const int h =
                    std::min(HeightFor(segment.value, geometry.axisMaximum, plot.height()),
                             top - plot.top());
                top -= h;
                pieces.emplace_back(left, top, width, h);
            }
        }
        geometry.segments.push_back(std::move(pieces));
    }
    return geometry;
}

}  // namespace zol
