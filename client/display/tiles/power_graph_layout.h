// Where the bars of a power graph go in its plot rectangle: equal slots
// centred as a group, each bar at most 30 pixels wide, its height in
// proportion to the axis maximum; stacked bars one rectangle per segment.
#pragma once

#include <QRect>

#include <cstdint>
#include <vector>

#include "client/model/power_graph.h"

namespace zol {

struct GraphGeometry {
    QRect plot;
    std::int64_t axisMaximum = 10;
    std::vector<QRect> bars;                   // one per bar
    std::vector<std::vector<QRect>> segments;  // per bar; stacked bars only
};

GraphGeometry LayOutGraph(const PowerGraph& graph, const QRect& plot);

}  // namespace zol
