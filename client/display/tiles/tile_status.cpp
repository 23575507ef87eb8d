#include "client/display/tiles/tile_status.h"

#include <QPainter>
#include <QPointer>

#include "client/core/app_messages.h"
#include "client/core/client_settings.h"
#include "client/core/extended_status_receivers.h"
#include "client/core/extended_status_record.h"
#include "client/display/tiles/tile_fonts.h"
#include "client/display/tiles/ui_picture.h"
#include "client/display/zol_client_view.h"
#include "client/model/reported_exchange.h"
#include "client/model/server_error.h"
#include "client/model/silent_reporter.h"
#include "client/model/tile_record.h"
#include "client/model/user_reporter.h"
#include "guibase/color_ref.h"
#include "serverlink/field_list.h"

namespace zol {

namespace {

constexpr std::array<const char*, 7> kWeekdays{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                               "Thursday", "Friday", "Saturday"};
constexpr std::string_view kSubscribeOptions = "270397";    // the client options with pushes
constexpr std::string_view kUnsubscribeOptions = "262205";  // without them
constexpr int kRowGap = 4;
constexpr int kValueGap = 8;

// Shows the failure of `request` with the texts this tile uses.
void ReportFailure(UserReporter& reporter, const ReportedExchange& exchange,
                   std::string_view request) {
    const std::string name(request);
    switch (exchange.failure) {
        case ExchangeFailure::NotSent:
            reporter.ShowMessage(ServerTimeoutText(name + " timeout", exchange.code));
            return;
        case ExchangeFailure::Refused:
            ReportServerError(reporter, exchange.code, name + " failed.");
            return;
        case ExchangeFailure::NotDecoded:
            reporter.ShowMessage(ServerDecodeErrorText(name + " decode failed", exchange.code));
            return;
        case ExchangeFailure::None:
            return;
    }
}

}  // namespace

CTileStatus::CTileStatus(CZOLClientView& view, std::int32_t displayId, std::size_t tileIndex)
    : CTileWindow(view, displayId, tileIndex, "Status"), time_(LoadUiPicture("Time.png")) {
    for (std::size_t i = 0; i < kWeekdays.size(); ++i)
        weekdays_[i] = LoadUiPicture(std::string(kWeekdays[i]) + ".png");
}

CTileStatus::~CTileStatus() {
    if (receivers_ == nullptr || !receivers_->Unregister(this) || channel_ == nullptr ||
        reporter_ == nullptr)
        return;
    // The last status tile: the server may stop pushing. Quietly: the tile
    // is going, and a lost connection has nothing to cancel.
    SilentReporter silent(*reporter_);
    RunReportedRequest(*channel_, silent,
                       FieldList({"ZOLApp", "SetClientOptions", kUnsubscribeOptions, clientName_}),
                       "ZOLApp.SetClientOptions", false);
}

void CTileStatus::UpdateTile(bool layoutOnly, bool) {
    StartRefreshTimer();
    if (!UpdateBase(layoutOnly))
        return;
    if (layoutOnly && !subscribePending_)
        return;
    ReadStatus();
}

void CTileStatus::OnViewResized() {
    UpdateTile(true, false);
}

bool CTileStatus::ReadStatus() {
    const DisplayServices& services = View().Services();
    if (services.channel == nullptr || services.reporter == nullptr)
        return true;
    QPointer<CTileStatus> self(this);
    const ReportedExchange exchange = RunReportedRequest(
        *services.channel, *services.reporter, FieldList({"ZOLApp", "GetExtServerStatus"}),
        "ZOLApp.GetExtServerStatus", false);
    if (!self)
        return false;
    if (exchange.code != 0) {
        ReportFailure(*services.reporter, exchange, "ZOLApp.GetExtServerStatus");
        return !self.isNull();
    }
    ApplyStatus(*MakeExtendedStatusRecord(exchange.fields));
    return !subscribePending_ || Subscribe();
}

bool CTileStatus::Subscribe() {
    subscribePending_ = false;
    const DisplayServices& services = View().Services();
    clientName_ = services.settings != nullptr ? services.settings->clientName : std::string();
    channel_ = services.channel;
    reporter_ = services.reporter;
    QPointer<CTileStatus> self(this);
    const ReportedExchange exchange = RunReportedRequest(
        *services.channel, *services.reporter,
        FieldList({"ZOLApp", "SetClientOptions", kSubscribeOptions, clientName_}),
        "ZOLApp.SetClientOptions", false);
    if (!self)
        return false;
    if (exchange.failure == ExchangeFailure::NotSent ||
        exchange.failure == ExchangeFailure::Refused)
        ReportFailure(*services.reporter, exchange, "ZOLApp.SetClientOptions");
    if (!self)
        return false;
    receivers_ = services.statusReceivers;
    if (receivers_ != nullptr)
        receivers_->Register(this);
    return true;
}

void CTileStatus::ApplyStatus(const ExtendedStatusRecord& record) {
    content_ = MakeStatusContent(record);
    update();
}

bool CTileStatus::event(QEvent* event) {
    if (AppMessageEvent* message = AppMessageEvent::From(event);
        message != nullptr && message->Message() == AppMessage::ExtendedStatus) {
        // The event owns the record and frees it.
        if (const auto* record = message->PayloadAs<ExtendedStatusRecord>())
            ApplyStatus(*record);
        return true;
    }
    return CTileWindow::event(event);
}

bool CTileStatus::RefreshContent() {
    return RepaintOrRunRefreshProgram();
}

void CTileStatus::PaintContent(QPainter& painter, const TileRecord& record) {
    const QRect& content = ContentRect();
    const QFont font = TileFontInPoints("Open Sans Regular", 12, View().ScreenDpi(), 400);
    const QFontMetrics metrics(font);
    painter.save();
    painter.setClipRect(content);
    // Pictures and their offsets grow with the screen's DPI like the text.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.setFont(font);
    const QColor textColor = FromColorRef(static_cast<std::uint32_t>(record.labelColor));
    if (!time_.isNull())
        painter.drawImage(QRect(content.left() + Scaled(5), content.top() + Scaled(20),
                                Scaled(time_.width()), Scaled(time_.height())),
                          time_);

    const int x = content.left() + Scaled(45);
    int y = content.top() - 2;
    painter.setPen(textColor);
    for (const QString* text :
         {&content_.serverTimeText, &content_.serverDateText, &content_.upTimeText}) {
        if (y + metrics.height() > content.bottom())
            break;
        painter.drawText(QRect(x, y, content.right() - x, metrics.height()),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, *text);
        y += metrics.height();
    }
    painter.setPen(QPen(Qt::white, 1));
    painter.drawLine(content.left(), y, content.right(), y);
    painter.drawLine(content.left(), content.bottom(), content.right(), content.bottom());
    y += 5;
    painter.setPen(textColor);
    painter.drawText(QRect(content.left() + 5, y, content.width() - 5, metrics.height()),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, content_.statusTitle);
    y += metrics.height() + kRowGap;

    int widestName = 0;
    for (const StatusRow& row : content_.rows) {
        if (!row.section)
            widestName = std::max(widestName, metrics.horizontalAdvance(row.name));
    }
    const int nameX = content.left() + 5;
    const int valueX = nameX + widestName + kValueGap;
    for (const StatusRow& row : content_.rows) {
        if (row.section) {
            const auto day =
                std::find_if(kWeekdays.begin(), kWeekdays.end(), [&row](const char* d) {
                    return row.name.compare(QLatin1String(d), Qt::CaseInsensitive) == 0;
                });
            if (day == kWeekdays.end())
                continue;
            const QImage& picture = weekdays_[static_cast<std::size_t>(day - kWeekdays.begin())];
            const QSize size(Scaled(picture.width()), Scaled(picture.height()));
            if (picture.isNull() || y + size.height() > content.bottom())
                continue;
            painter.drawImage(QRect(QPoint(nameX, y), size), picture);
            y += size.height() + kRowGap;
            continue;
        }
        if (y + metrics.height() > content.bottom())
            continue;
        painter.drawText(QRect(nameX, y, content.right() - nameX, metrics.height()),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, row.name);
        if (!row.value.isEmpty()) {
            painter.drawText(
                QRect(valueX, y, std::max(0, content.right() - valueX), metrics.height()),
                Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, row.value);
        }
        y += metrics.height() + kRowGap;
    }
    painter.restore();
}

}  // namespace zol
