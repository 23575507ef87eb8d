// The real speech engine and sound player. Speech needs an audio output:
// when the machine has a PulseAudio server program, the test runs its own on
// a null sink; without an engine, a voice or an output the test is skipped.
#include <gtest/gtest.h>

#include <QAudioDevice>
#include <QCoreApplication>
#include <QEventLoop>
#include <QMediaDevices>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <stdlib.h>

#include "client/core/speech/sound_player.h"
#include "client/core/speech/speech_output.h"
#include "client/media/qt_speech_voice.h"
#include "client/media/wave_duration.h"
#include "client/tests/temp_dir.h"
#include "testsupport/child_process.h"

// Qt Multimedia's PulseAudio backend keeps its stream and context objects
// when the sound server goes away under it (the test's own server ends
// before the program does), and frees them never; the allocations end in
// Qt's frames only, so no suppression can name them. Leak checking is off
// for this one program; every other check stays on.
extern "C" const char* __lsan_default_options() {
    return "detect_leaks=0";
}

namespace zol {
namespace {

// A PulseAudio server of the program's own, on a null sink, reached through
// PULSE_SERVER; does nothing where there is no such program or one is set.
class NullAudioSink {
  public:
    static void Ensure() { static NullAudioSink sink; }

  private:
    NullAudioSink() {
        const std::filesystem::path program = "/usr/bin/pulseaudio";
        char pattern[] = "/tmp/zolpa-XXXXXX";  // short: socket paths are limited
        if (!std::filesystem::exists(program) || qEnvironmentVariableIsSet("PULSE_SERVER") ||
            ::mkdtemp(pattern) == nullptr)
            return;
        dir_ = pattern;
        const std::string socket = (dir_ / "native").string();
        started_ = server_.Start(
            {"/usr/bin/env", "HOME=" + dir_.string(), "XDG_RUNTIME_DIR=" + dir_.string(),
             program.string(), "-n", "--daemonize=no", "--log-level=error", "--use-pid-file=no",
             "--exit-idle-time=-1", "-L", "module-null-sink", "-L",
             "module-native-protocol-unix socket=" + socket},
            0, std::chrono::seconds(10));
        for (int i = 0; started_ && i < 200 && !std::filesystem::exists(socket); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (std::filesystem::exists(socket))
            qputenv("PULSE_SERVER", QByteArray("unix:") + QByteArray::fromStdString(socket));
    }

    ~NullAudioSink() {
        server_.Stop();
        std::error_code ignored;
        if (!dir_.empty())
            std::filesystem::remove_all(dir_, ignored);
    }

    std::filesystem::path dir_;
    testing::BackgroundProcess server_;
    bool started_ = false;
};

// Runs the Qt event loop until done() holds or a generous limit passes.
template <typename Done>
bool RunUntil(Done done) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!done() && std::chrono::steady_clock::now() < limit) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return done();
}

TEST(SpeechEngineTest, APushedTextIsSpokenToItsEndAndTheVoiceSettingsComeBack) {
    NullAudioSink::Ensure();
    QtSpeechVoice* voice = nullptr;
    std::vector<std::string> reports;
    SpeechOutput speech(
        [&](std::function<void()> stateChanged) -> std::unique_ptr<SpeechVoice> {
            auto made = QtSpeechVoice::Create(std::move(stateChanged));
            voice = made.get();
            return made;
        },
        [&](const std::string& text) { reports.push_back(text); });
    speech.Start({1000, 5});
    if (voice == nullptr)
        GTEST_SKIP() << "no speech engine installed";
    if (!speech.HasVoice())
        GTEST_SKIP() << "the speech engine cannot speak (" << reports.front() << ")";
    if (!voice->MakeEngine())
        GTEST_SKIP() << "the speech engine cannot speak (" << voice->Problem() << ")";

    voice->SetVolume(40);
    voice->SetRate(-5);
    EXPECT_EQ(voice->Volume(), 40);
    EXPECT_EQ(voice->Rate(), -5);
    voice->SetVolume(100);
    voice->SetRate(0);
    const std::string voiceBefore = voice->VoiceName();
    const int volumeBefore = voice->Volume();
    const int rateBefore = voice->Rate();
    EXPECT_FALSE(voice->SelectVoice("no such voice"));

    // As the dispatcher queues "0|Dinner is ready|1|kal|-5|40|1".
    SpeechRequest request;
    request.text = "Dinner is ready";
    request.voiceFlag = "1";
    request.voiceName = "kal";
    request.rate = -5;
    request.volume = 40;
    request.priority = 1;
    speech.Queue(request);
    ASSERT_TRUE(RunUntil([&] { return speech.Entries().Size() == 0; }));
    if (voice->Failures() > 0)
        GTEST_SKIP() << "no audio output to speak to";
    EXPECT_EQ(voice->TextsSpoken(), 1);
    EXPECT_EQ(voice->VoiceName(), voiceBefore);
    EXPECT_EQ(voice->Volume(), volumeBefore);
    EXPECT_EQ(voice->Rate(), rateBefore);
    speech.Stop();
    EXPECT_TRUE(reports.empty());
}

// The length of a sound, from which a sound that never reports its end is
// ended: 800 bytes at 8,000 a second, behind an odd-sized chunk.
TEST(SoundPlayerTest, AWavesLengthComesFromItsFormatAndData) {
    auto u32 = [](std::uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
    const std::string format = "fmt " + u32(16) + std::string("\1\0\1\0", 4) + u32(8000) +
                               u32(8000) + std::string("\1\0\10\0", 4);
    const std::string wave = "RIFF" + u32(0) + "WAVE" + format + "LIST" + u32(3) + "abc" +
                             std::string(1, '\0') + "data" + u32(800);
    EXPECT_EQ(WaveDuration(wave), std::chrono::milliseconds(100));
    EXPECT_EQ(WaveDuration("RIFF" + u32(0) + "WAVE" + "data" + u32(800)), std::nullopt);
    EXPECT_EQ(WaveDuration(wave.substr(0, 30)), std::nullopt);
    EXPECT_EQ(WaveDuration("OggS"), std::nullopt);
}

TEST(SoundPlayerTest, PlaysFilesThatExistAndKeepsFewEffects) {
    NullAudioSink::Ensure();
    testing::TempDir dir;
    SoundPlayer player;
    EXPECT_FALSE(player.Play(dir.Path() / "missing.wav"));

    // A short silent wave file: 8 kHz, 8-bit mono, 800 samples.
    const auto wav = dir.Path() / "tick.wav";
    {
        std::ofstream out(wav, std::ios::binary);
        auto u32 = [&](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
        auto u16 = [&](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
        out << "RIFF";
        u32(36 + 800);
        out << "WAVEfmt ";
        u32(16), u16(1), u16(1), u32(8000), u32(8000), u16(1), u16(8);
        out << "data";
        u32(800);
        out << std::string(800, '\x80');
    }
    if (QMediaDevices::defaultAudioOutput().isNull()) {
        EXPECT_FALSE(player.Play(wav));
        GTEST_SKIP() << "no audio output to play to";
    }
    for (int i = 0; i < 20; ++i)
        EXPECT_TRUE(player.Play(wav));
    EXPECT_LE(player.Playing(), SoundPlayer::kMaxSounds);
    EXPECT_TRUE(RunUntil([&] { return player.Playing() == 0; }));
}

}  // namespace
}  // namespace zol
