// The remote access viewer: its bound under a burst from another thread,
// pause, clear and copy, and how it shows bytes.
#include "client/toolwindows/remote_access_viewer.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QElapsedTimer>
#include <QPushButton>

#include <gtest/gtest.h>

#include <thread>

#include "client/core/link_event_poster.h"
#include "client/toolwindows/trace_format.h"
#include "serverlink/field_list.h"

namespace zol {
namespace {

// Runs the event loop until everything posted has been shown.
void Settle(CRemoteAccessViewer& viewer) {
    QElapsedTimer waited;
    waited.start();
    // Every posted message is delivered by the first pass; the rest shows
    // them. The limit only stops a hang.
    do {
        QCoreApplication::sendPostedEvents();
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    } while (viewer.PendingCount() > 0 && waited.elapsed() < 60000);
}

class RemoteAccessViewerTest : public ::testing::Test {
  protected:
    void SetUp() override { viewer_ = CRemoteAccessViewer::Open(); }
    void TearDown() override {
        delete viewer_;
        EXPECT_EQ(CRemoteAccessViewer::Instance(), nullptr);
    }
    CRemoteAccessViewer* viewer_ = nullptr;
};

// Counts the events posted to it (the frame, as the link's target).
struct EventCounter : QObject {
    bool event(QEvent*) override {
        ++count;
        return true;
    }
    int count = 0;
};

// A burst from the link's thread reaches the viewer straight from the
// link's observer, not as one event per message at the frame; the newest
// rows stay, in order. A second burst of shorter messages reuses the
// buffers of the first without mixing their bytes.
TEST_F(RemoteAccessViewerTest, ABurstKeepsOnlyTheNewestRows) {
    ASSERT_EQ(CRemoteAccessViewer::Instance(), viewer_);
    EventCounter frame;
    LinkEventPoster poster;
    poster.SetTarget(&frame);
    poster.SetTraceSink(&CRemoteAccessViewer::Post);
    constexpr int kBurst = 100000;
    const auto burst = [&](const std::string& padding) {
        std::thread link([&] {
            for (int i = 0; i < kBurst; ++i)
                poster.OnFrameReceived(
                    FieldList{"0", "ZOLApp", "Update", std::to_string(i), padding}.Message());
        });
        link.join();
        Settle(*viewer_);
    };
    burst(std::string(1500, 'x'));
    burst("y");
    EXPECT_EQ(frame.count, 0);
    TraceModel& model = viewer_->Model();
    ASSERT_EQ(static_cast<std::size_t>(model.rowCount()), kTraceHistoryLimit);
    EXPECT_EQ(viewer_->Dropped(), 2 * kBurst - kTraceHistoryLimit);
    for (int row = 0; row < model.rowCount(); ++row) {
        ASSERT_EQ(
            model.Row(row).text,
            QStringLiteral("0 | ZOLApp | Update | %1 | y").arg(kBurst - kTraceHistoryLimit + row));
    }
    EXPECT_EQ(model.Row(0).direction, TraceDirection::Received);
}

TEST(RemoteAccessViewerHookTest, TracingFollowsTheViewer) {
    std::vector<bool> calls;
    CRemoteAccessViewer::SetOpenHook([&calls](bool open) { calls.push_back(open); });
    CRemoteAccessViewer* viewer = CRemoteAccessViewer::Open();
    CRemoteAccessViewer::Open();  // already open: no second call
    delete viewer;
    CRemoteAccessViewer::SetOpenHook(nullptr);
    EXPECT_EQ(calls, (std::vector<bool>{true, false}));
}

TEST_F(RemoteAccessViewerTest, PauseClearAndCopy) {
    CRemoteAccessViewer::Post(AppMessage::TraceSent, FieldList{"ZOLApp", "Ping"}.Message());
    CRemoteAccessViewer::Post(AppMessage::TraceText, "Left button DOWN");
    Settle(*viewer_);
    ASSERT_EQ(viewer_->Model().rowCount(), 2);
    EXPECT_EQ(viewer_->Model().Row(0).bytes, (FieldList{"ZOLApp", "Ping"}.Message().size()));

    viewer_->PauseButton()->click();
    CRemoteAccessViewer::Post(AppMessage::TraceSent, "not recorded");
    Settle(*viewer_);
    EXPECT_EQ(viewer_->Model().rowCount(), 2);
    viewer_->PauseButton()->click();

    viewer_->CopyRows();
    const QStringList lines = QApplication::clipboard()->text().split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 2);
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("\tZOLApp | Ping")));
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral("Trace\t\tLeft button DOWN")));

    viewer_->ClearButton()->click();
    EXPECT_EQ(viewer_->Model().rowCount(), 0);
}

TEST_F(RemoteAccessViewerTest, OpenedFromAModalDialogItOutlivesIt) {
    delete viewer_;
    auto* sheet = new QDialog;
    sheet->setModal(true);
    sheet->show();
    viewer_ = CRemoteAccessViewer::Open(sheet);
    EXPECT_EQ(viewer_->parentWidget(), sheet);  // usable while the dialog blocks the rest
    EXPECT_EQ(CRemoteAccessViewer::Open(sheet), viewer_);
    sheet->done(QDialog::Accepted);
    delete sheet;
    ASSERT_EQ(CRemoteAccessViewer::Instance(), viewer_);
    EXPECT_EQ(viewer_->parentWidget(), nullptr);
    EXPECT_TRUE(viewer_->isVisible());
}

TEST(TraceFormatTest, BytesAreShownReadablyAndCut) {
    // A greeting frame is no field list: its bytes, with the unprintable escaped.
    EXPECT_EQ(ReadableTrace(std::string("ZOL0\x01\r\n", 7), 7), "ZOL0\\x01\\r\\n");
    // Fields are separated; a line feed inside one stays on the line.
    const std::string list = FieldList{"ZOLApp", "Say", "a\nb"}.Message();
    EXPECT_EQ(ReadableTrace(list, list.size()), "ZOLApp | Say | a\\nb");
    // A cut copy of a longer message says so and is not decoded.
    EXPECT_EQ(ReadableTrace(list.substr(0, 4), list.size()), list.substr(0, 4) + " ...");
    const std::string big(10000, 'x');
    EXPECT_EQ(ReadableTrace(big, big.size()).size(), kMaxReadableTraceLength + 4);
}

}  // namespace
}  // namespace zol
