// SpeechTask: the worker thread that speaks the queued entries one after
// another through a SpeechVoice, interrupting a text when a more urgent
// entry arrives and speaking it again from the start afterwards.
//
// Thread-safety: Start, RequestStop and Join from the owner's thread; Wake
// from any thread. The stop request holds for good: nothing queued after it
// can undo it.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>

#include "client/core/speech/speech_queue.h"
#include "client/core/speech/speech_voice.h"
#include "platform/event.h"

namespace zol {

struct SpeechTiming {
    std::int32_t maxSleepIntervalTime = 1000;  // milliseconds, the longest single wait
    std::int32_t taskTerminateWaitTime = 5;    // seconds the task may take to end
};

class SpeechTask {
  public:
    // How long the idle task sleeps between looks at the queue, and how
    // often it asks the voice whether it is still speaking.
    static constexpr std::chrono::milliseconds kIdlePeriod{500};
    static constexpr std::chrono::milliseconds kSpeakingPeriod{250};
    // No wait is shorter, whatever MaxSleepIntervalTime says, so that a
    // setting of 0 or less cannot make the task spin.
    static constexpr std::chrono::milliseconds kMinWait{10};

    SpeechTask(SpeechQueue& queue, SpeechVoice& voice, SpeechTiming timing);
    ~SpeechTask();
    SpeechTask(const SpeechTask&) = delete;
    SpeechTask& operator=(const SpeechTask&) = delete;

    void Start();
    // Entries were queued or the voice's state changed: look now.
    void Wake();
    void RequestStop();
    // Joins the task after RequestStop; false when it took longer than
    // TaskTerminateWaitTime (it is joined all the same).
    bool Join();

    // One wait of a period, in slices of at most MaxSleepIntervalTime.
    static std::chrono::milliseconds WaitSlice(std::int32_t maxSleepIntervalTime,
                                               std::chrono::milliseconds period);

  private:
    enum class Outcome { Done, Interrupted, Stopping };

    void Run();
    Outcome Process(const SpeechQueue::Entry& entry);
    Outcome Speak(const SpeechQueue::Entry& entry);
    Outcome WaitWhileSpeaking(std::uint64_t id);

    SpeechQueue& queue_;
    SpeechVoice& voice_;
    const SpeechTiming timing_;
    std::atomic<bool> stopping_{false};
    Event wake_{Event::Reset::Auto};
    Event ended_;
    std::thread thread_;
};

}  // namespace zol
