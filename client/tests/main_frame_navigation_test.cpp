#include "client/core/main_frame.h"

#include <QApplication>
#include <QDialog>

#include <gtest/gtest.h>

#include "client/core/app_messages.h"
#include "client/core/zol_client_doc.h"
#include "client/display/zol_client_view.h"
#include "started_client.h"

namespace zol {
namespace {

using testing::StartedClient;

constexpr std::int32_t kHome = 1;

// The frame over a design of a home display (1) and twenty others (2 to 21).
class NavigationTest : public ::testing::Test {
  protected:
    NavigationTest() {
        Design& design = client_.app->Document()->GetDesign();
        for (std::int32_t id = kHome; id <= 21; ++id) {
            auto display = std::make_unique<DisplayRecord>();
            display->displayId = id;
            display->isHome = id == kHome ? 1 : 0;
            design.displays.push_back(std::move(display));
        }
        frame_->ShowDisplay(kHome, false);
    }

    std::int32_t Shown() const { return frame_->View()->CurrentDisplayId(); }
    void Post(AppMessage message, std::intptr_t w, std::intptr_t l,
              std::unique_ptr<AppPayload> payload = nullptr) {
        PostAppMessage(frame_, message, w, l, std::move(payload));
        QCoreApplication::sendPostedEvents();
    }

    testing::TempDir dir_;
    StartedClient client_{dir_, "", {}};
    CMainFrame* frame_ = client_.app->MainFrame();
};

TEST_F(NavigationTest, SixteenShowsKeepFifteenAndBackReturnsThroughThem) {
    for (std::int32_t id = 2; id <= 17; ++id)
        Post(AppMessage::ShowDisplay, 0, id);
    EXPECT_EQ(frame_->HistoryCount(), 15);
    EXPECT_EQ(Shown(), 16);  // the sixteenth was ignored
    for (std::int32_t id = 15; id >= 2; --id) {
        frame_->Back();
        EXPECT_EQ(Shown(), id);
    }
    frame_->Back();
    EXPECT_EQ(Shown(), kHome);
    EXPECT_EQ(frame_->HistoryCount(), 0);
    frame_->Back();
    frame_->Home();  // nothing left: nothing happens
    EXPECT_EQ(Shown(), kHome);
}

TEST_F(NavigationTest, HomeAndTheForceFlag) {
    Post(AppMessage::ShowDisplay, 0, 5);
    Post(AppMessage::ShowDisplay, 0, 5);  // already shown: nothing
    EXPECT_EQ(frame_->HistoryCount(), 1);
    Post(AppMessage::ShowDisplay, 1, 5);  // forced: refreshed, not pushed again
    EXPECT_EQ(frame_->HistoryCount(), 1);
    Post(AppMessage::ShowDisplay, 0, 999);  // not in the design
    Post(AppMessage::ShowDisplay, 0, 6);
    Post(AppMessage::UiCommand, static_cast<std::intptr_t>(UiCommandCode::Home), 0);
    EXPECT_EQ(Shown(), kHome);
    EXPECT_EQ(frame_->HistoryCount(), 0);
    Post(AppMessage::ShowDisplay, 0, 6);
    Post(AppMessage::ShowDisplay, 0, kHome);  // the home display empties the history
    EXPECT_EQ(frame_->HistoryCount(), 0);
    EXPECT_EQ(Shown(), kHome);
}

TEST_F(NavigationTest, TimedDisplayReturnsOnlyFromItself) {
    Post(AppMessage::ShowDisplay, 0, 5);
    frame_->StartTimedDisplay(5, 20);
    ASSERT_TRUE(StartedClient::RunUntil([&] { return Shown() == kHome; }));
    EXPECT_EQ(frame_->HistoryCount(), 0);

    // Left for another display before the time ran out: the return does not
    // take the person back from there.
    Post(AppMessage::ShowDisplay, 0, 5);
    frame_->StartTimedDisplay(5, 20);
    Post(AppMessage::ShowDisplay, 0, 6);
    ASSERT_TRUE(StartedClient::RunUntil([&] { return !frame_->TimedReturnPending(); }));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(Shown(), 6);
    EXPECT_EQ(frame_->HistoryCount(), 2);
}

// A loss reported by an earlier connection must not clear what the current
// one shows; the current one's clears the view and the history.
TEST_F(NavigationTest, ConnectionLostOfAnEarlierConnectionIsIgnored) {
    Post(AppMessage::ShowDisplay, 0, 5);
    const std::uint64_t stale = client_.app->LinkEvents().BeginConnection() - 1;
    const std::uint64_t current = client_.app->LinkEvents().Generation();
    Post(AppMessage::ConnectionLost, 0, 0, std::make_unique<LinkPayload>(stale, ""));
    Post(AppMessage::TooManyMissedPings, 0, 0, std::make_unique<LinkPayload>(stale, ""));
    EXPECT_EQ(Shown(), 5);
    EXPECT_EQ(frame_->HistoryCount(), 1);
    Post(AppMessage::ConnectionLost, 0, 0, std::make_unique<LinkPayload>(current, ""));
    EXPECT_EQ(Shown(), 0);
    EXPECT_EQ(frame_->HistoryCount(), 0);
}

TEST_F(NavigationTest, LockCommandsAndCommandsAboveTwelve) {
    Post(AppMessage::UiCommand, static_cast<std::intptr_t>(UiCommandCode::Lock), 2);
    EXPECT_EQ(frame_->LockMode(), 2);
    EXPECT_EQ(frame_->minimumSize(), frame_->maximumSize());
    Post(AppMessage::UiCommand, static_cast<std::intptr_t>(UiCommandCode::Unlock), 0);
    EXPECT_EQ(frame_->LockMode(), 0);
    EXPECT_NE(frame_->minimumSize(), frame_->maximumSize());
    // Commands above 12 are ignored (3, 11 and 12 open the tool windows,
    // tested against zolsim in the connect tests).
    for (int command : {13, 99})
        Post(AppMessage::UiCommand, command, 0);
    EXPECT_TRUE(frame_->isVisible());
}

// What the server asks for during a modal box (exit, reset) would pull the
// house away under the box: it waits until the box is closed.
TEST_F(NavigationTest, ExitDuringAModalBoxWaitsForTheOuterLoop) {
    QDialog box;
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    ASSERT_NE(QApplication::activeModalWidget(), nullptr);
    frame_->RequestExit();
    QCoreApplication::processEvents();
    EXPECT_TRUE(frame_->isVisible());
    box.close();
    EXPECT_TRUE(StartedClient::RunUntil([&] { return !frame_->isVisible(); }));
}

}  // namespace
}  // namespace zol
