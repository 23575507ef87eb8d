// The HTML tiles with Qt WebEngine under Xvfb: what they open, what they
// refuse, where a server's page lands, and taps on the page.
#include <unistd.h>

#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QTest>

#include <cstdlib>
#include <fstream>

#include "client/core/app_messages.h"
#include "client/display/tiles/html_navigation.h"
#include "client/display/tiles/html_view_loader.h"
#include "client/display/tiles/tile_html.h"
#include "client/model/tests/scripted_channel.h"
#include "client/tests/temp_dir.h"
#include "tile_fixture.h"

namespace {

// Before the application exists: WebEngine shares its GL contexts, and CI
// runs as root, where Chromium's sandbox cannot start. Only then, and only
// in this test, the documented switch turns the sandbox off.
const bool kWebEnginePrepared = [] {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (::geteuid() == 0)
        ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    return true;
}();

}  // namespace

namespace zol {
namespace {

using testing::Frame;
using testing::ScriptedReply;

// Records the application messages posted to it.
class Recorder : public QObject {
  public:
    bool event(QEvent* event) override {
        if (AppMessageEvent* message = AppMessageEvent::From(event)) {
            shown.push_back(static_cast<std::int32_t>(message->LParam()));
            return true;
        }
        return QObject::event(event);
    }
    std::vector<std::int32_t> shown;
};

// Runs the event loop until `done` or a generous time has passed.
bool WaitFor(const std::function<bool()>& done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 60000)
        QTest::qWait(50);
    return done();
}

class HtmlTileTest : public testing::TileFixture {
  protected:
    DisplayRecord& AddHtmlDisplay(std::string name, std::int32_t id, std::int32_t kind) {
        auto display = std::make_unique<DisplayRecord>();
        display->name = std::move(name);
        display->displayId = id;
        display->displayKind = kind;
        return *design_.displays.emplace_back(std::move(display));
    }
};

TEST(HtmlNavigationTest, OnlyWebPagesAndFilesOpen) {
    for (const char* url : {"http://127.0.0.1/x", "https://example.invalid/", "file:///tmp/a.html"})
        EXPECT_TRUE(HtmlTileMayOpen(QUrl(QString::fromLatin1(url)))) << url;
    for (const char* url : {"javascript:alert(1)", "data:text/html,<b>x</b>", "ftp://h/f",
                            "zol:run", "", "qrc:/x.html"})
        EXPECT_FALSE(HtmlTileMayOpen(QUrl(QString::fromLatin1(url)))) << url;
}

TEST(HtmlViewModuleTest, AMissingOrBrokenModuleGivesNoBrowserAndSaysWhy) {
    testing::TempDir dir;
    std::string problems;
    EXPECT_EQ(FindHtmlViewFactory({dir.Path() / "missing.so"}, problems), nullptr);
    EXPECT_EQ(problems, "libzolhtmlview.so was not found");

    const auto broken = dir.Write("libzolhtmlview.so", "not a library");
    EXPECT_EQ(FindHtmlViewFactory({broken}, problems), nullptr);
    EXPECT_NE(problems.find(broken.string()), std::string::npos) << problems;

    // The module this build made is found after them (the tiles below
    // make their browsers with it).
    std::vector<std::filesystem::path> candidates = {broken};
    for (const auto& candidate : HtmlViewModuleCandidates())
        candidates.push_back(candidate);
    EXPECT_NE(FindHtmlViewFactory(candidates, problems), nullptr) << problems;
}

TEST_F(HtmlTileTest, TheOwnAddressIsFinal) {
    HtmlTileData data{1, 999, "file:///nonexistent/own.html"};
    AddTile(TileHtml, data);
    Show();
    CTileHTML* tile = Tile<CTileHTML>();
    ASSERT_NE(tile, nullptr);
    ASSERT_NE(tile->Browser(), nullptr);
    EXPECT_EQ(tile->Requested(), QUrl(QStringLiteral("file:///nonexistent/own.html")));
    EXPECT_TRUE(channel_.requests.empty());
}

TEST_F(HtmlTileTest, AServerPageLandsInItsFolderAndAFailedDownloadKeepsIt) {
    AddHtmlDisplay("..", 20, DisplayHtmlFolder);
    AddHtmlDisplay("a/b", 21, DisplayHtmlFolder);
    bool fail = false;
    server_["GetDisplayHTML"] = [&fail](const ReplyFields& request) {
        if (fail)
            return ScriptedReply{1, ""};
        if (request.Text(4) != "0")
            return ScriptedReply{0, Frame({"1", "ZOLApp", "GetDisplayHTML"})};
        return ScriptedReply{
            0, Frame({"0", "ZOLApp", "GetDisplayHTML", "x", "<html><body>page</body></html>"})};
    };
    AddTile(TileHtml, HtmlTileData{0, 20, ""});
    AddTile(TileHtml, HtmlTileData{0, 21, ""}, 8);
    Show();
    const std::filesystem::path dots = dir_.Path() / "__" / "__.html";
    const std::filesystem::path slash = dir_.Path() / "a_b" / "a_b.html";
    EXPECT_EQ(testing::Slurp(dots), "<html><body>page</body></html>");
    EXPECT_EQ(testing::Slurp(slash), "<html><body>page</body></html>");
    CTileHTML* tile = Tile<CTileHTML>();
    ASSERT_NE(tile, nullptr);
    EXPECT_EQ(tile->Requested(), QUrl::fromLocalFile(QString::fromStdString(dots.string())));

    fail = true;
    tile->UpdateTile(false, true);
    EXPECT_EQ(testing::Slurp(dots), "<html><body>page</body></html>");
    EXPECT_EQ(reporter_.messages.back(), "Server Timeout: ZOLApp.GetDisplayHTML 1");
    tile->OnRefreshTimer();  // silent
    EXPECT_EQ(reporter_.messages.size(), 1u);
}

TEST_F(HtmlTileTest, ATapOnThePageRunsTheTapAction) {
    Recorder frame;
    mainFrame_ = &frame;
    const std::filesystem::path page = dir_.Path() / "tap.html";
    std::ofstream(page) << "<html><body style='height:100%'>tap me</body></html>";
    HtmlTileData data{
        1, 0, QUrl::fromLocalFile(QString::fromStdString(page.string())).toString().toStdString()};
    TileRecord& record = AddTile(TileHtml, data);
    record.tapAction = 1;
    record.tapDisplayId = 42;
    Show();
    view_->show();
    CTileHTML* tile = Tile<CTileHTML>();
    ASSERT_NE(tile, nullptr);
    ASSERT_TRUE(WaitFor([tile] { return tile->Browser()->focusProxy() != nullptr; }));
    QWidget* proxy = tile->Browser()->focusProxy();
    QTest::mouseClick(proxy, Qt::LeftButton, {}, QPoint(10, 10));
    QCoreApplication::sendPostedEvents(&frame, 0);
    EXPECT_EQ(frame.shown, std::vector<std::int32_t>{42});
}

}  // namespace
}  // namespace zol
