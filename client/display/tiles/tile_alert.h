// CTileAlert: the server's alert list, newest first, with the design
// checker's summary and a badge with the alert count.
//
// The list is read on updates and refresh ticks into a new report that
// replaces the shown one only when the read succeeded; painting draws the
// report held and never asks the server.
#pragma once

#include <QImage>

#include "client/display/tile_window.h"
#include "client/model/alert_report.h"

namespace zol {

class CTileAlert : public CTileWindow {
    Q_OBJECT
  public:
    CTileAlert(CZOLClientView& view, std::int32_t displayId, std::size_t tileIndex);

    void UpdateTile(bool layoutOnly, bool force) override;
    const AlertReport& Report() const { return report_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void PaintContent(QPainter& painter, const TileRecord& record) override;
    bool RefreshContent() override;

  private:
    // False when the tile went while the server was asked.
    bool ReadReport();
    void PaintEntries(QPainter& painter, const TileRecord& record);
    void PaintBadge(QPainter& painter, const TileRecord& record);

    QImage noAlert_;
    QImage alert_;
    AlertReport report_;
};

}  // namespace zol
