#include "client/core/app_messages.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>

namespace zol {
namespace {

struct Received {
    AppMessage message;
    std::intptr_t wParam;
    std::intptr_t lParam;
    std::string text;
};

class Receiver : public QObject {
  public:
    std::vector<Received> received;

  protected:
    bool event(QEvent* e) override {
        if (AppMessageEvent* m = AppMessageEvent::From(e)) {
            auto* payload = m->PayloadAs<TextPayload>();
            received.push_back(
                {m->Message(), m->WParam(), m->LParam(), payload ? payload->text : std::string()});
            return true;
        }
        return QObject::event(e);
    }
};

TEST(AppMessagesTest, NumbersFollowTheWindowsMessages) {
    EXPECT_EQ(WindowsMessageNumber(AppMessage::UiCommand), 0x8011);
    EXPECT_EQ(WindowsMessageNumber(AppMessage::TooManyMissedPings), 0x801A);
    EXPECT_EQ(EventType(AppMessage::PushedMessage), QEvent::User + 0x0E);
}

TEST(AppMessagesTest, PostedMessagesArriveInOrderWithTheirPayloads) {
    Receiver receiver;
    PostAppMessage(&receiver, AppMessage::PushedMessage, 5, 0,
                   std::make_unique<TextPayload>(std::string("ab\0cd", 5)));
    PostAppMessage(&receiver, AppMessage::UiCommand, 9, 0);
    PostAppMessage(&receiver, AppMessage::ShowDisplay, 1, 42);
    QCoreApplication::sendPostedEvents(&receiver);
    ASSERT_EQ(receiver.received.size(), 3u);
    EXPECT_EQ(receiver.received[0].message, AppMessage::PushedMessage);
    EXPECT_EQ(receiver.received[0].text, std::string("ab\0cd", 5));
    EXPECT_EQ(receiver.received[1].wParam, 9);
    EXPECT_EQ(receiver.received[2].lParam, 42);
}

TEST(AppMessagesTest, PayloadsOfUndeliveredMessagesAreFreed) {
    // Leak checking (ASan) fails this test if a payload outlives its event.
    auto receiver = std::make_unique<Receiver>();
    PostAppMessage(receiver.get(), AppMessage::TraceText, 0, 0,
                   std::make_unique<TextPayload>(std::string(1000, 'x')));
    receiver.reset();  // Qt drops the events posted to a deleted object
    PostAppMessage(nullptr, AppMessage::LogAdd, 4, 0, std::make_unique<TextPayload>("lost"));
    QCoreApplication::sendPostedEvents();

    QEvent other(QEvent::User);
    EXPECT_EQ(AppMessageEvent::From(&other), nullptr);
}

}  // namespace
}  // namespace zol
