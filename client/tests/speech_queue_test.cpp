#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "client/core/speech/speech_queue.h"

namespace zol {
namespace {

SpeechRequest Say(const std::string& text, int priority) {
    SpeechRequest request;
    request.text = text;
    request.priority = priority;
    return request;
}

std::vector<std::string> Texts(const SpeechQueue& queue) {
    std::vector<std::string> texts;
    for (const SpeechQueue::Entry& entry : queue.Entries())
        texts.push_back(entry.request.text);
    return texts;
}

TEST(SpeechQueueTest, CommandsFirstThenPriorityTwoOneAndTheRestEachInArrivalOrder) {
    SpeechQueue queue;
    queue.Push(Say("a0", 0));
    queue.Push(Say("b1", 1));
    queue.Push(Say("c7", 7));
    queue.Push(Say("d2", 2));
    queue.Push(Say("e1", 1));
    queue.Push(Say("f-1", -1));
    SpeechRequest stop;
    stop.command = 1;
    stop.text = "stop";
    stop.priority = 0;
    queue.Push(stop);
    queue.Push(Say("g2", 2));
    EXPECT_EQ(Texts(queue),
              (std::vector<std::string>{"stop", "d2", "g2", "b1", "e1", "a0", "c7", "f-1"}));
    // Ids count queued entries, whatever their place.
    EXPECT_EQ(queue.Entries().front().id, 7u);
}

TEST(SpeechQueueTest, AFullQueueDropsTheOldestEntryOfTheLeastUrgentClass) {
    SpeechQueue queue(3);
    queue.Push(Say("urgent", 2));
    queue.Push(Say("old", 0));
    queue.Push(Say("newer", 0));
    queue.Push(Say("newest", 0));
    EXPECT_EQ(Texts(queue), (std::vector<std::string>{"urgent", "newer", "newest"}));
    // A less urgent newcomer gives way itself rather than push out more
    // urgent entries.
    SpeechQueue urgentOnly(2);
    urgentOnly.Push(Say("u1", 2));
    urgentOnly.Push(Say("u2", 2));
    urgentOnly.Push(Say("late", 0));
    EXPECT_EQ(Texts(urgentOnly), (std::vector<std::string>{"u1", "u2"}));
    EXPECT_EQ(urgentOnly.Dropped(), 1u);

    SpeechQueue standard;
    for (int i = 0; i < 1000; ++i)
        standard.Push(Say(std::to_string(i), 0));
    EXPECT_EQ(standard.Size(), SpeechQueue::kDefaultCapacity);
    EXPECT_EQ(standard.Entries().front().request.text, "744");
}

}  // namespace
}  // namespace zol
