// Files the server hands out (background pictures, sounds): where the client
// keeps them, and the chunked transfer that brings a local copy up to date.
#pragma once

#include <filesystem>
#include <string_view>

namespace zol {

class RequestChannel;
class UserReporter;

// Where the file the server calls `serverName` lives locally: found in, or
// created (empty) under, `tempDir`; the server's name never leads outside it.
std::filesystem::path LocateServerFile(std::string_view serverName,
                                       const std::filesystem::path& tempDir);

// Brings `localPath` up to date with the server's `serverName` ("GetFile"
// by chunks). 0 with `present` 1 when the local copy is current or was
// written, 0 with `present` 0 when the server has no such file; otherwise
// the failure's code, already shown to the person, with `present` 0. The
// new content goes to a temporary file that replaces `localPath` only when
// complete, so a failed transfer keeps the copy there was.
int FetchServerFile(RequestChannel& channel, UserReporter& reporter, std::string_view serverName,
                    const std::filesystem::path& localPath, int& present);

}  // namespace zol
