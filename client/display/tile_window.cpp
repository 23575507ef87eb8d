#include "client/display/tile_window.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>

#include <algorithm>

#include "client/core/app_messages.h"
#include "client/core/client_settings.h"
#include "client/core/qt_clock.h"
#include "client/display/zol_client_view.h"
#include "client/model/design.h"
#include "client/model/device_commands.h"
#include "client/model/tile_requests.h"
#include "guibase/color_ref.h"
#include "guibase/dpi_scale.h"
#include "guibase/font_conversion.h"
#include "guibase/windows1252_text.h"

namespace zol {
namespace {

constexpr int kRefreshTimerBase = 12;  // a refresh timer's id is the tile type plus this
// Refresh periods stop at a day: a wild interval must not wrap the timer.
constexpr std::int64_t kMaxRefreshMs = std::int64_t{24} * 3600 * 1000;

}  // namespace

CTileWindow::CTileWindow(CZOLClientView& view, std::int32_t displayId, std::size_t tileIndex,
                         const char* windowName)
    : QWidget(&view),
      view_(view),
      displayId_(displayId),
      tileIndex_(tileIndex),
      timers_(MakeWindowClock(view.Services().makeClock)) {
    setObjectName(QString::fromLatin1(windowName));
    setWindowTitle(QString::fromLatin1(windowName));
    setMouseTracking(true);
}

CTileWindow::~CTileWindow() {
    // The record may already belong to a newer window (or a new design):
    // only a link to this window is cleared. A closed tile has cleared it,
    // and its view may be going already.
    if (closed_)
        return;
    if (TileRecord* record = Record()) {
        record->window = nullptr;
        record->windowHandle = 0;
    }
}

TileRecord* CTileWindow::Record() const {
    DisplayRecord* display = Display();
    if (display == nullptr || tileIndex_ >= display->tiles.size())
        return nullptr;
    TileRecord& record =
        *std::next(display->tiles.begin(), static_cast<std::ptrdiff_t>(tileIndex_));
    return record.window == this ? &record : nullptr;
}

DisplayRecord* CTileWindow::Display() const {
    Design* design = view_.CurrentDesign();
    return design != nullptr ? design->FindDisplay(displayId_) : nullptr;
}

void CTileWindow::Close() {
    if (closed_)
        return;
    if (TileRecord* record = Record()) {
        record->window = nullptr;
        record->windowHandle = 0;
    }
    timers_->Stop(kHoldTimerId);
    if (refreshTimerId_ != 0)
        timers_->Stop(refreshTimerId_);
    closed_ = true;
    hide();
    deleteLater();
}

int CTileWindow::Scaled(int pixels) const {
    return ScalePixels(pixels, view_.ScreenDpi());
}

bool CTileWindow::RoundedCorners() const {
    const TileRecord* record = Record();
    const ClientSettings* s = view_.Services().settings;
    if (record == nullptr)
        return false;
    if (record->cornerMode == 2)
        return true;
    return record->cornerMode != 1 && s != nullptr && s->tileRounderCorners != 0;
}

void CTileWindow::UpdateTile(bool layoutOnly, bool) {
    UpdateBase(layoutOnly);
}

bool CTileWindow::UpdateBase(bool layoutOnly) {
    if (!layoutOnly) {
        TileRecord* record = Record();
        if (record == nullptr)
            return true;
        record->windowHandle = reinterpret_cast<std::uintptr_t>(this);
        const std::string raw = record->label;
        QPointer<CTileWindow> self(this);
        std::optional<std::string> shown = FormatTileText(raw);
        if (!self)
            return false;
        label_ = shown.value_or(raw);
    }
    LayoutTile();
    if (!layoutOnly)
        update();
    return true;
}

void CTileWindow::OnViewResized() {
    LayoutTile();
    const TileRecord* record = Record();
    if (record != nullptr && record->refreshInterval > 0)
        StartRefreshTimer();
}

void CTileWindow::ObjectChanged(std::int32_t) {}

void CTileWindow::LayoutTile() {
    const TileRecord* record = Record();
    const DisplayRecord* display = Display();
    if (record == nullptr || display == nullptr)
        return;
    QRect r = rect();
    if (display->singleTile == 0) {
        const int inset = Scaled(kTileInset);
        r.adjust(inset, inset, -inset, -inset);
    }
    if (r == tileRect_)
        return;
    tileRect_ = r;
    contentRect_ = r;
    if (!(record->tileStyle == 3 && record->label.empty())) {
        const int inset = Scaled(kContentInset);
        contentRect_.adjust(inset, inset, -inset, 0);
        if (!record->label.empty()) {
            contentRect_.setBottom(contentRect_.bottom() - Scaled(kLabelBandHeight));
        } else if (RoundedCorners()) {
            const int side = Scaled(kRoundedSideInset);
            contentRect_.adjust(side, 0, -side, 0);
        }
    }
    update();
}

std::optional<std::string> CTileWindow::FormatTileText(std::string_view text, bool quiet) {
    if (text.find('%') == std::string_view::npos)
        return std::string(text);
    const DisplayServices& services = view_.Services();
    if (services.channel == nullptr || services.reporter == nullptr)
        return quiet ? std::nullopt : std::optional<std::string>(std::string(text));
    std::string formatted;
    const int code =
        RequestFormattedText(*services.channel, *services.reporter, text, !quiet, formatted);
    if (code != 0)
        return quiet ? std::nullopt : std::optional<std::string>(std::string(text));
    return formatted;
}

void CTileWindow::StartRefreshTimer() {
    const TileRecord* record = Record();
    if (record == nullptr || record->refreshInterval <= 0)
        return;
    if (refreshTimerId_ != 0)
        timers_->Stop(refreshTimerId_);
    const std::int64_t unit = record->refreshInSeconds != 0 ? 1000 : 60000;
    const std::int64_t ms =
        std::clamp<std::int64_t>(std::int64_t{record->refreshInterval} * unit, 1, kMaxRefreshMs);
    refreshTimerId_ = record->tileType + kRefreshTimerBase;
    timers_->StartPeriodic(refreshTimerId_, std::chrono::milliseconds(ms),
                           [this] { OnRefreshTimer(); });
}

void CTileWindow::OnRefreshTimer() {
    const DisplayServices& services = view_.Services();
    // A tick that comes while the last one still waits for the server, or
    // with no server to ask, does nothing.
    if (refreshing_ || (services.refreshAllowed && !services.refreshAllowed()))
        return;
    refreshing_ = true;
    QPointer<CTileWindow> self(this);
    const bool alive = RefreshContent();
    if (alive && self)
        refreshing_ = false;
}

bool CTileWindow::RefreshContent() {
    const TileRecord* record = Record();
    if (record == nullptr)
        return true;
    const std::string raw = record->label;
    const std::int32_t programId = record->refreshProgramId;
    QPointer<CTileWindow> self(this);
    std::optional<std::string> shown = FormatTileText(raw, true);
    if (!self)
        return false;
    if (shown && *shown != label_) {
        label_ = *shown;
        update();
    }
    if (programId != 0) {
        RunTileProgram(programId, "refresh", false);
        if (!self)
            return false;
    }
    return true;
}

bool CTileWindow::RunRefreshProgram(const TileRecord& record) {
    QPointer<CTileWindow> self(this);
    RunTileProgram(record.refreshProgramId, "refresh", false);
    return !self.isNull();
}

bool CTileWindow::RepaintOrRunRefreshProgram() {
    const TileRecord* record = Record();
    if (record == nullptr)
        return true;
    if (record->refreshMode == 0) {
        update();
        return true;
    }
    return RunRefreshProgram(*record);
}

void CTileWindow::RunTileProgram(std::int32_t programId, std::string_view reason,
                                 bool reportErrors) {
    const TileRecord* record = Record();
    Design* design = view_.CurrentDesign();
    const DisplayServices& services = view_.Services();
    if (record == nullptr || design == nullptr || services.channel == nullptr ||
        services.reporter == nullptr) {
        return;
    }
    const DesignObject* program = design->FindObject(programId);
    if (program == nullptr)
        return;
    // Copies: the record may go while the request waits.
    const std::string tileName = record->tileName;
    const std::string label = record->label;
    DeviceCommands(*services.channel, *services.reporter)
        .StartProgramEx(*program, tileName, label, reason, "", reportErrors);
}

void CTileWindow::TraceText(std::string_view text) {
    PostAppMessage(view_.TraceWindow(), AppMessage::TraceText, 0, 0,
                   std::make_unique<TextPayload>(std::string(text)));
}

bool CTileWindow::HasAction() const {
    const TileRecord* record = Record();
    return record != nullptr && (record->tapAction != 0 || record->holdAction != 0);
}

void CTileWindow::PostUserActivity() {
    PostAppMessage(&view_, AppMessage::UserActivity);
}

void CTileWindow::PostShowDisplay(std::int32_t displayId) {
    const DisplayServices& services = view_.Services();
    PostAppMessage(services.mainFrame ? services.mainFrame() : nullptr, AppMessage::ShowDisplay, 0,
                   displayId);
}

void CTileWindow::OnButtonDown() {
    TraceText("Left button DOWN");
    pressed_ = true;
    holdFired_ = false;
    const ClientSettings* s = view_.Services().settings;
    const int shortTap = s != nullptr ? std::max(0, s->tuiShortTapTime) : 500;
    timers_->StartOneShot(kHoldTimerId, std::chrono::milliseconds(shortTap),
                          [this] { OnHoldTimer(); });
}

void CTileWindow::OnHoldTimer() {
    timers_->Stop(kHoldTimerId);
    if (!pressed_)
        return;
    holdFired_ = true;
    const TileRecord* record = Record();
    if (record == nullptr)
        return;
    RunAction(record->holdAction, record->holdDisplayId, record->holdProgramId, "long");
}

void CTileWindow::OnButtonUp() {
    TraceText("Left button UP");
    timers_->Stop(kHoldTimerId);
    // A release whose press this tile never saw (it landed here after a
    // hold navigated away) does nothing.
    const bool mine = pressed_;
    pressed_ = false;
    if (holdFired_) {
        holdFired_ = false;
        return;
    }
    const TileRecord* record = Record();
    if (!mine || record == nullptr)
        return;
    RunAction(record->tapAction, record->tapDisplayId, record->tapProgramId, "short");
}

void CTileWindow::RunAction(std::int32_t action, std::int32_t displayId, std::int32_t programId,
                            std::string_view reason) {
    switch (action) {
        case 1:
            PostShowDisplay(displayId);
            return;
        case 2:
        case 3: {
            PostUserActivity();
            QPointer<CTileWindow> self(this);
            RunTileProgram(programId, reason, true);
            if (action == 3 && self)
                PostShowDisplay(displayId);
            return;
        }
        default:
            return;
    }
}

void CTileWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        OnButtonDown();
}

void CTileWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        OnButtonUp();
}

void CTileWindow::mouseMoveEvent(QMouseEvent*) {
    setCursor(HasAction() ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void CTileWindow::paintEvent(QPaintEvent*) {
    const TileRecord* record = Record();
    if (record == nullptr)
        return;
    QPainter painter(this);
    PaintBackground(painter, *record);
    PaintContent(painter, *record);
    PaintLabel(painter, *record);
}

void CTileWindow::PaintContent(QPainter&, const TileRecord&) {}

void CTileWindow::PaintBackground(QPainter& painter, const TileRecord& record) {
    const QColor back = FromColorRef(static_cast<std::uint32_t>(record.backColor));
    const bool frameOnly = record.tileType == TileHtml && ContentCoversBackground();
    const int band = Scaled(kLabelBandHeight);
    const QRectF r(tileRect_);
    if (!RoundedCorners()) {
        if (!frameOnly) {
            painter.fillRect(tileRect_, back);
        } else if (!record.label.empty()) {
            painter.fillRect(
                QRect(tileRect_.left(), tileRect_.bottom() + 1 - band, tileRect_.width(), band),
                back);
        }
        return;
    }
    const ClientSettings* s = view_.Services().settings;
    const qreal radius = s != nullptr ? std::clamp(s->tileRounderRadius, 0, 1000) : 20;
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath shape;
    shape.addRoundedRect(r, radius, radius);
    if (frameOnly) {
        // The browser covers the middle: fill only the frame around it and
        // the label band.
        const qreal half = static_cast<int>(radius) / 2;
        const qreal bottom = record.label.empty() ? half : band;
        QPainterPath inner;
        inner.addRect(r.adjusted(half, half, -half, -bottom));
        shape = shape.subtracted(inner);
    }
    painter.fillPath(shape, back);
    painter.setRenderHint(QPainter::Antialiasing, false);
}

void CTileWindow::PaintLabel(QPainter& painter, const TileRecord& record) {
    if (label_.empty())
        return;
    if (!labelFont_) {
        const ClientSettings* s = view_.Services().settings;
        const int points = s != nullptr ? s->tileLabelPointSize : 20;
        const std::string face = s != nullptr ? s->tileLabelFontFace : "Open Sans Light";
        labelFont_ =
            WindowsFont(FromWindows1252(face), PointsToFontHeight(points, view_.ScreenDpi()), 400);
    }
    const QString text = FromWindows1252(label_);
    painter.setFont(*labelFont_);
    painter.setPen(FromColorRef(static_cast<std::uint32_t>(record.labelColor)));
    const QFontMetrics metrics(*labelFont_);
    const int width = metrics.horizontalAdvance(text);
    const int height = metrics.height();
    const int right = tileRect_.x() + tileRect_.width();
    const int bottom = tileRect_.y() + tileRect_.height();
    labelRect_ = QRect(right - width - Scaled(kLabelRightOffset),
                       bottom - height - Scaled(kLabelBottomOffset), width, height);
    painter.drawText(labelRect_, Qt::AlignLeft | Qt::AlignTop, text);
}

}  // namespace zol
