// NotificationDispatcher: what the server pushes, decoded and carried out.
// A push is a field list: field 2 "ZOLApp", field 3 the kind, its arguments
// from field 4. Pushes that arrive while a connect runs, that do not decode,
// that have three fields or fewer, or whose kind is unknown are dropped
// without a word; missing fields read as 0 or empty.
//
// Thread-safety: the user-interface thread only, one push at a time.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "client/core/push_hooks.h"

namespace zol {

class DispatchTarget;
class Launcher;
class RegisteredWindows;
class ReplyFields;
class RequestChannel;
class UserReporter;
struct ClientSettings;

struct DispatchServices {
    DispatchTarget& target;
    RegisteredWindows& windows;
    RequestChannel& channel;
    // Only its wait cursor shows: a push never opens a message box.
    UserReporter& reporter;
    Launcher& launcher;
    const ClientSettings& settings;
    PushHooks hooks;
};

class NotificationDispatcher {
  public:
    explicit NotificationDispatcher(DispatchServices services);

    void Dispatch(std::string_view message);

    // "Update" pushes that found their object or display (load checks).
    std::uint64_t UpdatesApplied() const { return updatesApplied_; }

    // Where "ClientOperation" 2 writes its restart file.
    static std::filesystem::path RestartFilePath(const std::filesystem::path& tempDir);

  private:
    void Update(const ReplyFields& f);
    void TileUpdate(const ReplyFields& f);
    void PlaySound(const ReplyFields& f);
    void TextToSpeech(const ReplyFields& f);
    void ServerStatus(const ReplyFields& f);
    void DisplayChange(const ReplyFields& f);
    void LogAdd(const ReplyFields& f);
    void ExtServerStatus(const ReplyFields& f);
    void TextDisplayChange(const ReplyFields& f);
    void TextDisplayInWindow(const ReplyFields& f);
    void ClientOperation(const ReplyFields& f);
    void RestartComputer();
    void RunProgram(const ReplyFields& f);

    DispatchServices s_;
    std::uint64_t updatesApplied_ = 0;
};

}  // namespace zol
