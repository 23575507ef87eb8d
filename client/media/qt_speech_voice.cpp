#include "client/media/qt_speech_voice.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <QVoice>

#include <cmath>

#include "client/core/speech/speech_output.h"
#include "guibase/windows1252_text.h"

namespace zol {

namespace {

// How long the first call waits for the engine to load its plugin and voices.
constexpr std::chrono::seconds kCreateLimit{10};

}  // namespace

std::unique_ptr<QtSpeechVoice> QtSpeechVoice::Create(std::function<void()> stateChanged) {
    if (QTextToSpeech::availableEngines().isEmpty())
        return nullptr;
    std::unique_ptr<QtSpeechVoice> voice(new QtSpeechVoice(std::move(stateChanged)));
    auto running = std::make_shared<std::promise<void>>();
    std::future<void> started = running->get_future();
    QtSpeechVoice* self = voice.get();
    voice->thread_.reset(QThread::create([self, running] { self->RunLoop(running); }));
    voice->thread_->setObjectName(QStringLiteral("speech voice"));
    voice->thread_->start();
    // Only the thread's start is waited for: the engine itself, which loads
    // its plugin and voices, comes with the first call.
    started.wait();
    return voice;
}

QtSpeechVoice::QtSpeechVoice(std::function<void()> stateChanged)
    : stateChanged_(std::move(stateChanged)) {}

QtSpeechVoice::~QtSpeechVoice() {
    if (!thread_)
        return;
    // Qt 6.4's flite engine may crash when it goes away in the middle of a
    // text, so it is silenced and given a moment to close its audio stream
    // before its loop ends.
    QMetaObject::invokeMethod(
        context_,
        [this] {
            if (engine_ == nullptr) {
                loop_->quit();
                return;
            }
            engine_->stop();
            QTimer::singleShot(kSettleBeforeEnd, context_, [this] { loop_->quit(); });
        },
        Qt::QueuedConnection);
    thread_->wait();
}

void QtSpeechVoice::RunLoop(const std::shared_ptr<std::promise<void>>& running) {
    QObject context;
    QEventLoop loop;
    context_ = &context;
    loop_ = &loop;
    running->set_value();
    loop.exec();
    engine_.reset();
}

QTextToSpeech* QtSpeechVoice::EngineOnThread() {
    if (triedOnThread_)
        return engine_.get();
    triedOnThread_ = true;
    auto engine = std::make_unique<QTextToSpeech>();
    QObject::connect(engine.get(), &QTextToSpeech::stateChanged, engine.get(),
                     [this](QTextToSpeech::State state) { OnState(state); });
    // An engine that already knows it cannot speak (no audio output, no
    // voice) says so here rather than failing every text later.
    const bool usable = engine->state() != QTextToSpeech::Error &&
                        engine->errorString().isEmpty() && !engine->availableVoices().isEmpty();
    if (!usable) {
        problem_ = engine->errorString().isEmpty() ? std::string("the engine has no voice")
                                                   : engine->errorString().toStdString();
        usable_ = false;
        // Only the log: a message box from this thread is not allowed, and
        // one for a missing sound device would be out of proportion.
        qWarning("%s", SpeechOutput::kEngineFailedText);
        qWarning("%s", problem_.c_str());
        engineTried_ = true;
        return nullptr;
    }
    engine_ = std::move(engine);
    engineTried_ = true;
    return engine_.get();
}

void QtSpeechVoice::EndWithoutEngine() {
    {
        std::lock_guard lock(phaseMutex_);
        phase_ = Phase::Idle;  // a text waiting to start is done
    }
    if (stateChanged_)
        stateChanged_();
}

bool QtSpeechVoice::MakeEngine() {
    return Call<bool>([](QTextToSpeech&) { return true; }, false);
}

std::string QtSpeechVoice::Problem() const {
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
    if (!usable_.load())
        return fallback;
    auto result = std::make_shared<std::promise<R>>();
    std::future<R> answer = result->get_future();
    QMetaObject::invokeMethod(
        context_,
        [this, work = std::move(work), result, fallback] {
            QTextToSpeech* engine = EngineOnThread();
            result->set_value(engine != nullptr ? work(*engine) : fallback);
        },
        Qt::QueuedConnection);
    // The first call also waits for the engine to load.
    if (answer.wait_for(engineTried_ ? kCallLimit : kCreateLimit) != std::future_status::ready)
        return fallback;
    try {
        return answer.get();
    } catch (const std::future_error&) {
        return fallback;  // the engine's loop ended before it got to the call
    }
}

void QtSpeechVoice::Post(std::function<void(QTextToSpeech&)> work) {
    if (!usable_.load())
        return;
    QMetaObject::invokeMethod(
        context_,
        [this, work = std::move(work)] {
            if (QTextToSpeech* engine = EngineOnThread())
                work(*engine);
            else
                EndWithoutEngine();
        },
        Qt::QueuedConnection);
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
    // An engine not made yet has nothing to silence, and is not made for it.
    QMetaObject::invokeMethod(
        context_,
        [this] {
            if (engine_ == nullptr)
                return;
            engine_->stop();
            quietSince_ = std::chrono::steady_clock::now();
        },
        Qt::QueuedConnection);
}

bool QtSpeechVoice::IsSpeaking() {
    std::lock_guard lock(phaseMutex_);
    if (phase_ == Phase::Started && std::chrono::steady_clock::now() - startedAt_ > kStartLimit)
        phase_ = Phase::Idle;
    return phase_ != Phase::Idle;
}

}  // namespace zol
