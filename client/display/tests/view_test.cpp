// The view: tiles made and placed, enter and exit programs, home return,
// navigation that arrives while a tile waits for the server.
#include <QPointer>

#include "client/display/tile_window.h"
#include "view_fixture.h"

namespace zol {
namespace {

using testing::Frame;
using testing::ScriptedReply;

class ViewTest : public testing::ViewFixture {};

TEST_F(ViewTest, TilesAreMadePlacedAndCentred) {
    DisplayRecord& main = AddDisplay(500, "Main");
    AddTile(main, TileBlank, 0, 0, 8, 4).label = "One";
    AddTile(main, TileText, 8, 0, 8, 4);
    AddTile(main, 42, 0, 4, 4, 4);  // a type without a class gets no window
    CZOLClientView& view = View();
    view.ShowDisplay(500);
    const std::vector<CTileWindow*> tiles = view.TileWindows();
    ASSERT_EQ(tiles.size(), 2u);
    EXPECT_EQ(tiles[0]->objectName(), QStringLiteral("Blank"));
    EXPECT_EQ(tiles[1]->objectName(), QStringLiteral("Text"));
    EXPECT_EQ(tiles[0]->ChildId(), 9000);
    EXPECT_EQ(tiles[1]->ChildId(), 9001);
    EXPECT_EQ(main.tiles.front().window, tiles[0]);
    // Bounds 432 x 216 in 1000 x 600: offsets 284 and 192.
    EXPECT_EQ(view.GetArrangementBounds(), QRect(0, 0, 432, 216));
    EXPECT_EQ(tiles[0]->geometry(), QRect(284, 192, 216, 108));
    EXPECT_EQ(tiles[1]->geometry(), QRect(500, 192, 216, 108));
    // Inset 4, content 8 more and the label band.
    EXPECT_EQ(tiles[0]->TileRect(), QRect(4, 4, 208, 100));
    EXPECT_EQ(tiles[0]->ContentRect(), QRect(12, 12, 192, 100 - 8 - 38));

    // Resizing places them again.
    view.resize(800, 400);
    EXPECT_EQ(tiles[0]->geometry().topLeft(), QPoint(184, 92));
}

TEST_F(ViewTest, At144DpiTheLabelBandAndOffsetsScale) {
    DisplayRecord& main = AddDisplay(500);
    TileRecord& tile = AddTile(main, TileBlank, 0, 0, 8, 8);
    tile.label = "Rooms";
    CZOLClientView& view = View(144);
    view.ShowDisplay(500);
    CTileWindow* w = view.TileWindows().at(0);
    ASSERT_EQ(w->size(), QSize(324, 324));  // 216 x 1.5: reference 96
    EXPECT_EQ(w->TileRect(), QRect(6, 6, 312, 312));
    EXPECT_EQ(w->ContentRect().bottom(), w->TileRect().bottom() - 57);
    w->grab();  // paints, which places the label
    const QRect label = w->LabelRect();
    ASSERT_FALSE(label.isEmpty());
    EXPECT_EQ(w->TileRect().x() + w->TileRect().width() - (label.x() + label.width()), 12);
    EXPECT_EQ(w->TileRect().y() + w->TileRect().height() - (label.y() + label.height()), 15);
}

TEST_F(ViewTest, TheWholeDisplayTileFillsTheViewWithoutInsets) {
    DisplayRecord& page = AddDisplay(504);
    page.singleTile = 1;
    TileRecord& tile = AddTile(page, TileText, 0, 0, 1, 1);
    tile.tileStyle = 3;
    tile.tileId = 100;
    CZOLClientView& view = View();
    view.ShowDisplay(504);
    CTileWindow* w = view.TileWindows().at(0);
    EXPECT_EQ(w->geometry(), QRect(0, 0, 1000, 600));
    EXPECT_EQ(w->TileRect(), QRect(0, 0, 1000, 600));
    EXPECT_EQ(w->ContentRect(), w->TileRect());
}

TEST_F(ViewTest, EnterAndExitProgramsRunWithoutReportingFailures) {
    DisplayRecord& outside = AddDisplay(512, "Outside");
    outside.enterExitProgramId = 32;
    AddObject(32, "Porch Lights", ObjectKindProgram);
    Reply([](const ReplyFields&) { return ScriptedReply{1, {}}; });
    CZOLClientView& view = View();
    view.ShowDisplay(512);
    view.LeaveDisplay();
    ASSERT_EQ(channel_.requests.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(channel_.requests[i].Text(2), "Program.StartEx");
        EXPECT_EQ(channel_.requests[i].Text(3), "Den - Porch Lights");
        EXPECT_EQ(channel_.requests[i].Text(4), "Outside");
        EXPECT_EQ(channel_.requests[i].Text(5), i == 0 ? "enter" : "exit");
        EXPECT_EQ(channel_.requests[i].Text(6), "");
    }
    EXPECT_TRUE(reporter_.messages.empty());
    // The current display stays after leaving; a program id that names no
    // object sends nothing.
    EXPECT_EQ(view.CurrentDisplayId(), 512);
    outside.enterExitProgramId = 99;
    view.ShowDisplay(512);
    EXPECT_EQ(channel_.requests.size(), 2u);
}

TEST_F(ViewTest, HomeReturnAsksForTheHomeDisplayOnlyWhenThereIsOneToLeave) {
    settings_.enableHomeReturnTime = 1;
    settings_.tuiHomeReturnTime = 60;
    DisplayRecord& kitchen = AddDisplay(501);
    CZOLClientView& view = View();
    testing::FakeClock& clock = *clocks_.at(0);
    auto homeRequests = [this] {
        Deliver();
        return std::count_if(frame_.posted.begin(), frame_.posted.end(), [](const auto& p) {
            return p.message == AppMessage::UiCommand && p.wParam == 10 && p.lParam == 0;
        });
    };

    history_ = 0;  // the home display is the only entry
    view.ShowDisplay(501);
    clock.Advance(std::chrono::seconds(61));
    EXPECT_EQ(homeRequests(), 0);

    history_ = 1;
    view.ShowDisplay(501);
    clock.Advance(std::chrono::seconds(59));
    // Activity restarts the 60 seconds.
    PostAppMessage(&view, AppMessage::UserActivity);
    EXPECT_EQ(homeRequests(), 0);
    clock.Advance(std::chrono::seconds(59));
    EXPECT_EQ(homeRequests(), 0);
    clock.Advance(std::chrono::seconds(2));
    EXPECT_EQ(homeRequests(), 1);

    kitchen.noHomeReturn = 1;
    view.ShowDisplay(501);
    clock.Advance(std::chrono::seconds(61));
    EXPECT_EQ(homeRequests(), 1);

    // After a reload emptied the design the timer finds no display.
    kitchen.noHomeReturn = 0;
    view.ShowDisplay(501);
    design_.Clear();
    clock.Advance(std::chrono::seconds(61));
    EXPECT_EQ(homeRequests(), 1);
    EXPECT_EQ(view.CurrentDisplay(), nullptr);
    view.resize(500, 500);  // nothing to place, nothing freed touched
}

TEST_F(ViewTest, LeavingAndShowingAgainLeavesNoWindowBehind) {
    DisplayRecord& main = AddDisplay(500);
    for (int i = 0; i < 6; ++i)
        AddTile(main, i % 2 == 0 ? TileBlank : TileMeter, i * 4, 0, 4, 4);
    CZOLClientView& view = View();
    for (int i = 0; i < 100; ++i) {
        view.LeaveDisplay();
        view.ShowDisplay(500);
        Deliver();
    }
    EXPECT_EQ(view.findChildren<CTileWindow*>().size(), 6u);
    for (const TileRecord& tile : main.tiles)
        EXPECT_NE(tile.window, nullptr);
    view.ClearCurrentDisplay();
    Deliver();
    EXPECT_TRUE(view.findChildren<CTileWindow*>().empty());
    for (const TileRecord& tile : main.tiles)
        EXPECT_EQ(tile.window, nullptr);
}

TEST_F(ViewTest, NavigationDuringATileUpdateWaitsForItAndFreesNothingInUse) {
    DisplayRecord& first = AddDisplay(500);
    AddTile(first, TileBlank, 0, 0, 4, 4).label = "%TIME%";
    AddTile(first, TileBlank, 4, 0, 4, 4).label = "Second";
    DisplayRecord& second = AddDisplay(501);
    AddTile(second, TileBlank, 0, 0, 4, 4);
    CZOLClientView& view = View();
    bool pushed = false;
    std::int32_t shownDuring = 0;
    // A push arrives while the label waits for the server and asks for
    // another display: it waits until the running one is done.
    Reply([&](const ReplyFields& r) {
        if (!pushed) {
            pushed = true;
            view.LeaveDisplay();
            view.ShowDisplay(501);
            Deliver();
            shownDuring = view.CurrentDisplayId();
        }
        return ScriptedReply{0, Frame({"0", "ZOLApp", std::string(r.Text(2)), "11:02"})};
    });
    view.ShowDisplay(500);
    Deliver();
    EXPECT_EQ(shownDuring, 500);
    EXPECT_EQ(view.CurrentDisplayId(), 501);
    ASSERT_EQ(view.TileWindows().size(), 1u);
    EXPECT_EQ(second.tiles.front().window, view.TileWindows()[0]);
    for (const TileRecord& tile : first.tiles)
        EXPECT_EQ(tile.window, nullptr);
}

TEST_F(ViewTest, WithoutALayoutThemeTheViewSaysSoAndMakesNoTiles) {
    DisplayRecord& main = AddDisplay(500);
    main.layoutTheme = nullptr;
    AddTile(main, TileBlank, 0, 0, 4, 4);
    DisplayServices s;
    s.design = [this] { return &design_; };
    s.settings = &settings_;
    CZOLClientView view(std::move(s));
    view.resize(400, 300);
    view.ShowDisplay(500);
    EXPECT_TRUE(view.TileWindows().empty());
    EXPECT_EQ(view.CurrentDisplayId(), 500);
    const QImage shot = view.grab().toImage();
    EXPECT_FALSE(shot.isNull());
}

}  // namespace
}  // namespace zol
