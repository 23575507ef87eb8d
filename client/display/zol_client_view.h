// CZOLClientView: the main view under the status-bar row. It shows one
// display at a time: one tile window per tile record, placed on quarter
// cells of the layout theme's cell, scaled from the server's reference DPI
// to the screen's and centred; after a while without user activity it asks
// the main frame for the home display.
//
// Displays and objects are named by id and looked up in the design when
// needed, so a reload never leaves the view holding a freed record.
// Navigation asked for while one runs (a push arriving inside a message box
// a tile shows) is queued and carried out when the running one returns.
//
// Thread-safety: the user-interface thread only.
#pragma once

#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "client/display/display_services.h"

namespace zol {

class CTileWindow;
struct DisplayRecord;
struct TileRecord;
struct IconSet;

inline constexpr int kHomeReturnTimerId = 10;
inline constexpr int kFirstTileChildId = 9000;

class CZOLClientView : public QWidget {
    Q_OBJECT
  public:
    explicit CZOLClientView(DisplayServices services, QWidget* parent = nullptr);
    ~CZOLClientView() override;

    // Forgets the current display (closing, connection lost, reload). Tile
    // windows exist only for the current display, so they go with it.
    void ClearCurrentDisplay();
    bool HasCurrentDisplay() const { return hasCurrentDisplay_; }

    // What the main frame and the push dispatch ask of the view. Displays and
    // objects are named by id; an id the design lacks is ignored.
    void ShowDisplay(std::int32_t displayId);
    void LeaveDisplay();
    void RefreshDisplayTiles();
    void UpdateTilesNamed(std::string_view tileName);
    void ObjectChanged(std::int32_t objectId);
    // The display shown, 0 for none.
    std::int32_t CurrentDisplayId() const { return hasCurrentDisplay_ ? currentDisplayId_ : 0; }
    // The current display's record, or null (none, or gone with a reload).
    DisplayRecord* CurrentDisplay() const;
    // The server's reference DPI, learnt at connect; tiles scale from it.
    void SetReferenceDpi(int referenceDpi);
    int ReferenceDpi() const { return referenceDpi_; }
    int ScreenDpi() const { return services_.screenDpi; }

    // The text shown while no display is shown.
    void SetNotice(const QString& notice);
    const QString& Notice() const { return notice_; }

    // Layout: a tile's rectangle before centring, and the bounds of the
    // current display's tiles (limited to the client area).
    QRect GetTileRect(const TileRecord& tile) const;
    QRect GetArrangementBounds() const;
    // The icon set whose cell lays displays out: taken from the first
    // display shown (or the default theme) and kept.
    const IconSet* LayoutTheme() const { return layoutTheme_; }

    // The window that receives trace texts (the remote access viewer);
    // none by default.
    void SetTraceWindow(QObject* window) { traceWindow_ = window; }
    QObject* TraceWindow() const { return traceWindow_; }

    const DisplayServices& Services() const { return services_; }
    Design* CurrentDesign() const;
    // The tile windows now shown (those not yet closed), in creation order.
    std::vector<CTileWindow*> TileWindows() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

  private:
    // Runs `step` now, or after the navigation that runs already.
    void Navigate(std::function<void()> step);
    void DoShowDisplay(std::int32_t displayId);
    void DoLeaveDisplay();
    void DoClearCurrentDisplay();
    void UpdateTiles(const std::function<bool(const TileRecord&)>& which);
    void CloseTileWindows();
    void CreateTileWindows(std::int32_t displayId);
    void PlaceTiles();
    void PlaceTile(CTileWindow& tile, const TileRecord& record, const QRect& bounds);
    void RunEnterExitProgram(const DisplayRecord& display, std::string_view reason);
    void StartHomeReturn();
    void OnHomeReturnTimer();
    QSize ClientSize() const { return size(); }

    DisplayServices services_;
    std::unique_ptr<Clock> timers_;
    bool hasCurrentDisplay_ = false;
    std::int32_t currentDisplayId_ = 0;
    int referenceDpi_ = 96;
    const IconSet* layoutTheme_ = nullptr;
    QString notice_;
    QPointer<QObject> traceWindow_;
    std::vector<QPointer<CTileWindow>> tiles_;
    int navigationDepth_ = 0;
    std::vector<std::function<void()>> queued_;
};

}  // namespace zol
