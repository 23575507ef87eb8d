// Tap and hold on tiles and icons, driven by fake clocks and synthetic
// mouse events.
#include <QMouseEvent>
#include <QPointer>
#include <QTest>

#include "client/display/tiles/list_plus.h"
#include "client/display/tiles/tile_icons.h"
#include "testsupport/modal_closer.h"
#include "view_fixture.h"

namespace zol {
namespace {

using namespace std::chrono_literals;
using testing::Frame;
using testing::ScriptedReply;

class TileGestureTest : public testing::ViewFixture {
  protected:
    // A display with one blank tile; returns the tile's window and clock.
    CTileWindow* ShowTile(TileRecord** record = nullptr) {
        DisplayRecord& d = AddDisplay(500);
        TileRecord& t = AddTile(d, TileBlank, 0, 0, 8, 8);
        t.tileName = "Porch";
        t.label = "Lights";
        if (record != nullptr)
            *record = &t;
        View().ShowDisplay(500);
        return View().TileWindows().at(0);
    }
    testing::FakeClock& ClockOf(int index) { return *clocks_.at(static_cast<std::size_t>(index)); }
    std::vector<AppMessage> FrameMessages() {
        Deliver();
        std::vector<AppMessage> m;
        for (const auto& p : frame_.posted)
            m.push_back(p.message);
        return m;
    }
};

TEST_F(TileGestureTest, ATapActsAtReleaseAndAHoldOnceAtTheTimeOut) {
    TileRecord* t = nullptr;
    CTileWindow* tile = ShowTile(&t);
    t->tapAction = 1;
    t->tapDisplayId = 7;
    t->holdAction = 1;
    t->holdDisplayId = 8;
    QTest::mousePress(tile, Qt::LeftButton, {}, QPoint(20, 20));
    ClockOf(1).Advance(499ms);
    QTest::mouseRelease(tile, Qt::LeftButton, {}, QPoint(20, 20));
    Deliver();
    ASSERT_EQ(frame_.posted.size(), 1u);
    EXPECT_EQ(frame_.posted[0].message, AppMessage::ShowDisplay);
    EXPECT_EQ(frame_.posted[0].lParam, 7);

    QTest::mousePress(tile, Qt::LeftButton, {}, QPoint(20, 20));
    ClockOf(1).Advance(500ms);
    Deliver();
    ASSERT_EQ(frame_.posted.size(), 2u);
    EXPECT_EQ(frame_.posted[1].lParam, 8);
    QTest::mouseRelease(tile, Qt::LeftButton, {}, QPoint(20, 20));
    Deliver();
    EXPECT_EQ(frame_.posted.size(), 2u);  // the release after a hold does nothing
    // Every press and release is traced.
    EXPECT_EQ(trace_.Texts(), (std::vector<std::string>{"Left button DOWN", "Left button UP",
                                                        "Left button DOWN", "Left button UP"}));
}

TEST_F(TileGestureTest, AHoldWithOnlyATapActionDoesNothing) {
    TileRecord* t = nullptr;
    CTileWindow* tile = ShowTile(&t);
    t->tapAction = 1;
    tile->OnButtonDown();
    ClockOf(1).Advance(2s);
    tile->OnButtonUp();
    EXPECT_TRUE(FrameMessages().empty());
}

TEST_F(TileGestureTest, AReleaseWithoutThisTilesPressDoesNothing) {
    TileRecord* t = nullptr;
    CTileWindow* tile = ShowTile(&t);
    t->tapAction = 1;
    // The press happened on another tile (which navigated away); only the
    // release lands here.
    tile->OnButtonUp();
    EXPECT_TRUE(FrameMessages().empty());
}

TEST_F(TileGestureTest, ProgramActionsRunWithTheTilesTexts) {
    TileRecord* t = nullptr;
    CTileWindow* tile = ShowTile(&t);
    AddObject(40, "Evening", ObjectKindProgram);
    t->tapAction = 3;
    t->tapProgramId = 40;
    t->tapDisplayId = 9;
    tile->OnButtonDown();
    tile->OnButtonUp();
    ASSERT_EQ(channel_.requests.size(), 1u);
    const ReplyFields& r = channel_.requests[0];
    EXPECT_EQ(r.Text(2), "Program.StartEx");
    EXPECT_EQ(r.Text(3), "Den - Evening");
    EXPECT_EQ(r.Text(4), "Porch");
    EXPECT_EQ(r.Text(5), "Lights");
    EXPECT_EQ(r.Text(6), "short");
    Deliver();
    // User activity went to the view, then the display request to the frame.
    EXPECT_EQ(FrameMessages(), std::vector<AppMessage>{AppMessage::ShowDisplay});

    // A program id that names nothing sends nothing.
    t->tapProgramId = 41;
    tile->OnButtonDown();
    tile->OnButtonUp();
    EXPECT_EQ(channel_.requests.size(), 1u);
}

TEST_F(TileGestureTest, ATileClosedWhileItsProgramStartsStopsThere) {
    TileRecord* t = nullptr;
    QPointer<CTileWindow> tile = ShowTile(&t);
    DisplayRecord& other = AddDisplay(501);
    AddTile(other, TileBlank, 0, 0, 4, 4);
    AddObject(40, "Evening", ObjectKindProgram);
    t->tapAction = 3;
    t->tapProgramId = 40;
    t->tapDisplayId = 9;
    // A push during the request moves to another display, and a nested
    // loop deletes the tile whose tap is still running.
    Reply([this](const ReplyFields&) {
        View().LeaveDisplay();
        View().ShowDisplay(501);
        Deliver();
        return ScriptedReply{0, Frame({"0", "ZOLObject", "Program.StartEx"})};
    });
    tile->OnButtonDown();
    tile->OnButtonUp();
    EXPECT_TRUE(tile.isNull());
    EXPECT_TRUE(FrameMessages().empty());  // the tile did not go on to navigate
}

TEST_F(TileGestureTest, TheHandCursorOnlyWithAnAction) {
    TileRecord* t = nullptr;
    CTileWindow* tile = ShowTile(&t);
    auto move = [tile] {
        QMouseEvent event(QEvent::MouseMove, QPointF(30, 30), tile->mapToGlobal(QPointF(30, 30)),
                          Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(tile, &event);
    };
    move();
    EXPECT_EQ(tile->cursor().shape(), Qt::ArrowCursor);
    t->holdAction = 2;
    move();
    EXPECT_EQ(tile->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(TileGestureTest, RefreshTicksAreSilentKeepTheLabelAndNeverStack) {
    TileRecord* t = nullptr;
    DisplayRecord& d = AddDisplay(500);
    // A blank tile refreshes as the base does: its label.
    t = &AddTile(d, TileBlank, 0, 0, 8, 8);
    t->label = "%TIME%";
    t->refreshInterval = 5;
    t->refreshInSeconds = 1;
    int calls = 0;
    bool fail = false;
    CTileWindow* tile = nullptr;
    Reply([&](const ReplyFields&) {
        ++calls;
        if (tile != nullptr)
            tile->OnRefreshTimer();  // a tick inside the wait does nothing
        if (fail)
            return ScriptedReply{1, {}};
        return ScriptedReply{0,
                             Frame({"0", "ZOLApp", "FormatText", "11:0" + std::to_string(calls)})};
    });
    View().ShowDisplay(500);
    tile = View().TileWindows().at(0);
    EXPECT_EQ(tile->Label(), "11:01");
    // Ticks as the refresh timer gives them (a blank tile starts none itself).
    tile->OnRefreshTimer();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(tile->Label(), "11:02");
    fail = true;
    tile->OnRefreshTimer();
    EXPECT_EQ(tile->Label(), "11:02");
    EXPECT_TRUE(reporter_.messages.empty());
    connected_ = false;
    tile->OnRefreshTimer();
    EXPECT_EQ(calls, 3);
}

// Icon tiles: the list's own gestures.
class IconGestureTest : public testing::ViewFixture {
  protected:
    void SetUp() override {
        DisplayRecord& source = AddDisplay(501, "Kitchen");
        source.objectIds = {1, 502};
        DisplayRecord& target = AddDisplay(502, "Garden");
        target.clickAction = 2;
        target.doubleClickAction = 2;
        DesignObject& lamp = AddObject(1, "Lamp");
        lamp.clickAction = 1;
        lamp.doubleClickAction = 2;
        lamp.templateName = "keypad1";
        DisplayRecord& home = AddDisplay(500);
        TileRecord& tile = AddTile(home, TileIcons, 0, 0, 32, 16);
        tile.DataAs<IconsTileData>()->sourceDisplayId = 501;
        View().ShowDisplay(500);
        icons_ = dynamic_cast<CTileIcons*>(View().TileWindows().at(0));
        ASSERT_NE(icons_, nullptr);
        list_ = icons_->List();
        ASSERT_EQ(list_->count(), 2);
        // Clocks: the view's, the tile's, the list's.
        listClock_ = clocks_.at(2);
        list_->SetTimes(500, 400);
    }
    QPoint ItemCentre(int row) const { return list_->visualItemRect(list_->item(row)).center(); }

    CTileIcons* icons_ = nullptr;
    CListPlus* list_ = nullptr;
    testing::FakeClock* listClock_ = nullptr;
};

TEST_F(IconGestureTest, ATapTogglesAfterTheDoubleClickTime) {
    list_->OnButtonDown(ItemCentre(0));
    list_->OnButtonUp();
    listClock_->Advance(399ms);
    EXPECT_TRUE(channel_.requests.empty());
    listClock_->Advance(1ms);
    ASSERT_EQ(Methods(), std::vector<std::string>{"Device.On"});
    design_.FindObject(1)->level = 100;
    list_->OnButtonDown(ItemCentre(0));
    list_->OnButtonUp();
    listClock_->Advance(1s);
    EXPECT_EQ(Methods(), (std::vector<std::string>{"Device.On", "Device.Off"}));
}

TEST_F(IconGestureTest, AHeldPressIsADoubleClick) {
    list_->OnButtonDown(ItemCentre(0));
    listClock_->Advance(499ms);
    EXPECT_TRUE(reporter_.messages.empty());
    listClock_->Advance(1ms);
    // The double-click action opens the pop-up; "keypad1" is no template.
    EXPECT_EQ(reporter_.messages, std::vector<std::string>{"No popup template for \"keypad1\""});
    list_->OnButtonUp();
    listClock_->Advance(1s);
    EXPECT_TRUE(channel_.requests.empty());
}

TEST_F(IconGestureTest, ASystemDoubleClickActsAtOnceAndGoesToTheDisplay) {
    QTest::mouseDClick(list_->viewport(), Qt::LeftButton, {}, ItemCentre(1));
    listClock_->Advance(1s);
    Deliver();
    ASSERT_EQ(frame_.posted.size(), 1u);
    EXPECT_EQ(frame_.posted[0].message, AppMessage::ShowDisplay);
    EXPECT_EQ(frame_.posted[0].lParam, 502);
    EXPECT_TRUE(channel_.requests.empty());
}

TEST_F(IconGestureTest, EmptySpaceAndResolvedTemplates) {
    list_->OnButtonDown(QPoint(990, 590));
    list_->OnButtonUp();
    listClock_->Advance(1s);
    EXPECT_TRUE(channel_.requests.empty());
    EXPECT_TRUE(reporter_.messages.empty());

    DesignObject& lamp = *design_.FindObject(1);
    testing::ModalCloser closer;
    lamp.templateName = "ZS24LoadDim";
    icons_->OnItemDoubleClicked(true, 1);
    EXPECT_EQ(closer.opened.size(), 1u);  // the keypad pop-up
    lamp.templateName = "None";
    icons_->OnItemDoubleClicked(true, 1);
    EXPECT_EQ(closer.opened.size(), 1u);
    EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(IconGestureTest, AnInfraredDeviceReadsItsKeysOnce) {
    DesignObject& lamp = *design_.FindObject(1);
    lamp.templateName = "IRDevice";
    testing::ModalCloser closer;
    Reply([](const ReplyFields&) {
        const std::string key = FieldList({"Power", "Pwr", "0", "0", "10", "10", "0"}).Message();
        return ScriptedReply{0, Frame({"0", "ZOLApp", "IRKeypad", FieldList({key}).Message()})};
    });
    icons_->OnItemDoubleClicked(true, 1);
    icons_->OnItemDoubleClicked(true, 1);
    EXPECT_EQ(Methods(), std::vector<std::string>{"IRKeypad"});
    EXPECT_TRUE(closer.Opened("zol::CUserIRKeypad"));
    ASSERT_EQ(design_.FindObject(1)->irKeys.size(), 1u);
    EXPECT_TRUE(design_.FindObject(1)->irKeysRead);
}

TEST_F(IconGestureTest, ItemsFollowObjectChanges) {
    EXPECT_EQ(list_->item(0)->text(), QStringLiteral("Lamp"));
    EXPECT_EQ(list_->item(1)->text(), QStringLiteral("Garden"));
    design_.FindObject(1)->caption = "Counter";
    View().ObjectChanged(1);
    EXPECT_EQ(list_->item(0)->text(), QStringLiteral("Counter"));
}

TEST_F(IconGestureTest, AFailedRecentlyUsedReadKeepsTheObjects) {
    DisplayRecord& source = *design_.FindDisplay(501);
    source.displayKind = DisplayRecentIcons;
    Reply([](const ReplyFields&) { return ScriptedReply{1, {}}; });
    View().RefreshDisplayTiles();
    EXPECT_EQ(source.objectIds, (std::vector<std::int32_t>{1, 502}));
    EXPECT_EQ(list_->count(), 2);
    Reply([](const ReplyFields&) {
        return ScriptedReply{0, Frame({"0", "ZOLApp", "GetDisplayMRU", "502"})};
    });
    View().RefreshDisplayTiles();
    EXPECT_EQ(source.objectIds, std::vector<std::int32_t>{502});
    EXPECT_EQ(list_->count(), 1);
}

}  // namespace
}  // namespace zol
