#include "client/display/tiles/tile_html.h"

#include <QChildEvent>
#include <QMouseEvent>

#include "client/core/app_messages.h"
#include "client/core/client_settings.h"
#include "client/core/default_locations.h"
#include "client/display/tiles/html_navigation.h"
#include "client/display/tiles/html_view_loader.h"
#include "client/display/zol_client_view.h"
#include "client/model/design.h"
#include "client/model/html_page.h"
#include "client/model/silent_reporter.h"
#include "guibase/dpi_scale.h"
#include "guibase/windows1252_text.h"

namespace zol {

namespace {

constexpr int kBrowserChildId = 999;

}  // namespace

CTileHTML::CTileHTML(CZOLClientView& view, std::int32_t displayId, std::size_t tileIndex)
    : CTileWindow(view, displayId, tileIndex, "HTML") {}

QRect CTileHTML::BrowserRect() const {
    const QRect& tile = TileRect();
    if (!RoundedCorners()) {
        // The label keeps its band below the page.
        return Label().empty() ? tile : tile.adjusted(0, 0, 0, -Scaled(kLabelBandHeight));
    }
    const ClientSettings* s = View().Services().settings;
    const int r = s != nullptr ? std::clamp(s->tileRounderRadius, 0, 1000) : 20;
    const int half = r / 2;
    int bottomRaise = half - 1;
    if (!Label().empty()) {
        const int dpi = View().ScreenDpi();
        bottomRaise = dpi == 96 ? kLabelBandHeight - 1 : Scaled(kLabelBandHeight) - 1;
    }
    return QRect(QPoint(tile.left() + half, tile.top() + half),
                 QPoint(tile.right() - (half - 1), tile.bottom() - bottomRaise));
}

void CTileHTML::UpdateTile(bool layoutOnly, bool force) {
    if (!UpdateBase(layoutOnly))
        return;
    if (browser_ == nullptr) {
        if (layoutOnly)
            return;
        browser_ = CreateHtmlView(this);
        if (browser_ == nullptr)
            return;  // no browser on this system: the tile stays empty
        browser_->setObjectName(QStringLiteral("ZOLClientTest"));
        browser_->setProperty("childId", kBrowserChildId);
        browser_->installEventFilter(this);
        browser_->setGeometry(BrowserRect());
        // Pages grow with the screen's DPI like the rest of the display.
        browser_->setProperty("zoomFactor",
                              View().ScreenDpi() / static_cast<double>(kReferenceDpi));
        browser_->show();
        WatchFocusProxy();
        if (!Navigate(false))
            return;
    } else {
        browser_->setGeometry(BrowserRect());
        if (!layoutOnly && force && !Navigate(false))
            return;
    }
    if (!layoutOnly)
        StartRefreshTimer();
}

void CTileHTML::OnViewResized() {
    UpdateTile(true, false);
}

void CTileHTML::Open(const QUrl& url) {
    requested_ = url;
    if (browser_ == nullptr || !HtmlTileMayOpen(url))
        return;
    if (browser_->property("url").toUrl() == url)
        QMetaObject::invokeMethod(browser_, "reload");
    else
        browser_->setProperty("url", url);
}

bool CTileHTML::Navigate(bool quiet) {
    const TileRecord* record = Record();
    const HtmlTileData* tileData = record != nullptr ? record->DataAs<HtmlTileData>() : nullptr;
    Design* design = View().CurrentDesign();
    if (tileData == nullptr || design == nullptr)
        return true;
    if (tileData->useOwnUrl != 0) {
        // The tile's own address is final: the server is not asked.
        Open(QUrl(FromWindows1252(tileData->ownUrl)));
        return true;
    }
    const DisplayRecord* display = design->FindDisplay(tileData->htmlDisplayId);
    const DisplayServices& services = View().Services();
    if (display == nullptr || services.channel == nullptr || services.reporter == nullptr)
        return true;
    SilentReporter silent(*services.reporter);
    UserReporter& reporter = quiet ? silent : *services.reporter;
    QPointer<CTileHTML> self(this);
    if (display->displayKind == DisplayHtmlFolder) {
        const DisplayRecord copy = *display;  // the design may be reloaded meanwhile
        std::filesystem::path page;
        const std::filesystem::path workDir = services.settings != nullptr
                                                  ? EffectiveTempDir(*services.settings)
                                                  : std::filesystem::path();
        const int code = DownloadHtmlPage(*services.channel, reporter, copy, workDir, !quiet, page);
        if (!self)
            return false;
        if (code != 0)
            return true;  // the page shown stays
        if (!copy.htmlAddress.empty())
            Open(QUrl(FromWindows1252(copy.htmlAddress)));
        else
            Open(QUrl::fromLocalFile(QString::fromStdString(page.string())));
        return true;
    }
    const std::string name = display->name;
    std::string address;
    const int code = RequestHtmlAddress(*services.channel, reporter, name, !quiet, address);
    if (!self)
        return false;
    if (code == 0)
        Open(QUrl(FromWindows1252(address)));
    return true;
}

bool CTileHTML::RefreshContent() {
    const TileRecord* record = Record();
    if (record == nullptr)
        return true;
    if (record->refreshMode == 1)
        return RunRefreshProgram(*record);
    return Navigate(true);
}

void CTileHTML::WatchFocusProxy() {
    if (browser_ == nullptr)
        return;
    QWidget* proxy = browser_->focusProxy();
    if (proxy == nullptr || proxy == watchedProxy_)
        return;
    proxy->installEventFilter(this);
    watchedProxy_ = proxy;
}

bool CTileHTML::eventFilter(QObject* watched, QEvent* event) {
    if (watched == browser_) {
        // The widget that takes the page's input comes with the first page.
        if (event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildPolished)
            WatchFocusProxy();
        return false;
    }
    if (watched == watchedProxy_ && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        return TapAction();
    }
    return false;
}

bool CTileHTML::TapAction() {
    const TileRecord* record = Record();
    if (record == nullptr || record->tapAction == 0)
        return false;
    const std::int32_t action = record->tapAction;
    const std::int32_t displayId = record->tapDisplayId;
    const std::int32_t programId = record->tapProgramId;
    const DisplayServices& services = View().Services();
    auto showDisplay = [&services, displayId] {
        PostAppMessage(services.mainFrame ? services.mainFrame() : nullptr, AppMessage::ShowDisplay,
                       0, displayId);
    };
    if (action == 1) {
        showDisplay();
        return true;
    }
    if (action == 2 || action == 3) {
        QPointer<CTileHTML> self(this);
        RunTileProgram(programId, action == 2 ? "short" : "long", true);
        if (self && action == 3)
            showDisplay();
        return true;
    }
    return false;
}

}  // namespace zol
