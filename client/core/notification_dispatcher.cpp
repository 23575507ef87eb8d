#include "client/core/notification_dispatcher.h"

#include <fcntl.h>
#include <unistd.h>

#include <QLoggingCategory>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <limits>

#include "client/core/app_messages.h"
#include "client/core/client_settings.h"
#include "client/core/default_locations.h"
#include "client/core/dispatch_target.h"
#include "client/core/extended_status_record.h"
#include "client/core/registered_windows.h"
#include "client/model/data_file.h"
#include "client/model/design.h"
#include "client/model/launcher.h"
#include "client/model/quiet_reporter.h"
#include "client/model/reply_fields.h"
#include "client/model/server_file.h"
#include "client/popups/control_popup_registry.h"
#include "guibase/windows1252_text.h"

Q_LOGGING_CATEGORY(lcDispatch, "zol.dispatch")

namespace zol {

namespace {

constexpr std::string_view kAppObject = "ZOLApp";
constexpr std::int64_t kFirstArgument = 4;
constexpr std::size_t kStoredButtonStates = kMaxObjectSlots;
constexpr std::string_view kRestartFileName = "RestartWindows.bat";
constexpr std::string_view kRestartCommand = "shutdown -r\n";

// A time from the wire, in milliseconds, as a timer can take it.
std::int64_t ClampTimerMs(std::int64_t milliseconds) {
    return std::clamp<std::int64_t>(milliseconds, 0, std::numeric_limits<int>::max());
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) {
            return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        };
        return lower(x) == lower(y);
    });
}

}  // namespace

NotificationDispatcher::NotificationDispatcher(DispatchServices services)
    : s_(std::move(services)) {}

std::filesystem::path NotificationDispatcher::RestartFilePath(
    const std::filesystem::path& tempDir) {
    return tempDir / kRestartFileName;
}

void NotificationDispatcher::Dispatch(std::string_view message) {
    if (s_.target.ConnectInProgress())
        return;
    ReplyFields f;
    if (f.Decode(message) != kFieldListOk || f.Count() <= 3)
        return;
    if (f.Text(2) != kAppObject)
        return;
    const std::string_view kind = f.Text(3);
    if (kind == "Update") {
        Update(f);
    } else if (kind == "UserDialog") {
        s_.target.WakeScreen();
        s_.target.OpenUserDialog(message);
    } else if (kind == "TileUpdate") {
        TileUpdate(f);
    } else if (kind == "PlaySound") {
        PlaySound(f);
    } else if (kind == "TextToSpeech") {
        TextToSpeech(f);
    } else if (kind == "ServerStatus") {
        ServerStatus(f);
    } else if (kind == "DisplayChange") {
        DisplayChange(f);
    } else if (kind == "LogAdd") {
        LogAdd(f);
    } else if (kind == "ExtServerStatus") {
        ExtServerStatus(f);
    } else if (kind == "TextDisplayChange") {
        TextDisplayChange(f);
    } else if (kind == "TextDisplayInWindow") {
        TextDisplayInWindow(f);
    } else if (kind == "ClientOperation") {
        ClientOperation(f);
    }
}

void NotificationDispatcher::Update(const ReplyFields& f) {
    const std::int32_t id = f.Number(4);
    // In 64 bits: a wild count only moves the later fields out of reach.
    const std::int64_t n = std::max<std::int64_t>(f.Number(7), 0);
    const std::int64_t j = 8 + n;
    Design& design = s_.target.CurrentDesign();
    if (DesignObject* object = design.FindObject(id)) {
        object->level = f.Number(5);
        object->suspendState = f.Number(6);
        const std::size_t stored = static_cast<std::size_t>(
            std::min<std::int64_t>(n, static_cast<std::int64_t>(kStoredButtonStates)));
        for (std::size_t i = 0; i < stored; ++i)
            object->buttonStates[i] = f.Number(8 + static_cast<std::int64_t>(i));
        object->ownIconName = f.Text(j);
        object->caption = f.Text(j + 1);
        object->ownLevel = f.Number(j + 2);
        design.loadedDesignTime = f.Text(j + 3);
        if (s_.target.ServerMajor() >= 14) {
            object->reserved4 = f.Number(j + 4);
            object->errorCondition = f.Number(j + 5);
            if (f.Count() >= j + 6) {
                object->statusText = f.Text(j + 6);
                object->overlayText = f.Text(j + 7);
                object->overlaySize = f.Number(j + 8);
                object->overlayColor = f.Number(j + 9);
            }
        }
        PostAppMessage(ControlPopups().OpenPopup(), AppMessage::ObjectChanged, 0, id);
        ++updatesApplied_;
    } else if (DisplayRecord* display = design.FindDisplay(id)) {
        display->level = f.Number(5);
        display->ownIconName = f.Text(j);
        display->caption = f.Text(j + 1);
        display->ownLevel = f.Number(j + 2);
        design.loadedDesignTime = f.Text(j + 3);
        ++updatesApplied_;
    }
    s_.target.ObjectChanged(id);
}

void NotificationDispatcher::TileUpdate(const ReplyFields& f) {
    const std::string_view name = f.Text(4);
    const std::int32_t current = s_.target.CurrentDisplayId();
    bool refresh = false;
    bool changedOnCurrent = false;
    for (const auto& display : s_.target.CurrentDesign().displays) {
        for (TileRecord& tile : display->tiles) {
            if (!SameNameIgnoringCase(tile.tileName, name))
                continue;
            bool changed = false;
            if (f.Number(5) != 0) {
                tile.label = f.Text(6);
                changed = true;
            }
            if (f.Number(11) != 0) {
                tile.backColor = f.Number(12);
                tile.labelColor = f.Number(13);
                changed = true;
            }
            if (f.Number(9) != 0) {
                if (auto* text = tile.DataAs<TextTileData>()) {
                    text->text = f.Text(10);
                    changed = true;
                }
            }
            if (f.Number(7) != 0) {
                if (auto* image = tile.DataAs<ImageTileData>()) {
                    image->imageName = f.Text(8);
                    changed = true;
                }
            }
            if (!changed && f.Number(14) == 0)
                continue;
            refresh = true;
            if (changed && display->displayId == current)
                changedOnCurrent = true;
        }
    }
    // The view finds every tile of that name itself: one refresh does.
    if (refresh)
        s_.target.UpdateTilesNamed(name);
    if (changedOnCurrent)
        s_.target.WakeScreen();
}

void NotificationDispatcher::PlaySound(const ReplyFields& f) {
    if (s_.settings.clientSound == 0)
        return;
    const std::string_view name = f.Text(4);
    const std::filesystem::path local = PrepareDataFile(name, s_.settings);
    if (local.empty())
        return;
    QuietReporter quiet(s_.reporter);
    int present = 0;
    if (FetchServerFile(s_.channel, quiet, name, local, present) == 0 && present != 0 &&
        s_.hooks.playSound) {
        s_.hooks.playSound(local);
    }
}

void NotificationDispatcher::TextToSpeech(const ReplyFields& f) {
    if (s_.settings.clientSound == 0 || !s_.hooks.speak)
        return;
    SpeechPush speech;
    speech.command = f.Number(4);
    speech.text = f.Text(5);
    speech.voiceFlag = f.Text(6);
    speech.voiceName = f.Text(7);
    speech.rate = f.Number(8);
    speech.volume = f.Number(9);
    speech.priority = f.Number(10);
    s_.hooks.speak(speech);
}

void NotificationDispatcher::ServerStatus(const ReplyFields& f) {
    const std::int32_t reported = f.Number(4);
    const std::int32_t kind = reported == 1 ? 2 : reported == 2 ? 3 : 1;
    std::array<std::int32_t, 5> numbers{};
    for (std::size_t i = 0; i < numbers.size(); ++i)
        numbers[i] = f.Number(5 + static_cast<std::int64_t>(i));
    s_.target.SetServerStatus(kind, numbers);
}

void NotificationDispatcher::DisplayChange(const ReplyFields& f) {
    Design& design = s_.target.CurrentDesign();
    const bool force = f.Count() > 7 && f.Number(8) != 0;
    const DisplayRecord* display = nullptr;
    switch (f.Number(5)) {
        case 0:
            display = design.FindDisplay(f.Number(4));
            if (display == nullptr)
                return;
            if (f.Number(6) != 0)
                s_.target.StartTimedDisplay(display->displayId,
                                            ClampTimerMs(std::int64_t{f.Number(7)} * 1000));
            break;
        case 1:
            display = design.HomeDisplay();
            if (display == nullptr)
                return;
            break;
        case 2:
            s_.target.PostBack();
            return;
        default:
            return;
    }
    if (display->displayId != s_.target.HistoryTop() || force) {
        s_.target.ShowDisplay(display->displayId, force);
        s_.target.WakeScreen();
    }
}

void NotificationDispatcher::LogAdd(const ReplyFields& f) {
    PostAppMessage(s_.windows.LogWindow(), AppMessage::LogAdd, f.Number(4), 0,
                   std::make_unique<TextPayload>(std::string(f.Text(5))));
}

void NotificationDispatcher::ExtServerStatus(const ReplyFields& f) {
    // Every status tile shown gets its copy; with none the record is freed.
    s_.windows.StatusTiles().Post(MakeExtendedStatusRecord(f));
}

void NotificationDispatcher::TextDisplayChange(const ReplyFields& f) {
    DisplayRecord* display = s_.target.CurrentDesign().FindDisplay(f.Number(4));
    // Only a text display's first tile holds the text; anything else would
    // take colours and a text it cannot show.
    if (display == nullptr || display->tiles.empty())
        return;
    TileRecord& first = display->tiles.front();
    auto* text = first.DataAs<TextTileData>();
    if (text == nullptr)
        return;
    first.backColor = f.Number(6);
    first.labelColor = f.Number(7);
    text->text = f.Text(5);
    const std::int32_t id = display->displayId;
    if (id == s_.target.CurrentDisplayId())
        s_.target.RefreshCurrentDisplay();
    if (f.Number(8) != 0 && id != s_.target.HistoryTop()) {
        // Milliseconds here, not seconds as for "DisplayChange".
        s_.target.StartTimedDisplay(id, ClampTimerMs(f.Number(9)));
        s_.target.ShowDisplay(id, false);
        s_.target.WakeScreen();
    }
}

void NotificationDispatcher::TextDisplayInWindow(const ReplyFields& f) {
    char head[48];
    std::snprintf(head, sizeof(head), "%u,%u,%u,", static_cast<unsigned>(f.Number(7)),
                  static_cast<unsigned>(f.Number(5)), static_cast<unsigned>(f.Number(6)));
    s_.launcher.StartMessagePopup(std::string(head) + std::string(f.Text(4)));
}

void NotificationDispatcher::ClientOperation(const ReplyFields& f) {
    switch (f.Number(kFirstArgument)) {
        case 0:
            s_.target.ResetConnection();
            return;
        case 1:
            s_.target.RequestExit();
            return;
        case 2:
            RestartComputer();
            return;
        case 3:
            RunProgram(f);
            return;
        default:
            return;
    }
}

void NotificationDispatcher::RestartComputer() {
    const std::filesystem::path tempDir = EffectiveTempDir(s_.settings);
    std::error_code ec;
    std::filesystem::create_directories(tempDir, ec);
    const std::filesystem::path file = RestartFilePath(tempDir);
    // A fresh file of our own: an old one (or a link planted in its place)
    // goes first, and the new one is created exclusively without following
    // a link, so the text cannot land in another file.
    if (::unlink(file.c_str()) != 0 && errno != ENOENT)
        return;
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0700);
    if (fd < 0)
        return;
    const bool written = ::write(fd, kRestartCommand.data(), kRestartCommand.size()) ==
                         static_cast<ssize_t>(kRestartCommand.size());
    ::close(fd);
    if (written)
        s_.launcher.StartProgram(Windows1252FromPath(file), {});
}

void NotificationDispatcher::RunProgram(const ReplyFields& f) {
    const std::string_view program = f.Text(5);
    std::error_code ec;
    if (program.empty() || !std::filesystem::exists(PathFromWindows1252(program), ec))
        return;
    // The minimised flag (field 8) has no portable counterpart for a started
    // program; it starts shown normally.
    s_.launcher.StartProgramIn(program, f.Text(7), f.Text(6));
}

}  // namespace zol
