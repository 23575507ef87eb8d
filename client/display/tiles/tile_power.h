// CTilePower: a bar graph of the power a display's objects draw, read from
// the server and kept current by device changes. Stacked segments have tool
// tips with their share of the bar; holding a whole-display graph without a
// hold action opens its colour key.
#pragma once

#include <QFont>
#include <QRect>
#include <QString>

#include <vector>

#include "client/display/tile_window.h"
#include "client/display/tiles/power_graph_layout.h"
#include "client/model/power_graph.h"

namespace zol {

inline constexpr int kGraphKeyTimerId = 1002;

class CTilePower : public CTileWindow {
    Q_OBJECT
  public:
    CTilePower(CZOLClientView& view, std::int32_t displayId, std::size_t tileIndex);

    void UpdateTile(bool layoutOnly, bool force) override;
    void ObjectChanged(std::int32_t objectId) override;

    const PowerGraph& Graph() const { return graph_; }
    struct Tool {
        QRect area;
        QString text;
    };
    const std::vector<Tool>& Tools() const { return tools_; }
    // How often the tools were made again (they follow the bars, not paints).
    int ToolBuilds() const { return toolBuilds_; }
    // The tool text at `point`, empty where there is none.
    QString ToolTextAt(const QPoint& point) const;
    void OpenGraphKey();

  protected:
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void PaintContent(QPainter& painter, const TileRecord& record) override;
    bool RefreshContent() override;

  private:
    bool WholeDisplay() const;
    // False when the tile went while the server was asked.
    bool ReadGraph(bool quiet);
    // Places the bars and makes the tools again, for the graph or a new size.
    void Relayout();
    QRect PlotRect(QFont& axisFont, QFont& nameFont) const;
    // "%1 watts", "%1 w/hr" or "%1", by the kind of tile and graph.
    QString AxisFormat() const;

    PowerGraph graph_;
    GraphGeometry geometry_;
    QRect laidOutFor_;
    QFont axisFont_;
    QFont nameFont_;
    std::vector<Tool> tools_;
    int toolBuilds_ = 0;
};

}  // namespace zol
