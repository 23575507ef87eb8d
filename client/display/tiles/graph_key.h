// CGraphKey: the colour key of a whole-display power graph ("Top 5 Color
// Key"): one row per distinct segment colour with a swatch and the label of
// the first segment in that colour, the last new colour first.
#pragma once

#include <QDialog>
#include <QImage>
#include <QString>

#include <cstdint>
#include <vector>

#include "client/model/power_graph.h"

namespace zol {

struct GraphKeyRow {
    std::uint32_t color = 0;  // 0x00BBGGRR
    std::string label;
    bool operator==(const GraphKeyRow&) const = default;
};

std::vector<GraphKeyRow> GraphKeyRows(const PowerGraph& graph);

// The 18 × 18 swatch: white, a black square from (2, 2) of 14 × 14 and the
// colour from (3, 3) of 12 × 12.
QImage GraphKeySwatch(std::uint32_t color);

class CGraphKey : public QDialog {
    Q_OBJECT
  public:
    CGraphKey(const std::vector<GraphKeyRow>& rows, QWidget* parent);
};

}  // namespace zol
