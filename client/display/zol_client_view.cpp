#include "client/display/zol_client_view.h"

#include <QPainter>

#include <algorithm>

#include "client/core/app_messages.h"
#include "client/core/client_settings.h"
#include "client/core/qt_clock.h"
#include "client/display/tile_factory.h"
#include "client/display/tile_geometry.h"
#include "client/display/tile_window.h"
#include "client/model/design.h"
#include "client/model/device_commands.h"
#include "guibase/color_ref.h"
#include "guibase/dpi_scale.h"
#include "guibase/font_conversion.h"
#include "guibase/windows1252_text.h"

namespace zol {
namespace {

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

CZOLClientView::CZOLClientView(DisplayServices services, QWidget* parent)
    : QWidget(parent),
      services_(std::move(services)),
      timers_(MakeWindowClock(services_.makeClock)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CZOLClientView::~CZOLClientView() {
    // Tiles go before the view stops being one: they unlink their records
    // through it.
    for (CTileWindow* tile : TileWindows()) {
        tile->Close();
        delete tile;
    }
}

Design* CZOLClientView::CurrentDesign() const {
    return services_.design ? services_.design() : nullptr;
}

DisplayRecord* CZOLClientView::CurrentDisplay() const {
    Design* design = CurrentDesign();
    if (!hasCurrentDisplay_ || design == nullptr)
        return nullptr;
    return design->FindDisplay(currentDisplayId_);
}

std::vector<CTileWindow*> CZOLClientView::TileWindows() const {
    std::vector<CTileWindow*> shown;
    for (const QPointer<CTileWindow>& tile : tiles_) {
        if (tile)
            shown.push_back(tile.data());
    }
    return shown;
}

void CZOLClientView::Navigate(std::function<void()> step) {
    if (navigationDepth_ > 0) {
        queued_.push_back(std::move(step));
        return;
    }
    ++navigationDepth_;
    step();
    while (!queued_.empty()) {
        std::function<void()> next = std::move(queued_.front());
        queued_.erase(queued_.begin());
        next();
    }
    --navigationDepth_;
}

void CZOLClientView::ClearCurrentDisplay() {
    Navigate([this] { DoClearCurrentDisplay(); });
}

void CZOLClientView::DoClearCurrentDisplay() {
    timers_->Stop(kHomeReturnTimerId);
    CloseTileWindows();
    hasCurrentDisplay_ = false;
    currentDisplayId_ = 0;
    update();
}

void CZOLClientView::ShowDisplay(std::int32_t displayId) {
    Navigate([this, displayId] { DoShowDisplay(displayId); });
}

void CZOLClientView::LeaveDisplay() {
    Navigate([this] { DoLeaveDisplay(); });
}

void CZOLClientView::RefreshDisplayTiles() {
    Navigate([this] { UpdateTiles([](const TileRecord&) { return true; }); });
}

void CZOLClientView::UpdateTilesNamed(std::string_view tileName) {
    Navigate([this, name = std::string(tileName)] {
        UpdateTiles(
            [&name](const TileRecord& tile) { return EqualIgnoringCase(tile.tileName, name); });
    });
}

void CZOLClientView::ObjectChanged(std::int32_t objectId) {
    for (CTileWindow* tile : TileWindows())
        tile->ObjectChanged(objectId);
}

void CZOLClientView::SetReferenceDpi(int referenceDpi) {
    referenceDpi_ = referenceDpi > 0 ? referenceDpi : kReferenceDpi;
    if (CurrentDisplay() != nullptr)
        PlaceTiles();
}

void CZOLClientView::SetNotice(const QString& notice) {
    notice_ = notice;
    update();
}

void CZOLClientView::DoShowDisplay(std::int32_t displayId) {
    Design* design = CurrentDesign();
    DisplayRecord* display = design != nullptr ? design->FindDisplay(displayId) : nullptr;
    if (display == nullptr)
        return;
    CloseTileWindows();
    hasCurrentDisplay_ = true;
    currentDisplayId_ = displayId;
    RunEnterExitProgram(*display, "enter");
    // The program start may have let a reload empty the design.
    display = CurrentDisplay();
    if (display == nullptr)
        return;
    if (layoutTheme_ == nullptr) {
        layoutTheme_ = display->layoutTheme;
        if (layoutTheme_ == nullptr && services_.iconSets)
            layoutTheme_ = services_.iconSets(kDefaultLayoutTheme);
    }
    CreateTileWindows(displayId);
    StartHomeReturn();
    update();
}

void CZOLClientView::DoLeaveDisplay() {
    timers_->Stop(kHomeReturnTimerId);
    const DisplayRecord* display = CurrentDisplay();
    if (display == nullptr)
        return;
    RunEnterExitProgram(*display, "exit");
    CloseTileWindows();
}

void CZOLClientView::RunEnterExitProgram(const DisplayRecord& display, std::string_view reason) {
    Design* design = CurrentDesign();
    if (display.enterExitProgramId == 0 || design == nullptr || services_.channel == nullptr ||
        services_.reporter == nullptr) {
        return;
    }
    const DesignObject* program = design->FindObject(display.enterExitProgramId);
    if (program == nullptr)
        return;
    // The display's own record may go while the request waits: copy its name.
    const std::string name = display.name;
    DeviceCommands(*services_.channel, *services_.reporter)
        .StartProgramEx(*program, name, reason, "", "", false);
}

void CZOLClientView::CloseTileWindows() {
    for (CTileWindow* tile : TileWindows())
        tile->Close();
    tiles_.clear();
    // Records of any display that still name a window (a window closed
    // elsewhere) lose the link too.
    if (Design* design = CurrentDesign()) {
        for (auto& display : design->displays) {
            for (TileRecord& tile : display->tiles) {
                tile.window = nullptr;
                tile.windowHandle = 0;
            }
        }
    }
}

void CZOLClientView::CreateTileWindows(std::int32_t displayId) {
    if (layoutTheme_ == nullptr)
        return;  // paintEvent says why nothing is shown
    const QRect bounds = GetArrangementBounds();
    int childId = kFirstTileChildId;
    std::size_t index = 0;
    QPointer<CZOLClientView> self(this);
    while (true) {
        // Looked up again on every turn: an UpdateTile may have waited for
        // the server while pushes changed the design.
        DisplayRecord* display = CurrentDisplay();
        if (display == nullptr || display->displayId != displayId || index >= display->tiles.size())
            break;
        auto it = std::next(display->tiles.begin(), static_cast<std::ptrdiff_t>(index));
        TileRecord& record = *it;
        CTileWindow* tile = CreateTileWindow(*this, *display, index, record);
        if (tile != nullptr) {
            tile->SetChildId(childId++);
            record.window = tile;
            record.windowHandle = reinterpret_cast<std::uintptr_t>(tile);
            tiles_.emplace_back(tile);
            PlaceTile(*tile, record, bounds);
            tile->show();
            tile->UpdateTile(false, true);
            if (!self)
                return;
        }
        ++index;
    }
}

void CZOLClientView::PlaceTile(CTileWindow& tile, const TileRecord& record, const QRect& bounds) {
    const QRect r = GetTileRect(record);
    tile.setGeometry(QRect(CentredPosition(r, bounds, size()), r.size()));
}

QRect CZOLClientView::GetTileRect(const TileRecord& tile) const {
    LayoutGrid grid;
    if (layoutTheme_ != nullptr) {
        grid.cellWidth = layoutTheme_->cxCell;
        grid.cellHeight = layoutTheme_->cyCell;
    }
    grid.screenDpi = services_.screenDpi;
    grid.referenceDpi = referenceDpi_;
    return TileRectangle(tile, grid, ClientSize());
}

QRect CZOLClientView::GetArrangementBounds() const {
    std::vector<QRect> rects;
    if (const DisplayRecord* display = CurrentDisplay()) {
        for (const TileRecord& tile : display->tiles)
            rects.push_back(GetTileRect(tile));
    }
    return ArrangementBounds(rects, ClientSize());
}

void CZOLClientView::PlaceTiles() {
    if (CurrentDisplay() == nullptr)
        return;
    const QRect bounds = GetArrangementBounds();
    for (CTileWindow* tile : TileWindows()) {
        if (const TileRecord* record = tile->Record())
            PlaceTile(*tile, *record, bounds);
    }
}

void CZOLClientView::resizeEvent(QResizeEvent*) {
    if (CurrentDisplay() == nullptr)
        return;
    PlaceTiles();
    QPointer<CZOLClientView> self(this);
    for (const QPointer<CTileWindow>& tile : std::vector<QPointer<CTileWindow>>(tiles_)) {
        if (tile)
            tile->OnViewResized();
        if (!self)
            return;
    }
    if (services_.afterResize)
        services_.afterResize();
}

void CZOLClientView::UpdateTiles(const std::function<bool(const TileRecord&)>& which) {
    QPointer<CZOLClientView> self(this);
    for (const QPointer<CTileWindow>& tile : std::vector<QPointer<CTileWindow>>(tiles_)) {
        if (!tile)
            continue;
        const TileRecord* record = tile->Record();
        if (record != nullptr && which(*record))
            tile->UpdateTile(false, true);
        if (!self)
            return;
    }
}

void CZOLClientView::StartHomeReturn() {
    const ClientSettings* s = services_.settings;
    if (s == nullptr || s->enableHomeReturnTime == 0)
        return;
    const std::int64_t ms = std::clamp<std::int64_t>(std::int64_t{s->tuiHomeReturnTime} * 1000, 0,
                                                     std::int64_t{24} * 3600 * 1000);
    timers_->StartOneShot(kHomeReturnTimerId, std::chrono::milliseconds(ms),
                          [this] { OnHomeReturnTimer(); });
}

void CZOLClientView::OnHomeReturnTimer() {
    timers_->Stop(kHomeReturnTimerId);
    const DisplayRecord* display = CurrentDisplay();
    if (display == nullptr || display->noHomeReturn != 0)
        return;
    const int history = services_.historyCount ? services_.historyCount() : 0;
    if (history == 0)
        return;
    PostAppMessage(services_.mainFrame ? services_.mainFrame() : nullptr, AppMessage::UiCommand,
                   static_cast<std::intptr_t>(UiCommandCode::Home), 0);
}

void CZOLClientView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const ClientSettings* s = services_.settings;
    const std::uint32_t back = s != nullptr ? static_cast<std::uint32_t>(s->backgroundColor) : 0;
    const std::uint32_t text = s != nullptr ? static_cast<std::uint32_t>(s->textColor) : 0xFFFFFF;
    painter.fillRect(rect(), FromColorRef(back));
    QString shown;
    if (!hasCurrentDisplay_) {
        shown = notice_;
    } else if (layoutTheme_ == nullptr) {
        shown =
            QStringLiteral(
                "This display cannot be shown: no icon set lays it out.\n\nThe theme \"%1\" is "
                "missing from the theme folder. Copy the themes from the installation or run an "
                "icon sync.")
                .arg(FromWindows1252(kDefaultLayoutTheme));
    }
    if (shown.isEmpty())
        return;
    const int dpi = services_.screenDpi;
    QFont font(QStringLiteral("Open Sans Light"));
    font.setPixelSize(PointsToPixels(20, dpi));
    painter.setFont(font);
    painter.setPen(FromColorRef(text));
    const int margin = ScalePixels(40, dpi);
    painter.drawText(rect().adjusted(margin, margin, -margin, -margin),
                     Qt::AlignCenter | Qt::TextWordWrap, shown);
}

bool CZOLClientView::event(QEvent* event) {
    if (AppMessageEvent* message = AppMessageEvent::From(event)) {
        if (message->Message() == AppMessage::UserActivity) {
            StartHomeReturn();
            return true;
        }
    }
    return QWidget::event(event);
}

}  // namespace zol
