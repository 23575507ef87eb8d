// CTileStatus: the server's extended status (time, dates, up-time, title and
// rows), read at the first update and kept live by the server's
// "ExtServerStatus" pushes, which the push dispatch posts to every status
// tile registered.
//
// The tile registers itself when it subscribes and unregisters when it
// goes; the pushes are cancelled with the server when the last one goes.
#pragma once

#include <QImage>

#include <array>
#include <string>

#include "client/display/tile_window.h"
#include "client/display/tiles/status_content.h"

namespace zol {

class ExtendedStatusReceivers;
class RequestChannel;
class UserReporter;
struct ExtendedStatusRecord;

class CTileStatus : public CTileWindow {
    Q_OBJECT
  public:
    CTileStatus(CZOLClientView& view, std::int32_t displayId, std::size_t tileIndex);
    ~CTileStatus() override;

    void UpdateTile(bool layoutOnly, bool force) override;
    void OnViewResized() override;

    void ApplyStatus(const ExtendedStatusRecord& record);
    const StatusContent& Content() const { return content_; }

  protected:
    bool event(QEvent* event) override;
    void PaintContent(QPainter& painter, const TileRecord& record) override;
    bool RefreshContent() override;

  private:
    // False when the tile went while the server was asked.
    bool ReadStatus();
    bool Subscribe();

    QImage time_;
    std::array<QImage, 7> weekdays_;
    StatusContent content_;
    bool subscribePending_ = true;
    // Kept from the subscription for the unsubscription in the destructor,
    // when the view may already be going: all three outlive the views.
    ExtendedStatusReceivers* receivers_ = nullptr;
    RequestChannel* channel_ = nullptr;
    UserReporter* reporter_ = nullptr;
    std::string clientName_;
};

}  // namespace zol
