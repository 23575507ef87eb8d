// CTileWindow: the base of every tile on a display. It owns what all tiles
// share: the tile's rectangles, the background with square or rounded
// corners, the label in the lower right corner, tap and hold with their
// actions, the refresh timer and the formatting of texts through the
// server. Concrete classes add their content and their own UpdateTile.
//
// A tile refers to its record by display id and position and looks it up
// when it needs it: the record counts as its own only while the record's
// `window` points back at it. Tiles are closed with deleteLater, and every
// handler that may block (a message box, a request) checks a QPointer to the
// tile before it goes on.
//
// Thread-safety: the user-interface thread only.
#pragma once

#include <QFont>
#include <QRect>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "client/model/clock.h"

class QPainter;

namespace zol {

class CZOLClientView;
struct DisplayRecord;
struct TileRecord;

inline constexpr int kHoldTimerId = 1001;
inline constexpr int kTileInset = 4;           // gap to the neighbours, at 96 dpi
inline constexpr int kContentInset = 8;        // content inside the tile
inline constexpr int kLabelBandHeight = 38;    // the label's band at the bottom
inline constexpr int kRoundedSideInset = 6;    // extra content inset beside rounded corners
inline constexpr int kLabelRightOffset = 8;    // label from the tile's right edge
inline constexpr int kLabelBottomOffset = 10;  // label from the tile's bottom edge

class CTileWindow : public QWidget {
    Q_OBJECT
  public:
    CTileWindow(CZOLClientView& view, std::int32_t displayId, std::size_t tileIndex,
                const char* windowName);
    ~CTileWindow() override;

    // Every class has its own: with `layoutOnly` only the layout is
    // recomputed; otherwise the label is formatted again, the layout
    // recomputed, the content updated and the refresh timer (re)started.
    virtual void UpdateTile(bool layoutOnly, bool force);
    // The view moved and sized the window.
    virtual void OnViewResized();
    // A design object changed; tiles that show it update.
    virtual void ObjectChanged(std::int32_t objectId);

    // Unlinks the record, hides the window and deletes it later.
    void Close();

    void LayoutTile();
    // The display form of `text`: unchanged without "%", else the server's.
    // A failure is shown and gives the raw text; a quiet call (refresh
    // ticks) shows nothing and gives nullopt, so the caller keeps what it has.
    std::optional<std::string> FormatTileText(std::string_view text, bool quiet = false);
    void StartRefreshTimer();
    void RunTileProgram(std::int32_t programId, std::string_view reason, bool reportErrors);
    // Runs the record's refresh program quietly; false when the tile went
    // meanwhile.
    bool RunRefreshProgram(const TileRecord& record);
    // The refresh of a tile that only shows what it has: mode 0 repaints,
    // any other runs the refresh program. False when the tile went.
    bool RepaintOrRunRefreshProgram();
    void TraceText(std::string_view text);

    // The record while it is this window's, else null.
    TileRecord* Record() const;
    DisplayRecord* Display() const;
    std::int32_t DisplayId() const { return displayId_; }
    std::size_t TileIndex() const { return tileIndex_; }
    int ChildId() const { return childId_; }
    void SetChildId(int id) { childId_ = id; }
    const QRect& TileRect() const { return tileRect_; }
    const QRect& ContentRect() const { return contentRect_; }
    const std::string& Label() const { return label_; }
    CZOLClientView& View() const { return view_; }
    // Where the label was last drawn, with its size.
    const QRect& LabelRect() const { return labelRect_; }
    bool RoundedCorners() const;
    // A pixel constant for 96 dpi at the screen's DPI.
    int Scaled(int pixels) const;

    // The gesture, as the mouse handlers drive it (also for tests).
    void OnButtonDown();
    void OnButtonUp();
    void OnHoldTimer();
    // A refresh tick: silent, never stacked, nothing without a connection.
    void OnRefreshTimer();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

    // The content between background and label; nothing by default.
    virtual void PaintContent(QPainter& painter, const TileRecord& record);
    // True for a tile whose content covers the middle of the tile (the
    // browser of an HTML tile): the background then fills the frame only.
    virtual bool ContentCoversBackground() const { return false; }
    // What a refresh tick does; by default the label is formatted again and
    // the refresh program runs. Returns false when the tile went meanwhile.
    virtual bool RefreshContent();

    // The base part of UpdateTile. False when the tile went while the label
    // was formatted (the caller must return at once).
    bool UpdateBase(bool layoutOnly);
    Clock& Timers() { return *timers_; }

  private:
    void PaintBackground(QPainter& painter, const TileRecord& record);
    void PaintLabel(QPainter& painter, const TileRecord& record);
    void RunAction(std::int32_t action, std::int32_t displayId, std::int32_t programId,
                   std::string_view reason);
    void PostUserActivity();
    void PostShowDisplay(std::int32_t displayId);
    bool HasAction() const;

    CZOLClientView& view_;
    std::int32_t displayId_;
    std::size_t tileIndex_;
    int childId_ = 0;
    std::unique_ptr<Clock> timers_;
    int refreshTimerId_ = 0;
    bool holdFired_ = false;
    bool pressed_ = false;  // this tile saw the press of the current gesture
    bool refreshing_ = false;
    bool closed_ = false;
    std::string label_;
    QRect tileRect_;
    QRect contentRect_;
    std::optional<QFont> labelFont_;
    QRect labelRect_;
};

}  // namespace zol
