// CTileText: a text from the design, its placeholders filled by the server,
// in the tile's font or auto-fitted (Arial, the largest size that fits).
#pragma once

#include <QFont>
#include <QStringList>

#include <string>

#include "client/display/tile_window.h"

namespace zol {

struct TextTileData;

// The text split at "\r\n" into at most 16 lines, each trimmed of blanks.
QStringList TextTileLines(const QString& text);

class CTileText : public CTileWindow {
    Q_OBJECT
  public:
    CTileText(CZOLClientView& view, std::int32_t displayId, std::size_t tileIndex);

    void UpdateTile(bool layoutOnly, bool force) override;
    void OnViewResized() override;

    const std::string& ShownText() const { return shownText_; }
    // The font the text is drawn with in the current content rectangle.
    QFont ContentFont(const TextTileData& data, const QStringList& lines) const;

  protected:
    void PaintContent(QPainter& painter, const TileRecord& record) override;
    bool RefreshContent() override;

  private:
    std::string rawText_;
    std::string shownText_;
};

}  // namespace zol
