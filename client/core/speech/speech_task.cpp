#include "client/core/speech/speech_task.h"

#include <algorithm>
#include <optional>
#include <string>

namespace zol {

namespace {

bool InRange(std::int32_t value, std::int32_t low, std::int32_t high) {
    return value >= low && value <= high;
}

}  // namespace

SpeechTask::SpeechTask(SpeechQueue& queue, SpeechVoice& voice, SpeechTiming timing)
    : queue_(queue), voice_(voice), timing_(timing) {}

SpeechTask::~SpeechTask() {
    RequestStop();
    Join();
}

void SpeechTask::Start() {
    if (thread_.joinable() || stopping_.load())
        return;
    thread_ = std::thread([this] {
        Run();
        ended_.Set();
    });
}

void SpeechTask::Wake() {
    wake_.Set();
}

void SpeechTask::RequestStop() {
    stopping_.store(true);
    wake_.Set();
}

bool SpeechTask::Join() {
    if (!thread_.joinable())
        return true;
    // Every wait of the task ends on the stop; the limit only tells whether
    // it was late.
    const bool inTime =
        ended_.Wait(std::chrono::seconds(std::max(timing_.taskTerminateWaitTime, 0)));
    thread_.join();
    return inTime;
}

std::chrono::milliseconds SpeechTask::WaitSlice(std::int32_t maxSleepIntervalTime,
                                                std::chrono::milliseconds period) {
    const std::chrono::milliseconds slice(maxSleepIntervalTime);
    return std::clamp(slice, kMinWait, std::max(period, kMinWait));
}

void SpeechTask::Run() {
    const auto idleWait = WaitSlice(timing_.maxSleepIntervalTime, kIdlePeriod);
    while (!stopping_.load()) {
        const std::optional<SpeechQueue::Entry> entry = queue_.Head();
        if (!entry) {
            wake_.Wait(idleWait);
            continue;
        }
        const Outcome outcome = Process(*entry);
        if (outcome == Outcome::Stopping)
            return;
        queue_.Settle(*entry, outcome == Outcome::Interrupted);
    }
}

SpeechTask::Outcome SpeechTask::Process(const SpeechQueue::Entry& entry) {
    switch (static_cast<SpeechCommand>(entry.request.command)) {
        case SpeechCommand::Speak:
            return Speak(entry);
        case SpeechCommand::Stop:
        case SpeechCommand::StopAndDrop:
            voice_.Stop();
            return Outcome::Done;
        default:
            return Outcome::Done;
    }
}

SpeechTask::Outcome SpeechTask::Speak(const SpeechQueue::Entry& entry) {
    const SpeechRequest& request = entry.request;
    // What this entry changed, to be put back afterwards. Volume and rate
    // go with a chosen voice only, and only when within their ranges.
    std::optional<std::string> previousVoice;
    std::optional<int> previousVolume;
    std::optional<int> previousRate;
    if (!request.voiceFlag.empty()) {
        std::string current = voice_.VoiceName();
        if (voice_.SelectVoice(request.voiceName)) {
            previousVoice = std::move(current);
            if (InRange(request.volume, 0, 100)) {
                previousVolume = voice_.Volume();
                voice_.SetVolume(request.volume);
            }
            if (InRange(request.rate, -10, 10)) {
                previousRate = voice_.Rate();
                voice_.SetRate(request.rate);
            }
        }
    }

    voice_.Speak(request.text);
    const Outcome outcome = WaitWhileSpeaking(entry.id);
    if (outcome == Outcome::Stopping)
        return outcome;

    if (previousRate)
        voice_.SetRate(*previousRate);
    if (previousVolume)
        voice_.SetVolume(*previousVolume);
    if (previousVoice)
        voice_.SelectVoice(*previousVoice);
    return outcome;
}

SpeechTask::Outcome SpeechTask::WaitWhileSpeaking(std::uint64_t id) {
    const auto wait = WaitSlice(timing_.maxSleepIntervalTime, kSpeakingPeriod);
    while (voice_.IsSpeaking()) {
        wake_.Wait(wait);
        if (stopping_.load())
            return Outcome::Stopping;
        if (queue_.HeadId() != id) {
            // A more urgent entry came first.
            voice_.Stop();
            return Outcome::Interrupted;
        }
    }
    return Outcome::Done;
}

}  // namespace zol
