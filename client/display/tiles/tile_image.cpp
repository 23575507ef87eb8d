#include "client/display/tiles/tile_image.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QPointer>

#include "client/core/default_locations.h"
#include "client/display/zol_client_view.h"
#include "client/model/server_file.h"
#include "client/model/silent_reporter.h"
#include "client/model/tile_record.h"
#include "guibase/image_file_reader.h"

namespace zol {

namespace {

// Pictures larger than this are not decoded.
constexpr qint64 kMaxPictureBytes = qint64{64} << 20;

QImage DecodePicture(const std::filesystem::path& path) {
    QFile file(QString::fromStdString(path.string()));
    if (path.empty() || !file.open(QIODevice::ReadOnly) || file.size() > kMaxPictureBytes)
        return {};
    QImageReader reader(&file);
    NameFormatFromContent(reader);
    reader.setAutoTransform(true);
    return reader.read();
}

}  // namespace

CTileImage::CTileImage(CZOLClientView& view, std::int32_t displayId, std::size_t tileIndex)
    : CTileWindow(view, displayId, tileIndex, "Image") {}

void CTileImage::UpdateTile(bool layoutOnly, bool force) {
    if (!UpdateBase(layoutOnly) || layoutOnly)
        return;
    const TileRecord* record = Record();
    const ImageTileData* tileData = record != nullptr ? record->DataAs<ImageTileData>() : nullptr;
    if (tileData == nullptr)
        return;
    if (force || picture_.isNull() || tileData->imageName != imagePath_) {
        if (!Load(false))
            return;
    }
    StartRefreshTimer();
}

void CTileImage::OnViewResized() {
    LayoutTile();
    const TileRecord* record = Record();
    const ImageTileData* tileData = record != nullptr ? record->DataAs<ImageTileData>() : nullptr;
    if (tileData == nullptr)
        return;
    if (picture_.isNull() || tileData->imageName != imagePath_) {
        if (!Load(false))
            return;
    }
    StartRefreshTimer();
}

bool CTileImage::Load(bool quiet) {
    const DisplayServices& services = View().Services();
    TileRecord* record = Record();
    ImageTileData* tileData = record != nullptr ? record->DataAs<ImageTileData>() : nullptr;
    if (tileData == nullptr || services.settings == nullptr)
        return true;
    imagePath_ = tileData->imageName;
    const std::string name = tileData->imageName;
    const std::filesystem::path local =
        LocateServerFile(name, EffectiveTempDir(*services.settings));
    if ((tileData->fetchOnce == 0 || tileData->fetched == 0) && services.channel != nullptr &&
        services.reporter != nullptr) {
        QPointer<CTileImage> self(this);
        SilentReporter silent(*services.reporter);
        int present = 0;
        const int code = FetchServerFile(*services.channel, quiet ? silent : *services.reporter,
                                         name, local, present);
        if (!self)
            return false;
        // Only a fetch that brought the file counts: a failed one is tried
        // again at the next load. The record may have gone meanwhile.
        record = Record();
        tileData = record != nullptr ? record->DataAs<ImageTileData>() : nullptr;
        if (tileData != nullptr && tileData->fetchOnce != 0 && code == 0 && present == 1)
            tileData->fetched = 1;
    }
    QImage decoded = DecodePicture(local);
    if (!decoded.isNull() || !quiet)
        picture_ = std::move(decoded);
    update();
    return true;
}

bool CTileImage::RefreshContent() {
    const TileRecord* record = Record();
    if (record == nullptr)
        return true;
    if (record->refreshMode == 0)
        return Load(true);
    return RunRefreshProgram(*record);
}

QRect CTileImage::PictureRect(const TileRecord& record) const {
    const QRect& content = ContentRect();
    QSize size = picture_.size();
    const int screen = View().ScreenDpi();
    const int reference = View().ReferenceDpi();
    if (screen != reference && reference > 0) {
        size = QSize(static_cast<int>(std::int64_t{size.width()} * screen / reference),
                     static_cast<int>(std::int64_t{size.height()} * screen / reference));
    }
    const ImageTileData* tileData = record.DataAs<ImageTileData>();
    if (tileData != nullptr && tileData->fitToTile != 0)
        size = size.boundedTo(content.size());
    const int x = content.left() + std::max(0, (content.width() - size.width()) / 2);
    const int y = content.top() + std::max(0, (content.height() - size.height()) / 2);
    return QRect(QPoint(x, y), size);
}

void CTileImage::PaintContent(QPainter& painter, const TileRecord& record) {
    if (picture_.isNull())
        return;
    painter.save();
    painter.setClipRect(ContentRect());
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(PictureRect(record), picture_);
    painter.restore();
}

}  // namespace zol
