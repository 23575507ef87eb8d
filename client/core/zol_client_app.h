// CZOLClientApp: ZOL Client's application object. It owns the settings, the
// theme list, the effective connection and the document and frame, runs the
// start-up steps in their order, and the exit steps.
//
// Thread-safety: the user-interface thread only.
#pragma once

#include <QString>
#include <QStringList>

#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "client/core/client_settings.h"
#include "client/core/early_connect.h"
#include "client/core/effective_connection.h"
#include "client/core/gui_reporter.h"
#include "client/core/link_event_poster.h"
#include "client/core/locale_formats.h"
#include "client/core/speech/sound_player.h"
#include "client/core/speech/speech_output.h"
#include "client/core/theme_folders.h"
#include "client/core/watch_settings.h"
#include "client/launch/start_connection.h"
#include "client/model/launcher.h"
#include "client/model/request_channel.h"
#include "platform/registry_store.h"
#include "serverlink/greeting_frame.h"
#include "serverlink/link_timeouts.h"
#include "serverlink/relay_link.h"
#include "serverlink/server_link.h"

namespace zol {

class CMainFrame;
class CZOLClientDoc;

class CZOLClientApp {
  public:
    struct Environment {
        std::filesystem::path registryFile;  // the ZOLClient settings file
        // Shows an exclamation message box; tests collect the texts instead.
        std::function<void(const QString&)> warningBox;
        // Starts other programs; null starts real processes.
        std::shared_ptr<Launcher> launcher;
        // The speech engine; none (silence) unless set.
        SpeechOutput::VoiceFactory speechVoice;
        // The connection the launcher began for the first connect; null
        // when none.
        StartConnectionSource* startConnection = nullptr;
    };

    // The environment of a real run: the per-user settings file and real
    // message boxes.
    static Environment DefaultEnvironment();

    explicit CZOLClientApp(Environment environment);
    ~CZOLClientApp();
    CZOLClientApp(const CZOLClientApp&) = delete;
    CZOLClientApp& operator=(const CZOLClientApp&) = delete;

    // The one application object of the process (null outside its life).
    static CZOLClientApp* Instance();

    // Start-up's first half, which needs no QApplication yet: the settings,
    // the connection, and the connect asked for at start, begun at once.
    // InitInstance runs it when it has not run.
    bool BeginInstance(const QStringList& arguments);
    // Start-up: false when the program must end at once (ExitInstance still runs).
    bool InitInstance(const QStringList& arguments);
    // Exit: frees the themes, stops the workers, saves the settings; the exit code.
    int ExitInstance();

    ClientSettings& Settings() { return settings_; }
    const ClientSettings& Settings() const { return settings_; }
    // The settings file, for windows that keep their own layout in it.
    RegistryStore& Store() { return store_; }
    // Publishes what worker threads read of the settings. Whoever changes
    // Settings() calls it afterwards (the settings pages on OK, a refused
    // server version turning AutoReconnect off).
    void SettingsChanged();
    // After the options sheet saved new settings: the connection details
    // follow them from the next connect on (the start's switches no longer
    // apply), and the workers see them at once.
    void SettingsEdited();
    // Writes the settings to the settings file now (the options sheet's OK);
    // 0, or -1 when the file could not be written.
    int SaveSettings();
    // What the connection-watch task reads, from any thread.
    const PublishedWatchSettings& WatchSettingsChannel() const { return watchSettings_; }
    const EffectiveConnection& Connection() const { return connection_; }
    // The password a connect was accepted with (empty after a refusal), for
    // the next connect of this run.
    void RememberPassword(std::string password) { connection_.password = std::move(password); }
    // The theme folders; their pictures load on a thread of their own from
    // start-up on, and the first look here waits for them.
    const ThemeFolderList& Themes() const;
    ThemeFolderList& Themes();
    // What loading (or reloading) an icon set takes from the program.
    IconSetOptions ThemeOptions() const;
    const LocaleFormats& Formats() const { return formats_; }
    // The version numbers the connect handshake sends, as the server link
    // computes them for this program.
    const GreetingNumbers& Version() const { return version_; }
    // "TextToSpeech" and "PlaySound" pushes go here.
    SpeechOutput& Speech() { return speech_; }
    SoundPlayer& Sounds() { return sounds_; }
    CMainFrame* MainFrame() const { return frame_.get(); }
    // How the model tells the person things (message boxes, alerts, the wait cursor).
    GuiUserReporter& Reporter() { return reporter_; }
    Launcher& Programs() { return *launcher_; }
    StartConnectionSource* BegunConnection() const { return environment_.startConnection; }
    // The one connection to the server, and the model's way of sending on it.
    ServerLink& Link() { return *link_; }
    RequestChannel& Channel() { return *channel_; }
    // The link's reports as events to the main frame, with their generation.
    LinkEventPoster& LinkEvents() { return linkEvents_; }
    // Copies the link's time limits and the relay's settings from the
    // settings. Only while no connection is open: the link's threads read them.
    void ApplyConnectionSettings();
    // A connect sequence runs (pushes are dropped, reconnects ignored),
    // start-up's included.
    bool Connecting() const { return connecting_.load() || earlyConnectPending_.load(); }
    void SetConnecting(bool connecting) { connecting_.store(connecting); }
    // A connection was opened in this run (never cleared).
    bool EverConnected() const { return everConnected_.load(); }
    void MarkEverConnected() { everConnected_.store(true); }
    CZOLClientDoc* Document() const { return document_; }
    bool RemoteAccessViewerRequested() const { return openRemoteAccessViewer_; }
    // Start-up asked the main frame to connect (AutoConnect with complete details).
    bool AutoConnectPosted() const { return autoConnectPosted_; }

    // Start-up's connect, until the frame's first connect takes it over.
    bool EarlyConnectPending() const { return earlyConnectPending_.load(); }
    std::unique_ptr<EarlyConnect> TakeEarlyConnect() {
        earlyConnectPending_.store(false);
        return std::move(earlyConnect_);
    }

    // Called by the document when it is made and destroyed.
    void RegisterDocument(CZOLClientDoc* document) { document_ = document; }

  private:
    void EnumerateThemes();
    // Lets Themes() return without folders when start-up never listed them.
    void MarkThemesListed();
    bool CreateDocumentAndFrame();
    int ScreenDpi() const;

    Environment environment_;
    RegistryStore store_;
    ClientSettings settings_;
    PublishedWatchSettings watchSettings_;
    EffectiveConnection connection_;
    ThemeFolderList themes_;
    // Loads the pictures of `themes_` while start-up and the connect go on.
    mutable std::thread themePictures_;
    mutable std::mutex themePicturesMutex_;
    mutable std::condition_variable themesListedChanged_;
    bool themesListed_ = false;  // under themePicturesMutex_
    LocaleFormats formats_;
    GreetingNumbers version_{};
    SpeechOutput speech_;
    SoundPlayer sounds_;
    bool openRemoteAccessViewer_ = false;
    bool autoConnectPosted_ = false;
    bool begun_ = false;
    bool exited_ = false;
    GuiUserReporter reporter_;
    std::shared_ptr<Launcher> launcher_;
    LinkTimeouts linkTimeouts_;
    RelaySettings relaySettings_;
    // Both outlive the link, which reports to them until it is closed.
    LinkEventPoster linkEvents_;
    std::unique_ptr<RelayLink> relay_;
    std::unique_ptr<ServerLink> link_;
    std::atomic<bool> connecting_{false};
    std::atomic<bool> everConnected_{false};
    std::unique_ptr<ServerLinkChannel> channel_;
    std::unique_ptr<CZOLClientDoc> ownedDocument_;
    CZOLClientDoc* document_ = nullptr;
    std::unique_ptr<CMainFrame> frame_;
    // Uses the link, the themes and the settings: goes first.
    std::unique_ptr<EarlyConnect> earlyConnect_;
    std::atomic<bool> earlyConnectPending_{false};
};

}  // namespace zol
