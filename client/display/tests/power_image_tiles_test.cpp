// The power graph and image tiles against a scripted server.
#include <QImage>

#include <fstream>

#include "client/display/tiles/graph_key.h"
#include "client/display/tiles/tile_image.h"
#include "client/display/tiles/tile_power.h"
#include "tile_fixture.h"

namespace zol {
namespace {

using testing::Frame;
using testing::ScriptedReply;

class PowerTileTest : public testing::TileFixture {
  protected:
    void SetUp() override {
        auto graphDisplay = std::make_unique<DisplayRecord>();
        graphDisplay->name = "Power";
        graphDisplay->displayId = 7;
        graphDisplay->displayKind = DisplayPowerGraph;
        design_.displays.push_back(std::move(graphDisplay));
        AddObject(11, "Kitchen", 100, 25).name = "Oven";
        server_["GetDisplayGraph"] = [this](const ReplyFields&) { return graph_; };
    }
    ScriptedReply graph_;
};

TEST_F(PowerTileTest, ToolsFollowTheBarsNotThePaints) {
    // A stacked bar of 100 with a 25 W segment, and one with a zero total.
    graph_ = {
        0,
        Frame({"0", "ZOLApp", "GetDisplayGraph", "House", "2", "0",
               Frame({"Kitchen", "100", "11", "25", "255", "0", "0", "12", "75", "0", "255", "0"}),
               Frame({"Empty", "0", "11", "0", "0", "0", "255"})})};
    AddTile(TilePower, PowerTileData{7});
    Show();
    CTilePower* tile = Tile<CTilePower>();
    ASSERT_NE(tile, nullptr);
    tile->grab();
    const int builds = tile->ToolBuilds();
    ASSERT_EQ(tile->Tools().size(), 3u);
    EXPECT_EQ(tile->Tools()[0].text, QStringLiteral("Kitchen - Oven 25%"));
    EXPECT_EQ(tile->Tools()[2].text, QStringLiteral("Kitchen - Oven 0%"));
    tile->grab();
    tile->repaint();
    EXPECT_EQ(tile->ToolBuilds(), builds);
    EXPECT_EQ(tile->Tools().size(), 3u);
    EXPECT_EQ(tile->ToolTextAt(tile->Tools()[1].area.center()), tile->Tools()[1].text);

    const std::vector<GraphKeyRow> key = GraphKeyRows(tile->Graph());
    ASSERT_EQ(key.size(), 3u);
    EXPECT_EQ(key.front().color, 0xFF0000u);  // the last new colour first
    EXPECT_EQ(GraphKeySwatch(0x0000FF).pixelColor(8, 8), QColor(255, 0, 0));
    EXPECT_EQ(GraphKeySwatch(0x0000FF).pixelColor(2, 2), QColor(0, 0, 0));
}

TEST_F(PowerTileTest, ADeviceChangeMovesASingleBarWithoutARequest) {
    graph_ = {0, Frame({"0", "ZOLApp", "GetDisplayGraph", "House", "1", "0",
                        Frame({"Oven", "11", "25", "255", "0", "0"})})};
    AddTile(TilePower, PowerTileData{7});
    Show();
    CTilePower* tile = Tile<CTilePower>();
    ASSERT_NE(tile, nullptr);
    design_.FindObject(11)->level = 100;
    view_->ObjectChanged(11);
    EXPECT_EQ(tile->Graph().bars[0].value, 100);
    EXPECT_EQ(Requests("GetDisplayGraph"), 1);

    // A refresh that fails keeps the graph and says nothing.
    server_.clear();
    tile->OnRefreshTimer();
    EXPECT_EQ(tile->Graph().bars.size(), 1u);
    EXPECT_TRUE(reporter_.messages.empty());
}

class ImageTileTest : public testing::TileFixture {};

TEST_F(ImageTileTest, AFailedFetchOnceIsFetchedAgain) {
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(Qt::green);
    ASSERT_TRUE(picture.save(QString::fromStdString((dir_.Path() / "garden.png").string())));
    bool serverUp = false;
    server_["GetFile"] = [&serverUp](const ReplyFields&) {
        // "-4": the local copy is current.
        return serverUp ? ScriptedReply{0, Frame({"-4", "ZOLApp", "GetFile"})}
                        : ScriptedReply{1, ""};
    };
    TileRecord& record = AddTile(TileImage, ImageTileData{"garden.png", 1, 1, 0});
    Show();
    CTileImage* tile = Tile<CTileImage>();
    ASSERT_NE(tile, nullptr);
    EXPECT_EQ(record.DataAs<ImageTileData>()->fetched, 0);
    EXPECT_EQ(tile->Picture().size(), QSize(4, 3));

    serverUp = true;
    tile->UpdateTile(false, true);
    EXPECT_EQ(record.DataAs<ImageTileData>()->fetched, 1);
    tile->UpdateTile(false, true);
    EXPECT_EQ(Requests("GetFile"), 2);
    EXPECT_EQ(tile->Picture().size(), QSize(4, 3));
    // Fitted, each side at most the content's.
    EXPECT_TRUE(tile->ContentRect().contains(tile->PictureRect(record)));
}

}  // namespace
}  // namespace zol
