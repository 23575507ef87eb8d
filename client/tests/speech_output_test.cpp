#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "client/core/speech/deferred_speech_voice.h"
#include "client/core/speech/speech_output.h"
#include "client/tests/fake_speech_voice.h"

namespace zol {
namespace {

using Log = testing::FakeSpeechVoice::Log;

class SpeechOutputTest : public ::testing::Test {
  protected:
    struct Report {
        std::string text;
        std::thread::id thread;
    };

    // Speech output on a fake voice that configure may adjust first;
    // makeNoVoice stands for a platform without a speech engine.
    void Start(SpeechTiming timing = {},
               std::function<void(testing::FakeSpeechVoice&)> configure = {},
               bool makeNoVoice = false) {
        speech_ = std::make_unique<SpeechOutput>(
            [=, this](std::function<void()> stateChanged) -> std::unique_ptr<SpeechVoice> {
                if (makeNoVoice)
                    return nullptr;
                auto voice = std::make_unique<testing::FakeSpeechVoice>(std::move(stateChanged));
                if (configure)
                    configure(*voice);
                voice_ = voice.get();
                return voice;
            },
            [this](const std::string& text) {
                reports_.push_back({text, std::this_thread::get_id()});
            });
        speech_->Start(timing);
    }

    void Queue(const std::string& text, int priority = 0, int command = 0) {
        SpeechRequest request;
        request.command = command;
        request.text = text;
        request.priority = priority;
        speech_->Queue(request);
    }

    bool WaitUntilEmpty() const {
        for (int i = 0; i < 2000 && speech_->Entries().Size() != 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return speech_->Entries().Size() == 0;
    }

    std::unique_ptr<SpeechOutput> speech_;
    testing::FakeSpeechVoice* voice_ = nullptr;
    std::vector<Report> reports_;
};

TEST_F(SpeechOutputTest, AnUrgentTextInterruptsALessUrgentOneWhichIsSpokenAgainFromTheStart) {
    Start();
    Queue("A", 0);
    ASSERT_TRUE(voice_->WaitForCall("speak:A"));
    Queue("B", 2);
    ASSERT_TRUE(voice_->WaitForCall("speak:B"));
    voice_->Finish();
    ASSERT_TRUE(voice_->WaitForCall("speak:A", 2));
    voice_->Finish();
    ASSERT_TRUE(WaitUntilEmpty());
    EXPECT_EQ(voice_->Calls(), (Log{"speak:A", "stop", "speak:B", "speak:A"}));
}

TEST_F(SpeechOutputTest, StopCommandsSilenceTheTextAndDropWhatTheySay) {
    Start();
    // A stop removes itself and the text it silenced.
    Queue("A");
    ASSERT_TRUE(voice_->WaitForCall("speak:A"));
    Queue("", 0, 1);
    ASSERT_TRUE(WaitUntilEmpty());
    EXPECT_EQ(voice_->Calls(), (Log{"speak:A", "stop"}));

    // Stop-and-drop drops everything queued before it, nothing after it.
    Queue("C");
    ASSERT_TRUE(voice_->WaitForCall("speak:C"));
    Queue("dropped");
    Queue("", 0, 2);
    Queue("D");
    ASSERT_TRUE(voice_->WaitForCall("speak:D"));
    voice_->Finish();
    ASSERT_TRUE(WaitUntilEmpty());
    EXPECT_EQ(voice_->Calls(), (Log{"speak:A", "stop", "speak:C", "stop", "stop", "speak:D"}));
}

TEST_F(SpeechOutputTest, VolumeAndRateApplyWithAChosenVoiceWithinTheirRangesAndAreRestored) {
    Start({}, [](testing::FakeSpeechVoice& voice) { voice.finishAtOnce = true; });
    auto queue = [&](std::string flag, std::string name, int volume, int rate) {
        SpeechRequest request;
        request.text = "t";
        request.voiceFlag = std::move(flag);
        request.voiceName = std::move(name);
        request.volume = volume;
        request.rate = rate;
        speech_->Queue(request);
    };
    queue("1", "kal", 150, -5);
    queue("0", "kal", -1, 11);
    queue("1", "kal", 40, -11);
    queue("1", "kal", 0, 10);
    queue("", "kal", 40, 5);      // no voice flag: name, volume and rate ignored
    queue("1", "nobody", 40, 5);  // no such voice: the current one as it is
    ASSERT_TRUE(WaitUntilEmpty());
    EXPECT_EQ(
        voice_->Calls(),
        (Log{"voice:kal", "rate:-5",   "speak:t",   "rate:0",     "voice:slt",  //
             "voice:kal", "speak:t",   "voice:slt",                             //
             "voice:kal", "volume:40", "speak:t",   "volume:100", "voice:slt",  "voice:kal",
             "volume:0",  "rate:10",   "speak:t",   "rate:0",     "volume:100", "voice:slt",  //
             "speak:t",   "speak:t"}));
}

TEST_F(SpeechOutputTest, WithoutAVoiceEntriesAreDroppedAndABrokenEngineIsOnlyLogged) {
    Start({}, {}, /*makeNoVoice=*/true);
    for (int i = 0; i < 1000; ++i)
        Queue("unheard");
    EXPECT_FALSE(speech_->HasVoice());
    EXPECT_EQ(speech_->Entries().Size(), 0u);
    EXPECT_TRUE(reports_.empty());

    Start({}, [](testing::FakeSpeechVoice& voice) { voice.usable = false; });
    Queue("unheard");
    EXPECT_EQ(speech_->Entries().Size(), 0u);
    ASSERT_GE(reports_.size(), 1u);
    EXPECT_EQ(reports_[0].text, "Error to intiliaze COM");
    EXPECT_EQ(reports_[0].thread, std::this_thread::get_id());
}

// The platform's voice is made by its first use, not at start: a stop
// before that makes nothing. A voice whose module did not load is silent,
// says why, and lets the queue drain.
TEST_F(SpeechOutputTest, TheVoiceIsMadeByItsFirstUseAndAMissingModuleLeavesSilence) {
    int made = 0;
    testing::FakeSpeechVoice* real = nullptr;
    DeferredSpeechVoice deferred(
        [&](std::function<void()> changed, std::string&) -> std::unique_ptr<SpeechVoice> {
            ++made;
            auto voice = std::make_unique<testing::FakeSpeechVoice>(std::move(changed));
            voice->finishAtOnce = true;
            real = voice.get();
            return voice;
        },
        {});
    EXPECT_TRUE(deferred.Usable());
    deferred.Stop();
    EXPECT_EQ(made, 0);
    deferred.Speak("Hello");
    deferred.Speak("Again");
    deferred.Stop();
    EXPECT_EQ(made, 1);
    ASSERT_NE(real, nullptr);
    EXPECT_EQ(real->Calls(), (Log{"speak:Hello", "speak:Again", "stop"}));

    auto missing = [](std::function<void()>, std::string& problem) -> std::unique_ptr<SpeechVoice> {
        problem = "libzolmedia.so was not found";
        return nullptr;
    };
    speech_ = std::make_unique<SpeechOutput>(
        [&](std::function<void()> changed) -> std::unique_ptr<SpeechVoice> {
            return std::make_unique<DeferredSpeechVoice>(missing, std::move(changed));
        },
        nullptr);
    speech_->Start({});
    EXPECT_TRUE(speech_->HasVoice());
    for (int i = 0; i < 100; ++i)
        Queue("unheard");
    EXPECT_TRUE(WaitUntilEmpty());
    DeferredSpeechVoice alone(missing, {});
    alone.Speak("unheard");
    EXPECT_FALSE(alone.IsSpeaking());
    EXPECT_FALSE(alone.Usable());
    EXPECT_EQ(alone.Problem(), "libzolmedia.so was not found");
}

TEST_F(SpeechOutputTest, StopEndsTheTaskPromptlyEvenWhenATextArrivesWhileStopping) {
    Start({1000, 60}, [this](testing::FakeSpeechVoice& voice) {
        // A push arriving while exit stops the voice must not undo the stop.
        voice.onStop = [this] { Queue("late"); };
    });
    Queue("A");
    ASSERT_TRUE(voice_->WaitForCall("speak:A"));
    speech_->Stop();
    EXPECT_FALSE(speech_->HasVoice());
    EXPECT_TRUE(reports_.empty()) << reports_.front().text;
}

TEST_F(SpeechOutputTest, ASleepIntervalOfZeroOrLessDoesNotMakeTheTaskSpin) {
    for (int maxSleep : {0, -5}) {
        Start({maxSleep, 5});
        Queue("A");
        ASSERT_TRUE(voice_->WaitForCall("speak:A"));
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        // At least 10 ms between looks: 50 at most here; a spinning task
        // looks thousands of times.
        EXPECT_LT(voice_->Polls(), 100) << "MaxSleepIntervalTime " << maxSleep;
        speech_->Stop();
    }
}

}  // namespace
}  // namespace zol
