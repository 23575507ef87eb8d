#include "client/core/speech/qt_speech_voice.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <QVoice>

#include <cmath>

#include "guibase/windows1252_text.h"

namespace zol {

namespace {

// How long start-up waits for the engine to load its plugin and voices.
constexpr std::chrono::seconds kCreateLimit{10};

}  // namespace

std::unique_ptr<QtSpeechVoice> QtSpeechVoice::Create(std::function<void()> stateChanged) {
    if (QTextToSpeech::availableEngines().isEmpty())
        return nullptr;
    std::unique_ptr<QtSpeechVoice> voice(new QtSpeechVoice(std::move(stateChanged)));
    auto created = std::make_shared<std::promise<bool>>();
    std::future<bool> done = created->get_future();
    QtSpeechVoice* self = voice.get();
    voice->thread_.reset(QThread::create([self, created] { self->RunEngine(created); }));
    voice->thread_->setObjectName(QStringLiteral("speech voice"));
    voice->thread_->start();
    if (done.wait_for(kCreateLimit) == std::future_status::ready) {
        voice->usable_ = done.get();
    } else {
        voice->startTimedOut_ = true;
    }
    return voice;
}

QtSpeechVoice::QtSpeechVoice(std::function<void()> stateChanged)
    : stateChanged_(std::move(stateChanged)) {}

QtSpeechVoice::~QtSpeechVoice() {
    if (!thread_)
        return;
    if (QTextToSpeech* engine = engine_.load()) {
        // Qt 6.4's flite engine may crash when it goes away in the middle
        // of a text, so it is silenced and given a moment to close its
        // audio stream before its loop ends.
        QMetaObject::invokeMethod(
            engine,
            [this, engine] {
                engine->stop();
                QTimer::singleShot(kSettleBeforeEnd, engine, [this] { loop_->quit(); });
            },
            Qt::QueuedConnection);
    } else {
        thread_->quit();
    }
    thread_->wait();
}

void QtSpeechVoice::RunEngine(const std::shared_ptr<std::promise<bool>>& created) {
    QTextToSpeech engine;
    QObject::connect(&engine, &QTextToSpeech::stateChanged, &engine,
                     [this](QTextToSpeech::State state) { OnState(state); });
    // An engine that already knows it cannot speak (no audio output, no
    // voice) says so here rather than failing every text later.
    const bool usable = engine.state() != QTextToSpeech::Error && engine.errorString().isEmpty() &&
                        !engine.availableVoices().isEmpty();
    if (!usable)
        problem_ = engine.errorString().isEmpty() ? std::string("the engine has no voice")
                                                  : engine.errorString().toStdString();
    if (usable)
        engine_ = &engine;
    created->set_value(usable);
    if (!usable)
        return;
    QEventLoop loop;
    loop_ = &loop;
    loop.exec();
    engine_ = nullptr;
}

std::string QtSpeechVoice::Problem() const {
    if (startTimedOut_)
        return "the speech engine did not start in time";
    return problem_;
}

void QtSpeechVoice::OnState(QTextToSpeech::State state) {
    {
        std::lock_guard lock(phaseMutex_);
        switch (state) {
            case QTextToSpeech::Speaking:
                if (phase_ == Phase::Started)
                    phase_ = Phase::Speaking;
                break;
            case QTextToSpeech::Ready:
                // A Ready before this text started speaking is the end of
                // an earlier one that was stopped.
                if (phase_ == Phase::Speaking) {
                    phase_ = Phase::Idle;
                    textsSpoken_.fetch_add(1);
                }
                break;
            case QTextToSpeech::Error:
                quietSince_ = std::chrono::steady_clock::now();
                phase_ = Phase::Idle;
                failures_.fetch_add(1);
                break;
            case QTextToSpeech::Paused:
                break;
        }
    }
    if (stateChanged_)
        stateChanged_();
}

template <typename R>
R QtSpeechVoice::Call(std::function<R(QTextToSpeech&)> work, R fallback) {
    QTextToSpeech* engine = engine_.load();
    if (engine == nullptr)
        return fallback;
    auto result = std::make_shared<std::promise<R>>();
    std::future<R> answer = result->get_future();
    QMetaObject::invokeMethod(
        engine, [engine, work = std::move(work), result] { result->set_value(work(*engine)); },
        Qt::QueuedConnection);
    if (answer.wait_for(kCallLimit) != std::future_status::ready)
        return fallback;
    try {
        return answer.get();
    } catch (const std::future_error&) {
        return fallback;  // the engine's loop ended before it got to the call
    }
}

void QtSpeechVoice::Post(std::function<void(QTextToSpeech&)> work) {
    QTextToSpeech* engine = engine_.load();
    if (engine == nullptr)
        return;
    QMetaObject::invokeMethod(
        engine, [engine, work = std::move(work)] { work(*engine); }, Qt::QueuedConnection);
}

std::string QtSpeechVoice::VoiceName() {
    return Call<std::string>(
        [](QTextToSpeech& engine) { return ToWindows1252(engine.voice().name()); }, {});
}

bool QtSpeechVoice::SelectVoice(const std::string& name) {
    const QString wanted = FromWindows1252(name);
    return Call<bool>(
        [wanted](QTextToSpeech& engine) {
            for (const QVoice& voice : engine.availableVoices()) {
                if (voice.name() == wanted) {
                    engine.setVoice(voice);
                    return true;
                }
            }
            return false;
        },
        false);
}

int QtSpeechVoice::Volume() {
    return Call<int>(
        [](QTextToSpeech& engine) { return static_cast<int>(std::lround(engine.volume() * 100)); },
        100);
}

void QtSpeechVoice::SetVolume(int volume) {
    Post([volume](QTextToSpeech& engine) { engine.setVolume(volume / 100.0); });
}

int QtSpeechVoice::Rate() {
    return Call<int>(
        [](QTextToSpeech& engine) { return static_cast<int>(std::lround(engine.rate() * 10)); }, 0);
}

void QtSpeechVoice::SetRate(int rate) {
    Post([rate](QTextToSpeech& engine) { engine.setRate(rate / 10.0); });
}

void QtSpeechVoice::Speak(const std::string& text) {
    {
        std::lock_guard lock(phaseMutex_);
        phase_ = Phase::Started;
        startedAt_ = std::chrono::steady_clock::now();
    }
    const std::uint64_t generation = ++sayGeneration_;
    Post([this, generation, text = FromWindows1252(text)](QTextToSpeech& engine) {
        // Saying right after a stop or a failure, while the engine still
        // tears its audio stream down, can crash Qt 6.4's flite engine:
        // wait a little.
        const auto sinceError = std::chrono::steady_clock::now() - quietSince_;
        if (sinceError >= kAfterErrorPause) {
            engine.say(text);
            return;
        }
        QTimer::singleShot(
            std::chrono::duration_cast<std::chrono::milliseconds>(kAfterErrorPause - sinceError),
            &engine, [this, generation, text, &engine] {
                if (sayGeneration_.load() == generation)  // not stopped or replaced meanwhile
                    engine.say(text);
            });
    });
}

void QtSpeechVoice::Stop() {
    {
        std::lock_guard lock(phaseMutex_);
        phase_ = Phase::Idle;
    }
    ++sayGeneration_;
    Post([this](QTextToSpeech& engine) {
        engine.stop();
        quietSince_ = std::chrono::steady_clock::now();
    });
}

bool QtSpeechVoice::IsSpeaking() {
    std::lock_guard lock(phaseMutex_);
    if (phase_ == Phase::Started && std::chrono::steady_clock::now() - startedAt_ > kStartLimit)
        phase_ = Phase::Idle;
    return phase_ != Phase::Idle;
}

}  // namespace zol
